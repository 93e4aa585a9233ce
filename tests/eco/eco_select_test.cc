#include "eco/eco_select.h"

#include <gtest/gtest.h>

#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

using testing::TestTable;

const std::string kTwentyPlies =
    "1.Nf3 Nf6 2.Ng1 Ng8 3.Nf3 Nf6 4.Ng1 Ng8 5.Nf3 Nf6 6.Ng1 Ng8 7.Nf3 Nf6 8.Ng1 Ng8 9.Nf3 Nf6 10.Ng1 Ng8";
const std::string kFiftyPlies =
    kTwentyPlies +
    " 11.Nf3 Nf6 12.Ng1 Ng8 13.Nf3 Nf6 14.Ng1 Ng8 15.Nf3 Nf6 16.Ng1 Ng8 17.Nf3 Nf6 "
    "18.Ng1 Ng8 19.Nf3 Nf6 20.Ng1 Ng8 21.Nf3 Nf6 22.Ng1 Ng8 23.Nf3 Nf6 24.Ng1 Ng8 "
    "25.Nf3 Nf6";

const std::vector<testing::Line> kLines = {
    {"C20", "King's Pawn Game", "1.e4 e5"},
    {"A04", "Shuffle", kFiftyPlies},
    {"B20", "Sicilian", "1.e4 c5"},
};

TEST(SelectOpeningList, FourOrdersGiveTheirEntries) {
    TestTable t(kLines, {1, 2, 0});
    const chess::PieceLetters letters;
    EXPECT_EQ(BuildSelectOpeningList(t.table, EcoSortOrder::kByEco, false, letters).rows.front(),
              "A04 " + kFiftyPlies);
    EXPECT_EQ(BuildSelectOpeningList(t.table, EcoSortOrder::kByName, false, letters).rows.front(),
              "C20 1.e4 e5");
    EXPECT_EQ(BuildSelectOpeningList(t.table, EcoSortOrder::kByMoves, false, letters).rows.front(),
              "B20 1.e4 c5");
    const SelectOpeningList byEntry = BuildSelectOpeningList(t.table, EcoSortOrder::kByEntry, false, letters);
    EXPECT_EQ(byEntry.rows, (std::vector<std::string>{"C20 1.e4 e5", "A04 " + kFiftyPlies, "B20 1.e4 c5"}));
    EXPECT_EQ(EntryOfRow(t.table, byEntry, 2), 2);
}

TEST(SelectOpeningList, WrappedLongLineContinuesEverySevenMovesAndMapsEveryRowToItsEntry) {
    TestTable t(kLines, {1, 2, 0});
    const SelectOpeningList list = BuildSelectOpeningList(t.table, EcoSortOrder::kByEco, true, {});
    ASSERT_EQ(list.rows.size(), 3u + t.table.extraRows);
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
    EXPECT_EQ(EntryOfRow(t.table, list, 6), kNoEcoEntry);
    EXPECT_EQ(RowOfEntry(t.table, list, 0), 5);
}

TEST(SelectOpeningList, CustomPieceLettersChangeMovesButNotTheCode) {
    TestTable t({{"B01", "Scandinavian", "1.e4 d5 2.exd5 Qxd5 3.Nc3"}});
    chess::PieceLetters letters;
    chess::SetPieceLetters("KDTLS", letters);
    EXPECT_EQ(BuildSelectOpeningList(t.table, EcoSortOrder::kByEntry, false, letters).rows[0],
              "B01 1.e4 d5 2.exd5 Dxd5 3.Sc3");
}

TEST(SelectOpeningList, ScrollsAheadOnlyFromRowNine) {
    EXPECT_EQ(RowToScrollFirst(8, 100), -1);
    EXPECT_EQ(RowToScrollFirst(9, 100), 15);
    EXPECT_EQ(RowToScrollFirst(98, 100), 99);
}

TEST(EntryLine, SplitsTheChosenEntryIntoWhiteAndBlackMoves) {
    TestTable t(kLines);
    const EcoEntryLine line = EntryLine(t.table, 0);
    EXPECT_EQ(line.white, (std::vector<std::string>{"e4"}));
    EXPECT_EQ(line.black, (std::vector<std::string>{"e5"}));
    EXPECT_TRUE(EntryLine(t.table, 3).white.empty());
}

}  // namespace
}  // namespace ravelin::eco
