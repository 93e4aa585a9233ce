// "Play Analysis": the variations after the shown move played on the board, one move a step.

#include <gtest/gtest.h>

#include <string>

#include "chess/board.h"
#include "chess/variation_stepper.h"
#include "display/game_buttons.h"
#include "display/game_display.h"
#include "settings/settings_record.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/display_mode.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using testing::TempDir;
using testing_support::Session;

// After 2.Nf3 the game has 2.Bc4 Nf6 3.d3 as its variation, with a nested 2...Nc6 inside it.
const std::string kAnnotatedGame =
    "[Event \"Analysed\"]\n[Result \"*\"]\n\n"
    "1.e4 e5 2.Nf3 {the main move} (2.Bc4 Nf6 (2...Nc6 3.Qh5) 3.d3) 2...Nc6 3.Bb5 a6 *\n";

chess::PieceCode At(const chess::Board& board, char file, int rank) {
    return board[file - 'a' + 1][rank];
}

class AnalysisReplayTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session_ = std::make_unique<Session>(work_.Path().string());
        session_->Start(files_.Write("analysed.pgn", kAnnotatedGame));
        ASSERT_EQ(session_->window.displayMode, kModeGame);
    }

    display::GameDisplay& Display() { return session_->window.Viewer().Display(); }
    const chess::Board& Shown() { return Display().Screen().Shown(); }
    void Step(GameKey key, int times = 1) {
        for (int k = 0; k < times; ++k) {
            session_->window.Viewer().Key(key);
        }
    }

    TempDir work_;
    TempDir files_;
    std::unique_ptr<Session> session_;
};

TEST_F(AnalysisReplayTest, PlaysTheVariationAndComesBackToTheGame) {
    Step(GameKey::kNext, 3);
    session_->ClearRecords();
    session_->Command(kCmdPlayAnalysis);
    // 2.Bc4 takes the place of 2.Nf3.
    EXPECT_TRUE(Display().AnalysisReplayActive());
    EXPECT_EQ(Display().CurrentPly(), 3);
    EXPECT_EQ(Display().PlainMove(3), "Bc4");
    EXPECT_EQ(At(Shown(), 'c', 4), chess::kBishop);
    EXPECT_EQ(At(Shown(), 'g', 1), chess::kKnight);
    EXPECT_EQ(At(Shown(), 'f', 3), chess::kEmpty);
    EXPECT_EQ(session_->window.ContextMenu(false), "GamexMenu");

    Step(GameKey::kNext);
    EXPECT_EQ(Display().PlainMove(4), "Nf6");
    EXPECT_EQ(At(Shown(), 'f', 6), chess::MakePiece(chess::Side::kBlack, chess::kKnight));
    // The nested 2...Nc6 3.Qh5 replaces 2...Nf6.
    Step(GameKey::kNext, 2);
    EXPECT_EQ(Display().PlainMove(5), "Qh5");
    EXPECT_EQ(At(Shown(), 'c', 6), chess::MakePiece(chess::Side::kBlack, chess::kKnight));
    EXPECT_EQ(At(Shown(), 'h', 5), chess::kQueen);
    // Leaving the nested line puts 2...Nf6 back and goes on with 3.d3 in the same step.
    Step(GameKey::kNext);
    EXPECT_EQ(Display().PlainMove(4), "Nf6");
    EXPECT_EQ(Display().PlainMove(5), "d3");
    EXPECT_EQ(At(Shown(), 'd', 3), chess::kPawn);
    EXPECT_EQ(At(Shown(), 'f', 6), chess::MakePiece(chess::Side::kBlack, chess::kKnight));
    EXPECT_TRUE(session_->platform.messages.empty());

    // Past the variation's end the game's own moves come back at the ply the replay began.
    Step(GameKey::kNext);
    ASSERT_EQ(session_->platform.messages.size(), 1u);
    EXPECT_EQ(session_->platform.messages[0].text, chess::kEndOfAnalysis);
    EXPECT_FALSE(Display().AnalysisReplayActive());
    EXPECT_EQ(Display().CurrentPly(), 3);
    EXPECT_EQ(Display().TotalPlies(), 6);
    EXPECT_EQ(Display().PlainMove(3), "Nf3");
    EXPECT_EQ(At(Shown(), 'f', 3), chess::kKnight);
    EXPECT_EQ(session_->window.ContextMenu(false), "GameMenu");
}

TEST_F(AnalysisReplayTest, StepBackOrEndOfVariationReturnToTheGame) {
    Step(GameKey::kNext, 3);
    session_->Command(kCmdPlayAnalysis);
    session_->Command(kCmdPlayAnalysis);
    ASSERT_EQ(Display().CurrentPly(), 4);
    Step(GameKey::kPrevious);
    EXPECT_FALSE(Display().AnalysisReplayActive());
    EXPECT_EQ(Display().CurrentPly(), 3);
    EXPECT_EQ(Display().PlainMove(4), "Nc6");

    session_->Command(kCmdPlayAnalysis);
    ASSERT_TRUE(Display().AnalysisReplayActive());
    session_->Command(kCmdEndOfVariation);
    EXPECT_FALSE(Display().AnalysisReplayActive());
    EXPECT_EQ(Display().CurrentPly(), 3);
    EXPECT_EQ(At(Shown(), 'f', 3), chess::kKnight);

    // Middle of Game goes to the game's own middle move, not into the analysis.
    session_->Command(kCmdPlayAnalysis);
    session_->Command(kCmdMiddleOfGame);
    EXPECT_FALSE(Display().AnalysisReplayActive());
    EXPECT_EQ(Display().CurrentPly(), 3);
    EXPECT_EQ(Display().PlainMove(3), "Nf3");
    EXPECT_EQ(Display().TotalPlies(), 6);

    // Another key leaves the replay and then does its own step.
    session_->Command(kCmdPlayAnalysis);
    Step(GameKey::kEnd);
    EXPECT_FALSE(Display().AnalysisReplayActive());
    EXPECT_EQ(Display().CurrentPly(), 6);
    EXPECT_EQ(Display().PlainMove(6), "a6");
}

TEST_F(AnalysisReplayTest, AMoveWithoutVariationEndsAtOnce) {
    Step(GameKey::kNext, 1);
    session_->ClearRecords();
    session_->Command(kCmdPlayAnalysis);
    ASSERT_EQ(session_->platform.messages.size(), 1u);
    EXPECT_EQ(session_->platform.messages[0].text, chess::kEndOfAnalysis);
    EXPECT_FALSE(Display().AnalysisReplayActive());
    EXPECT_EQ(Display().CurrentPly(), 1);
}

TEST_F(AnalysisReplayTest, GameButtonsStepTheReplayAndAllAct) {
    session_->window.Settings().SetInt(settings::kOffsetDisplayGameButtons, 1);
    session_->Command(kCmdDisplayGame);
    Step(GameKey::kNext, 3);
    session_->Command(kCmdPlayAnalysis);
    // 2.Bc4 is the last move of the move list now, yet ">" plays the next analysis move.
    const display::GameViewState state = session_->window.Viewer().State();
    ASSERT_EQ(state.buttons.size(), static_cast<std::size_t>(display::kGameButtonCount));
    for (const display::ButtonItem& button : state.buttons) {
        EXPECT_TRUE(button.enabled) << button.label;
    }
    const display::ButtonItem& next = state.buttons[static_cast<std::size_t>(display::GameButton::kNext)];
    session_->window.Viewer().Click(next.rect.x + next.rect.width / 2, next.rect.y + next.rect.height / 2);
    EXPECT_TRUE(Display().AnalysisReplayActive());
    EXPECT_EQ(Display().PlainMove(4), "Nf6");
    const display::ButtonItem& back = state.buttons[static_cast<std::size_t>(display::GameButton::kPrevious)];
    session_->window.Viewer().Click(back.rect.x + back.rect.width / 2, back.rect.y + back.rect.height / 2);
    EXPECT_FALSE(Display().AnalysisReplayActive());
    EXPECT_EQ(Display().PlainMove(3), "Nf3");
}

TEST(AnalysisReplayOfSetUpGames, IsRefused) {
    TempDir work;
    TempDir files;
    Session session(work.Path().string());
    session.Start(files.Write("fen.pgn",
                              "[Event \"Ending\"]\n[SetUp \"1\"]\n"
                              "[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n\n1.e4 (1.e3) Kd7 *\n"));
    session.ClearRecords();
    session.Command(kCmdPlayAnalysis);
    ASSERT_EQ(session.platform.messages.size(), 1u);
    EXPECT_EQ(session.platform.messages[0].text, display::kNoAnalysisForFen);
    EXPECT_FALSE(session.window.Viewer().Display().AnalysisReplayActive());
}

}  // namespace
}  // namespace ravelin::shell
