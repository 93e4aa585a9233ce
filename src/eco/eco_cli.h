#pragma once

#include <ostream>
#include <string>

namespace ravelin::eco {

// `eco FILE [N]`: prints the closest-match ECO code and name of every game of a PGN file (or of
// game N, 1-based), one line per game: "N: CODE NAME", or "N: No opening match was found.".
// The table is loaded from the working directory, after the shipped files were copied there when
// it has none. Returns 0, 1 when the file or the table cannot be read, 2 on bad arguments.
int RunEcoCommand(const std::string& workingDirectory, const std::string& shippedDirectory, int argc,
                  char** argv, std::ostream& out, std::ostream& err);

}  // namespace ravelin::eco
