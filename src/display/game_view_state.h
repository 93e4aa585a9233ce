#pragma once

// Everything the window shows of a game, decided by the core: the window paints the board image
// and the text items exactly as given and nothing else.

#include <functional>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/rgb_image.h"

namespace ravelin::display {

enum class TextFont { kSans, kMono };

struct TextItem {
    int x = 0;
    int y = 0;  // top of the text line
    int lineHeight = 16;
    int fontPixels = 11;
    TextFont font = TextFont::kSans;
    std::string text;
    RgbColour colour{};
    bool bold = false;
    // A move's piece figurine (a chess piece kind, 0 for none), drawn at x and vertically centred
    // in the line by AND with what is below it; the text then starts textOffset pixels right of x.
    int figurineKind = 0;
    const RgbImage* figurine = nullptr;
    int textOffset = 0;
    // A box behind the text, the line's height and boxWidth wide (0: as wide as the text).
    std::optional<RgbColour> box;
    int boxWidth = 0;
};

// A framed area the texts stand on (the column text).
struct TextPanel {
    PixelRect rect;
    RgbColour background{255, 255, 255};
    RgbColour frame{0, 0, 0};
};

// A vertical scroll bar beside a text, in lines of the text: the window shows it at x, y with the
// height given and reports the value the user moves it to.
struct TextScrollBar {
    bool shown = false;
    int x = 0;
    int y = 0;
    int height = 0;
    int range = 0;  // the largest value
    int value = 0;
    int page = 0;  // lines in view
};

// A push button the window draws; a click on it reaches the core as any click does.
struct ButtonItem {
    PixelRect rect;
    std::string label;
    int fontPixels = 11;
    bool enabled = true;
};

// A list of lines that scrolls: its lines in view are among the texts. While not every line fits,
// the window puts a vertical scroll bar on scrollBar with the range 0 to lineCount - visibleLines
// and the value firstLine, and reports its moves back to the core.
struct ScrollListState {
    PixelRect area;
    PixelRect scrollBar;  // empty: no scroll bar
    int lineCount = 0;
    int visibleLines = 0;
    int firstLine = 0;
};

// What kind of view is on the screen.
enum class GameViewKind { kNothing, kGame, kText };

struct GameViewState {
    GameViewKind kind = GameViewKind::kNothing;
    RgbColour background{255, 255, 255};
    bool boardShown = false;
    int boardX = 0;
    int boardY = 0;
    // The part of the board image changed since the window last painted it.
    PixelRect boardDirty;
    // The image to paint when it is not the game display's own board (the criteria editors).
    const RgbImage* boardImage = nullptr;
    // Painted before the texts, over the background.
    std::optional<TextPanel> textPanel;
    std::vector<TextItem> texts;
    TextScrollBar scrollBar;
    std::vector<ButtonItem> buttons;
    // The annotation window below the board of the game display.
    ScrollListState annotationList;
};

// The width of a text in pixels in one of the two fonts at a pixel size.
using TextMeasure = std::function<int(std::string_view text, int fontPixels, TextFont font)>;

// An estimate for tests and for the time before the window measures: DejaVu fonts average a little
// over 0.6 of their pixel size per character.
int EstimatedTextWidth(std::string_view text, int fontPixels, TextFont font);

// The longest start of text (whole UTF-8 characters) that fits maxWidth.
std::string FitText(std::string_view text, int maxWidth, int fontPixels, TextFont font,
                    const TextMeasure& measure);

}  // namespace ravelin::display
