#pragma once

#include <array>

#include "chess/move_list.h"
#include "eco/eco_table.h"

namespace ravelin::eco {

// How an entry is compared with the game: moves in any order within the same number of moves
// (transposition, modes 1 and 2), or move by move as stored (exact, mode 3).
enum class MatchMode { kClosestMatch = 1, kExactNumberOfMoves = 2, kExactVariation = 3 };

// The game side of a match, taken once from the displayed game's move lists: its first
// kMaxEcoMovesPerSide moves as played (exact rule) and the working lists of the transposition rule
// (trailing "+" removed; the copy stops after the first empty white move, emptying its black slot,
// or after the first empty black move).
struct EcoGameMoves {
    std::array<PackedMove, kMaxEcoMovesPerSide> exactWhite{};
    std::array<PackedMove, kMaxEcoMovesPerSide> exactBlack{};
    std::array<PackedMove, kMaxEcoMovesPerSide> white{};
    std::array<PackedMove, kMaxEcoMovesPerSide> black{};
};

EcoGameMoves PrepareGameMoves(const chess::MoveList& moves);

// True when entry e matches the game under the mode. plyLimit (0 = none) cuts the entry to its
// first plyLimit plies first. An entry longer than the working lists (only possible in a table
// edited by hand) does not match uncut.
bool EntryMatches(const EcoTable& table, const EcoGameMoves& game, int entry, MatchMode mode, int plyLimit);

// The closest match for the game's first P plies: best1 is the first of the longest entries the
// game has completed, best2 the first of the longest entries whose first P plies the game matches.
struct OpeningMatch {
    int entry = kNoEcoEntry;
    int best1 = kNoEcoEntry;
    int best2 = kNoEcoEntry;
    int best2Plies = 0;
};

OpeningMatch ClosestMatch(const EcoTable& table, const EcoGameMoves& game, int plies);

// The entry of the closest match for the first P plies, or kNoEcoEntry.
int ClassifyOpening(const EcoTable& table, const EcoGameMoves& game, int plies);

// One of the three Find Opening rules: the closest match, or the first entry of exactly P plies
// that matches by transposition or move by move. kNoEcoEntry when none.
int FindOpening(const EcoTable& table, const EcoGameMoves& game, int plies, MatchMode mode);

}  // namespace ravelin::eco
