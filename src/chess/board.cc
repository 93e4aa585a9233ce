#include "chess/board.h"

namespace ravelin::chess {

namespace {

constexpr std::array<PieceCode, kLastLine> kBackRank = {kRook, kKnight, kBishop, kQueen,
                                                        kKing, kBishop, kKnight, kRook};

constexpr std::array<std::uint8_t, kSquareCount> BuildStartBytes() {
    std::array<std::uint8_t, kSquareCount> bytes{};
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        const PieceCode piece = kBackRank[file - 1];
        bytes[CompactIndex(file, HomeRank(Side::kWhite))] = static_cast<std::uint8_t>(piece);
        bytes[CompactIndex(file, PawnStartRank(Side::kWhite))] = static_cast<std::uint8_t>(kPawn);
        bytes[CompactIndex(file, PawnStartRank(Side::kBlack))] =
            static_cast<std::uint8_t>(kPawn + kBlackOffset);
        bytes[CompactIndex(file, HomeRank(Side::kBlack))] = static_cast<std::uint8_t>(piece + kBlackOffset);
    }
    return bytes;
}

}  // namespace

const std::array<std::uint8_t, kSquareCount> kStartPositionBytes = BuildStartBytes();

Board MakeStartBoard() {
    Board board{};
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        for (int rank = kFirstLine; rank <= kLastLine; ++rank) {
            board[file][rank] = kStartPositionBytes[CompactIndex(file, rank)];
        }
    }
    return board;
}

CompactBoard ToCompact(const Board& board) {
    CompactBoard compact{};
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        for (int rank = kFirstLine; rank <= kLastLine; ++rank) {
            compact[CompactIndex(file, rank)] = board[file][rank];
        }
    }
    return compact;
}

Board FromCompact(const CompactBoard& compact) {
    Board board{};
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        for (int rank = kFirstLine; rank <= kLastLine; ++rank) {
            board[file][rank] = compact[CompactIndex(file, rank)];
        }
    }
    return board;
}

char KindLetter(PieceCode kind) {
    switch (kind) {
        case kKnight:
            return 'N';
        case kBishop:
            return 'B';
        case kRook:
            return 'R';
        case kQueen:
            return 'Q';
        case kKing:
            return 'K';
        default:
            return 'P';
    }
}

}  // namespace ravelin::chess
