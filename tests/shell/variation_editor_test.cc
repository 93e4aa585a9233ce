#include "shell/commands/variation_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "display/board_geometry.h"
#include "display/game_display.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/search_commands.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using testing::TempDir;
using testing_support::Session;

class VariationEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session = std::make_unique<Session>(work.Path().string());
        session->Start();
        session->Command(kCmdEditVariation);
        ASSERT_EQ(session->window.displayMode, kModeVariationEdit);
        session->ClearRecords();
    }

    VariationEditor& Editor() { return session->window.Searches().Variation(); }
    search::SearchVariation& Variation() { return session->window.Search().criteria.variation; }

    // Clicks the middle of a square ("e2") as the window would.
    void ClickSquare(const char* square) {
        const display::GameDisplayOptions options =
            display::GameDisplayOptions::From(session->window.Settings(), work.Path().string());
        display::BoardView view;
        view.squareSize = options.squareSize;
        const display::PixelRect rect = display::SquareRect(view, square[0] - 'a' + 1, square[1] - '0');
        session->window.Viewer().Click(rect.x + rect.width / 2, rect.y + rect.height / 2);
    }
    void Play(const char* from, const char* to) {
        ClickSquare(from);
        ClickSquare(to);
    }
    std::string MoveOfPly(int ply) { return std::string(chess::SanView(Variation().MoveOfPly(ply))); }

    TempDir work;
    std::unique_ptr<Session> session;
};

TEST_F(VariationEditorTest, ClickedMovesBecomeTheVariation) {
    Play("e2", "e4");
    Play("c7", "c5");
    Play("g1", "f3");
    EXPECT_EQ(Variation().Plies(), 3);
    EXPECT_EQ(MoveOfPly(1), "e4");
    EXPECT_EQ(MoveOfPly(2), "c5");
    EXPECT_EQ(MoveOfPly(3), "Nf3");
    EXPECT_EQ(Editor().CurrentPly(), 3);
    EXPECT_EQ(Editor().ShownBoard()[6][3], chess::kKnight);
    EXPECT_TRUE(Editor().Status().empty());
    // The move list beside the board shows the moves.
    display::GameViewState state = session->window.Viewer().State();
    ASSERT_NE(state.boardImage, nullptr);
    bool listed = false;
    for (const display::TextItem& item : state.texts) {
        listed = listed || item.text == "  2. Nf3";
    }
    EXPECT_TRUE(listed);
}

TEST_F(VariationEditorTest, IllegalMovesAndWrongPiecesAreNotTaken) {
    ClickSquare("e7");
    EXPECT_EQ(Editor().Status(), kNotYourPiece);
    Play("e2", "e5");
    EXPECT_EQ(Editor().Status(), kNotLegalMove);
    EXPECT_TRUE(Variation().Empty());
    // A king that would walk into check.
    Play("e2", "e4");
    Play("d7", "d5");
    Play("e1", "e2");
    Play("d8", "d6");
    Play("e2", "e3");
    EXPECT_EQ(Variation().Plies(), 5);
    Play("d6", "e5");
    Play("e3", "d4");
    EXPECT_EQ(Editor().Status(), kNotLegalMove);
    EXPECT_EQ(Variation().Plies(), 6);
}

TEST_F(VariationEditorTest, AmbiguousKnightMoveCarriesItsSourceHint) {
    Play("d2", "d4");
    Play("d7", "d5");
    Play("g1", "f3");
    Play("g8", "f6");
    Play("b1", "d2");
    EXPECT_EQ(MoveOfPly(5), "Nbd2");
    EXPECT_EQ(std::string(Variation().whiteHints[2].data()), "b1");
    EXPECT_EQ(Variation().whiteHints[1][0], 0);
    // The hint lets the replay find the piece again.
    std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
    const VariationReplay replay = ReplayVariation(Variation(), *context);
    EXPECT_EQ(replay.plies, 5);
    EXPECT_EQ(replay.badPly, 0);
    EXPECT_EQ(context->board[4][2], chess::kKnight);
}

TEST_F(VariationEditorTest, AnyMovePassesTheTurnWithTheBoardUnchanged) {
    Play("e2", "e4");
    session->window.Viewer().Character('*');
    EXPECT_EQ(MoveOfPly(2), "*");
    EXPECT_EQ(Editor().CurrentPly(), 2);
    // White moves again from the same board.
    Play("d2", "d4");
    EXPECT_EQ(MoveOfPly(3), "d4");
    session->window.Viewer().Character('*');
    EXPECT_EQ(Variation().Plies(), 4);
    session->window.Viewer().Character('\b');
    EXPECT_EQ(Variation().Plies(), 3);
    EXPECT_EQ(Editor().CurrentPly(), 3);
}

TEST_F(VariationEditorTest, PlayingAtAnEarlierPlyReplacesTheRestButTheSameMoveKeepsIt) {
    Play("e2", "e4");
    Play("e7", "e5");
    Play("g1", "f3");
    session->window.Viewer().Key(GameKey::kStart);
    EXPECT_EQ(Editor().CurrentPly(), 0);
    Play("e2", "e4");  // the same first move: nothing is lost
    EXPECT_EQ(Variation().Plies(), 3);
    EXPECT_EQ(Editor().CurrentPly(), 1);
    Play("c7", "c5");  // another reply: the rest goes
    EXPECT_EQ(Variation().Plies(), 2);
    EXPECT_EQ(MoveOfPly(2), "c5");
    session->window.Viewer().Key(GameKey::kPrevious);
    EXPECT_EQ(Editor().CurrentPly(), 1);
    session->window.Viewer().Key(GameKey::kEnd);
    EXPECT_EQ(Editor().CurrentPly(), 2);
}

TEST_F(VariationEditorTest, FlippedBoardTakesClicksOnTheSquaresShown) {
    session->Command(kCmdFlip);
    // Flipped, the pixels of d7 and d5 show e2 and e4.
    Play("d7", "d5");
    EXPECT_EQ(MoveOfPly(1), "e4");
    session->Command(kCmdFlip);
}

TEST_F(VariationEditorTest, ClearAsksFirst) {
    Play("e2", "e4");
    session->platform.questionAnswers.push_back(platform::kAnswerNo);
    Editor().Key(VariationKey::kClear);
    EXPECT_EQ(Variation().Plies(), 1);
    session->platform.questionAnswers.push_back(platform::kAnswerYes);
    Editor().Key(VariationKey::kClear);
    EXPECT_TRUE(Variation().Empty());
    EXPECT_EQ(Editor().CurrentPly(), 0);
}

TEST_F(VariationEditorTest, LoadedVariationWithABadMoveIsShownUpToIt) {
    chess::SetSanText(Variation().MoveOfPly(1), "e4");
    chess::SetSanText(Variation().MoveOfPly(2), "e5");
    chess::SetSanText(Variation().MoveOfPly(3), "Ke3");
    session->Command(kCmdEditVariation);
    EXPECT_EQ(Editor().Plies(), 2);
    EXPECT_EQ(Editor().CurrentPly(), 2);
    EXPECT_EQ(Editor().Status(), "The variation stops at move Ke3, which cannot be played.");
}

TEST(ReplayVariation, PlaysTheFullLineOfARealGameOpening) {
    search::SearchVariation variation;
    const char* moves[] = {"e4", "c5", "Nf3", "d6", "d4", "cxd4", "Nxd4", "Nf6", "Nc3", "a6"};
    int ply = 1;
    for (const char* move : moves) {
        chess::SetSanText(variation.MoveOfPly(ply++), move);
    }
    std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
    const VariationReplay replay = ReplayVariation(variation, *context);
    EXPECT_EQ(replay.plies, 10);
    EXPECT_EQ(replay.badPly, 0);
    EXPECT_EQ(context->board[1][6], chess::kPawn + chess::kBlackOffset);
    EXPECT_EQ(context->board[4][4], chess::kKnight);
}

}  // namespace
}  // namespace ravelin::shell
