#include "chess/san_writer.h"

#include "chess/attacks.h"
#include "chess/move_legality.h"

namespace ravelin::chess {

namespace {

constexpr char kCaptureMark = 'x';
constexpr char kPromotionMark = '=';
constexpr char kCheckMark = '+';

// Appends to a SAN text being written, never beyond its seven characters.
class SanBuilder {
  public:
    explicit SanBuilder(SanText& out) : out_(out) { out_.fill('\0'); }
    void Add(char c) {
        if (length_ < kMaxSanLength) {
            out_[length_++] = c;
        }
    }
    void Add(const char* text) {
        for (; *text != '\0'; ++text) {
            Add(*text);
        }
    }
    void AddSquare(int file, int rank) {
        Add(FileLetter(file));
        Add(RankDigit(rank));
    }

  private:
    SanText& out_;
    int length_ = 0;
};

}  // namespace

PieceCode PromotionKindOfChoice(int promotionChoice) {
    return promotionChoice == kKnight || promotionChoice == kBishop || promotionChoice == kRook
               ? promotionChoice
               : kQueen;
}

Disambiguation DisambiguationNeeded(ChessContext& context, PieceCode kind, int fromFile, int fromRank,
                                    int toFile, int toRank, Side side) {
    PieceList pieces{};
    const int count = CollectPieces(context.board, context.pieces, side, kind, pieces);
    int rivals = 0;
    bool rivalOnFile = false;
    for (int i = 0; i < count; ++i) {
        const PieceSlot other = pieces[i];
        if (other.Holds(fromFile, fromRank) ||
            !PieceMoveFits(context.board, kind, other.file, other.rank, toFile, toRank)) {
            continue;
        }
        const MoveShape shape =
            DescribeMove(context.board, other.file, other.rank, toFile, toRank, kNoPromotion);
        if (LeavesKingInCheck(context.board, context.pieces, shape, side)) {
            continue;
        }
        ++rivals;
        rivalOnFile = rivalOnFile || other.file == fromFile;
    }
    if (rivals == 0) {
        return Disambiguation::kNone;
    }
    if (rivals >= 2) {
        return Disambiguation::kSquare;
    }
    return rivalOnFile ? Disambiguation::kRank : Disambiguation::kFile;
}

void WriteSanMove(ChessContext& context, int ply, int fromFile, int fromRank, int toFile, int toRank,
                  SanText& out) {
    const Side side = SideOfPly(ply);
    Board& board = context.board;
    const PieceCode kind = KindOf(board[fromFile][fromRank]);
    const bool capture = board[toFile][toRank] != kEmpty;
    PieceCode promotion = kNoPromotion;
    SanBuilder san(out);
    const CastlingMove castling = kind == kKing ? CastlingOfKingMove(board, context.castling, side, fromFile,
                                                                     fromRank, toFile, toRank, false)
                                                : CastlingMove::kNone;
    if (castling != CastlingMove::kNone) {
        const bool kingSide = castling == CastlingMove::kShort;
        san.Add(kingSide ? "O-O" : "O-O-O");
        if (GivesCheck(board, context.pieces, CastlingMoveShape(context, side, kingSide), side)) {
            san.Add(kCheckMark);
        }
        return;
    }
    if (kind == kPawn) {
        san.Add(FileLetter(fromFile));
        if (toFile != fromFile) {
            san.Add(kCaptureMark);
            san.Add(FileLetter(toFile));
        }
        san.Add(RankDigit(toRank));
        if (toRank == PromotionRank(side)) {
            promotion = PromotionKindOfChoice(context.promotionChoice);
            san.Add(kPromotionMark);
            san.Add(KindLetter(promotion));
        }
    } else {
        san.Add(KindLetter(kind));
        if (kind != kKing) {
            const Disambiguation needed =
                DisambiguationNeeded(context, kind, fromFile, fromRank, toFile, toRank, side);
            if (needed == Disambiguation::kFile || needed == Disambiguation::kSquare) {
                san.Add(FileLetter(fromFile));
            }
            if (needed == Disambiguation::kRank || needed == Disambiguation::kSquare) {
                san.Add(RankDigit(fromRank));
            }
        }
        if (capture) {
            san.Add(kCaptureMark);
        }
        san.AddSquare(toFile, toRank);
    }
    const MoveShape shape = DescribeMove(board, fromFile, fromRank, toFile, toRank, promotion);
    if (GivesCheck(board, context.pieces, shape, side)) {
        san.Add(kCheckMark);
    }
}

}  // namespace ravelin::chess
