#pragma once

// Duplicate games from the fast file's move records: each game's moves as 16-bit words, so two
// games are compared with one memory comparison and no movetext is read.

#include <cstdint>
#include <string>
#include <vector>

#include "utilities/duplicates.h"

namespace ravelin::utilities {

// The move words of every game, one record per game in file order.
struct MoveRecords {
    std::string words;                  // little-endian byte pairs, the records one after another
    std::vector<std::uint32_t> starts;  // byte offset of each record in words
    std::vector<int> plies;
    int Count() const { return static_cast<int>(plies.size()); }
};

// Reads the fast file of the PGN file. nullptr on success, else the message: the fast file is
// missing or its record count differs from the game count ("Warning: You need to run 'Make Fast
// File' again."), or there is no memory for it.
const char* ReadFastMoveRecords(const std::string& pgnPath, int gameCount, MoveRecords& records);

// Compares each game with the next look-ahead - 1 games (every later game with entireFile): ply
// counts within twice the maximum difference and the first min(plies) words equal (at least one).
// The game with fewer plies is marked, the later one on a tie.
DuplicateResult FindDuplicateRecords(const MoveRecords& records, const DuplicateSettings& settings,
                                     const UtilityProgress& progress);

}  // namespace ravelin::utilities
