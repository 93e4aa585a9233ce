#pragma once

#include <array>
#include <cstdint>

namespace ravelin::chess {

// A piece on a square: 0 empty, 1-6 white pawn, knight, bishop, rook, queen, king; black adds 10.
using PieceCode = std::int32_t;

inline constexpr PieceCode kEmpty = 0;
inline constexpr PieceCode kPawn = 1;
inline constexpr PieceCode kKnight = 2;
inline constexpr PieceCode kBishop = 3;
inline constexpr PieceCode kRook = 4;
inline constexpr PieceCode kQueen = 5;
inline constexpr PieceCode kKing = 6;

// The piece kind of an upper-case SAN or FEN letter N, B, R, Q or K; kEmpty for any other character.
constexpr PieceCode KindOfPieceLetter(char letter) {
    switch (letter) {
        case 'N':
            return kKnight;
        case 'B':
            return kBishop;
        case 'R':
            return kRook;
        case 'Q':
            return kQueen;
        case 'K':
            return kKing;
        default:
            return kEmpty;
    }
}
inline constexpr PieceCode kBlackOffset = 10;

// Files and ranks run 1..8 (file 1 = a); index 0 of the board holds no square so that SAN
// coordinates map onto indices without arithmetic.
inline constexpr int kFirstLine = 1;
inline constexpr int kLastLine = 8;
inline constexpr int kBoardDimension = 9;
inline constexpr int kSquareCount = 64;

enum class Side : std::uint8_t { kWhite = 0, kBlack = 1 };

constexpr Side Opponent(Side side) {
    return side == Side::kWhite ? Side::kBlack : Side::kWhite;
}
constexpr int SideIndex(Side side) {
    return static_cast<int>(side);
}

// Plies are numbered from 1; white plays the odd ones.
constexpr Side SideOfPly(int ply) {
    return ply % 2 == 1 ? Side::kWhite : Side::kBlack;
}

constexpr PieceCode MakePiece(Side side, PieceCode kind) {
    return side == Side::kWhite ? kind : kind + kBlackOffset;
}
constexpr PieceCode KindOf(PieceCode code) {
    return code > kBlackOffset ? code - kBlackOffset : code;
}
constexpr bool IsWhitePiece(PieceCode code) {
    return code >= kPawn && code <= kKing;
}
constexpr bool IsBlackPiece(PieceCode code) {
    return code >= kPawn + kBlackOffset && code <= kKing + kBlackOffset;
}
constexpr bool BelongsTo(PieceCode code, Side side) {
    return side == Side::kWhite ? IsWhitePiece(code) : IsBlackPiece(code);
}
constexpr bool IsOnBoard(int file, int rank) {
    return file >= kFirstLine && file <= kLastLine && rank >= kFirstLine && rank <= kLastLine;
}

// The rank a side's pawns start on, double-step to, and promote on.
constexpr int PawnStartRank(Side side) {
    return side == Side::kWhite ? 2 : 7;
}
constexpr int PawnDoubleStepRank(Side side) {
    return side == Side::kWhite ? 4 : 5;
}
constexpr int PromotionRank(Side side) {
    return side == Side::kWhite ? kLastLine : kFirstLine;
}
constexpr int HomeRank(Side side) {
    return side == Side::kWhite ? kFirstLine : kLastLine;
}
// +1 for white pawns (they move up the board), -1 for black.
constexpr int PawnDirection(Side side) {
    return side == Side::kWhite ? 1 : -1;
}
// The rank a pawn of the side lands on when it captures en passant (6 for white, 3 for black).
constexpr int EnPassantTargetRank(Side side) {
    return PawnDoubleStepRank(Opponent(side)) + PawnDirection(side);
}

// The current position: [file][rank], both 1..8; row and column 0 stay empty.
using Board = std::array<std::array<PieceCode, kBoardDimension>, kBoardDimension>;

// One saved position in compact file-major order: index (file-1)*8 + (rank-1), a1, a2 .. h8.
using CompactBoard = std::array<PieceCode, kSquareCount>;

constexpr int CompactIndex(int file, int rank) {
    return (file - 1) * kLastLine + (rank - 1);
}

// 2 on dark squares (file and rank both odd or both even), 1 on light ones.
constexpr int SquareColour(int file, int rank) {
    return (file + rank) % 2 == 0 ? 2 : 1;
}

// The standard start position, one piece code per byte in compact order. Search and database code
// compare positions in this form.
extern const std::array<std::uint8_t, kSquareCount> kStartPositionBytes;

Board MakeStartBoard();
CompactBoard ToCompact(const Board& board);
// The same as compact = ToCompact(board), written in place: a replay saves one position per ply.
void StoreCompact(const Board& board, CompactBoard& compact);
// One bit per compact index whose piece differs between the two positions (bit 0 = a1).
std::uint64_t ChangedSquares(const CompactBoard& before, const CompactBoard& after);
Board FromCompact(const CompactBoard& compact);

// Letters of a square for texts; the caller guarantees the square is on the board.
constexpr char FileLetter(int file) {
    return static_cast<char>('a' + file - 1);
}
constexpr char RankDigit(int rank) {
    return static_cast<char>('0' + rank);
}
// 1..8 for 'a'..'h' / '1'..'8', 0 for any other character, so a text can never index off the board.
constexpr int FileFromLetter(char letter) {
    return letter >= 'a' && letter <= 'h' ? letter - 'a' + 1 : 0;
}
constexpr int RankFromDigit(char digit) {
    return digit >= '1' && digit <= '8' ? digit - '0' : 0;
}

// Upper-case letter of a piece kind for FEN and SAN (P for a pawn).
char KindLetter(PieceCode kind);

}  // namespace ravelin::chess
