// ravelin-cli yahoo: Yahoo records become games pgn-extract reads, with their results unknown.

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "cli_test_helpers.h"

namespace ravelin::testing {
namespace {

TEST(CliYahooTest, ConvertsEveryRecordIntoGamesThatPgnExtractReadsAndRefusesBadArguments) {
    TempDir dir;
    dir.Write("yahoo.txt",
              ";White: Ann\r\n;Black: Bob\r\n;Date: Sun Mar 5 20:15:23 GMT 2006\r\n\r\n"
              "1. e2-e4 e7-e5\r\n2. g1-f3 b8-c6\r\n3. f1-b5 a7-a6\r\n4. b5-c6 d7-c6\r\n5. o-o f7-f6\r\n\r\n"
              ";White: Cy\r\n;Black: Di\r\n1. d2-d4 g8-f6\r\n2. c2-c4 e7-e6\r\n");
    const CliRun run = RunCli("yahoo " + dir.File("yahoo.txt") + " " + dir.File("out.pgn"), dir);
    EXPECT_EQ(run.exitCode, 0) << run.err;
    EXPECT_EQ(run.out, "Games: 2\n");
    const std::string out = ReadWholeFile(dir.File("out.pgn"));
    EXPECT_NE(out.find("1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Bxc6 dxc6 5.O-O f6  *"), std::string::npos) << out;
    EXPECT_NE(out.find("1.d4 Nf6 2.c4 e6  *"), std::string::npos) << out;
    if (std::filesystem::exists("/usr/games/pgn-extract")) {
        const std::string command = "/usr/games/pgn-extract -o /dev/null " + dir.File("out.pgn") + " 2>&1";
        std::string report;
        if (FILE* pipe = popen(command.c_str(), "r")) {
            char block[512];
            for (std::size_t got = 0; (got = std::fread(block, 1, sizeof block, pipe)) > 0;) {
                report.append(block, got);
            }
            pclose(pipe);
        }
        EXPECT_NE(report.find("2 games matched"), std::string::npos) << report;
    }
    EXPECT_EQ(RunCli("yahoo " + dir.File("yahoo.txt"), dir).exitCode, 2);
    const CliRun missing = RunCli("yahoo " + dir.File("none.txt") + " " + dir.File("x.pgn"), dir);
    EXPECT_EQ(missing.exitCode, 1);
    EXPECT_EQ(missing.err, "Error opening Yahoo file.\n");
}

}  // namespace
}  // namespace ravelin::testing
