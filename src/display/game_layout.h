#pragma once

// Where the game display puts things in the window, for each board size: the board image at the
// top left, the heading and move list in the panel to its right, the file and game lines in the
// board's top margin, the move number in its bottom margin, and the opening line and annotations
// below the board.

#include "display/move_list_layout.h"

namespace ravelin::display {

struct GameLayout {
    int squareSize = 40;
    int boardImageSize = 400;
    int fontPixels = 11;
    int lineHeight = 16;
    // The panel right of the board.
    int panelX = 404;
    int panelWidth = 230;
    // Below the board: lines from here down to the client area's bottom.
    int belowBoardTop = 402;
    int clientHeight = 450;
    // The text mode's monospaced rows.
    int textFontPixels = 10;
    int textLineHeight = 16;
    int textLeft = 10;
    MoveListGeometry moveList;

    int BelowBoardLines() const { return (clientHeight - belowBoardTop) / lineHeight; }
    // The x of a move-list column.
    int MoveColumnX(int columnPair, bool black) const {
        return moveList.pairLeft[columnPair] + (black ? moveList.blackColumnOffset : 0);
    }
    int MoveRowY(int pageRow) const { return moveList.top + (pageRow - 1) * lineHeight; }
};

GameLayout GameLayoutFor(int squareSize);

}  // namespace ravelin::display
