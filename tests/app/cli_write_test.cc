// The game writers for batch use, run as a user runs them on copies of real files.

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <regex>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "cli_test_helpers.h"
#include "gamefile/game_copy.h"
#include "gamefile/game_index.h"

namespace ravelin::testing {
namespace {

gamefile::GameIndex ScanIndex(const std::string& path) {
    gamefile::GameIndex index;
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    gamefile::LineReader scanner(gamefile::kScanBufferSize);
    scanner.Attach(fd);
    scanner.Seek(0);
    gamefile::ScanGameOffsets(scanner, index);
    close(fd);
    return index;
}

// The first game of a file as the game copy rule gives it.
std::string FirstGameText(const std::string& path) {
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    gamefile::LineReader reader;
    reader.Attach(fd);
    std::string text;
    EXPECT_TRUE(gamefile::CopyGameText(reader, ScanIndex(path).Offset(1), 1 << 20, text));
    close(fd);
    return text;
}

TEST(CliWriteTest, EachWriterChangesOnlyItsGame) {
    struct Case {
        const char* name;
        std::string arguments;  // after the edited file's path
        int countChange;
        // The expected bytes from the old ones, the offsets of game 100 and 101, and the new game.
        std::function<std::string(const std::string&, std::size_t, std::size_t, const std::string&)> expected;
    };
    const std::string single = TestDataPath("pgn/anastasian-lewis.pgn");
    const Case cases[] = {
        {"delete", "100", -1,
         [](auto& old, auto begin, auto end, auto&) { return old.substr(0, begin) + old.substr(end); }},
        {"replace", "100 " + single, 0,
         [](auto& old, auto begin, auto end, auto& game) {
             return old.substr(0, begin) + game + "\r\n" + old.substr(end);
         }},
        {"insert", "100 - <" + single, 1,
         [](auto& old, auto begin, auto, auto& game) {
             return old.substr(0, begin) + game + "\r\n" + old.substr(begin);
         }},
        {"append", single, 1, [](auto& old, auto, auto, auto& game) { return old + game; }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string path = CopyOfTestFile(dir, "pgn/world_matches.pgn");
        const std::string old = ReadWholeFile(path);
        const gamefile::GameIndex index = ScanIndex(path);

        const CliRun run = RunCli(std::string(c.name) + " " + path + " " + c.arguments, dir);

        ASSERT_EQ(run.exitCode, 0) << run.err;
        EXPECT_EQ(run.out, "Games: " + std::to_string(index.Count() + c.countChange) + "\n");
        EXPECT_TRUE(ReadWholeFile(path) ==
                    c.expected(old, index.Offset(100), index.Offset(101), FirstGameText(single)));
    }
}

TEST(CliWriteTest, FailuresSayWhyAndLeaveTheFileAlone) {
    struct Case {
        std::string arguments;
        std::string message;
    };
    const std::string two = TestDataPath("pgn/TCEC_Cup_6_Bronze.pgn");
    const Case cases[] = {
        {"delete FILE 581", "Error finding game."},
        {"delete FILE x", "Error finding game."},
        {"replace FILE 3 " + two, "The replacing file must hold exactly one game."},
        {"insert FILE 3 " + TestDataPath("pgn/missing.pgn"), "Error opening file."},
        {"append FILE - </dev/null", "There are no games in this file."},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.arguments);
        TempDir dir;
        const std::string path = CopyOfTestFile(dir, "pgn/world_matches.pgn");
        const std::string arguments = std::regex_replace(c.arguments, std::regex("FILE"), path);
        const CliRun run = RunCli(arguments, dir);
        EXPECT_EQ(run.exitCode, 1);
        EXPECT_EQ(run.err, c.message + "\n");
        EXPECT_TRUE(ReadWholeFile(path) == ReadWholeFile(TestDataPath("pgn/world_matches.pgn")));
    }
}

}  // namespace
}  // namespace ravelin::testing
