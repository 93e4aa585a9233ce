#include "reports/diagram_bitmap.h"

#include <algorithm>
#include <map>

#include "platform/file_util.h"

namespace ravelin::reports {

namespace {

constexpr int kCellPixels = kDiagramSquareSize * kDiagramSquareSize;

int Distance(const Rgb& a, const Rgb& b) {
    const int dr = a.r - b.r;
    const int dg = a.g - b.g;
    const int db = a.b - b.b;
    return dr * dr + dg * dg + db * db;
}

std::uint32_t Key(const Rgb& c) {
    return (std::uint32_t{c.r} << 16) | (std::uint32_t{c.g} << 8) | c.b;
}

void Put16(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    out[at] = static_cast<std::uint8_t>(value);
    out[at + 1] = static_cast<std::uint8_t>(value >> 8);
}

void Put32(std::vector<std::uint8_t>& out, std::size_t at, std::uint32_t value) {
    Put16(out, at, value & 0xFFFF);
    Put16(out, at + 2, value >> 16);
}

}  // namespace

int PieceCellIndex(chess::PieceCode code) {
    return (chess::IsWhitePiece(code) ? 0 : 6) + chess::KindOf(code) - chess::kPawn;
}

PalettedPieces MakePalettedPieces(const PieceCells& cells) {
    std::map<std::uint32_t, int> counts;
    for (const PieceCellPixels& cell : cells) {
        for (int i = 0; i < kCellPixels && i < static_cast<int>(cell.pixels.size()); ++i) {
            if (cell.opaque[i] != 0) {
                ++counts[Key(cell.pixels[i])];
            }
        }
    }
    std::vector<std::pair<std::uint32_t, int>> byFrequency(counts.begin(), counts.end());
    // Most frequent first; equal counts in colour order, so the palette is the same on every run.
    std::stable_sort(byFrequency.begin(), byFrequency.end(),
                     [](const auto& a, const auto& b) { return a.second > b.second; });
    PalettedPieces paletted;
    const int used = std::min<int>(kPieceColourCount, static_cast<int>(byFrequency.size()));
    std::map<std::uint32_t, std::uint8_t> entryOf;
    for (int i = 0; i < used; ++i) {
        const std::uint32_t key = byFrequency[i].first;
        paletted.palette[i] = Rgb{static_cast<std::uint8_t>(key >> 16), static_cast<std::uint8_t>(key >> 8),
                                  static_cast<std::uint8_t>(key)};
        entryOf[key] = static_cast<std::uint8_t>(i);
    }
    auto entry = [&](const Rgb& colour) -> std::uint8_t {
        if (auto found = entryOf.find(Key(colour)); found != entryOf.end()) {
            return found->second;
        }
        int best = 0;
        for (int i = 1; i < used; ++i) {
            if (Distance(paletted.palette[i], colour) < Distance(paletted.palette[best], colour)) {
                best = i;
            }
        }
        entryOf[Key(colour)] = static_cast<std::uint8_t>(best);
        return static_cast<std::uint8_t>(best);
    };
    for (std::size_t c = 0; c < cells.size(); ++c) {
        paletted.cells[c].assign(kCellPixels, 0);
        paletted.opaque[c].assign(kCellPixels, 0);
        for (int i = 0; i < kCellPixels && i < static_cast<int>(cells[c].pixels.size()); ++i) {
            if (cells[c].opaque[i] != 0) {
                paletted.cells[c][i] = entry(cells[c].pixels[i]);
                paletted.opaque[c][i] = 1;
            }
        }
    }
    return paletted;
}

std::vector<std::uint8_t> SquareEntries(const PalettedPieces& pieces, chess::PieceCode code,
                                        bool darkSquare) {
    const std::uint8_t ground = darkSquare ? kDarkSquareEntry : kLightSquareEntry;
    std::vector<std::uint8_t> square(kCellPixels, ground);
    const chess::PieceCode kind = chess::KindOf(code);
    if (kind < chess::kPawn || kind > chess::kKing) {
        return square;
    }
    const int cell = PieceCellIndex(code);
    for (int i = 0; i < kCellPixels; ++i) {
        if (pieces.opaque[cell][i] != 0) {
            square[i] = pieces.cells[cell][i];
        }
    }
    return square;
}

DiagramRaster DrawDiagram(const PalettedPieces& pieces, const chess::Board& board, bool flipped, int border,
                          const DiagramColours& colours) {
    border = std::clamp(border, 0, kMaxDiagramBorder);
    DiagramRaster raster;
    raster.side = kDiagramBoardSide + 2 * border;
    raster.palette = pieces.palette;
    raster.palette[kDarkSquareEntry] = colours.dark;
    raster.palette[kLightSquareEntry] = colours.light;
    raster.palette[kBorderEntry] = colours.border;
    raster.pixels.assign(static_cast<std::size_t>(raster.side) * raster.side, kBorderEntry);
    for (int row = 0; row < chess::kLastLine; ++row) {
        const int rank = flipped ? row + 1 : chess::kLastLine - row;
        for (int column = 0; column < chess::kLastLine; ++column) {
            const int file = flipped ? chess::kLastLine - column : column + 1;
            const std::vector<std::uint8_t> square =
                SquareEntries(pieces, board[file][rank], chess::SquareColour(file, rank) == 2);
            for (int y = 0; y < kDiagramSquareSize; ++y) {
                const std::size_t start =
                    static_cast<std::size_t>(border + row * kDiagramSquareSize + y) * raster.side + border +
                    column * kDiagramSquareSize;
                std::copy_n(square.begin() + y * kDiagramSquareSize, kDiagramSquareSize,
                            raster.pixels.begin() + static_cast<std::ptrdiff_t>(start));
            }
        }
    }
    return raster;
}

std::vector<std::uint8_t> EncodeDiagramBmp(const DiagramRaster& raster) {
    const std::size_t rowLength = (static_cast<std::size_t>(raster.side) + 3) / 4 * 4;
    const std::size_t fileSize = kBmpHeadersSize + rowLength * raster.side;
    std::vector<std::uint8_t> out(fileSize, 0);
    out[0] = 'B';
    out[1] = 'M';
    Put32(out, 2, static_cast<std::uint32_t>(fileSize));
    Put32(out, 10, kBmpHeadersSize);
    Put32(out, 14, 40);
    Put32(out, 18, static_cast<std::uint32_t>(raster.side));
    Put32(out, 22, static_cast<std::uint32_t>(raster.side));
    Put16(out, 26, 1);
    Put16(out, 28, 8);
    // Compression 0 (none) and image size 0, which an uncompressed picture may leave unset.
    Put32(out, 38, 2835);  // 72 dots per inch
    Put32(out, 42, 2835);
    for (int i = 0; i < 256; ++i) {
        const std::size_t at = 54 + static_cast<std::size_t>(i) * 4;
        out[at] = raster.palette[i].b;
        out[at + 1] = raster.palette[i].g;
        out[at + 2] = raster.palette[i].r;
    }
    for (int y = 0; y < raster.side; ++y) {
        const std::size_t source = static_cast<std::size_t>(raster.side - 1 - y) * raster.side;
        std::copy_n(raster.pixels.begin() + static_cast<std::ptrdiff_t>(source), raster.side,
                    out.begin() + static_cast<std::ptrdiff_t>(kBmpHeadersSize + y * rowLength));
    }
    return out;
}

bool WriteDiagramFile(const std::string& path, const std::vector<std::uint8_t>& bytes) {
    return platform::WriteFileReplacing(path, bytes.data(), bytes.size());
}

}  // namespace ravelin::reports
