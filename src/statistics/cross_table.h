#pragma once

// The cross table text: a round-by-round line per player, in the player list's order, with the
// opponent's line number, the colour and the result in each round's column.

#include <string>

#include "statistics/player_scores.h"

namespace ravelin::statistics {

inline constexpr char kNoRoundInformation[] = "The PGN file does not have round information.";
inline constexpr char kTooManyPlayers[] = "There are too many players in the cross table.";
inline constexpr int kMaxCrossTablePlayers = 500;

struct CrossTableText {
    std::string error;  // one of the two messages above; the text is then empty
    std::string text;
};

// Lines end with "\n". Wide tables (more than 12 rounds with ratings, 13 without) repeat the
// number and name at the end of each line.
CrossTableText MakeCrossTable(const PlayerTable& table);

}  // namespace ravelin::statistics
