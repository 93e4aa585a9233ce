#pragma once

#include "app/cli_commands.h"

namespace ravelin::app {

// `tree FILE [--moves "1.e4 c5"] [--exact]`: the moves played after the line in the file's games,
// one line each: the move, its games, its share of them, White's score and the first game.
int RunTreeCommand(CliContext& context, int argc, char** argv);

}  // namespace ravelin::app
