#pragma once

// Which context menu a right click opens in each display mode.

#include <string_view>

namespace ravelin::shell {

// Display modes of the main window.
enum DisplayMode : int {
    kModeNothing = 0,
    kModeText = 1,
    kModeGame = 2,
    kModeVariationEdit = 20,
    kModePositionEdit = 30,
    kModeAddGame = 40,
    kModeTree = 70,
    kModeBackground = 100,
};

// The analysis-menu variants of variation edit while a game is analysed.
enum class AnalysisMenu { kPlain, kX, kR, kRX, kRL, kP, kPosition };

// What the game display, search and analysis report about the view, as far as the context menu
// depends on it. The subsystems that own each condition keep it up to date.
struct ContextMenuState {
    int displayMode = kModeNothing;
    bool displayActualText = false;  // the "Display Actual Text" setting
    int alternateKind = 0;           // 1 in the alternate layout's game display
    int recordedAnalysisKind = 0;    // 1 or 2 when the game carries a recorded analysis
    bool actualTextWindowOpen = false;
    bool inVariationOrNavigation = false;  // V: inside a variation, or the navigation list is active
    bool searchActive = false;             // S: search results or a position search are active
    bool analysing = false;                // variation edit while a game is analysed
    AnalysisMenu analysisMenu = AnalysisMenu::kPlain;
    bool clickOnBoard = false;  // position edit opens its menu only on the board
};

// The name of the context menu, or empty when the mode has none.
std::string_view ContextMenuName(const ContextMenuState& state);

}  // namespace ravelin::shell
