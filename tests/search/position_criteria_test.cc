#include "search/position_criteria.h"

#include <gtest/gtest.h>

#include "search/fast_move.h"

namespace ravelin::search {
namespace {

using chess::Side;
using Form = DecodedEntry::Form;

SearchPosition PositionOf(std::initializer_list<const char*> white,
                          std::initializer_list<const char*> black) {
    SearchPosition position;
    std::size_t i = 0;
    for (const char* text : white) {
        SetPositionEntry(position.white[i++], text);
    }
    i = 0;
    for (const char* text : black) {
        SetPositionEntry(position.black[i++], text);
    }
    return position;
}

bool PassesAt(const SearchPosition& position, const FastBoard& board, int ply = 0) {
    return DecodePositionQuery(position).Passes(board.data(), ply);
}

void Put(FastBoard& board, const char* square, chess::PieceCode code) {
    board[static_cast<std::size_t>(FastSquare(square[0] - 'a' + 1, square[1] - '0'))] =
        static_cast<std::uint8_t>(code);
}

TEST(PositionEntryTest, PlacementsOfPiecesAndPawns) {
    const DecodedEntry king = DecodePositionEntry("Ke1", Side::kWhite);
    EXPECT_EQ(king.form, Form::kPlacement);
    EXPECT_EQ(king.placement.square, FastSquare(5, 1));
    EXPECT_EQ(king.placement.code, chess::kKing);

    const DecodedEntry pawn = DecodePositionEntry("e4", Side::kBlack);
    EXPECT_EQ(pawn.form, Form::kPlacement);
    EXPECT_EQ(pawn.placement.square, FastSquare(5, 4));
    EXPECT_EQ(pawn.placement.code, chess::kPawn + chess::kBlackOffset);

    const DecodedEntry knight = DecodePositionEntry("Nh8", Side::kBlack);
    EXPECT_EQ(knight.placement.square, 63);
    EXPECT_EQ(knight.placement.code, chess::kKnight + chess::kBlackOffset);
}

TEST(PositionEntryTest, CountConditionsOfPawnsAndPieces) {
    const DecodedEntry pawns = DecodePositionEntry("=5", Side::kWhite);
    EXPECT_EQ(pawns.form, Form::kCount);
    EXPECT_EQ(pawns.kind, chess::kPawn);
    EXPECT_EQ(pawns.relation, kCountEqual);
    EXPECT_EQ(pawns.digit, '5');
    EXPECT_EQ(DecodePositionEntry("<3", Side::kWhite).relation, kCountAtMost);
    EXPECT_EQ(DecodePositionEntry(">2", Side::kWhite).relation, kCountAtLeast);

    const DecodedEntry rooks = DecodePositionEntry("R<1", Side::kBlack);
    EXPECT_EQ(rooks.form, Form::kCount);
    EXPECT_EQ(rooks.kind, chess::kRook);
    EXPECT_EQ(rooks.relation, kCountAtMost);
    EXPECT_EQ(rooks.digit, '1');
}

TEST(PositionEntryTest, EitherSideFormsBelongToTheBlackList) {
    const DecodedEntry pawns = DecodePositionEntry("*6", Side::kBlack);
    EXPECT_EQ(pawns.form, Form::kEitherSide);
    EXPECT_EQ(pawns.kind, chess::kPawn);
    const DecodedEntry knights = DecodePositionEntry("N*2", Side::kBlack);
    EXPECT_EQ(knights.form, Form::kEitherSide);
    EXPECT_EQ(knights.kind, chess::kKnight);
    // In the white list they say nothing about white.
    EXPECT_EQ(DecodePositionEntry("*6", Side::kWhite).form, Form::kIgnored);
    EXPECT_EQ(DecodePositionEntry("Q*1", Side::kWhite).form, Form::kIgnored);
}

TEST(PositionEntryTest, EntriesNamingNoPlacementAreNeverMet) {
    for (const char* text : {"Xe4", "Pe4", "Ke9", "Ki1", "K", "z3", "e", "=x", "N=", "K=1", "7e"}) {
        const DecodedEntry entry = DecodePositionEntry(text, Side::kWhite);
        EXPECT_EQ(entry.form, Form::kPlacement) << text;
        EXPECT_EQ(entry.placement.square, kNoSquare) << text;
    }
    const PositionQuery query = DecodePositionQuery(PositionOf({"Ke1", "Xe4"}, {}));
    EXPECT_TRUE(query.neverMet);
    EXPECT_FALSE(query.Passes(FastStartBoard().data(), 0));
}

TEST(PositionQueryTest, PlacementsMustAllHold) {
    const FastBoard start = FastStartBoard();
    EXPECT_TRUE(PassesAt(PositionOf({"Ke1", "e2", "Nb1"}, {"Ke8", "d7"}), start));
    EXPECT_FALSE(PassesAt(PositionOf({"Ke1", "e4"}, {}), start));
    EXPECT_FALSE(PassesAt(PositionOf({}, {"Ke1"}), start));
    // A white pawn is not a black pawn.
    EXPECT_FALSE(PassesAt(PositionOf({}, {"e2"}), start));
}

TEST(PositionQueryTest, TwoPiecesOnOneSquareAreNeverMet) {
    EXPECT_TRUE(DecodePositionQuery(PositionOf({"Ke1"}, {"Qe1"})).neverMet);
    EXPECT_FALSE(DecodePositionQuery(PositionOf({"Ke1", "Ke1"}, {})).neverMet);
}

TEST(PositionQueryTest, PawnCountsIncludeTheStatedNumber) {
    const FastBoard start = FastStartBoard();
    EXPECT_TRUE(PassesAt(PositionOf({"=8"}, {}), start));
    EXPECT_TRUE(PassesAt(PositionOf({"<8"}, {}), start));
    EXPECT_TRUE(PassesAt(PositionOf({">8"}, {}), start));
    EXPECT_FALSE(PassesAt(PositionOf({"=7"}, {}), start));
    EXPECT_FALSE(PassesAt(PositionOf({"<7"}, {}), start));
    EXPECT_FALSE(PassesAt(PositionOf({">9"}, {}), start));
    EXPECT_FALSE(PassesAt(PositionOf({}, {"=7"}), start));
}

TEST(PositionQueryTest, PieceCountsOfEachKindAndSide) {
    FastBoard board = FastStartBoard();
    Put(board, "d1", chess::kEmpty);  // white has no queen
    Put(board, "b8", chess::kEmpty);  // black has one knight
    EXPECT_TRUE(PassesAt(PositionOf({"Q=0", "R=2", "B>2", "N<2"}, {"Q=1", "N=1"}), board));
    EXPECT_FALSE(PassesAt(PositionOf({"Q=1"}, {}), board));
    EXPECT_FALSE(PassesAt(PositionOf({}, {"N=2"}), board));
    EXPECT_FALSE(PassesAt(PositionOf({}, {"Q=0"}), board));
}

TEST(PositionQueryTest, EitherSideLetsBlackMeetTheWhiteCondition) {
    FastBoard board = FastStartBoard();
    Put(board, "b8", chess::kEmpty);
    Put(board, "a2", chess::kEmpty);
    // White has two knights and seven pawns, black one knight and eight pawns.
    EXPECT_FALSE(PassesAt(PositionOf({"N=1"}, {}), board));
    EXPECT_TRUE(PassesAt(PositionOf({"N=1"}, {"N*1"}), board));
    EXPECT_FALSE(PassesAt(PositionOf({"N=0"}, {"N*0"}), board));
    EXPECT_TRUE(PassesAt(PositionOf({"=8"}, {"*8"}), board));
    EXPECT_TRUE(PassesAt(PositionOf({"=7"}, {"*5"}), board));
    // The either-side entry concerns only its own kind.
    EXPECT_FALSE(PassesAt(PositionOf({"=8"}, {"N*8"}), board));
    // Black conditions are tested on the black pieces only.
    EXPECT_FALSE(PassesAt(PositionOf({}, {"N=2", "N*2"}), board));
}

TEST(PositionQueryTest, MoveNumberOfAPlyIsHalfTheNumberRoundedUp) {
    EXPECT_EQ(MoveNumberOfPly(0), 0);
    EXPECT_EQ(MoveNumberOfPly(1), 1);
    EXPECT_EQ(MoveNumberOfPly(2), 1);
    EXPECT_EQ(MoveNumberOfPly(3), 2);
    EXPECT_EQ(MoveNumberOfPly(400), 200);
}

TEST(PositionQueryTest, MoveNumberConditionNeedsItsSwitchAndANumber) {
    SearchPosition position = PositionOf({"=8"}, {});
    position.moveNumber.criterion = "3-4";
    const FastBoard start = FastStartBoard();
    // Off: any ply.
    EXPECT_TRUE(PassesAt(position, start, 0));
    position.moveNumber.on = true;
    EXPECT_FALSE(PassesAt(position, start, 4));  // move 2
    EXPECT_TRUE(PassesAt(position, start, 5));   // move 3
    EXPECT_TRUE(PassesAt(position, start, 8));   // move 4
    EXPECT_FALSE(PassesAt(position, start, 9));  // move 5
    position.moveNumber.criterion = ">10";
    EXPECT_FALSE(PassesAt(position, start, 20));
    EXPECT_TRUE(PassesAt(position, start, 21));
    position.moveNumber.criterion = "<2";
    EXPECT_TRUE(PassesAt(position, start, 0));
    EXPECT_FALSE(PassesAt(position, start, 3));
    // A range without an upper end has none.
    position.moveNumber.criterion = "7-";
    EXPECT_FALSE(PassesAt(position, start, 12));
    EXPECT_TRUE(PassesAt(position, start, 399));
    // The number 0 sets no condition.
    for (const char* none : {"0", "", "=0", "abc"}) {
        position.moveNumber.criterion = none;
        EXPECT_TRUE(PassesAt(position, start, 17)) << none;
    }
}

TEST(MoveNumberLabelTest, ShortensItsPrefixAsTheCriterionGrows) {
    MoveNumberCondition condition;
    condition.criterion = "= 5";
    EXPECT_EQ(MoveNumberLabel(condition), "Move Num");
    condition.on = true;
    EXPECT_EQ(MoveNumberLabel(condition), "Move =5");
    condition.criterion = "10 - 20";
    EXPECT_EQ(MoveNumberLabel(condition), "Move 10-20");
    condition.criterion = "100-20";
    EXPECT_EQ(MoveNumberLabel(condition), "Mov 100-20");
    condition.criterion = "100 - 200";
    EXPECT_EQ(MoveNumberLabel(condition), "M 100-200");
    condition.criterion = "   ";
    EXPECT_EQ(MoveNumberLabel(condition), "Move Num");
}

TEST(PieceCountTest, CountsEveryCodeOfTheStart) {
    const FastBoard start = FastStartBoard();
    const PieceCounts counts = CountPieces(start.data());
    EXPECT_EQ(counts[chess::kPawn], 8);
    EXPECT_EQ(counts[chess::kKnight + chess::kBlackOffset], 2);
    EXPECT_EQ(counts[chess::kQueen], 1);
    EXPECT_EQ(counts[chess::kKing + chess::kBlackOffset], 1);
    EXPECT_EQ(counts[chess::kEmpty], 32);
}

}  // namespace
}  // namespace ravelin::search
