#pragma once

// Split File: the games of a file shared out over parts beside it, the file itself unchanged.

#include <functional>
#include <string>
#include <vector>

#include "utilities/pgn_text.h"

namespace ravelin::utilities {

inline constexpr int kSplitPartGames = 32750;
inline constexpr char kErrorCreatingSplitFile[] = "Error creating split file.";
inline constexpr char kSplitFileComplete[] = "Split file complete.";
inline constexpr char kSplitFileExists[] = "File already exists. Do you want to overwrite?";
inline constexpr char kSplitNeedsPgnName[] = "The file to split must be named *.pgn.";

struct SplitPart {
    std::string path;
    int firstGame = 0;  // 0-based
    int games = 0;
};

// Number of parts for a game count: 2 below 32750 games, else count / 32750 + 1.
int SplitPartCount(int games);

// Names and game ranges of the parts: the path without ".pgn" followed by "1", "2"... or, when the
// name ends in a digit, "a", "b"... (then "aa", "ab"... past "z"). Parts that would be empty are
// left out. Empty when the path does not end in four characters of an extension.
std::vector<SplitPart> PlanSplit(const std::string& path, int games);

// Writes the parts, every line with CR LF. overwrite is asked for each part that exists already;
// a NO skips that part and the split stops. nullptr on success, else the message.
const char* SplitFile(const PgnText& text, const std::vector<SplitPart>& parts,
                      const std::function<bool(const std::string& part)>& overwrite,
                      const UtilityProgress& progress);

}  // namespace ravelin::utilities
