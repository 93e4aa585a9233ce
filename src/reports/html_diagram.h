#pragma once

// The HTML diagram: the position as an 8 x 8 grid of GIF images in a bordered table, with a
// caption naming the move that led to it.

#include <array>
#include <string>
#include <string_view>

#include "chess/board.h"

namespace ravelin::reports {

inline constexpr int kDiagramImageCount = 26;
inline constexpr char kDiagramFileName[] = "diagram.html";

// The image of a square without ".gif": "b"/"w" for an empty dark/light square, else colour,
// piece letter and square colour ("wpb": white pawn on a dark square).
std::string DiagramImageName(chess::PieceCode code, int file, int rank);

// Every image a diagram may name, with ".gif".
const std::array<std::string, kDiagramImageCount>& DiagramImageFiles();

// "12. Nf3" or "12... Nf6" for the move of ply (above 0); the move text is given as shown.
std::string LastMoveCaption(int ply, std::string_view move);

// The diagram's HTML; caption is the move text of LastMoveCaption, empty for no caption.
std::string HtmlDiagramText(const chess::Board& board, bool flipped, std::string_view caption);

}  // namespace ravelin::reports
