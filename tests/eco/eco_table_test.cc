#include "eco/eco_table.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

using testing::Line;
using testing::Messages;
using testing::TestTable;
using testing::WriteTable;

const std::vector<Line> kThreeLines = {
    {"C20", "King's Pawn Game", "1.e4 e5"},
    {"B20", "Sicilian Defense", "1.e4 c5"},
    {"A00", "Amar Opening", "1.Nh3"},
};

TEST(LoadEcoTable, ReadsCodesNamesMovesAndPlies) {
    TestTable t(kThreeLines, {2, 1, 0});
    ASSERT_TRUE(t.table.loaded);
    EXPECT_EQ(t.table.count, 3);
    EXPECT_EQ(EcoCode(t.table, 0), "C20");
    EXPECT_EQ(EcoName(t.table, 1), "Sicilian Defense");
    EXPECT_EQ(EcoMoves(t.table, 2), "1.Nh3");
    EXPECT_EQ(t.table.plies, (std::vector<int>{2, 2, 1}));
    EXPECT_EQ(t.table.ecoOrder, (std::vector<int>{2, 1, 0}));
    EXPECT_TRUE(t.messages.all.empty());
}

TEST(LoadEcoTable, SortsByNameBytewiseAndByMovesIgnoringCase) {
    TestTable t({{"A00", "b name", "1.e4"}, {"A00", "B name", "1.Nf3"}, {"A00", "a name", "1.d4"}});
    EXPECT_EQ(t.table.byName, (std::vector<int>{1, 2, 0}));
    // "1.d4" < "1.e4" < "1.Nf3" once case is ignored ('n' after 'e').
    EXPECT_EQ(t.table.byMoves, (std::vector<int>{2, 0, 1}));
}

TEST(LoadEcoTable, MissingTextFileIsCorruptionAndKeepsOldTable) {
    TestTable t(kThreeLines);
    std::filesystem::remove(t.dir.File(kEcoNamesFile));
    Messages messages;
    EXPECT_FALSE(LoadEcoTable(t.table, t.dir.Path().string(), messages.Sink()));
    EXPECT_EQ(messages.Last(), "ECO table corruption.");
    EXPECT_EQ(messages.all.front().first, EcoMessageKind::kError);
    EXPECT_TRUE(t.table.loaded);
    EXPECT_EQ(t.table.count, 3);
}

TEST(LoadEcoTable, ShortNamesFileIsCorruptionNotReadPastEnd) {
    ravelin::testing::TempDir dir;
    WriteTable(dir, kThreeLines);
    dir.Write(kEcoNamesFile, "King's Pawn Game\r\nSicilian Defense\r\n");
    EcoTable table;
    Messages messages;
    EXPECT_FALSE(LoadEcoTable(table, dir.Path().string(), messages.Sink()));
    EXPECT_EQ(messages.Last(), "ECO table corruption.");
    EXPECT_FALSE(table.loaded);
}

TEST(LoadEcoTable, LfOnlyMovesFileIsCorruption) {
    ravelin::testing::TempDir dir;
    WriteTable(dir, kThreeLines);
    dir.Write(kEcoMovesFile, "1.e4 e5\n1.e4 c5\n1.Nh3\n");
    EcoTable table;
    Messages messages;
    EXPECT_FALSE(LoadEcoTable(table, dir.Path().string(), messages.Sink()));
    EXPECT_EQ(messages.Last(), "ECO table corruption.");
}

TEST(LoadEcoTable, CodesRecordWithoutCrLfIsCorruption) {
    ravelin::testing::TempDir dir;
    WriteTable(dir, kThreeLines);
    dir.Write(kEcoCodesFile, "C20\r\nB20\n\nA00\r\n");
    EcoTable table;
    EXPECT_FALSE(LoadEcoTable(table, dir.Path().string(), {}));
}

TEST(LoadEcoTable, SortFileShortOrNotAPermutationIsCorruption) {
    ravelin::testing::TempDir dir;
    WriteTable(dir, kThreeLines, {0, 1});
    EcoTable table;
    EXPECT_FALSE(LoadEcoTable(table, dir.Path().string(), {}));
    WriteTable(dir, kThreeLines, {0, 1, 1});
    EXPECT_FALSE(LoadEcoTable(table, dir.Path().string(), {}));
    WriteTable(dir, kThreeLines, {0, 1, 7});
    EXPECT_FALSE(LoadEcoTable(table, dir.Path().string(), {}));
}

TEST(LoadEcoTable, MissingSortFileWithOtherThanShippedSizeIsCorruption) {
    ravelin::testing::TempDir dir;
    WriteTable(dir, kThreeLines);
    std::filesystem::remove(dir.File(kEcoSortFile));
    EcoTable table;
    Messages messages;
    EXPECT_FALSE(LoadEcoTable(table, dir.Path().string(), messages.Sink()));
    EXPECT_EQ(messages.Last(), "ECO table corruption.");
    EXPECT_FALSE(std::filesystem::exists(dir.File(kEcoSortFile)));
}

TEST(LoadEcoTable, MissingSortFileOfShippedSizeIsRebuiltAsIdentity) {
    ravelin::testing::TempDir dir;
    std::vector<Line> lines(kShippedEcoEntries, Line{"A00", "Amar Opening", "1.Nh3"});
    WriteTable(dir, lines);
    std::filesystem::remove(dir.File(kEcoSortFile));
    EcoTable table;
    ASSERT_TRUE(LoadEcoTable(table, dir.Path().string(), {}));
    EXPECT_EQ(std::filesystem::file_size(dir.File(kEcoSortFile)), 4u * kShippedEcoEntries);
    EXPECT_EQ(table.ecoOrder[5], 5);
    EXPECT_EQ(table.ecoOrder.back(), kShippedEcoEntries - 1);
}

TEST(LoadEcoTable, CountsExtraRowsOfLongLines) {
    const std::string nineteenPlies =
        "1.Nf3 Nf6 2.Ng1 Ng8 3.Nf3 Nf6 4.Ng1 Ng8 5.Nf3 Nf6 6.Ng1 Ng8 7.Nf3 Nf6 "
        "8.Ng1 Ng8 9.Nf3 Nf6 10.Ng1";
    TestTable t({{"A00", "a", nineteenPlies}, {"A00", "b", "1.e4"}});
    EXPECT_EQ(t.table.plies[0], 19);
    EXPECT_EQ(t.table.extraRows, 1);
}

TEST(FreeEcoTable, ReleasesEverything) {
    TestTable t(kThreeLines);
    FreeEcoTable(t.table);
    EXPECT_FALSE(t.table.loaded);
    EXPECT_EQ(t.table.count, 0);
    EXPECT_TRUE(t.table.names.empty());
    ASSERT_TRUE(LoadEcoTable(t.table, t.dir.Path().string(), {}));
    EXPECT_EQ(t.table.count, 3);
}

class CheckEcoTableTest : public ::testing::Test {
  protected:
    TestTable t{kThreeLines};
    std::string Check() {
        Messages messages;
        CheckEcoTable(t.table, t.dir.Path().string(), messages.Sink());
        EXPECT_EQ(messages.all.size(), 1u);
        return messages.Last();
    }
};

TEST_F(CheckEcoTableTest, ConsistentTableIsOk) {
    Messages messages;
    EXPECT_TRUE(CheckEcoTable(t.table, t.dir.Path().string(), messages.Sink()));
    EXPECT_EQ(messages.Last(), "The ECO table is OK and has 3 entries.");
    EXPECT_EQ(messages.all.front().first, EcoMessageKind::kInformation);
}

TEST_F(CheckEcoTableTest, ReportsEachFileMissingOrOutOfStep) {
    t.dir.Write(kEcoCodesFile, "C20\r\nB20\r\nA00\r\nA01\r\n");
    EXPECT_EQ(Check(), "The ECO file has 4 entries.");
    std::filesystem::remove(t.dir.File(kEcoCodesFile));
    EXPECT_EQ(Check(), "The ECO file is missing.");
    t.dir.Write(kEcoCodesFile, "C20\r\nB20\r\nA00\r\n");

    t.dir.Write(kEcoNamesFile, "x\r\n");
    EXPECT_EQ(Check(), "The ECO names file is out of sync.");
    std::filesystem::remove(t.dir.File(kEcoNamesFile));
    EXPECT_EQ(Check(), "The ECO names file is missing.");
    t.dir.Write(kEcoNamesFile, "King's Pawn Game\r\nSicilian Defense\r\nAmar Opening\r\n");

    t.dir.Write(kEcoMovesFile, "x\r\n");
    EXPECT_EQ(Check(), "The ECO move file is out of sync.");
    std::filesystem::remove(t.dir.File(kEcoMovesFile));
    EXPECT_EQ(Check(), "The ECO moves file is missing.");
    t.dir.Write(kEcoMovesFile, "1.e4 e5\r\n1.e4 c5\r\n1.Nh3\r\n");

    t.dir.Write(kEcoSortFile, std::string(8, '\0'));
    EXPECT_EQ(Check(), "The ECO sort file has 2 entries.");
    std::filesystem::remove(t.dir.File(kEcoSortFile));
    EXPECT_EQ(Check(), "The ECO sort file is missing.");
}

TEST_F(CheckEcoTableTest, ReportsNulCountsOfTheLoadedBuffers) {
    t.table.codes[0] = '\0';
    EXPECT_EQ(Check(), "The ECO file is out of sync.");
    t.table.codes[0] = 'C';
    t.table.names[1] = '\0';
    EXPECT_EQ(Check(), "The ECO names is out of sync.");
    t.table.names[1] = 'i';
    t.table.moves[1] = '\0';
    EXPECT_EQ(Check(), "The ECO moves is out of sync.");
}

TEST(InstallEcoTable, CopiesShippedFilesOnlyWhenTheCodesFileIsMissing) {
    ravelin::testing::TempDir shipped;
    WriteTable(shipped, kThreeLines);
    ravelin::testing::TempDir working;
    EXPECT_EQ(InstallEcoTable(shipped.Path().string(), working.Path().string()), "");
    for (const char* name : {kEcoCodesFile, kEcoNamesFile, kEcoMovesFile, kEcoSortFile}) {
        EXPECT_EQ(ravelin::testing::ReadWholeFile(working.File(name)),
                  ravelin::testing::ReadWholeFile(shipped.File(name)));
    }
    working.Write(kEcoNamesFile, "mine\r\n");
    EXPECT_EQ(InstallEcoTable(shipped.Path().string(), working.Path().string()), "");
    EXPECT_EQ(ravelin::testing::ReadWholeFile(working.File(kEcoNamesFile)), "mine\r\n");
}

TEST(InstallEcoTable, MissingShippedFileWritesNothing) {
    ravelin::testing::TempDir shipped;
    WriteTable(shipped, kThreeLines);
    std::filesystem::remove(shipped.File(kEcoSortFile));
    ravelin::testing::TempDir working;
    EXPECT_NE(InstallEcoTable(shipped.Path().string(), working.Path().string()), "");
    EXPECT_TRUE(std::filesystem::is_empty(working.Path()));
}

}  // namespace
}  // namespace ravelin::eco
