#pragma once

// The PGN way of the position search: every game parsed and replayed from its start (the FEN
// position of a game that has one), each saved position tested in order.

#include "search/position_criteria.h"
#include "search/search_result.h"
#include "search/search_source.h"

namespace ravelin::search {

// Adds the matching games of the file to result; false when the file cannot be read.
bool ScanPgnForPosition(const SearchFile& file, const PositionQuery& query, SearchResult& result);

}  // namespace ravelin::search
