#pragma once

// The "Specific Move" criterion of the header search: "Nxe4" anywhere in a game, "12. Nf3" as
// White's 12th move, "12... Nxe4" as Black's; '?' stands for one character and '*' for any run.

#include <string>
#include <string_view>

#include "chess/move_list.h"

namespace ravelin::search {

struct SpecificMove {
    bool given = false;
    // 0: any move of either side; else the move number whose White (or Black) move is tested.
    int moveNumber = 0;
    bool black = false;
    std::string pattern;
};

// Parses the field: with a '.', the number before it is the move number and "..." after it means
// Black's move; blanks before the pattern are skipped (and blanks after it dropped). Castling
// written with zeros (0-0, 0-0-0) is searched with the letter O.
SpecificMove ParseSpecificMove(std::string_view text);

// Whether the pattern matches the beginning of a move text: '?' matches any one character, '*'
// any run of characters, other characters must be equal, and the pattern must be used up. What
// follows in the text may be a check sign or an annotation, but never more castling: O-O does not
// find O-O-O. An empty pattern or an empty move text never matches.
bool MatchesMovePattern(std::string_view pattern, std::string_view moveText);

// Whether a game's main line (moves white entries) has the move.
bool GameHasSpecificMove(const SpecificMove& move, const chess::MoveList& list, int moves);

}  // namespace ravelin::search
