#pragma once

#include "app/cli_commands.h"

namespace ravelin::app {

// `search [OPTIONS] FILE|DIR`: the variation, position and header searches of one PGN file or of
// every PGN file of a directory. Prints one line per match ("GAME", or "GAME<TAB>PLY" when
// position criteria take part; in a directory search the file's path and a tab come first) and
// the counters on err. Returns 0 with matches, 1 without, 2 on errors.
int RunSearchCommand(CliContext& context, int argc, char** argv);

}  // namespace ravelin::app
