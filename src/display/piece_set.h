#pragma once

// A piece set: one bitmap of two rows of six cells (white and black pawn, knight, bishop; then
// rook, queen, king) and, for each of the twelve pieces, the mask of its opaque pixels. A pixel of
// a cell is transparent where it has the colour of the cell's top-left pixel.

#include <array>
#include <cstdint>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chess/board.h"
#include "display/rgb_image.h"
#include "settings/settings_record.h"

namespace ravelin::display {

inline constexpr int kPieceStyleCount = 8;
inline constexpr int kPieceKindCount = 6;
inline constexpr int kPieceSetColumns = 6;
inline constexpr int kPieceSetRows = 2;
inline constexpr int kNormalSquareSize = 40;
inline constexpr int kMediumSquareSize = 60;
inline constexpr int kLargeSquareSize = 80;

// The square size of a board size; out-of-range values count as the normal board.
int SquareSizeOf(settings::BoardSizeOption size);

// The style names of "Piece Style", 0-7.
const std::array<std::string_view, kPieceStyleCount>& PieceStyleNames();

// The bitmap file of a style (0-7, others count as the default style) at a board size.
std::string_view PieceSetFileName(int style, settings::BoardSizeOption size);

// Every piece-set file name, 8 styles times 3 sizes.
std::vector<std::string_view> AllPieceSetFileNames();

struct CellOrigin {
    int x = 0;
    int y = 0;
    friend bool operator==(const CellOrigin&, const CellOrigin&) = default;
};

// The top-left pixel of a piece's cell; code must be a piece (1-6, 11-16).
CellOrigin PieceCellOrigin(chess::PieceCode code, int squareSize);

class PieceSet {
  public:
    PieceSet(RgbImage bitmap, int squareSize);

    int SquareSize() const { return squareSize_; }
    const RgbImage& Bitmap() const { return bitmap_; }
    // Whether the pixel (x, y) of the piece's cell is drawn. Pixels beyond a bitmap smaller than
    // the cell layout count as transparent, so a short file draws less instead of reading past it.
    bool Opaque(chess::PieceCode code, int x, int y) const;
    RgbColour CellPixel(chess::PieceCode code, int x, int y) const;

  private:
    static int MaskIndex(chess::PieceCode code);

    RgbImage bitmap_;
    int squareSize_;
    std::array<std::vector<std::uint8_t>, kPieceKindCount * 2> masks_;
};

struct PieceSetLoad {
    std::optional<PieceSet> set;
    std::string_view error;  // one of the BMP reader's messages when set is empty
};

PieceSetLoad LoadPieceSet(const std::string& workingDirectory, int style, settings::BoardSizeOption size);

// Holds the set in use and loads another only when the style, size or folder changes. A failed load
// is remembered, not retried on every paint, and its message is handed out once for the caller to
// show outside painting.
class PieceSetCache {
  public:
    // The set for these settings, or null when its file could not be loaded.
    const PieceSet* Get(const std::string& workingDirectory, int style, settings::BoardSizeOption size);
    // The message of a failed load not yet reported; empty when there is none.
    std::string TakeFailureMessage();
    void Release();

  private:
    struct Key {
        std::string directory;
        int style = -1;
        int size = -1;
        friend bool operator==(const Key&, const Key&) = default;
    };
    Key key_;
    std::optional<PieceSet> set_;
    std::string pendingMessage_;
};

}  // namespace ravelin::display
