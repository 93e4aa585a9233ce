#include "search/fast_header.h"

#include <array>
#include <cstring>

namespace ravelin::search {

namespace {

using gamefile::TagSlot;

constexpr std::array<TagSlot, kFastHeaderStrings> kStoredTags = {
    TagSlot::kWhite,    TagSlot::kBlack,    TagSlot::kResult, TagSlot::kDate,  TagSlot::kEco,
    TagSlot::kWhiteElo, TagSlot::kBlackElo, TagSlot::kRound,  TagSlot::kEvent, TagSlot::kSite,
};

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

void AppendValue(std::string_view value, std::string& out) {
    const std::size_t length = value.size() < kMaxFastHeaderValue ? value.size() : kMaxFastHeaderValue;
    out.push_back(static_cast<char>(static_cast<unsigned char>(length)));
    out.append(value.data(), length);
}

// The tag value of a line, extracted into text (kTagSlotSize bytes), without allocating: the writer
// does this ten times a game.
std::string_view ExtractValue(std::string_view tagLine, char* text) {
    const std::size_t length =
        tagLine.size() < gamefile::kTagSlotSize - 1 ? tagLine.size() : gamefile::kTagSlotSize - 1;
    std::memcpy(text, tagLine.data(), length);
    text[length] = '\0';
    return std::string_view(text, gamefile::ExtractTagValue(text));
}

}  // namespace

std::string_view ReduceRoundValue(std::string_view round) {
    if (round.empty() || round[0] <= '9' || round[0] == '?') {
        return round;
    }
    for (std::size_t i = 1; i < round.size(); ++i) {
        if (IsDigit(round[i])) {
            return round.substr(i);
        }
    }
    return round;
}

std::string TagValueOf(std::string_view tagLine) {
    char text[gamefile::kTagSlotSize];
    return std::string(ExtractValue(tagLine, text));
}

void AppendFastHeaderRecord(const gamefile::GameHeader& header, std::string& out) {
    char text[gamefile::kTagSlotSize];
    for (const TagSlot slot : kStoredTags) {
        const std::string_view value = ExtractValue(header.Slot(slot), text);
        AppendValue(slot == TagSlot::kRound ? ReduceRoundValue(value) : value, out);
    }
}

void AppendFastHeaderCount(std::int32_t count, std::string& out) {
    const auto bits = static_cast<std::uint32_t>(count);
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((bits >> shift) & 0xff));
    }
}

}  // namespace ravelin::search
