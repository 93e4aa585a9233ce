#pragma once

// How the eight shipped piece styles differ: colours, shading, outline weight and edge smoothing.

#include <array>
#include <string_view>

#include "display/piece_set.h"
#include "display/rgb_image.h"

namespace ravelin::pieceset {

enum class Shading { kFlat, kVertical, kHorizontal, kRadial };

struct ToneRamp {
    display::RgbColour from;  // top, left or centre
    display::RgbColour to;    // bottom, right or edge
};

struct PieceStyle {
    std::string_view name;
    bool smoothEdges = true;
    double outlineWeight = 0.0;  // extra stroke around the glyph, in pixels at the normal board
    Shading shading = Shading::kFlat;
    ToneRamp whiteBody;
    display::RgbColour whiteInk;  // outline and inner lines of the white pieces
    ToneRamp blackBody;
    display::RgbColour blackDetail;  // inner lines of the black pieces
};

const std::array<PieceStyle, display::kPieceStyleCount>& PieceStyles();

// The key colour in the corner of every cell; no piece pixel ever has it.
inline constexpr display::RgbColour kKeyColour{0, 255, 0};

}  // namespace ravelin::pieceset
