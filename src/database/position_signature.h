#pragma once

// Position signatures: a 16-bit digest of a board, one per position of a game in the position
// file, sorted so that a search can tell quickly whether a game may reach a position.

#include <array>
#include <cstdint>
#include <vector>

#include "chess/board.h"
#include "search/fast_move.h"

namespace ravelin::database {

// The board's 64 bytes read as sixteen little-endian 32-bit words and added (wrapping); the high
// half of the sum XOR its low half.
std::uint16_t PositionSignature(const search::FastBoard& board);

// Replays move words from the start position and writes the position record over them: the word
// 2 * plies, then the signatures of the positions after plies 1..plies in increasing order. words
// holds the moves and the result word (plies + 1 words, little-endian byte pairs).
void WritePositionRecord(std::uint8_t* words, int plies);

// A board of the chess core ([file][rank]) in the fast file's square order.
search::FastBoard FastBoardOf(const chess::Board& board);

// A board to reach, with what tells early that a game can no longer reach it: its number of
// pieces and the pawns it still has on their starting squares.
struct PositionTarget {
    search::FastBoard board{};
    int pieces = 0;
    std::array<std::uint8_t, 16> homePawns{};
    int homePawnCount = 0;
};
PositionTarget MakePositionTarget(const search::FastBoard& board);

// Whether the moves (from the start position) reach the board at some ply after the first move.
bool MovesReachBoard(const std::uint8_t* words, int plies, const PositionTarget& target);

}  // namespace ravelin::database
