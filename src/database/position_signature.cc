#include "database/position_signature.h"

#include <algorithm>
#include <array>

#include "database/database_format.h"

namespace ravelin::database {

std::uint16_t PositionSignature(const search::FastBoard& board) {
    std::uint32_t sum = 0;
    for (std::size_t i = 0; i < board.size(); i += 4) {
        sum += static_cast<std::uint32_t>(board[i]) | (static_cast<std::uint32_t>(board[i + 1]) << 8) |
               (static_cast<std::uint32_t>(board[i + 2]) << 16) |
               (static_cast<std::uint32_t>(board[i + 3]) << 24);
    }
    return static_cast<std::uint16_t>((sum >> 16) ^ (sum & 0xFFFF));
}

void WritePositionRecord(std::uint8_t* words, int plies) {
    std::array<std::uint16_t, kMaxMovesRecordBytes / 2> signatures{};
    search::FastBoard board = search::FastStartBoard();
    for (int ply = 1; ply <= plies; ++ply) {
        search::ApplyFastMove(board, ReadU16(words + 2 * (ply - 1)), ply);
        signatures[ply - 1] = PositionSignature(board);
    }
    std::sort(signatures.begin(), signatures.begin() + plies);
    WriteU16(words, static_cast<std::uint16_t>(2 * plies));
    for (int i = 0; i < plies; ++i) {
        WriteU16(words + 2 * (i + 1), signatures[i]);
    }
}

search::FastBoard FastBoardOf(const chess::Board& board) {
    search::FastBoard fast{};
    for (int file = 1; file <= 8; ++file) {
        for (int rank = 1; rank <= 8; ++rank) {
            fast[search::FastSquare(file, rank)] = static_cast<std::uint8_t>(board[file][rank]);
        }
    }
    return fast;
}

PositionTarget MakePositionTarget(const search::FastBoard& board) {
    PositionTarget target;
    target.board = board;
    for (int square = 0; square < 64; ++square) {
        const int piece = board[square];
        target.pieces += piece != 0 ? 1 : 0;
        const int rank = square % 8 + 1;
        if ((piece == 1 && rank == 2) || (piece == 11 && rank == 7)) {
            target.homePawns[target.homePawnCount++] = static_cast<std::uint8_t>(square);
        }
    }
    return target;
}

bool MovesReachBoard(const std::uint8_t* words, int plies, const PositionTarget& target) {
    // Captures and pawn moves cannot be undone: once the game has fewer pieces than the target, or
    // has moved a pawn that the target still has on its starting square, it cannot get there.
    search::FastBoard board = search::FastStartBoard();
    int pieces = 32;
    for (int ply = 1; ply <= plies; ++ply) {
        const search::FastMove move = ReadU16(words + 2 * (ply - 1));
        pieces -= board[search::FastDestination(move)] != 0 ? 1 : 0;
        search::ApplyFastMove(board, move, ply);
        if (board == target.board) {
            return true;
        }
        if (pieces < target.pieces) {
            return false;
        }
        for (int i = 0; i < target.homePawnCount; ++i) {
            if (board[target.homePawns[i]] != target.board[target.homePawns[i]]) {
                return false;
            }
        }
    }
    return false;
}

}  // namespace ravelin::database
