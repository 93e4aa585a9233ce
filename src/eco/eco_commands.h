#pragma once

#include <optional>
#include <string>

#include "chess/move_list.h"
#include "eco/eco_match.h"
#include "eco/eco_messages.h"
#include "eco/eco_table.h"

namespace ravelin::eco {

// The plies of a game within its first 30 moves: twice the number of moves, less one when the last
// black move is empty.
int GamePliesForFindOpening(const chess::MoveList& moves);

// "Find Opening" of the game-text menu: classifies the displayed game by Closest Match and shows
// "%s %s" (code and name) or "No opening match was found." as information; "There are no moves to
// check." as an error for a game without moves. Returns the entry found or kNoEcoEntry.
int FindOpeningInGame(const EcoTable& table, const chess::MoveList& moves, const EcoMessageSink& messages);

// The Select Opening dialog a Find Opening popup command opens: on the found entry, with its title.
struct FindOpeningDialog {
    int entry = kNoEcoEntry;
    std::string title;
};

// The title of the dialog for each rule: "Find Opening - Closest Match" and the others.
std::string FindOpeningTitle(MatchMode mode);

// "Closest Match", "Exact Number of Moves", "Exact Variation" of the Find Opening popup: allowed in
// Variation Edit or Analyze mode only; enteredPlies are the plies entered so far in moves. Errors go
// to the sink; "No opening match was found." is information. A dialog to open on success.
std::optional<FindOpeningDialog> FindOpeningCommand(const EcoTable& table, const chess::MoveList& moves,
                                                    int enteredPlies, MatchMode mode,
                                                    bool inVariationEditOrAnalyze,
                                                    const EcoMessageSink& messages);

}  // namespace ravelin::eco
