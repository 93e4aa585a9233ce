#include "app/cli_game.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>

#include "cli_test_helpers.h"

namespace ravelin::app {
namespace {

using ravelin::testing::CopyOfTestFile;
using ravelin::testing::TempDir;

TEST(RealFileAnnotations, AnnotatedGameShowsNagsCommentsAndVariations) {
    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunShowCommand(CopyOfTestFile(dir, "pgn/annotated.pgn"), 1, out, err), 0);
    const std::string text = out.str();
    EXPECT_NE(text.find("File:  Annotated\nGame:  1 of 1\n"), std::string::npos);
    EXPECT_NE(text.find("1. e4\n    $Good move$\n    $White has a slight space advantage$\n"
                        "    {some comment on e4}\n1... e5!\n"),
              std::string::npos)
        << text;
    EXPECT_NE(text.find("    (2... Nf6 3. Nc3 (3. d3 (3. Bc4 Bc5)))\n"), std::string::npos);
    EXPECT_NE(text.find("3. Bc4\n    $Unclear position$\n*\n"), std::string::npos);
}

TEST(FenCommand, PrintsPliesAndFinalPositionAndMarksBadMoves) {
    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
    ASSERT_EQ(RunFenCommand(CopyOfTestFile(dir, "pgn/anastasian-lewis.pgn"), 0, out, err), 0);
    EXPECT_EQ(out.str(), "1\t81\t5rk1/2p1R2p/p5pb/2PPR2q/8/2Q2B2/5P2/5K2 b - -\tbad Z0*\n");
    std::ostringstream one;
    ASSERT_EQ(RunFenCommand(CopyOfTestFile(dir, "pgn/molinari-bordais-1979.pgn"), 1, one, err), 0);
    EXPECT_EQ(one.str(), "1\t10\tr1bqkb1r/pp1ppppp/5n2/2p5/2P1P3/2Nn2P1/PP1PNP1P/R1BQKB1R w KQkq -\n");
}

TEST(FenCommand, GameNumbersOutsideTheFileAreRefused) {
    TempDir dir;
    const std::string path = CopyOfTestFile(dir, "pgn/annotated.pgn");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunFenCommand(path, 2, out, err), 1);
    EXPECT_EQ(RunShowCommand(path, 0, out, err), 1);
    EXPECT_EQ(err.str(), "Error finding game.\nError finding game.\n");
    EXPECT_EQ(out.str(), "");
}

}  // namespace
}  // namespace ravelin::app
