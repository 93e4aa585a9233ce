#pragma once

// The position search of one PGN file, by its three ways of producing a game's positions: the PGN
// text replayed (FEN games from their own start), the fast file replayed record by record, and the
// in-memory index of the fast file that skips the plies where the position cannot stand. The
// three agree on every file without FEN games; SearchPositionInFile picks the way.

#include <string>

#include "search/fast_move.h"
#include "search/position_criteria.h"
#include "search/search_criteria.h"
#include "search/search_result.h"
#include "search/search_source.h"

namespace ravelin::search {

// The position search's fixed read window over X.TRF.
inline constexpr std::size_t kPositionSearchWindow = 300000;

enum class PositionSearchWay {
    kChoose,        // the fast file when there is one (indexed), else the PGN text
    kPgnText,       // always the PGN text
    kFastFile,      // the fast file read through its window, each record replayed
    kFastFileIndex  // the fast file through its in-memory index
};

// Fills result with the games (in file order) having a position that meets the position criteria,
// each with the ply of its first such position, and returns their number. A fast-file way falls
// back to the PGN text when there is no fast file (or no memory for its window).
int SearchPositionWith(SearchFile& file, const SearchPosition& position, PositionSearchWay way,
                       SearchResult& result);

// The game count X.TRH was made for; -1 when the file does not open, -2 when it holds no count.
int HeaderGameCount(const std::string& headerPath);

// The outcome byte of a game from its Result tag line: 1 for "1-...", 2 for "x-..." with any
// other first character, else 0 (the fast file's reading of the value).
std::uint8_t OutcomeOfResultLine(std::string_view resultLine);

}  // namespace ravelin::search
