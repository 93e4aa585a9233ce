#pragma once

// Yahoo game records: blocks of ";" header lines (";White", ";Black", ";Date" and others) followed
// by numbered move lines, empty lines between games.

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "gamefile/game_writer.h"

namespace ravelin::yahoo {

using HeaderValues = std::array<std::string, gamefile::kEnteredTagCount>;

struct YahooRecord {
    HeaderValues header;  // Event "Yahoo!", Result "*", White, Black and Date from the record
    std::string moves;    // the move lines, each ended by CR LF, castling written with capitals
};

// The games of a Yahoo text (LF or CR LF line ends) in order.
std::vector<YahooRecord> ReadYahooRecords(std::string_view text);

// The PGN date of a ";Date" line: year "." month "." day, "??" for a part the line lacks.
std::string YahooDate(std::string_view line);

// The game as PGN: the ten tag lines, an empty line, and the moves read by the movetext parser and
// written again in the program's standard form with the header's result. Moves the parser or the
// board refuse are carried over as they were written.
std::string ConvertedGameText(const YahooRecord& record);

}  // namespace ravelin::yahoo
