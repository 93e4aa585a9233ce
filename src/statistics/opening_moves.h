#pragma once

// The first moves of a game as the openings read them from its movetext: up to three moves a
// side in SAN, check marks and glyphs dropped, comments, variations and move numbers skipped.

#include <array>
#include <string>
#include <string_view>

#include "statistics/pgn_game_tags.h"

namespace ravelin::statistics {

struct OpeningMoves {
    std::array<std::string, kOpeningMovesPerSide> white;
    std::array<std::string, kOpeningMovesPerSide> black;
    int plies = 0;
};

// Reads movetext such as "1.e4 {best} c5 2.Nf3 (2.c3) d6 $1". Reading stops at the result or
// after three moves a side.
OpeningMoves ReadOpeningMoves(std::string_view movetext);

}  // namespace ravelin::statistics
