#include "display/board_painter.h"

#include <algorithm>

namespace ravelin::display {

namespace {

// The outer two pixels of a cell are never drawn, so neighbouring cells cannot bleed in.
constexpr int kCellEdge = 2;
// Frame and highlight widths at the normal board, scaled with the square size.
constexpr int kFrameWidthNormal = 4;
constexpr int kHighlightWidthNormal = 2;
constexpr int kThickHighlightWidthNormal = 4;

int Scaled(int pixelsAtNormal, int squareSize) {
    return std::max(1, pixelsAtNormal * squareSize / kNormalSquareSize);
}

}  // namespace

std::vector<BoardSquare> ChangedSquares(const chess::Board& before, const chess::Board& after) {
    std::vector<BoardSquare> squares;
    for (int file = chess::kFirstLine; file <= chess::kLastLine; ++file) {
        for (int rank = chess::kFirstLine; rank <= chess::kLastLine; ++rank) {
            if (before[file][rank] != after[file][rank]) {
                squares.push_back({file, rank});
            }
        }
    }
    return squares;
}

PixelRect BoardPainter::DrawFrame() {
    PixelRect squares = BoardSquaresRect(view_);
    int frame = Scaled(kFrameWidthNormal, view_.squareSize);
    PixelRect all{view_.originX, view_.originY, BoardImageSize(view_.squareSize),
                  BoardImageSize(view_.squareSize)};
    image_.FillRect(all, colours_.background);
    PixelRect framed{squares.x - frame, squares.y - frame, squares.width + 2 * frame,
                     squares.height + 2 * frame};
    image_.FillRect(framed, colours_.border);
    return all;
}

PixelRect BoardPainter::DrawSquare(int file, int rank) {
    RgbColour colour = chess::SquareColour(file, rank) == 2 ? colours_.dark : colours_.light;
    image_.FillRect(SquareInterior(view_, file, rank), colour);
    return SquareRect(view_, file, rank);
}

PixelRect BoardPainter::DrawPiece(int file, int rank, chess::PieceCode code) {
    return DrawPieceAt(SquareCorner(view_, file, rank), code);
}

PixelRect BoardPainter::DrawPieceAt(PixelPoint corner, chess::PieceCode code) {
    if (set_ == nullptr || code == chess::kEmpty) {
        return {};
    }
    int s = std::min(view_.squareSize, set_->SquareSize());
    for (int y = kCellEdge; y <= s - kCellEdge - 1; ++y) {
        for (int x = kCellEdge; x <= s - kCellEdge - 1; ++x) {
            if (set_->Opaque(code, x, y)) {
                image_.SetPixel(corner.x + x, corner.y + y, set_->CellPixel(code, x, y));
            }
        }
    }
    return {corner.x, corner.y, view_.squareSize, view_.squareSize};
}

PixelRect BoardPainter::DrawHighlight(int file, int rank, HighlightKind kind) {
    if (kind == HighlightKind::kNone) {
        return {};
    }
    int width = Scaled(kind == HighlightKind::kThick ? kThickHighlightWidthNormal : kHighlightWidthNormal,
                       view_.squareSize);
    PixelRect inner = SquareInterior(view_, file, rank);
    image_.FillRect({inner.x, inner.y, inner.width, width}, colours_.lastMove);
    image_.FillRect({inner.x, inner.y + inner.height - width, inner.width, width}, colours_.lastMove);
    image_.FillRect({inner.x, inner.y, width, inner.height}, colours_.lastMove);
    image_.FillRect({inner.x + inner.width - width, inner.y, width, inner.height}, colours_.lastMove);
    return SquareRect(view_, file, rank);
}

PixelRect BoardPainter::DrawBoard(const chess::Board& board) {
    PixelRect dirty = DrawFrame();
    for (int file = chess::kFirstLine; file <= chess::kLastLine; ++file) {
        for (int rank = chess::kFirstLine; rank <= chess::kLastLine; ++rank) {
            DrawSquare(file, rank);
            DrawPiece(file, rank, board[file][rank]);
        }
    }
    return dirty;
}

BoardChanges BoardPainter::DrawChanges(chess::Board& shown, const chess::Board& next) {
    BoardChanges changes;
    changes.squares = ChangedSquares(shown, next);
    for (const BoardSquare& square : changes.squares) {
        changes.dirty = UniteRects(changes.dirty, DrawSquare(square.file, square.rank));
        DrawPiece(square.file, square.rank, next[square.file][square.rank]);
        shown[square.file][square.rank] = next[square.file][square.rank];
    }
    return changes;
}

RgbImage RenderBoardImage(const chess::Board& board, const BoardView& view, const BoardColours& colours,
                          const PieceSet* set) {
    BoardView atOrigin = view;
    atOrigin.originX = 0;
    atOrigin.originY = 0;
    RgbImage image(BoardImageSize(view.squareSize), BoardImageSize(view.squareSize), colours.background);
    BoardPainter(image, atOrigin, colours, set).DrawBoard(board);
    return image;
}

}  // namespace ravelin::display
