#pragma once

// A whole PGN file in memory with the offsets of its games, as the file utilities read it: they
// look at every byte of every game, and sorting needs the games in any order.

#include <cstddef>
#include <cstdint>
#include <functional>
#include <string>
#include <string_view>

#include "gamefile/game_index.h"

namespace ravelin::utilities {

inline constexpr char kErrorCreatingTempFile[] = "Error creating temp file.";

struct PgnText {
    std::string path;
    std::string bytes;
    gamefile::GameIndex index;

    int Count() const { return index.Count(); }
    // The bytes of a game (0-based): from its offset to the next game's, or to the end.
    std::string_view Game(int i) const;
    // Text before the first game (kept by every rewrite).
    std::string_view Preamble() const;
};

// Reads and indexes the file. nullptr on success, else the message.
const char* LoadPgnText(const std::string& path, PgnText& text);

// Calls line(text) for each line of the text, its line end (LF, CR LF) left off.
void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& line);

// A line of the header: "[" after any leading blanks.
bool IsTagLine(std::string_view line);

// The first-header lines of a game, up to the first line that is not a tag line.
void ForEachTagLine(std::string_view game, const std::function<void(std::string_view)>& line);

// Puts the new contents in place of the file through the safe rewrite helper and deletes every file
// beside it that describes its games (index cache, opening trees, list caches, and the fast file:
// after a reorder its count may still match while its games no longer do). nullptr on success.
const char* ReplacePgnFile(const std::string& path, std::string_view contents);

// Progress of a utility: called with the 1-based game and the number found; false asks to stop.
using UtilityProgress = std::function<bool(int current, int found)>;

// Whether the progress is worth reporting at this game: every game below 100 games, every 10th
// below 1000, every 100th above.
bool ProgressDue(int current, int total);

}  // namespace ravelin::utilities
