#include <gtest/gtest.h>

#include "gamefile/progress_text.h"

namespace ravelin::gamefile {
namespace {

using gamefile::BackgroundKind;

std::string Line(BackgroundKind kind, int current, int found, int total,
                 ProgressVariant variant = ProgressVariant::kPlain) {
    return ProgressCounterText(kind, variant, ProgressCounters{current, found, total});
}

// --- counter lines ---

TEST(ProgressCounterLine, NothingFoundShowsPercentComplete) {
    EXPECT_EQ(Line(BackgroundKind::kFastFile, 50, 0, 200), "Game:  50 of 200    25% complete");
    EXPECT_EQ(Line(BackgroundKind::kFastFile, 1, 0, 0), "Game:  1 of 0    0% complete");
}

TEST(ProgressCounterLine, OneFoundIsSingular) {
    EXPECT_EQ(Line(BackgroundKind::kCheckFile, 3, 1, 10), "Game:  3 of 10  30%  1 error");
    EXPECT_EQ(Line(BackgroundKind::kCheckFile, 3, 1, 10, ProgressVariant::kDeleteFenGames),
              "Game:  3 of 10  30%  1 FEN");
    EXPECT_EQ(Line(BackgroundKind::kDuplicateGames, 3, 1, 10), "Game:  3 of 10  30%  1 duplicate");
}

TEST(ProgressCounterLine, SeveralFoundArePlural) {
    EXPECT_EQ(Line(BackgroundKind::kCheckFile, 4, 2, 8), "Game:  4 of 8  50%  2 errors");
    EXPECT_EQ(Line(BackgroundKind::kCheckFile, 4, 2, 8, ProgressVariant::kDeleteFenGames),
              "Game:  4 of 8  50%  2 FEN's");
    EXPECT_EQ(Line(BackgroundKind::kDuplicateGames, 4, 2, 8), "Game:  4 of 8  50%  2 duplicates");
}

TEST(ProgressCounterLine, ManyDuplicatesOfAHugeFileAreShortened) {
    EXPECT_EQ(Line(BackgroundKind::kDuplicateGames, 100000, 1000, 150000),
              "Game:  100000 of 150000  67%  1000 dups");
    EXPECT_EQ(Line(BackgroundKind::kDuplicateGames, 99999, 1000, 150000),
              "Game:  99999 of 150000  67%  1000 duplicates");
    EXPECT_EQ(Line(BackgroundKind::kDuplicateGames, 100000, 999, 150000),
              "Game:  100000 of 150000  67%  999 duplicates");
}

TEST(ProgressCounterLine, DirectorySearchAndSplitBeforeCounting) {
    EXPECT_EQ(Line(BackgroundKind::kDirectorySearch, 1, 0, 0), "Searching first file...");
    EXPECT_EQ(
        ProgressCounterText(BackgroundKind::kDirectorySearch, ProgressVariant::kPlain, {2, 0, 8}, "b.pgn"),
        "File:  2 of 8  25%  b.pgn");
    EXPECT_EQ(Line(BackgroundKind::kSplitFile, 1, 0, 0), "Calculating number of games...");
}

// --- bar steps ---

TEST(ProgressBarSteps, FinerStepsForLargerTotals) {
    EXPECT_DOUBLE_EQ(ProgressBarStep(19999, ProgressVariant::kPlain), 0.05);
    EXPECT_DOUBLE_EQ(ProgressBarStep(20000, ProgressVariant::kPlain), 0.025);
    EXPECT_DOUBLE_EQ(ProgressBarStep(29999, ProgressVariant::kPlain), 0.025);
    EXPECT_DOUBLE_EQ(ProgressBarStep(30000, ProgressVariant::kPlain), 0.02);
    EXPECT_DOUBLE_EQ(ProgressBarStep(40000, ProgressVariant::kPlain), 0.01);
    EXPECT_DOUBLE_EQ(ProgressBarStep(10, ProgressVariant::kWholeFileDuplicates), 0.01);
}

TEST(ProgressBarSteps, CheckOf25000GamesRedrawsInTwoAndAHalfPercentSteps) {
    ProgressBar bar;
    int redraws = 0;
    for (int game = 1; game <= 25000; ++game) {
        if (bar.Advance({game, 0, 25000}, ProgressVariant::kPlain) >= 0) {
            ++redraws;
        }
    }
    EXPECT_EQ(redraws, 40);
    EXPECT_DOUBLE_EQ(bar.Drawn(), 1.0);
}

TEST(ProgressBarSteps, FractionIsClampedToTheBar) {
    ProgressBar bar;
    EXPECT_DOUBLE_EQ(bar.Advance({30, 0, 10}, ProgressVariant::kPlain), 1.0);
    ProgressBar empty;
    EXPECT_LT(empty.Advance({5, 0, 0}, ProgressVariant::kPlain), 0);
}

}  // namespace
}  // namespace ravelin::gamefile
