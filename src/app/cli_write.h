#pragma once

#include <iosfwd>

namespace ravelin::app {

// `delete FILE N`, `append FILE GAMES.pgn`, `insert FILE N GAMES.pgn`, `replace FILE N GAME.pgn`:
// the game writers of the program for batch use. GAMES.pgn may be "-" for standard input; its
// games are taken with the game copy rule. Prints the new game count; returns 0 on success, 1 with
// the message on failure, 2 on a usage error.
int RunWriteCommand(const char* command, int argc, char** argv, std::ostream& out, std::ostream& err);

// Whether the command is one of the writers above.
bool IsWriteCommand(const char* command);

}  // namespace ravelin::app
