#pragma once

// One scan of a tree source for the moves played after a line: per distinct next move its text,
// its word, the games that played it, their score and the first of them.

#include <string>
#include <vector>

#include "chess/chess_context.h"
#include "search/fast_move.h"
#include "tree/tree_source.h"

namespace ravelin::tree {

// A scan keeps at most this many distinct moves.
inline constexpr int kMaxNextMoves = 1000;

// The moves from the initial position to a node: words and SAN texts, ply by ply.
struct TreeLine {
    std::vector<search::FastMove> words;
    std::vector<std::string> texts;
    int Plies() const { return static_cast<int>(words.size()); }
};

struct NextMove {
    std::string text;
    search::FastMove move = 0;
    int score = 0;
    int games = 0;
    int firstGame = 0;
};

struct NextMoveScan {
    bool ok = false;  // false: the source could not be read
    std::vector<NextMove> moves;
};

// Walks every game of the source that reaches the line (in exact order, or by transposition within
// the same number of moves) and tallies its next move. Texts are made by playing each word on the
// line's position; a word that does not play there is left out.
NextMoveScan ScanNextMoves(TreeMoveSource& source, const TreeLine& line, bool exact,
                           chess::ChessContext& context);

// The maneuvers after the line: each game that reaches it gives its next lookAhead moves of the
// side to move, each counted as an entry; sorted by frequency.
NextMoveScan ScanManeuvers(TreeMoveSource& source, const TreeLine& line, int lookAhead,
                           chess::ChessContext& context);

// Replays the line from the initial position; false when a word does not play.
bool ReplayLine(const TreeLine& line, chess::ChessContext& context);
// The SAN text of a word played at the ply after the line; empty when it does not play there.
std::string TextOfWord(search::FastMove word, int ply, chess::ChessContext& context);

}  // namespace ravelin::tree
