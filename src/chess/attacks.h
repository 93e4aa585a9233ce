#pragma once

#include "chess/board.h"
#include "chess/piece_table.h"

namespace ravelin::chess {

// True when a piece of the attacking side attacks the square (the square's own content is ignored).
bool IsSquareAttacked(const Board& board, int file, int rank, Side attacker);

// Every square a move changes, so that check tests can make it on the board and take it back:
// an en passant capture lifts the pawn behind the target, castling moves the rook as well.
struct MoveShape {
    int fromFile = 0;
    int fromRank = 0;
    int toFile = 0;
    int toRank = 0;
    PieceCode placed = kEmpty;  // what stands on the target afterwards (the promoted piece included)
    int liftedFile = 0;         // en passant: the captured pawn's square; 0 = none
    int liftedRank = 0;
    int rookFromFile = 0;  // castling: the rook's move; 0 = none
    int rookToFile = 0;
};

// Promotion kind argument of DescribeMove: keep the moving piece.
inline constexpr PieceCode kNoPromotion = kEmpty;

// Works out the squares a move from -> to changes on this board: a pawn stepping diagonally onto an
// empty square captures en passant, and a pawn reaching the last rank becomes promotionKind (queen
// when promotionKind is not a knight, bishop or rook). Castling, whose squares depend on where king
// and rook started, has its own shape (CastlingMoveShape).
MoveShape DescribeMove(const Board& board, int fromFile, int fromRank, int toFile, int toRank,
                       PieceCode promotionKind);

// True when the mover's own king is attacked after the move. The board is restored.
bool LeavesKingInCheck(Board& board, const PieceTable& pieces, const MoveShape& move, Side mover);

// True when the opponent's king is attacked after the move. The board is restored.
bool GivesCheck(Board& board, const PieceTable& pieces, const MoveShape& move, Side mover);

// True when the side's king stands attacked now.
bool IsInCheck(const Board& board, const PieceTable& pieces, Side side);

}  // namespace ravelin::chess
