#include "shell/dispatch.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <tuple>
#include <vector>

#include "shell/command_ids.h"
#include "shell/command_table.h"
#include "shell/commands/game_viewer.h"
#include "shell/display_mode.h"
#include "shell/menu_bar.h"
#include "shell/menus.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using Texts = std::vector<std::string>;

const std::string kTwoGames =
    "[Event \"One\"]\n[Result \"*\"]\n\n1.e4 *\n\n[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 *\n";

// A worker operation the test controls: it records cancel and join requests.
struct FakeOperation : gamefile::BackgroundOperation {
    explicit FakeOperation(gamefile::BackgroundKind k, bool m = false) : kind(k), merge(m) {}
    bool IsRunning() const override { return joins == 0; }
    gamefile::BackgroundKind Kind() const override { return kind; }
    bool IsMergeFile() const override { return merge; }
    void RequestCancel() override { ++cancelRequests; }
    void Join() override { ++joins; }
    gamefile::BackgroundKind kind;
    bool merge;
    int cancelRequests = 0;
    int joins = 0;
};

// Every guarded row of the table, in a window where its guard fails: the guard's message, and the
// handler does not run.
TEST(DispatchGuards, EveryGuardedCommandIsRefusedWithItsGuardsMessage) {
    OwnSession noFile;
    OwnSession withFile(kTwoGames);
    const std::map<CommandGuard, std::string> messages = {
        {CommandGuard::kOpenFile, "Must open a file."},
        {CommandGuard::kOpenFileOrDatabase, "Must open a file."},
        {CommandGuard::kFileInGameOrVariation,
         "This function is only available in 'Game' or 'Variation' modes."},
        {CommandGuard::kVariationOrAnalysis, "Must be in 'Variation Edit' or 'Analyze' mode."},
        {CommandGuard::kEngineOff, "This command is not allowed when Crafty is on."},
    };
    int guarded = 0;
    for (const CommandInfo& row : CommandTable()) {
        if (row.guard == CommandGuard::kNone) {
            continue;
        }
        SCOPED_TRACE(std::to_string(row.id) + " " + std::string(row.label));
        ++guarded;
        const bool needsMode = row.guard == CommandGuard::kFileInGameOrVariation;
        OwnSession& session = needsMode ? withFile : noFile;
        session.window.displayMode = needsMode ? kModeText : kModeGame;
        session.window.engine.running = row.guard == CommandGuard::kEngineOff;
        bool ran = false;
        session.window.Handlers().Set(row.id, [&ran] { ran = true; });
        session.ClearRecords();
        session.Command(row.id);
        EXPECT_EQ(session.Messages(), Texts{messages.at(row.guard)});
        EXPECT_FALSE(ran);
    }
    EXPECT_GT(guarded, 0);
}

// A row without a handler says so until one is registered; pending commands run once after the
// handler; an id no menu issues is ignored; a long message is shown whole.
TEST(DispatchHandlers, MissingHandlerPendingCommandsAndLongMessages) {
    OwnSession session;
    // Without a file the game's commands keep no request and show nothing.
    session.Command(kCmdEndOfGame);
    session.Command(kCmdShowActualText);
    EXPECT_EQ(session.window.Viewer().DeferredCommand(), 0);
    EXPECT_EQ(session.window.displayMode, kModeNothing);
    EXPECT_FALSE(session.window.Viewer().ActualTextOpen());
    session.window.Handlers().Remove(kCmdShowVersion);
    session.Command(kCmdShowVersion);
    EXPECT_EQ(session.Messages(), Texts{kNotAvailableYet});
    session.ClearRecords();
    std::vector<int> order;
    auto record = [&](int id) { session.window.Handlers().Set(id, [&order, id] { order.push_back(id); }); };
    record(kCmdHelp);
    record(kCmdResetNavigation);
    session.window.Handlers().Set(kCmdShowVersion, [&] {
        order.push_back(kCmdShowVersion);
        session.window.SetPendingReissue(kCmdHelp);
        session.window.SetSecondPendingCommand(kCmdResetNavigation);
    });
    session.Command(kCmdShowVersion);
    EXPECT_EQ(order, (std::vector<int>{kCmdShowVersion, kCmdHelp, kCmdResetNavigation}));
    session.Command(kLastCommandId + 1);
    EXPECT_TRUE(session.platform.messages.empty());
    // The second pending command's "none" is 1, not 0.
    session.window.Handlers().Set(kCmdShowVersion, [&] { session.window.SetSecondPendingCommand(1); });
    session.Command(kCmdShowVersion);
    EXPECT_EQ(session.platform.PendingCount(), 0u);
    const std::string text(600, 'm');
    session.window.Handlers().Set(kCmdShowVersion, [&] { session.window.Messages().ShowMessage(text); });
    session.Command(kCmdShowVersion);
    EXPECT_EQ(session.Messages(), Texts{text});
}

TEST(DispatchGuards, APassedGuardRunsTheCommandANewViewClosesToolsFirstAndPlayButtonsWaitForTheEngine) {
    OwnSession session;
    int closes = 0;
    int games = 0;
    session.window.hooks.closeViewTools = [&] { ++closes; };
    session.window.Handlers().Set(kCmdDisplayGame, [&] { games += closes; });
    session.Command(kCmdDisplayGame);  // refused: no file
    EXPECT_EQ(closes, 0);
    session.window.databaseOpen = true;  // in place of a file
    session.Command(kCmdDisplayGame);
    EXPECT_EQ(games, 1);
    session.Command(kCmdShowVersion);  // not a new view
    EXPECT_EQ(closes, 1);
    session.window.analysing = true;
    session.ClearRecords();
    session.Command(kCmdFindExactNumberOfMoves);  // the real handler: no variation entered
    EXPECT_EQ(session.Messages(), Texts{"There are no moves to check."});
    // The play buttons are refused while the engine is on move.
    session.ClearRecords();
    int backs = 0;
    session.window.Handlers().Set(kCmdEngineBack, [&] { ++backs; });
    session.window.engine = EngineTurnState{true, true, true};
    for (int id : {kCmdEngineBack, kCmdEngineScore, kCmdEngineNew}) {
        session.Command(id);
    }
    EXPECT_EQ(session.Messages(),
              (Texts{"Not valid when Crafty is on move. Force a move first.",
                     "Not valid when Crafty is on move.", "Not valid when Crafty is on move."}));
    EXPECT_EQ(backs, 0);
    session.window.engine.onMove = false;
    session.Command(kCmdEngineBack);
    EXPECT_EQ(backs, 1);
}

TEST(DispatchBusy, AWorkerRefusesFileCommandsWithItsKindButNotVersionOrHelp) {
    std::pair<FakeOperation, std::string> cases[] = {
        {FakeOperation(gamefile::BackgroundKind::kCheckFile), "Must terminate file check first."},
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
    OwnSession session(kTwoGames);
    for (auto& [operation, message] : cases) {
        SCOPED_TRACE(message);
        session.window.SetBackgroundOperation(&operation);
        session.window.displayMode = kModeBackground;
        bool searched = false;
        session.window.Handlers().Set(kCmdSearchDirectory, [&] { searched = true; });
        session.ClearRecords();
        session.Command(kCmdSearchDirectory);
        session.Command(kCmdShowVersion);
        EXPECT_EQ(session.Messages(), (Texts{message, "Version 4.0 updated 11-Nov-05"}));
        EXPECT_FALSE(searched);
        EXPECT_EQ(session.window.displayMode, kModeBackground);
        EXPECT_EQ(operation.cancelRequests, 0);
    }
    session.window.SetBackgroundOperation(nullptr);
}

// Exit and closing the window cancel the worker, except one making a fast file, and wait for it.
TEST(DispatchBusy, ExitAndCloseStopTheWorkerUnlessItIsAFastFileAndJoinIt) {
    for (const auto& [kind, viaExit, cancels] : {std::tuple{gamefile::BackgroundKind::kCheckFile, true, 1},
                                                 {gamefile::BackgroundKind::kFastFile, true, 0},
                                                 {gamefile::BackgroundKind::kDirectorySearch, false, 1}}) {
        SCOPED_TRACE(static_cast<int>(kind));
        FakeOperation operation(kind);
        OwnSession session;
        session.window.SetBackgroundOperation(&operation);
        if (viaExit) {
            session.Command(kCmdExit);
            EXPECT_TRUE(session.window.ExitRequested());
        } else {
            session.window.PrepareToClose();
        }
        EXPECT_EQ(operation.cancelRequests, cancels);
        EXPECT_EQ(operation.joins, 1);
    }
}

// Two items of one popup with the same label could not be told apart.
void ExpectUniqueLabels(const MenuNode& menu, const std::string& path) {
    std::set<std::string> labels;
    for (const MenuNode& child : menu.children) {
        EXPECT_FALSE(child.label.empty()) << path;
        EXPECT_TRUE(labels.insert(child.label).second) << path << "|" << child.label;
        if (child.IsPopup()) {
            EXPECT_FALSE(child.children.empty()) << path << "|" << child.label;
            ExpectUniqueLabels(child, path + "|" + child.label);
        }
    }
}

// Unique labels and no empty popup in every menu and bar, a bar item a popup that exists or a command;
// every id issued has a table row, and every row is issued (or posted by the worker when it reports).
TEST(MenuDefinition, MenusBarsAndTheCommandTableAgreeAndTheOwnBarMirrorsTheStandardOne) {
    std::set<int> issued;
    for (std::string_view name : MenuNames()) {
        ExpectUniqueLabels(BuildMenu(name), std::string(name));
        for (int id : CommandIdsOf(BuildMenu(name))) {
            EXPECT_NE(FindCommand(id), nullptr) << name << " item " << id;
            issued.insert(id);
        }
    }
    for (int kind = 0; kind < kMenuBarKindCount; ++kind) {
        std::set<std::string_view> labels;
        for (const MenuBarItem& item : MenuBarItems(static_cast<MenuBarKind>(kind))) {
            SCOPED_TRACE("bar " + std::to_string(kind) + " " + std::string(item.label));
            EXPECT_TRUE(labels.insert(item.label).second);
            EXPECT_NE(item.popup.empty(), item.commandId == 0);
            if (item.popup.empty()) {
                EXPECT_NE(FindCommand(item.commandId), nullptr);
                issued.insert(item.commandId);
            } else {
                EXPECT_FALSE(BuildMenu(item.popup).children.empty());
            }
        }
    }
    // The own main bar stands in for the standard one: the same items in the same order, its popups
    // holding the same commands as the standard bar's submenus.
    const MenuNode standard = BuildMenu("MainMenu");
    const std::span<const MenuBarItem> own = MenuBarItems(MenuBarKind::kMain);
    ASSERT_EQ(own.size(), standard.children.size());
    for (std::size_t k = 0; k < own.size(); ++k) {
        EXPECT_EQ(own[k].label, standard.children[k].label);
        EXPECT_EQ(
            own[k].popup.empty() ? std::vector<int>{own[k].commandId} : CommandIdsOf(BuildMenu(own[k].popup)),
            CommandIdsOf(standard.children[k]))
            << own[k].label;
    }
    // Posted by other commands: the result lists (234 by the game list in the database view).
    const std::set<int> posted = {189, 224, 234, 461};
    for (const CommandInfo& row : CommandTable()) {
        EXPECT_TRUE(issued.count(row.id) != 0 || posted.count(row.id) != 0) << row.id << " " << row.label;
        EXPECT_GE(row.id, kFirstCommandId);
        EXPECT_LE(row.id, kLastCommandId);
    }
}

// Each step changes the state further; earlier rules win over later ones.
TEST(ContextMenu, TheModeAndTheGamesStateChooseTheMenu) {
    ContextMenuState s;
    const std::pair<std::function<void()>, std::string_view> steps[] = {
        {[] {}, ""},
        {[&] { s.displayMode = kModeText; }, "TextnMenu"},
        {[&] { s.displayActualText = true; }, "TextaMenu"},
        {[&] { s.displayMode = kModeVariationEdit; }, "VarMenu"},
        {[&] { s.analysisMenu = AnalysisMenu::kRL; }, "VarMenu"},
        {[&] { s.analysing = true; }, "AnalMenurl"},
        {[&] { s.displayMode = kModePositionEdit; }, ""},
        {[&] { s.clickOnBoard = true; }, "PosMenu"},
        {[&] { s.displayMode = kModeAddGame; }, "AddMenu"},
        {[&] { s.displayMode = kModeTree; }, "TreeMenu"},
        {[&] { s.displayMode = kModeBackground; }, ""},
        {[&] { s = ContextMenuState{.displayMode = kModeGame}; }, "GameMenu"},
        {[&] { s.inVariationOrNavigation = true; }, "GamexMenu"},
        {[&] { s.searchActive = true; }, "GamezMenu"},
        {[&] { s.inVariationOrNavigation = false; }, "GameyMenu"},
        {[&] { s.inVariationOrNavigation = true; }, "GamezMenu"},
        {[&] { s.actualTextWindowOpen = true; }, "GameaMenu"},
        {[&] { s.recordedAnalysisKind = 2; }, "GamepMenu"},
        {[&] { s.recordedAnalysisKind = 1; }, "GamerMenu"},
        {[&] { s.alternateKind = 1; }, "AnalMenucb"},
    };
    for (const auto& [change, menu] : steps) {
        change();
        EXPECT_EQ(ContextMenuName(s), menu);
        if (!menu.empty()) {
            EXPECT_FALSE(BuildMenu(menu).children.empty()) << menu;
        }
    }
}

}  // namespace
}  // namespace ravelin::shell
