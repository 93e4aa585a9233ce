#pragma once

// Two look-ups on the shown game: "Piece Count" (the material of the position on the board) and
// "PGN NAG Help" (the annotation numbers with their glyphs and texts, as a page in the browser).

#include <string>

#include "chess/board.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr char kNagHelpFileName[] = "ravelin-nags.html";

// "White: Q1 R2 B2 N2 P8 (39)  Black: Q1 R2 B1 N2 P7 (35)": the pieces besides the king by kind and
// the material in pawn units (9, 5, 3, 3, 1).
std::string PieceCountText(const chess::Board& board);

// The page of NAG numbers 1 to 146 with their glyphs where they have one and their texts.
std::string NagHelpHtml();

void RegisterGameInfoCommands(MainWindow& window);

}  // namespace ravelin::shell
