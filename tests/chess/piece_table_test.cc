#include "chess/piece_table.h"

#include <gtest/gtest.h>

#include "chess/fen.h"

namespace ravelin::chess {
namespace {

Board BoardOf(std::string_view fen) {
    FenPosition position;
    EXPECT_EQ(ParseFen(fen, position), "");
    return position.board;
}

TEST(PieceTableBuild, LoneRookOnH1GoesToKingSideSlot) {
    PieceTable table;
    BuildPieceTable(BoardOf("4k3/8/8/8/8/8/8/4K2R w - - 0 1"), table);
    EXPECT_TRUE(table.Kind(Side::kWhite, kRook)[0].IsEmpty());
    EXPECT_TRUE(table.Kind(Side::kWhite, kRook)[1].Holds(8, 1));
}

TEST(PieceTableBuild, FourthPieceOfKindMarksOverflow) {
    PieceTable table;
    const Board board = BoardOf("4k3/8/8/8/8/8/8/NNNNK3 w - - 0 1");
    BuildPieceTable(board, table);
    EXPECT_TRUE(table.Overflows(Side::kWhite, kKnight));
    PieceList pieces{};
    EXPECT_EQ(CollectPieces(board, table, Side::kWhite, kKnight, pieces), 4);
}

TEST(PieceTableCapture, CapturedPieceLeavesItsSlot) {
    Board board = MakeStartBoard();
    PieceTable table;
    BuildPieceTable(board, table);
    RemoveCapturedPiece(board, table, 7, 8);  // g8 knight
    EXPECT_EQ(board[7][8], kEmpty);
    EXPECT_TRUE(table.Kind(Side::kBlack, kKnight)[1].IsEmpty());
    EXPECT_TRUE(table.Kind(Side::kBlack, kKnight)[0].Holds(2, 8));
}

TEST(PieceTableCapture, CaptureInOverflowingKindGivesSlotToSlotlessPiece) {
    Board board = BoardOf("4k3/8/8/8/8/8/8/NNNNK3 w - - 0 1");
    PieceTable table;
    BuildPieceTable(board, table);
    RemoveCapturedPiece(board, table, 1, 1);
    EXPECT_FALSE(table.Overflows(Side::kWhite, kKnight));
    PieceList pieces{};
    EXPECT_EQ(CollectPieces(board, table, Side::kWhite, kKnight, pieces), 3);
    EXPECT_TRUE(pieces[2].Holds(4, 1));
}

}  // namespace
}  // namespace ravelin::chess
