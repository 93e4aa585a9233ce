#include "display/game_layout.h"

#include "display/board_geometry.h"
#include "display/piece_set.h"

namespace ravelin::display {

namespace {

// Per board size: the font and line of the texts, the panel's width and the client area's height
// of the window the screen layout gives that size.
struct SizeMetrics {
    int squareSize;
    int fontPixels;
    int lineHeight;
    int panelWidth;
    int clientHeight;
    int textFontPixels;
    int textLineHeight;
};

constexpr SizeMetrics kSizes[] = {
    {kNormalSquareSize, 11, 16, 230, 452, 10, 16},
    {kMediumSquareSize, 14, 20, 350, 684, 13, 20},
    {kLargeSquareSize, 16, 24, 425, 930, 15, 24},
};

constexpr int kPanelGap = 4;
constexpr int kPanelTop = 4;
constexpr int kBelowBoardGap = 2;
// The black column starts this share (in percent) into its pair.
constexpr int kBlackColumnPercent = 57;

}  // namespace

GameLayout GameLayoutFor(int squareSize) {
    SizeMetrics metrics = kSizes[0];
    for (const SizeMetrics& candidate : kSizes) {
        if (candidate.squareSize == squareSize) {
            metrics = candidate;
        }
    }
    GameLayout layout;
    layout.squareSize = metrics.squareSize;
    layout.boardImageSize = BoardImageSize(metrics.squareSize);
    layout.fontPixels = metrics.fontPixels;
    layout.lineHeight = metrics.lineHeight;
    layout.panelX = layout.boardImageSize + kPanelGap;
    layout.panelWidth = metrics.panelWidth;
    layout.belowBoardTop = layout.boardImageSize + kBelowBoardGap;
    layout.clientHeight = metrics.clientHeight;
    layout.textFontPixels = metrics.textFontPixels;
    layout.textLineHeight = metrics.textLineHeight;
    layout.moveList.top = kPanelTop;
    layout.moveList.lineHeight = metrics.lineHeight;
    const int pairWidth = metrics.panelWidth / 2;
    layout.moveList.pairLeft[0] = layout.panelX;
    layout.moveList.pairLeft[1] = layout.panelX + pairWidth;
    layout.moveList.blackColumnOffset = pairWidth * kBlackColumnPercent / 100;
    return layout;
}

}  // namespace ravelin::display
