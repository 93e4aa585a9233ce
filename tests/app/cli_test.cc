#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

#include "gamefile/game_index.h"
#include "temp_dir.h"

namespace {

using ravelin::testing::TempDir;

struct CliRun {
    int exitCode;
    std::string output;
};

CliRun RunCli(const std::string& arguments) {
    std::string command = std::string(RAVELIN_CLI_BINARY) + " " + arguments + " 2>&1";
    CliRun run{-1, {}};
    FILE* pipe = popen(command.c_str(), "r");
    if (pipe == nullptr) {
        return run;
    }
    std::array<char, 4096> chunk;
    std::size_t got;
    while ((got = std::fread(chunk.data(), 1, chunk.size(), pipe)) > 0) {
        run.output.append(chunk.data(), got);
    }
    int status = pclose(pipe);
    run.exitCode = WIFEXITED(status) ? WEXITSTATUS(status) : -1;
    return run;
}

TEST(CliIndex, PrintsTheGameCountAndUsesTheCacheTheSecondTime) {
    TempDir dir;
    std::string path = dir.Write("games.pgn", "[Event \"A\"]\n\n1.e4 *\n\n[Event \"B\"]\n\n1.d4 *\n");
    CliRun first = RunCli("index " + path);
    EXPECT_EQ(first.exitCode, 0);
    EXPECT_NE(first.output.find("Games: 2\n"), std::string::npos) << first.output;
    EXPECT_EQ(first.output.find("index cache"), std::string::npos);
    CliRun second = RunCli("--workdir " + dir.File("work") + " index " + path);
    EXPECT_NE(second.output.find("(index cache)"), std::string::npos) << second.output;
}

TEST(CliIndex, MissingFileFails) {
    TempDir dir;
    CliRun run = RunCli("index " + dir.File("none.pgn"));
    EXPECT_NE(run.exitCode, 0);
    EXPECT_NE(run.output.find("Error opening file."), std::string::npos);
}

// Game numbers of the per-game commands are the program's own: the bundled sample's second game
// is a Queen's Indian with e3 (its ECO tag says E14) ending in a known position.
TEST(CliGames, EcoFenAndShowAgreeOnTheSameGame) {
    TempDir dir;
    const std::string sample = std::string(RAVELIN_SOURCE_DIR) + "/data/sample.pgn";
    CliRun eco = RunCli("--workdir " + dir.File("work") + " eco " + sample + " 2");
    EXPECT_EQ(eco.exitCode, 0);
    EXPECT_EQ(eco.output, "2: E14 Queen's Indian Defense, with e3\n");
    CliRun fen = RunCli("fen " + sample + " 2");
    EXPECT_EQ(fen.output, "2\t118\t8/8/1p6/5k1p/4b2p/5p1P/5P1K/1q2R3 w - -\n");
    CliRun show = RunCli("show " + sample + " 2");
    EXPECT_NE(show.output.find("White:  Adams, Michael"), std::string::npos) << show.output;
    EXPECT_NE(show.output.find("7. Bb5+\n"), std::string::npos);
    EXPECT_NE(RunCli("eco " + sample + " 301").exitCode, 0);
}

TEST(CliGames, MovetextWithoutTagLinesIsSaidToHoldNoGames) {
    TempDir dir;
    const std::string path = dir.Write("moves.pgn", "1. e4 e5 2. Nf3 Nc6 *\n");
    const std::string why = std::string(ravelin::gamefile::kNoGamesFound) + "\n";
    CliRun index = RunCli("index " + path);
    EXPECT_EQ(index.exitCode, 0);
    EXPECT_NE(index.output.find("Games: 0\n"), std::string::npos) << index.output;
    EXPECT_NE(index.output.find(why), std::string::npos) << index.output;
    for (const std::string& command : {"show " + path + " 1", "fen " + path, "fen " + path + " 1"}) {
        CliRun run = RunCli(command);
        EXPECT_EQ(run.exitCode, 1) << command;
        EXPECT_EQ(run.output, why) << command;
    }
}

// Both castlings of a Chess960 game (king and rook from b1/a1 and b8/a8), shown as written and
// replayed to the final position pgn-extract gives.
TEST(CliGames, Chess960GameShowsItsCastlingAndReplaysToTheEnd) {
    const std::string file = ravelin::testing::TestDataPath("pgn/chess960rwch.pgn");
    CliRun show = RunCli("show " + file + " 2");
    EXPECT_NE(show.output.find("6... O-O-O\n"), std::string::npos) << show.output;
    EXPECT_NE(show.output.find("9. O-O-O\n"), std::string::npos);
    CliRun fen = RunCli("fen " + file + " 2");
    EXPECT_EQ(fen.output, "2\t150\t3Q4/q6p/1qp5/kp5P/8/PK6/8/8 w - -\n");
}

TEST(Cli, UnknownCommandShowsUsage) {
    CliRun run = RunCli("frobnicate");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("usage: ravelin-cli"), std::string::npos);
}

}  // namespace
