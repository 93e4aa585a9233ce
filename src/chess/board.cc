#include "chess/board.h"

#include <cstring>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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
    StoreCompact(board, compact);
    return compact;
}

void StoreCompact(const Board& board, CompactBoard& compact) {
    // A file of the board is its ranks 1..8 in a row, exactly one file of the compact order.
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        std::memcpy(&compact[static_cast<std::size_t>(CompactIndex(file, kFirstLine))],
                    &board[static_cast<std::size_t>(file)][kFirstLine], kLastLine * sizeof(PieceCode));
    }
}

std::uint64_t ChangedSquares(const CompactBoard& before, const CompactBoard& after) {
    std::uint64_t changed = 0;
#if defined(__SSE2__)
    // Sixteen squares per comparison: this runs on every ply of every game a fast file is made of.
    // The differences are narrowed to bytes with signed saturation, which keeps any non-zero
    // difference non-zero.
    constexpr int kLanes = 4;
    constexpr int kBlock = 16;
    const auto load = [](const CompactBoard& board, int square) {
        return _mm_loadu_si128(reinterpret_cast<const __m128i*>(&board[static_cast<std::size_t>(square)]));
    };
    const auto difference = [&](int square) {
        return _mm_xor_si128(load(before, square), load(after, square));
    };
    for (int square = 0; square < kSquareCount; square += kBlock) {
        const __m128i low = _mm_packs_epi32(difference(square), difference(square + kLanes));
        const __m128i high =
            _mm_packs_epi32(difference(square + 2 * kLanes), difference(square + 3 * kLanes));
        const __m128i same = _mm_cmpeq_epi8(_mm_packs_epi16(low, high), _mm_setzero_si128());
        const auto sameBits = static_cast<unsigned>(_mm_movemask_epi8(same));
        changed |= static_cast<std::uint64_t>(~sameBits & 0xffffU) << square;
    }
#else
    for (int square = 0; square < kSquareCount; ++square) {
        changed |= static_cast<std::uint64_t>(before[static_cast<std::size_t>(square)] !=
                                              after[static_cast<std::size_t>(square)])
                   << square;
    }
#endif
    return changed;
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
