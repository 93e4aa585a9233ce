#pragma once

#include <string>
#include <string_view>

#include "chess/board.h"
#include "chess/chess_messages.h"

namespace ravelin::chess {

// Checks the position editor's board before it is used for a search, a game start or a FEN copy.
// The first rule that fails is reported through the sink, in this order: two bishops of a colour
// on squares of one colour (as soon as the second is counted), more than three knights, more than
// two bishops, more than three rooks, more than three queens of a colour, a king missing, two kings
// of a colour. Pawns are not counted. True when the board may be used.
bool ValidateSetupBoard(const Board& setupBoard, const MessageSink& messages);

// The en passant square of the position information dialog names the pawn that has just advanced
// two squares: a5..h5 with white to move, a4..h4 with black to move. Returns the refusal message,
// or "" when the field is empty or fits.
std::string CheckEnPassantField(std::string_view field, bool whiteToMove);

}  // namespace ravelin::chess
