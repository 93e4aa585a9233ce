#include "shell/menus.h"

#include <gtest/gtest.h>

#include <memory>
#include <string>
#include <vector>

#include "shell/command_ids.h"
#include "shell/display_mode.h"
#include "shell/menu_bar.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using testing::TempDir;
using testing_support::Session;

std::vector<std::string> Labels(const MenuNode& menu) {
    std::vector<std::string> labels;
    for (const MenuNode& child : menu.children) {
        labels.push_back(child.label);
    }
    return labels;
}

const MenuNode* Child(const MenuNode& menu, std::string_view label) {
    for (const MenuNode& child : menu.children) {
        if (child.label == label) {
            return &child;
        }
    }
    return nullptr;
}

TEST(MenuDefinitionTest, StandardMenuBarHasTheTwelveTopLevelItems) {
    MenuNode main = BuildMenu("MainMenu");
    EXPECT_EQ(Labels(main),
              (std::vector<std::string>{"File", "Game", "Text", "Search", "Tree", "Next", "Prev", "Select",
                                        "Return", "Flip", "Analyze", "Help"}));
    EXPECT_EQ(Child(main, "Game")->commandId, kCmdDisplayGame);
    EXPECT_EQ(Child(main, "Help")->commandId, kCmdHelp);
}

TEST(MenuDefinitionTest, NestedPathsLeadToTheirIds) {
    MenuNode main = BuildMenu("MainMenu");
    const MenuNode* utilities = Child(*Child(main, "File"), "Utilities");
    ASSERT_NE(utilities, nullptr);
    const MenuNode* fileUtilities = Child(*utilities, "File Utilities");
    ASSERT_NE(fileUtilities, nullptr);
    EXPECT_EQ(Child(*fileUtilities, "Reload File")->commandId, kCmdReloadFile);
    const MenuNode* treeMerge = Child(
        *Child(*Child(*Child(main, "Search"), "Copy All Games To..."), "Tree Merge File"), "Existing File");
    ASSERT_NE(treeMerge, nullptr);
    EXPECT_EQ(Child(*treeMerge, "From Dir Search")->commandId, 223);
    EXPECT_EQ(Child(*Child(main, "File"), "Options")->commandId, kCmdOptions);
}

TEST(MenuDefinitionTest, OwnBarPopupsAreTheStandardBarsSubmenus) {
    MenuNode main = BuildMenu("MainMenu");
    EXPECT_EQ(CommandIdsOf(BuildMenu("FileMenu")), CommandIdsOf(*Child(main, "File")));
    EXPECT_EQ(CommandIdsOf(BuildMenu("SearchMenu")), CommandIdsOf(*Child(main, "Search")));
    EXPECT_EQ(CommandIdsOf(BuildMenu("TreeMenux")), CommandIdsOf(*Child(main, "Tree")));
}

TEST(MenuDefinitionTest, EveryGameMenuOffersAutoPlay) {
    MenuSet menus;
    for (std::string_view name : kGameMenuNames) {
        EXPECT_EQ(menus.ItemLabel(name, kCmdAutoPlay), std::optional<std::string>("Auto Play")) << name;
    }
    EXPECT_EQ(menus.ItemLabel("GamexMenu", 260), std::optional<std::string>("End of Variation"));
    EXPECT_EQ(menus.ItemLabel("GameyMenu", 261), std::optional<std::string>("Searched Position"));
    EXPECT_TRUE(menus.ItemLabel("GamezMenu", 260).has_value());
    EXPECT_TRUE(menus.ItemLabel("GamezMenu", 261).has_value());
    EXPECT_FALSE(menus.ItemLabel("GameMenu", 260).has_value());
}

TEST(MenuBarTest, BarKindsIssueTheirCommands) {
    auto commands = [](MenuBarKind kind) {
        std::vector<int> ids;
        for (const MenuBarItem& item : MenuBarItems(kind)) {
            if (item.popup.empty()) {
                ids.push_back(item.commandId);
            }
        }
        return ids;
    };
    EXPECT_EQ(commands(MenuBarKind::kMain), (std::vector<int>{101, 102, 104, 105, 272, 110, 194, 195, 400}));
    EXPECT_EQ(commands(MenuBarKind::kHtmlAnnotation),
              (std::vector<int>{202, 203, 204, 205, 206, 207, 208, 209}));
    EXPECT_EQ(commands(MenuBarKind::kModifyMoves), (std::vector<int>{194, 218}));
    EXPECT_EQ(commands(MenuBarKind::kAddGame), (std::vector<int>{161, 393, 162, 168, 169, 194, 400}));
    EXPECT_EQ(commands(MenuBarKind::kAnnotateAdd), (std::vector<int>{497, 194, 400}));
    EXPECT_EQ(commands(MenuBarKind::kAnnotateModify), (std::vector<int>{497, 194, 400}));
    EXPECT_EQ(commands(MenuBarKind::kEcoEditing), (std::vector<int>{513, 514, 515, 516, 194, 400}));
}

TEST(MenuBarTest, EveryPopupOfTheBarsExists) {
    for (int kind = 0; kind < kMenuBarKindCount; ++kind) {
        for (const MenuBarItem& item : MenuBarItems(static_cast<MenuBarKind>(kind))) {
            if (!item.popup.empty()) {
                EXPECT_FALSE(BuildMenu(item.popup).children.empty()) << item.popup;
            }
        }
    }
}

TEST(MenuBarTest, KeyboardWalksTheBarAndOpensOrIssues) {
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

TEST(ContextMenuTest, TextModeFollowsDisplayActualText) {
    ContextMenuState state;
    state.displayMode = kModeText;
    EXPECT_EQ(ContextMenuName(state), "TextnMenu");
    state.displayActualText = true;
    EXPECT_EQ(ContextMenuName(state), "TextaMenu");
}

TEST(ContextMenuTest, GameMenuChoiceFollowsVariationAndSearch) {
    ContextMenuState state;
    state.displayMode = kModeGame;
    EXPECT_EQ(ContextMenuName(state), "GameMenu");
    state.inVariationOrNavigation = true;
    EXPECT_EQ(ContextMenuName(state), "GamexMenu");
    state.searchActive = true;
    EXPECT_EQ(ContextMenuName(state), "GamezMenu");
    state.inVariationOrNavigation = false;
    EXPECT_EQ(ContextMenuName(state), "GameyMenu");
}

TEST(ContextMenuTest, GameMenuEarlierRulesWinOverVariationAndSearch) {
    ContextMenuState state;
    state.displayMode = kModeGame;
    state.inVariationOrNavigation = true;
    state.searchActive = true;
    state.actualTextWindowOpen = true;
    EXPECT_EQ(ContextMenuName(state), "GameaMenu");
    state.recordedAnalysisKind = 2;
    EXPECT_EQ(ContextMenuName(state), "GamepMenu");
    state.recordedAnalysisKind = 1;
    EXPECT_EQ(ContextMenuName(state), "GamerMenu");
    state.alternateKind = 1;
    EXPECT_EQ(ContextMenuName(state), "AnalMenucb");
}

TEST(ContextMenuTest, OtherModes) {
    ContextMenuState state;
    EXPECT_EQ(ContextMenuName(state), "");
    state.displayMode = kModeVariationEdit;
    EXPECT_EQ(ContextMenuName(state), "VarMenu");
    state.analysing = true;
    state.analysisMenu = AnalysisMenu::kRL;
    EXPECT_EQ(ContextMenuName(state), "AnalMenurl");
    state.displayMode = kModePositionEdit;
    EXPECT_EQ(ContextMenuName(state), "");
    state.clickOnBoard = true;
    EXPECT_EQ(ContextMenuName(state), "PosMenu");
    state.displayMode = kModeAddGame;
    EXPECT_EQ(ContextMenuName(state), "AddMenu");
    state.displayMode = kModeTree;
    EXPECT_EQ(ContextMenuName(state), "TreeMenu");
    state.displayMode = kModeBackground;
    EXPECT_EQ(ContextMenuName(state), "");
}

class AutoPlayTest : public ::testing::Test {
  protected:
    std::unique_ptr<Session> Started() {
        auto session = std::make_unique<Session>(work.Path().string());
        session->Start();
        session->ClearRecords();
        return session;
    }
    TempDir work;
};

TEST_F(AutoPlayTest, OnAndOffRenamesTheItemInAllSevenGameMenus) {
    auto session = Started();
    session->Command(kCmdAutoPlay);
    EXPECT_TRUE(session->window.View().autoPlayOn);
    for (std::string_view name : kGameMenuNames) {
        EXPECT_EQ(session->window.Menus().ItemLabel(name, kCmdAutoPlay),
                  std::optional<std::string>("Stop Auto Play"))
            << name;
    }
    session->Command(kCmdAutoPlay);
    EXPECT_FALSE(session->window.View().autoPlayOn);
    for (std::string_view name : kGameMenuNames) {
        EXPECT_EQ(session->window.Menus().ItemLabel(name, kCmdAutoPlay),
                  std::optional<std::string>("Auto Play"))
            << name;
    }
    EXPECT_TRUE(session->platform.timers.empty());
    EXPECT_TRUE(session->platform.messages.empty());
}

TEST_F(AutoPlayTest, TimerOneRunsAtTheAutoPlayDelay) {
    auto session = Started();
    session->window.Settings().SetAutoPlayDelayText("0.5");
    session->Command(kCmdAutoPlay);
    ASSERT_EQ(session->platform.timers.count(kAutoPlayTimer), 1u);
    EXPECT_EQ(session->platform.timers[kAutoPlayTimer], 500);
}

TEST_F(AutoPlayTest, EachTickAdvancesOnePlyAndTheEndStopsIt) {
    auto session = Started();
    int plies = 0;
    session->window.AutoPlayer().nextPly = [&] { return ++plies < 3; };
    session->Command(kCmdAutoPlay);
    session->window.HandleTimer(kAutoPlayTimer);
    session->window.HandleTimer(kAutoPlayTimer);
    EXPECT_EQ(plies, 2);
    EXPECT_TRUE(session->window.View().autoPlayOn);
    session->window.HandleTimer(kAutoPlayTimer);
    EXPECT_EQ(plies, 3);
    EXPECT_FALSE(session->window.View().autoPlayOn);
    EXPECT_EQ(session->window.Menus().ItemLabel("GameMenu", kCmdAutoPlay),
              std::optional<std::string>("Auto Play"));
    EXPECT_EQ(session->platform.timers.count(kAutoPlayTimer), 0u);
}

TEST_F(AutoPlayTest, ExitStopsTheTimer) {
    auto session = Started();
    session->Command(kCmdAutoPlay);
    session->Command(kCmdExit);
    EXPECT_EQ(session->platform.timers.count(kAutoPlayTimer), 0u);
}

}  // namespace
}  // namespace ravelin::shell
