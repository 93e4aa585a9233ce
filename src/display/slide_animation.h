#pragma once

// A piece sliding from one square to another during move animation. The caller prepares the
// background (the board as it looks without the sliding piece) and then calls Step until Done,
// repainting the returned rectangle after each step; the timer between steps is the caller's.

#include <vector>

#include "chess/board.h"
#include "display/board_geometry.h"
#include "display/board_painter.h"

namespace ravelin::display {

// Pixels the piece moves per step on the normal board; larger boards scale it.
inline constexpr int kSlideStepPixelsNormal = 4;

// The corners the piece passes through, ending exactly at to; never empty.
std::vector<PixelPoint> SlidePath(PixelPoint from, PixelPoint to, int stepPixels);

class SlideAnimation {
  public:
    SlideAnimation(const RgbImage& background, chess::PieceCode code, const BoardView& view, BoardSquare from,
                   BoardSquare to);

    bool Done() const { return next_ >= path_.size(); }
    std::size_t StepCount() const { return path_.size(); }
    // Restores the background where the piece was and draws it at its next place. Returns the
    // rectangle to repaint (empty once done).
    PixelRect Step(RgbImage& screen, const BoardColours& colours, const PieceSet* set);

  private:
    const RgbImage& background_;
    chess::PieceCode code_;
    BoardView view_;
    std::vector<PixelPoint> path_;
    std::size_t next_ = 0;
    PixelRect previous_;
};

}  // namespace ravelin::display
