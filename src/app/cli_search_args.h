#pragma once

// The arguments of `ravelin-cli search` read into the criteria the searches take: the variation
// replayed and checked on a board, the position lists, the header fields, and the kind and
// combination that say which searches run together.

#include <string>
#include <string_view>

#include "search/search_criteria.h"

namespace ravelin::app {

inline constexpr char kSearchUsage[] =
    "usage: ravelin-cli search [OPTIONS] FILE|DIR\n"
    "  --moves \"1.e4 c5 2.Nf3\"   variation (SAN, move numbers optional, \"*\" = any move)\n"
    "  --exact                   Exact Variation: moves in the given order\n"
    "  --force                   Force Match: the longest matching shorter variation\n"
    "  --position TEXT           FEN placement (exact position) or \"Ke1 Qd1 e4 / Ke8 N=2\"\n"
    "  --move-number CRITERION   move number of the matching position (\"<20\", \"10-15\")\n"
    "  --event --site --date --round --white --black --result --eco TEXT\n"
    "  --player NAME             NAME with either colour\n"
    "  --opponents A,B           A against B, either colours\n"
    "  --moves-count --white-elo --black-elo CRITERION\n"
    "  --specific-move PATTERN   e.g. \"12... Nxe4\", \"O-O-O\"\n"
    "  --dir                     every *.pgn file of FILE's directory (or of DIR)\n"
    "  --time                    print the search's own time to stderr (of a directory: each\n"
    "                            file's, and the whole search's from the listing to the end)\n"
    "  --repeat N                run the search N times in the process (with --time: the first\n"
    "                            time and the median of the others, which reuse what the first built)\n";

inline constexpr char kNoSearchCriteria[] = "No search criteria given.";
inline constexpr char kMoveNumberNeedsPosition[] = "--move-number needs --position.";
inline constexpr char kPlayerWithNames[] = "--player and --opponents replace --white and --black.";

// What `search` was asked to do.
struct SearchRequest {
    std::string path;        // a PGN file, or a directory
    bool directory = false;  // --dir: every *.pgn of the path's directory
    bool timing = false;     // --time
    int repeat = 1;          // --repeat
    search::SearchCriteria criteria;
    int kind = 0;         // search::SearchKind
    int combination = 0;  // search::kAlone ... kWithBoth
    // Position criteria take part, so every match has the ply of its first matching position.
    bool positionPlies = false;
};

// Reads the arguments after the command word. On failure returns false with the reason in error.
bool ParseSearchArguments(int argc, char** argv, SearchRequest& request, std::string& error);

// Reads a move sequence ("1.e4 c5 2.Nf3", "e4 c5 Nf3", "1.d4 * 2.c4", "1...") and replays it from the
// initial position: each entry gets its canonical SAN text (check marks included) and, when its
// SAN needed a disambiguation, its from-square as hint. "*" leaves the board as it is. A move
// that cannot be played there, a move number out of turn or more than 200 moves a side is an error.
bool ParseVariationText(std::string_view text, search::SearchVariation& variation, std::string& error);

// Reads a position: a FEN placement (the exact position: every piece's placement and an '='
// condition on every kind of both sides) or entries "Ke1 Qd1 e4 / Ke8 N=2" (white's, then after '/'
// black's). The move-number condition is left as it is.
bool ParsePositionText(std::string_view text, search::SearchPosition& position, std::string& error);

}  // namespace ravelin::app
