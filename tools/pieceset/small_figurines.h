#pragma once

// The figurines of the normal and medium boards, drawn pixel by pixel: at 16 pixels a font's
// glyph cut to black and white loses the shapes that tell the pieces apart.

#include "chess/board.h"
#include "display/rgb_image.h"

namespace ravelin::pieceset {

// One small figurine (kind 2-6): black on white, size x size pixels (size at least 14), the
// piece standing on row 12 so that it sits on the baseline of the text beside it.
display::RgbImage DrawSmallFigurine(chess::PieceCode kind, int size);

}  // namespace ravelin::pieceset
