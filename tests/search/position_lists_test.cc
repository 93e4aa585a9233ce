#include "search/position_lists.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace ravelin::search {
namespace {

std::vector<std::string> Texts(const PositionList& list) {
    std::vector<std::string> texts;
    for (const PositionEntry& entry : list) {
        if (entry[0] != 0) {
            texts.emplace_back(PositionEntryText(entry));
        }
    }
    return texts;
}

CriteriaBoard StartCriteria() {
    CriteriaBoard board;
    board.squares = chess::MakeStartBoard();
    return board;
}

TEST(BuildPositionListsTest, ScansFilesThenRanksOneEntryPerPiece) {
    SearchPosition position;
    BuildPositionLists(StartCriteria(), position);
    EXPECT_EQ(Texts(position.white),
              (std::vector<std::string>{"Ra1", "a2", "Nb1", "b2", "Bc1", "c2", "Qd1", "d2", "Ke1", "e2",
                                        "Bf1", "f2", "Ng1", "g2", "Rh1", "h2"}));
    EXPECT_EQ(Texts(position.black),
              (std::vector<std::string>{"a7", "Ra8", "b7", "Nb8", "c7", "Bc8", "d7", "Qd8", "e7", "Ke8", "f7",
                                        "Bf8", "g7", "Ng8", "h7", "Rh8"}));
}

TEST(BuildPositionListsTest, CountsFollowInTheOrderQueensRooksBishopsKnightsPawns) {
    CriteriaBoard board;
    board.squares[5][1] = chess::kKing;
    board.squares[5][8] = chess::kKing + chess::kBlackOffset;
    board.counts[0][kCountPawns] = {kCountEqual, '8'};
    board.counts[0][kCountKnights] = {kCountAtLeast, '1'};
    board.counts[0][kCountQueens] = {kCountAtMost, '0'};
    board.counts[1][kCountPawns] = {kCountEitherSide, '8'};
    board.counts[1][kCountRooks] = {kCountEqual, '2'};
    SearchPosition position;
    position.moveNumber.on = true;
    position.moveNumber.criterion = "10";
    BuildPositionLists(board, position);
    EXPECT_EQ(Texts(position.white), (std::vector<std::string>{"Ke1", "Q<0", "N>1", "=8"}));
    EXPECT_EQ(Texts(position.black), (std::vector<std::string>{"Ke8", "R=2", "*8"}));
    // The move-number condition is not part of the board.
    EXPECT_TRUE(position.moveNumber.on);
    EXPECT_EQ(position.moveNumber.criterion, "10");
}

TEST(BuildPositionListsTest, AFullListKeepsOverwritingItsLastEntry) {
    CriteriaBoard board;
    for (int file = 1; file <= 8; ++file) {
        for (int rank = 1; rank <= 6; ++rank) {
            board.squares[file][rank] = chess::kQueen;
        }
    }
    board.counts[0][kCountPawns] = {kCountEqual, '0'};
    SearchPosition position;
    SetPositionEntry(position.black[3], "Kh8");  // an old list is replaced
    BuildPositionLists(board, position);
    const std::vector<std::string> white = Texts(position.white);
    ASSERT_EQ(white.size(), static_cast<std::size_t>(kPositionListEntries));
    EXPECT_EQ(white[0], "Qa1");
    EXPECT_EQ(white[38], "Qg3");
    EXPECT_EQ(white[39], "=0");
    EXPECT_TRUE(Texts(position.black).empty());
}

TEST(BuildPositionListsTest, CodesOfNoPieceAreLeftOut) {
    CriteriaBoard board;
    board.squares[1][1] = 7;
    board.squares[2][2] = 17;
    board.squares[3][3] = chess::kBishop + chess::kBlackOffset;
    board.counts[0][kCountRooks] = {9, '1'};
    SearchPosition position;
    BuildPositionLists(board, position);
    EXPECT_TRUE(Texts(position.white).empty());
    EXPECT_EQ(Texts(position.black), (std::vector<std::string>{"Bc3"}));
}

TEST(PutListsOnCriteriaBoardTest, GivesBackTheBoardTheListsWereBuiltFrom) {
    CriteriaBoard board = StartCriteria();
    board.squares[5][2] = chess::kEmpty;
    board.squares[5][4] = chess::kPawn;
    board.counts[0][kCountBishops] = {kCountEqual, '2'};
    board.counts[1][kCountKnights] = {kCountEitherSide, '2'};
    board.counts[1][kCountPawns] = {kCountAtLeast, '6'};
    SearchPosition position;
    BuildPositionLists(board, position);
    CriteriaBoard back;
    back.squares[8][8] = chess::kQueen;  // cleared first
    PutListsOnCriteriaBoard(position, back);
    EXPECT_EQ(back.squares, board.squares);
    for (int side = 0; side < 2; ++side) {
        for (int kind = 0; kind < kCountKinds; ++kind) {
            EXPECT_EQ(back.counts[side][kind].relation, board.counts[side][kind].relation) << side << kind;
            EXPECT_EQ(back.counts[side][kind].digit, board.counts[side][kind].digit) << side << kind;
        }
    }
}

TEST(PutListsOnCriteriaBoardTest, EntriesNamingNothingAreLeftOffAndTheListEndsAtAnEmptyEntry) {
    SearchPosition position;
    SetPositionEntry(position.white[0], "Xe4");
    SetPositionEntry(position.white[1], "Nf3");
    SetPositionEntry(position.white[2], "Ki9");
    SetPositionEntry(position.white[4], "Qd1");  // after the empty entry 3
    SetPositionEntry(position.black[0], "h5");
    SetPositionEntry(position.black[1], "Q*1");
    CriteriaBoard board;
    PutListsOnCriteriaBoard(position, board);
    CriteriaBoard expected;
    expected.squares[6][3] = chess::kKnight;
    expected.squares[8][5] = chess::kPawn + chess::kBlackOffset;
    EXPECT_EQ(board.squares, expected.squares);
    EXPECT_EQ(board.counts[1][kCountQueens].relation, kCountEitherSide);
    EXPECT_EQ(board.counts[1][kCountQueens].digit, '1');
}

}  // namespace
}  // namespace ravelin::search
