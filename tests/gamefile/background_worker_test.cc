#include "gamefile/background_worker.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>
#include <tuple>

#include "gamefile/progress_text.h"
#include "platform/headless/headless_platform.h"

namespace ravelin::gamefile {
namespace {

constexpr int kModeGame = 2;
constexpr int kModeBackground = 100;

// A worker on the scripted platform. Operations wait for the test to let them go on, so every
// step is deterministic: the test joins the thread and then runs the posted calls.
class BackgroundWorkerTest : public ::testing::Test {
  protected:
    void SetUp() override {
        worker = BackgroundWorker::Create(BackgroundHost{
            platform, platform.progress, [this](const std::string& text) { shown.push_back(text); },
            [this](bool busy) { displayMode = busy ? kModeBackground : kModeGame; }});
    }
    void Run() {
        platform.RunPending([this](int id) { commands.push_back(id); });
    }
    // Lets a held operation go on, joins the finished worker and runs what it posted.
    void Finish() {
        go.set_value();
        worker->Join();
        Run();
    }
    bool Start(BackgroundKind kind, BackgroundBody body, std::string refusal = {}) {
        BackgroundRequest request;
        request.kind = kind;
        request.title = "Title";
        request.total = 10;
        request.cancelRefusal = std::move(refusal);
        return worker->StartBackgroundOperation(request, std::move(body));
    }
    // An operation that waits until Finish, notes whether a stop was asked for and gives the report.
    BackgroundBody Held(BackgroundReport report) {
        return [this, report](WorkerContext& context) {
            release.wait();
            context.UpdateProgress(10, 0, 10);
            stopped = context.StopRequested();
            return report;
        };
    }

    platform::HeadlessPlatform platform;
    int displayMode = kModeGame;
    std::vector<std::string> shown;
    std::vector<int> commands;
    std::shared_ptr<BackgroundWorker> worker;
    std::promise<void> go;
    std::shared_future<void> release = go.get_future().share();
    bool stopped = false;
};

TEST_F(BackgroundWorkerTest, RunningOperationSetsModeOpensWindowAndReportsAtTheEnd) {
    ASSERT_TRUE(Start(BackgroundKind::kFastFile,
                      Held({"Done.", kCommandDisplayGame, kRunFinishedResults, kCommandOperationComplete})));
    EXPECT_TRUE(worker->IsRunning());
    EXPECT_EQ(displayMode, kModeBackground);
    EXPECT_TRUE(platform.progress.open);
    EXPECT_EQ(platform.progress.titles, std::vector<std::string>{"Title"});
    EXPECT_FALSE(Start(BackgroundKind::kCheckFile, [](WorkerContext&) { return BackgroundReport{}; }));
    Finish();
    EXPECT_FALSE(worker->IsRunning());
    EXPECT_EQ(worker->State(), kRunIdle);
    EXPECT_EQ(displayMode, kModeGame);
    EXPECT_FALSE(platform.progress.open);
    EXPECT_EQ(shown, std::vector<std::string>{"Done."});
    EXPECT_EQ(commands, std::vector<int>{kCommandDisplayGame});
    EXPECT_EQ(platform.progress.lines.back(), "Game:  10 of 10    100% complete");
}

TEST_F(BackgroundWorkerTest, CancelStopsACancellableKindAndClosesItsWindow) {
    Start(BackgroundKind::kCheckFile, Held({}));
    platform.progress.PressCancel();
    EXPECT_EQ(worker->State(), kRunCancelRequested);
    EXPECT_FALSE(platform.progress.open);
    Finish();
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(worker->State(), kRunIdle);
}

TEST_F(BackgroundWorkerTest, CancelOfFastFileIsRefusedAndTheRunGoesOn) {
    Start(BackgroundKind::kFastFile, Held({"Fast file complete."}),
          "Sorry, cannot cancel fast file generation.");
    platform.progress.PressCancel();
    EXPECT_TRUE(platform.progress.open);
    Finish();
    EXPECT_FALSE(stopped);
    EXPECT_EQ(shown, (std::vector<std::string>{"Sorry, cannot cancel fast file generation.",
                                               "Fast file complete."}));
}

TEST_F(BackgroundWorkerTest, ResultOfAMinimizedWindowWaitsForRestoreAndCommand461) {
    Start(BackgroundKind::kFastFile,
          Held({"Fast file complete.", kCommandDisplayGame, kRunFinishedResults, kCommandOperationComplete}));
    platform.progress.Minimize();
    Finish();
    EXPECT_EQ(worker->State(), kRunFinishedResults);
    EXPECT_FALSE(worker->IsRunning());
    EXPECT_TRUE(shown.empty());
    EXPECT_TRUE(commands.empty());
    platform.progress.Restore();
    EXPECT_FALSE(platform.progress.open);
    Run();
    EXPECT_EQ(commands, std::vector<int>{kCommandOperationComplete});
    worker->ReportDeferred();
    Run();
    EXPECT_EQ(shown, std::vector<std::string>{"Fast file complete."});
    EXPECT_EQ(worker->State(), kRunIdle);
    EXPECT_EQ(displayMode, kModeGame);
    EXPECT_EQ(commands, (std::vector<int>{kCommandOperationComplete, kCommandDisplayGame}));
}

TEST_F(BackgroundWorkerTest, DuplicatesFoundWhileMinimizedOpenTheListOnRestore) {
    Start(BackgroundKind::kDuplicateGames,
          Held({"", kCommandDuplicatesList, kRunFinishedResults, kCommandDuplicatesList}));
    platform.progress.Minimize();
    Finish();
    platform.progress.Restore();
    Run();
    EXPECT_EQ(commands, std::vector<int>{kCommandDuplicatesList});
    EXPECT_EQ(worker->State(), kRunIdle);
}

TEST_F(BackgroundWorkerTest, RestoreWhileStillRunningChangesNothing) {
    Start(BackgroundKind::kFastFile, Held({"x"}));
    platform.progress.Minimize();
    platform.progress.Restore();
    EXPECT_TRUE(platform.progress.open);
    Run();
    EXPECT_TRUE(commands.empty());
    Finish();
    EXPECT_EQ(shown, std::vector<std::string>{"x"});
}

// --- progress texts ---

using K = BackgroundKind;
using V = ProgressVariant;

TEST(ProgressCounterLine, PercentOrFoundCountInSingularPluralOrShortForm) {
    constexpr K kCheck = K::kCheckFile;
    constexpr K kDuplicates = K::kDuplicateGames;
    const std::tuple<K, V, ProgressCounters, const char*> cases[] = {
        {K::kFastFile, V::kPlain, {1, 0, 0}, "Game:  1 of 0    0% complete"},
        {kCheck, V::kPlain, {3, 1, 10}, "Game:  3 of 10  30%  1 error"},
        {kCheck, V::kDeleteFenGames, {3, 1, 10}, "Game:  3 of 10  30%  1 FEN"},
        {kDuplicates, V::kPlain, {3, 1, 10}, "Game:  3 of 10  30%  1 duplicate"},
        {kCheck, V::kPlain, {4, 2, 8}, "Game:  4 of 8  50%  2 errors"},
        {kCheck, V::kDeleteFenGames, {4, 2, 8}, "Game:  4 of 8  50%  2 FEN's"},
        {kDuplicates, V::kPlain, {4, 2, 8}, "Game:  4 of 8  50%  2 duplicates"},
        // Many duplicates of a huge file are shortened.
        {kDuplicates, V::kPlain, {100000, 1000, 150000}, "Game:  100000 of 150000  67%  1000 dups"},
        {kDuplicates, V::kPlain, {99999, 1000, 150000}, "Game:  99999 of 150000  67%  1000 duplicates"},
        {kDuplicates, V::kPlain, {100000, 999, 150000}, "Game:  100000 of 150000  67%  999 duplicates"},
        // Directory searches and splits before the count is known.
        {K::kDirectorySearch, V::kPlain, {1, 0, 0}, "Searching first file..."},
        {K::kSplitFile, V::kPlain, {1, 0, 0}, "Calculating number of games..."},
    };
    for (const auto& [kind, variant, counters, text] : cases) {
        EXPECT_EQ(ProgressCounterText(kind, variant, counters), text);
    }
    EXPECT_EQ(ProgressCounterText(K::kDirectorySearch, V::kPlain, {2, 0, 8}, "b.pgn"),
              "File:  2 of 8  25%  b.pgn");
}

TEST(ProgressBarSteps, CheckOf25000GamesRedrawsInTwoAndAHalfPercentStepsWithinTheBar) {
    ProgressBar bar;
    int redraws = 0;
    for (int game = 1; game <= 25000; ++game) {
        redraws += bar.Advance({game, 0, 25000}, V::kPlain) >= 0 ? 1 : 0;
    }
    EXPECT_EQ(redraws, 40);
    EXPECT_DOUBLE_EQ(bar.Drawn(), 1.0);
    ProgressBar over;
    EXPECT_DOUBLE_EQ(over.Advance({30, 0, 10}, V::kPlain), 1.0);
    ProgressBar empty;
    EXPECT_LT(empty.Advance({5, 0, 0}, V::kPlain), 0);
}

}  // namespace
}  // namespace ravelin::gamefile
