// The squares of the last move, found from the boards before and after it.

#include <gtest/gtest.h>

#include "chess/board.h"
#include "display/last_move.h"

namespace ravelin::display {
namespace {

chess::Board Empty() {
    return chess::Board{};
}

TEST(FindLastMove, PlainMoveGoesFromTheEmptiedToTheFilledSquare) {
    chess::Board before = Empty();
    before[5][2] = chess::kPawn;
    chess::Board after = Empty();
    after[5][4] = chess::kPawn;
    auto move = FindLastMove(before, after);
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(move->from, (BoardSquare{5, 2}));
    EXPECT_EQ(move->to, (BoardSquare{5, 4}));
}

TEST(FindLastMove, CastlingShowsTheKingNotTheRook) {
    chess::Board before = Empty();
    before[5][1] = chess::kKing;
    before[8][1] = chess::kRook;
    chess::Board after = Empty();
    after[7][1] = chess::kKing;
    after[6][1] = chess::kRook;
    auto move = FindLastMove(before, after);
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(move->from, (BoardSquare{5, 1}));
    EXPECT_EQ(move->to, (BoardSquare{7, 1}));
}

TEST(FindLastMove, EnPassantStartsOnTheCapturingPawnNotTheCapturedOne) {
    chess::Board before = Empty();
    before[5][5] = chess::kPawn;
    before[4][5] = chess::kPawn + chess::kBlackOffset;
    chess::Board after = Empty();
    after[4][6] = chess::kPawn;
    auto move = FindLastMove(before, after);
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(move->from, (BoardSquare{5, 5}));
    EXPECT_EQ(move->to, (BoardSquare{4, 6}));
}

TEST(FindLastMove, PromotionStartsOnThePawnThatChangedIntoTheQueen) {
    chess::Board before = Empty();
    before[1][7] = chess::kPawn;
    before[2][8] = chess::kRook + chess::kBlackOffset;
    chess::Board after = Empty();
    after[2][8] = chess::kQueen;
    auto move = FindLastMove(before, after);
    ASSERT_TRUE(move.has_value());
    EXPECT_EQ(move->from, (BoardSquare{1, 7}));
    EXPECT_EQ(move->to, (BoardSquare{2, 8}));
}

TEST(FindLastMove, SameBoardsHaveNoMove) {
    chess::Board board = Empty();
    board[1][1] = chess::kKing;
    EXPECT_FALSE(FindLastMove(board, board).has_value());
}

}  // namespace
}  // namespace ravelin::display
