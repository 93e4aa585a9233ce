// The two criteria editors: "Edit Position" (a board of pieces and its dialogs) and "Edit
// Variation" (moves played on the board by clicks).

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <string_view>
#include <tuple>
#include <vector>

#include "display/board_geometry.h"
#include "display/game_display.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/position_editor.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/position_dialogs.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using Texts = std::vector<std::string>;

constexpr chess::PieceCode kBlackKnight = chess::kKnight + chess::kBlackOffset;

class PositionEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session.Command(kCmdEditPosition);
        ASSERT_EQ(session.window.displayMode, kModePositionEdit);
    }
    PositionEditor& Editor() { return session.window.Searches().Position(); }
    search::CriteriaBoard& Board() { return session.window.Search().criteriaBoard; }
    chess::PieceCode Click(int file, int rank) {
        Editor().SquareClicked(file, rank);
        return Board().squares[file][rank];
    }
    OwnSession session;
};

TEST_F(PositionEditorTest, PalettePieceIsPlacedTheSameAgainEmptiesAndASideKeepsToForty) {
    EXPECT_EQ(Click(5, 4), chess::kEmpty);
    EXPECT_EQ(Editor().Status(), kPickPieceFirst);
    Editor().Pick(kBlackKnight);
    EXPECT_EQ(Click(3, 6), kBlackKnight);
    EXPECT_EQ(Click(6, 6), kBlackKnight);
    EXPECT_EQ(Click(3, 6), chess::kEmpty);
    // Another piece replaces what stands there; the eraser empties.
    Editor().Pick(chess::kPawn);
    EXPECT_EQ(Click(6, 6), chess::kPawn);
    Editor().Pick(chess::kEmpty);
    EXPECT_EQ(Click(6, 6), chess::kEmpty);
    EXPECT_TRUE(session.window.Viewer().PointOnBoard(200, 200));
    EXPECT_FALSE(session.window.Viewer().PointOnBoard(5, 5));
    // A side keeps to forty entries, the pawn count among them; the other side may still place.
    Board().counts[0][search::kCountPawns] = {search::kCountEqual, '8'};
    Editor().Pick(chess::kQueen);
    int placed = 0;
    for (int square = 0; square < 64; ++square) {
        placed += Click(square / 8 + 1, square % 8 + 1) == chess::kQueen ? 1 : 0;
    }
    EXPECT_EQ(placed, 39);
    EXPECT_EQ(Editor().Status(), kSideListFull);
    Editor().Pick(kBlackKnight);
    EXPECT_EQ(Click(1, 1), kBlackKnight);
    // From Game takes the displayed position, once there is a game.
    Editor().Act(PositionAction::kFromGame);
    EXPECT_EQ(Editor().Status(), kNoGameToCopy);
    session.window.File().SetCommandLinePath(
        session.files.Write("one.pgn", "[Event \"x\"]\n[Result \"*\"]\n\n1.e4 e5 2.Nf3 *\n"));
    session.Command(kCmdOpenFile);
    session.Command(kCmdDisplayGame);
    session.window.Viewer().Key(GameKey::kEnd);
    session.Command(kCmdEditPosition);
    Editor().Act(PositionAction::kFromGame);
    EXPECT_EQ(Board().squares[6][3], chess::kKnight);
    EXPECT_EQ(Board().squares[5][5], chess::kPawn + chess::kBlackOffset);
}

TEST_F(PositionEditorTest, DialogsCheckTheirEntriesAndStoreOnlyWhenAccepted) {
    session.platform.dialogScript = [](platform::Dialog& dialog) {
        if (auto* counts = dynamic_cast<PiecesRemainingDialog*>(&dialog)) {
            counts->counts[0][search::kCountRooks] = {search::kCountAtLeast, '2'};
            counts->counts[1][search::kCountRooks] = {search::kCountEitherSide, 0};
            return counts->Validate().empty();
        }
        auto& number = dynamic_cast<MoveNumberDialog&>(dialog);
        number.on = true;
        number.criterion = "> 20";
        return number.Validate().empty();
    };
    Editor().Act(PositionAction::kPiecesRemaining);
    EXPECT_EQ(Board().counts[0][search::kCountRooks].relation, search::kCountAtLeast);
    EXPECT_EQ(Board().counts[1][search::kCountRooks].relation, search::kCountEitherSide);
    EXPECT_EQ(Board().counts[1][search::kCountRooks].digit, '2');
    Editor().Act(PositionAction::kMoveNumber);
    EXPECT_EQ(Editor().MoveNumberLabel(), "Move >20");
    // Cancelled, the condition stays on.
    session.OnDialog<MoveNumberDialog>([](MoveNumberDialog& number) { return number.on = false; });
    Editor().Act(PositionAction::kMoveNumber);
    search::MoveNumberCondition& kept = session.window.Search().criteria.position.moveNumber;
    EXPECT_TRUE(kept.on);
    // The label fits the criterion into the button; off, it says nothing of it.
    const std::pair<search::MoveNumberCondition, const char*> labels[] = {
        {{true, "10 - 200"}, "Mov 10-200"}, {{true, "100-2000"}, "M 100-2000"}, {{false, "12"}, "Move Num"}};
    for (const auto& [condition, label] : labels) {
        kept = condition;
        EXPECT_EQ(Editor().MoveNumberLabel(), label);
    }
    CountTable table{};
    PiecesRemainingDialog counts(table);
    auto queens = [&](search::CountCondition white, search::CountCondition black) {
        counts.counts[0][search::kCountQueens] = white;
        counts.counts[1][search::kCountQueens] = black;
        return counts.Validate();
    };
    EXPECT_EQ(queens({search::kCountEitherSide, '1'}, {}), kEitherSideBlackOnly);
    EXPECT_EQ(queens({}, {search::kCountEitherSide, '1'}), kEitherSideNeedsWhite);
    EXPECT_EQ(queens({}, {search::kCountEqual, 'x'}), kCountDigitWanted);
    EXPECT_EQ(queens({}, {search::kCountEqual, '0'}), "");
    search::MoveNumberCondition condition;
    MoveNumberDialog number(condition);
    number.on = true;
    for (const auto& [criterion, message] : {std::pair<std::string, std::string>{"abc", kMoveNumberWanted},
                                             {"10 - 20", ""},
                                             {std::string(15, '1'), kMoveNumberTooLong}}) {
        number.criterion = criterion;
        EXPECT_EQ(number.Validate(), message) << criterion;
    }
    // Off, any text is kept as it is.
    number.on = false;
    number.criterion = "later";
    EXPECT_EQ(number.Validate(), "");
}

class VariationEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session.Command(kCmdEditVariation);
        ASSERT_EQ(session.window.displayMode, kModeVariationEdit);
    }
    VariationEditor& Editor() { return session.window.Searches().Variation(); }
    search::SearchVariation& Variation() { return session.window.Search().criteria.variation; }
    // Clicks the middle of a square ("e2") as the window would.
    void Click(std::string_view square) {
        display::BoardView view;
        view.squareSize =
            display::GameDisplayOptions::From(session.window.Settings(), session.work.Path().string())
                .squareSize;
        const display::PixelRect rect = display::SquareRect(view, square[0] - 'a' + 1, square[1] - '0');
        session.window.Viewer().Click(rect.x + rect.width / 2, rect.y + rect.height / 2);
    }
    // Plays moves given as "e2e4".
    void Play(std::initializer_list<std::string_view> moves) {
        for (std::string_view move : moves) {
            Click(move.substr(0, 2));
            Click(move.substr(2, 2));
        }
    }
    Texts Moves() {
        Texts moves;
        for (int ply = 1; ply <= Variation().Plies(); ++ply) {
            moves.emplace_back(chess::SanView(Variation().MoveOfPly(ply)));
        }
        return moves;
    }
    OwnSession session;
};

// Clicked moves become the variation and are listed beside the board; a square without a piece of
// the side to move, an illegal move and a king walking into check are not taken.
TEST_F(VariationEditorTest, ClickedMovesBecomeTheVariationAndIllegalOnesAreNotTaken) {
    Click("e7");
    EXPECT_EQ(Editor().Status(), kNotYourPiece);
    Play({"e2e5"});
    EXPECT_EQ(Editor().Status(), kNotLegalMove);
    EXPECT_TRUE(Variation().Empty());
    Play({"e2e4", "d7d5", "e1e2", "d8d6", "e2e3", "d6e5"});
    EXPECT_EQ(Moves(), (Texts{"e4", "d5", "Ke2", "Qd6", "Ke3", "Qe5"}));
    EXPECT_EQ(Editor().CurrentPly(), 6);
    EXPECT_EQ(Editor().ShownBoard()[5][3], chess::kKing);
    EXPECT_TRUE(Editor().Status().empty());
    display::GameViewState state = session.window.Viewer().State();
    EXPECT_TRUE(std::any_of(state.texts.begin(), state.texts.end(),
                            [](const display::TextItem& item) { return item.text == "  2. Ke2"; }));
    Play({"e3d4"});  // into the queen's reach
    EXPECT_EQ(Editor().Status(), kNotLegalMove);
    EXPECT_EQ(Variation().Plies(), 6);
    session.window.Viewer().Key(GameKey::kStart);
    Play({"d2d4", "d7d5", "g1f3", "g8f6", "b1d2"});
    EXPECT_EQ(Moves().back(), "Nbd2");
    EXPECT_EQ(std::string(Variation().whiteHints[2].data()), "b1");
    EXPECT_EQ(Variation().whiteHints[1][0], 0);
    std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
    const VariationReplay replay = ReplayVariation(Variation(), *context);
    EXPECT_EQ(replay.plies, 5);
    EXPECT_EQ(replay.badPly, 0);
    EXPECT_EQ(context->board[4][2], chess::kKnight);
}

TEST_F(VariationEditorTest, PlayingAtAnEarlierPlyReplacesTheRestAndAnyMovePassesTheTurn) {
    Play({"e2e4", "e7e5", "g1f3"});
    session.window.Viewer().Key(GameKey::kStart);
    EXPECT_EQ(Editor().CurrentPly(), 0);
    Play({"e2e4"});  // the same first move: nothing is lost
    EXPECT_EQ(Variation().Plies(), 3);
    EXPECT_EQ(Editor().CurrentPly(), 1);
    Play({"c7c5"});  // another reply: the rest goes
    EXPECT_EQ(Moves(), (Texts{"e4", "c5"}));
    session.window.Viewer().Key(GameKey::kPrevious);
    EXPECT_EQ(Editor().CurrentPly(), 1);
    session.window.Viewer().Key(GameKey::kEnd);
    EXPECT_EQ(Editor().CurrentPly(), 2);
    // Flipped, the pixels of d7 and d5 show e2 and e4.
    session.window.Viewer().Key(GameKey::kStart);
    session.Command(kCmdFlip);
    Play({"d7d5"});
    EXPECT_EQ(Moves(), (Texts{"e4", "c5"}));
    EXPECT_EQ(Editor().CurrentPly(), 1);
    // '*' passes the turn with the board unchanged, and backspace takes it back.
    session.window.Viewer().Key(GameKey::kEnd);
    session.window.Viewer().Character('*');
    session.Command(kCmdFlip);
    Play({"g8f6"});  // black moves on the same board
    session.window.Viewer().Character('*');
    EXPECT_EQ(Moves(), (Texts{"e4", "c5", "*", "Nf6", "*"}));
    session.window.Viewer().Character('\b');
    EXPECT_EQ(Variation().Plies(), 4);
    EXPECT_EQ(Editor().CurrentPly(), 4);
    // Clear asks first; a loaded variation with a move that cannot be played stops before it.
    session.platform.questionAnswers = {platform::kAnswerNo, platform::kAnswerYes};
    Editor().Key(VariationKey::kClear);
    EXPECT_EQ(Variation().Plies(), 4);
    Editor().Key(VariationKey::kClear);
    EXPECT_TRUE(Variation().Empty());
    EXPECT_EQ(Editor().CurrentPly(), 0);
    for (const char* move : {"e4", "e5", "Ke3"}) {
        chess::SetSanText(Variation().MoveOfPly(Variation().Plies() + 1), move);
    }
    session.Command(kCmdEditVariation);
    EXPECT_EQ(Editor().Plies(), 2);
    EXPECT_EQ(Editor().CurrentPly(), 2);
    EXPECT_EQ(Editor().Status(), "The variation stops at move Ke3, which cannot be played.");
}

}  // namespace
}  // namespace ravelin::shell
