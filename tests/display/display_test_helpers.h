#pragma once

// Builders of BMP files and piece sets in every shape the reader and renderer must cope with.

#include <algorithm>
#include <array>
#include <cstdint>
#include <string>
#include <vector>

#include "chess/board.h"
#include "display/piece_set.h"
#include "display/rgb_image.h"

namespace ravelin::display::testing {

inline void SetU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (std::size_t i = 0; i < 4; ++i) {
        bytes[at + i] = static_cast<std::uint8_t>(value >> (8 * i));
    }
}

// A BMP with a header of headerSize bytes (12, 40, 108 or 124), bits per pixel, optional top-down
// rows, a palette (for 8 bits and fewer) and bit-field masks (for 16 and 32 bits when non-empty;
// 16-bit pixels are built as 5-6-5).
struct BmpLayout {
    std::uint32_t headerSize = 40;
    std::uint32_t bitsPerPixel = 24;
    bool topDown = false;
    std::vector<RgbColour> palette;
    std::vector<std::uint32_t> masks;  // red, green, blue
};

// pixels: for palette images the palette index in .red; else the colour.
inline std::vector<std::uint8_t> BuildBmp(const BmpLayout& layout, const RgbImage& pixels) {
    const bool core = layout.headerSize == 12;
    const bool masksAfterHeader = !layout.masks.empty() && layout.headerSize == 40;
    const std::uint32_t entry = core ? 3 : 4;
    const std::uint32_t dataOffset = 14 + layout.headerSize + (masksAfterHeader ? 12 : 0) +
                                     static_cast<std::uint32_t>(layout.palette.size()) * entry;
    const std::uint32_t stride =
        (static_cast<std::uint32_t>(pixels.width) * layout.bitsPerPixel + 31) / 32 * 4;
    const std::uint32_t height = static_cast<std::uint32_t>(layout.topDown ? -pixels.height : pixels.height);
    std::vector<std::uint8_t> out;
    auto put = [&out](std::uint32_t value, int bytes) {
        for (int i = 0; i < bytes; ++i) {
            out.push_back(static_cast<std::uint8_t>(value >> (8 * i)));
        }
    };
    out = {'B', 'M'};
    put(dataOffset + stride * static_cast<std::uint32_t>(pixels.height), 4);
    put(0, 4);
    put(dataOffset, 4);
    put(layout.headerSize, 4);
    const int dimension = core ? 2 : 4;
    put(static_cast<std::uint32_t>(pixels.width), dimension);
    put(height, dimension);
    put(1, 2);
    put(layout.bitsPerPixel, 2);
    if (!core) {
        for (std::uint32_t value :
             {layout.masks.empty() ? 0u : 3u, stride * static_cast<std::uint32_t>(pixels.height), 2835u,
              2835u, static_cast<std::uint32_t>(layout.palette.size()), 0u}) {
            put(value, 4);
        }
        if (masksAfterHeader || layout.headerSize > 40) {
            for (std::size_t i = 0; i < 3; ++i) {
                put(i < layout.masks.size() ? layout.masks[i] : 0, 4);
            }
        }
        out.resize(14 + layout.headerSize + (masksAfterHeader ? 12 : 0), 0);
    }
    for (const RgbColour& c : layout.palette) {
        out.insert(out.end(), {c.blue, c.green, c.red});
        if (!core) {
            out.push_back(0);
        }
    }
    for (int row = 0; row < pixels.height; ++row) {
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < pixels.width; ++x) {
            const RgbColour c = pixels.Pixel(x, layout.topDown ? row : pixels.height - 1 - row);
            const std::size_t bits = static_cast<std::size_t>(x) * layout.bitsPerPixel;
            if (layout.bitsPerPixel <= 8) {
                line[bits / 8] |= static_cast<std::uint8_t>(c.red << (8 - layout.bitsPerPixel - bits % 8));
            } else if (layout.bitsPerPixel == 16) {
                std::uint32_t v = ((c.red >> 3) << 11) | ((c.green >> 2) << 5) | (c.blue >> 3);
                line[bits / 8] = static_cast<std::uint8_t>(v);
                line[bits / 8 + 1] = static_cast<std::uint8_t>(v >> 8);
            } else {
                std::copy_n(std::array<std::uint8_t, 4>{c.blue, c.green, c.red, 0xFF}.begin(),
                            layout.bitsPerPixel / 8, line.begin() + static_cast<std::ptrdiff_t>(bits / 8));
            }
        }
        out.insert(out.end(), line.begin(), line.end());
    }
    return out;
}

// A picture in which every pixel differs from its neighbours, so a flip or offset shows.
inline RgbImage PatternImage(int width, int height) {
    RgbImage image(width, height);
    for (int y = 0; y < height; ++y) {
        for (int x = 0; x < width; ++x) {
            image.SetPixel(x, y,
                           {static_cast<std::uint8_t>(x * 17 + y), static_cast<std::uint8_t>(y * 29 + 3),
                            static_cast<std::uint8_t>((x ^ y) * 7)});
        }
    }
    return image;
}

inline constexpr RgbColour kTestKey{0, 255, 0};

// The colour the synthetic set paints a piece in: unique per piece code.
inline RgbColour PieceColour(chess::PieceCode code) {
    return {static_cast<std::uint8_t>(10 * code), static_cast<std::uint8_t>(200 - 5 * code),
            static_cast<std::uint8_t>(3 * code)};
}

// A set bitmap whose cells hold a solid block of the piece's colour inside a key-coloured rim of
// rim pixels.
inline RgbImage SyntheticSheet(int squareSize, int rim = 2) {
    RgbImage sheet(kPieceSetColumns * squareSize, kPieceSetRows * squareSize, kTestKey);
    for (int colour = 0; colour < 2; ++colour) {
        for (chess::PieceCode kind = chess::kPawn; kind <= chess::kKing; ++kind) {
            chess::PieceCode code = kind + colour * chess::kBlackOffset;
            CellOrigin origin = PieceCellOrigin(code, squareSize);
            sheet.FillRect({origin.x + rim, origin.y + rim, squareSize - 2 * rim, squareSize - 2 * rim},
                           PieceColour(code));
        }
    }
    return sheet;
}

}  // namespace ravelin::display::testing
