#include "shell/commands/tree_commands.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fast_file_helpers.h"
#include "platform/messages.h"
#include "search/fast_file_output.h"
#include "settings/settings_record.h"
#include "shell/command_ids.h"
#include "shell/dialogs/tree_settings_dialog.h"
#include "shell/dispatch.h"
#include "shell/display_mode.h"
#include "shell_session.h"
#include "tree/merge_file.h"

namespace ravelin::shell {
namespace {

using ravelin::testing::ReadWholeFile;
using testing_support::DataText;
using testing_support::OwnSession;
using testing_support::Session;
using Texts = std::vector<std::string>;

platform::ListWindowContent TreeWindowOf(const Session& session) {
    return session.platform.listWindows.Content(kTreeWindowKey);
}

struct TreeSession : OwnSession {
    TreeSession() : OwnSession(DataText("pgn/dortmund.pgn"), "d.pgn") {}
    platform::ListWindowContent TreeWindow() const { return TreeWindowOf(*this); }
    int Plies() { return window.Trees().Tree() ? window.Trees().Tree()->Line().Plies() : -1; }
    std::string Pgn() const { return files.File("d.pgn"); }
    void Choose(const std::string& path) { platform.fileChoices.push_back(path); }
};

// The tree window follows the walk: a double click enters a move (the board takes the line), the
// window's menu goes back, forward and to the start, and "Return" finds the line again in the next run.
TEST(TreeCommands, WalkTheTreeAndReturnToItsLine) {
    TreeSession session;
    session.Command(kCmdStartTree);
    const platform::ListWindowContent root = session.TreeWindow();
    ASSERT_EQ(root.lines.size(), 4u);
    EXPECT_EQ(root.lines[0], "1. e4      47.6%     165");
    ASSERT_TRUE(session.platform.listWindows.Activate(kTreeWindowKey, 0));
    ASSERT_TRUE(session.platform.listWindows.Activate(kTreeWindowKey, 0));
    EXPECT_EQ(session.Plies(), 2);
    EXPECT_EQ(session.TreeWindow().lines[0].substr(0, 6), "2. Nf3");
    EXPECT_EQ(chess::SanView(session.window.Search().criteria.variation.MoveOfPly(1)), "e4");
    session.Command(kCmdBackOneLevel);
    EXPECT_EQ(session.Plies(), 1);
    session.Command(kCmdForwardOneLevel);
    EXPECT_EQ(session.Plies(), 2);
    session.Command(kCmdStartOfTree);
    EXPECT_EQ(session.TreeWindow().lines, root.lines);
    session.Command(kCmdForwardOneLevel);
    session.Command(kCmdForwardOneLevel);
    EXPECT_EQ(session.Plies(), 2);
    EXPECT_TRUE(session.Messages().empty());

    Session next(session.work.Path().string());
    next.Start(session.Pgn());
    next.Command(kCmdTreeReturn);
    ASSERT_NE(next.window.Trees().Tree(), nullptr);
    EXPECT_EQ(next.window.Trees().Tree()->Line().texts, (Texts{"e4", "c5"}));
}

// "Reset Tree File" asks first, then deletes the tree files; "Return" then has no tree to return to.
TEST(TreeCommands, ResetDeletesTheTreeFiles) {
    TreeSession session;
    session.Command(kCmdStartTree);
    const std::string tre = session.files.File("d.TRE");
    ASSERT_TRUE(std::filesystem::exists(tre));
    session.Command(kCmdResetTreeFile);
    EXPECT_TRUE(std::filesystem::exists(tre));
    session.platform.questionAnswers.push_back(platform::kAnswerYes);
    session.Command(kCmdResetTreeFile);
    EXPECT_FALSE(std::filesystem::exists(tre));
    session.ClearRecords();
    session.Command(kCmdTreeReturn);
    EXPECT_EQ(session.Messages(), Texts{tree::kNoTreeInProcess});
}

// Settings: raising the single-node count suggests a reset; the move-type order applies at once.
TEST(TreeCommands, SettingsChangeTheWindow) {
    TreeSession session;
    session.Command(kCmdStartTree);
    session.OnDialog<TreeSettingsDialog>([](TreeSettingsDialog& dialog) {
        dialog.singleNodes = "20";
        dialog.sort = 2;
        return true;
    });
    session.Command(kCmdTreeSettings);
    EXPECT_EQ(session.Messages(), Texts{kResetTreeAdvice});
    EXPECT_EQ(session.window.Settings().Int(settings::kOffsetTreeSingleNodeCount), 20);
    EXPECT_EQ(session.TreeWindow().lines, (Texts{"1. c4", "1. d4", "1. e4", "1. Nf3"}));
}

// "Show Next Moves" lists the moves after the shown game's position; it needs the game view.
TEST(TreeCommands, ShowNextMovesNeedsTheGameView) {
    TreeSession session;
    ASSERT_EQ(session.window.displayMode, kModeGame);
    session.Command(kCmdNextMovesInFile);
    EXPECT_EQ(session.platform.listWindows.Content(kNextMovesWindowKey).lines.size(), 4u);
    session.Command(kCmdDisplayText);
    session.ClearRecords();
    session.Command(kCmdNextMovesInFile);
    EXPECT_EQ(session.Messages(), Texts{kOnlyGameOrVariation});
    session.Command(kCmdDisplayGame);
    session.Command(kCmdNextMovesInDatabase);
    EXPECT_EQ(session.Messages().back(), kNoDatabaseForTree);
}

// Merge files: never the open file or its own files; an append needs the end word; the games of two
// appends stand twice in the merge file's tree.
TEST(TreeCommands, MergeFilesRefuseTheirOwnFilesAndGrowTwice) {
    TreeSession session;
    testing_support::MakeFastFile(session.Pgn());
    const std::string merge = session.files.File("all.trm");
    for (const std::string& own : {session.Pgn(), session.files.File("d.TRF")}) {
        session.Choose(own);
        session.Command(kCmdNewMergeFile);
    }
    EXPECT_EQ(session.Messages(), (Texts{tree::kMergeTargetIsOwnFile, tree::kMergeTargetIsOwnFile}));
    session.ClearRecords();
    session.Choose(merge);
    session.Command(kCmdNewMergeFile);
    session.Choose(merge);
    session.Command(kCmdAppendToMergeFile);
    EXPECT_EQ(session.Messages(), (Texts{kMergeFileCompleteText, kMergeFileCompleteText}));
    session.Choose(merge);
    session.Command(kCmdOpenMergeFile);
    session.Command(kCmdStartMergeTree);
    ASSERT_NE(session.window.Trees().Tree(), nullptr);
    int games = 0;
    for (const int child : session.window.Trees().Tree()->Children()) {
        games += session.window.Trees().Tree()->Nodes()[static_cast<std::size_t>(child)].games;
    }
    EXPECT_EQ(games, 2 * 347);

    const std::string cut = session.files.Write("cut.trm", ReadWholeFile(merge).substr(0, 100));
    session.ClearRecords();
    session.Choose(cut);
    session.Command(kCmdAppendToMergeFile);
    EXPECT_EQ(session.Messages(), Texts{search::kErrorOpeningMergeFile});
    EXPECT_EQ(ReadWholeFile(cut).size(), 100u);
}

// The ECO tree grows over the table's lines and shows every move's share of them.
TEST(TreeCommands, EcoTreeOverTheTable) {
    TreeSession session;
    session.Command(kCmdStartEcoTree);
    const Texts lines = session.TreeWindow().lines;
    ASSERT_GT(lines.size(), 10u);
    EXPECT_EQ(lines[0].substr(0, 5), "1. e4");
    EXPECT_TRUE(std::filesystem::exists(session.work.File("ecotree.tre")));
    session.platform.listWindows.Activate(kTreeWindowKey, 0);
    EXPECT_EQ(session.Plies(), 1);
}

// At the end of a branch with automatic display on, the one game that reaches it is shown at the
// tree's move; without it the end is only told.
TEST(TreeCommands, EndOfBranchShowsTheOneGame) {
    for (const bool autoDisplay : {false, true}) {
        OwnSession session(
            "[Event \"a\"]\n\n1. d4 d5 2. c4 c6 *\n\n[Event \"b\"]\n\n"
            "1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7 6. Re1 *\n\n");
        session.window.Settings().SetInt(settings::kOffsetTreeAutoDisplayGame, autoDisplay ? 1 : 0);
        session.Command(kCmdStartTree);
        const int e4 = TreeWindowOf(session).lines[0].starts_with("1. e4") ? 0 : 1;
        ASSERT_TRUE(session.platform.listWindows.Activate(kTreeWindowKey, e4));
        while (!session.window.Trees().Tree()->AtEndOfBranch()) {
            ASSERT_TRUE(session.platform.listWindows.Activate(kTreeWindowKey, 0));
        }
        // Nine single moves after 1.e4, the move two games share.
        EXPECT_EQ(session.window.Trees().Tree()->Line().Plies(), 10);
        if (autoDisplay) {
            EXPECT_TRUE(session.Messages().empty());
            EXPECT_EQ(session.window.File().currentGame, 2);
            EXPECT_EQ(session.window.displayMode, kModeGame);
            EXPECT_EQ(session.window.currentPly, 10);
        } else {
            EXPECT_EQ(session.Messages(), Texts{tree::kEndOfTheBranch});
        }
    }
}

}  // namespace
}  // namespace ravelin::shell
