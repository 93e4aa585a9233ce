#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chess/chess_context.h"

namespace ravelin::chess {

// The deepest perft the command accepts; deeper counts run for hours through this legality check.
inline constexpr int kMaxPerftDepth = 8;

// One legal move of a position with the number of move sequences below it.
struct PerftSplit {
    std::string san;
    std::uint64_t nodes = 0;
};

// Counts the legal move sequences of the given depth from the position on the board, the mover
// being the side of the ply. Every from-square x to-square (x promotion piece for a pawn reaching
// the last rank) goes through MakeCoordinateMove; moves above the last level are committed, which
// writes their SAN text and plays it through the SAN reader. With split, the count below each
// first move is listed too. The position is restored afterwards.
std::uint64_t Perft(ChessContext& context, int ply, int depth, std::vector<PerftSplit>* split = nullptr);

// The SAN texts of the legal moves of the mover of the ply, in from-square order.
std::vector<std::string> LegalMoveTexts(ChessContext& context, int ply);

// Sets the context to a FEN position ("startpos" accepted) and answers the ply whose mover is the
// side to move (1 white, 2 black), or 0 with the refusal in error.
int SetUpFen(ChessContext& context, std::string_view fen, std::string& error);

}  // namespace ravelin::chess
