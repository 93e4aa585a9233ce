#pragma once

#include <iosfwd>
#include <string_view>

namespace ravelin::app {

// `perft FEN DEPTH`: prints "san: count" per legal move and then "Nodes: N". Returns 0, or 2 with
// a message on a bad FEN or depth.
int RunPerftCommand(std::string_view fen, int depth, std::ostream& out);

// `moves FEN`: prints the legal moves in SAN on one line. Returns 0, or 2 on a bad FEN.
int RunMovesCommand(std::string_view fen, std::ostream& out);

}  // namespace ravelin::app
