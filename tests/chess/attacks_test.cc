#include "chess/attacks.h"

#include <gtest/gtest.h>

#include "chess/fen.h"
#include "chess/move_legality.h"
#include "chess/perft.h"

namespace ravelin::chess {
namespace {

Board BoardOf(std::string_view fen) {
    FenPosition position;
    EXPECT_EQ(ParseFen(fen, position), "");
    return position.board;
}

TEST(SquareAttack, PawnsAttackForwardDiagonalsOnly) {
    const Board board = BoardOf("4k3/8/8/3p4/8/8/8/4K3 w - - 0 1");
    EXPECT_TRUE(IsSquareAttacked(board, 3, 4, Side::kBlack));   // c4
    EXPECT_TRUE(IsSquareAttacked(board, 5, 4, Side::kBlack));   // e4
    EXPECT_FALSE(IsSquareAttacked(board, 3, 6, Side::kBlack));  // c6, behind the pawn
    EXPECT_FALSE(IsSquareAttacked(board, 4, 4, Side::kBlack));  // d4, straight ahead
}

TEST(SquareAttack, SlidersStopAtFirstPiece) {
    const Board board = BoardOf("4k3/8/8/8/r2P3K/8/8/8 w - - 0 1");
    EXPECT_TRUE(IsSquareAttacked(board, 4, 4, Side::kBlack));
    EXPECT_FALSE(IsSquareAttacked(board, 7, 4, Side::kBlack));
}

TEST(SquareAttack, KingAttacksOnlyAdjacentSquares) {
    const Board board = BoardOf("4k3/8/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_TRUE(IsSquareAttacked(board, 5, 7, Side::kBlack));
    EXPECT_FALSE(IsSquareAttacked(board, 5, 6, Side::kBlack));
}

TEST(SquareAttack, KnightJumpsNearEdgeStayOnBoard) {
    const Board board = BoardOf("4k3/8/8/8/8/8/8/N3K3 w - - 0 1");
    EXPECT_TRUE(IsSquareAttacked(board, 2, 3, Side::kWhite));
    EXPECT_TRUE(IsSquareAttacked(board, 3, 2, Side::kWhite));
    EXPECT_FALSE(IsSquareAttacked(board, 3, 3, Side::kWhite));
}

TEST(TrialMoves, BoardIsRestoredAfterCheckTests) {
    Board board = BoardOf("r3k3/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    PieceTable table;
    BuildPieceTable(board, table);
    const Board before = board;
    const MoveShape rookCheck = DescribeMove(board, 1, 1, 1, 7, kNoPromotion);
    EXPECT_FALSE(GivesCheck(board, table, rookCheck, Side::kWhite));
    const MoveShape rookTakes = DescribeMove(board, 1, 1, 1, 8, kNoPromotion);
    EXPECT_TRUE(GivesCheck(board, table, rookTakes, Side::kWhite));
    EXPECT_EQ(board, before);
}

// Castling checks with the rook on f1; in the Chess960 case king and rook swap squares.
TEST(TrialMoves, CastlingShapeChecksFromTheRooksNewSquareAndRestoresTheBoard) {
    for (const char* fen : {"5k2/8/8/8/8/8/8/4K2R w K - 0 1", "5k2/8/8/8/8/8/8/5KR1 w G - 0 1"}) {
        SCOPED_TRACE(fen);
        const auto context = MakeChessContext();
        std::string error;
        ASSERT_EQ(SetUpFen(*context, fen, error), 1) << error;
        const Board before = context->board;
        const MoveShape castle = CastlingMoveShape(*context, Side::kWhite, true);
        EXPECT_EQ(castle.toFile, 7);
        EXPECT_EQ(castle.rookToFile, 6);
        EXPECT_TRUE(GivesCheck(context->board, context->pieces, castle, Side::kWhite));
        EXPECT_FALSE(LeavesKingInCheck(context->board, context->pieces, castle, Side::kWhite));
        EXPECT_EQ(context->board, before);
    }
}

}  // namespace
}  // namespace ravelin::chess
