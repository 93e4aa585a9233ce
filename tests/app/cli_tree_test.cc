#include "app/cli_tree.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <map>
#include <sstream>

#include "cli_test_helpers.h"

namespace ravelin::app {
namespace {

using ravelin::testing::CopyOfTestFile;
using ravelin::testing::Lines;
using ravelin::testing::RunCli;
using ravelin::testing::TempDir;

// The moves after 1.e4 c5 with their game counts, as pgn-extract's move lists give them.
std::map<std::string, int> PgnExtractNextMoves(const std::string& pgn) {
    std::map<std::string, int> next;
    FILE* pipe =
        ::popen(("/usr/games/pgn-extract -s -Wsan --notags -C -N -V --nomovenumbers --noresults -w 100000 " +
                 pgn + " 2>/dev/null")
                    .c_str(),
                "r");
    if (pipe == nullptr) {
        return next;
    }
    char line[100000];
    while (std::fgets(line, sizeof line, pipe) != nullptr) {
        std::istringstream words(line);
        std::string first;
        std::string second;
        std::string third;
        if (words >> first >> second >> third && first == "e4" && second == "c5") {
            ++next[third];
        }
    }
    ::pclose(pipe);
    return next;
}

// One line per next move with its game count, the counts those of an outside reading of the file,
// with and without the fast file; a move that does not play is an error.
TEST(TreeCommandLine, NextMovesAgreeWithPgnExtract) {
    TempDir dir;
    const std::string pgn = CopyOfTestFile(dir, "pgn/dortmund.pgn");
    const std::map<std::string, int> expected = PgnExtractNextMoves(pgn);
    if (expected.empty()) {
        GTEST_SKIP() << "pgn-extract is not installed";
    }
    for (const bool fast : {false, true}) {
        if (fast) {
            ASSERT_EQ(RunCli("fastfile " + pgn, dir).exitCode, 0);
        }
        const ravelin::testing::CliRun run = RunCli("tree " + pgn + " --moves \"1.e4 c5\"", dir);
        ASSERT_EQ(run.exitCode, 0) << run.err;
        std::map<std::string, int> found;
        for (const std::string& line : Lines(run.out)) {
            std::istringstream words(line);
            std::string move;
            int games = 0;
            words >> move >> games;
            found[move] = games;
        }
        EXPECT_EQ(found, expected) << (fast ? "fast file" : "PGN text");
    }
    const ravelin::testing::CliRun bad = RunCli("tree " + pgn + " --moves \"1.e4 e4\"", dir);
    EXPECT_EQ(bad.exitCode, 2);
    EXPECT_EQ(bad.err, "ravelin-cli: the move \"e4\" does not play\n");
}

}  // namespace
}  // namespace ravelin::app
