#include "chess/piece_table.h"

namespace ravelin::chess {

void PieceTable::SetOverflow(Side side, PieceCode kind, bool on) {
    std::uint8_t& bits = overflowKinds[SideIndex(side)];
    bits = static_cast<std::uint8_t>(on ? (bits | KindBit(kind)) : (bits & ~KindBit(kind)));
}

namespace {

constexpr int kKingSideRookSlot = 1;
constexpr int kKingSideRookFile = 8;

bool IsSlotted(PieceCode kind) {
    return kind >= kKnight && kind <= kKing;
}

void PlaceInSlots(PieceTable& table, Side side, PieceCode kind, int file, int rank) {
    auto& slots = table.Kind(side, kind);
    const int usable = kind == kKing ? 1 : kSlotsPerKind;
    if (kind == kRook && file == kKingSideRookFile && rank == HomeRank(side) &&
        slots[kKingSideRookSlot].IsEmpty()) {
        slots[kKingSideRookSlot] = {file, rank};
        return;
    }
    for (int i = 0; i < usable; ++i) {
        if (slots[i].IsEmpty()) {
            slots[i] = {file, rank};
            return;
        }
    }
    table.SetOverflow(side, kind, true);
}

}  // namespace

void BuildPieceTable(const Board& board, PieceTable& table) {
    table = PieceTable{};
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        for (int rank = kFirstLine; rank <= kLastLine; ++rank) {
            const PieceCode code = board[file][rank];
            const PieceCode kind = KindOf(code);
            if (code != kEmpty && IsSlotted(kind)) {
                PlaceInSlots(table, IsWhitePiece(code) ? Side::kWhite : Side::kBlack, kind, file, rank);
            }
        }
    }
}

void RebuildKindSlots(const Board& board, PieceTable& table, Side side, PieceCode kind) {
    table.Kind(side, kind) = {};
    table.SetOverflow(side, kind, false);
    const PieceCode code = MakePiece(side, kind);
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        for (int rank = kFirstLine; rank <= kLastLine; ++rank) {
            if (board[file][rank] == code) {
                PlaceInSlots(table, side, kind, file, rank);
            }
        }
    }
}

bool AddToSlots(PieceTable& table, Side side, PieceCode kind, int file, int rank) {
    for (PieceSlot& slot : table.Kind(side, kind)) {
        if (slot.IsEmpty()) {
            slot = {file, rank};
            return true;
        }
    }
    table.SetOverflow(side, kind, true);
    return false;
}

void RemoveCapturedPiece(Board& board, PieceTable& table, int file, int rank) {
    const PieceCode code = board[file][rank];
    board[file][rank] = kEmpty;
    const PieceCode kind = KindOf(code);
    if (code == kEmpty || !IsSlotted(kind)) {
        return;
    }
    const Side side = IsWhitePiece(code) ? Side::kWhite : Side::kBlack;
    if (table.Overflows(side, kind)) {
        RebuildKindSlots(board, table, side, kind);
        return;
    }
    for (PieceSlot& slot : table.Kind(side, kind)) {
        if (slot.Holds(file, rank)) {
            slot = {};
            return;
        }
    }
}

int CollectPieces(const Board& board, const PieceTable& table, Side side, PieceCode kind, PieceList& out) {
    const PieceCode code = MakePiece(side, kind);
    int count = 0;
    if (IsSlotted(kind) && !table.Overflows(side, kind)) {
        for (const PieceSlot& slot : table.Kind(side, kind)) {
            if (!slot.IsEmpty() && board[slot.file][slot.rank] == code) {
                out[count++] = slot;
            }
        }
        return count;
    }
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        for (int rank = kFirstLine; rank <= kLastLine; ++rank) {
            if (board[file][rank] == code && count < kMaxPiecesOfKind) {
                out[count++] = {file, rank};
            }
        }
    }
    return count;
}

void MoveSlot(PieceTable& table, Side side, PieceCode kind, int fromFile, int fromRank, int toFile,
              int toRank) {
    if (!IsSlotted(kind)) {
        return;
    }
    for (PieceSlot& slot : table.Kind(side, kind)) {
        if (slot.Holds(fromFile, fromRank)) {
            slot = {toFile, toRank};
            return;
        }
    }
}

}  // namespace ravelin::chess
