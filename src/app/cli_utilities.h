#pragma once

#include <iosfwd>

namespace ravelin::app {

// `check|fen-games|dedupe|split|adjust|trim|sort|strip FILE [--dry-run]`: the file utilities for
// batch use, with the results of the window's commands. A progress line goes to a terminal on
// standard error. --dry-run reports what would change and leaves every file as it is. Returns 0 on
// success, 1 with the message on failure (check: 1 when it found errors), 2 on a usage error.
int RunUtilityCommand(const char* command, int argc, char** argv, std::ostream& out, std::ostream& err);

bool IsUtilityCommand(const char* command);

}  // namespace ravelin::app
