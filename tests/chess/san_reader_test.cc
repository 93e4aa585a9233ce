#include "chess/san_reader.h"

#include <gtest/gtest.h>

#include "chess_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::Position;

// --- Canonical rewriting of the accepted text forms ---

TEST(SanRewrite, PawnCaptureWithoutMarkGetsX) {
    Position position;
    ASSERT_TRUE(position.PlayAll({"e4", "d5"}));
    ASSERT_TRUE(position.Play("ed5"));
    EXPECT_EQ(position.lastText, "exd5");
    EXPECT_EQ(position.At("d5"), kPawn);
}

TEST(SanRewrite, CoordinatePawnMoveBecomesSan) {
    Position position;
    ASSERT_TRUE(position.Play("e2e4"));
    EXPECT_EQ(position.lastText, "e4");
    ASSERT_TRUE(position.Play("d7d5"));
    ASSERT_TRUE(position.Play("e4xd5"));
    EXPECT_EQ(position.lastText, "exd5");
}

TEST(SanRewrite, CoordinatePawnCaptureWithoutMarkIsCaptureNotAdvance) {
    Position position;
    ASSERT_TRUE(position.PlayAll({"e4", "d5"}));
    ASSERT_TRUE(position.Play("e4d5"));
    EXPECT_EQ(position.lastText, "exd5");
    EXPECT_EQ(position.At("e4"), kEmpty);
}

TEST(SanRewrite, CoordinatePieceMoveGetsPieceLetter) {
    Position position;
    ASSERT_TRUE(position.Play("g1f3"));
    EXPECT_EQ(position.lastText, "Ng1f3");
    EXPECT_EQ(position.At("f3"), kKnight);
}

TEST(SanRewrite, CoordinateKingTwoFilesIsCastling) {
    Position position("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    ASSERT_TRUE(position.Play("e1g1"));
    EXPECT_EQ(position.lastText, "O-O");
    EXPECT_EQ(position.At("f1"), kRook);
}

TEST(SanRewrite, PieceMoveOntoOccupiedSquareGetsX) {
    Position position;
    ASSERT_TRUE(position.PlayAll({"e4", "d5", "Bb5"}));
    ASSERT_TRUE(position.Play("c6"));
    ASSERT_TRUE(position.Play("Bc6+"));
    EXPECT_EQ(position.lastText, "Bxc6+");
}

TEST(SanRewrite, KingFromSquareIsDropped) {
    Position position;
    ASSERT_TRUE(position.PlayAll({"e4", "e5"}));
    ASSERT_TRUE(position.Play("Ke1e2"));
    EXPECT_EQ(position.lastText, "Ke2");
}

TEST(SanRewrite, GlyphsAfterTheMoveStay) {
    Position position;
    ASSERT_TRUE(position.Play("e4!?"));
    EXPECT_EQ(position.lastText, "e4!?");
}

// --- Board effects ---

TEST(SanBoard, DoubleStepComesFromStartRankOnlyWhenThirdRankEmpty) {
    Position position;
    ASSERT_TRUE(position.PlayAll({"e3", "a6"}));
    ASSERT_TRUE(position.Play("e4"));
    EXPECT_EQ(position.At("e3"), kEmpty);
    EXPECT_EQ(position.At("e4"), kPawn);
}

TEST(SanBoard, PromotionWithoutLetterMakesQueen) {
    Position position("7k/4P3/8/8/8/8/8/K7 w - - 0 1");
    ASSERT_TRUE(position.Play("e8+"));
    EXPECT_EQ(position.At("e8"), kQueen);
    EXPECT_EQ(position->pieces.Kind(Side::kWhite, kQueen)[0].file, 5);
}

TEST(SanBoard, PromotionToKingIsRefusedNotLeftAsPawn) {
    Position position("7k/4P3/8/8/8/8/8/K7 w - - 0 1");
    EXPECT_FALSE(position.Play("e8=K"));
    EXPECT_EQ(position.At("e7"), kPawn);
}

TEST(SanBoard, UnderPromotionTakesNamedKind) {
    Position position("7k/4P3/8/8/8/8/8/K7 w - - 0 1");
    ASSERT_TRUE(position.Play("e8N"));
    EXPECT_EQ(position.At("e8"), kKnight);
}

TEST(SanBoard, CastlingMovesRookFoundBySquareNotSlotNumber) {
    // The only rook stands on h1, so it sits in slot 2 and O-O must move it.
    Position position("4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    ASSERT_TRUE(position.Play("O-O"));
    EXPECT_EQ(position.At("f1"), kRook);
    EXPECT_EQ(position.At("g1"), kKing);
    EXPECT_EQ(position->pieces.King(Side::kWhite).file, 7);
}

// --- Resolving the moving piece ---

TEST(SanResolve, PinnedKnightIsPassedOver) {
    // Knights b1 and f3 both reach d2; the f3 knight is pinned by the queen on f6 against the
    // king on f1, so b1 must move.
    Position position("4k3/8/5q2/8/8/5N2/8/1N3K2 w - - 0 1");
    ASSERT_TRUE(position.Play("Nd2"));
    EXPECT_EQ(position.At("b1"), kEmpty);
    EXPECT_EQ(position.At("f3"), kKnight);
}

TEST(SanResolve, FileDisambiguationPicksNamedKnight) {
    Position position("4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1");
    ASSERT_TRUE(position.Play("Nfd2"));
    EXPECT_EQ(position.At("f1"), kEmpty);
    EXPECT_EQ(position.At("b1"), kKnight);
}

TEST(SanResolve, RankDisambiguationPicksNamedRook) {
    Position position("4k3/8/8/8/R7/8/8/R3K3 w - - 0 1");
    ASSERT_TRUE(position.Play("R1a2"));
    EXPECT_EQ(position.At("a1"), kEmpty);
    EXPECT_EQ(position.At("a4"), kRook);
}

TEST(SanResolve, BlockedRookDoesNotMove) {
    Position position("4k3/8/8/8/8/8/8/R1B1K2R w - - 0 1");
    ASSERT_TRUE(position.Play("Rf1"));
    EXPECT_EQ(position.At("h1"), kEmpty);
    EXPECT_EQ(position.At("a1"), kRook);
}

TEST(SanResolve, HintNamesFromSquareOutright) {
    Position position("4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1");
    SanText text{};
    SetSanText(text, "Nd2");
    ASSERT_TRUE(ApplySan(*position, position.ply, text, FromHint{'f', '1', '\0'}));
    EXPECT_EQ(position.At("f1"), kEmpty);
}

TEST(SanResolve, FourthQueenStillMovesByBoardScan) {
    // Three queens fill the slots; a fourth arrives by promotion and must still be movable.
    Position position("8/4P3/8/2k5/8/8/8/QQ2K2Q w - - 0 1");
    ASSERT_TRUE(position.PlayAll({"e8=Q", "Kc4"}));
    ASSERT_TRUE(position.Play("Qe2+"));
    EXPECT_EQ(position.At("e8"), kEmpty);
    EXPECT_EQ(position.At("e2"), kQueen);
}

TEST(SanResolve, FourthQueenPromotionShowsSorryOncePerGame) {
    Position position("k7/4PP2/8/8/8/8/8/QQQ1K3 w - - 0 1");
    ASSERT_TRUE(position.PlayAll({"e8=Q+", "Ka7", "f8=Q", "Kb7"}));
    ASSERT_EQ(position.messages.size(), 1U);
    EXPECT_EQ(position.messages[0], "Sorry - only 3 queens supported!");
}

TEST(SanResolve, BatchSwitchSilencesSorryMessage) {
    Position position("k7/4P3/8/8/8/8/8/QQQ1K3 w - - 0 1");
    position->batch = true;
    ASSERT_TRUE(position.Play("e8=Q+"));
    EXPECT_TRUE(position.messages.empty());
}

// --- Moves the replay must refuse ---

TEST(SanRefuse, PieceTextWithoutMatchingPieceIsRefused) {
    Position position;
    EXPECT_FALSE(position.Play("Nc4"));
    EXPECT_FALSE(position.Play("Bc4"));
}

TEST(SanRefuse, CoordinateTextFromEmptySquareIsNotAKingMove) {
    Position position;
    EXPECT_FALSE(position.Play("e3f4"));
    EXPECT_EQ(position.At("e1"), kKing);
}

TEST(SanRefuse, SquaresOffTheBoardAreNotRecognised) {
    Position position;
    for (const char* text : {"e9", "i4", "Nj3", "Ni3", "e0", "Qh9e1", "x4"}) {
        EXPECT_FALSE(position.Play(text)) << text;
    }
}

TEST(SanRefuse, CaptureOfAKingIsRefused) {
    Position position("7k/8/8/8/8/8/8/4K2R w - - 0 1");
    EXPECT_FALSE(position.Play("Rxh8"));
    Position kingTarget("4k3/4R3/8/8/8/8/8/4K3 w - - 0 1");
    EXPECT_FALSE(kingTarget.Play("Rxe8"));
}

TEST(SanRefuse, EnPassantWithoutPrecedingDoubleStepIsRefused) {
    Position position("4k3/8/8/3pP3/8/8/8/4K3 w - - 0 1");
    EXPECT_FALSE(position.Play("exd6"));
}

TEST(SanRefuse, EnPassantAfterDoubleStepLiftsThePawn) {
    Position position("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
    ASSERT_TRUE(position.PlayAll({"d5", "exd6"}));
    EXPECT_EQ(position.At("d5"), kEmpty);
    EXPECT_EQ(position.At("d6"), kPawn);
}

TEST(SanRefuse, EnPassantRefusedOnePlyLate) {
    Position position("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
    ASSERT_TRUE(position.PlayAll({"d5", "Kf1", "Kf8"}));
    EXPECT_FALSE(position.Play("exd6"));
}

TEST(SanRefuse, CastlingWithoutRookAtHomeIsRefused) {
    Position position("4k3/8/8/8/8/8/8/4K1R1 w - - 0 1");
    EXPECT_FALSE(position.Play("O-O"));
}

TEST(SanRefuse, CastlingAfterRookLeftAndCameBackIsRefused) {
    Position position("4k3/8/8/8/8/8/8/4K2R w K - 0 1");
    ASSERT_TRUE(position.PlayAll({"Rh2", "Kd8", "Rh1", "Ke8"}));
    EXPECT_FALSE(position.Play("O-O"));
}

TEST(SanRefuse, TextEndsAtTokenBoundary) {
    EXPECT_EQ(SanTokenLength("e4{x}"), 2);
    EXPECT_EQ(SanTokenLength("Nf3)"), 3);
    EXPECT_EQ(SanTokenLength(".."), 0);
    EXPECT_EQ(SanTokenLength("Qh4$1"), 3);
}

// --- Locating ---

TEST(SanLocate, ReportsSquaresWithoutChangingBoard) {
    Position position;
    SanText text{};
    SetSanText(text, "Nf3");
    ASSERT_EQ(LocateSanMove(*position, 1, text, FromHint{}), 0);
    EXPECT_EQ(position->locate.fromFile, 7);
    EXPECT_EQ(position->locate.fromRank, 1);
    EXPECT_EQ(position->locate.toFile, 6);
    EXPECT_EQ(position->locate.toRank, 3);
    EXPECT_EQ(position.At("g1"), kKnight);
}

TEST(SanLocate, UnknownPieceLetterAnswersOne) {
    Position position;
    SanText text{};
    SetSanText(text, "Zf3");
    EXPECT_EQ(LocateSanMove(*position, 1, text, FromHint{}), 1);
}

TEST(SanLocate, PromotionToFullKindAnswersNegativeKind) {
    Position position("k7/4P3/8/8/8/8/8/NNN1K3 w - - 0 1");
    SanText text{};
    SetSanText(text, "e8=N");
    EXPECT_EQ(LocateSanMove(*position, 1, text, FromHint{}), -kKnight);
    EXPECT_EQ(position->promotionChoice, kKnight);
}

}  // namespace
}  // namespace ravelin::chess
