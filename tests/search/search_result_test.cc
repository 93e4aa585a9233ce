// What is shown of a search's result: the win statistics and the entries of a directory search's
// files. (The match list walked by Next and Prev Game, and the list's total line, are checked
// through the commands that show them.)

#include <gtest/gtest.h>

#include <limits>

#include "search/search_file_list.h"
#include "search/win_statistics.h"

namespace ravelin::search {
namespace {

// --- win statistics ---

using Lines = std::vector<std::string>;

Lines AllLines(const WinStatisticsLines& lines) {
    return {lines.gamesFound, lines.whiteWins, lines.whiteScore, lines.blackWins,
            lines.blackScore, lines.draws,     lines.performance};
}

TEST(WinStatistics, TwoColourFormCountsDrawsAsTheGamesNeitherSideWon) {
    WinCounts counts;
    counts.games = 10;
    counts.whiteWins = 4;
    counts.blackWins = 3;
    EXPECT_EQ(AllLines(ComputeWinStatistics(counts)),
              (Lines{"Number of games found: 10", "White wins: 4  40.0%", "Score: 5.5  55.0%",
                     "Black wins: 3  30.0%", "Score: 4.5  45.0%", "Draws: 3  30.0%", ""}));
    // A move search's result is this form; no games give zero percent, not a division by zero.
    SearchResult moves;
    moves.Add(1, kOutcomeWhiteWon);
    moves.Add(2, kOutcomeOther);
    EXPECT_FALSE(WinCountsOf(moves).OnePlayer());
    EXPECT_EQ(ComputeWinStatistics(WinCountsOf(moves)).draws, "Draws: 1  50.0%");
    EXPECT_EQ(ComputeWinStatistics(WinCounts{}).whiteWins, "White wins: 0  0.0%");
    EXPECT_EQ(ComputeWinStatistics(WinCounts{}).blackScore, "Score: 0.0  0.0%");
}

TEST(WinStatistics, OnePlayerFormScoresEachColourWithItsOwnDrawsAndAddsPerformance) {
    // Won as White three times, as Black twice; undecided twice as White, once as Black; two lost.
    SearchResult result;
    result.Clear(0);
    int game = 0;
    for (const std::uint8_t outcome : {kOutcomeWhiteWon, kOutcomeWhiteWon, kOutcomeWhiteWon, kOutcomeBlackWon,
                                       kOutcomeBlackWon, kOutcomeUndecidedAsWhite, kOutcomeUndecidedAsWhite,
                                       kOutcomeUndecidedAsBlack, kOutcomeOther, kOutcomeOther}) {
        result.Add(++game, outcome);
    }
    result.Recount();
    const WinCounts counts = WinCountsOf(result);
    ASSERT_TRUE(counts.OnePlayer());
    EXPECT_EQ(
        AllLines(ComputeWinStatistics(counts)),
        (Lines{"Number of games found: 10", "White wins: 3  30.0%", "Score: 4.0  40.0%",
               "Black wins: 2  20.0%", "Score: 2.5  25.0%", "Draws: 3  30.0%", "Performance: 6.5  65.0%"}));
}

TEST(WinStatistics, RecordsWithoutCountersOrWithCountersBeyondTheirGamesShowOnlyTheNumberOfGames) {
    ResultFileRecord record;
    record.games = {1, 2, 3};
    WinStatisticsLines lines = ComputeWinStatistics(WinCountsOf(record));
    EXPECT_EQ(lines.gamesFound, "Number of games found: 3");
    EXPECT_EQ(lines.whiteWins, "");
    EXPECT_EQ(lines.draws, "");
    record.hasWinCounts = true;
    record.whiteWins = 1;
    record.blackWins = 1;
    EXPECT_EQ(ComputeWinStatistics(WinCountsOf(record)).draws, "Draws: 1  33.3%");

    // Counters as a damaged or foreign .dir file may hold them: the sums of such values would
    // overflow.
    record.games = {4, 9};
    record.whiteWins = std::numeric_limits<int>::max();
    record.blackWins = std::numeric_limits<int>::max();
    lines = ComputeWinStatistics(WinCountsOf(record));
    EXPECT_EQ(lines.gamesFound, "Number of games found: 2");
    EXPECT_EQ(lines.whiteWins, "");
    record.whiteWins = 1;
    record.blackWins = 0;
    record.counter3 = std::numeric_limits<int>::max();
    record.counter4 = std::numeric_limits<int>::max();
    EXPECT_FALSE(WinCountsOf(record).OnePlayer());
    lines = ComputeWinStatistics(WinCountsOf(record));
    EXPECT_EQ(lines.whiteWins, "White wins: 1  50.0%");
    EXPECT_EQ(lines.draws, "Draws: 1  50.0%");
    EXPECT_EQ(lines.performance, "");
    record.counter3 = 1;
    record.counter4 = 0;
    EXPECT_TRUE(WinCountsOf(record).OnePlayer());
}

// --- the files of a directory search ---

TEST(SearchFileListTest, EntriesInMixedCaseCutWithATildeUntilTheyFit) {
    // A small first letter or two capitals: mixed case, small after a digit or punctuation.
    const std::pair<const char*, const char*> entries[] = {
        {"SICILIAN:3", "Sicilian:3"},           {"najdorf:12", "Najdorf:12"},   {"my-games:1", "My-Games:1"},
        {"WORLD CH 2004:2", "World Ch 2004:2"}, {"x_yZ:1", "X_yz:1"},           {"a2B:1", "A2b:1"},
        {"Kasparov-DEEP:1", "Kasparov-DEEP:1"}, {"2004games:1", "2004games:1"}, {"B:4", "B:4"}};
    for (const auto& [entry, shown] : entries) {
        EXPECT_EQ(MixedCaseEntry(entry), shown);
    }
    EXPECT_EQ(SearchFileListEntry("Dortmund", 17, AverageTextWidth, false), "Dortmund:17");
    // Six units a character: 340 units hold 56 characters, 136 hold 22.
    const std::string name = "Abcdefghij" + std::string(45, 'k');  // 55 characters
    EXPECT_EQ(SearchFileListEntry(name, 5, AverageTextWidth, false), name.substr(0, 53) + "~:5");
    EXPECT_EQ(SearchFileListEntry(name, 123, AverageTextWidth, true), name.substr(0, 17) + "~:123");
    // The cut starts at 55 characters even when more would fit; mixed case applies before it.
    const auto generous = [](std::string_view text) { return text.size() > 58 ? 1000 : 10; };
    EXPECT_EQ(SearchFileListEntry(std::string(70, 'Q'), 1, generous, false),
              "Q" + std::string(53, 'q') + "~:1");
    const auto tiny = [](std::string_view) { return 1000; };
    EXPECT_EQ(SearchFileListEntry("Dortmund", 3, tiny, false), "~:3");
}

}  // namespace
}  // namespace ravelin::search
