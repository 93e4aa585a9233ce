#include "search/fast_move.h"

#include <bit>

namespace ravelin::search {

namespace {

using chess::CompactBoard;
using chess::PieceCode;

constexpr int kFileA = 1;
constexpr int kFileC = 3;
constexpr int kFileD = 4;
constexpr int kFileE = 5;
constexpr int kFileF = 6;
constexpr int kFileG = 7;
constexpr int kFileH = 8;
constexpr int kRank1 = 1;
constexpr int kRank8 = 8;

// File and rank indices (0-based) inside a square number.
constexpr int FileIndex(int square) {
    return square / 8;
}
constexpr int RankIndex(int square) {
    return square % 8;
}
constexpr int SquareOf(int fileIndex, int rankIndex) {
    return fileIndex * 8 + rankIndex;
}

constexpr int kWhitePawn = chess::kPawn;
constexpr int kWhiteKing = chess::kKing;
constexpr int kBlackPawn = chess::kPawn + chess::kBlackOffset;
constexpr int kBlackKing = chess::kKing + chess::kBlackOffset;
constexpr int kBlackQueen = chess::kQueen + chess::kBlackOffset;
constexpr int kBlackKnight = chess::kKnight + chess::kBlackOffset;
constexpr int kBlackBishop = chess::kBishop + chess::kBlackOffset;
// Piece codes below this are white or empty.
constexpr int kFirstBlackCode = chess::kPawn + chess::kBlackOffset;

struct SideRules {
    int king;
    int homeRank;
    FastMove shortCastle;
    FastMove longCastle;
    int pawn;
    int queen;
    int knight;
    int bishop;
};

constexpr SideRules kWhiteRules = {kWhiteKing, kRank1,        kWhiteShortCastle, kWhiteLongCastle,
                                   kWhitePawn, chess::kQueen, chess::kKnight,    chess::kBishop};
constexpr SideRules kBlackRules = {kBlackKing, kRank8,      kBlackShortCastle, kBlackLongCastle,
                                   kBlackPawn, kBlackQueen, kBlackKnight,      kBlackBishop};

template <bool kWhite>
constexpr bool Own(PieceCode code) {
    return kWhite ? static_cast<unsigned>(code - chess::kPawn) < chess::kKing : code >= kFirstBlackCode;
}
// A square a move of the side can land on: empty or holding an enemy piece.
template <bool kWhite>
constexpr bool Target(PieceCode code) {
    return kWhite ? (code == chess::kEmpty) | (code >= kFirstBlackCode) : code <= chess::kKing;
}

// Both squares of a move change, so only changed squares are looked at (in square order, which
// keeps "the first square where" of the rule): a ply changes two to four of the 64.
template <bool kWhite>
FastMove DeriveForSide(const CompactBoard& before, const CompactBoard& after, std::uint64_t changedSquares) {
    const SideRules& side = kWhite ? kWhiteRules : kBlackRules;
    const int kingHome = FastSquare(kFileE, side.homeRank);
    if (before[kingHome] == side.king && after[kingHome] == chess::kEmpty) {
        if (after[FastSquare(kFileG, side.homeRank)] == side.king) {
            return side.shortCastle;
        }
        if (after[FastSquare(kFileC, side.homeRank)] == side.king) {
            return side.longCastle;
        }
    }
    // One bit per square that qualifies; the lowest bit is the first square in order. An unchanged
    // square can qualify neither as origin nor as destination, so only the changed ones (two to
    // four of the 64 in a ply) are looked at.
    std::uint64_t destinations = 0;
    std::uint64_t origins = 0;
    for (std::uint64_t changed = changedSquares; changed != 0; changed &= changed - 1) {
        const int square = std::countr_zero(changed);
        const PieceCode was = before[static_cast<std::size_t>(square)];
        const PieceCode is = after[static_cast<std::size_t>(square)];
        // Bitwise on purpose: no branch per square.
        destinations |= (std::uint64_t{Own<kWhite>(is)} & std::uint64_t{Target<kWhite>(was)}) << square;
        origins |= (std::uint64_t{Own<kWhite>(was)} & std::uint64_t{is == chess::kEmpty}) << square;
    }
    const int origin = origins != 0 ? std::countr_zero(origins) : -1;
    const int destination = destinations != 0 ? std::countr_zero(destinations) : -1;
    if (origin < 0 || destination < 0 || (origin == 0 && destination == 0)) {
        return kNoMoveFound;
    }
    auto move = static_cast<FastMove>(destination * 256 + origin);
    const PieceCode promoted = after[destination];
    if (before[origin] == side.pawn && promoted != side.pawn && promoted != side.queen) {
        if (promoted == side.knight) {
            move |= kFastPromoteKnight;
        } else if (promoted == side.bishop) {
            move |= kFastPromoteBishop;
        } else {
            move |= kFastPromoteRook;
        }
    }
    return move;
}

}  // namespace

int FastResultCodeOf(std::string_view value) {
    if (value.size() >= 2 && value[1] == '-') {
        return value[0] == '1' ? kFastWhiteWins : kFastBlackWins;
    }
    return kFastOtherResult;
}

FastBoard FastStartBoard() {
    return chess::kStartPositionBytes;
}

FastMove DeriveFastMove(const CompactBoard& before, const CompactBoard& after, int ply) {
    const std::uint64_t changed = chess::ChangedSquares(before, after);
    return ply % 2 == 1 ? DeriveForSide<true>(before, after, changed)
                        : DeriveForSide<false>(before, after, changed);
}

FastMove DeriveFastMove(const chess::PositionHistory& history, int ply) {
    // The replay already found the changed squares when it saved the entry.
    const auto entry = static_cast<std::size_t>(ply);
    const CompactBoard& before = history.boards[entry - 1];
    const CompactBoard& after = history.boards[entry];
    const std::uint64_t changed = history.changedSquares[entry];
    return ply % 2 == 1 ? DeriveForSide<true>(before, after, changed)
                        : DeriveForSide<false>(before, after, changed);
}

void ApplyFastMove(FastBoard& board, FastMove move, int ply) {
    if (move == kNoMoveFound) {
        return;
    }
    const bool white = ply % 2 == 1;
    const int origin = FastOrigin(move);
    const int destination = FastDestination(move);
    const int originFile = FileIndex(origin);
    const int originRank = RankIndex(origin);
    const int destinationFile = FileIndex(destination);
    const int destinationRank = RankIndex(destination);
    const int promotionBits = (move & kFastPromotionMask) >> 6;

    const int homeRankIndex = white ? kRank1 - 1 : kRank8 - 1;
    const std::uint8_t king = white ? kWhiteKing : kBlackKing;
    const std::uint8_t rook = white ? chess::kRook : chess::kRook + chess::kBlackOffset;
    const std::uint8_t pawn = white ? kWhitePawn : kBlackPawn;
    const int kingHome = SquareOf(kFileE - 1, homeRankIndex);

    if (origin == kingHome && board[kingHome] == king) {
        if (destinationFile == kFileG - 1) {
            board[SquareOf(kFileG - 1, homeRankIndex)] = king;
            board[SquareOf(kFileF - 1, homeRankIndex)] = rook;
            board[kingHome] = chess::kEmpty;
            board[SquareOf(kFileH - 1, homeRankIndex)] = chess::kEmpty;
            return;
        }
        if (destinationFile == kFileC - 1) {
            board[SquareOf(kFileC - 1, homeRankIndex)] = king;
            board[SquareOf(kFileD - 1, homeRankIndex)] = rook;
            board[kingHome] = chess::kEmpty;
            board[SquareOf(kFileA - 1, homeRankIndex)] = chess::kEmpty;
            return;
        }
    }
    // Rank indices of a pawn about to promote, of its promotion, and of an en passant capture.
    const int beforePromotion = white ? 6 : 1;
    const int promotionRank = white ? 7 : 0;
    const int enPassantFrom = white ? 4 : 3;
    const int enPassantTo = white ? 5 : 2;
    if (originRank == beforePromotion && destinationRank == promotionRank && board[origin] == pawn) {
        const int offset = white ? 0 : chess::kBlackOffset;
        // Bits 0 promote to a queen, 1-3 to a knight, bishop or rook.
        const int kind = promotionBits == 0 ? chess::kQueen : chess::kPawn + promotionBits;
        board[origin] = chess::kEmpty;
        board[destination] = static_cast<std::uint8_t>(kind + offset);
        return;
    }
    if (originRank == enPassantFrom && destinationRank == enPassantTo && board[origin] == pawn &&
        destinationFile != originFile && board[destination] == chess::kEmpty) {
        board[destination] = pawn;
        board[origin] = chess::kEmpty;
        board[SquareOf(destinationFile, enPassantFrom)] = chess::kEmpty;
        return;
    }
    board[destination] = board[origin];
    board[origin] = chess::kEmpty;
}

}  // namespace ravelin::search
