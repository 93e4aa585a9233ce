#pragma once

// The squares of the move that led to a position, found by comparing the boards before and after
// it: the move list keeps only the move's text.

#include <optional>

#include "chess/board.h"
#include "display/board_geometry.h"

namespace ravelin::display {

struct LastMoveSquares {
    BoardSquare from;
    BoardSquare to;
};

// The square the moving piece left and the one it reached; for a castling the king's, for an en
// passant capture the capturing pawn's. Nothing when the boards do not differ by one move.
std::optional<LastMoveSquares> FindLastMove(const chess::Board& before, const chess::Board& after);

}  // namespace ravelin::display
