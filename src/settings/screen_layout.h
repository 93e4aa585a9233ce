#pragma once

// The screen layouts (board square size and the metrics of the text areas around the board) and the
// main window's rectangle, both decided by "Board Size", the screen width and "Analysis Replay Mode".

#include <array>
#include <cstdint>
#include <optional>
#include <string_view>

#include "settings/settings_record.h"

namespace ravelin::settings {

enum class ScreenLayoutKind { kSmall = 0, kMedium = 1, kLarge = 2, kAlternate = 3 };

// Index of the six layout metrics besides the square size. Only the first is known by meaning;
// the others are the column and margin positions the display code places its texts by.
inline constexpr std::size_t kMetricTextRow = 0;
inline constexpr std::size_t kLayoutMetricCount = 6;

struct ScreenFont {
    std::string_view face;  // empty: no font
    int height = 0;
    int width = 0;  // 0: the face's own width
    bool bold = false;
};

struct ScreenLayout {
    ScreenLayoutKind kind = ScreenLayoutKind::kSmall;
    // In the alternate layout 1 while a game is displayed (mode 2), else 2; 0 outside it.
    int alternateKind = 0;
    int squareSize = 40;
    std::array<int, kLayoutMetricCount> metrics{};

    int TextRow() const { return metrics[kMetricTextRow]; }
    int HalfSquare() const { return squareSize / 2; }
    int Squares(int count) const { return squareSize * count; }  // 2, 5, 6, 8, 9, 10 and 15 are used
};

// The screen layout's metrics as listed per layout; the alternate layout takes the small ones.
ScreenLayout LayoutOfKind(ScreenLayoutKind kind);

// The two fonts of a layout: the main text font and the layout's Arial font.
std::array<ScreenFont, 2> ScreenLayoutFonts(ScreenLayoutKind kind, bool largeFonts);

// 0: the chosen board size fits; 2: a large board shrinks to medium; 1: only the small layout fits.
// boardSize is the "Board Size" value 0-2; any other value counts as Small.
int ChooseLayoutFit(int screenWidth, int boardSize);

ScreenLayout ApplyScreenLayout(const SettingsRecord& record, int fit, int displayMode);

struct WindowRect {
    int x = 0;
    int y = 0;
    int width = 0;
    int height = 0;
    ScreenLayoutKind layout = ScreenLayoutKind::kSmall;  // the layout the rectangle was made for
    // Set when the screen is too narrow for the chosen board size and another layout is taken.
    std::optional<ScreenLayoutKind> forcedLayout;
};

WindowRect ComputeWindowRect(const SettingsRecord& record, int screenWidth, int screenHeight);

}  // namespace ravelin::settings
