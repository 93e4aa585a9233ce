#include "shell/dispatch.h"

#include <gtest/gtest.h>

#include <functional>
#include <map>
#include <set>
#include <string>
#include <vector>

#include "shell/command_ids.h"
#include "shell/command_table.h"
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

// The refusal does not depend on which commands are built: a table row without a handler says so,
// and answers once one is registered.
TEST(DispatchHandlers, ACommandWithoutHandlerIsNotAvailableUntilOneIsRegistered) {
    OwnSession session;
    session.window.Handlers().Remove(kCmdShowVersion);
    session.Command(kCmdShowVersion);
    EXPECT_EQ(session.Messages(), Texts{kNotAvailableYet});
    int runs = 0;
    session.window.Handlers().Set(kCmdShowVersion, [&] { ++runs; });
    session.ClearRecords();
    session.Command(kCmdShowVersion);
    EXPECT_EQ(runs, 1);
    EXPECT_TRUE(session.platform.messages.empty());
    // An id no menu issues is ignored.
    session.Command(kLastCommandId + 1);
    EXPECT_TRUE(session.platform.messages.empty());
}

TEST(DispatchHandlers, PendingReissueAndSecondPendingCommandArePostedOnceAfterTheCommand) {
    OwnSession session;
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
    // The second pending command's "none" is 1, not 0.
    session.window.Handlers().Set(kCmdShowVersion, [&] { session.window.SetSecondPendingCommand(1); });
    session.Command(kCmdShowVersion);
    EXPECT_EQ(session.platform.PendingCount(), 0u);
    // A long message is shown whole.
    const std::string text(600, 'm');
    session.window.Handlers().Set(kCmdShowVersion, [&] { session.window.Messages().ShowMessage(text); });
    session.Command(kCmdShowVersion);
    EXPECT_EQ(session.Messages(), Texts{text});
}

TEST(DispatchGuards, APassedGuardRunsTheCommandAndANewViewClosesThePreviousToolsFirst) {
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

TEST(DispatchBusy, ExitAndCloseStopTheWorkerUnlessItIsAFastFileAndJoinIt) {
    struct Case {
        gamefile::BackgroundKind kind;
        bool viaExit;
        int cancels;
    };
    for (const Case& c : {Case{gamefile::BackgroundKind::kCheckFile, true, 1},
                          Case{gamefile::BackgroundKind::kFastFile, true, 0},
                          Case{gamefile::BackgroundKind::kDirectorySearch, false, 1}}) {
        SCOPED_TRACE(static_cast<int>(c.kind));
        FakeOperation operation(c.kind);
        OwnSession session;
        session.window.SetBackgroundOperation(&operation);
        if (c.viaExit) {
            session.Command(kCmdExit);
            EXPECT_TRUE(session.window.ExitRequested());
        } else {
            session.window.PrepareToClose();
        }
        EXPECT_EQ(operation.cancelRequests, c.cancels);
        EXPECT_EQ(operation.joins, 1);
    }
}

TEST(DispatchEngine, PlayButtonsAreRefusedWhileTheEngineIsOnMove) {
    OwnSession session;
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

// The menus and the table must agree: every id a menu or a bar issues has a row, and every row is
// issued by a menu or a bar (or posted by the worker when it reports).
TEST(CommandTable, MenusAndTableCoverEachOther) {
    std::set<int> issued;
    for (std::string_view name : MenuNames()) {
        for (int id : CommandIdsOf(BuildMenu(name))) {
            EXPECT_NE(FindCommand(id), nullptr) << name << " item " << id;
            issued.insert(id);
        }
    }
    for (int kind = 0; kind < kMenuBarKindCount; ++kind) {
        for (const MenuBarItem& item : MenuBarItems(static_cast<MenuBarKind>(kind))) {
            if (item.popup.empty()) {
                EXPECT_NE(FindCommand(item.commandId), nullptr) << "bar " << kind << " " << item.label;
                issued.insert(item.commandId);
            }
        }
    }
    const std::set<int> posted = {189, 224, 461};
    for (const CommandInfo& row : CommandTable()) {
        EXPECT_TRUE(issued.count(row.id) != 0 || posted.count(row.id) != 0) << row.id << " " << row.label;
        EXPECT_GE(row.id, kFirstCommandId);
        EXPECT_LE(row.id, kLastCommandId);
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

TEST(MenuDefinition, EveryMenuAndBarHasUniqueLabelsAndNoEmptyPopup) {
    for (std::string_view name : MenuNames()) {
        ExpectUniqueLabels(BuildMenu(name), std::string(name));
    }
    for (int kind = 0; kind < kMenuBarKindCount; ++kind) {
        std::set<std::string_view> labels;
        for (const MenuBarItem& item : MenuBarItems(static_cast<MenuBarKind>(kind))) {
            EXPECT_TRUE(labels.insert(item.label).second) << "bar " << kind << " " << item.label;
            // Either a popup that exists or a command.
            EXPECT_NE(item.popup.empty(), item.commandId == 0) << item.label;
            if (!item.popup.empty()) {
                EXPECT_FALSE(BuildMenu(item.popup).children.empty()) << item.popup;
            }
        }
    }
}

// The program's own main bar stands in for the standard one: the same items in the same order,
// its popups holding the same commands as the standard bar's submenus.
TEST(MenuDefinition, OwnMainBarMirrorsTheStandardMenuBar) {
    const MenuNode standard = BuildMenu("MainMenu");
    const std::span<const MenuBarItem> own = MenuBarItems(MenuBarKind::kMain);
    ASSERT_EQ(own.size(), standard.children.size());
    for (std::size_t k = 0; k < own.size(); ++k) {
        const MenuNode& item = standard.children[k];
        SCOPED_TRACE(item.label);
        EXPECT_EQ(own[k].label, item.label);
        if (own[k].popup.empty()) {
            EXPECT_EQ(own[k].commandId, item.commandId);
        } else {
            EXPECT_EQ(CommandIdsOf(BuildMenu(own[k].popup)), CommandIdsOf(item));
        }
    }
}

TEST(MenuBar, KeyboardWalksTheBarAndOpensOrIssues) {
    OwnMenuBar bar;
    EXPECT_EQ(bar.Key(MenuBarKey::kEnter).kind, MenuBarAction::Kind::kNone);  // not active yet
    bar.Key(MenuBarKey::kActivate);
    EXPECT_EQ(bar.Selected(), 0);
    MenuBarAction open = bar.Key(MenuBarKey::kEnter);
    EXPECT_EQ(open.kind, MenuBarAction::Kind::kOpenPopup);
    EXPECT_EQ(open.popup, "FileMenu");
    bar.Key(MenuBarKey::kRight);
    MenuBarAction game = bar.Key(MenuBarKey::kEnter);
    EXPECT_EQ(game.kind, MenuBarAction::Kind::kIssueCommand);
    EXPECT_EQ(game.commandId, kCmdDisplayGame);
    EXPECT_FALSE(bar.Active());
    bar.Key(MenuBarKey::kActivate);
    bar.Key(MenuBarKey::kLeft);  // wraps to "Help"
    EXPECT_EQ(bar.Key(MenuBarKey::kEnter).commandId, kCmdHelp);
    EXPECT_EQ(bar.Key(MenuBarKey::kCharacter, 's').popup, "SearchMenu");
    bar.Key(MenuBarKey::kEscape);
    EXPECT_FALSE(bar.Active());
}

// Each step changes the state further; earlier rules win over later ones.
TEST(ContextMenu, TheModeAndTheGamesStateChooseTheMenu) {
    struct Step {
        std::function<void(ContextMenuState&)> change;
        std::string_view menu;
    };
    const std::vector<std::vector<Step>> runs = {
        {{[](ContextMenuState&) {}, ""},
         {[](ContextMenuState& s) { s.displayMode = kModeText; }, "TextnMenu"},
         {[](ContextMenuState& s) { s.displayActualText = true; }, "TextaMenu"},
         {[](ContextMenuState& s) { s.displayMode = kModeVariationEdit; }, "VarMenu"},
         {[](ContextMenuState& s) { s.analysisMenu = AnalysisMenu::kRL; }, "VarMenu"},
         {[](ContextMenuState& s) { s.analysing = true; }, "AnalMenurl"},
         {[](ContextMenuState& s) { s.displayMode = kModePositionEdit; }, ""},
         {[](ContextMenuState& s) { s.clickOnBoard = true; }, "PosMenu"},
         {[](ContextMenuState& s) { s.displayMode = kModeAddGame; }, "AddMenu"},
         {[](ContextMenuState& s) { s.displayMode = kModeTree; }, "TreeMenu"},
         {[](ContextMenuState& s) { s.displayMode = kModeBackground; }, ""}},
        {{[](ContextMenuState& s) { s.displayMode = kModeGame; }, "GameMenu"},
         {[](ContextMenuState& s) { s.inVariationOrNavigation = true; }, "GamexMenu"},
         {[](ContextMenuState& s) { s.searchActive = true; }, "GamezMenu"},
         {[](ContextMenuState& s) { s.inVariationOrNavigation = false; }, "GameyMenu"},
         {[](ContextMenuState& s) { s.inVariationOrNavigation = true; }, "GamezMenu"},
         {[](ContextMenuState& s) { s.actualTextWindowOpen = true; }, "GameaMenu"},
         {[](ContextMenuState& s) { s.recordedAnalysisKind = 2; }, "GamepMenu"},
         {[](ContextMenuState& s) { s.recordedAnalysisKind = 1; }, "GamerMenu"},
         {[](ContextMenuState& s) { s.alternateKind = 1; }, "AnalMenucb"}},
    };
    for (const std::vector<Step>& run : runs) {
        ContextMenuState state;
        for (const Step& step : run) {
            step.change(state);
            EXPECT_EQ(ContextMenuName(state), step.menu);
            if (!step.menu.empty()) {
                EXPECT_FALSE(BuildMenu(step.menu).children.empty()) << step.menu;
            }
        }
    }
}

TEST(AutoPlay, RenamesItsItemInEveryGameMenuAndExitStopsItsTimer) {
    OwnSession session;
    auto expectLabel = [&](const char* label) {
        for (std::string_view name : kGameMenuNames) {
            EXPECT_EQ(session.window.Menus().ItemLabel(name, kCmdAutoPlay), std::optional<std::string>(label))
                << name;
        }
    };
    expectLabel("Auto Play");
    session.Command(kCmdAutoPlay);
    EXPECT_TRUE(session.window.View().autoPlayOn);
    EXPECT_EQ(session.platform.timers.count(kAutoPlayTimer), 1u);
    expectLabel("Stop Auto Play");
    session.Command(kCmdAutoPlay);
    EXPECT_FALSE(session.window.View().autoPlayOn);
    expectLabel("Auto Play");
    EXPECT_TRUE(session.platform.timers.empty());

    session.Command(kCmdAutoPlay);
    session.Command(kCmdExit);
    EXPECT_EQ(session.platform.timers.count(kAutoPlayTimer), 0u);
    EXPECT_TRUE(session.platform.messages.empty());
}

}  // namespace
}  // namespace ravelin::shell
