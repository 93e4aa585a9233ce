#include "statistics/game_list_entry.h"

#include <algorithm>
#include <cstring>

namespace ravelin::statistics {

std::string_view GameListEntry::Text(GameListField field) const {
    const char* start = bytes.data() + field.offset;
    return std::string_view(start, strnlen(start, field.length));
}

void GameListEntry::SetText(GameListField field, std::string_view text) {
    char* start = bytes.data() + field.offset;
    std::memset(start, 0, field.width);
    if (!text.empty()) {
        std::memcpy(start, text.data(), std::min(text.size(), field.length));
    }
}

std::int32_t GameListEntry::Number(std::size_t offset) const {
    std::uint32_t value = 0;
    for (int i = 3; i >= 0; --i) {
        value = (value << 8) | static_cast<unsigned char>(bytes[offset + static_cast<std::size_t>(i)]);
    }
    return static_cast<std::int32_t>(value);
}

void GameListEntry::SetNumber(std::size_t offset, std::int32_t value) {
    const auto bits = static_cast<std::uint32_t>(value);
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[offset + i] = static_cast<char>((bits >> (8 * i)) & 0xff);
    }
}

std::string_view ListRound(std::string_view round) {
    if (!round.empty() && round[0] > '9' && round[0] != '?') {
        const std::size_t digit = round.find_first_of("0123456789", 1);
        round = digit == std::string_view::npos ? std::string_view() : round.substr(digit);
    }
    if (round.size() > 1 && round[1] == '.') {
        return round.substr(0, 1);
    }
    if (round.size() > 2 && round[2] == '.') {
        return round.substr(0, 2);
    }
    return round.substr(0, 3);
}

}  // namespace ravelin::statistics
