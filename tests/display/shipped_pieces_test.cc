// Every piece set the program ships must read through the program's own reader and have the cell
// layout the renderer relies on.

#include <gtest/gtest.h>

#include <array>

#include "display/bmp_reader.h"
#include "display/piece_set.h"

namespace ravelin::display {
namespace {

std::string ShippedFile(std::string_view name) {
    return std::string(RAVELIN_SOURCE_DIR) + "/data/pieces/" + std::string(name);
}

// Two rows of six cells with the key colour in each corner; every piece covers a fair part of its
// square (pawns included) and keeps off the two pixels at its edge, which are never drawn. In the
// classic set, which the user sees first, white pieces are brighter than black: a swap of the cells
// would show.
TEST(ShippedPieceSets, EverySetHasTwoRowsOfSixCellsWithAKeyCorner) {
    for (int style = 0; style < kPieceStyleCount; ++style) {
        for (auto size : {settings::BoardSizeOption::kSmall, settings::BoardSizeOption::kMedium,
                          settings::BoardSizeOption::kLarge}) {
            std::string_view name = PieceSetFileName(style, size);
            BmpReadResult read = ReadBmpFile(ShippedFile(name));
            ASSERT_TRUE(read.image) << name << ": " << read.error;
            const int s = SquareSizeOf(size);
            const RgbImage& sheet = *read.image;
            ASSERT_EQ(sheet.width, kPieceSetColumns * s) << name;
            ASSERT_EQ(sheet.height, kPieceSetRows * s) << name;
            PieceSet set(sheet, s);
            std::array<long, chess::kKing + chess::kBlackOffset + 1> brightness{};
            for (chess::PieceCode code : {1, 2, 3, 4, 5, 6, 11, 12, 13, 14, 15, 16}) {
                const CellOrigin origin = PieceCellOrigin(code, s);
                EXPECT_EQ(sheet.Pixel(origin.x, origin.y), sheet.Pixel(0, 0)) << name << " cell of " << code;
                long opaque = 0;
                for (int y = 0; y < s; ++y) {
                    for (int x = 0; x < s; ++x) {
                        if (set.Opaque(code, x, y)) {
                            ++opaque;
                            const RgbColour c = set.CellPixel(code, x, y);
                            brightness[static_cast<std::size_t>(code)] += c.red + c.green + c.blue;
                            EXPECT_TRUE(x >= 2 && y >= 2 && x < s - 2 && y < s - 2)
                                << name << ": piece " << code << " reaches the undrawn edge";
                        }
                    }
                }
                EXPECT_GT(opaque, s * s / 12) << name << " piece " << code;
                EXPECT_LT(opaque, s * s * 3 / 4) << name << " piece " << code;
                brightness[static_cast<std::size_t>(code)] /= std::max(opaque, 1L);
            }
            for (chess::PieceCode kind = chess::kPawn; name.starts_with("class") && kind <= chess::kKing;
                 ++kind) {
                EXPECT_GT(brightness[kind], brightness[kind + chess::kBlackOffset] + 60)
                    << name << " " << kind;
            }
        }
    }
}

}  // namespace
}  // namespace ravelin::display
