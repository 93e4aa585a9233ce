#include <gtest/gtest.h>

#include <string>

#include "cli_test_helpers.h"
#include "gamefile/game_index.h"
#include "temp_dir.h"

namespace ravelin::testing {
namespace {

TEST(CliIndex, PrintsTheGameCountAndUsesTheCacheTheSecondTime) {
    TempDir dir;
    std::string path = dir.Write("games.pgn", "[Event \"A\"]\n\n1.e4 *\n\n[Event \"B\"]\n\n1.d4 *\n");
    CliRun first = RunCli("index " + path, dir);
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_NE(first.out.find("Games: 2\n"), std::string::npos) << first.out;
    EXPECT_EQ(first.out.find("index cache"), std::string::npos);
    CliRun second = RunCli("index " + path, dir);
    EXPECT_NE(second.out.find("(index cache)"), std::string::npos) << second.out;

    CliRun missing = RunCli("index " + dir.File("none.pgn"), dir);
    EXPECT_NE(missing.exitCode, 0);
    EXPECT_NE(missing.err.find("Error opening file."), std::string::npos);
}

// Game numbers of the per-game commands are the program's own: the bundled sample's second game
// is a Queen's Indian with e3 (its ECO tag says E14) ending in a known position.
TEST(CliGames, EcoFenAndShowAgreeOnTheSameGame) {
    TempDir dir;
    const std::string sample = CopyOfProjectFile(dir, "data/sample.pgn");
    CliRun eco = RunCli("eco " + sample + " 2", dir);
    EXPECT_EQ(eco.exitCode, 0) << eco.err;
    EXPECT_EQ(eco.out, "2: E14 Queen's Indian Defense, with e3\n");
    CliRun fen = RunCli("fen " + sample + " 2", dir);
    EXPECT_EQ(fen.out, "2\t118\t8/8/1p6/5k1p/4b2p/5p1P/5P1K/1q2R3 w - -\n");
    CliRun show = RunCli("show " + sample + " 2", dir);
    EXPECT_NE(show.out.find("White:  Adams, Michael"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("7. Bb5+\n"), std::string::npos);
    EXPECT_NE(RunCli("eco " + sample + " 301", dir).exitCode, 0);
}

TEST(CliGames, MovetextWithoutTagLinesIsSaidToHoldNoGames) {
    TempDir dir;
    const std::string path = dir.Write("moves.pgn", "1. e4 e5 2. Nf3 Nc6 *\n");
    const std::string why = std::string(ravelin::gamefile::kNoGamesFound) + "\n";
    CliRun index = RunCli("index " + path, dir);
    EXPECT_EQ(index.exitCode, 0);
    EXPECT_NE(index.out.find("Games: 0\n"), std::string::npos) << index.out;
    EXPECT_EQ(index.err, why);
    for (const std::string& command : {"show " + path + " 1", "fen " + path, "fen " + path + " 1"}) {
        CliRun run = RunCli(command, dir);
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.out + run.err, why) << command;
    }
}

// Both castlings of a Chess960 game (king and rook from b1/a1 and b8/a8), shown as written and
// replayed to the final position pgn-extract gives.
TEST(CliGames, Chess960GameShowsItsCastlingAndReplaysToTheEnd) {
    TempDir dir;
    const std::string file = CopyOfTestFile(dir, "pgn/chess960rwch.pgn");
    CliRun show = RunCli("show " + file + " 2", dir);
    EXPECT_NE(show.out.find("6... O-O-O\n"), std::string::npos) << show.out;
    EXPECT_NE(show.out.find("9. O-O-O\n"), std::string::npos);
    CliRun fen = RunCli("fen " + file + " 2", dir);
    EXPECT_EQ(fen.out, "2\t150\t3Q4/q6p/1qp5/kp5P/8/PK6/8/8 w - -\n");
}

TEST(Cli, UnknownCommandShowsUsage) {
    TempDir dir;
    CliRun run = RunCli("frobnicate", dir);
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.err.find("usage: ravelin-cli"), std::string::npos);
}

}  // namespace
}  // namespace ravelin::testing
