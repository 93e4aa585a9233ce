#pragma once

// The "Select File" list of a directory search's result file: one entry per file, its name and
// its match count, fitted to the list's width, and the total of the matches.

#include <cstddef>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "search/directory_search_file.h"

namespace ravelin::search {

inline constexpr char kTotalGames[] = "Total games: %d";
inline constexpr char kMaxSearchFilesExceeded[] = "Maximum number %d search files exceeded.";
inline constexpr int kMaxSearchFiles = 1000;

// The list's width in dialog units, and the longest name an entry keeps when cut.
inline constexpr int kListWidth = 340;
inline constexpr int kNarrowListWidth = 136;
inline constexpr std::size_t kMaxEntryNameLength = 55;
inline constexpr std::size_t kNarrowEntryNameLength = 20;

// Measures a text in the list's units.
using TextWidth = std::function<int(std::string_view)>;
// A width of six units per character, the list font's average.
int AverageTextWidth(std::string_view text);

// The entry in mixed case when it begins with a lower-case letter or two capitals: a letter after
// a character above '/' is small, any other letter a capital (SICILIAN:3 shows as Sicilian:3).
std::string MixedCaseEntry(std::string_view entry);

// "name:count", in mixed case where the rule applies, its name cut and ended with '~' until the
// entry fits the list.
std::string SearchFileListEntry(std::string_view name, int count, const TextWidth& width, bool narrow);

struct SearchFileList {
    std::vector<std::string> entries;  // one per record, at most kMaxSearchFiles
    int totalGames = 0;
    // "Total games: %d", empty when not shown (no matches, or fewer than two files).
    std::string totalLine;
    // More records than the list holds: "Maximum number %d search files exceeded." is due.
    bool exceeded = false;
    int Count() const { return static_cast<int>(entries.size()); }
};

SearchFileList BuildSearchFileList(const ResultFile& file, const TextWidth& width, bool narrow);

std::string MaxSearchFilesExceededMessage();

}  // namespace ravelin::search
