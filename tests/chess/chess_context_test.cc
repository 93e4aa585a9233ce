#include "chess/chess_context.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chess/fen.h"
#include "chess_test_helpers.h"

namespace ravelin::chess {
namespace {

// Fills the move list from SAN texts, white and black alternately.
void SetMoves(ChessContext& context, const std::vector<std::string>& moves) {
    context.moves.Clear();
    for (std::size_t i = 0; i < moves.size(); ++i) {
        SetSanText(context.moves.MoveOfPly(static_cast<int>(i) + 1), moves[i]);
    }
}

std::string MoveText(ChessContext& context, int ply) {
    return std::string(SanView(context.moves.MoveOfPly(ply)));
}

TEST(Replay, PlaysWholeGameAndSavesEveryPly) {
    const auto context = MakeChessContext();
    SetMoves(*context, {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6", "Ba4", "Nf6", "O-O", "Be7"});
    SetStartPosition(*context);
    EXPECT_EQ(ReplayMoves(*context, 5), 10);
    EXPECT_EQ(context->board[7][1], kKing);
    EXPECT_EQ(context->history.boards[0][CompactIndex(5, 2)], kPawn);
    EXPECT_EQ(context->history.boards[1][CompactIndex(5, 4)], kPawn);
    EXPECT_EQ(context->history.boards[10][CompactIndex(5, 7)], kBishop + kBlackOffset);
}

TEST(Replay, StartPositionBytesMatchHistoryEntryZero) {
    const auto context = MakeChessContext();
    SetStartPosition(*context);
    for (int i = 0; i < kSquareCount; ++i) {
        EXPECT_EQ(context->history.boards[0][i], kStartPositionBytes[i]);
    }
}

TEST(Replay, IncompleteLastMoveEndsAtEmptyBlackEntry) {
    const auto context = MakeChessContext();
    SetMoves(*context, {"e4", "e5", "Nf3"});
    SetStartPosition(*context);
    EXPECT_EQ(ReplayMoves(*context, kMaxMovesPerSide), 3);
}

TEST(Replay, WrongMoveIsMarkedAndReplayStops) {
    const auto context = MakeChessContext();
    SetMoves(*context, {"e4", "e5", "Nc4", "Nc6"});
    SetStartPosition(*context);
    EXPECT_EQ(ReplayMoves(*context, 2), 2);
    EXPECT_EQ(MoveText(*context, 3), "Nc4*");
}

TEST(Replay, FullLengthWrongMoveMarkStaysInsideItsEntry) {
    const auto context = MakeChessContext();
    SetMoves(*context, {"Qh4xe1+"});
    SetStartPosition(*context);
    EXPECT_EQ(ReplayMoves(*context, 1), 0);
    EXPECT_EQ(MoveText(*context, 1), "Qh4xe1*");
    EXPECT_EQ(context->moves.whiteMoves[0][kMaxSanLength], '\0');
}

TEST(Replay, BlackFirstPlaceholderIsSkipped) {
    const auto context = MakeChessContext();
    ASSERT_TRUE(ReadFenPlacement(*context, "[FEN \"4k3/4p3/8/8/8/8/8/4K3 b - - 0 1\"]"));
    context->fenSwitch = true;
    SetMoves(*context, {"..", "e5", "Kd2"});
    SetStartPosition(*context);
    EXPECT_EQ(ReplayMoves(*context, 2), 3);
    EXPECT_EQ(context->board[5][5], kPawn + kBlackOffset);
    EXPECT_EQ(context->board[4][2], kKing);
}

TEST(Replay, LongAlgebraicHintIsRewrittenAndCleared) {
    const auto context = MakeChessContext();
    SetMoves(*context, {"Nf3", "Nf6"});
    context->moves.whiteHints[0] = {'g', '1', '\0'};
    SetStartPosition(*context);
    EXPECT_EQ(ReplayMoves(*context, 1), 2);
    EXPECT_EQ(MoveText(*context, 1), "Nf3");
    EXPECT_EQ(context->moves.whiteHints[0][0], '\0');
}

TEST(Replay, CoordinateTextRewrittenToPieceTextThenSan) {
    const auto context = MakeChessContext();
    SetMoves(*context, {"g1f3", "e7e5"});
    SetStartPosition(*context);
    ASSERT_EQ(ReplayMoves(*context, 1), 2);
    EXPECT_EQ(MoveText(*context, 1), "Ng1f3");
    EXPECT_EQ(MoveText(*context, 2), "e5");
}

TEST(Replay, MovesOfSideAfterOverflowAreRewritten) {
    // White promotes a fourth queen; later queen moves are located and written afresh.
    const auto context = MakeChessContext();
    context->warningsOff = true;
    ASSERT_TRUE(ReadFenPlacement(*context, "[FEN \"8/4P3/8/2k5/8/8/8/QQ2K2Q w - - 0 1\"]"));
    context->fenSwitch = true;
    SetMoves(*context, {"e8=Q", "Kc4", "Qe2+", "Kc5"});
    SetStartPosition(*context);
    EXPECT_EQ(ReplayMoves(*context, 2), 4);
    EXPECT_EQ(MoveText(*context, 3), "Qe2+");
    EXPECT_EQ(context->board[5][2], kQueen);
    EXPECT_EQ(context->board[5][8], kEmpty);
}

TEST(Replay, ReplayToPlyCutsMoveListUnlessKept) {
    const auto context = MakeChessContext();
    SetMoves(*context, {"e4", "e5", "Nf3", "Nc6"});
    EXPECT_EQ(ReplayToPly(*context, 2, true), 2);
    EXPECT_EQ(context->board[6][3], kEmpty);
    EXPECT_EQ(MoveText(*context, 3), "Nf3");
    EXPECT_EQ(ReplayToPly(*context, 2, false), 2);
    EXPECT_EQ(MoveText(*context, 3), "");
}

TEST(History, RestorePositionBringsBackSlotsToo) {
    testing::Position position;
    ASSERT_TRUE(position.PlayAll({"Nf3", "Nf6", "Nc3"}));
    RestorePosition(*position, 1);
    EXPECT_EQ(position.At("c3"), kEmpty);
    EXPECT_EQ(position->pieces.Kind(Side::kWhite, kKnight)[0].file, 2);
    EXPECT_EQ(position->pieces.Kind(Side::kWhite, kKnight)[1].file, 6);
}

TEST(History, ContextsAreIndependent) {
    testing::Position first;
    testing::Position second;
    ASSERT_TRUE(first.Play("e4"));
    EXPECT_EQ(second.At("e2"), kPawn);
    EXPECT_EQ(second.At("e4"), kEmpty);
}

}  // namespace
}  // namespace ravelin::chess
