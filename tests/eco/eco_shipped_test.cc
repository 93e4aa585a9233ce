// The shipped table: the files in data/eco are exactly what the generator makes from the source
// list beside them, their size is the named constant, and real games are classified as expected.
#include <gtest/gtest.h>

#include <fstream>

#include "chess/chess_context.h"
#include "eco/eco_build.h"
#include "eco/eco_commands.h"
#include "eco/eco_table.h"
#include "eco/pgn_main_lines.h"
#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

using ravelin::testing::ReadWholeFile;

const std::string kShippedDir = std::string(RAVELIN_SOURCE_DIR) + "/data/eco";

const EcoTable& Shipped() {
    static const EcoTable table = [] {
        EcoTable loaded;
        EXPECT_TRUE(LoadEcoTable(loaded, kShippedDir, {}));
        return loaded;
    }();
    return table;
}

TEST(ShippedEcoFiles, AreExactlyWhatTheGeneratorMakesFromTheSourceListAndPassTheCheck) {
    std::vector<std::string> texts;
    std::string error;
    ASSERT_TRUE(ReadEcoSource(kShippedDir, texts, error)) << error;
    const EcoBuild build = BuildEcoTable(texts);
    EXPECT_EQ(build.codes, ReadWholeFile(kShippedDir + "/" + kEcoCodesFile));
    EXPECT_EQ(build.names, ReadWholeFile(kShippedDir + "/" + kEcoNamesFile));
    EXPECT_EQ(build.moves, ReadWholeFile(kShippedDir + "/" + kEcoMovesFile));
    EXPECT_EQ(build.order, ReadWholeFile(kShippedDir + "/" + kEcoSortFile));
    EXPECT_EQ(build.entries, kShippedEcoEntries);
    EXPECT_EQ(build.leftOutUnplayable, 0);
    EXPECT_EQ(build.leftOutMalformed, 0);
    EXPECT_EQ(build.entries + build.leftOutTooLong + build.leftOutLongMove, build.sourceLines);
    EXPECT_EQ(Shipped().count, kShippedEcoEntries);
    testing::Messages messages;
    EXPECT_TRUE(CheckEcoTable(Shipped(), kShippedDir, messages.Sink()));
    EXPECT_EQ(messages.Last(),
              "The ECO table is OK and has " + std::to_string(kShippedEcoEntries) + " entries.");
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

TEST(ShippedTable, ClassifiesGamesOfTheSampleFileByTheirOwnEcoTag) {
    std::ifstream in(std::string(RAVELIN_SOURCE_DIR) + "/data/sample.pgn", std::ios::binary);
    ASSERT_TRUE(in);
    // Each game's own ECO tag and the code the table gives it, replayed like a game read from a file.
    std::vector<std::string> tagsAndCodes;
    auto context = chess::MakeChessContext();
    PgnMainLineReader reader([&](PgnMainLine& game) {
        const int entry = ClassifyMainLine(Shipped(), *context, game);
        tagsAndCodes.push_back(game.ecoTag + " " +
                               (entry == kNoEcoEntry ? "none" : std::string(EcoCode(Shipped(), entry))));
    });
    for (std::string line; std::getline(in, line);) {
        reader.Line(line);
    }
    reader.Finish();
    ASSERT_GE(tagsAndCodes.size(), 12u);
    // Games 1, 2, 4-12 of the file carry the code the table gives them (game 3, a Trompowsky
    // tagged D00, is named by the table's more specific A45 line).
    for (const int game : {0, 1, 3, 4, 5, 6, 7, 8, 9, 10, 11}) {
        const std::string& both = tagsAndCodes[static_cast<std::size_t>(game)];
        EXPECT_EQ(both.substr(0, 3), both.substr(4)) << "game " << game + 1;
    }
    EXPECT_EQ(tagsAndCodes[2], "D00 A45");
}

}  // namespace
}  // namespace ravelin::eco
