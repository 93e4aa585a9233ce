#include "chess/attacks.h"

#include <gtest/gtest.h>

#include "chess/fen.h"
#include "chess/move_legality.h"
#include "chess/perft.h"

namespace ravelin::chess {
namespace {

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
