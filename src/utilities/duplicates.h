#pragma once

// Duplicate games: the finder compares the main lines of games, the deletion leaves the marked
// games out of the file. The finder works on move records any source can supply (a PGN file's
// movetext here; a database or merge file supplies its own).

#include <string>
#include <vector>

#include "utilities/pgn_text.h"

namespace ravelin::utilities {

inline constexpr int kMaxDuplicates = 10000;
inline constexpr char kMaximumDuplicatesWarning[] = "Warning: Maximum number of duplicates found.";
inline constexpr char kNoDuplicateGames[] = "No duplicate games found.";
inline constexpr char kDuplicateGamesDeleted[] = "Duplicate games deleted.";

struct DuplicateSettings {
    int lookAhead = 100;
    int maxMoveDifference = 2;
    bool entireFile = false;
};

// The main line of one game: each ply's SAN text in a fixed 8-byte slot.
struct GameLine {
    std::string plies;  // 8 bytes per ply
    int whiteMoves = 0;
    int PlyCount() const { return static_cast<int>(plies.size() / 8); }
};

struct DuplicatePair {
    int first = 0;  // 1-based, first < second
    int second = 0;
};

struct DuplicateResult {
    std::vector<DuplicatePair> pairs;
    std::vector<int> marked;  // 1-based games to delete, in the order found
    bool limitReached = false;
    bool cancelled = false;
};

// Whether two games are duplicates: their white moves and their complete move pairs differ by at
// most maxDifference, and their first min(white moves) moves agree (at least 1), a missing black
// move at the last compared move counting as agreement.
bool AreDuplicates(const GameLine& a, const GameLine& b, int maxDifference);

// Compares each game with the games after it, up to the look-ahead (all with entireFile), or,
// with currentGame (1-based) > 0, that game with every other.
DuplicateResult FindDuplicates(const std::vector<GameLine>& games, const DuplicateSettings& settings,
                               int currentGame, const UtilityProgress& progress);

// The main lines of every game of the file, read quietly. progress reports reading.
std::vector<GameLine> ReadGameLines(const PgnText& text, const UtilityProgress& progress);

// The file without the marked games (1-based); every other byte is kept.
std::string DeleteDuplicates(const PgnText& text, std::vector<int> marked);

}  // namespace ravelin::utilities
