#include "piece_styles.h"

namespace ravelin::pieceset {

namespace {

using display::RgbColour;

constexpr RgbColour kWhite{255, 255, 255};
constexpr RgbColour kBlack{0, 0, 0};

constexpr std::array<PieceStyle, display::kPieceStyleCount> kStyles = {{
    {"Modern 1", true, 0.0, Shading::kFlat, {kWhite, kWhite}, kBlack, {kBlack, kBlack}, kWhite},
    {"Sharp", false, 0.9, Shading::kFlat, {kWhite, kWhite}, kBlack, {{24, 24, 24}, {24, 24, 24}}, kWhite},
    {"Staunton 1",
     true,
     0.3,
     Shading::kFlat,
     {{252, 242, 214}, {252, 242, 214}},
     {72, 40, 18},
     {{66, 38, 20}, {66, 38, 20}},
     {236, 214, 170}},
    {"Staunton 2",
     true,
     0.3,
     Shading::kVertical,
     {{255, 248, 226}, {206, 170, 118}},
     {60, 34, 14},
     {{112, 74, 46}, {34, 20, 10}},
     {226, 196, 150}},
    {"Classic",
     true,
     0.2,
     Shading::kHorizontal,
     {{255, 255, 255}, {208, 208, 208}},
     kBlack,
     {{84, 84, 84}, {8, 8, 8}},
     {232, 232, 232}},
    {"Modern 2",
     true,
     1.4,
     Shading::kFlat,
     {{238, 238, 238}, {238, 238, 238}},
     {36, 36, 36},
     {{44, 44, 44}, {44, 44, 44}},
     {226, 226, 226}},
    {"Modern 3",
     true,
     0.4,
     Shading::kRadial,
     {{255, 255, 255}, {176, 180, 196}},
     {20, 20, 30},
     {{128, 128, 142}, {6, 6, 10}},
     {220, 220, 230}},
    {"Mod Blue",
     true,
     0.4,
     Shading::kVertical,
     {{240, 248, 255}, {196, 218, 244}},
     {0, 0, 110},
     {{52, 96, 214}, {4, 22, 110}},
     {206, 224, 255}},
}};

}  // namespace

const std::array<PieceStyle, display::kPieceStyleCount>& PieceStyles() {
    return kStyles;
}

}  // namespace ravelin::pieceset
