// Every piece set and figurine the program ships must read through the program's own reader and
// have the cell layout the renderer relies on.

#include <gtest/gtest.h>

#include "display/bmp_reader.h"
#include "display/figurines.h"
#include "display/piece_set.h"

namespace ravelin::display {
namespace {

std::string ShippedFile(std::string_view name) {
    return std::string(RAVELIN_SOURCE_DIR) + "/data/pieces/" + std::string(name);
}

TEST(ShippedPieceSets, EverySetHasTwoRowsOfSixCellsWithAKeyCorner) {
    for (int style = 0; style < kPieceStyleCount; ++style) {
        for (auto size : {settings::BoardSizeOption::kSmall, settings::BoardSizeOption::kMedium,
                          settings::BoardSizeOption::kLarge}) {
            std::string_view name = PieceSetFileName(style, size);
            BmpReadResult read = ReadBmpFile(ShippedFile(name));
            ASSERT_TRUE(read.image) << name << ": " << read.error;
            int s = SquareSizeOf(size);
            const RgbImage& sheet = *read.image;
            ASSERT_EQ(sheet.width, kPieceSetColumns * s) << name;
            ASSERT_EQ(sheet.height, kPieceSetRows * s) << name;
            RgbColour key = sheet.Pixel(0, 0);
            PieceSet set(sheet, s);
            for (int colour = 0; colour < 2; ++colour) {
                for (chess::PieceCode kind = chess::kPawn; kind <= chess::kKing; ++kind) {
                    chess::PieceCode code = kind + colour * chess::kBlackOffset;
                    CellOrigin origin = PieceCellOrigin(code, s);
                    EXPECT_EQ(sheet.Pixel(origin.x, origin.y), key) << name << " cell of " << code;
                    int opaque = 0;
                    bool edgeClear = true;
                    for (int y = 0; y < s; ++y) {
                        for (int x = 0; x < s; ++x) {
                            bool inside = x >= 2 && y >= 2 && x < s - 2 && y < s - 2;
                            if (set.Opaque(code, x, y)) {
                                ++opaque;
                                edgeClear = edgeClear && inside;
                            }
                        }
                    }
                    EXPECT_TRUE(edgeClear) << name << ": piece " << code << " reaches the undrawn edge";
                    // A piece covers a fair part of its square, pawns included.
                    EXPECT_GT(opaque, s * s / 12) << name << " piece " << code;
                    EXPECT_LT(opaque, s * s * 3 / 4) << name << " piece " << code;
                }
            }
        }
    }
}

TEST(ShippedPieceSets, WhiteAndBlackPiecesDifferInBrightness) {
    BmpReadResult read = ReadBmpFile(ShippedFile("classic.bmp"));
    ASSERT_TRUE(read.image);
    PieceSet set(*read.image, kNormalSquareSize);
    auto meanBrightness = [&](chess::PieceCode code) {
        long sum = 0;
        long count = 0;
        for (int y = 0; y < kNormalSquareSize; ++y) {
            for (int x = 0; x < kNormalSquareSize; ++x) {
                if (set.Opaque(code, x, y)) {
                    RgbColour c = set.CellPixel(code, x, y);
                    sum += c.red + c.green + c.blue;
                    ++count;
                }
            }
        }
        return count == 0 ? 0L : sum / count;
    };
    for (chess::PieceCode kind = chess::kPawn; kind <= chess::kKing; ++kind) {
        EXPECT_GT(meanBrightness(kind), meanBrightness(kind + chess::kBlackOffset) + 60) << kind;
    }
}

TEST(ShippedFigurines, TenBlackOnWhiteFigurines) {
    for (bool large : {false, true}) {
        std::optional<FigurineSet> set =
            FigurineSet::Load(std::string(RAVELIN_SOURCE_DIR) + "/data/pieces", large);
        ASSERT_TRUE(set) << large;
        for (chess::PieceCode kind = chess::kKnight; kind <= chess::kKing; ++kind) {
            BmpReadResult read = ReadBmpFile(ShippedFile(FigurineFileName(kind, large)));
            ASSERT_TRUE(read.image);
            int size = large ? kFigurineSizeLarge : kFigurineSizeNormal;
            EXPECT_EQ(read.image->width, size);
            EXPECT_EQ(read.image->height, size);
            int ink = 0;
            for (int y = 0; y < size; ++y) {
                for (int x = 0; x < size; ++x) {
                    RgbColour c = read.image->Pixel(x, y);
                    EXPECT_TRUE(c == (RgbColour{0, 0, 0}) || c == (RgbColour{255, 255, 255}));
                    ink += c.red == 0 ? 1 : 0;
                }
            }
            EXPECT_GT(ink, size * size / 8) << FigurineFileName(kind, large);
        }
    }
}

}  // namespace
}  // namespace ravelin::display
