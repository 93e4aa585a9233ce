// `ravelin-cli report`: the player scores checked against pgn-extract's counts of the same games,
// the cross table and the openings.

#include <gtest/gtest.h>

#include <cstdio>
#include <string>

#include "cli_test_helpers.h"

namespace ravelin::testing {
namespace {

constexpr char kPgnExtract[] = "/usr/games/pgn-extract";

// The number of games pgn-extract selects with the tag criteria.
int PgnExtractCount(const std::string& criteria, const std::string& file, const TempDir& dir) {
    const std::string out = dir.File("extract.txt");
    const std::string command =
        std::string(kPgnExtract) + " -s " + criteria + " '" + file + "' >'" + out + "' 2>/dev/null";
    EXPECT_EQ(std::system(command.c_str()), 0);
    int games = 0;
    for (const std::string& line : Lines(ReadWholeFile(out))) {
        games += line.starts_with("[White ") ? 1 : 0;
    }
    return games;
}

TEST(CliReport, ScoresCountEachPlayersResultsAsPgnExtractSelectsThem) {
    if (!std::filesystem::exists(kPgnExtract)) {
        GTEST_SKIP() << "pgn-extract is not installed";
    }
    TempDir dir;
    const std::string file = CopyOfTestFile(dir, "pgn/dortmund.pgn");
    const CliRun run = RunCli("report scores " + file, dir);
    ASSERT_EQ(run.exitCode, 0) << run.err;
    const std::vector<std::string> lines = Lines(run.out);
    ASSERT_GT(lines.size(), 3u);
    for (std::size_t i = 0; i < 3; ++i) {
        const std::string surname = lines[i].substr(0, lines[i].find(','));
        int counts[6] = {};
        ASSERT_EQ(std::sscanf(lines[i].c_str() + 36, "w+%d b+%d w=%d b=%d w-%d b-%d", &counts[0], &counts[1],
                              &counts[2], &counts[3], &counts[4], &counts[5]),
                  6)
            << lines[i];
        const std::string white = "-Tw'" + surname + "' ";
        const std::string black = "-Tb'" + surname + "' ";
        EXPECT_EQ(counts[0], PgnExtractCount(white + "-Tr1-0", file, dir)) << lines[i];
        EXPECT_EQ(counts[1], PgnExtractCount(black + "-Tr0-1", file, dir)) << lines[i];
        EXPECT_EQ(counts[2], PgnExtractCount(white + "-Tr1/2-1/2", file, dir)) << lines[i];
        EXPECT_EQ(counts[3], PgnExtractCount(black + "-Tr1/2-1/2", file, dir)) << lines[i];
        EXPECT_EQ(counts[4], PgnExtractCount(white + "-Tr0-1", file, dir)) << lines[i];
        EXPECT_EQ(counts[5], PgnExtractCount(black + "-Tr1-0", file, dir)) << lines[i];
        const double points = counts[0] + counts[1] + 0.5 * (counts[2] + counts[3]);
        EXPECT_NE(lines[i].find(" " + std::to_string(points).substr(0, std::to_string(points).find('.') + 2) +
                                "  "),
                  std::string::npos)
            << lines[i];
    }
}

TEST(CliReport, CrossTableAndOpeningsOfATournament) {
    TempDir dir;
    const std::string tournament = CopyOfTestFile(dir, "pgn/uzchesscup.pgn");
    const CliRun cross = RunCli("report crosstable " + tournament, dir);
    ASSERT_EQ(cross.exitCode, 0) << cross.err;
    EXPECT_EQ(Lines(cross.out).size(), 11u);
    EXPECT_NE(cross.out.find("  Rnd 9   Score"), std::string::npos);

    const std::string noRounds = CopyOfTestFile(dir, "pgn/molinari-bordais-1979.pgn");
    const CliRun refused = RunCli("report crosstable " + noRounds, dir);
    EXPECT_EQ(refused.exitCode, 1);
    EXPECT_EQ(refused.err, "The PGN file does not have round information.\n");

    const CliRun openings =
        RunCli("report openings --by-name " + CopyOfTestFile(dir, "pgn/dortmund.pgn"), dir);
    ASSERT_EQ(openings.exitCode, 0) << openings.err;
    EXPECT_EQ(Lines(openings.out).back().substr(0, 18), "Other openings: 3 ");
    EXPECT_EQ(RunCli("report tallies " + tournament, dir).exitCode, 2);
}

}  // namespace
}  // namespace ravelin::testing
