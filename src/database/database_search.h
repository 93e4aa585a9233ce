#pragma once

// The database search: player names through the root table and the name chains, year, result,
// ECO, number of moves, site and event from the game records and header records, positions
// through the position file's signatures. The result is a list of 0-based game indices.

#include <optional>
#include <string>
#include <vector>

#include "database/database_reader.h"
#include "search/fast_move.h"

namespace ravelin::database {

inline constexpr char kNothingToSearch[] = "Nothing to search.";
inline constexpr char kNeedMoreCriteria[] = "You must specify additional search criteria.";
inline constexpr char kNumberOfGamesFound[] = "Number of games found";

struct DatabaseCriteria {
    std::string white;
    std::string black;  // a leading '*' means either colour
    std::string year;
    std::string result;
    std::string eco;
    std::string moves;
    std::string site;
    std::string event;
    bool eitherColor = false;
    bool exactMatch = false;
    std::optional<search::FastBoard> position;
    bool sortByYear = false;
    bool descending = false;
};

struct DatabaseSearchOutcome {
    // nullptr when the search ran; else the message ("Nothing to search.", "Root error." ...).
    const char* failure = nullptr;
    std::vector<int> games;  // 0-based record indices in result order
};

DatabaseSearchOutcome SearchDatabase(const Database& database, const DatabaseCriteria& criteria);

// The result file: the indices, 4 bytes each; written whole through the safe rewrite.
bool WriteResultFile(const std::string& path, const std::vector<int>& games);

// The board of a FEN text's placement field, in the fast file's square order; nullopt when it is
// not a placement of eight ranks.
std::optional<search::FastBoard> FastBoardOfFen(std::string_view fen);

}  // namespace ravelin::database
