#pragma once

// The PGN files of a directory as the directory search walks them: their names without ".pgn",
// at most 4096 of them and 32 KB of names, sorted with case ignored.

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin::search {

inline constexpr char kNoFilesFound[] = "No files were found.";
inline constexpr char kFilenameTooLong[] = "Filename %s is too long.";

inline constexpr std::size_t kMaxListedFiles = 4096;
// The names, each with its NUL, fill at most this many bytes.
inline constexpr std::size_t kListedNamesBytes = 32768;
// A name this long or longer does not fit the result file's name field and is not searched.
inline constexpr std::size_t kMaxSearchableNameLength = 51;

struct ListedFile {
    std::string name;      // without its final ".pgn": games.old.pgn is games.old
    std::string fileName;  // as the directory spells it (the extension may be in capitals)
};

// The files of directory whose names end in ".pgn" (case ignored), in the order the directory
// gives them up to the limits, then sorted by name with case ignored.
std::vector<ListedFile> ListPgnFiles(const std::string& directory);

// Sorts names with case ignored (names equal but for case in byte order).
void SortNamesIgnoringCase(std::vector<ListedFile>& files);

bool NameTooLongToSearch(std::string_view name);
// "Filename %s is too long." for a name.
std::string FilenameTooLongMessage(std::string_view name);

// directory/name; name alone for an empty directory.
std::string JoinPath(const std::string& directory, std::string_view name);

// The path of a listed name in directory: name.pgn, or the file whose name differs from it only
// in the case of the extension. Empty when there is none.
std::string FindPgnFile(const std::string& directory, std::string_view name);

}  // namespace ravelin::search
