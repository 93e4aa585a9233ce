#pragma once

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "chess/movetext.h"
#include "gamefile/line_reader.h"

namespace ravelin::gamefile {

// A tag slot holds the whole tag line as read: 255 characters and a NUL.
inline constexpr std::size_t kTagSlotSize = 256;

// The header tags the program keeps, in the order their prefixes are compared.
enum class TagSlot : int {
    kEvent,
    kSite,
    kDate,
    kRound,
    kWhite,
    kBlack,
    kResult,
    kEco,
    kWhiteElo,
    kBlackElo,
    kFen,
    kAnnotator,
    kOpening,
    kVariation,
};
inline constexpr int kTagSlotCount = static_cast<int>(TagSlot::kVariation) + 1;

// The current game's header: each slot holds the whole tag line ("" = tag absent), with the
// lines the header reader hands on to the movetext parser.
struct GameHeader {
    std::array<std::array<char, kTagSlotSize>, kTagSlotCount> slots{};
    std::array<std::uint16_t, kTagSlotCount> lengths{};
    // The line that ended the header when it begins with "1.".
    chess::HeldLine firstMovetextLine;
    // A line a caller has already read (the tag line that ended the previous game's movetext),
    // parsed as the first header line when ParseGameHeader is asked to.
    chess::HeldLine pendingLine;
    // File offset at which the byte counter of the reader was last reset (the game's start).
    std::uint64_t gameOffset = 0;
    bool fenPresent = false;
    // Set while the file is one of the ECO source files: only then are Opening and Variation read.
    bool openingTags = false;

    std::string_view Slot(TagSlot slot) const {
        const auto index = static_cast<std::size_t>(slot);
        return std::string_view(slots[index].data(), lengths[index]);
    }
    void SetSlot(TagSlot slot, std::string_view line);
};

// Reads tag lines from the reader's position into the header until an empty line, the end of the
// file, or a line beginning with "1." (kept as the first movetext line). With usePendingLine the
// header's pending line is taken as the first line. White and Black keep the first tag of their
// kind, the other slots the last. Allocation-free: batch operations call it for every game.
void ParseGameHeader(LineReader& reader, GameHeader& header, bool usePendingLine);

// Replaces a tag line by its value, in place: the text after the first double quote (blanks
// right after it skipped) up to the next double quote or the end of the line. A line that does
// not begin with "[" becomes empty. Returns the new length. text must be NUL-terminated.
std::size_t ExtractTagValue(char* text);

}  // namespace ravelin::gamefile
