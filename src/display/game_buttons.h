#pragma once

// The navigation buttons of the game display ("Display Game Buttons"): a row in the board's bottom
// margin, right of the move number, so that the lines below the board keep all their room. The core
// decides where each button is and whether it can act; the window draws them and hands clicks back.

#include <array>
#include <optional>
#include <string_view>
#include <vector>

#include "display/game_layout.h"
#include "display/game_view_state.h"

namespace ravelin::display {

// In the order they stand from left to right.
enum class GameButton { kStart, kBackTen, kPrevious, kNext, kForwardTen, kEnd, kFlip };
inline constexpr int kGameButtonCount = 7;

inline constexpr std::array<std::string_view, kGameButtonCount> kGameButtonLabels = {"|<", "<<", "<",   ">",
                                                                                     ">>", ">|", "Flip"};

struct GameButtonPlace {
    GameButton button = GameButton::kStart;
    PixelRect rect;
};

// The rectangles of the buttons for a board size, in window pixels.
std::vector<GameButtonPlace> LayOutGameButtons(const GameLayout& layout);

// The button under a window point, if any.
std::optional<GameButton> GameButtonAt(const GameLayout& layout, int x, int y);

// Whether a button would change anything at a ply: the backward ones need a ply to go back to, the
// forward ones a ply ahead; Flip always acts.
bool GameButtonActs(GameButton button, int currentPly, int totalPlies);

// The buttons as the window draws them.
// everyButtonActs: inside a variation each button steps along it or leads back to the game.
void AddGameButtons(GameViewState& state, const GameLayout& layout, int currentPly, int totalPlies,
                    bool everyButtonActs = false);

}  // namespace ravelin::display
