#pragma once

// Paints piece-set bitmaps and figurines from the chess glyphs of a font.

#include <QFont>

#include "chess/board.h"
#include "display/rgb_image.h"
#include "piece_styles.h"

namespace ravelin::pieceset {

// The whole set bitmap of a style: two rows of six cells of squareSize, key colour around the pieces.
display::RgbImage PaintPieceSet(const QFont& font, const PieceStyle& style, int squareSize);

// One figurine of the large board (kind 2-6) from the font's solid glyph: black on white, size x size
// pixels.
display::RgbImage PaintFigurine(const QFont& font, chess::PieceCode kind, int size);

}  // namespace ravelin::pieceset
