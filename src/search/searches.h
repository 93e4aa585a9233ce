#pragma once

// The three searches of one PGN file. Each reads the fast file when it is there and current enough
// and the PGN text otherwise, fills result and returns the number of matches. A single-file
// search runs them on the window's thread; the directory search on every core, a file whole or
// cut into runs of games (split_search.h).

#include "search/search_criteria.h"
#include "search/search_result.h"
#include "search/search_source.h"

namespace ravelin::search {

// The variation of criteria, alone or (combination kWithPosition) with the position; with
// "Force Match" the longest matching shorter variation is searched when the whole one matches
// nothing. result.pliesMatched tells how much of the variation matched.
int SearchVariationInFile(SearchFile& file, const SearchCriteria& criteria, int combination,
                          SearchResult& result);

// The games in which some position (ply 0 included) meets the position criteria; each match
// carries the ply of the first such position.
int SearchPositionInFile(SearchFile& file, const SearchCriteria& criteria, SearchResult& result);

// The header criteria alone (kAlone) or combined with the variation (kWithVariation), the position
// (kWithPosition) or both (kWithBoth).
int SearchHeadersInFile(SearchFile& file, const SearchCriteria& criteria, int combination,
                        SearchResult& result);

// The searches without their combinations, as their own files implement them.
int SearchVariationAlone(SearchFile& file, const SearchCriteria& criteria, SearchResult& result);
int SearchHeadersAlone(SearchFile& file, const SearchCriteria& criteria, SearchResult& result);

// The search of a kind with its combination value, as the directory search and the command-line
// tool run it.
int RunSearch(SearchFile& file, const SearchCriteria& criteria, int kind, int combination,
              SearchResult& result);

}  // namespace ravelin::search
