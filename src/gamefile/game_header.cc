#include "gamefile/game_header.h"

#include <algorithm>
#include <cstring>

namespace ravelin::gamefile {

namespace {

struct SlotRule {
    std::string_view prefix;
    TagSlot slot;
    bool firstWins;
    bool openingTag;
};

// Prefixes include the blank after the name, so "[WhiteElo " never fills White.
constexpr std::array<SlotRule, kTagSlotCount> kSlotRules = {{
    {"[Event ", TagSlot::kEvent, false, false},
    {"[Site ", TagSlot::kSite, false, false},
    {"[Date ", TagSlot::kDate, false, false},
    {"[Round ", TagSlot::kRound, false, false},
    {"[White ", TagSlot::kWhite, true, false},
    {"[Black ", TagSlot::kBlack, true, false},
    {"[Result ", TagSlot::kResult, false, false},
    {"[ECO ", TagSlot::kEco, false, false},
    {"[WhiteElo ", TagSlot::kWhiteElo, false, false},
    {"[BlackElo ", TagSlot::kBlackElo, false, false},
    {"[FEN ", TagSlot::kFen, false, false},
    {"[Annotator ", TagSlot::kAnnotator, false, false},
    {"[Opening ", TagSlot::kOpening, false, true},
    {"[Variation ", TagSlot::kVariation, false, true},
}};

constexpr std::string_view kMovetextStart = "1.";

// Opening is kept from game to game of an ECO source file; every other slot starts empty.
void ClearSlots(GameHeader& header) {
    for (int i = 0; i < kTagSlotCount; ++i) {
        if (static_cast<TagSlot>(i) != TagSlot::kOpening) {
            header.lengths[static_cast<std::size_t>(i)] = 0;
            header.slots[static_cast<std::size_t>(i)][0] = '\0';
        }
    }
}

void TakeTagLine(GameHeader& header, std::string_view line) {
    for (const SlotRule& rule : kSlotRules) {
        if (line.size() < rule.prefix.size() || line.compare(0, rule.prefix.size(), rule.prefix) != 0) {
            continue;
        }
        if (rule.openingTag && !header.openingTags) {
            return;
        }
        if (rule.firstWins && !header.Slot(rule.slot).empty()) {
            return;
        }
        header.SetSlot(rule.slot, line);
        return;
    }
}

}  // namespace

void GameHeader::SetSlot(TagSlot slot, std::string_view line) {
    const auto index = static_cast<std::size_t>(slot);
    const std::size_t length = std::min(line.size(), kTagSlotSize - 1);
    std::memcpy(slots[index].data(), line.data(), length);
    slots[index][length] = '\0';
    lengths[index] = static_cast<std::uint16_t>(length);
}

void ParseGameHeader(LineReader& reader, GameHeader& header, bool usePendingLine) {
    ClearSlots(header);
    header.firstMovetextLine.present = false;
    bool pendingFirst = usePendingLine && header.pendingLine.present;
    for (;;) {
        std::string_view line;
        int count = 0;
        std::uint64_t offset = 0;
        if (pendingFirst) {
            pendingFirst = false;
            header.pendingLine.present = false;
            line = header.pendingLine.View();
            count = static_cast<int>(header.pendingLine.bytes);
            offset = header.pendingLine.offset;
        } else {
            count = reader.NextLine(line);
            if (count == 0) {
                break;
            }
            offset = header.gameOffset + reader.byteCounter - static_cast<std::uint64_t>(count);
            if (!line.empty() && line[0] == '%') {
                continue;
            }
        }
        if (line.empty()) {
            break;
        }
        if (line.compare(0, kMovetextStart.size(), kMovetextStart) == 0) {
            // The movetext began without a blank line: the parser starts with this line.
            header.firstMovetextLine.Set(line, static_cast<std::uint32_t>(count), offset);
            break;
        }
        if (line[0] == '[') {
            TakeTagLine(header, line);
        }
    }
    header.fenPresent = !header.Slot(TagSlot::kFen).empty();
}

std::size_t ExtractTagValue(char* text) {
    if (text[0] != '[') {
        text[0] = '\0';
        return 0;
    }
    const char* quote = std::strchr(text, '"');
    if (quote == nullptr) {
        text[0] = '\0';
        return 0;
    }
    const char* start = quote + 1;
    while (*start == ' ') {
        ++start;
    }
    const char* close = std::strchr(start, '"');
    const std::size_t length =
        close != nullptr ? static_cast<std::size_t>(close - start) : std::strlen(start);
    std::memmove(text, start, length);
    text[length] = '\0';
    return length;
}

}  // namespace ravelin::gamefile
