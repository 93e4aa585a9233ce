#pragma once

// Where the squares of the board lie in the board image. The board area keeps one square of margin
// to the left and above; square (file, rank) has its corner at (file x S, (9 - rank) x S), and a
// flipped board mirrors both coordinates about the extent 9 x S, so that a1 moves to the top right.

#include <optional>

#include "display/rgb_image.h"

namespace ravelin::display {

inline constexpr int kBoardExtentSquares = 9;
// The board image: the margin square, eight squares, and a margin square on the far sides for the
// frame.
inline constexpr int kBoardImageSquares = 10;

struct BoardView {
    int squareSize = 40;
    bool flipped = false;
    int originX = 0;  // where the board area starts in the image the board is drawn into
    int originY = 0;
};

struct BoardSquare {
    int file = 0;
    int rank = 0;
    friend bool operator==(const BoardSquare&, const BoardSquare&) = default;
};

struct PixelPoint {
    int x = 0;
    int y = 0;
    friend bool operator==(const PixelPoint&, const PixelPoint&) = default;
};

// The top-left corner of a square: the pixel of its top-left border line.
PixelPoint SquareCorner(const BoardView& view, int file, int rank);
// The whole square, S by S, starting at its corner.
PixelRect SquareRect(const BoardView& view, int file, int rank);
// The part painted in the square's colour, leaving the one-pixel border lines.
PixelRect SquareInterior(const BoardView& view, int file, int rank);
// The 64 squares with their closing border lines on the right and at the bottom.
PixelRect BoardSquaresRect(const BoardView& view);
// The size of an image that holds the whole board with its frame (origin 0).
int BoardImageSize(int squareSize);

// The square under an image pixel, for clicks; nothing off the squares.
std::optional<BoardSquare> SquareAtPixel(const BoardView& view, int x, int y);

}  // namespace ravelin::display
