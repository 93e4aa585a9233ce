#pragma once

// The column text's vertical scroll position, kept in whole 16-pixel lines. The user's scroll
// stands until a step moves the current move out of view; then the text follows it.

#include "display/column_format.h"

namespace ravelin::display {

// The lines of the column text in view in a client area of this height.
int ColumnVisibleLines(int clientHeight);

// Lines to scroll (negative: up) so that a move drawn from top to bottom (pixels in the window as
// laid out now) lies wholly between the first line's top and the client area's bottom; 0 when it does.
int LinesToBringIntoView(int top, int bottom, int clientHeight);

// The move whose colour marks it as current: a main-line ply, or a variation move.
struct ColumnCurrentMove {
    int ply = 0;
    int variation = 0;
    int index = 0;
    bool operator==(const ColumnCurrentMove&) const = default;
};

class ColumnScroll {
  public:
    int Lines() const { return lines_; }
    int Pixels() const { return lines_ * kColumnTextLineHeight; }
    int Range() const { return range_; }
    // The bar's state without its place: shown when the text is taller than the window.
    TextScrollBar Bar() const {
        TextScrollBar bar;
        bar.shown = range_ > 0;
        bar.range = range_;
        bar.value = lines_;
        bar.page = visible_;
        return bar;
    }

    // The text's height and the window's, in lines: the position is kept within the new range.
    void SetExtent(int lineCount, int visibleLines);
    void ScrollTo(int lines);
    void ScrollBy(int lines) { ScrollTo(lines_ + lines); }
    // True once for each new current move: only then does the text follow it.
    bool CurrentMoveChanged(const ColumnCurrentMove& current);
    // A new game: the top of its text, nothing followed yet.
    void Reset() { *this = ColumnScroll(); }

  private:
    int lines_ = 0;
    int range_ = 0;
    int visible_ = 0;
    bool following_ = false;
    ColumnCurrentMove followed_;
};

}  // namespace ravelin::display
