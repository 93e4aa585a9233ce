#include "gamefile/background_worker.h"

#include <gtest/gtest.h>

#include <future>
#include <memory>

#include "platform/headless/headless_platform.h"

namespace ravelin::gamefile {
namespace {

using gamefile::BackgroundKind;

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
    // Joins the finished worker and runs what it posted.
    void Finish() {
        worker->Join();
        Run();
    }
    BackgroundRequest Request(BackgroundKind kind, std::string refusal = {}) {
        BackgroundRequest request;
        request.kind = kind;
        request.title = "Title";
        request.total = 10;
        request.cancelRefusal = std::move(refusal);
        return request;
    }

    platform::HeadlessPlatform platform;
    int displayMode = kModeGame;
    std::vector<std::string> shown;
    std::vector<int> commands;
    std::shared_ptr<BackgroundWorker> worker;
};

// --- run states and the report ---

TEST_F(BackgroundWorkerTest, RunningOperationSetsModeOpensWindowAndReportsAtTheEnd) {
    std::promise<void> go;
    std::shared_future<void> release = go.get_future().share();
    ASSERT_TRUE(worker->StartBackgroundOperation(Request(BackgroundKind::kFastFile), [release](WorkerContext&
                                                                                                   context) {
        release.wait();
        context.UpdateProgress(10, 0, 10);
        return BackgroundReport{"Done.", kCommandDisplayGame, kRunFinishedResults, kCommandOperationComplete};
    }));
    EXPECT_TRUE(worker->IsRunning());
    EXPECT_EQ(displayMode, kModeBackground);
    EXPECT_TRUE(platform.progress.open);
    EXPECT_EQ(platform.progress.titles, std::vector<std::string>{"Title"});
    EXPECT_FALSE(worker->StartBackgroundOperation(Request(BackgroundKind::kCheckFile),
                                                  [](WorkerContext&) { return BackgroundReport{}; }));
    go.set_value();
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
    std::promise<void> go;
    std::shared_future<void> release = go.get_future().share();
    bool stopped = false;
    worker->StartBackgroundOperation(Request(BackgroundKind::kCheckFile),
                                     [release, &stopped](WorkerContext& context) {
                                         release.wait();
                                         stopped = context.StopRequested();
                                         return BackgroundReport{};
                                     });
    platform.progress.PressCancel();
    EXPECT_EQ(worker->State(), kRunCancelRequested);
    EXPECT_FALSE(platform.progress.open);
    go.set_value();
    Finish();
    EXPECT_TRUE(stopped);
    EXPECT_TRUE(shown.empty());
    EXPECT_EQ(worker->State(), kRunIdle);
}

TEST_F(BackgroundWorkerTest, CancelOfFastFileIsRefusedAndTheRunGoesOn) {
    std::promise<void> go;
    std::shared_future<void> release = go.get_future().share();
    bool stopped = true;
    worker->StartBackgroundOperation(
        Request(BackgroundKind::kFastFile, "Sorry, cannot cancel fast file generation."),
        [release, &stopped](WorkerContext& context) {
            release.wait();
            stopped = context.StopRequested();
            return BackgroundReport{"Fast file complete."};
        });
    platform.progress.PressCancel();
    EXPECT_TRUE(platform.progress.open);
    go.set_value();
    Finish();
    EXPECT_FALSE(stopped);
    EXPECT_EQ(shown, (std::vector<std::string>{"Sorry, cannot cancel fast file generation.",
                                               "Fast file complete."}));
}

// --- the minimized main window ---

TEST_F(BackgroundWorkerTest, ResultOfAMinimizedWindowWaitsForRestoreAndCommand461) {
    worker->StartBackgroundOperation(Request(BackgroundKind::kFastFile), [](WorkerContext&) {
        return BackgroundReport{"Fast file complete.", kCommandDisplayGame, kRunFinishedResults,
                                kCommandOperationComplete};
    });
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
    worker->StartBackgroundOperation(Request(BackgroundKind::kDuplicateGames), [](WorkerContext&) {
        return BackgroundReport{"", kCommandDuplicatesList, kRunFinishedResults, kCommandDuplicatesList};
    });
    platform.progress.Minimize();
    Finish();
    platform.progress.Restore();
    Run();
    EXPECT_EQ(commands, std::vector<int>{kCommandDuplicatesList});
    EXPECT_EQ(worker->State(), kRunIdle);
}

TEST_F(BackgroundWorkerTest, RestoreWhileStillRunningChangesNothing) {
    std::promise<void> go;
    std::shared_future<void> release = go.get_future().share();
    worker->StartBackgroundOperation(Request(BackgroundKind::kFastFile), [release](WorkerContext&) {
        release.wait();
        return BackgroundReport{"x"};
    });
    platform.progress.Minimize();
    platform.progress.Restore();
    EXPECT_TRUE(platform.progress.open);
    Run();
    EXPECT_TRUE(commands.empty());
    go.set_value();
    Finish();
    EXPECT_EQ(shown, std::vector<std::string>{"x"});
}

}  // namespace
}  // namespace ravelin::gamefile
