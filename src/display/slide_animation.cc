#include "display/slide_animation.h"

#include <algorithm>
#include <cstdlib>

namespace ravelin::display {

std::vector<PixelPoint> SlidePath(PixelPoint from, PixelPoint to, int stepPixels) {
    int dx = to.x - from.x;
    int dy = to.y - from.y;
    int distance = std::max(std::abs(dx), std::abs(dy));
    int steps = std::max(1, (distance + std::max(stepPixels, 1) - 1) / std::max(stepPixels, 1));
    std::vector<PixelPoint> path;
    path.reserve(static_cast<std::size_t>(steps));
    for (int i = 1; i <= steps; ++i) {
        path.push_back({from.x + dx * i / steps, from.y + dy * i / steps});
    }
    return path;
}

SlideAnimation::SlideAnimation(const RgbImage& background, chess::PieceCode code, const BoardView& view,
                               BoardSquare from, BoardSquare to)
    : background_(background), code_(code), view_(view) {
    int stepPixels = std::max(1, kSlideStepPixelsNormal * view.squareSize / kNormalSquareSize);
    path_ =
        SlidePath(SquareCorner(view, from.file, from.rank), SquareCorner(view, to.file, to.rank), stepPixels);
    // The first step also clears the piece from its square on screen.
    previous_ = SquareRect(view, from.file, from.rank);
}

PixelRect SlideAnimation::Step(RgbImage& screen, const BoardColours& colours, const PieceSet* set) {
    if (Done()) {
        return {};
    }
    screen.CopyRectFrom(background_, previous_);
    BoardPainter painter(screen, view_, colours, set);
    PixelRect drawn = painter.DrawPieceAt(path_[next_], code_);
    if (drawn.Empty()) {
        drawn = {path_[next_].x, path_[next_].y, view_.squareSize, view_.squareSize};
    }
    PixelRect dirty = UniteRects(previous_, drawn);
    previous_ = drawn;
    ++next_;
    return dirty;
}

}  // namespace ravelin::display
