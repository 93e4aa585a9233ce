#include "display/board_geometry.h"

#include "chess/board.h"

namespace ravelin::display {

PixelPoint SquareCorner(const BoardView& view, int file, int rank) {
    int s = view.squareSize;
    int x = file * s;
    int y = (kBoardExtentSquares - rank) * s;
    if (view.flipped) {
        int extent = kBoardExtentSquares * s;
        x = extent - x;
        y = extent - y;
    }
    return {view.originX + x, view.originY + y};
}

PixelRect SquareRect(const BoardView& view, int file, int rank) {
    PixelPoint corner = SquareCorner(view, file, rank);
    return {corner.x, corner.y, view.squareSize, view.squareSize};
}

PixelRect SquareInterior(const BoardView& view, int file, int rank) {
    PixelPoint corner = SquareCorner(view, file, rank);
    return {corner.x + 1, corner.y + 1, view.squareSize - 1, view.squareSize - 1};
}

PixelRect BoardSquaresRect(const BoardView& view) {
    int s = view.squareSize;
    return {view.originX + s, view.originY + s, chess::kLastLine * s + 1, chess::kLastLine * s + 1};
}

int BoardImageSize(int squareSize) {
    return kBoardImageSquares * squareSize;
}

std::optional<BoardSquare> SquareAtPixel(const BoardView& view, int x, int y) {
    int s = view.squareSize;
    if (s <= 0) {
        return std::nullopt;
    }
    PixelRect squares = BoardSquaresRect(view);
    if (x < squares.x || y < squares.y || x >= squares.x + chess::kLastLine * s ||
        y >= squares.y + chess::kLastLine * s) {
        return std::nullopt;
    }
    int column = (x - view.originX) / s;  // 1..8 from the left
    int row = (y - view.originY) / s;     // 1..8 from the top
    if (view.flipped) {
        return BoardSquare{kBoardExtentSquares - column, row};
    }
    return BoardSquare{column, kBoardExtentSquares - row};
}

}  // namespace ravelin::display
