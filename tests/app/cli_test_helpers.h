#pragma once

// Runs the built ravelin-cli as a user runs it, always with a working directory of the test's own,
// and copies test data into the test's directory: no run writes beside the project's files.

#include <sys/wait.h>

#include <cstdlib>
#include <filesystem>
#include <sstream>
#include <string>
#include <vector>

#include "temp_dir.h"

namespace ravelin::testing {

struct CliRun {
    int exitCode = -1;
    std::string out;
    std::string err;
};

// Runs `ravelin-cli --workdir DIR/work ARGUMENTS` with its output kept in dir.
inline CliRun RunCli(const std::string& arguments, const TempDir& dir) {
    const std::string command = std::string(RAVELIN_CLI_BINARY) + " --workdir " + dir.File("work") + " " +
                                arguments + " >" + dir.File("stdout.txt") + " 2>" + dir.File("stderr.txt");
    const int status = std::system(command.c_str());
    return {WIFEXITED(status) ? WEXITSTATUS(status) : -1, ReadWholeFile(dir.File("stdout.txt")),
            ReadWholeFile(dir.File("stderr.txt"))};
}

// A copy of a file of the project (relative to its top directory) in dir; returns its path.
inline std::string CopyOfProjectFile(const TempDir& dir, const std::string& relative) {
    const std::string copy = dir.File(std::filesystem::path(relative).filename().string());
    std::filesystem::copy_file(std::string(RAVELIN_SOURCE_DIR) + "/" + relative, copy);
    return copy;
}

inline std::string CopyOfTestFile(const TempDir& dir, const std::string& relative) {
    return CopyOfProjectFile(dir, "tests/data/" + relative);
}

inline std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

}  // namespace ravelin::testing
