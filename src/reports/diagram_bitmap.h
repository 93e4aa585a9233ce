#pragma once

// The board as a diagram picture: an 8-bit picture of side 320 + 2 x border pixels whose 256-entry
// palette holds the pieces' colours in entries 0-249 and reserves 250 (dark squares), 251 (light
// squares) and 252 (the border); written as an uncompressed bottom-up BMP with the 1,024-byte
// palette, or as a JPEG.

#include <array>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "chess/board.h"

namespace ravelin::reports {

inline constexpr int kDiagramSquareSize = 40;
inline constexpr int kDiagramBoardSide = 8 * kDiagramSquareSize;
inline constexpr int kMaxDiagramBorder = 5;
inline constexpr int kPieceColourCount = 250;
inline constexpr std::uint8_t kDarkSquareEntry = 250;
inline constexpr std::uint8_t kLightSquareEntry = 251;
inline constexpr std::uint8_t kBorderEntry = 252;
inline constexpr int kBmpHeadersSize = 14 + 40 + 256 * 4;

inline constexpr char kBitmapComplete[] = "Bitmap file complete.";
inline constexpr char kJpegComplete[] = "JPEG file complete.";
inline constexpr char kErrorCreatingFile[] = "Error creating file.";
inline constexpr char kErrorCreatingJpeg[] = "Error creating JPEG file.";

struct Rgb {
    std::uint8_t r = 0;
    std::uint8_t g = 0;
    std::uint8_t b = 0;
    friend bool operator==(const Rgb&, const Rgb&) = default;
};

// A piece cell of kDiagramSquareSize square pixels, rows top-down, and which pixels the piece covers.
struct PieceCellPixels {
    std::vector<Rgb> pixels;
    std::vector<std::uint8_t> opaque;
};

// The twelve cells in the order white pawn..king, then black pawn..king.
using PieceCells = std::array<PieceCellPixels, 12>;
int PieceCellIndex(chess::PieceCode code);

// The pieces in the 8-bit form: one palette for all of them and each cell's entries. Pieces with
// more than 250 colours keep their 250 most frequent ones and take the nearest for the rest.
struct PalettedPieces {
    std::array<Rgb, 256> palette{};
    std::array<std::vector<std::uint8_t>, 12> cells;
    std::array<std::vector<std::uint8_t>, 12> opaque;
};
PalettedPieces MakePalettedPieces(const PieceCells& cells);

// The colours of the reserved entries: without colour the fixed greys, with colour the board's.
struct DiagramColours {
    Rgb dark{189, 189, 189};
    Rgb light{255, 255, 255};
    Rgb border{192, 192, 192};
};

struct DiagramRaster {
    int side = 0;
    std::array<Rgb, 256> palette{};
    std::vector<std::uint8_t> pixels;  // side x side entries, rows top-down
};

// One square's kDiagramSquareSize x kDiagramSquareSize entries, rows top-down: the square's entry
// where the piece (if any) does not cover it.
std::vector<std::uint8_t> SquareEntries(const PalettedPieces& pieces, chess::PieceCode code, bool darkSquare);

// Rank 8 at the top and file a on the left, or the other way round when flipped.
DiagramRaster DrawDiagram(const PalettedPieces& pieces, const chess::Board& board, bool flipped, int border,
                          const DiagramColours& colours);

std::vector<std::uint8_t> EncodeDiagramBmp(const DiagramRaster& raster);
std::vector<std::uint8_t> EncodeDiagramJpeg(const DiagramRaster& raster, int quality = 90);

// The file is written whole under a temporary name and renamed over path; false when it could not be.
bool WriteDiagramFile(const std::string& path, const std::vector<std::uint8_t>& bytes);

}  // namespace ravelin::reports
