#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "chess/board.h"
#include "chess/chess_context.h"

namespace ravelin::chess {

// A position read from FEN text. Only the placement is required; the side, castling and en passant
// fields are read when present (castling defaults to whatever the placement allows). The castling
// field may be KQkq letters, also for Chess960 rooks away from the corners, or rook files (HAha);
// the setup keeps which squares castling starts from.
struct FenPosition {
    Board board{};
    Side sideToMove = Side::kWhite;
    std::uint8_t castlingRights = kAllCastlingRights;
    CastlingSetup castling{};
    int enPassantFile = kNoEnPassantFile;
};

// The FEN text of the standard start position, accepted by ParseFen as "startpos" too.
inline constexpr std::string_view kStartFen = "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1";

// Reads FEN text. Returns an empty string when it was read, otherwise the message that says why
// it was refused (a digit 0 or 9, more or fewer than eight files or ranks, no king or two kings of
// a colour, a bad side, castling or en passant field). Letters other than piece letters become pawns.
std::string ParseFen(std::string_view fen, FenPosition& position);

// Reads the FEN tag line of the current game ([FEN "..."]) into context.fenBoard and the FEN
// castling and en passant fields. A refused placement leaves fenBoard empty and is reported through
// the context's messages (silent while the batch switch is on).
bool ReadFenPlacement(ChessContext& context, std::string_view tagLine);

// The placement field of a board: ranks 8 to 1, runs of empty squares as digits.
std::string FenPlacementText(const Board& board);

// The text of the FEN tag written with a game that starts from context.startPositionBoard, or "" when the FEN
// switch is off. The side is black when white's first move entry is the ".." placeholder, or, in a
// game without moves, when its result is "0-1". The castling field gives the rights the placement
// allows; en passant and the counters are written as "-", 0 and 1. Lines end in CR LF, with one
// blank line more when the game has moves.
std::string WriteFenTag(const ChessContext& context, std::string_view resultText);

// The position editor's clipboard text: the placement directly followed by "+w" or "+b".
std::string FenClipboardText(const Board& setupBoard, bool whiteToMove);

// FEN text (placement, side, castling, en passant, counters) of the position before the ply,
// used by the diagnostics.
std::string FenOfPly(const ChessContext& context, int ply);

}  // namespace ravelin::chess
