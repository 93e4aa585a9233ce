#pragma once

// The lines of the "Win Statistics" dialog: the games found, the wins of each colour, the draws
// and the scores, and for a one-player search the player's performance.

#include <string>

#include "search/directory_search_file.h"
#include "search/search_result.h"

namespace ravelin::search {

inline constexpr char kWinStatisticsTitle[] = "Win Statistics";

struct WinCounts {
    int games = 0;
    int whiteWins = 0;
    int blackWins = 0;
    // A one-player search counts the player's undecided games by the player's colour; otherwise
    // both are kNotCounted and the draws are the games neither side won.
    int drawsAsWhite = kNotCounted;
    int drawsAsBlack = kNotCounted;
    // A record of a result file written without its counters has none to show.
    bool winsCounted = true;

    bool OnePlayer() const { return drawsAsWhite >= 0 && drawsAsBlack >= 0; }
};

WinCounts WinCountsOf(const SearchResult& result);
WinCounts WinCountsOf(const ResultFileRecord& record);

// Each line empty when the dialog does not show it.
struct WinStatisticsLines {
    std::string gamesFound;   // "Number of games found: %d"
    std::string whiteWins;    // "White wins: %d  %.1f%%"
    std::string whiteScore;   // "Score: %.1f  %.1f%%", beside the White wins
    std::string blackWins;    // "Black wins: %d  %.1f%%"
    std::string blackScore;   // beside the Black wins
    std::string draws;        // "Draws: %d  %.1f%%"
    std::string performance;  // "Performance: %.1f  %.1f%%", one-player searches only
};

WinStatisticsLines ComputeWinStatistics(const WinCounts& counts);

}  // namespace ravelin::search
