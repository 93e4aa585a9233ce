#pragma once

// The 16-bit move word of fast files, tree merge files and the database, and the 64-byte board
// their readers replay it on.

#include <array>
#include <cstdint>
#include <string_view>

#include "chess/board.h"
#include "chess/position_history.h"

namespace ravelin::search {

// Low byte: origin square (bits 0-5) and promotion piece (bits 6-7); high byte: destination.
using FastMove = std::uint16_t;

// Squares are numbered file-major: a1 = 0, a2 = 1, ..., h8 = 63.
constexpr int FastSquare(int file, int rank) {
    return (file - 1) * 8 + (rank - 1);
}

inline constexpr FastMove kFastOriginMask = 0x3f;
inline constexpr FastMove kFastPromotionMask = 0xc0;
inline constexpr FastMove kFastPromoteKnight = 0x40;
inline constexpr FastMove kFastPromoteBishop = 0x80;
inline constexpr FastMove kFastPromoteRook = 0xc0;

inline constexpr FastMove kWhiteShortCastle = 0x3020;
inline constexpr FastMove kWhiteLongCastle = 0x1020;
inline constexpr FastMove kBlackShortCastle = 0x3727;
inline constexpr FastMove kBlackLongCastle = 0x1727;
// No move could be told between two positions: origin and destination both a2.
inline constexpr FastMove kNoMoveFound = 0x0101;
// The record of a game without moves: 1. d4.
inline constexpr FastMove kEmptyGameMove = 0x1b19;

// A word with bit 15 set ends a game record and carries the result; 0x0000 ends the file.
inline constexpr FastMove kResultFlag = 0x8000;
inline constexpr FastMove kEndOfFileWord = 0x0000;

// FastResultCode: 2 white won, 0 black won, 1 anything else.
inline constexpr int kFastWhiteWins = 2;
inline constexpr int kFastBlackWins = 0;
inline constexpr int kFastOtherResult = 1;

constexpr bool IsResultWord(FastMove word) {
    return (word & kResultFlag) != 0;
}
constexpr FastMove ResultWord(int fastResultCode) {
    return static_cast<FastMove>(kResultFlag | fastResultCode);
}
constexpr int FastOrigin(FastMove move) {
    return move & kFastOriginMask;
}
constexpr int FastDestination(FastMove move) {
    return (move >> 8) & kFastOriginMask;
}

// The result code of a Result tag value: "1-..." white, "0-..." (any other first character with
// '-' second) black, anything else neither.
int FastResultCodeOf(std::string_view resultValue);

// One byte per square in FastSquare order, holding piece codes (0 empty, 1-6 white, 11-16 black).
using FastBoard = std::array<std::uint8_t, chess::kSquareCount>;

FastBoard FastStartBoard();

// The move of ply (1-based; odd plies are white's) found by comparing the positions before and
// after it. kNoMoveFound when the two positions show no move of that side.
FastMove DeriveFastMove(const chess::CompactBoard& before, const chess::CompactBoard& after, int ply);
// The same for entries ply - 1 and ply of a history saved in order by a replay, using the changed
// squares the replay recorded.
FastMove DeriveFastMove(const chess::PositionHistory& history, int ply);

// Plays a move word on the board; the ply's parity tells the side. Nothing is checked for
// legality, and the word kNoMoveFound changes nothing: it is no move at all.
void ApplyFastMove(FastBoard& board, FastMove move, int ply);

}  // namespace ravelin::search
