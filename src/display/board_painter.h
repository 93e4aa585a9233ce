#pragma once

// Paints the board, its squares and pieces into an RGB image. Every call returns the rectangle it
// changed, so the window repaints only that part of its copy of the image.

#include <vector>

#include "chess/board.h"
#include "display/board_colours.h"
#include "display/board_geometry.h"
#include "display/piece_set.h"
#include "display/rgb_image.h"

namespace ravelin::display {

// The "Highlight Last Move" setting: 0 none, 1 normal, 2 thick.
enum class HighlightKind { kNone = 0, kNormal = 1, kThick = 2 };

struct BoardChanges {
    std::vector<BoardSquare> squares;  // in file-then-rank order
    PixelRect dirty;
};

// The squares whose piece codes differ between two boards.
std::vector<BoardSquare> ChangedSquares(const chess::Board& before, const chess::Board& after);

class BoardPainter {
  public:
    // set may be null (its file could not be loaded): squares are painted, pieces are not.
    BoardPainter(RgbImage& image, const BoardView& view, const BoardColours& colours, const PieceSet* set)
        : image_(image), view_(view), colours_(colours), set_(set) {}

    // The background and the frame in the border colour around the squares.
    PixelRect DrawFrame();
    PixelRect DrawSquare(int file, int rank);
    // Draws over what the square shows; the empty code draws nothing.
    PixelRect DrawPiece(int file, int rank, chess::PieceCode code);
    // A piece whose square's corner is at (x, y), for pieces between squares while sliding.
    PixelRect DrawPieceAt(PixelPoint corner, chess::PieceCode code);
    // A frame in the last-move colour inside the square's interior.
    PixelRect DrawHighlight(int file, int rank, HighlightKind kind);
    // Frame, 64 squares and the pieces of board.
    PixelRect DrawBoard(const chess::Board& board);
    // Repaints the squares whose code differs from the board on screen: each is cleared and gets its
    // new piece. shown is updated to next.
    BoardChanges DrawChanges(chess::Board& shown, const chess::Board& next);

  private:
    RgbImage& image_;
    BoardView view_;
    BoardColours colours_;
    const PieceSet* set_;
};

// The board image a window shows for a board, drawn whole.
RgbImage RenderBoardImage(const chess::Board& board, const BoardView& view, const BoardColours& colours,
                          const PieceSet* set);

}  // namespace ravelin::display
