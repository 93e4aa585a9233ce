#include "display/last_move.h"

#include <vector>

#include "display/board_painter.h"

namespace ravelin::display {

std::optional<LastMoveSquares> FindLastMove(const chess::Board& before, const chess::Board& after) {
    std::vector<BoardSquare> filled;
    std::vector<BoardSquare> emptied;
    for (const BoardSquare& square : ChangedSquares(before, after)) {
        if (after[square.file][square.rank] != chess::kEmpty) {
            filled.push_back(square);
        } else if (before[square.file][square.rank] != chess::kEmpty) {
            emptied.push_back(square);
        }
    }
    if (filled.empty() || emptied.empty()) {
        return std::nullopt;
    }
    // A castling fills two squares: the king's move is the one shown.
    BoardSquare to = filled.front();
    for (const BoardSquare& square : filled) {
        if (chess::KindOf(after[square.file][square.rank]) == chess::kKing) {
            to = square;
        }
    }
    const chess::PieceCode moved = after[to.file][to.rank];
    // The square that held the same piece; a promotion changes the piece, an en passant capture
    // empties the captured pawn's square too, so the mover's colour decides between them.
    const BoardSquare* from = nullptr;
    for (const BoardSquare& square : emptied) {
        const chess::PieceCode code = before[square.file][square.rank];
        if (code == moved) {
            from = &square;
            break;
        }
        if (from == nullptr && chess::IsWhitePiece(code) == chess::IsWhitePiece(moved)) {
            from = &square;
        }
    }
    if (from == nullptr) {
        return std::nullopt;
    }
    return LastMoveSquares{*from, to};
}

}  // namespace ravelin::display
