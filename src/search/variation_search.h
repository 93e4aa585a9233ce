#pragma once

// The variation search of one file (SearchVariationAlone of searches.h): the choice between the
// fast file and the PGN text, the passes of "Force Match" and the result they leave.

#include "search/search_criteria.h"
#include "search/search_result.h"
#include "search/search_source.h"
#include "search/variation_match.h"

namespace ravelin::search {

// Which reading of the file a variation search took.
enum class VariationPath { kFastFile, kPgnText };

// SearchVariationAlone, also telling which path it took (for the tests and the benchmark).
int SearchVariationReporting(SearchFile& file, const SearchCriteria& criteria, SearchResult& result,
                             VariationPath& path);

}  // namespace ravelin::search
