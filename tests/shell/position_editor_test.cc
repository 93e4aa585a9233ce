#include "shell/commands/position_editor.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/search_commands.h"
#include "shell/dialogs/position_dialogs.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using testing::TempDir;
using testing_support::Session;

constexpr chess::PieceCode kBlackKnight = chess::kKnight + chess::kBlackOffset;

class PositionEditorTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session = std::make_unique<Session>(work.Path().string());
        session->Start();
        session->Command(kCmdEditPosition);
        ASSERT_EQ(session->window.displayMode, kModePositionEdit);
    }
    PositionEditor& Editor() { return session->window.Searches().Position(); }
    search::CriteriaBoard& Board() { return session->window.Search().criteriaBoard; }

    TempDir work;
    std::unique_ptr<Session> session;
};

TEST_F(PositionEditorTest, PalettePieceIsPlacedAndTheSamePieceClickedAgainEmpties) {
    Editor().SquareClicked(5, 4);
    EXPECT_EQ(Editor().Status(), kPickPieceFirst);
    Editor().Pick(kBlackKnight);
    Editor().SquareClicked(3, 6);
    Editor().SquareClicked(6, 6);
    EXPECT_EQ(Board().squares[3][6], kBlackKnight);
    EXPECT_EQ(Board().squares[6][6], kBlackKnight);
    Editor().SquareClicked(3, 6);
    EXPECT_EQ(Board().squares[3][6], chess::kEmpty);
    // Another piece replaces what stands there.
    Editor().Pick(chess::kPawn);
    Editor().SquareClicked(6, 6);
    EXPECT_EQ(Board().squares[6][6], chess::kPawn);
    // The eraser.
    Editor().Pick(chess::kEmpty);
    Editor().SquareClicked(6, 6);
    EXPECT_EQ(Board().squares[6][6], chess::kEmpty);
}

TEST_F(PositionEditorTest, ASideKeepsToFortyEntries) {
    Board().counts[0][search::kCountPawns] = {search::kCountEqual, '8'};
    Editor().Pick(chess::kQueen);
    int placed = 0;
    for (int file = 1; file <= 8; ++file) {
        for (int rank = 1; rank <= 8; ++rank) {
            Editor().SquareClicked(file, rank);
            placed += Board().squares[file][rank] == chess::kQueen ? 1 : 0;
        }
    }
    EXPECT_EQ(placed, 39);
    EXPECT_EQ(Editor().Status(), kSideListFull);
    // A black piece on a white square is still allowed.
    Editor().Pick(kBlackKnight);
    Editor().SquareClicked(1, 1);
    EXPECT_EQ(Board().squares[1][1], kBlackKnight);
}

TEST_F(PositionEditorTest, FromGameTakesTheDisplayedPosition) {
    Editor().Act(PositionAction::kFromGame);
    EXPECT_EQ(Editor().Status(), kNoGameToCopy);

    TempDir files;
    const std::string path = files.Write("one.pgn", "[Event \"x\"]\n[Result \"*\"]\n\n1.e4 e5 2.Nf3 *\n");
    session->window.File().SetCommandLinePath(path);
    session->Command(kCmdOpenFile);
    session->Command(kCmdDisplayGame);
    ASSERT_EQ(session->window.displayMode, kModeGame);
    session->window.Viewer().Key(GameKey::kEnd);
    session->Command(kCmdEditPosition);
    Editor().Act(PositionAction::kFromGame);
    EXPECT_EQ(Board().squares[6][3], chess::kKnight);
    EXPECT_EQ(Board().squares[5][4], chess::kPawn);
    EXPECT_EQ(Board().squares[5][5], chess::kPawn + chess::kBlackOffset);
    EXPECT_EQ(Board().squares[7][1], chess::kEmpty);
}

TEST_F(PositionEditorTest, DialogsStoreOnlyWhenAccepted) {
    session->platform.dialogScript = [](platform::Dialog& dialog) {
        if (auto* counts = dynamic_cast<PiecesRemainingDialog*>(&dialog)) {
            counts->counts[0][search::kCountRooks] = {search::kCountAtLeast, '2'};
            counts->counts[1][search::kCountRooks] = {search::kCountEitherSide, 0};
            return counts->Validate().empty();
        }
        if (auto* number = dynamic_cast<MoveNumberDialog*>(&dialog)) {
            number->on = true;
            number->criterion = "> 20";
            return number->Validate().empty();
        }
        return false;
    };
    Editor().Act(PositionAction::kPiecesRemaining);
    EXPECT_EQ(Board().counts[0][search::kCountRooks].relation, search::kCountAtLeast);
    EXPECT_EQ(Board().counts[1][search::kCountRooks].relation, search::kCountEitherSide);
    EXPECT_EQ(Board().counts[1][search::kCountRooks].digit, '2');
    Editor().Act(PositionAction::kMoveNumber);
    EXPECT_TRUE(session->window.Search().criteria.position.moveNumber.on);
    EXPECT_EQ(Editor().MoveNumberLabel(), "Move >20");

    session->platform.dialogScript = [](platform::Dialog& dialog) {
        if (auto* number = dynamic_cast<MoveNumberDialog*>(&dialog)) {
            number->on = false;
        }
        return false;
    };
    Editor().Act(PositionAction::kMoveNumber);
    EXPECT_TRUE(session->window.Search().criteria.position.moveNumber.on);
}

TEST(PositionDialogs, CountChecks) {
    CountTable table{};
    PiecesRemainingDialog dialog(table);
    EXPECT_EQ(dialog.Validate(), "");
    dialog.counts[0][search::kCountQueens] = {search::kCountEitherSide, '1'};
    EXPECT_EQ(dialog.Validate(), kEitherSideBlackOnly);
    dialog.counts[0][search::kCountQueens] = {};
    dialog.counts[1][search::kCountQueens] = {search::kCountEitherSide, '1'};
    EXPECT_EQ(dialog.Validate(), kEitherSideNeedsWhite);
    dialog.counts[1][search::kCountQueens] = {search::kCountEqual, 'x'};
    EXPECT_EQ(dialog.Validate(), kCountDigitWanted);
    dialog.counts[1][search::kCountQueens] = {search::kCountEqual, '0'};
    EXPECT_EQ(dialog.Validate(), "");
}

TEST(PositionDialogs, MoveNumberChecksAndLabel) {
    search::MoveNumberCondition condition;
    MoveNumberDialog dialog(condition);
    dialog.on = true;
    dialog.criterion = "abc";
    EXPECT_EQ(dialog.Validate(), kMoveNumberWanted);
    dialog.criterion = "10 - 20";
    EXPECT_EQ(dialog.Validate(), "");
    dialog.criterion = std::string(15, '1');
    EXPECT_EQ(dialog.Validate(), kMoveNumberTooLong);
    // Off, any text is kept as it is.
    dialog.on = false;
    dialog.criterion = "later";
    EXPECT_EQ(dialog.Validate(), "");

    TempDir work;
    Session session(work.Path().string());
    session.Start();
    search::MoveNumberCondition& kept = session.window.Search().criteria.position.moveNumber;
    PositionEditor& editor = session.window.Searches().Position();
    EXPECT_EQ(editor.MoveNumberLabel(), "Move Num");
    kept = {true, "10 - 200"};
    EXPECT_EQ(editor.MoveNumberLabel(), "Mov 10-200");
    kept = {true, "100-2000"};
    EXPECT_EQ(editor.MoveNumberLabel(), "M 100-2000");
    kept = {false, "12"};
    EXPECT_EQ(editor.MoveNumberLabel(), "Move Num");
}

TEST_F(PositionEditorTest, ContextMenuOnlyOnTheBoard) {
    EXPECT_EQ(session->window.ContextMenu(true), "PosMenu");
    EXPECT_EQ(session->window.ContextMenu(false), "");
    EXPECT_TRUE(session->window.Viewer().PointOnBoard(200, 200));
    EXPECT_FALSE(session->window.Viewer().PointOnBoard(5, 5));
}

}  // namespace
}  // namespace ravelin::shell
