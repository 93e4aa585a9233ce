#pragma once

#include <string_view>

#include "chess/chess_context.h"

namespace ravelin::chess {

// The text forms a SAN reader recognises, after the shorthand forms (ed5, e2e4, e4xd5, g1f3, Ke1f2)
// have been taken apart.
enum class SanForm {
    kNotRecognised,
    kPawnAdvance,
    kPawnCapture,
    kPieceMove,
    kKingMove,
    kCastleShort,
    kCastleLong
};

// A move text read against a position: which piece goes where, what it captures and what it becomes.
struct SanMove {
    SanForm form = SanForm::kNotRecognised;
    PieceCode kind = kEmpty;
    int fromFile = 0;
    int fromRank = 0;
    int toFile = 0;
    int toRank = 0;
    PieceCode promotion = kEmpty;  // kind a pawn becomes on the last rank; empty otherwise
    int capturedFile = 0;          // square of the captured piece (behind the target en passant); 0 = none
    int capturedRank = 0;
};

// The number of characters of a move text before its end: a NUL, a blank or any of { } ( ) ; $ .
int SanTokenLength(std::string_view text);

// Reads a move text for the mover of the ply and resolves it on the current board without changing
// anything. Returns false when the text fits no form or does not describe a move this position
// allows the mover to make: no own piece of that kind on the from-square, a capture of an own
// piece or a king, a pawn capture onto an empty square without an enemy double step just before,
// castling without king and rook at home, the right kept and the squares between empty.
// A hint (first byte a file letter) names the from-square outright.
bool ResolveSanMove(ChessContext& context, int ply, std::string_view text, const FromHint& hint,
                    SanMove& move);

// Locates a move text: 0 with context.locate (and context.promotionChoice for a promotion) set;
// 1 when not recognised or not playable; -2..-5 when it promotes to a knight, bishop, rook or queen
// of which the side already has three (context.locate is then set as well).
int LocateSanMove(ChessContext& context, int ply, const SanText& text, const FromHint& hint);

// Reads a move text, rewrites it in place to its canonical form (exd5 for ed5, e4 for e2e4, Nxf3
// when f3 is occupied, Kf2 for Ke1f2, Ng1f3 for a knight move written g1f3) keeping any check mark
// or glyph after it, and plays it on the board and slots. Returns false with nothing changed when
// ResolveSanMove refuses the text. Does not save the position.
bool ApplySan(ChessContext& context, int ply, SanText& text, const FromHint& hint);

// Plays a move ResolveSanMove accepted for this ply on the board and slots: ApplySan without the
// rewrite of the text. Does not save the position.
void PlayResolvedMove(ChessContext& context, int ply, const SanMove& move);

// ApplySan for white's and black's move of a move number (1-based).
bool ApplyWhiteSan(ChessContext& context, int moveNumber, SanText& text, const FromHint& hint);
bool ApplyBlackSan(ChessContext& context, int moveNumber, SanText& text, const FromHint& hint);

}  // namespace ravelin::chess
