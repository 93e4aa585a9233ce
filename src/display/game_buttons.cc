#include "display/game_buttons.h"

#include "display/board_geometry.h"

namespace ravelin::display {

namespace {

// The row starts this many squares from the image's left edge: the move number before it needs
// the room of "100. ... exd8=Q+" in the margin's bold font.
constexpr int kRowStartSquares = 4;
constexpr int kButtonGap = 2;
// Room above and below the label inside a button.
constexpr int kButtonPadding = 6;

}  // namespace

std::vector<GameButtonPlace> LayOutGameButtons(const GameLayout& layout) {
    const int left = kRowStartSquares * layout.squareSize;
    const int right = kBoardExtentSquares * layout.squareSize;
    const int width = (right - left - (kGameButtonCount - 1) * kButtonGap) / kGameButtonCount;
    const int height = layout.lineHeight + kButtonPadding;
    // Centred in the bottom margin, level with the move number.
    const int top = kBoardExtentSquares * layout.squareSize + (layout.squareSize - height) / 2;
    std::vector<GameButtonPlace> places;
    for (int k = 0; k < kGameButtonCount; ++k) {
        GameButtonPlace place;
        place.button = static_cast<GameButton>(k);
        place.rect = {left + k * (width + kButtonGap), top, width, height};
        places.push_back(place);
    }
    // The last button takes what the division left over, so the row ends with the board.
    places.back().rect.width = right - places.back().rect.x;
    return places;
}

std::optional<GameButton> GameButtonAt(const GameLayout& layout, int x, int y) {
    for (const GameButtonPlace& place : LayOutGameButtons(layout)) {
        if (place.rect.Contains(x, y)) {
            return place.button;
        }
    }
    return std::nullopt;
}

bool GameButtonActs(GameButton button, int currentPly, int totalPlies) {
    switch (button) {
        case GameButton::kStart:
        case GameButton::kBackTen:
        case GameButton::kPrevious:
            return currentPly > 0;
        case GameButton::kNext:
        case GameButton::kForwardTen:
        case GameButton::kEnd:
            return currentPly < totalPlies;
        case GameButton::kFlip:
            return true;
    }
    return false;
}

void AddGameButtons(GameViewState& state, const GameLayout& layout, int currentPly, int totalPlies,
                    bool everyButtonActs) {
    for (const GameButtonPlace& place : LayOutGameButtons(layout)) {
        ButtonItem item;
        item.rect = place.rect;
        item.label = std::string(kGameButtonLabels[static_cast<std::size_t>(place.button)]);
        item.fontPixels = layout.fontPixels;
        item.enabled = everyButtonActs || GameButtonActs(place.button, currentPly, totalPlies);
        state.buttons.push_back(item);
    }
}

}  // namespace ravelin::display
