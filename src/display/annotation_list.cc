#include "display/annotation_list.h"

#include <algorithm>
#include <utility>

namespace ravelin::display {

namespace {

// Room between a line's end and the scroll bar.
constexpr int kScrollBarGap = 2;

}  // namespace

void AnnotationList::Reset(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    first_ = 0;
}

void AnnotationList::Replace(std::vector<std::string> lines) {
    lines_ = std::move(lines);
    first_ = std::clamp(first_, 0, std::max(LineCount() - 1, 0));
}

int AnnotationList::LastFirstLine(int lineCount, int visibleLines) {
    return std::max(lineCount - std::max(visibleLines, 1), 0);
}

void AnnotationList::ScrollTo(int first, int visibleLines) {
    first_ = std::clamp(first, 0, LastFirstLine(LineCount(), visibleLines));
}

AnnotationListPlace PlaceAnnotationList(const GameLayout& layout, int lineCount) {
    AnnotationListPlace place;
    place.visibleLines = std::max(layout.BelowBoardLines(), 0);
    place.area = {layout.squareSize, layout.belowBoardTop, layout.boardImageSize - layout.squareSize,
                  place.visibleLines * layout.lineHeight};
    if (lineCount > place.visibleLines && place.visibleLines > 0) {
        // As wide as a text line is high: a bar that suits each board size's font.
        const int width = layout.lineHeight;
        place.scrollBar = {place.area.x + place.area.width - width, place.area.y, width, place.area.height};
    }
    return place;
}

void AddAnnotationList(GameViewState& state, const GameLayout& layout, const AnnotationList& list,
                       const TextMeasure& measure) {
    const AnnotationListPlace place = PlaceAnnotationList(layout, list.LineCount());
    ScrollListState& shown = state.annotationList;
    shown.area = place.area;
    shown.scrollBar = place.scrollBar;
    shown.lineCount = list.LineCount();
    shown.visibleLines = place.visibleLines;
    // A list scrolled for a taller window still shows a full page in this one.
    shown.firstLine =
        std::min(list.FirstLine(), AnnotationList::LastFirstLine(list.LineCount(), place.visibleLines));
    const int textWidth =
        place.area.width - (place.scrollBar.Empty() ? 0 : place.scrollBar.width + kScrollBarGap);
    const int end = std::min(shown.firstLine + place.visibleLines, list.LineCount());
    for (int line = shown.firstLine; line < end; ++line) {
        TextItem item;
        item.x = place.area.x;
        item.y = place.area.y + (line - shown.firstLine) * layout.lineHeight;
        item.lineHeight = layout.lineHeight;
        item.fontPixels = layout.fontPixels;
        item.text = FitText(list.Lines()[static_cast<std::size_t>(line)], textWidth, item.fontPixels,
                            item.font, measure);
        state.texts.push_back(item);
    }
}

}  // namespace ravelin::display
