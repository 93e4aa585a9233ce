#include "shell/dispatch.h"

#include <gtest/gtest.h>

#include <memory>
#include <set>
#include <string>
#include <vector>

#include "shell/command_ids.h"
#include "shell/command_table.h"
#include "shell/menu_bar.h"
#include "shell/menus.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using testing::TempDir;
using testing_support::Session;

const std::string kTwoGames =
    "[Event \"One\"]\n[Result \"*\"]\n\n1.e4 *\n\n[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 *\n";

// A worker operation the test controls: it records cancel and join requests.
class FakeOperation : public gamefile::BackgroundOperation {
  public:
    explicit FakeOperation(gamefile::BackgroundKind kind, bool merge = false) : kind_(kind), merge_(merge) {}
    bool IsRunning() const override { return running; }
    gamefile::BackgroundKind Kind() const override { return kind_; }
    bool IsMergeFile() const override { return merge_; }
    void RequestCancel() override { ++cancelRequests; }
    void Join() override {
        ++joins;
        running = false;
    }

    bool running = true;
    int cancelRequests = 0;
    int joins = 0;

  private:
    gamefile::BackgroundKind kind_;
    bool merge_;
};

class DispatchTest : public ::testing::Test {
  protected:
    std::unique_ptr<Session> Started(const std::string& commandLine = "") {
        auto session = std::make_unique<Session>(work.Path().string());
        session->Start(commandLine);
        session->ClearRecords();
        return session;
    }
    std::unique_ptr<Session> WithFile() { return Started(files.Write("games.pgn", kTwoGames)); }

    TempDir work;
    TempDir files;
};

TEST_F(DispatchTest, NextWithoutFileShowsOneMessageAndRunsNothing) {
    auto session = Started();
    bool ran = false;
    session->window.Handlers().Set(kCmdNextGame, [&] { ran = true; });
    session->Command(kCmdNextGame);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"Must open a file."});
    EXPECT_FALSE(ran);
    EXPECT_EQ(session->window.displayMode, kModeNothing);
}

TEST_F(DispatchTest, GameAndTextAcceptAnOpenDatabaseInsteadOfAFile) {
    auto session = Started();
    int runs = 0;
    session->window.Handlers().Set(kCmdDisplayGame, [&] { ++runs; });
    session->Command(kCmdDisplayGame);
    EXPECT_EQ(runs, 0);
    session->window.databaseOpen = true;
    session->Command(kCmdDisplayGame);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"Must open a file."});
}

TEST_F(DispatchTest, NextMovesOutsideGameOrVariationModeAreRefused) {
    auto session = WithFile();
    for (int id : {136, 137, 139, 149, 158, 245}) {
        session->ClearRecords();
        session->window.displayMode = kModeText;
        session->Command(id);
        EXPECT_EQ(session->platform.MessageTexts(),
                  std::vector<std::string>{"This function is only available in 'Game' or 'Variation' modes."})
            << id;
    }
    session->ClearRecords();
    session->window.displayMode = kModeVariationEdit;
    session->Command(158);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{kNotAvailableYet});
}

TEST_F(DispatchTest, OpeningFindersNeedVariationEditOrAnalysis) {
    auto session = Started();
    session->window.displayMode = kModeGame;
    session->Command(288);
    EXPECT_EQ(session->platform.MessageTexts(),
              std::vector<std::string>{"Must be in 'Variation Edit' or 'Analyze' mode."});
    session->ClearRecords();
    session->window.analysing = true;
    session->Command(289);  // allowed now; no variation has been entered
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"There are no moves to check."});
}

TEST_F(DispatchTest, DirectorySearchDuringFileCheckGetsTheCheckRefusal) {
    FakeOperation check(gamefile::BackgroundKind::kCheckFile);
    auto session = WithFile();
    session->window.SetBackgroundOperation(&check);
    session->window.displayMode = kModeBackground;
    bool searched = false;
    session->window.Handlers().Set(kCmdSearchDirectory, [&] { searched = true; });
    session->Command(kCmdSearchDirectory);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"Must terminate file check first."});
    EXPECT_FALSE(searched);
    EXPECT_EQ(session->window.displayMode, kModeBackground);
    EXPECT_EQ(check.cancelRequests, 0);
}

TEST_F(DispatchTest, BusyRefusalNamesTheRunningKind) {
    const std::pair<FakeOperation, std::string> cases[] = {
        {FakeOperation(gamefile::BackgroundKind::kDirectorySearch), "Must terminate directory search first."},
        {FakeOperation(gamefile::BackgroundKind::kDuplicateGames),
         "Must terminate duplicate games check first."},
        {FakeOperation(gamefile::BackgroundKind::kFastFile), "Must terminate fast file generation first."},
        {FakeOperation(gamefile::BackgroundKind::kFastFile, true),
         "Must terminate merge file generation first."},
        {FakeOperation(gamefile::BackgroundKind::kAdjustFile), "Must terminate file adjust first."},
        {FakeOperation(gamefile::BackgroundKind::kSplitFile), "Must terminate file split first."},
        {FakeOperation(gamefile::BackgroundKind::kMakeDatabase), "Must terminate current operation first."},
    };
    for (const auto& [operation, message] : cases) {
        DispatchContext context;
        context.fileOpen = true;
        context.background = &operation;
        auto refusal = RefusalFor(*FindCommand(kCmdOpenFile), context);
        ASSERT_TRUE(refusal.has_value());
        EXPECT_EQ(*refusal, message);
    }
}

TEST_F(DispatchTest, VersionAndHelpStillAnswerWhileBusy) {
    FakeOperation split(gamefile::BackgroundKind::kSplitFile);
    auto session = Started();
    session->window.SetBackgroundOperation(&split);
    session->Command(kCmdShowVersion);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"Version 4.0 updated 11-Nov-05"});
}

TEST_F(DispatchTest, TreeEndsAreRefusedWhileTheEngineRuns) {
    auto session = Started();
    session->window.engine.running = true;
    session->Command(kCmdEndOfBranch);
    session->Command(kCmdStartOfTree);
    EXPECT_EQ(session->platform.MessageTexts(),
              (std::vector<std::string>{"This command is not allowed when Crafty is on.",
                                        "This command is not allowed when Crafty is on."}));
}

TEST_F(DispatchTest, EngineButtonsAreRefusedWhileTheEngineIsOnMove) {
    auto session = Started();
    int backs = 0;
    session->window.Handlers().Set(kCmdEngineBack, [&] { ++backs; });
    session->window.engine = EngineTurnState{true, true, true};
    session->Command(kCmdEngineBack);
    session->Command(kCmdEngineScore);
    session->Command(kCmdEngineNew);
    EXPECT_EQ(
        session->platform.MessageTexts(),
        (std::vector<std::string>{"Not valid when Crafty is on move. Force a move first.",
                                  "Not valid when Crafty is on move.", "Not valid when Crafty is on move."}));
    EXPECT_EQ(backs, 0);
    session->window.engine.onMove = false;
    session->Command(kCmdEngineBack);
    EXPECT_EQ(backs, 1);
}

TEST_F(DispatchTest, CommandWithoutItsOwnerSaysItIsNotAvailableYet) {
    auto session = Started();
    session->Command(156);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{kNotAvailableYet});
}

TEST_F(DispatchTest, RegisteredHandlerReceivesItsCommand) {
    auto session = Started();
    std::vector<int> seen;
    session->window.Handlers().Set(156, [&] { seen.push_back(156); });
    session->Command(156);
    EXPECT_EQ(seen, std::vector<int>{156});
    EXPECT_TRUE(session->platform.messages.empty());
}

TEST_F(DispatchTest, NewViewClosesThePreviousToolsOnlyWhenTheCommandRuns) {
    auto session = Started();
    int closes = 0;
    session->window.hooks.closeViewTools = [&] { ++closes; };
    session->window.Handlers().Set(kCmdDisplayGame, [] {});
    session->Command(kCmdDisplayGame);  // refused: no file
    EXPECT_EQ(closes, 0);
    session->window.databaseOpen = true;
    session->Command(kCmdDisplayGame);
    EXPECT_EQ(closes, 1);
    session->Command(kCmdShowVersion);  // not a new view
    EXPECT_EQ(closes, 1);
}

TEST_F(DispatchTest, PendingReissueAndSecondPendingCommandArePostedOnce) {
    auto session = Started();
    std::vector<int> order;
    session->window.Handlers().Set(156, [&] {
        order.push_back(156);
        session->window.SetPendingReissue(157);
        session->window.SetSecondPendingCommand(138);
    });
    session->window.Handlers().Set(157, [&] { order.push_back(157); });
    session->window.Handlers().Set(138, [&] { order.push_back(138); });
    session->Command(156);
    EXPECT_EQ(order, (std::vector<int>{156, 157, 138}));
}

TEST_F(DispatchTest, SecondPendingValueOneIsNotPosted) {
    auto session = Started();
    int runs = 0;
    session->window.Handlers().Set(156, [&] {
        ++runs;
        session->window.SetSecondPendingCommand(1);
    });
    session->Command(156);
    EXPECT_EQ(runs, 1);
    EXPECT_EQ(session->platform.PendingCount(), 0u);
}

TEST_F(DispatchTest, ExitStopsACancellableWorkerAndJoinsIt) {
    FakeOperation check(gamefile::BackgroundKind::kCheckFile);
    auto session = Started();
    session->window.SetBackgroundOperation(&check);
    session->Command(kCmdExit);
    EXPECT_EQ(check.cancelRequests, 1);
    EXPECT_EQ(check.joins, 1);
    EXPECT_TRUE(session->window.ExitRequested());
}

TEST_F(DispatchTest, ExitLetsAFastFileFinishBeforeEnding) {
    FakeOperation fastFile(gamefile::BackgroundKind::kFastFile);
    auto session = Started();
    session->window.SetBackgroundOperation(&fastFile);
    session->Command(kCmdExit);
    EXPECT_EQ(fastFile.cancelRequests, 0);
    EXPECT_EQ(fastFile.joins, 1);
    EXPECT_TRUE(session->window.ExitRequested());
}

TEST_F(DispatchTest, ClosingTheWindowJoinsTheWorker) {
    FakeOperation search(gamefile::BackgroundKind::kDirectorySearch);
    auto session = Started();
    session->window.SetBackgroundOperation(&search);
    session->window.PrepareToClose();
    EXPECT_EQ(search.cancelRequests, 1);
    EXPECT_EQ(search.joins, 1);
}

TEST_F(DispatchTest, LongMessagesAreNotCut) {
    auto session = Started();
    std::string text(600, 'm');
    session->window.Handlers().Set(156, [&] { session->window.Messages().ShowMessage(text); });
    session->Command(156);
    ASSERT_EQ(session->platform.MessageTexts().size(), 1u);
    EXPECT_EQ(session->platform.MessageTexts()[0], text);
}

TEST(CommandTableTest, EveryMenuItemHasATableRow) {
    for (std::string_view name : MenuNames()) {
        for (int id : CommandIdsOf(BuildMenu(name))) {
            EXPECT_NE(FindCommand(id), nullptr) << name << " item " << id;
        }
    }
}

TEST(CommandTableTest, EveryTableRowIsReachable) {
    std::set<int> inMenus;
    for (std::string_view name : MenuNames()) {
        for (int id : CommandIdsOf(BuildMenu(name))) {
            inMenus.insert(id);
        }
    }
    for (int kind = 0; kind < kMenuBarKindCount; ++kind) {
        for (const MenuBarItem& item : MenuBarItems(static_cast<MenuBarKind>(kind))) {
            inMenus.insert(item.commandId);
        }
    }
    // Posted by the worker when it reports, not chosen from a menu.
    const std::set<int> posted = {189, 224, 461};
    for (const CommandInfo& row : CommandTable()) {
        EXPECT_TRUE(inMenus.count(row.id) != 0 || posted.count(row.id) != 0) << row.id << " " << row.label;
        EXPECT_GE(row.id, kFirstCommandId);
        EXPECT_LE(row.id, kLastCommandId);
    }
}

}  // namespace
}  // namespace ravelin::shell
