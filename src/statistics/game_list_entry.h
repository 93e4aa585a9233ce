#pragma once

// One game's row of the Select Game list as a fixed 100-byte record, the layout the game list
// cache stores: zero-terminated texts cut to their widths and the two ratings as 32-bit
// little-endian integers.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

namespace ravelin::statistics {

inline constexpr std::size_t kGameListEntrySize = 100;

struct GameListField {
    std::size_t offset;
    std::size_t width;   // bytes of the field
    std::size_t length;  // the text holds at most this many characters
};

inline constexpr GameListField kEntryWhite{0, 20, 19};
inline constexpr GameListField kEntryBlack{20, 20, 19};
inline constexpr GameListField kEntryResult{40, 8, 7};
inline constexpr GameListField kEntryDate{48, 12, 10};
inline constexpr GameListField kEntryEco{60, 8, 7};
inline constexpr std::size_t kEntryWhiteEloOffset = 68;
inline constexpr std::size_t kEntryBlackEloOffset = 72;
inline constexpr GameListField kEntryRound{76, 4, 3};
inline constexpr GameListField kEntryEvent{80, 20, 19};

struct GameListEntry {
    std::array<char, kGameListEntrySize> bytes{};

    std::string_view Text(GameListField field) const;
    void SetText(GameListField field, std::string_view text);
    std::int32_t Number(std::size_t offset) const;
    void SetNumber(std::size_t offset, std::int32_t value);

    std::string_view White() const { return Text(kEntryWhite); }
    std::string_view Black() const { return Text(kEntryBlack); }
    std::string_view Result() const { return Text(kEntryResult); }
    std::string_view Date() const { return Text(kEntryDate); }
    std::string_view Eco() const { return Text(kEntryEco); }
    std::string_view Round() const { return Text(kEntryRound); }
    std::string_view Event() const { return Text(kEntryEvent); }
    std::int32_t WhiteElo() const { return Number(kEntryWhiteEloOffset); }
    std::int32_t BlackElo() const { return Number(kEntryBlackEloOffset); }
};
static_assert(sizeof(GameListEntry) == kGameListEntrySize);

// The Round shown in the list: a value that begins with a letter keeps its text from its first
// digit on (none: empty), and a value whose second or else third character is "." ends before it.
std::string_view ListRound(std::string_view round);

}  // namespace ravelin::statistics
