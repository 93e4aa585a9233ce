#include "eco/eco_table.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using testing::Line;
using testing::Messages;
using testing::TestTable;
using testing::WriteTable;

const std::vector<Line> kThreeLines = {
    {"C20", "King's Pawn Game", "1.e4 e5"},
    {"B20", "Sicilian Defense", "1.e4 c5"},
    {"A00", "Amar Opening", "1.Nh3"},
};

// Changes made to the files of a loaded table.
using Change = std::function<void(TestTable&)>;
Change Write(const char* file, std::string bytes) {
    return [=](TestTable& t) { t.dir.Write(file, bytes); };
}
Change Remove(const char* file) {
    return [=](TestTable& t) { std::filesystem::remove(t.dir.File(file)); };
}
Change Order(std::vector<std::uint32_t> order) {
    return [=](TestTable& t) { WriteTable(t.dir, kThreeLines, order); };
}

TEST(LoadEcoTable, DamagedFilesAreCorruptionThatKeepsTheOldTableAndWritesNothing) {
    const std::pair<const char*, Change> cases[] = {
        {"names file missing", Remove(kEcoNamesFile)},
        {"names file short", Write(kEcoNamesFile, "King's Pawn Game\r\nSicilian\r\n")},
        {"moves file with LF only", Write(kEcoMovesFile, "1.e4 e5\n1.e4 c5\n1.Nh3\n")},
        {"codes record without CR LF", Write(kEcoCodesFile, "C20\r\nB20\n\nA00\r\n")},
        {"sort file short", Order({0, 1})},
        {"sort file repeats an entry", Order({0, 1, 1})},
        {"sort file entry beyond the table", Order({0, 1, 7})},
        // Only a table of the shipped size gets a new sort file.
        {"sort file missing", Remove(kEcoSortFile)},
    };
    for (const auto& [what, damage] : cases) {
        SCOPED_TRACE(what);
        TestTable t(kThreeLines);
        damage(t);
        const auto files = std::distance(std::filesystem::directory_iterator(t.dir.Path()), {});
        Messages messages;
        EXPECT_FALSE(LoadEcoTable(t.table, t.dir.Path().string(), messages.Sink()));
        EXPECT_EQ(messages.all, (decltype(messages.all){{EcoMessageKind::kError, "ECO table corruption."}}));
        EXPECT_TRUE(t.table.loaded);
        EXPECT_EQ(t.table.count, 3);
        EXPECT_EQ(std::distance(std::filesystem::directory_iterator(t.dir.Path()), {}), files);
    }
}

TEST(LoadEcoTable, MissingSortFileOfShippedSizeIsRebuiltAsIdentity) {
    TempDir dir;
    WriteTable(dir, std::vector<Line>(kShippedEcoEntries, Line{"A00", "Amar Opening", "1.Nh3"}));
    std::filesystem::remove(dir.File(kEcoSortFile));
    EcoTable table;
    ASSERT_TRUE(LoadEcoTable(table, dir.Path().string(), {}));
    EXPECT_EQ(std::filesystem::file_size(dir.File(kEcoSortFile)), 4u * kShippedEcoEntries);
    EXPECT_EQ(table.ecoOrder.back(), kShippedEcoEntries - 1);
}

TEST(CheckEcoTable, ReportsTheTableOkOrEachFileOrBufferOutOfStep) {
    TestTable ok(kThreeLines);
    Messages messages;
    EXPECT_TRUE(CheckEcoTable(ok.table, ok.dir.Path().string(), messages.Sink()));
    EXPECT_EQ(
        messages.all,
        (decltype(messages.all){{EcoMessageKind::kInformation, "The ECO table is OK and has 3 entries."}}));
    const std::pair<Change, const char*> cases[] = {
        {Write(kEcoCodesFile, "C20\r\nB20\r\nA00\r\nA01\r\n"), "The ECO file has 4 entries."},
        {Remove(kEcoCodesFile), "The ECO file is missing."},
        {Write(kEcoNamesFile, "x\r\n"), "The ECO names file is out of sync."},
        {Remove(kEcoNamesFile), "The ECO names file is missing."},
        {Write(kEcoMovesFile, "x\r\n"), "The ECO move file is out of sync."},
        {Remove(kEcoMovesFile), "The ECO moves file is missing."},
        {Write(kEcoSortFile, std::string(8, '\0')), "The ECO sort file has 2 entries."},
        {Remove(kEcoSortFile), "The ECO sort file is missing."},
        // NUL bytes counted in the loaded buffers.
        {[](TestTable& t) { t.table.codes[0] = '\0'; }, "The ECO file is out of sync."},
        {[](TestTable& t) { t.table.names[1] = '\0'; }, "The ECO names is out of sync."},
        {[](TestTable& t) { t.table.moves[1] = '\0'; }, "The ECO moves is out of sync."},
    };
    for (const auto& [damage, message] : cases) {
        TestTable t(kThreeLines);
        damage(t);
        Messages reported;
        EXPECT_FALSE(CheckEcoTable(t.table, t.dir.Path().string(), reported.Sink()));
        EXPECT_EQ(reported.all, (decltype(reported.all){{EcoMessageKind::kError, message}}));
    }
}

TEST(InstallEcoTable, CopiesShippedFilesOnlyWhenTheCodesFileIsMissingAndAllAreThere) {
    TempDir shipped;
    WriteTable(shipped, kThreeLines);
    TempDir working;
    EXPECT_EQ(InstallEcoTable(shipped.Path().string(), working.Path().string()), "");
    for (const char* name : {kEcoCodesFile, kEcoNamesFile, kEcoMovesFile, kEcoSortFile}) {
        EXPECT_EQ(ReadWholeFile(working.File(name)), ReadWholeFile(shipped.File(name)));
    }
    working.Write(kEcoNamesFile, "mine\r\n");
    EXPECT_EQ(InstallEcoTable(shipped.Path().string(), working.Path().string()), "");
    EXPECT_EQ(ReadWholeFile(working.File(kEcoNamesFile)), "mine\r\n");

    std::filesystem::remove(shipped.File(kEcoSortFile));
    TempDir empty;
    EXPECT_NE(InstallEcoTable(shipped.Path().string(), empty.Path().string()), "");
    EXPECT_TRUE(std::filesystem::is_empty(empty.Path()));
}

}  // namespace
}  // namespace ravelin::eco
