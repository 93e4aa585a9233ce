#include "display/column_scroll.h"

#include <algorithm>

namespace ravelin::display {

int ColumnVisibleLines(int clientHeight) {
    return std::max(0, (clientHeight - kColumnFirstLineTop) / kColumnTextLineHeight);
}

int LinesToBringIntoView(int top, int bottom, int clientHeight) {
    if (bottom > clientHeight) {
        // Whole lines, so that a line ends at or above the bottom edge.
        return (bottom - clientHeight + kColumnTextLineHeight - 1) / kColumnTextLineHeight;
    }
    if (top < kColumnFirstLineTop) {
        return -((kColumnFirstLineTop - top + kColumnTextLineHeight - 1) / kColumnTextLineHeight);
    }
    return 0;
}

void ColumnScroll::SetExtent(int lineCount, int visibleLines) {
    visible_ = std::max(0, visibleLines);
    range_ = std::max(0, lineCount - visible_);
    ScrollTo(lines_);
}

void ColumnScroll::ScrollTo(int lines) {
    lines_ = std::clamp(lines, 0, range_);
}

bool ColumnScroll::CurrentMoveChanged(const ColumnCurrentMove& current) {
    const bool changed = !following_ || !(followed_ == current);
    following_ = true;
    followed_ = current;
    return changed;
}

}  // namespace ravelin::display
