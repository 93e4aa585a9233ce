// Commands on the shown game: given while another view is up, the game comes up first and the
// command runs on it; "Play Analysis" plays the variations after the shown move one move a step.

#include <gtest/gtest.h>

#include <string>

#include "chess/board.h"
#include "chess/variation_stepper.h"
#include "display/game_buttons.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/go_to_move_dialog.h"
#include "shell/display_mode.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using Texts = std::vector<std::string>;

// Seven plies and four plies.
const std::string kTwoGames =
    "[Event \"One\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0\n\n"
    "[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 d5 2.c4 e6 *\n";
const std::string kSetUpGame =
    "[Event \"Ending\"]\n[SetUp \"1\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n\n1.e4 (1.e3) Kd7 *\n";

struct GameSession : OwnSession {
    explicit GameSession(const std::string& pgn) : OwnSession(pgn) {}
    display::GameDisplay& Display() { return window.Viewer().Display(); }
    int Ply() { return Display().CurrentPly(); }
    void Step(GameKey key, int times = 1) {
        for (int k = 0; k < times; ++k) {
            window.Viewer().Key(key);
        }
    }
    chess::PieceCode At(char file, int rank) { return Display().Screen().Shown()[file - 'a' + 1][rank]; }
};

class GameCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session.Command(kCmdDisplayText);
        ASSERT_EQ(session.window.displayMode, kModeText);
    }
    GameSession session{kTwoGames};
};

TEST_F(GameCommandsTest, MovesOfTheGameAskedForInTheTextViewShowTheGameAndGoThere) {
    session.Command(kCmdMiddleOfGame);
    EXPECT_EQ(session.window.displayMode, kModeGame);
    EXPECT_EQ(session.Ply(), 3);  // 7 / 2, odd so that white is to move
    session.Command(kCmdDisplayText);
    session.Command(kCmdEndOfGame);
    EXPECT_EQ(session.window.displayMode, kModeGame);
    EXPECT_EQ(session.Ply(), 7);
    EXPECT_EQ(session.window.Viewer().DeferredCommand(), 0);
    // In the game view the command runs at once.
    session.Command(kCmdStartOfGame);
    EXPECT_EQ(session.Ply(), 0);
    EXPECT_TRUE(session.platform.messages.empty());
    // A request is dropped when another view is asked for before the game comes up.
    session.Command(kCmdDisplayText);
    session.platform.PostCommand(kCmdEndOfGame);
    session.platform.PostCommand(kCmdDisplayText);
    session.Run();
    EXPECT_EQ(session.window.Viewer().DeferredCommand(), 0);
    EXPECT_EQ(session.Ply(), 0);
}

TEST_F(GameCommandsTest, CopyToPositionAndToVariationTakeTheShownGame) {
    session.Command(kCmdCopyToPosition);
    EXPECT_EQ(session.window.displayMode, kModePositionEdit);
    EXPECT_EQ(session.window.Search().criteriaBoard.squares, chess::MakeStartBoard());

    session.Command(kCmdDisplayGame);
    session.Step(GameKey::kNext, 3);
    session.Command(kCmdCopyToVariation);
    EXPECT_EQ(session.window.displayMode, kModeVariationEdit);
    const search::SearchVariation& variation = session.window.Search().criteria.variation;
    ASSERT_EQ(variation.Plies(), 3);
    EXPECT_EQ(chess::SanView(variation.MoveOfPly(1)), "e4");
    EXPECT_EQ(chess::SanView(variation.MoveOfPly(3)), "Qh5");
    EXPECT_EQ(session.window.Searches().Variation().CurrentPly(), 3);
    // A second copy from the start of the next game replaces it.
    session.Command(kCmdNextGame);
    session.Command(kCmdCopyToVariation);
    EXPECT_TRUE(variation.Empty());
}

TEST_F(GameCommandsTest, PieceCountAndNagHelpAnswerForTheShownGame) {
    session.Command(kCmdEndOfGame);
    session.Command(kCmdPieceCount);
    // 4.Qxf7# took the f-pawn.
    EXPECT_EQ(session.Messages(), Texts{"White: Q1 R2 B2 N2 P8 (39)  Black: Q1 R2 B2 N2 P7 (38)"});

    std::string shown;
    session.window.onShowHelp = [&shown](const std::string& path) { shown = path; };
    session.Command(kCmdNagHelp);
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
    for (const char* wrong : {"4", "", "0", "5", "two", "-1", "1.", "99999999999"}) {
        dialog.moveNumber = wrong;
        EXPECT_EQ(dialog.Validate(), "Enter a move number from 1 to 4.") << wrong;
        dialog.blackMove = false;
    }
    dialog.moveNumber = "4";
    EXPECT_EQ(dialog.Validate(), "");
}

TEST_F(GameCommandsTest, GoToMoveAsksAndGoesThere) {
    session.Command(kCmdDisplayGame);
    session.OnDialog<GoToMoveDialog>([](GoToMoveDialog& goTo) {
        goTo.moveNumber = "2";
        goTo.blackMove = true;
        return goTo.Validate().empty();
    });
    session.window.Viewer().AskGoToMove();
    EXPECT_EQ(session.Ply(), 4);
    EXPECT_EQ(session.window.currentPly, 4);
    // Cancelled, nothing moves.
    session.platform.dialogScript = nullptr;
    session.window.Viewer().AskGoToMove();
    EXPECT_EQ(session.Ply(), 4);
    EXPECT_EQ(session.platform.dialogTitles, (Texts{"Go to Move", "Go to Move"}));
}

TEST(GameCommandsOnSetUpGames, CopyToVariationAndPlayAnalysisAreRefused) {
    GameSession session(kSetUpGame);
    session.Command(kCmdPlayAnalysis);
    session.Step(GameKey::kEnd);
    session.Command(kCmdCopyToVariation);
    EXPECT_EQ(session.Messages(), (Texts{std::string(display::kNoAnalysisForFen), kSetUpGameNotAVariation}));
    EXPECT_EQ(session.window.displayMode, kModeGame);
    EXPECT_TRUE(session.window.Search().criteria.variation.Empty());
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
}

TEST(GameCommandsWithoutFile, KeepNoRequestAndShowNothing) {
    OwnSession session;
    session.Command(kCmdEndOfGame);
    session.Command(kCmdShowActualText);
    EXPECT_EQ(session.window.Viewer().DeferredCommand(), 0);
    EXPECT_EQ(session.window.displayMode, kModeNothing);
    EXPECT_FALSE(session.window.Viewer().ActualTextOpen());
}

// --- Play Analysis ---

// After 2.Nf3 the game has 2.Bc4 Nf6 3.d3 as its variation, with a nested 2...Nc6 inside it.
const std::string kAnnotatedGame =
    "[Event \"Analysed\"]\n[Result \"*\"]\n\n"
    "1.e4 e5 2.Nf3 {the main move} (2.Bc4 Nf6 (2...Nc6 3.Qh5) 3.d3) 2...Nc6 3.Bb5 a6 *\n";
constexpr chess::PieceCode kBlackKnight = chess::kKnight + chess::kBlackOffset;

TEST(PlayAnalysis, PlaysTheVariationAndComesBackToTheGame) {
    GameSession session(kAnnotatedGame);
    session.Step(GameKey::kNext, 3);
    session.Command(kCmdPlayAnalysis);
    // 2.Bc4 takes the place of 2.Nf3.
    EXPECT_TRUE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 3);
    EXPECT_EQ(session.Display().PlainMove(3), "Bc4");
    EXPECT_EQ(session.At('c', 4), chess::kBishop);
    EXPECT_EQ(session.At('f', 3), chess::kEmpty);
    EXPECT_EQ(session.window.ContextMenu(false), "GamexMenu");
    // The nested 2...Nc6 3.Qh5 replaces 2...Nf6.
    session.Step(GameKey::kNext, 3);
    EXPECT_EQ(session.Display().PlainMove(5), "Qh5");
    EXPECT_EQ(session.At('c', 6), kBlackKnight);
    EXPECT_EQ(session.At('h', 5), chess::kQueen);
    // Leaving the nested line puts 2...Nf6 back and goes on with 3.d3 in the same step.
    session.Step(GameKey::kNext);
    EXPECT_EQ(session.Display().PlainMove(4), "Nf6");
    EXPECT_EQ(session.Display().PlainMove(5), "d3");
    EXPECT_EQ(session.At('d', 3), chess::kPawn);
    EXPECT_EQ(session.At('f', 6), kBlackKnight);
    EXPECT_TRUE(session.Messages().empty());
    // Past the variation's end the game's own moves come back at the ply the replay began.
    session.Step(GameKey::kNext);
    EXPECT_EQ(session.Messages(), Texts{chess::kEndOfAnalysis});
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 3);
    EXPECT_EQ(session.Display().TotalPlies(), 6);
    EXPECT_EQ(session.At('f', 3), chess::kKnight);
    EXPECT_EQ(session.window.ContextMenu(false), "GameMenu");
    // A move without a variation ends at once.
    session.ClearRecords();
    session.Step(GameKey::kPrevious, 2);
    session.Command(kCmdPlayAnalysis);
    EXPECT_EQ(session.Messages(), Texts{chess::kEndOfAnalysis});
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 1);
}

TEST(PlayAnalysis, StepBackEndOfVariationMiddleOrAnotherKeyReturnToTheGame) {
    GameSession session(kAnnotatedGame);
    session.Step(GameKey::kNext, 3);
    session.Command(kCmdPlayAnalysis);
    session.Command(kCmdPlayAnalysis);
    ASSERT_EQ(session.Ply(), 4);
    session.Step(GameKey::kPrevious);
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 3);
    EXPECT_EQ(session.Display().PlainMove(4), "Nc6");

    session.Command(kCmdPlayAnalysis);
    ASSERT_TRUE(session.Display().AnalysisReplayActive());
    session.Command(kCmdEndOfVariation);
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 3);
    EXPECT_EQ(session.At('f', 3), chess::kKnight);
    // Middle of Game goes to the game's own middle move, not into the analysis.
    session.Command(kCmdPlayAnalysis);
    session.Command(kCmdMiddleOfGame);
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 3);
    EXPECT_EQ(session.Display().PlainMove(3), "Nf3");
    // Another key leaves the replay and then does its own step.
    session.Command(kCmdPlayAnalysis);
    session.Step(GameKey::kEnd);
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 6);
    EXPECT_EQ(session.Display().PlainMove(6), "a6");
}

TEST(PlayAnalysis, GameButtonsStepTheReplayAndAllAct) {
    GameSession session(kAnnotatedGame);
    session.window.Settings().SetInt(settings::kOffsetDisplayGameButtons, 1);
    session.Command(kCmdDisplayGame);
    session.Step(GameKey::kNext, 3);
    session.Command(kCmdPlayAnalysis);
    // 2.Bc4 is the last move of the move list now, yet ">" plays the next analysis move.
    const display::GameViewState state = session.window.Viewer().State();
    ASSERT_EQ(state.buttons.size(), static_cast<std::size_t>(display::kGameButtonCount));
    for (const display::ButtonItem& button : state.buttons) {
        EXPECT_TRUE(button.enabled) << button.label;
    }
    auto press = [&](display::GameButton button) {
        const display::PixelRect& rect = state.buttons[static_cast<std::size_t>(button)].rect;
        session.window.Viewer().Click(rect.x + rect.width / 2, rect.y + rect.height / 2);
    };
    press(display::GameButton::kNext);
    EXPECT_TRUE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Display().PlainMove(4), "Nf6");
    press(display::GameButton::kPrevious);
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Display().PlainMove(3), "Nf3");
}

}  // namespace
}  // namespace ravelin::shell
