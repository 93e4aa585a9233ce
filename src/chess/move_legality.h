#pragma once

#include "chess/attacks.h"
#include "chess/board.h"
#include "chess/chess_context.h"

namespace ravelin::chess {

// Geometry of each kind from -> to on this board, with the squares between required empty.
// They do not look at what stands on the target; the callers do.
bool KnightMoveFits(int fromFile, int fromRank, int toFile, int toRank);
bool BishopMoveFits(const Board& board, int fromFile, int fromRank, int toFile, int toRank);
bool RookMoveFits(const Board& board, int fromFile, int fromRank, int toFile, int toRank);
bool QueenMoveFits(const Board& board, int fromFile, int fromRank, int toFile, int toRank);
bool KingStepFits(int fromFile, int fromRank, int toFile, int toRank);
// The geometry of a knight, bishop, rook, queen or king step, chosen by kind.
bool PieceMoveFits(const Board& board, PieceCode kind, int fromFile, int fromRank, int toFile, int toRank);

// Pawn geometry for the side: one step onto an empty square, two from the start rank over empty
// squares, a diagonal step onto an enemy piece, or en passant onto the empty square behind an enemy
// pawn when enPassantFile is the target's file (the previous ply was that pawn's double step).
bool PawnMoveFits(const Board& board, Side side, int fromFile, int fromRank, int toFile, int toRank,
                  int enPassantFile);

// The file on which the mover of this ply may capture en passant, derived from the history.
int EnPassantFileForPly(const ChessContext& context, int ply);
// The castling rights that remain for the mover of this ply, derived from the history.
std::uint8_t CastlingRightsForPly(const ChessContext& context, int ply);

// Castling for the mover of the ply: king and rook on their start squares with the right intact,
// every square either of them crosses or lands on empty but for the two of them, and the king's
// square, the ones it crosses and its target not attacked.
bool CastleShortLegal(ChessContext& context, int ply);
bool CastleLongLegal(ChessContext& context, int ply);

// The squares castling on a wing changes, for the check tests: the king from its start square to g
// or c, the rook from its start square to f or d (either may already stand where it goes).
MoveShape CastlingMoveShape(const ChessContext& context, Side side, bool kingSide);

// The checking half of MakeCoordinateMove: true when the mover of the ply may move from -> to.
// Squares off the board are refused. Changes nothing.
bool IsLegalCoordinateMove(ChessContext& context, int ply, int fromFile, int fromRank, int toFile,
                           int toRank);

// Checks a move entered by coordinates, writes its SAN text (into the move list entry of the ply
// when committing or while a replay runs, otherwise into context.scratchSan) and with commit set
// applies it and saves the ply. 0 = legal, 1 = refused with nothing changed. With the
// prepared-text switch the checks are skipped and context.preparedSan is taken as the text; the
// SAN reader still refuses it (1) when committing a text that does not fit the board.
int MakeCoordinateMove(ChessContext& context, bool commit, int ply, int fromFile, int fromRank, int toFile,
                       int toRank);

// True when the mover of the ply has at least one legal move.
bool HasLegalMove(ChessContext& context, int ply);

}  // namespace ravelin::chess
