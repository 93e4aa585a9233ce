#include "display/board_screen.h"

namespace ravelin::display {

void BoardScreen::Configure(const BoardView& view, const BoardColours& colours, const PieceSet* set) {
    view_ = view;
    view_.originX = 0;
    view_.originY = 0;
    colours_ = colours;
    set_ = set;
    int size = BoardImageSize(view.squareSize);
    if (image_.width != size || image_.height != size) {
        image_ = RgbImage(size, size, colours.background);
    }
    valid_ = false;
}

PixelRect BoardScreen::DrawWhole(const chess::Board& board) {
    shown_ = board;
    valid_ = true;
    return Painter().DrawBoard(board);
}

BoardChanges BoardScreen::DrawPosition(const chess::Board& board) {
    if (!valid_) {
        chess::Board before = shown_;
        BoardChanges changes;
        changes.dirty = DrawWhole(board);
        changes.squares = ChangedSquares(before, board);
        return changes;
    }
    return Painter().DrawChanges(shown_, board);
}

}  // namespace ravelin::display
