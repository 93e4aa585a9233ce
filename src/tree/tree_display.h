#pragma once

// The lines of the tree window and of the next-move lists: the moves in the chosen order, with
// the move number and, with statistics, the percentage and the game count.

#include <string>
#include <vector>

#include "tree/next_moves.h"

namespace ravelin::tree {

inline constexpr char kSortError[] = "Sort error";

enum class TreeSort { kNone = 0, kFrequency = 1, kMoveType = 2 };

struct TreeDisplayOptions {
    TreeSort sort = TreeSort::kFrequency;
    bool showPercentage = true;
    bool showScore = false;
    bool ecoTree = false;  // the ECO tree always shows the share of the games
};

struct TreeListing {
    // Indices into the moves, in display order, and the line shown for each.
    std::vector<int> order;
    std::vector<std::string> lines;
    bool sortError = false;
};

// plies: the length of the line the moves follow (it gives the move number and the side).
TreeListing ListNextMoves(const std::vector<NextMove>& moves, int plies, const TreeDisplayOptions& options);
// The maneuver form: "   %-8s%4.1f%%%*d", in the order given.
std::vector<std::string> ListManeuvers(const std::vector<NextMove>& moves);

}  // namespace ravelin::tree
