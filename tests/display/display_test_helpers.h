#pragma once

// Builders of BMP files and piece sets in every shape the reader and renderer must cope with.

#include <cstdint>
#include <string>
#include <vector>

#include "chess/board.h"
#include "display/piece_set.h"
#include "display/rgb_image.h"

namespace ravelin::display::testing {

inline void PutU16(std::vector<std::uint8_t>& out, std::uint32_t value) {
    out.push_back(static_cast<std::uint8_t>(value & 0xFF));
    out.push_back(static_cast<std::uint8_t>((value >> 8) & 0xFF));
}
inline void PutU32(std::vector<std::uint8_t>& out, std::uint32_t value) {
    PutU16(out, value & 0xFFFF);
    PutU16(out, value >> 16);
}
inline void SetU32(std::vector<std::uint8_t>& bytes, std::size_t at, std::uint32_t value) {
    for (int i = 0; i < 4; ++i) {
        bytes[at + static_cast<std::size_t>(i)] = static_cast<std::uint8_t>((value >> (8 * i)) & 0xFF);
    }
}

// A BMP with a header of headerSize bytes (12, 40, 108 or 124), bits per pixel, optional top-down
// rows, a palette (for 8 bits and fewer) and bit-field masks (for 16 and 32 bits when non-empty).
struct BmpLayout {
    std::uint32_t headerSize = 40;
    std::uint32_t bitsPerPixel = 24;
    bool topDown = false;
    std::vector<RgbColour> palette;
    std::vector<std::uint32_t> masks;  // red, green, blue
};

// pixels: for palette images the palette index in .red; else the colour.
inline std::vector<std::uint8_t> BuildBmp(const BmpLayout& layout, const RgbImage& pixels) {
    std::vector<std::uint8_t> header;
    bool core = layout.headerSize == 12;
    bool maskAfterHeader = !layout.masks.empty() && layout.headerSize == 40;
    std::uint32_t paletteEntry = core ? 3 : 4;
    std::uint32_t dataOffset = 14 + layout.headerSize + (maskAfterHeader ? 12 : 0) +
                               static_cast<std::uint32_t>(layout.palette.size()) * paletteEntry;
    std::uint32_t stride = (static_cast<std::uint32_t>(pixels.width) * layout.bitsPerPixel + 31) / 32 * 4;
    std::uint32_t total = dataOffset + stride * static_cast<std::uint32_t>(pixels.height);

    header.push_back('B');
    header.push_back('M');
    PutU32(header, total);
    PutU32(header, 0);
    PutU32(header, dataOffset);
    PutU32(header, layout.headerSize);
    if (core) {
        PutU16(header, static_cast<std::uint32_t>(pixels.width));
        PutU16(header, static_cast<std::uint32_t>(layout.topDown ? -pixels.height : pixels.height));
        PutU16(header, 1);
        PutU16(header, layout.bitsPerPixel);
    } else {
        PutU32(header, static_cast<std::uint32_t>(pixels.width));
        PutU32(header, static_cast<std::uint32_t>(layout.topDown ? -pixels.height : pixels.height));
        PutU16(header, 1);
        PutU16(header, layout.bitsPerPixel);
        PutU32(header, layout.masks.empty() ? 0 : 3);
        PutU32(header, stride * static_cast<std::uint32_t>(pixels.height));
        PutU32(header, 2835);
        PutU32(header, 2835);
        PutU32(header, static_cast<std::uint32_t>(layout.palette.size()));
        PutU32(header, 0);
        std::vector<std::uint32_t> masks = layout.masks;
        masks.resize(3, 0);
        if (layout.headerSize > 40) {
            for (std::uint32_t m : masks) {
                PutU32(header, m);
            }
            while (header.size() < 14 + layout.headerSize) {
                header.push_back(0);
            }
        } else if (maskAfterHeader) {
            for (std::uint32_t m : masks) {
                PutU32(header, m);
            }
        }
    }
    for (const RgbColour& c : layout.palette) {
        header.push_back(c.blue);
        header.push_back(c.green);
        header.push_back(c.red);
        if (!core) {
            header.push_back(0);
        }
    }
    std::vector<std::uint8_t> out = header;
    for (int row = 0; row < pixels.height; ++row) {
        int y = layout.topDown ? row : pixels.height - 1 - row;
        std::vector<std::uint8_t> line(stride, 0);
        for (int x = 0; x < pixels.width; ++x) {
            RgbColour c = pixels.Pixel(x, y);
            std::size_t ux = static_cast<std::size_t>(x);
            switch (layout.bitsPerPixel) {
                case 1:
                case 4:
                case 8: {
                    std::size_t bit = ux * layout.bitsPerPixel;
                    line[bit / 8] |= static_cast<std::uint8_t>(c.red << (8 - layout.bitsPerPixel - bit % 8));
                    break;
                }
                case 16: {
                    // 5-6-5 masks are the only 16-bit form built here.
                    std::uint32_t v = ((c.red >> 3) << 11) | ((c.green >> 2) << 5) | (c.blue >> 3);
                    line[ux * 2] = static_cast<std::uint8_t>(v & 0xFF);
                    line[ux * 2 + 1] = static_cast<std::uint8_t>(v >> 8);
                    break;
                }
                case 24:
                    line[ux * 3] = c.blue;
                    line[ux * 3 + 1] = c.green;
                    line[ux * 3 + 2] = c.red;
                    break;
                case 32:
                    line[ux * 4] = c.blue;
                    line[ux * 4 + 1] = c.green;
                    line[ux * 4 + 2] = c.red;
                    line[ux * 4 + 3] = 0xFF;
                    break;
                default:
                    break;
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
