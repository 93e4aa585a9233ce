#pragma once

// The Select Game list's table: one 100-byte summary row per game of the open file, built from
// the fast header file or the headers, with a guessed ECO code for games without one, and kept
// in the game list cache beside files of more than 1000 games.

#include <string>
#include <vector>

#include "eco/eco_table.h"
#include "statistics/cache_file.h"
#include "statistics/game_list_entry.h"
#include "statistics/main_openings.h"
#include "statistics/report_source.h"

namespace ravelin::statistics {

// Files of more than this many games keep the table in the cache file.
inline constexpr int kGameListCacheThreshold = 1000;

struct GameListTable {
    std::vector<GameListEntry> entries;  // entry i is game i + 1
    bool fromCache = false;
    bool cacheWritten = false;
};

// The cache file of a PGN file: its path with the last character replaced by "s".
std::string GameListCachePath(const std::string& pgnPath);

// The entry of one game's tags (the guessed code is used when the game has no ECO tag).
GameListEntry MakeGameListEntry(const GameTags& tags, std::string_view guessedEco);

// Builds the table for every game of source's file (its game list is ignored): from the cache
// when it is trusted, else from the fast header file or the PGN text, then written to the cache
// for a file of more than kGameListCacheThreshold games.
GameListTable BuildGameListTable(const ReportSource& source, const eco::EcoTable& table,
                                 const MainOpenings& openings);

// The code of the first main opening the game's moves contain, "" when none or when the game
// starts from a set-up position.
std::string GuessEco(const GameTags& gameWithMoves, const eco::EcoTable& table, const MainOpenings& openings);

// The row formats of the list: 0 players, result, date and ECO; 1 players with ratings, result,
// round and the ECO family; 2 players, result, round and event.
inline constexpr int kGameListFormats = 3;
std::string GameListRow(const GameListEntry& entry, int gameNumber, int format);

// An ECO source file's list: "%4d %s %s" of number, ECO and Opening, with "-" and the Variation
// when there is one, for the covered games.
std::vector<std::string> EcoSourceRows(const ReportSource& source);

}  // namespace ravelin::statistics
