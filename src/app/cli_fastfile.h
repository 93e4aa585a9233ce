#pragma once

#include <iosfwd>
#include <string>

namespace ravelin::app {

// `fastfile FILE`: indexes the PGN file and makes its fast file as "Make Fast File" does. With
// showProgress the counter line is redrawn in place on err (for a terminal). Prints the outcome
// message; returns 0 when the fast file was made (the FEN warning included), 1 otherwise.
int RunFastFileCommand(const std::string& path, bool showProgress, std::ostream& out, std::ostream& err);

}  // namespace ravelin::app
