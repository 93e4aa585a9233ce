#include "display/annotation_list.h"

#include <algorithm>
#include <utility>

namespace ravelin::display {

namespace {

// Room between a line's end and the scroll bar.
constexpr int kScrollBarGap = 2;

// The bytes of the first UTF-8 character of a text that is not empty.
std::size_t FirstCharacterLength(std::string_view text) {
    std::size_t length = 1;
    while (length < text.size() && (static_cast<unsigned char>(text[length]) & 0xC0) == 0x80) {
        ++length;
    }
    return length;
}

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

AnnotationListPlace PlaceAnnotationList(const GameLayout& layout, int lineCount, bool underPanel) {
    AnnotationListPlace place;
    place.visibleLines = std::max(layout.BelowBoardLines(), 0);
    const int right = underPanel ? layout.panelX + layout.panelWidth : layout.boardImageSize;
    place.area = {layout.squareSize, layout.belowBoardTop, right - layout.squareSize,
                  place.visibleLines * layout.lineHeight};
    if (lineCount > place.visibleLines && place.visibleLines > 0) {
        // As wide as a text line is high: a bar that suits each board size's font.
        const int width = layout.lineHeight;
        place.scrollBar = {layout.boardImageSize - width, place.area.y, width, place.area.height};
    }
    return place;
}

int AnnotationTextWidth(const AnnotationListPlace& place) {
    return place.scrollBar.Empty() ? place.area.width : place.scrollBar.x - kScrollBarGap - place.area.x;
}

std::vector<std::string> WrapToWidth(std::string_view text, int maxWidth, int fontPixels,
                                     const TextMeasure& measure) {
    std::vector<std::string> lines;
    while (!text.empty()) {
        std::string fitted = FitText(text, maxWidth, fontPixels, TextFont::kSans, measure);
        if (fitted.size() < text.size()) {
            const std::size_t blank = fitted.rfind(' ');
            if (blank != std::string::npos && blank > 0) {
                fitted.resize(blank);
            } else if (fitted.empty()) {
                // Not even one character fits: it takes a line of its own all the same.
                fitted = std::string(text.substr(0, FirstCharacterLength(text)));
            }
        }
        lines.push_back(fitted);
        text.remove_prefix(fitted.size());
        while (!text.empty() && text.front() == ' ') {
            text.remove_prefix(1);
        }
    }
    return lines;
}

void AddAnnotationList(GameViewState& state, const GameLayout& layout, const AnnotationList& list,
                       bool underPanel, const TextMeasure& measure) {
    const AnnotationListPlace place = PlaceAnnotationList(layout, list.LineCount(), underPanel);
    ScrollListState& shown = state.annotationList;
    shown.area = place.area;
    shown.scrollBar = place.scrollBar;
    shown.lineCount = list.LineCount();
    shown.visibleLines = place.visibleLines;
    // A list scrolled for a taller window still shows a full page in this one.
    shown.firstLine =
        std::min(list.FirstLine(), AnnotationList::LastFirstLine(list.LineCount(), place.visibleLines));
    const int textWidth = AnnotationTextWidth(place);
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
