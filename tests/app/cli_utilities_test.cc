#include <gtest/gtest.h>

#include "cli_test_helpers.h"

namespace ravelin::testing {
namespace {

// check lists the bad games one a line with their numbers and exits 1; a clean file exits 0.
TEST(CliUtilities, CheckReportsBadGamesByNumber) {
    const TempDir dir;
    const std::string good = ReadWholeFile(TestDataPath("pgn/lichess-benchmark.pgn"));
    const std::string path = dir.Write("mixed.pgn", good + "\n[Event \"Bad\"]\n\n1. e4 e5 2. Ke3 *\n");
    const CliRun bad = RunCli("check " + path, dir);
    EXPECT_EQ(bad.exitCode, 1);
    EXPECT_EQ(bad.out, "101: Game 101 may be corrupt.\n");

    const CliRun deleting = RunCli("check --delete " + path, dir);
    EXPECT_EQ(deleting.exitCode, 1);
    const CliRun clean = RunCli("check " + path, dir);
    EXPECT_EQ(clean.exitCode, 0);
    EXPECT_EQ(clean.out, "No errors found.\n");
    EXPECT_EQ(RunCli("index " + path, dir).out.substr(0, 11), "Games: 100\n");
}

// A dry run reports what would change and writes nothing; the real run deletes the later copies.
TEST(CliUtilities, DedupeDryRunThenDelete) {
    const TempDir dir;
    const std::string world = ReadWholeFile(TestDataPath("pgn/world_matches.pgn"));
    const std::string twice = world + world;
    const std::string path = dir.Write("twice.pgn", twice);
    const CliRun dry = RunCli("dedupe --entire-file --dry-run " + path, dir);
    EXPECT_EQ(dry.exitCode, 0);
    EXPECT_EQ(Lines(dry.out).size(), 581u);
    EXPECT_EQ(Lines(dry.out).back(), "Duplicate games deleted: 580 (dry run, file unchanged)");
    EXPECT_EQ(ReadWholeFile(path), twice);
    const CliRun real = RunCli("dedupe --entire-file " + path, dir);
    EXPECT_EQ(real.exitCode, 0);
    EXPECT_EQ(ReadWholeFile(path), world);
}

TEST(CliUtilities, SplitRefusesToOverwriteAndUsageErrorsExit2) {
    const TempDir dir;
    const std::string path = dir.Write("games2005.pgn", ReadWholeFile(TestDataPath("pgn/world_matches.pgn")));
    dir.Write("games2005b.pgn", "mine");
    EXPECT_EQ(RunCli("split " + path, dir).exitCode, 1);
    EXPECT_EQ(ReadWholeFile(dir.File("games2005b.pgn")), "mine");
    EXPECT_EQ(RunCli("sort", dir).exitCode, 2);
    std::filesystem::remove(dir.File("games2005b.pgn"));
    const CliRun split = RunCli("split " + path, dir);
    EXPECT_EQ(split.exitCode, 0);
    EXPECT_EQ(Lines(split.out).back(), "Split file complete.");
    EXPECT_EQ(RunCli("index " + dir.File("games2005a.pgn"), dir).out.substr(0, 11), "Games: 291\n");
}

}  // namespace
}  // namespace ravelin::testing
