// The shipped table: the files in data/eco are exactly what the generator makes from the source
// list beside them, their size is the named constant, and real games are classified as expected.
#include <gtest/gtest.h>

#include <fstream>
#include <sstream>

#include "chess/chess_context.h"
#include "eco/eco_build.h"
#include "eco/eco_commands.h"
#include "eco/eco_table.h"
#include "eco/pgn_main_lines.h"
#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

const std::string kShippedDir = std::string(RAVELIN_SOURCE_DIR) + "/data/eco";

class ShippedTable : public ::testing::Test {
  protected:
    static void SetUpTestSuite() {
        table_ = new EcoTable;
        ASSERT_TRUE(LoadEcoTable(*table_, kShippedDir, {}));
    }
    static void TearDownTestSuite() {
        delete table_;
        table_ = nullptr;
    }
    static EcoTable* table_;

    // Closest match of a game given as PGN movetext, replayed like a game read from a file.
    std::string Classify(const std::string& movetext) {
        std::string code;
        auto context = chess::MakeChessContext();
        PgnMainLineReader reader([&](PgnMainLine& game) {
            const int entry = ClassifyMainLine(*table_, *context, game);
            code = entry == kNoEcoEntry ? "none" : std::string(EcoCode(*table_, entry));
        });
        reader.Line("[Event \"?\"]");
        reader.Line("");
        reader.Line(movetext);
        reader.Finish();
        return code;
    }
};

EcoTable* ShippedTable::table_ = nullptr;

TEST(ShippedEcoFiles, AreExactlyWhatTheGeneratorMakesFromTheSourceList) {
    std::vector<std::string> texts;
    std::string error;
    ASSERT_TRUE(ReadEcoSource(kShippedDir, texts, error)) << error;
    const EcoBuild build = BuildEcoTable(texts);
    EXPECT_EQ(build.codes, ravelin::testing::ReadWholeFile(kShippedDir + "/" + kEcoCodesFile));
    EXPECT_EQ(build.names, ravelin::testing::ReadWholeFile(kShippedDir + "/" + kEcoNamesFile));
    EXPECT_EQ(build.moves, ravelin::testing::ReadWholeFile(kShippedDir + "/" + kEcoMovesFile));
    EXPECT_EQ(build.order, ravelin::testing::ReadWholeFile(kShippedDir + "/" + kEcoSortFile));
    EXPECT_EQ(build.entries, kShippedEcoEntries);
    EXPECT_EQ(build.leftOutUnplayable, 0);
    EXPECT_EQ(build.leftOutMalformed, 0);
    EXPECT_EQ(build.entries + build.leftOutTooLong + build.leftOutLongMove, build.sourceLines);
}

TEST(EcoBuild, LeavesOutAndCountsLongAndUnplayableLines) {
    std::string longLine = "eco\tname\tpgn\nA00\tLong\t";
    for (int move = 1; move <= 16; ++move) {
        longLine += std::to_string(2 * move - 1) + ". Nf3 Nf6 " + std::to_string(2 * move) + ". Ng1 Ng8 ";
    }
    longLine += "\nA00\tBad\t1. e5\nB00\tGood\t1. e4 f5 2. exf5 g5 3. Qh5#\nA00\t\t1. e4\n";
    const EcoBuild build = BuildEcoTable({longLine});
    EXPECT_EQ(build.entries, 1);
    EXPECT_EQ(build.leftOutTooLong, 1);
    EXPECT_EQ(build.leftOutUnplayable, 1);
    EXPECT_EQ(build.leftOutMalformed, 1);
    // The program writes a mate with "+".
    EXPECT_EQ(build.moves, "1.e4 f5 2.exf5 g5 3.Qh5+\r\n");
    EXPECT_EQ(build.codes, "B00\r\n");
}

TEST(EcoBuild, SortFileOrdersByCodeWithTiesInEntryOrder) {
    const EcoBuild build =
        BuildEcoTable({"eco\tname\tpgn\nC20\tx\t1. e4 e5\nA00\ty\t1. a3\nC20\tz\t1. e4 e5 2. a3\n"});
    EXPECT_EQ(build.order, std::string("\1\0\0\0\0\0\0\0\2\0\0\0", 12));
}

TEST_F(ShippedTable, HasTheShippedSizeAndPassesCheck) {
    EXPECT_EQ(table_->count, kShippedEcoEntries);
    testing::Messages messages;
    EXPECT_TRUE(CheckEcoTable(*table_, kShippedDir, messages.Sink()));
    EXPECT_EQ(messages.Last(),
              "The ECO table is OK and has " + std::to_string(kShippedEcoEntries) + " entries.");
}

TEST_F(ShippedTable, ClassifiesWellKnownOpenings) {
    EXPECT_EQ(Classify("1. e4 c5 2. Nf3 d6 3. d4 cxd4 4. Nxd4 Nf6 5. Nc3 a6 *"), "B90");
    EXPECT_EQ(Classify("1. d4 Nf6 2. c4 e6 3. Nc3 Bb4 *"), "E20");
    EXPECT_EQ(Classify("1. e4 e5 2. Nf3 Nc6 3. Bb5 *"), "C60");
    EXPECT_EQ(Classify("1. Nf3 d5 2. d4 *"), "D02");
    EXPECT_EQ(Classify("1. e4 e6 2. d4 d5 3. Nc3 Bb4 *"), "C15");
    EXPECT_EQ(Classify("1. c4 *"), "A10");
}

TEST_F(ShippedTable, ClassifiesGamesOfTheSampleFileByTheirOwnEcoTag) {
    std::ifstream in(std::string(RAVELIN_SOURCE_DIR) + "/data/sample.pgn", std::ios::binary);
    ASSERT_TRUE(in);
    auto context = chess::MakeChessContext();
    std::vector<std::pair<std::string, std::string>> tagAndCode;
    PgnMainLineReader reader([&](PgnMainLine& game) {
        if (tagAndCode.size() < 12) {
            const int entry = ClassifyMainLine(*table_, *context, game);
            tagAndCode.emplace_back(game.ecoTag,
                                    entry == kNoEcoEntry ? "" : std::string(EcoCode(*table_, entry)));
        }
    });
    std::string line;
    while (std::getline(in, line)) {
        reader.Line(line);
    }
    reader.Finish();
    ASSERT_EQ(tagAndCode.size(), 12u);
    // Games 1, 2, 4-12 of the file carry the code the table gives them (game 3, a Trompowsky
    // tagged D00, is named by the table's more specific A45 line).
    for (const int game : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11}) {
        EXPECT_EQ(tagAndCode[static_cast<std::size_t>(game)].second,
                  tagAndCode[static_cast<std::size_t>(game)].first)
            << "game " << game + 1;
    }
}

}  // namespace
}  // namespace ravelin::eco
