#include "eco/eco_export.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

using testing::TestTable;

TEST(ExportedName, NameOfSeventyOrMoreIsCutAtLastSpaceWithinSeventy) {
    const std::string name75 = std::string(60, 'a') + " bbbbbbbbb cccc";  // spaces at 60 and 70
    ASSERT_EQ(name75.size(), 75u);
    EXPECT_EQ(ExportedName(name75), std::string(60, 'a'));
    const std::string name69(69, 'x');
    EXPECT_EQ(ExportedName(name69), name69);
    EXPECT_EQ(ExportedName(std::string(80, 'x')).size(), 69u);
}

TEST(ExportedMoves, LineOfSeventyFiveStaysWholeAndSeventySixBreaksBeforeAMoveNumber) {
    std::string line = "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7 6.Re1 b5 7.Bb3 d6 8.c3 O-O";
    ASSERT_EQ(line.size(), 73u);
    line += " h";
    EXPECT_EQ(ExportedMoves(line), line + "\r\n");
    line += "3";
    ASSERT_EQ(line.size(), 76u);
    EXPECT_EQ(ExportedMoves(line),
              "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7 6.Re1 b5 7.Bb3 d6\r\n 8.c3 O-O h3\r\n");
}

TEST(ExportedMoves, VeryLongLineIsWrittenWhole) {
    std::string line;
    for (int move = 1; move <= 30; ++move) {
        line += (move > 1 ? " " : "") + std::to_string(move) + ".Nf3 Nf6";
    }
    const std::string text = ExportedMoves(line);
    std::string joined;
    for (std::size_t start = 0; start < text.size();) {
        const std::size_t end = text.find("\r\n", start);
        const std::string piece = text.substr(start, end - start);
        EXPECT_LT(piece.size(), kExportLineLimit);
        joined += piece;
        start = end + 2;
    }
    EXPECT_EQ(joined, line);
    EXPECT_GT(std::count(text.begin(), text.end(), '\n'), 4);
}

TEST(ExportEcoPgnFiles, WritesTheThreeOrdersIntoANewOpeningsFolder) {
    TestTable t({{"C20", "King's Pawn Game", "1.e4 e5"}, {"B20", "Sicilian Defense", "1.e4 c5"}}, {1, 0});
    ASSERT_TRUE(ExportEcoPgnFiles(t.table, t.dir.Path().string()));
    const std::string folder = t.dir.File("openings");
    EXPECT_EQ(ravelin::testing::ReadWholeFile(folder + "/Ecocodes.pgn"),
              "[ECO \"B20\"]\r\n[Opening \"Sicilian Defense\"]\r\n1.e4 c5\r\n\r\n"
              "[ECO \"C20\"]\r\n[Opening \"King's Pawn Game\"]\r\n1.e4 e5\r\n");
    EXPECT_EQ(ravelin::testing::ReadWholeFile(folder + "/Econames.pgn").substr(0, 13), "[ECO \"C20\"]\r\n");
    EXPECT_EQ(ravelin::testing::ReadWholeFile(folder + "/Ecomoves.pgn").substr(0, 13), "[ECO \"B20\"]\r\n");
}

TEST(ExportEcoPgnFiles, ReportsFailureWhenAFileCannotBeWritten) {
    TestTable t({{"C20", "King's Pawn Game", "1.e4 e5"}});
    std::filesystem::create_directories(t.dir.File("openings/Econames.pgn/blocked"));
    EXPECT_FALSE(ExportEcoPgnFiles(t.table, t.dir.Path().string()));
    EXPECT_TRUE(std::filesystem::exists(t.dir.File("openings/Ecocodes.pgn")));
}

}  // namespace
}  // namespace ravelin::eco
