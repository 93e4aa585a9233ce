#pragma once

#include <iosfwd>

namespace ravelin::app {

// `yahoo IN OUT`: the Yahoo game records of IN added to the PGN file OUT as PGN games, their
// results left "*". Prints "Games: N"; returns 0, 1 with the message on failure, 2 on a usage error.
int RunYahooCommand(int argc, char** argv, std::ostream& out, std::ostream& err);

}  // namespace ravelin::app
