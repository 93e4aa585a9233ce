#include "chess/move_legality.h"

#include <gtest/gtest.h>

#include "chess_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::Position;

TEST(EnPassant, RefusedWhenPreviousPlyWasNotDoubleStep) {
    // The d5 pawn arrived in two single steps: no en passant.
    Position position("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
    ASSERT_TRUE(position.PlayAll({"d6", "Kd1", "d5"}));
    EXPECT_FALSE(position.Legal("e5", "d6"));
}

TEST(EnPassant, AllowedRightAfterDoubleStep) {
    Position position("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
    ASSERT_TRUE(position.Play("d5"));
    EXPECT_TRUE(position.Legal("e5", "d6"));
}

TEST(EnPassant, FenFieldAllowsCaptureOnFirstMove) {
    Position position("4k3/8/8/3pP3/8/8/8/4K3 w - d6 0 1");
    EXPECT_TRUE(position.Legal("e5", "d6"));
}

TEST(EnPassant, RankPinThroughBothPawnsIsSeen) {
    // Lifting the captured d5 pawn would open the fifth rank from the rook on a5 to the king on h5.
    Position position("4k3/3p4/8/r3P2K/8/8/8/8 b - - 0 1");
    ASSERT_TRUE(position.Play("d5"));
    EXPECT_FALSE(position.Legal("e5", "d6"));
}

TEST(EnPassant, TrialCheckDoesNotConsumeTheRight) {
    Position position("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
    ASSERT_TRUE(position.Play("d5"));
    EXPECT_TRUE(position.Legal("e1", "e2"));
    EXPECT_TRUE(position.Legal("e5", "d6"));
    EXPECT_TRUE(position.Legal("e5", "d6"));
}

TEST(EnPassant, CaptureByCoordinatesIsWrittenAndLiftsPawn) {
    Position position("4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1");
    ASSERT_TRUE(position.Play("d5"));
    ASSERT_EQ(position.MakeCoordinateMoveAt("e5", "d6", true), 0);
    EXPECT_EQ(position.lastText, "exd6");
    EXPECT_EQ(position.At("d5"), kEmpty);
}

TEST(Castling, RefusedAfterKingMovedAndReturned) {
    Position position("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    ASSERT_TRUE(position.PlayAll({"Kf1", "Kf8", "Ke1", "Ke8"}));
    EXPECT_FALSE(position.Legal("e1", "g1"));
    EXPECT_FALSE(position.Legal("e1", "c1"));
}

TEST(Castling, TrialKingMoveDoesNotLoseTheRight) {
    Position position("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    EXPECT_TRUE(position.Legal("e1", "f1"));
    EXPECT_TRUE(position.Legal("h1", "h5"));
    EXPECT_TRUE(position.Legal("e1", "g1"));
}

TEST(Castling, RefusedWhenRookCapturedOnCorner) {
    Position position("r3k2r/8/8/8/8/8/6b1/R3K2R b KQkq - 0 1");
    ASSERT_TRUE(position.PlayAll({"Bxh1", "Kd1", "Bd5", "Ke1"}));
    // A new rook reaching h1 does not bring the right back.
    EXPECT_FALSE(position.Legal("e1", "g1"));
}

TEST(Castling, RefusedThroughAttackedSquare) {
    Position attacked("4kr2/8/8/8/8/8/8/R3K2R w KQ - 0 1");
    EXPECT_FALSE(attacked.Legal("e1", "g1"));
    EXPECT_TRUE(attacked.Legal("e1", "c1"));
}

TEST(Castling, FenFieldWithoutRightRefuses) {
    Position position("r3k2r/8/8/8/8/8/8/R3K2R w Qkq - 0 1");
    EXPECT_FALSE(position.Legal("e1", "g1"));
    EXPECT_TRUE(position.Legal("e1", "c1"));
}

TEST(Castling, OnlyKingFromHomeSquareTwoFilesCastles) {
    // A king on f1 stepping two files is no castling.
    Position position("4k3/8/8/8/8/8/8/R4K1R w - - 0 1");
    EXPECT_FALSE(position.Legal("f1", "h1"));
    EXPECT_FALSE(position.Legal("f1", "d1"));
}

// Chess960 castling by coordinates is the king moved onto its rook; king and rook end on g and f (c
// and d) whatever their start, need every square they cross or land on free, and the rook that
// leaves may not have been all that shielded the king's target.
TEST(Chess960Castling, KingOntoOwnRookCastlesByTheChess960Rule) {
    const struct {
        const char* fen;
        const char* from;
        const char* to;
        const char* text;  // "" = refused
        const char* king;
        const char* rook;
    } kCases[] = {
        {"4k3/8/8/8/8/8/8/1R3K2 w B - 0 1", "f1", "b1", "O-O-O", "c1", "d1"},
        {"4k3/8/8/8/8/8/8/rR3K2 w B - 0 1", "f1", "b1", "", "", ""},
        {"4k3/8/8/8/8/8/8/5KR1 w G - 0 1", "f1", "g1", "O-O", "g1", "f1"},
        {"5k2/8/8/8/8/8/8/5KR1 w G - 0 1", "f1", "g1", "O-O+", "g1", "f1"},
        {"4k3/8/8/8/8/8/8/4K2R w H - 0 1", "e1", "h1", "O-O", "g1", "f1"},
        {"4k3/8/8/8/8/8/8/4K2R w H - 0 1", "e1", "g1", "", "", ""},
        {"4k3/8/8/8/8/8/8/1RN2K2 w B - 0 1", "f1", "b1", "", "", ""},
        {"4k3/8/8/8/8/8/8/RK1N4 w A - 0 1", "b1", "a1", "", "", ""},
        {"1k2r3/8/8/8/8/8/8/4K3 b e - 0 1", "b8", "e8", "O-O", "g8", "f8"},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(std::string(c.fen) + " " + c.from + c.to);
        Position position(c.fen);
        const bool castles = c.text[0] != '\0';
        ASSERT_EQ(position.MakeCoordinateMoveAt(c.from, c.to, true) == 0, castles);
        if (castles) {
            EXPECT_EQ(position.lastText, c.text);
            EXPECT_EQ(KindOf(position.At(c.king)), kKing);
            EXPECT_EQ(KindOf(position.At(c.rook)), kRook);
        }
    }
}

TEST(Chess960Castling, LocatedCastlingIsTheKingOntoItsRook) {
    Position position("4k3/8/8/8/8/8/8/1R3K2 w B - 0 1");
    SanText text{};
    SetSanText(text, "O-O-O");
    ASSERT_EQ(LocateSanMove(*position, position.ply, text, FromHint{}), 0);
    EXPECT_EQ(position->locate.fromFile, 6);
    EXPECT_EQ(position->locate.toFile, 2);
    EXPECT_EQ(MakeCoordinateMove(*position, false, position.ply, 6, 1, 2, 1), 0);
    EXPECT_EQ(SanView(position->scratchSan), "O-O-O");
}

TEST(KingSafety, KingMayNotStepNextToEnemyKing) {
    Position position("8/8/8/4k3/8/4K3/8/8 w - - 0 1");
    EXPECT_FALSE(position.Legal("e3", "e4"));
    EXPECT_TRUE(position.Legal("e3", "e2"));
}

TEST(KingSafety, KingMayNotRetreatAlongCheckingLine) {
    Position position("4r1k1/8/8/8/8/8/4K3/8 w - - 0 1");
    EXPECT_FALSE(position.Legal("e2", "e1"));
    EXPECT_TRUE(position.Legal("e2", "d1"));
}

TEST(KingSafety, PinnedPieceMayMoveOnlyAlongPin) {
    Position position("4r1k1/8/8/8/8/8/4R3/4K3 w - - 0 1");
    EXPECT_FALSE(position.Legal("e2", "d2"));
    EXPECT_TRUE(position.Legal("e2", "e8"));
}

TEST(KingSafety, KingIsNeverCaptured) {
    // Black to move left its king in check by a broken set-up; the white rook may not take it.
    Position position("4k3/8/8/8/8/8/8/4RK2 w - - 0 1");
    EXPECT_FALSE(position.Legal("e1", "e8"));
}

TEST(Refusal, SquaresOffTheBoardAreRefused) {
    Position position;
    EXPECT_EQ(MakeCoordinateMove(*position, false, 1, 5, 2, 5, 9), 1);
    EXPECT_EQ(MakeCoordinateMove(*position, false, 1, 0, 2, 5, 4), 1);
    EXPECT_EQ(MakeCoordinateMove(*position, false, 1, 5, 2, -1, 4), 1);
    EXPECT_EQ(MakeCoordinateMove(*position, false, kMaxPly + 1, 5, 2, 5, 4), 1);
}

TEST(Refusal, WrongSidesPieceIsRefused) {
    Position position;
    EXPECT_FALSE(position.Legal("e7", "e5"));
    EXPECT_TRUE(position.Legal("e2", "e4"));
}

TEST(PreparedText, StoredAndAppliedWithoutWriting) {
    Position position;
    position->preparedText = true;
    SetSanText(position->preparedSan, "Nf3!");
    ASSERT_EQ(position.MakeCoordinateMoveAt("g1", "f3", true), 0);
    EXPECT_EQ(position.lastText, "Nf3!");
    EXPECT_EQ(position.At("f3"), kKnight);
    EXPECT_FALSE(position->preparedText);
}

TEST(PreparedText, TextThatDoesNotFitIsStillRefused) {
    Position position;
    position->preparedText = true;
    SetSanText(position->preparedSan, "Nc4");
    EXPECT_EQ(position.MakeCoordinateMoveAt("g1", "c4", true), 1);
    EXPECT_EQ(position.At("g1"), kKnight);
    EXPECT_EQ(position->moves.whiteMoves[0][0], '\0');
}

TEST(Mate, NoLegalMoveAfterFoolsMate) {
    Position position;
    ASSERT_TRUE(position.PlayAll({"f3", "e5", "g4", "Qh4"}));
    EXPECT_FALSE(HasLegalMove(*position, position.ply));
}

TEST(Mate, StalemateHasNoLegalMoveEither) {
    Position position("7k/5Q2/6K1/8/8/8/8/8 b - - 0 1");
    EXPECT_FALSE(HasLegalMove(*position, position.ply));
}

TEST(GivesCheckTest, DiscoveredCheckThroughEnPassantPawnIsMarked) {
    // exd6 lifts the d5 pawn and moves the e5 pawn off the fifth rank: the a5 rook checks h5.
    Position position("8/3p4/8/R3P2k/8/8/8/4K3 b - - 0 1");
    ASSERT_TRUE(position.Play("d5"));
    ASSERT_EQ(position.MakeCoordinateMoveAt("e5", "d6", false), 0);
    EXPECT_EQ(position.lastText, "exd6+");
}

TEST(GivesCheckTest, EnPassantExposingOwnKingOnRankIsRefused) {
    Position position("8/8/8/8/R2pP2k/8/8/4K3 b - e3 0 1");
    EXPECT_EQ(position.MakeCoordinateMoveAt("d4", "e3", false), 1);
}

}  // namespace
}  // namespace ravelin::chess
