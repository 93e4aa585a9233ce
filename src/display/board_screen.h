#pragma once

// The board as the window shows it: the image and the position drawn in it. Navigation draws a new
// position by comparing it with the one on screen, so only the squares that change are painted and
// reported for repainting.

#include "chess/board.h"
#include "display/board_painter.h"

namespace ravelin::display {

class BoardScreen {
  public:
    // A new size, side or colour scheme or another set: the next draw paints everything.
    void Configure(const BoardView& view, const BoardColours& colours, const PieceSet* set);

    const RgbImage& Image() const { return image_; }
    RgbImage& MutableImage() { return image_; }  // for a slide in progress
    const chess::Board& Shown() const { return shown_; }
    const BoardView& View() const { return view_; }

    // Paints frame, squares and pieces anew (after a failed animation, a resize, a flip).
    PixelRect DrawWhole(const chess::Board& board);
    // Paints the squares that differ from the board on screen; a whole redraw when nothing valid
    // is on screen yet.
    BoardChanges DrawPosition(const chess::Board& board);
    // Records a square painted by someone else (a finished slide) as showing code.
    void SetShown(int file, int rank, chess::PieceCode code) { shown_[file][rank] = code; }
    BoardPainter Painter() { return BoardPainter(image_, view_, colours_, set_); }

  private:
    BoardView view_;
    BoardColours colours_{};
    const PieceSet* set_ = nullptr;
    RgbImage image_;
    chess::Board shown_{};
    bool valid_ = false;
};

}  // namespace ravelin::display
