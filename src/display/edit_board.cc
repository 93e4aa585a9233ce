#include "display/edit_board.h"

namespace ravelin::display {

void EditBoard::Configure(const GameDisplayOptions& options, bool flipped) {
    options_ = options;
    layout_ = GameLayoutFor(options.squareSize);
    const PieceSet* set = pieceSets_.Get(options.workingDirectory, options.pieceStyle, options.boardSize);
    BoardView view;
    view.squareSize = options.squareSize;
    view.flipped = flipped;
    screen_.Configure(view, options.colours, set);
    marked_.reset();
    configured_ = true;
}

void EditBoard::Draw(const chess::Board& board, std::optional<BoardSquare> marked) {
    if (!configured_) {
        Configure(options_, false);
    }
    BoardPainter painter = screen_.Painter();
    // The old mark goes first so that the square is repainted plain when its piece stays.
    if (marked_) {
        painter.DrawSquare(marked_->file, marked_->rank);
        painter.DrawPiece(marked_->file, marked_->rank, screen_.Shown()[marked_->file][marked_->rank]);
    }
    screen_.DrawPosition(board);
    marked_ = marked;
    if (marked_) {
        painter.DrawSquare(marked_->file, marked_->rank);
        painter.DrawHighlight(marked_->file, marked_->rank, HighlightKind::kThick);
        painter.DrawPiece(marked_->file, marked_->rank, board[marked_->file][marked_->rank]);
    }
}

std::optional<BoardSquare> EditBoard::SquareAt(int x, int y) const {
    return SquareAtPixel(screen_.View(), x, y);
}

}  // namespace ravelin::display
