// Commands on the shown game given while another view is up: the game comes up first and the
// command runs on it.

#include <gtest/gtest.h>

#include <string>

#include "chess/board.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/go_to_move_dialog.h"
#include "shell/display_mode.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using testing::TempDir;
using testing_support::Session;

// Seven plies and four plies.
const std::string kTwoGames =
    "[Event \"One\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0\n\n"
    "[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 d5 2.c4 e6 *\n";

class GameCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session_ = std::make_unique<Session>(work_.Path().string());
        session_->Start(files_.Write("games.pgn", kTwoGames));
        ASSERT_EQ(session_->window.displayMode, kModeGame);
        session_->Command(kCmdDisplayText);
        ASSERT_EQ(session_->window.displayMode, kModeText);
    }

    int Ply() { return session_->window.Viewer().Display().CurrentPly(); }

    TempDir work_;
    TempDir files_;
    std::unique_ptr<Session> session_;
};

TEST_F(GameCommandsTest, MovesOfTheGameAskedForInTheTextViewShowTheGameAndGoThere) {
    session_->Command(kCmdMiddleOfGame);
    EXPECT_EQ(session_->window.displayMode, kModeGame);
    EXPECT_EQ(Ply(), 3);  // 7 / 2, odd so that white is to move

    session_->Command(kCmdDisplayText);
    session_->Command(kCmdEndOfGame);
    EXPECT_EQ(session_->window.displayMode, kModeGame);
    EXPECT_EQ(Ply(), 7);
    EXPECT_EQ(session_->window.Viewer().DeferredCommand(), 0);

    // In the game view the command runs at once.
    session_->Command(kCmdStartOfGame);
    EXPECT_EQ(Ply(), 0);
    EXPECT_TRUE(session_->platform.messages.empty());
}

TEST_F(GameCommandsTest, ActualTextWindowAskedForInTheTextViewOpensBesideTheGame) {
    session_->Command(kCmdShowActualText);
    EXPECT_EQ(session_->window.displayMode, kModeGame);
    EXPECT_TRUE(session_->window.Viewer().ActualTextOpen());
}

TEST_F(GameCommandsTest, ARequestIsDroppedWhenAnotherViewIsAskedForFirst) {
    // The text view comes between the request and the game it waits for.
    session_->platform.PostCommand(kCmdEndOfGame);
    session_->platform.PostCommand(kCmdDisplayText);
    session_->Run();
    EXPECT_EQ(session_->window.Viewer().DeferredCommand(), 0);
    EXPECT_EQ(Ply(), 0);
}

TEST_F(GameCommandsTest, CopyToVariationTakesTheMovesUpToTheShownPly) {
    session_->Command(kCmdDisplayGame);
    for (int k = 0; k < 3; ++k) {
        session_->window.Viewer().Key(GameKey::kNext);
    }
    session_->Command(kCmdCopyToVariation);
    EXPECT_EQ(session_->window.displayMode, kModeVariationEdit);
    const search::SearchVariation& variation = session_->window.Search().criteria.variation;
    ASSERT_EQ(variation.Plies(), 3);
    EXPECT_EQ(chess::SanView(variation.MoveOfPly(1)), "e4");
    EXPECT_EQ(chess::SanView(variation.MoveOfPly(2)), "e5");
    EXPECT_EQ(chess::SanView(variation.MoveOfPly(3)), "Qh5");
    EXPECT_EQ(session_->window.Searches().Variation().CurrentPly(), 3);

    // A second copy from the start of the next game replaces it.
    session_->Command(kCmdNextGame);
    session_->Command(kCmdCopyToVariation);
    EXPECT_TRUE(session_->window.Search().criteria.variation.Empty());
}

TEST_F(GameCommandsTest, CopyToPositionFromTheTextViewTakesTheShownBoard) {
    session_->Command(kCmdCopyToPosition);
    EXPECT_EQ(session_->window.displayMode, kModePositionEdit);
    const search::CriteriaBoard& criteria = session_->window.Search().criteriaBoard;
    EXPECT_EQ(criteria.squares, chess::MakeStartBoard());
}

TEST_F(GameCommandsTest, PieceCountTellsTheMaterialOfTheShownPosition) {
    session_->Command(kCmdEndOfGame);
    session_->ClearRecords();
    session_->Command(kCmdPieceCount);
    ASSERT_EQ(session_->platform.messages.size(), 1u);
    // 4.Qxf7# took the f-pawn.
    EXPECT_EQ(session_->platform.messages[0].text, "White: Q1 R2 B2 N2 P8 (39)  Black: Q1 R2 B2 N2 P7 (38)");
}

TEST_F(GameCommandsTest, NagHelpWritesThePageAndOpensIt) {
    std::string shown;
    session_->window.onShowHelp = [&shown](const std::string& path) { shown = path; };
    session_->Command(kCmdNagHelp);
    ASSERT_FALSE(shown.empty());
    const std::string page = testing::ReadWholeFile(shown);
    EXPECT_NE(page.find("<td>$1</td><td>!</td><td>Good move</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>$14</td><td>+/=</td><td>White has a slight advantage</td>"), std::string::npos);
    EXPECT_NE(page.find("<td>$142</td><td>&gt;=</td><td></td>"), std::string::npos);
    EXPECT_NE(page.find("<td>$146</td><td></td><td>A novelty</td>"), std::string::npos);
    EXPECT_EQ(page.find("<td>$140</td>"), std::string::npos);
}

TEST(GoToMove, NumberAndSideNameAPlyOfTheGame) {
    GoToMoveDialog dialog(7);  // 4.Qxf7# is the last move
    dialog.moveNumber = " 3 ";
    EXPECT_EQ(dialog.Validate(), "");
    EXPECT_EQ(dialog.Ply(), 5);
    dialog.blackMove = true;
    EXPECT_EQ(dialog.Ply(), 6);
    // Black has no fourth move, and there is no fifth one at all.
    dialog.moveNumber = "4";
    EXPECT_EQ(dialog.Validate(), "Enter a move number from 1 to 4.");
    dialog.blackMove = false;
    EXPECT_EQ(dialog.Validate(), "");
    for (const char* wrong : {"", "0", "5", "two", "-1", "1.", "99999999999"}) {
        dialog.moveNumber = wrong;
        EXPECT_EQ(dialog.Validate(), "Enter a move number from 1 to 4.") << wrong;
    }
}

TEST_F(GameCommandsTest, GoToMoveAsksAndGoesThere) {
    session_->Command(kCmdDisplayGame);
    session_->platform.dialogScript = [](platform::Dialog& dialog) {
        auto* goTo = dynamic_cast<GoToMoveDialog*>(&dialog);
        if (goTo == nullptr) {
            return false;
        }
        goTo->moveNumber = "2";
        goTo->blackMove = true;
        return goTo->Validate().empty();
    };
    session_->window.Viewer().AskGoToMove();
    EXPECT_EQ(Ply(), 4);
    EXPECT_EQ(session_->window.currentPly, 4);
    // Cancelled, nothing moves.
    session_->platform.dialogScript = nullptr;
    session_->window.Viewer().AskGoToMove();
    EXPECT_EQ(Ply(), 4);
    EXPECT_EQ(session_->platform.dialogTitles, (std::vector<std::string>{"Go to Move", "Go to Move"}));
}

TEST(GameCommandsOnSetUpGames, CopyToVariationIsRefused) {
    TempDir work;
    TempDir files;
    Session session(work.Path().string());
    session.Start(files.Write("fen.pgn",
                              "[Event \"Ending\"]\n[SetUp \"1\"]\n"
                              "[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n\n1.e4 Kd7 *\n"));
    session.window.Viewer().Key(GameKey::kEnd);
    session.ClearRecords();
    session.Command(kCmdCopyToVariation);
    ASSERT_EQ(session.platform.messages.size(), 1u);
    EXPECT_EQ(session.platform.messages[0].text, kSetUpGameNotAVariation);
    EXPECT_EQ(session.window.displayMode, kModeGame);
    EXPECT_TRUE(session.window.Search().criteria.variation.Empty());
}

TEST(GameCommandsWithoutFile, KeepNoRequestAndShowNothing) {
    TempDir work;
    Session session(work.Path().string());
    session.Start();
    session.ClearRecords();
    session.Command(kCmdEndOfGame);
    session.Command(kCmdShowActualText);
    EXPECT_EQ(session.window.Viewer().DeferredCommand(), 0);
    EXPECT_EQ(session.window.displayMode, kModeNothing);
    EXPECT_FALSE(session.window.Viewer().ActualTextOpen());
}

}  // namespace
}  // namespace ravelin::shell
