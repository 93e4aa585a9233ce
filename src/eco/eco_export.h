#pragma once

#include <string>
#include <string_view>

#include "eco/eco_table.h"

namespace ravelin::eco {

// The folder of the working directory that receives the exported files, and their names.
inline constexpr char kOpeningsFolder[] = "openings";
inline constexpr char kEcoCodesPgn[] = "Ecocodes.pgn";
inline constexpr char kEcoMovesPgn[] = "Ecomoves.pgn";
inline constexpr char kEcoNamesPgn[] = "Econames.pgn";

// Names this long or longer are cut at a space; moves lines this long or longer are broken.
inline constexpr std::size_t kExportNameLimit = 70;
inline constexpr std::size_t kExportLineLimit = 76;

// One PGN file of the table in the order: per entry the ECO and Opening tags and the moves line,
// entries separated by an empty line, CR LF line ends.
std::string EcoPgnText(const EcoTable& table, const std::vector<int>& order);

// The name as exported: a name of kExportNameLimit characters or more is cut at the last space at
// or before that character.
std::string ExportedName(std::string_view name);

// The moves line as exported: lines shorter than kExportLineLimit stay whole; a longer one is
// broken before the move number nearest below character 75, the rest continuing on a line that
// begins with one space, as often as needed. Each line ends with CR LF.
std::string ExportedMoves(std::string_view moves);

// Writes openings/Ecocodes.pgn (ECO order), Ecomoves.pgn (by moves) and Econames.pgn (by name) in
// the working directory, creating the folder when missing. A file that cannot be written is
// skipped. True only when all three were written, so the caller marks the export done only then.
bool ExportEcoPgnFiles(const EcoTable& table, const std::string& workingDirectory);

}  // namespace ravelin::eco
