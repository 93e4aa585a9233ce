#include "chess/board.h"

#include <gtest/gtest.h>

namespace ravelin::chess {
namespace {

TEST(BoardLayout, StartBytesAreFileMajor) {
    EXPECT_EQ(kStartPositionBytes[0], kRook);                   // a1
    EXPECT_EQ(kStartPositionBytes[1], kPawn);                   // a2
    EXPECT_EQ(kStartPositionBytes[7], kRook + kBlackOffset);    // a8
    EXPECT_EQ(kStartPositionBytes[CompactIndex(5, 1)], kKing);  // e1
    EXPECT_EQ(kStartPositionBytes[63], kRook + kBlackOffset);   // h8
}

TEST(BoardLayout, CompactRoundTripKeepsIndexZeroEmpty) {
    const Board board = FromCompact(ToCompact(MakeStartBoard()));
    EXPECT_EQ(board, MakeStartBoard());
    for (int i = 0; i < kBoardDimension; ++i) {
        EXPECT_EQ(board[0][i], kEmpty);
        EXPECT_EQ(board[i][0], kEmpty);
    }
}

TEST(BoardLayout, SquareColourDarkWhenFileAndRankShareParity) {
    EXPECT_EQ(SquareColour(1, 1), 2);  // a1 dark
    EXPECT_EQ(SquareColour(8, 1), 1);  // h1 light
    EXPECT_EQ(SquareColour(4, 1), 1);  // d1 light
    EXPECT_EQ(SquareColour(4, 8), 2);  // d8 dark
}

TEST(BoardLayout, LettersOutsideBoardMapToZero) {
    EXPECT_EQ(FileFromLetter('i'), 0);
    EXPECT_EQ(FileFromLetter('A'), 0);
    EXPECT_EQ(RankFromDigit('9'), 0);
    EXPECT_EQ(RankFromDigit('0'), 0);
    EXPECT_EQ(FileFromLetter('h'), 8);
    EXPECT_EQ(RankFromDigit('1'), 1);
}

TEST(BoardLayout, SideHelpers) {
    EXPECT_EQ(SideOfPly(1), Side::kWhite);
    EXPECT_EQ(SideOfPly(2), Side::kBlack);
    EXPECT_EQ(EnPassantTargetRank(Side::kWhite), 6);
    EXPECT_EQ(EnPassantTargetRank(Side::kBlack), 3);
    EXPECT_TRUE(BelongsTo(kKing + kBlackOffset, Side::kBlack));
    EXPECT_FALSE(BelongsTo(kEmpty, Side::kWhite));
}

}  // namespace
}  // namespace ravelin::chess
