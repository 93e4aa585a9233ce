#pragma once

#include "app/cli_commands.h"
#include "eco/eco_table.h"

namespace ravelin::app {

// The ECO table of the working directory, installed there from the shipped data when missing.
// False (the reason printed) when it cannot be loaded.
bool LoadWorkingEcoTable(CliContext& context, eco::EcoTable& table);

// `eco FILE [N]`: the ECO code and name of each game (or game N) by closest match.
int RunEcoCommand(CliContext& context, int argc, char** argv);

}  // namespace ravelin::app
