// The position criteria: the lists' entries against a board, the move number condition and its
// label, and the lists built from the criteria board and put back on it.

#include "search/position_criteria.h"

#include <gtest/gtest.h>

#include <sstream>

#include "search/position_lists.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using testing_support::Lists;

// The start position with the pieces of some squares taken off: "d1 b8".
FastBoard StartWithout(const std::string& squares) {
    FastBoard board = FastStartBoard();
    std::istringstream in(squares);
    for (std::string square; in >> square;) {
        board[static_cast<std::size_t>(FastSquare(square[0] - 'a' + 1, square[1] - '0'))] = chess::kEmpty;
    }
    return board;
}

// Placements must all hold (a white pawn is no black pawn, two pieces on one square are never
// met); pawn and piece counts include the stated number; either-side entries say nothing in the
// white list and let black meet the white condition of their own kind only.
TEST(PositionQueryTest, PlacementsCountsAndEitherSideConditions) {
    struct Case {
        const char* removed;
        std::vector<const char*> passing, failing;
    };
    const Case cases[] = {
        {"",
         {"Ke1 e2 Nb1 / Ke8 d7", "Ke1 Ke1 /", "=8 /", "<8 /", ">8 /", "*6 Q*3 /"},
         {"Ke1 e4 /", "/ Ke1", "/ e2", "Ke1 / Qe1", "=7 /", "<7 /", ">9 /", "/ =7"}},
        // White without its queen, black with one knight.
        {"d1 b8", {"Q=0 R=2 B>2 N<2 / Q=1 N=1"}, {"Q=1 /", "/ N=2", "/ Q=0"}},
        // White with two knights and seven pawns, black with one knight and eight pawns.
        {"b8 a2", {"N=1 / N*1", "=8 / *8", "=7 / *5"}, {"N=1 /", "N=0 / N*0", "=8 / N*8", "/ N=2 N*2"}},
    };
    for (const Case& c : cases) {
        const FastBoard board = StartWithout(c.removed);
        for (const bool passes : {true, false}) {
            for (const char* lists : passes ? c.passing : c.failing) {
                EXPECT_EQ(DecodePositionQuery(Lists(lists)).Passes(board.data(), 0), passes)
                    << lists << " without " << c.removed;
            }
        }
    }
    // Entries naming no placement are never met.
    for (const char* text : {"Xe4", "Pe4", "Ke9", "Ki1", "K", "z3", "e", "=x", "N=", "K=1", "7e"}) {
        const PositionQuery query = DecodePositionQuery(Lists(std::string("Ke1 ") + text + " /"));
        EXPECT_TRUE(query.neverMet) << text;
        EXPECT_FALSE(query.Passes(FastStartBoard().data(), 0)) << text;
    }
}

// A move number is half the ply rounded up; a range without an upper end has none, and the number
// 0 sets no condition.
TEST(PositionQueryTest, MoveNumberConditionNeedsItsSwitchAndANumber) {
    struct Case {
        const char* criterion;
        std::vector<int> passing, failing;
    };
    const FastBoard start = FastStartBoard();
    for (const Case& c :
         {Case{"3-4", {5, 8}, {4, 9}}, Case{">10", {21}, {20}}, Case{"<2", {0}, {3}}, Case{"7-", {399}, {12}},
          Case{"0", {17}, {}}, Case{"", {17}, {}}, Case{"=0", {17}, {}}, Case{"abc", {17}, {}}}) {
        const PositionQuery query = DecodePositionQuery(Lists("=8 /", c.criterion));
        for (const bool passes : {true, false}) {
            for (const int ply : passes ? c.passing : c.failing) {
                EXPECT_EQ(query.Passes(start.data(), ply), passes) << c.criterion << " ply " << ply;
            }
        }
    }
    SearchPosition off = Lists("=8 /", "3-4");
    off.moveNumber.on = false;
    EXPECT_TRUE(DecodePositionQuery(off).Passes(start.data(), 0));
}

TEST(PositionQueryTest, MoveNumberLabelShortensItsPrefixAsTheCriterionGrows) {
    struct Case {
        bool on;
        const char *criterion, *label;
    };
    for (const Case& c : {Case{false, "= 5", "Move Num"}, Case{true, "= 5", "Move =5"},
                          Case{true, "10 - 20", "Move 10-20"}, Case{true, "100-20", "Mov 100-20"},
                          Case{true, "100 - 200", "M 100-200"}, Case{true, "   ", "Move Num"}}) {
        EXPECT_EQ(MoveNumberLabel(MoveNumberCondition{c.on, c.criterion}), c.label) << c.criterion;
    }
}

// --- the lists and the criteria board ---

std::string Texts(const SearchPosition& position) {
    std::string texts;
    for (const PositionList* list : {&position.white, &position.black}) {
        for (const PositionEntry& entry : *list) {
            texts += entry[0] != 0 ? std::string(PositionEntryText(entry)) + " " : "";
        }
        texts += list == &position.white ? "/ " : "";
    }
    return texts;
}

// One entry per piece, files first and ranks within them, then the counts in the order queens,
// rooks, bishops, knights, pawns; codes of no piece are left out. Put back on a board, the lists
// give the board they were built from; entries naming nothing are left off, and a list ends at its
// first empty entry.
TEST(PositionListsTest, BuiltFromTheCriteriaBoardAndPutBack) {
    CriteriaBoard board;
    board.squares = chess::MakeStartBoard();
    board.squares[5][2] = chess::kEmpty;
    board.squares[5][4] = chess::kPawn;
    board.squares[1][3] = 7;
    board.counts[0][kCountPawns] = {kCountEqual, '8'};
    board.counts[0][kCountKnights] = {kCountAtLeast, '1'};
    board.counts[0][kCountQueens] = {kCountAtMost, '0'};
    board.counts[1][kCountPawns] = {kCountEitherSide, '8'};
    board.counts[1][kCountRooks] = {kCountEqual, '2'};
    SearchPosition position;
    SetPositionEntry(position.black[30], "Kh8");  // an old list is replaced
    BuildPositionLists(board, position);
    EXPECT_EQ(Texts(position),
              "Ra1 a2 Nb1 b2 Bc1 c2 Qd1 d2 Ke1 e4 Bf1 f2 Ng1 g2 Rh1 h2 Q<0 N>1 =8 / "
              "a7 Ra8 b7 Nb8 c7 Bc8 d7 Qd8 e7 Ke8 f7 Bf8 g7 Ng8 h7 Rh8 R=2 *8 ");
    board.squares[1][3] = chess::kEmpty;
    CriteriaBoard back;
    back.squares[8][8] = chess::kQueen;
    PutListsOnCriteriaBoard(position, back);
    EXPECT_EQ(back.squares, board.squares);
    for (int side = 0; side < 2; ++side) {
        for (int kind = 0; kind < kCountKinds; ++kind) {
            EXPECT_EQ(back.counts[side][kind].relation, board.counts[side][kind].relation) << side << kind;
            EXPECT_EQ(back.counts[side][kind].digit, board.counts[side][kind].digit) << side << kind;
        }
    }
    position = Lists("Xe4 Nf3 Ki9 / h5 Q*1");
    SetPositionEntry(position.white[4], "Qd1");  // after the empty entry 3
    back = CriteriaBoard{};
    PutListsOnCriteriaBoard(position, back);
    CriteriaBoard expected;
    expected.squares[6][3] = chess::kKnight;
    expected.squares[8][5] = chess::kPawn + chess::kBlackOffset;
    EXPECT_EQ(back.squares, expected.squares);
    EXPECT_EQ(back.counts[1][kCountQueens].relation, kCountEitherSide);
}

}  // namespace
}  // namespace ravelin::search
