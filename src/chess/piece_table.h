#pragma once

#include <array>
#include <cstdint>

#include "chess/board.h"

namespace ravelin::chess {

// Locates one piece; file 0 means the slot is empty. SAN replay finds the moving piece by testing
// the few slots of its kind instead of generating moves.
struct PieceSlot {
    std::int32_t file = 0;
    std::int32_t rank = 0;

    bool IsEmpty() const { return file == 0; }
    bool Holds(int squareFile, int squareRank) const { return file == squareFile && rank == squareRank; }
};

// Three slots per kind and side (the king uses only the first). A fourth piece of a kind (by
// promotion) has no slot: its kind is then marked as overflowing and the readers scan the board
// for that kind until the slots can hold every piece again.
inline constexpr int kSlotsPerKind = 3;
inline constexpr int kSlottedKinds = kKing - kKnight + 1;

struct PieceTable {
    std::array<std::array<std::array<PieceSlot, kSlotsPerKind>, kSlottedKinds>, 2> slots{};
    // Bit (kind - kKnight) set when that kind of the side has more pieces than slots.
    std::array<std::uint8_t, 2> overflowKinds{};

    std::array<PieceSlot, kSlotsPerKind>& Kind(Side side, PieceCode kind) {
        return slots[SideIndex(side)][kind - kKnight];
    }
    const std::array<PieceSlot, kSlotsPerKind>& Kind(Side side, PieceCode kind) const {
        return slots[SideIndex(side)][kind - kKnight];
    }
    PieceSlot& King(Side side) { return Kind(side, kKing)[0]; }
    const PieceSlot& King(Side side) const { return Kind(side, kKing)[0]; }

    bool Overflows(Side side, PieceCode kind) const {
        return (overflowKinds[SideIndex(side)] & KindBit(kind)) != 0;
    }
    void SetOverflow(Side side, PieceCode kind, bool on);

    static constexpr std::uint8_t KindBit(PieceCode kind) {
        return static_cast<std::uint8_t>(1U << (kind - kKnight));
    }
};

// Fills the table from a board: each piece takes the first empty slot of its kind, except that a
// rook on its king-side corner prefers slot 2 so that the usual queen-side/king-side order holds.
void BuildPieceTable(const Board& board, PieceTable& table);

// Rebuilds the slots of one kind from the board (used when a piece of an overflowing kind leaves,
// so a slotless piece can take the freed slot).
void RebuildKindSlots(const Board& board, PieceTable& table, Side side, PieceCode kind);

// Gives a newly created piece (promotion) a slot; false when all three are in use, in which case
// the kind is marked as overflowing.
bool AddToSlots(PieceTable& table, Side side, PieceCode kind, int file, int rank);

// Empties the square and the slot of whatever stood there.
void RemoveCapturedPiece(Board& board, PieceTable& table, int file, int rank);

// The most pieces of one kind a side can have: two (or one queen) at the start plus eight promoted pawns.
inline constexpr int kMaxPiecesOfKind = 10;
using PieceList = std::array<PieceSlot, kMaxPiecesOfKind>;

// The squares of the side's pieces of a kind: from the slots, or from the board when the kind
// overflows. Slots that no longer hold their piece on the board are skipped. Returns the count.
int CollectPieces(const Board& board, const PieceTable& table, Side side, PieceCode kind, PieceList& out);

// Moves the slot that holds the from-square (if any) to the target.
void MoveSlot(PieceTable& table, Side side, PieceCode kind, int fromFile, int fromRank, int toFile,
              int toRank);

}  // namespace ravelin::chess
