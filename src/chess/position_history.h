#pragma once

#include <array>
#include <cstdint>

#include "chess/board.h"
#include "chess/castling.h"
#include "chess/piece_table.h"

namespace ravelin::chess {

inline constexpr int kMaxMovesPerSide = 200;
inline constexpr int kMaxPly = 2 * kMaxMovesPerSide;
inline constexpr int kHistoryEntries = kMaxPly + 1;

inline constexpr int kNoEnPassantFile = 0;

// One saved position per ply: entry 0 before the first move, entry n after ply n. Besides the
// board it keeps what the board alone cannot tell the next ply: the slots, the castling rights that
// survive (a king or rook that ever left its square loses them for good) and the file on which the
// next ply may capture en passant. Keeping these per ply, rather than as flags that moves switch on,
// means a trial legality check never changes them and going back to any ply restores them exactly.
struct PositionHistory {
    std::array<CompactBoard, kHistoryEntries> boards{};
    std::array<PieceTable, kHistoryEntries> pieces{};
    std::array<std::uint8_t, kHistoryEntries> castlingRights{};
    std::array<std::uint8_t, kHistoryEntries> enPassantFile{};
    // The squares (ChangedSquares bits) in which entry n differs from entry n - 1 as it stood when
    // entry n was saved; 0 for entry 0. Saving every entry once per ply keeps it exact for a replay
    // from the start, which is how the bulk readers of the history fill it.
    std::array<std::uint64_t, kHistoryEntries> changedSquares{};
};

}  // namespace ravelin::chess
