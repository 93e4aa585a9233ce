#include <gtest/gtest.h>

#include <array>
#include <cstdio>
#include <string>

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

TEST(Cli, UnknownCommandShowsUsage) {
    CliRun run = RunCli("frobnicate");
    EXPECT_EQ(run.exitCode, 2);
    EXPECT_NE(run.output.find("usage: ravelin-cli"), std::string::npos);
}

}  // namespace
