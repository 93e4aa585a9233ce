#pragma once

#include "app/cli_commands.h"

namespace ravelin::app {

// `eco FILE [N]`: the ECO code and name of each game (or game N) by closest match.
int RunEcoCommand(CliContext& context, int argc, char** argv);

}  // namespace ravelin::app
