#pragma once

// The print list: games put aside with "Normal Text" or "Actual Text" and printed in one job by
// "Flush Print List". It is a working file of records (integers 32-bit little-endian):
//   normal text: kind 0, header line 1 (200 bytes), header line 2 (200 bytes), the number of moves,
//                the white and black moves (200 entries of 8 bytes each), the result (8 bytes);
//   actual text: kind 1, then lines as a length and its bytes (one blank for an empty line), and a
//                length of 0.

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chess/move_list.h"

namespace ravelin::reports {

inline constexpr char kPrintListFileName[] = "printerq.xyz";
inline constexpr std::size_t kHeaderLineField = 200;
inline constexpr std::size_t kNormalRecordSize = 4 + 2 * kHeaderLineField + 4 + 2 * 1600 + 8;
// A longer line of a game's text is not something a PGN file holds; it is refused, not stored.
inline constexpr std::size_t kMaxPrintedLine = 1 << 20;

inline constexpr char kGameAddedToPrintList[] = "Game added to print list.";
inline constexpr char kNoGamesForPrinting[] = "There are no games selected for printing.";
inline constexpr char kFlushPrintList[] = "Flush the print list?";

struct PrintedGame {
    enum class Kind { kNormal = 0, kActual = 1 } kind = Kind::kNormal;
    // Normal text.
    std::string headerLine1;
    std::string headerLine2;
    std::vector<std::string> whiteMoves;  // one entry per move; the last black move may be empty
    std::vector<std::string> blackMoves;
    std::string result;
    // Actual text: the game's lines, an empty line as it is.
    std::vector<std::string> lines;
};

// "File: %s   Game: %s   Event: %s   Site: %s   Date: %s   Round: %s" and "White: %s   Black: %s
// Result: %s   ECO: %s", each cut to the 199 characters its field holds.
std::string HeaderLine1(std::string_view file, std::string_view game, std::string_view event,
                        std::string_view site, std::string_view date, std::string_view round);
std::string HeaderLine2(std::string_view white, std::string_view black, std::string_view result,
                        std::string_view eco);

// The record of a game. Actual text: an empty line becomes one blank and trailing empty lines are
// dropped.
std::vector<std::uint8_t> EncodePrintedGame(const PrintedGame& game);
// Every record of the list's bytes; nothing when they are not a list's records.
std::optional<std::vector<PrintedGame>> DecodePrintList(std::string_view bytes);

// The game's lines as the actual-text record holds them: up to the tag line after its movetext.
std::vector<std::string> GameTextLines(std::string_view gameText);

}  // namespace ravelin::reports
