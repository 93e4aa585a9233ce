#pragma once

#include <ostream>

#include "app/cli_commands.h"

namespace ravelin::app {

// `db create|add|check|search|show DB.dbg ...`: the game database from the command line.
int RunDatabaseCommand(CliContext& context, int argc, char** argv);

}  // namespace ravelin::app
