#include <gtest/gtest.h>

#include "cli_test_helpers.h"

namespace ravelin::testing {
namespace {

// The game numbers at the start of each output line.
std::vector<std::string> Numbers(const std::string& out) {
    std::vector<std::string> numbers;
    for (const std::string& line : Lines(out)) {
        numbers.push_back(line.substr(0, line.find('\t')));
    }
    return numbers;
}

// A database made from one file finds the games the file's own searches find.
TEST(CliDatabase, CreateCheckAndSearchAgreeWithTheFileSearch) {
    TempDir dir;
    const std::string pgn = CopyOfTestFile(dir, "pgn/dortmund.pgn");
    const std::string db = dir.File("d.dbg");
    const CliRun create = RunCli("db create " + db + " " + pgn, dir);
    ASSERT_EQ(create.exitCode, 0) << create.err;
    EXPECT_EQ(create.out, "Database complete. Games: 347\n");
    EXPECT_EQ(RunCli("db check " + db, dir).out, "Database OK. Number of games: 347\n");
    // A position of the middle game (after 1. e4 e5 2. Nf3 Nc6 3. Bb5 a6 4. Ba4 Nf6 5. O-O Be7).
    const std::string fen = "\"r1bqk2r/1pppbppp/p1n2n2/4p3/B3P3/5N2/PPPP1PPP/RNBQ1RK1 w kq - 4 6\"";
    const CliRun byDatabase = RunCli("db search " + db + " --position " + fen, dir);
    const CliRun byFile = RunCli("search --position " + fen + " " + pgn, dir);
    ASSERT_EQ(byFile.exitCode, 0) << byFile.err;
    EXPECT_EQ(Numbers(byDatabase.out), Numbers(byFile.out));
    EXPECT_EQ(Lines(byDatabase.out).size(), 19u);
    const CliRun player = RunCli("db search " + db + " --white \"Kramnik, V\" --year \">=2000\"", dir);
    const CliRun filePlayer = RunCli("search --white \"Kramnik, V\" --date \">=2000\" " + pgn, dir);
    EXPECT_EQ(Numbers(player.out), Numbers(filePlayer.out));
    EXPECT_FALSE(player.out.empty());
    // Adding the file again doubles the games; a PGN file is never taken for a database.
    EXPECT_EQ(RunCli("db add " + db + " " + pgn, dir).out, "Database complete. Games: 694\n");
    const CliRun wrong = RunCli("db create " + pgn + " " + pgn, dir);
    EXPECT_EQ(wrong.exitCode, 1);
    EXPECT_EQ(ReadWholeFile(pgn),
              ReadWholeFile(std::string(RAVELIN_SOURCE_DIR) + "/tests/data/pgn/dortmund.pgn"));
}

}  // namespace
}  // namespace ravelin::testing
