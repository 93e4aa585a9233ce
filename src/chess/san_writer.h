#pragma once

#include "chess/chess_context.h"

namespace ravelin::chess {

// What a piece move's SAN text must add to tell the mover from the other pieces of its kind.
enum class Disambiguation { kNone = 0, kFile = 1, kRank = 2, kSquare = 3 };

// Another piece of the kind that could legally reach the target forces a file letter (a rank digit
// when it stands on the mover's file); two or more such pieces force the whole from-square.
Disambiguation DisambiguationNeeded(ChessContext& context, PieceCode kind, int fromFile, int fromRank,
                                    int toFile, int toRank, Side side);

// Writes the SAN text of a move that passed the legality check: pawn moves with "=" and the
// promotion choice on the last rank, piece letters with the needed disambiguation, "x" for a
// capture, O-O / O-O-O for a king's two-file step, and "+" when it gives check (also for a mate).
void WriteSanMove(ChessContext& context, int ply, int fromFile, int fromRank, int toFile, int toRank,
                  SanText& out);

// The piece kind a promotion choice stands for: knight, bishop or rook as given, queen otherwise.
PieceCode PromotionKindOfChoice(int promotionChoice);

}  // namespace ravelin::chess
