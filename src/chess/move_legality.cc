#include "chess/move_legality.h"

#include <algorithm>
#include <cstdlib>

#include "chess/san_reader.h"
#include "chess/san_writer.h"

namespace ravelin::chess {

namespace {

constexpr int kKnightFile = 2;

int Sign(int value) {
    return (value > 0) - (value < 0);
}

// Squares strictly between from and to along a straight or diagonal line are empty.
bool LineClear(const Board& board, int fromFile, int fromRank, int toFile, int toRank) {
    const int stepFile = Sign(toFile - fromFile);
    const int stepRank = Sign(toRank - fromRank);
    int file = fromFile + stepFile;
    int rank = fromRank + stepRank;
    while (file != toFile || rank != toRank) {
        if (board[file][rank] != kEmpty) {
            return false;
        }
        file += stepFile;
        rank += stepRank;
    }
    return true;
}

bool CastleLegal(ChessContext& context, int ply, bool kingSide) {
    const Side side = SideOfPly(ply);
    const int rank = HomeRank(side);
    const CastlingSetup& setup = context.castling;
    const int kingFile = setup.KingFile(side);
    const int rookFile = setup.RookFile(side, kingSide);
    Board& board = context.board;
    const PieceCode king = MakePiece(side, kKing);
    const PieceCode rook = MakePiece(side, kRook);
    if ((CastlingRightsForPly(context, ply) & CastlingRight(side, kingSide)) == 0 ||
        board[kingFile][rank] != king || board[rookFile][rank] != rook) {
        return false;
    }
    // Every square the king or the rook crosses or lands on is empty but for the two of them. The
    // two stretches meet (the targets are neighbours), so one span from the lowest to the highest
    // file covers them.
    const int kingTarget = kingSide ? kShortCastleKingFile : kLongCastleKingFile;
    const int rookTarget = kingSide ? kShortCastleRookFile : kLongCastleRookFile;
    const int low = std::min({kingFile, kingTarget, rookFile, rookTarget});
    const int high = std::max({kingFile, kingTarget, rookFile, rookTarget});
    for (int file = low; file <= high; ++file) {
        if (file != kingFile && file != rookFile && board[file][rank] != kEmpty) {
            return false;
        }
    }
    // The king may not castle out of, through or into check. King and rook are lifted for the test:
    // a Chess960 rook may stand between an enemy piece and the king's target and shield it only
    // until it moves.
    board[kingFile][rank] = kEmpty;
    board[rookFile][rank] = kEmpty;
    bool attacked = false;
    const int step = kingTarget >= kingFile ? 1 : -1;
    for (int file = kingFile;; file += step) {
        if (IsSquareAttacked(board, file, rank, Opponent(side))) {
            attacked = true;
            break;
        }
        if (file == kingTarget) {
            break;
        }
    }
    board[kingFile][rank] = king;
    board[rookFile][rank] = rook;
    return !attacked;
}

}  // namespace

bool KnightMoveFits(int fromFile, int fromRank, int toFile, int toRank) {
    const int files = std::abs(toFile - fromFile);
    const int ranks = std::abs(toRank - fromRank);
    return files * ranks == kKnightFile;
}

bool BishopMoveFits(const Board& board, int fromFile, int fromRank, int toFile, int toRank) {
    const int files = std::abs(toFile - fromFile);
    return files != 0 && files == std::abs(toRank - fromRank) &&
           LineClear(board, fromFile, fromRank, toFile, toRank);
}

bool RookMoveFits(const Board& board, int fromFile, int fromRank, int toFile, int toRank) {
    return (fromFile == toFile) != (fromRank == toRank) &&
           LineClear(board, fromFile, fromRank, toFile, toRank);
}

bool QueenMoveFits(const Board& board, int fromFile, int fromRank, int toFile, int toRank) {
    return RookMoveFits(board, fromFile, fromRank, toFile, toRank) ||
           BishopMoveFits(board, fromFile, fromRank, toFile, toRank);
}

bool KingStepFits(int fromFile, int fromRank, int toFile, int toRank) {
    const int files = std::abs(toFile - fromFile);
    const int ranks = std::abs(toRank - fromRank);
    return files <= 1 && ranks <= 1 && files + ranks > 0;
}

bool PieceMoveFits(const Board& board, PieceCode kind, int fromFile, int fromRank, int toFile, int toRank) {
    switch (kind) {
        case kKnight:
            return KnightMoveFits(fromFile, fromRank, toFile, toRank);
        case kBishop:
            return BishopMoveFits(board, fromFile, fromRank, toFile, toRank);
        case kRook:
            return RookMoveFits(board, fromFile, fromRank, toFile, toRank);
        case kQueen:
            return QueenMoveFits(board, fromFile, fromRank, toFile, toRank);
        case kKing:
            return KingStepFits(fromFile, fromRank, toFile, toRank);
        default:
            return false;
    }
}

bool PawnMoveFits(const Board& board, Side side, int fromFile, int fromRank, int toFile, int toRank,
                  int enPassantFile) {
    const int direction = PawnDirection(side);
    if (toFile == fromFile) {
        if (board[toFile][toRank] != kEmpty) {
            return false;
        }
        if (toRank == fromRank + direction) {
            return true;
        }
        return fromRank == PawnStartRank(side) && toRank == fromRank + 2 * direction &&
               board[fromFile][fromRank + direction] == kEmpty;
    }
    if (std::abs(toFile - fromFile) != 1 || toRank != fromRank + direction) {
        return false;
    }
    const PieceCode target = board[toFile][toRank];
    if (target != kEmpty) {
        return BelongsTo(target, Opponent(side));
    }
    // En passant: the capturing pawn stands on the rank the enemy pawn double-stepped to.
    return toFile == enPassantFile && fromRank == PawnDoubleStepRank(Opponent(side)) &&
           board[toFile][fromRank] == MakePiece(Opponent(side), kPawn);
}

int EnPassantFileForPly(const ChessContext& context, int ply) {
    return ply >= 1 && ply <= kMaxPly ? context.history.enPassantFile[ply - 1] : kNoEnPassantFile;
}

std::uint8_t CastlingRightsForPly(const ChessContext& context, int ply) {
    return ply >= 1 && ply <= kMaxPly ? context.history.castlingRights[ply - 1] : std::uint8_t{0};
}

MoveShape CastlingMoveShape(const ChessContext& context, Side side, bool kingSide) {
    const int rank = HomeRank(side);
    MoveShape shape{context.castling.KingFile(side), rank,
                    kingSide ? kShortCastleKingFile : kLongCastleKingFile, rank, MakePiece(side, kKing)};
    shape.rookFromFile = context.castling.RookFile(side, kingSide);
    shape.rookToFile = kingSide ? kShortCastleRookFile : kLongCastleRookFile;
    return shape;
}

bool CastleShortLegal(ChessContext& context, int ply) {
    return CastleLegal(context, ply, true);
}
bool CastleLongLegal(ChessContext& context, int ply) {
    return CastleLegal(context, ply, false);
}

bool IsLegalCoordinateMove(ChessContext& context, int ply, int fromFile, int fromRank, int toFile,
                           int toRank) {
    if (ply < 1 || ply > kMaxPly || !IsOnBoard(fromFile, fromRank) || !IsOnBoard(toFile, toRank) ||
        (fromFile == toFile && fromRank == toRank)) {
        return false;
    }
    const Side side = SideOfPly(ply);
    Board& board = context.board;
    const PieceCode piece = board[fromFile][fromRank];
    const PieceCode target = board[toFile][toRank];
    if (!BelongsTo(piece, side)) {
        return false;
    }
    const PieceCode kind = KindOf(piece);
    if (kind == kKing) {
        const CastlingMove castling =
            CastlingOfKingMove(board, context.castling, side, fromFile, fromRank, toFile, toRank, false);
        if (castling != CastlingMove::kNone) {
            return CastleLegal(context, ply, castling == CastlingMove::kShort);
        }
    }
    // A king is never captured: a position where it could be is already broken.
    if (BelongsTo(target, side) || KindOf(target) == kKing) {
        return false;
    }
    if (kind == kPawn) {
        if (!PawnMoveFits(board, side, fromFile, fromRank, toFile, toRank,
                          EnPassantFileForPly(context, ply))) {
            return false;
        }
    } else if (!PieceMoveFits(board, kind, fromFile, fromRank, toFile, toRank)) {
        return false;
    }
    const MoveShape shape = DescribeMove(board, fromFile, fromRank, toFile, toRank, kNoPromotion);
    return !LeavesKingInCheck(board, context.pieces, shape, side);
}

int MakeCoordinateMove(ChessContext& context, bool commit, int ply, int fromFile, int fromRank, int toFile,
                       int toRank) {
    const bool prepared = context.preparedText;
    context.preparedText = false;
    if (ply < 1 || ply > kMaxPly || !IsOnBoard(fromFile, fromRank) || !IsOnBoard(toFile, toRank) ||
        (!prepared && !IsLegalCoordinateMove(context, ply, fromFile, fromRank, toFile, toRank))) {
        return 1;
    }
    const bool intoMoveList = commit || context.replayRunning;
    SanText& text = intoMoveList ? context.moves.MoveOfPly(ply) : context.scratchSan;
    const SanText previous = text;
    if (prepared) {
        text = context.preparedSan;
    } else {
        WriteSanMove(context, ply, fromFile, fromRank, toFile, toRank, text);
    }
    if (commit) {
        // The from-square goes along as a hint so the move acts on exactly the piece that was
        // checked, even when its kind has more pieces than slots.
        const FromHint hint = {FileLetter(fromFile), RankDigit(fromRank), '\0'};
        if (!ApplySan(context, ply, text, hint)) {
            text = previous;
            return 1;
        }
        SavePosition(context, ply);
    }
    return 0;
}

bool HasLegalMove(ChessContext& context, int ply) {
    const Side side = SideOfPly(ply);
    for (int fromFile = kFirstLine; fromFile <= kLastLine; ++fromFile) {
        for (int fromRank = kFirstLine; fromRank <= kLastLine; ++fromRank) {
            if (!BelongsTo(context.board[fromFile][fromRank], side)) {
                continue;
            }
            for (int toFile = kFirstLine; toFile <= kLastLine; ++toFile) {
                for (int toRank = kFirstLine; toRank <= kLastLine; ++toRank) {
                    if (IsLegalCoordinateMove(context, ply, fromFile, fromRank, toFile, toRank)) {
                        return true;
                    }
                }
            }
        }
    }
    return false;
}

}  // namespace ravelin::chess
