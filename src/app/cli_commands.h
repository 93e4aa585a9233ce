#pragma once

#include <ostream>
#include <string>

namespace ravelin::app {

inline constexpr int kUnknownCommand = -1;

struct CliContext {
    std::string workingDirectory;
    std::ostream& out;
    std::ostream& err;
};

// Runs one command of the command-line tool with its arguments. Returns the exit code, or
// kUnknownCommand.
int RunCliCommand(CliContext& context, const std::string& command, int argc, char** argv);

}  // namespace ravelin::app
