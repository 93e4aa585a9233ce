#pragma once

// The directory search as the worker thread runs it: every PGN file of the directory is opened
// on its own (its own descriptor, index, reader and chess context, never the window's open file),
// searched with the criteria, and its matches written to the result file.

#include <functional>
#include <string>
#include <string_view>

#include "search/search_criteria.h"
#include "search/search_result.h"
#include "search/search_source.h"
#include "search/split_search.h"

namespace ravelin::search {

inline constexpr char kTooManyGames[] = "Warning: Too many games.";
inline constexpr char kNoMatchesFound[] = "No matches were found.";
inline constexpr char kViewDirectoryResults[] = "Directory search complete. View results now?";
// The result file keeps the directory in a field of 200 bytes; a longer one is refused, not cut.
inline constexpr char kDirectoryTooLongMessage[] = "The directory name is too long for a directory search.";

// The search of one file (RunSearch of searches.h, or a stand-in).
using SearchRunner = std::function<int(SearchFile& file, const SearchCriteria& criteria, int kind,
                                       int combination, SearchResult& result)>;

struct DirectorySearchJob {
    std::string directory;
    std::string resultPath;  // searchqq.xyz in the working directory
    int kind = kVariationSearch;
    int combination = kAlone;
    SearchCriteria criteria;
};

// How the search reaches the user; all may be called on the worker thread.
struct DirectorySearchHooks {
    // A message for the user ("Filename %s is too long.", "Warning: Too many games.", warnings of
    // the searches).
    std::function<void(std::string_view)> message;
    // After each searched file: its number (1-based), the number of files, its name, its matches.
    std::function<void(int fileNumber, int fileCount, const std::string& name, int matches)> progress;
    // Polled between games and after each file; true ends the search with what it has found.
    std::function<bool()> cancelled;
};

enum class DirectorySearchStatus {
    kMatches,
    kNoMatches,
    kNoFiles,
    kCreateError,  // the result file could not be created or written
    kDirectoryTooLong,
};

struct DirectorySearchOutcome {
    DirectorySearchStatus status = DirectorySearchStatus::kNoMatches;
    int filesListed = 0;
    int filesSearched = 0;
    int filesMatched = 0;
    int gamesMatched = 0;
    bool cancelled = false;
};

// With split, a file whose search can be cut into runs of games is searched on
// every core at once instead of by runSearch, with the same result.
DirectorySearchOutcome RunDirectorySearch(const DirectorySearchJob& job, const SearchRunner& runSearch,
                                          const DirectorySearchHooks& hooks,
                                          const SearchSplitter& split = {});

// The message that ends a search of this outcome; empty for kMatches, which asks a question.
std::string_view DirectorySearchEndMessage(DirectorySearchStatus status);

}  // namespace ravelin::search
