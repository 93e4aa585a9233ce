// Commands on the shown game: given while another view is up, the game comes up first and the
// command runs on it; "Play Analysis" plays the variations after the shown move one move a step.

#include <gtest/gtest.h>

#include <string>

#include "chess/board.h"
#include "chess/variation_stepper.h"
#include "display/game_buttons.h"
#include "game_view/game_view_session.h"
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

using GameSession = display::testing::GameViewSession;

class GameCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session.Command(kCmdDisplayText);
        ASSERT_EQ(session.window.displayMode, kModeText);
    }
    GameSession session{kTwoGames};
};

TEST_F(GameCommandsTest, MovesOfTheGameAskedForInTheTextViewShowTheGameAndGoThereAndCopiesTakeIt) {
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
    // Copy to Position and to Variation take the shown game.
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

// The dialog takes a move number of the game and the side; cancelled, nothing moves.
TEST_F(GameCommandsTest, GoToMovePieceCountAndNagHelp) {
    session.Command(kCmdDisplayGame);
    session.OnDialog<GoToMoveDialog>([](GoToMoveDialog& goTo) {
        // 4.Qxf7# is the last move: black has no fourth move, and there is no fifth one at all.
        goTo.moveNumber = "4";
        EXPECT_EQ(goTo.Validate(), "");
        goTo.blackMove = true;
        for (const char* wrong : {"4", "", "0", "5", "two", "-1", "1.", "99999999999"}) {
            goTo.moveNumber = wrong;
            EXPECT_EQ(goTo.Validate(), "Enter a move number from 1 to 4.") << wrong;
        }
        goTo.moveNumber = " 2 ";
        return goTo.Validate().empty();
    });
    session.window.Viewer().AskGoToMove();
    EXPECT_EQ(session.Ply(), 4);
    EXPECT_EQ(session.window.currentPly, 4);
    session.platform.dialogScript = nullptr;
    session.window.Viewer().AskGoToMove();
    EXPECT_EQ(session.Ply(), 4);
    EXPECT_EQ(session.platform.dialogTitles, (Texts{"Go to Move", "Go to Move"}));
    // Piece Count and NAG Help answer for the shown game.
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

// After 2.Nf3 the game has 2.Bc4 Nf6 3.d3 as its variation, with a nested 2...Nc6 inside it.
const std::string kAnnotatedGame =
    "[Event \"Analysed\"]\n[Result \"*\"]\n\n"
    "1.e4 e5 2.Nf3 {the main move} (2.Bc4 Nf6 (2...Nc6 3.Qh5) 3.d3) 2...Nc6 3.Bb5 a6 *\n";
constexpr chess::PieceCode kBlackKnight = chess::kKnight + chess::kBlackOffset;

// 2.Bc4 replaces 2.Nf3, the nested 2...Nc6 3.Qh5 replaces 2...Nf6 until 3.d3 puts it back; past the
// end the game comes back at the ply the replay began; a move without a variation ends at once.
TEST(PlayAnalysis, PlaysTheVariationAndComesBackToTheGame) {
    GameSession session(kAnnotatedGame);
    session.Step(GameKey::kNext, 3);
    session.Command(kCmdPlayAnalysis);
    EXPECT_TRUE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 3);
    EXPECT_EQ(session.Display().PlainMove(3), "Bc4");
    EXPECT_EQ(session.Shown('c', 4), chess::kBishop);
    EXPECT_EQ(session.window.ContextMenu(false), "GamexMenu");
    session.Step(GameKey::kNext, 3);
    EXPECT_EQ(session.Display().PlainMove(5), "Qh5");
    session.Step(GameKey::kNext);
    EXPECT_EQ(session.Display().PlainMove(4), "Nf6");
    EXPECT_EQ(session.Display().PlainMove(5), "d3");
    EXPECT_EQ(session.Shown('f', 6), kBlackKnight);
    EXPECT_TRUE(session.Messages().empty());
    session.Step(GameKey::kNext);
    EXPECT_EQ(session.Messages(), Texts{chess::kEndOfAnalysis});
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 3);
    EXPECT_EQ(session.Display().TotalPlies(), 6);
    EXPECT_EQ(session.Shown('f', 3), chess::kKnight);
    EXPECT_EQ(session.window.ContextMenu(false), "GameMenu");
    session.ClearRecords();
    session.Step(GameKey::kPrevious, 2);
    session.Command(kCmdPlayAnalysis);
    EXPECT_EQ(session.Messages(), Texts{chess::kEndOfAnalysis});
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 1);
}

// With the game buttons shown each acts in the replay: ">" plays on past the move list's last move,
// "<" steps back into the game; End of Variation, Middle of Game or another key leave it too.
TEST(PlayAnalysis, StepBackEndOfVariationMiddleOrAnotherKeyReturnToTheGame) {
    GameSession session(kAnnotatedGame);
    session.window.Settings().SetInt(settings::kOffsetDisplayGameButtons, 1);
    session.Command(kCmdDisplayGame);
    session.Step(GameKey::kNext, 3);
    session.Command(kCmdPlayAnalysis);
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
    EXPECT_EQ(session.Display().PlainMove(4), "Nf6");
    press(display::GameButton::kPrevious);
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Display().PlainMove(4), "Nc6");
    for (int leave : {kCmdEndOfVariation, kCmdMiddleOfGame}) {
        session.Command(kCmdPlayAnalysis);
        ASSERT_TRUE(session.Display().AnalysisReplayActive());
        session.Command(leave);
        EXPECT_FALSE(session.Display().AnalysisReplayActive()) << leave;
        EXPECT_EQ(session.Ply(), 3);
        EXPECT_EQ(session.Display().PlainMove(3), "Nf3");
    }
    session.Command(kCmdPlayAnalysis);
    session.Step(GameKey::kEnd);
    EXPECT_FALSE(session.Display().AnalysisReplayActive());
    EXPECT_EQ(session.Ply(), 6);
    EXPECT_EQ(session.Display().PlainMove(6), "a6");
}

}  // namespace
}  // namespace ravelin::shell
