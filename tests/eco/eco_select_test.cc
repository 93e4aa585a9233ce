#include "eco/eco_select.h"
#include "eco/eco_status.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <tuple>

#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

using testing::PreparedGame;
using testing::TestTable;

// Fifty plies of knights going out and back.
const std::string kFiftyPlies = [] {
    std::string line;
    for (int move = 1; move <= 25; ++move) {
        line += (move > 1 ? " " : "") + std::to_string(move) + (move % 2 == 1 ? ".Nf3 Nf6" : ".Ng1 Ng8");
    }
    return line;
}();

const std::vector<testing::Line> kLines = {
    {"C20", "King's Pawn Game", "1.e4 e5"},
    {"A04", "Shuffle", kFiftyPlies},
    {"B20", "Sicilian", "1.e4 c5"},
    {"C50", "Italian Game", "1.e4 e5 2.Nf3 Nc6 3.Bc4"},
};

TEST(SelectOpeningList, FourOrdersGiveTheirEntriesWithThePieceLettersInTheMovesOnly) {
    TestTable t(kLines, {1, 2, 0, 3});
    const auto rows = [&t](EcoSortOrder order, const chess::PieceLetters& letters = {}) {
        return BuildSelectOpeningList(t.table, order, false, letters).rows;
    };
    EXPECT_EQ(rows(EcoSortOrder::kByEco).front(), "A04 " + kFiftyPlies);
    EXPECT_EQ(rows(EcoSortOrder::kByName).front(), "C50 1.e4 e5 2.Nf3 Nc6 3.Bc4");
    EXPECT_EQ(rows(EcoSortOrder::kByMoves).front(), "B20 1.e4 c5");
    chess::PieceLetters german;
    chess::SetPieceLetters("KDTLS", german);
    std::string shuffle = kFiftyPlies;
    std::replace(shuffle.begin(), shuffle.end(), 'N', 'S');
    EXPECT_EQ(rows(EcoSortOrder::kByEntry, german),
              (std::vector<std::string>{"C20 1.e4 e5", "A04 " + shuffle, "B20 1.e4 c5",
                                        "C50 1.e4 e5 2.Sf3 Sc6 3.Lc4"}));
}

TEST(SelectOpeningList, WrappedLongLineContinuesEverySevenMovesAndMapsEveryRowToItsEntry) {
    TestTable t(kLines, {1, 2, 0, 3});
    const SelectOpeningList list = BuildSelectOpeningList(t.table, EcoSortOrder::kByEco, true, {});
    ASSERT_EQ(list.rows.size(), 4u + t.table.extraRows);
    EXPECT_EQ(t.table.extraRows, 3);
    EXPECT_EQ(list.rows[0],
              "A04 1.Nf3 Nf6 2.Ng1 Ng8 3.Nf3 Nf6 4.Ng1 Ng8 5.Nf3 Nf6 6.Ng1 Ng8 7.Nf3 Nf6 8.Ng1 Ng8 "
              "9.Nf3 Nf6");
    EXPECT_EQ(list.rows[1],
              "       10.Ng1 Ng8 11.Nf3 Nf6 12.Ng1 Ng8 13.Nf3 Nf6 14.Ng1 Ng8 15.Nf3 Nf6 16.Ng1 Ng8");
    EXPECT_EQ(list.rows[2].substr(0, 14), "       17.Nf3 ");
    EXPECT_EQ(list.rows[3], "       24.Ng1 Ng8 25.Nf3 Nf6");
    EXPECT_EQ(list.rows[4], "B20 1.e4 c5");
    for (int row = 0; row < 4; ++row) {
        EXPECT_EQ(EntryOfRow(t.table, list, row), 1);
    }
    EXPECT_EQ(EntryOfRow(t.table, list, 5), 0);
    EXPECT_EQ(EntryOfRow(t.table, list, 7), kNoEcoEntry);
    EXPECT_EQ(RowOfEntry(t.table, list, 0), 5);
}

TEST(SelectOpeningList, ScrollsAheadOnlyFromRowNine) {
    EXPECT_EQ(RowToScrollFirst(8, 100), -1);
    EXPECT_EQ(RowToScrollFirst(9, 100), 15);
    EXPECT_EQ(RowToScrollFirst(98, 100), 99);
}

TEST(ShowOpeningStatus, CodeAndNameWithAStarPastEveryMatchingLineOrClearedWithoutAMatch) {
    TestTable t(kLines);
    const std::tuple<const char*, int, const char*, int, bool> cases[] = {
        {"1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5", 3, "C50 Italian Game", 3, false},
        {"1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5", 6, "C50 Italian Game *", 3, true},
        {"1.d4 d5", 2, "", kNoEcoEntry, false},
        {"1.e4 e5", 0, "", kNoEcoEntry, false},
    };
    for (const auto& [game, ply, text, entry, outOfBook] : cases) {
        EcoStatusState state{1, true};
        OpeningStatusRequest request;
        request.ply = ply;
        const OpeningStatusLine line = ShowOpeningStatus(t.table, PreparedGame(game), request, state);
        EXPECT_TRUE(line.draw);
        EXPECT_EQ(line.text, text) << game << " ply " << ply;
        EXPECT_EQ(state.currentEntry, entry);
        EXPECT_EQ(state.outOfBook, outOfBook);
    }
}

TEST(ShowOpeningStatus, GameDisplayDrawsOnlyWithTheOptionAndNotFromFen) {
    TestTable t(kLines);
    const EcoGameMoves game = PreparedGame("1.e4 e5 2.Nf3 Nc6 3.Bc4");
    EcoStatusState state{2, false};
    OpeningStatusRequest request;
    request.gameCurrentPly = 2;
    EXPECT_FALSE(ShowOpeningStatus(t.table, game, request, state).draw);
    EXPECT_EQ(state.currentEntry, 2) << "a line not drawn leaves the state";
    request.showOpeningOption = true;
    request.gameStartsFromFen = true;
    EXPECT_FALSE(ShowOpeningStatus(t.table, game, request, state).draw);
    request.gameStartsFromFen = false;
    EXPECT_EQ(ShowOpeningStatus(t.table, game, request, state).text, "C20 King's Pawn Game");
}

}  // namespace
}  // namespace ravelin::eco
