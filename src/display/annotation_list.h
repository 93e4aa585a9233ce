#pragma once

// The annotation window below the board: the opening name line, when there is one, and the display
// lines of the current ply's comments, NAGs and variations. It holds every line and the first one
// shown; when more lines than fit are held it scrolls, by its scroll bar or by the wheel. A new ply
// shows its lines from the top.

#include <string>
#include <string_view>
#include <vector>

#include "display/game_layout.h"
#include "display/game_view_state.h"

namespace ravelin::display {

class AnnotationList {
  public:
    // The lines of a new ply, shown from the first.
    void Reset(std::vector<std::string> lines);
    // The same ply's lines drawn again (the board flipped or redrawn): the position is kept as far
    // as the lines still reach.
    void Replace(std::vector<std::string> lines);

    const std::vector<std::string>& Lines() const { return lines_; }
    int LineCount() const { return static_cast<int>(lines_.size()); }
    int FirstLine() const { return first_; }

    // Makes first the top line, kept between 0 and the first line of the last full page, so that a
    // scrolled list never shows empty rows while it has lines above.
    void ScrollTo(int first, int visibleLines);
    void ScrollBy(int lines, int visibleLines) { ScrollTo(first_ + lines, visibleLines); }

    // The highest first line for visibleLines rows (0 while every line fits).
    static int LastFirstLine(int lineCount, int visibleLines);

  private:
    std::vector<std::string> lines_;
    int first_ = 0;
};

// Where the list stands: below the board image in as many whole rows as the window has below it.
// It runs on under the panel right of the board when that panel's texts end above it (the move
// list), else it is as wide as the board. While not every line fits a scroll bar stands at the
// board's right edge, and the lines stay left of it.
struct AnnotationListPlace {
    PixelRect area;
    PixelRect scrollBar;  // empty while every line fits
    int visibleLines = 0;
};

AnnotationListPlace PlaceAnnotationList(const GameLayout& layout, int lineCount, bool underPanel);

// The pixels a line of the list may take, left of the scroll bar when there is one.
int AnnotationTextWidth(const AnnotationListPlace& place);

// Cuts a text into lines no wider than maxWidth pixels: at the last blank that fits, or inside a
// word longer than a line. Text that fits stays one line.
std::vector<std::string> WrapToWidth(std::string_view text, int maxWidth, int fontPixels,
                                     const TextMeasure& measure);

// The lines in view as texts and the list's place and scroll state for the window.
void AddAnnotationList(GameViewState& state, const GameLayout& layout, const AnnotationList& list,
                       bool underPanel, const TextMeasure& measure);

}  // namespace ravelin::display
