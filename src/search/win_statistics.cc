#include "search/win_statistics.h"

#include <cstdint>
#include <cstdio>

namespace ravelin::search {

namespace {

double PercentOf(double part, int games) {
    return games > 0 ? part * 100.0 / games : 0.0;
}

std::string CountLine(const char* label, int count, int games) {
    char text[96];
    std::snprintf(text, sizeof text, "%s: %d  %.1f%%", label, count, PercentOf(count, games));
    return text;
}

std::string ScoreLine(const char* label, double score, int games) {
    char text[96];
    std::snprintf(text, sizeof text, "%s: %.1f  %.1f%%", label, score, PercentOf(score, games));
    return text;
}

}  // namespace

WinCounts WinCountsOf(const SearchResult& result) {
    WinCounts counts;
    counts.games = result.Count();
    counts.whiteWins = result.whiteWins;
    counts.blackWins = result.blackWins;
    if (result.counter3 >= 0 && result.counter4 >= 0) {
        counts.drawsAsWhite = result.counter3;
        counts.drawsAsBlack = result.counter4;
    }
    return counts;
}

WinCounts WinCountsOf(const ResultFileRecord& record) {
    WinCounts counts;
    counts.games = record.Count();
    // A loaded result file can carry any counters: only those that fit the record's games are
    // shown, so that the sums of the dialog stay within the games (and within an int).
    const std::int64_t games = counts.games;
    const std::int64_t wins = std::int64_t{record.whiteWins} + record.blackWins;
    counts.winsCounted =
        record.hasWinCounts && record.whiteWins >= 0 && record.blackWins >= 0 && wins <= games;
    counts.whiteWins = counts.winsCounted ? record.whiteWins : 0;
    counts.blackWins = counts.winsCounted ? record.blackWins : 0;
    if (counts.winsCounted && record.counter3 >= 0 && record.counter4 >= 0 &&
        wins + record.counter3 + record.counter4 <= games) {
        counts.drawsAsWhite = record.counter3;
        counts.drawsAsBlack = record.counter4;
    }
    return counts;
}

WinStatisticsLines ComputeWinStatistics(const WinCounts& counts) {
    WinStatisticsLines lines;
    const int n = counts.games;
    char text[96];
    std::snprintf(text, sizeof text, "Number of games found: %d", n);
    lines.gamesFound = text;
    if (!counts.winsCounted) {
        return lines;
    }
    const int w = counts.whiteWins;
    const int b = counts.blackWins;
    const bool onePlayer = counts.OnePlayer();
    const int draws = onePlayer ? counts.drawsAsWhite + counts.drawsAsBlack : n - w - b;
    const double whiteHalf = (onePlayer ? counts.drawsAsWhite : draws) / 2.0;
    const double blackHalf = (onePlayer ? counts.drawsAsBlack : draws) / 2.0;
    lines.whiteWins = CountLine("White wins", w, n);
    lines.blackWins = CountLine("Black wins", b, n);
    lines.draws = CountLine("Draws", draws, n);
    lines.whiteScore = ScoreLine("Score", w + whiteHalf, n);
    lines.blackScore = ScoreLine("Score", b + blackHalf, n);
    if (onePlayer) {
        lines.performance = ScoreLine("Performance", w + b + draws / 2.0, n);
    }
    return lines;
}

}  // namespace ravelin::search
