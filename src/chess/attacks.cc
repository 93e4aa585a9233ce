#include "chess/attacks.h"

#include <array>

namespace ravelin::chess {

namespace {

struct Step {
    int file;
    int rank;
};

constexpr std::array<Step, 4> kStraightSteps = {{{1, 0}, {-1, 0}, {0, 1}, {0, -1}}};
constexpr std::array<Step, 4> kDiagonalSteps = {{{1, 1}, {1, -1}, {-1, 1}, {-1, -1}}};
constexpr std::array<Step, 8> kKnightJumps = {
    {{1, 2}, {2, 1}, {2, -1}, {1, -2}, {-1, -2}, {-2, -1}, {-2, 1}, {-1, 2}}};

// First piece along a line from the square, or empty when the edge comes first; reports how far
// it stood so that an adjacent king can be told apart from a distant one.
PieceCode FirstPieceAlong(const Board& board, int file, int rank, Step step, int& distance) {
    distance = 0;
    for (int f = file + step.file, r = rank + step.rank; IsOnBoard(f, r); f += step.file, r += step.rank) {
        ++distance;
        if (board[f][r] != kEmpty) {
            return board[f][r];
        }
    }
    return kEmpty;
}

bool SliderAttacks(const Board& board, int file, int rank, Side attacker, const std::array<Step, 4>& steps,
                   PieceCode slider) {
    const PieceCode lineAttacker = MakePiece(attacker, slider);
    const PieceCode queen = MakePiece(attacker, kQueen);
    const PieceCode king = MakePiece(attacker, kKing);
    for (const Step step : steps) {
        int distance = 0;
        const PieceCode first = FirstPieceAlong(board, file, rank, step, distance);
        if (first == lineAttacker || first == queen || (first == king && distance == 1)) {
            return true;
        }
    }
    return false;
}

// Saves the squares a move touches so they can be put back exactly.
class BoardEdit {
  public:
    BoardEdit(Board& board, const MoveShape& move) : board_(board) {
        Remember(move.fromFile, move.fromRank);
        Remember(move.toFile, move.toRank);
        if (move.liftedFile != 0) {
            Remember(move.liftedFile, move.liftedRank);
            board_[move.liftedFile][move.liftedRank] = kEmpty;
        }
        if (move.rookFromFile != 0) {
            Remember(move.rookFromFile, move.fromRank);
            Remember(move.rookToFile, move.fromRank);
        }
        const PieceCode rook = move.rookFromFile != 0 ? board_[move.rookFromFile][move.fromRank] : kEmpty;
        board_[move.fromFile][move.fromRank] = kEmpty;
        if (move.rookFromFile != 0) {
            board_[move.rookFromFile][move.fromRank] = kEmpty;
            board_[move.rookToFile][move.fromRank] = rook;
        }
        board_[move.toFile][move.toRank] = move.placed;
    }
    ~BoardEdit() {
        for (int i = count_ - 1; i >= 0; --i) {
            board_[saved_[i].file][saved_[i].rank] = saved_[i].code;
        }
    }
    BoardEdit(const BoardEdit&) = delete;
    BoardEdit& operator=(const BoardEdit&) = delete;

  private:
    struct Saved {
        int file;
        int rank;
        PieceCode code;
    };
    static constexpr int kMaxTouched = 5;

    void Remember(int file, int rank) { saved_[count_++] = {file, rank, board_[file][rank]}; }

    Board& board_;
    std::array<Saved, kMaxTouched> saved_{};
    int count_ = 0;
};

}  // namespace

bool IsSquareAttacked(const Board& board, int file, int rank, Side attacker) {
    if (SliderAttacks(board, file, rank, attacker, kStraightSteps, kRook) ||
        SliderAttacks(board, file, rank, attacker, kDiagonalSteps, kBishop)) {
        return true;
    }
    const PieceCode knight = MakePiece(attacker, kKnight);
    for (const Step jump : kKnightJumps) {
        const int f = file + jump.file;
        const int r = rank + jump.rank;
        if (IsOnBoard(f, r) && board[f][r] == knight) {
            return true;
        }
    }
    // An attacking pawn stands one rank behind the square, seen from its own direction.
    const PieceCode pawn = MakePiece(attacker, kPawn);
    const int pawnRank = rank - PawnDirection(attacker);
    for (const int f : {file - 1, file + 1}) {
        if (IsOnBoard(f, pawnRank) && board[f][pawnRank] == pawn) {
            return true;
        }
    }
    return false;
}

MoveShape DescribeMove(const Board& board, int fromFile, int fromRank, int toFile, int toRank,
                       PieceCode promotionKind) {
    MoveShape move{fromFile, fromRank, toFile, toRank, board[fromFile][fromRank]};
    const PieceCode kind = KindOf(move.placed);
    const Side mover = IsWhitePiece(move.placed) ? Side::kWhite : Side::kBlack;
    if (kind == kPawn) {
        if (fromFile != toFile && board[toFile][toRank] == kEmpty) {
            move.liftedFile = toFile;
            move.liftedRank = fromRank;
        }
        if (toRank == PromotionRank(mover)) {
            const bool minorOrRook =
                promotionKind == kKnight || promotionKind == kBishop || promotionKind == kRook;
            move.placed = MakePiece(mover, minorOrRook ? promotionKind : kQueen);
        }
    }
    return move;
}

bool LeavesKingInCheck(Board& board, const PieceTable& pieces, const MoveShape& move, Side mover) {
    const bool kingMoves = KindOf(board[move.fromFile][move.fromRank]) == kKing;
    const PieceSlot king = kingMoves ? PieceSlot{move.toFile, move.toRank} : pieces.King(mover);
    if (king.IsEmpty()) {
        return false;
    }
    const BoardEdit edit(board, move);
    return IsSquareAttacked(board, king.file, king.rank, Opponent(mover));
}

bool GivesCheck(Board& board, const PieceTable& pieces, const MoveShape& move, Side mover) {
    const PieceSlot king = pieces.King(Opponent(mover));
    if (king.IsEmpty()) {
        return false;
    }
    const BoardEdit edit(board, move);
    return IsSquareAttacked(board, king.file, king.rank, mover);
}

bool IsInCheck(const Board& board, const PieceTable& pieces, Side side) {
    const PieceSlot king = pieces.King(side);
    return !king.IsEmpty() && IsSquareAttacked(board, king.file, king.rank, Opponent(side));
}

}  // namespace ravelin::chess
