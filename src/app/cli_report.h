#pragma once

#include "app/cli_commands.h"

namespace ravelin::app {

// `report scores|crosstable|openings [OPTIONS] FILE`: the player scores, the cross table or the
// opening statistics of every game of a PGN file, as the window shows them.
int RunReportCommand(CliContext& context, int argc, char** argv);

}  // namespace ravelin::app
