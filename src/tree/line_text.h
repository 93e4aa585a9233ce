#pragma once

// A line of moves typed as text ("1.e4 c5 2.Nf3") made into a tree line: each move played on the
// board from the initial position, its word derived and its text written as the program writes it.

#include <string>
#include <string_view>

#include "chess/chess_context.h"
#include "tree/next_moves.h"

namespace ravelin::tree {

// False with the offending move in badMove when a move does not play.
bool ParseLineText(std::string_view text, chess::ChessContext& context, TreeLine& line, std::string& badMove);

}  // namespace ravelin::tree
