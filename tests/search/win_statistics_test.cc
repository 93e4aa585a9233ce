#include "search/win_statistics.h"

#include <gtest/gtest.h>

#include <limits>

namespace ravelin::search {
namespace {

TEST(WinStatistics, TwoColourFormCountsDrawsAsTheGamesNeitherSideWon) {
    WinCounts counts;
    counts.games = 10;
    counts.whiteWins = 4;
    counts.blackWins = 3;
    const WinStatisticsLines lines = ComputeWinStatistics(counts);
    EXPECT_EQ(lines.gamesFound, "Number of games found: 10");
    EXPECT_EQ(lines.whiteWins, "White wins: 4  40.0%");
    EXPECT_EQ(lines.whiteScore, "Score: 5.5  55.0%");
    EXPECT_EQ(lines.blackWins, "Black wins: 3  30.0%");
    EXPECT_EQ(lines.blackScore, "Score: 4.5  45.0%");
    EXPECT_EQ(lines.draws, "Draws: 3  30.0%");
    EXPECT_EQ(lines.performance, "");
}

TEST(WinStatistics, OnePlayerFormScoresEachColourWithItsOwnDrawsAndAddsPerformance) {
    SearchResult result;
    result.Clear(0);
    result.Add(1, kOutcomeWhiteWon);
    result.Add(2, kOutcomeWhiteWon);
    result.Add(3, kOutcomeWhiteWon);
    result.Add(4, kOutcomeBlackWon);
    result.Add(5, kOutcomeBlackWon);
    result.Add(6, kOutcomeUndecidedAsWhite);
    result.Add(7, kOutcomeUndecidedAsWhite);
    result.Add(8, kOutcomeUndecidedAsBlack);
    result.Add(9, kOutcomeOther);  // a loss
    result.Add(10, kOutcomeOther);
    result.Recount();
    const WinCounts counts = WinCountsOf(result);
    ASSERT_TRUE(counts.OnePlayer());
    const WinStatisticsLines lines = ComputeWinStatistics(counts);
    EXPECT_EQ(lines.whiteWins, "White wins: 3  30.0%");
    EXPECT_EQ(lines.whiteScore, "Score: 4.0  40.0%");
    EXPECT_EQ(lines.blackWins, "Black wins: 2  20.0%");
    EXPECT_EQ(lines.blackScore, "Score: 2.5  25.0%");
    EXPECT_EQ(lines.draws, "Draws: 3  30.0%");
    EXPECT_EQ(lines.performance, "Performance: 6.5  65.0%");
}

TEST(WinStatistics, MoveSearchResultIsTheTwoColourForm) {
    SearchResult result;
    result.Add(1, kOutcomeWhiteWon);
    result.Add(2, kOutcomeOther);
    EXPECT_FALSE(WinCountsOf(result).OnePlayer());
    EXPECT_EQ(ComputeWinStatistics(WinCountsOf(result)).draws, "Draws: 1  50.0%");
}

TEST(WinStatistics, NoGamesGivesZeroPercentNotADivisionByZero) {
    const WinStatisticsLines lines = ComputeWinStatistics(WinCounts{});
    EXPECT_EQ(lines.whiteWins, "White wins: 0  0.0%");
    EXPECT_EQ(lines.blackScore, "Score: 0.0  0.0%");
}

TEST(WinStatistics, RecordWithoutCountersShowsOnlyTheNumberOfGames) {
    ResultFileRecord record;
    record.games = {1, 2, 3};
    const WinStatisticsLines lines = ComputeWinStatistics(WinCountsOf(record));
    EXPECT_EQ(lines.gamesFound, "Number of games found: 3");
    EXPECT_EQ(lines.whiteWins, "");
    EXPECT_EQ(lines.draws, "");

    record.hasWinCounts = true;
    record.whiteWins = 1;
    record.blackWins = 1;
    EXPECT_EQ(ComputeWinStatistics(WinCountsOf(record)).draws, "Draws: 1  33.3%");
}

TEST(WinStatistics, LoadedRecordWithCountersBeyondItsGamesShowsNoCounters) {
    // Counters as a damaged or foreign .dir file may hold them: the dialog's sums of such values
    // would overflow.
    ResultFileRecord record;
    record.games = {4, 9};
    record.hasWinCounts = true;
    record.whiteWins = std::numeric_limits<int>::max();
    record.blackWins = std::numeric_limits<int>::max();
    WinStatisticsLines lines = ComputeWinStatistics(WinCountsOf(record));
    EXPECT_EQ(lines.gamesFound, "Number of games found: 2");
    EXPECT_EQ(lines.whiteWins, "");
    EXPECT_EQ(lines.draws, "");

    record.whiteWins = 1;
    record.blackWins = 0;
    record.counter3 = std::numeric_limits<int>::max();
    record.counter4 = std::numeric_limits<int>::max();
    const WinCounts counts = WinCountsOf(record);
    EXPECT_FALSE(counts.OnePlayer());
    lines = ComputeWinStatistics(counts);
    EXPECT_EQ(lines.whiteWins, "White wins: 1  50.0%");
    EXPECT_EQ(lines.draws, "Draws: 1  50.0%");
    EXPECT_EQ(lines.performance, "");

    record.counter3 = 1;
    record.counter4 = 0;
    EXPECT_TRUE(WinCountsOf(record).OnePlayer());
}

}  // namespace
}  // namespace ravelin::search
