#include "chess/perft.h"

#include <array>
#include <ostream>

#include "chess/fen.h"
#include "chess/move_legality.h"

namespace ravelin::chess {

namespace {

constexpr std::array<PieceCode, 4> kPromotionKinds = {kKnight, kBishop, kRook, kQueen};

// Calls visit(ply, fromFile, fromRank, toFile, toRank, promotionChoice) for every coordinate move,
// with the four promotion pieces for a pawn of the mover reaching its last rank.
template <typename Visit>
void ForEachCoordinateMove(ChessContext& context, int ply, Visit visit) {
    const Side side = SideOfPly(ply);
    for (int fromFile = kFirstLine; fromFile <= kLastLine; ++fromFile) {
        for (int fromRank = kFirstLine; fromRank <= kLastLine; ++fromRank) {
            const bool pawn = context.board[fromFile][fromRank] == MakePiece(side, kPawn);
            for (int toFile = kFirstLine; toFile <= kLastLine; ++toFile) {
                for (int toRank = kFirstLine; toRank <= kLastLine; ++toRank) {
                    if (pawn && toRank == PromotionRank(side)) {
                        for (const PieceCode kind : kPromotionKinds) {
                            visit(fromFile, fromRank, toFile, toRank, kind);
                        }
                    } else {
                        visit(fromFile, fromRank, toFile, toRank, kPromoteToQueenByDefault);
                    }
                }
            }
        }
    }
}

}  // namespace

std::uint64_t Perft(ChessContext& context, int ply, int depth, std::vector<PerftSplit>* split) {
    if (depth <= 0) {
        return 1;
    }
    if (ply > kMaxPly) {
        return 0;
    }
    std::uint64_t nodes = 0;
    const bool commit = depth > 1;
    ForEachCoordinateMove(
        context, ply, [&](int fromFile, int fromRank, int toFile, int toRank, int promotion) {
            context.promotionChoice = promotion;
            if (MakeCoordinateMove(context, commit, ply, fromFile, fromRank, toFile, toRank) != 0) {
                return;
            }
            std::uint64_t below = 1;
            std::string_view san = SanView(context.scratchSan);
            if (commit) {
                san = SanView(context.moves.MoveOfPly(ply));
                if (split != nullptr) {
                    split->push_back({std::string(san), 0});
                }
                below = Perft(context, ply + 1, depth - 1, nullptr);
                RestorePosition(context, ply - 1);
            } else if (split != nullptr) {
                split->push_back({std::string(san), 0});
            }
            if (split != nullptr) {
                split->back().nodes = below;
            }
            nodes += below;
        });
    return nodes;
}

std::vector<std::string> LegalMoveTexts(ChessContext& context, int ply) {
    std::vector<std::string> texts;
    ForEachCoordinateMove(
        context, ply, [&](int fromFile, int fromRank, int toFile, int toRank, int promotion) {
            context.promotionChoice = promotion;
            if (MakeCoordinateMove(context, false, ply, fromFile, fromRank, toFile, toRank) == 0) {
                texts.emplace_back(SanView(context.scratchSan));
            }
        });
    return texts;
}

int SetUpFen(ChessContext& context, std::string_view fen, std::string& error) {
    FenPosition position;
    error = ParseFen(fen, position);
    if (!error.empty()) {
        return 0;
    }
    SetUpFromPositionBoard(context, position.board, position.castlingRights, position.enPassantFile,
                           position.castling);
    if (position.sideToMove == Side::kWhite) {
        return 1;
    }
    // Black to move: ply 1 is white's missing move, the board stays as it is.
    SavePosition(context, 1);
    return 2;
}

}  // namespace ravelin::chess
