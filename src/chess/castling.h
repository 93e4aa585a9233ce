#pragma once

#include <array>
#include <cstdint>
#include <string>
#include <string_view>

#include "chess/board.h"

namespace ravelin::chess {

// Castling rights, one bit per king and wing.
inline constexpr std::uint8_t kWhiteKingSide = 1;
inline constexpr std::uint8_t kWhiteQueenSide = 2;
inline constexpr std::uint8_t kBlackKingSide = 4;
inline constexpr std::uint8_t kBlackQueenSide = 8;
inline constexpr std::uint8_t kAllCastlingRights = 15;

// Where king and rook stand after castling, whatever squares they started from.
inline constexpr int kShortCastleKingFile = 7;
inline constexpr int kLongCastleKingFile = 3;
inline constexpr int kShortCastleRookFile = 6;
inline constexpr int kLongCastleRookFile = 4;

// 0 white king side, 1 white queen side, 2 black king side, 3 black queen side: the bit order of
// the rights.
constexpr int CastlingRightIndex(Side side, bool kingSide) {
    return 2 * SideIndex(side) + (kingSide ? 0 : 1);
}
constexpr std::uint8_t CastlingRight(Side side, bool kingSide) {
    return static_cast<std::uint8_t>(1U << CastlingRightIndex(side, kingSide));
}

// The squares castling starts from in the game being replayed: each king's file and the file of
// the rook that belongs to each right, all on the side's home rank. Standard chess has the kings on
// the e-file and the rooks in the corners; a Chess960 start puts them anywhere with the king
// between its two rooks (and a double Chess960 start puts the two sides differently).
struct CastlingSetup {
    std::array<std::uint8_t, 2> kingFile{5, 5};
    std::array<std::uint8_t, 4> rookFile{8, 1, 8, 1};
    // Chess960: a king may already stand on, or next to, the square it castles to, so a king's
    // two-file step no longer tells castling apart. Castling given by coordinates is then the king
    // moved onto its own castling rook.
    bool chess960 = false;
    // The game's FEN named the castling rooks by their files (HAha); FEN text written for the game
    // does the same.
    bool fileLetters = false;

    int KingFile(Side side) const { return kingFile[static_cast<std::size_t>(SideIndex(side))]; }
    int RookFile(Side side, bool kingSide) const {
        return rookFile[static_cast<std::size_t>(CastlingRightIndex(side, kingSide))];
    }
};

enum class CastlingMove : std::uint8_t { kNone, kShort, kLong };

// The castling a king's move from -> to stands for. In standard chess it is the king's two-file step
// from its start square to g or c. In Chess960, where a king may start on or beside those squares,
// it is the king moved onto its own castling rook; a move text given by coordinates may also write
// the king's step of two files or more to g or c (textForm).
CastlingMove CastlingOfKingMove(const Board& board, const CastlingSetup& setup, Side side, int fromFile,
                                int fromRank, int toFile, int toRank, bool textForm);

// The rights still possible on this board: a right needs its king and rook on their start squares.
std::uint8_t CastlingRightsPossible(const Board& board, const CastlingSetup& setup);

// The castling field of FEN text for these rights: "-", KQkq letters, or the rook files (HAha)
// when the setup says so. With KQkq letters a right whose rook has another rook of its side
// further out on the home rank is written by its file, as such a letter names the outermost rook.
std::string CastlingFieldText(const Board& board, std::uint8_t rights, const CastlingSetup& setup);

// Reads a FEN castling field: "-", KQkq letters (a letter names the outermost rook on that side of
// the king when the rook is not in its corner) or rook file letters (HAha, either case by colour).
// A right without its king on the home rank or its rook on that square is dropped. False for any
// other character.
bool ReadCastlingField(std::string_view field, const Board& board, std::uint8_t& rights,
                       CastlingSetup& setup);

}  // namespace ravelin::chess
