#pragma once

// The utilities that rewrite a file without reading its moves: Strip Header, Trim File, Sort File
// and Delete FEN Games. Each builds the new contents from the file in memory and says how much
// changed, so that a dry run can report without writing; the caller puts the contents in place
// with ReplacePgnFile.

#include <string>

#include "utilities/pgn_text.h"

namespace ravelin::utilities {

struct RewriteResult {
    std::string contents;
    int changed = 0;  // tag lines dropped, lines trimmed, games moved or games deleted
    bool cancelled = false;
};

inline constexpr char kSortFileNeedsFewerGames[] = "Sort File handles fewer than 200000 games.";

// Keeps every line that is not a tag line, and of the tag lines those of the ten tags the program
// uses and FEN; every kept line ends with CR LF. changed = tag lines dropped.
RewriteResult StripHeader(const PgnText& text);

// Drops blanks at the start of a line and blanks after a blank, breaks a line that already holds
// more than 229 characters at its next blank, and puts a blank after a "}" that has none. Tag
// lines and ";" and "%" lines are copied as they are. changed = lines that differ.
RewriteResult TrimFile(const PgnText& text);

// The sort key of a game from its header: date completed to 10 characters, site (or event when
// the site is empty or "?") cut to 19, and the round as two digits.
std::string SortKey(std::string_view game);

// Orders the games by their keys without regard to case, equal keys in file order. Every game is
// written with a line end and an empty line after it. changed = games not in their old place.
RewriteResult SortFile(const PgnText& text);

// Leaves out every game whose header has a FEN tag; every other byte is kept. changed = games left
// out.
RewriteResult DeleteFenGames(const PgnText& text, const UtilityProgress& progress);

}  // namespace ravelin::utilities
