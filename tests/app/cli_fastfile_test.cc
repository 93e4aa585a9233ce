#include "app/cli_fastfile.h"

#include <gtest/gtest.h>

#include <sstream>

#include "cli_test_helpers.h"

namespace ravelin::app {
namespace {

using ravelin::testing::CopyOfTestFile;
using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;

TEST(FastFileCommandLine, MakesTheFastFileAndSaysSo) {
    TempDir dir;
    const std::string pgn = CopyOfTestFile(dir, "fastfile/sample.pgn");
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunFastFileCommand(pgn, true, out, err), 0);
    EXPECT_EQ(out.str(), "Fast file complete.\n");
    EXPECT_EQ(err.str(),
              "\rGame:  1 of 4    25% complete\rGame:  2 of 4    50% complete\rGame:  3 of 4    75% complete"
              "\rGame:  4 of 4    100% complete\n");
    EXPECT_EQ(ReadWholeFile(dir.File("sample.TRF")), ReadWholeFile(TestDataPath("fastfile/sample.TRF")));
}

TEST(FastFileCommandLine, MissingFileIsAnError) {
    TempDir dir;
    std::ostringstream out;
    std::ostringstream err;
    EXPECT_EQ(RunFastFileCommand(dir.File("none.pgn"), false, out, err), 1);
    EXPECT_EQ(err.str(), "Error opening file.\n");
    EXPECT_TRUE(out.str().empty());
}

}  // namespace
}  // namespace ravelin::app
