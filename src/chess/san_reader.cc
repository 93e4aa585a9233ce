#include "chess/san_reader.h"

#include <array>
#include <cstdlib>
#include <string>

#include "chess/attacks.h"
#include "chess/move_legality.h"

namespace ravelin::chess {

namespace {

constexpr char kCaptureMark = 'x';
constexpr char kPromotionMark = '=';
constexpr char kCastleLetter = 'O';
constexpr std::string_view kTokenEnds = " {}();$.";

// Characters that end a move token, NUL included, as a table: this test runs on every character
// of every move replayed.
constexpr std::array<bool, 256> MakeTokenEndTable() {
    std::array<bool, 256> table{};
    table[0] = true;
    for (const char c : kTokenEnds) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}
constexpr std::array<bool, 256> kTokenEndTable = MakeTokenEndTable();

bool IsTokenEnd(char c) {
    return kTokenEndTable[static_cast<unsigned char>(c)];
}
constexpr std::string_view kShortCastleText = "O-O";
constexpr std::string_view kLongCastleText = "O-O-O";
// A square takes two characters of a move text.
constexpr int kSquareChars = 2;
// Room for a canonical head (at most "Qh4xe1") and a whole original text behind it.
constexpr int kRewriteBufferSize = 2 * kSanTextSize;

bool IsLowerLetter(char c) {
    return c >= 'a' && c <= 'z';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

// The promotion letter after a pawn's target: none, a check mark or any other character below 'B'
// means a queen; N, B, R, Q (either case) name the kind; any other letter is not recognised.
PieceCode PromotionKindOfLetter(char letter) {
    if (letter < 'B') {
        return kQueen;
    }
    switch (letter) {
        case 'N':
        case 'n':
            return kKnight;
        case 'B':
        case 'b':
            return kBishop;
        case 'R':
        case 'r':
            return kRook;
        case 'Q':
        case 'q':
            return kQueen;
        default:
            return kEmpty;
    }
}

// What the text says, before it is checked against the position.
struct ParsedSan {
    SanForm form = SanForm::kNotRecognised;
    PieceCode kind = kEmpty;
    int givenFile = 0;  // disambiguation or the pawn's file
    int givenRank = 0;
    int toFile = 0;
    int toRank = 0;
    bool squareFirst = false;  // written as from-square and target without a piece letter (g1f3)
    int tailStart = 0;         // first character after the target square
};

inline char At(std::string_view text, int index) {
    return index < static_cast<int>(text.size()) ? text[index] : '\0';
}

inline bool ReadSquare(std::string_view token, int index, int& file, int& rank) {
    file = FileFromLetter(At(token, index));
    rank = RankFromDigit(At(token, index + 1));
    return file != 0 && rank != 0;
}

// N, B, R, Q, K followed by [file][rank][x] and the target.
bool ParsePieceText(std::string_view token, ParsedSan& parsed) {
    int end = 1;
    while (
        end < static_cast<int>(token.size()) &&
        (FileFromLetter(token[end]) != 0 || RankFromDigit(token[end]) != 0 || token[end] == kCaptureMark)) {
        ++end;
    }
    if (end - 1 < kSquareChars || !ReadSquare(token, end - kSquareChars, parsed.toFile, parsed.toRank)) {
        return false;
    }
    int givenEnd = end - kSquareChars;
    if (givenEnd > 1 && token[givenEnd - 1] == kCaptureMark) {
        --givenEnd;
    }
    const std::string_view given = token.substr(1, givenEnd - 1);
    if (given.size() == static_cast<std::size_t>(kSquareChars)) {
        if (!ReadSquare(given, 0, parsed.givenFile, parsed.givenRank)) {
            return false;
        }
    } else if (given.size() == 1) {
        parsed.givenFile = FileFromLetter(given[0]);
        parsed.givenRank = RankFromDigit(given[0]);
        if (parsed.givenFile == 0 && parsed.givenRank == 0) {
            return false;
        }
    } else if (!given.empty()) {
        return false;
    }
    parsed.tailStart = end;
    parsed.form = parsed.kind == kKing ? SanForm::kKingMove : SanForm::kPieceMove;
    return true;
}

// Texts that start with a small letter: e4, exd5, ed5, e2e4, e4xd5, and g1f3 (a piece written by
// its square, which the board decides).
bool ParseLowerCaseText(std::string_view token, const Board& board, const CastlingSetup& castling, Side side,
                        ParsedSan& parsed) {
    parsed.givenFile = FileFromLetter(token[0]);
    if (parsed.givenFile == 0) {
        return false;
    }
    const char second = At(token, 1);
    int target = 0;
    if (second == kCaptureMark) {
        target = 2;
        parsed.form = SanForm::kPawnCapture;
    } else if (IsLowerLetter(second)) {
        target = 1;
        parsed.form = SanForm::kPawnCapture;
    } else if (IsDigit(second) && IsLowerLetter(At(token, 2))) {
        parsed.givenRank = RankFromDigit(second);
        if (parsed.givenRank == 0) {
            return false;
        }
        target = At(token, 2) == kCaptureMark ? 3 : 2;
        const PieceCode piece = board[parsed.givenFile][parsed.givenRank];
        if (!BelongsTo(piece, side)) {
            return false;
        }
        if (KindOf(piece) != kPawn) {
            parsed.kind = KindOf(piece);
            parsed.squareFirst = true;
            parsed.form = parsed.kind == kKing ? SanForm::kKingMove : SanForm::kPieceMove;
        }
        // e1g1 written by coordinates: the king's two-file step from its start square is castling,
        // and so is a Chess960 king moved onto its own castling rook.
        if (parsed.form == SanForm::kKingMove) {
            const CastlingMove castle = CastlingOfKingMove(
                board, castling, side, parsed.givenFile, parsed.givenRank, FileFromLetter(At(token, target)),
                RankFromDigit(At(token, target + 1)), true);
            if (castle != CastlingMove::kNone) {
                parsed.form = castle == CastlingMove::kShort ? SanForm::kCastleShort : SanForm::kCastleLong;
                parsed.tailStart = target + kSquareChars;
                return true;
            }
        }
    } else {
        parsed.form = SanForm::kPawnAdvance;
    }
    if (!ReadSquare(token, target, parsed.toFile, parsed.toRank)) {
        return false;
    }
    parsed.tailStart = target + kSquareChars;
    if (parsed.form == SanForm::kNotRecognised) {
        parsed.kind = kPawn;
        parsed.form = parsed.toFile == parsed.givenFile ? SanForm::kPawnAdvance : SanForm::kPawnCapture;
    } else if (parsed.form != SanForm::kPieceMove && parsed.form != SanForm::kKingMove) {
        parsed.kind = kPawn;
    }
    return true;
}

bool ParseSan(std::string_view token, const Board& board, const CastlingSetup& castling, Side side,
              ParsedSan& parsed) {
    if (token.empty()) {
        return false;
    }
    const char first = token[0];
    if (first == kCastleLetter) {
        if (token.starts_with(kLongCastleText)) {
            parsed.form = SanForm::kCastleLong;
        } else if (token.starts_with(kShortCastleText)) {
            parsed.form = SanForm::kCastleShort;
        }
        parsed.kind = kKing;
        return parsed.form != SanForm::kNotRecognised;
    }
    if (IsLowerLetter(first)) {
        return ParseLowerCaseText(token, board, castling, side, parsed);
    }
    parsed.kind = KindOfPieceLetter(first);
    return parsed.kind != kEmpty && ParsePieceText(token, parsed);
}

bool HasHint(const FromHint& hint) {
    return FileFromLetter(hint[0]) != 0 && RankFromDigit(hint[1]) != 0;
}

// Chooses which of the side's pieces of the kind makes the move: the hinted one, or among those
// the text's file or rank allows, the one whose line to the target is open; when several remain,
// a piece pinned against its king is passed over.
bool ResolveMovingPiece(ChessContext& context, Side side, const ParsedSan& parsed, const FromHint& hint,
                        SanMove& move) {
    const Board& board = context.board;
    const PieceCode code = MakePiece(side, parsed.kind);
    if (HasHint(hint)) {
        move.fromFile = FileFromLetter(hint[0]);
        move.fromRank = RankFromDigit(hint[1]);
        return board[move.fromFile][move.fromRank] == code &&
               PieceMoveFits(board, parsed.kind, move.fromFile, move.fromRank, move.toFile, move.toRank);
    }
    PieceList pieces{};
    const int count = CollectPieces(board, context.pieces, side, parsed.kind, pieces);
    PieceList reaching{};
    int reachingCount = 0;
    for (int i = 0; i < count; ++i) {
        const PieceSlot piece = pieces[i];
        if ((parsed.givenFile != 0 && piece.file != parsed.givenFile) ||
            (parsed.givenRank != 0 && piece.rank != parsed.givenRank) ||
            !PieceMoveFits(board, parsed.kind, piece.file, piece.rank, move.toFile, move.toRank)) {
            continue;
        }
        reaching[reachingCount++] = piece;
    }
    if (reachingCount == 0) {
        return false;
    }
    int chosen = 0;
    if (reachingCount > 1) {
        chosen = -1;
        for (int i = 0; i < reachingCount && chosen < 0; ++i) {
            const MoveShape shape = DescribeMove(board, reaching[i].file, reaching[i].rank, move.toFile,
                                                 move.toRank, kNoPromotion);
            if (!LeavesKingInCheck(context.board, context.pieces, shape, side)) {
                chosen = i;
            }
        }
        if (chosen < 0) {
            return false;
        }
    }
    move.fromFile = reaching[chosen].file;
    move.fromRank = reaching[chosen].rank;
    return true;
}

bool ResolvePawnMove(ChessContext& context, int ply, Side side, const ParsedSan& parsed,
                     std::string_view token, SanMove& move) {
    const Board& board = context.board;
    const PieceCode pawn = MakePiece(side, kPawn);
    const int direction = PawnDirection(side);
    move.fromFile = parsed.givenFile;
    if (parsed.form == SanForm::kPawnAdvance) {
        if (parsed.givenRank != 0) {
            move.fromRank = parsed.givenRank;
        } else {
            move.fromRank = move.toRank - direction;
            // e4 from the start: the pawn comes from e2 when e3 is empty.
            if (IsOnBoard(move.fromFile, move.fromRank) && board[move.fromFile][move.fromRank] == kEmpty &&
                move.toRank == PawnDoubleStepRank(side)) {
                move.fromRank -= direction;
            }
        }
    } else {
        move.fromRank = move.toRank - direction;
        if (parsed.givenRank != 0 && parsed.givenRank != move.fromRank) {
            return false;
        }
    }
    if (!IsOnBoard(move.fromFile, move.fromRank) || board[move.fromFile][move.fromRank] != pawn ||
        !PawnMoveFits(board, side, move.fromFile, move.fromRank, move.toFile, move.toRank,
                      EnPassantFileForPly(context, ply))) {
        return false;
    }
    if (parsed.form == SanForm::kPawnCapture) {
        move.capturedFile = move.toFile;
        move.capturedRank = board[move.toFile][move.toRank] != kEmpty ? move.toRank : move.fromRank;
    }
    if (move.toRank == PromotionRank(side)) {
        int index = parsed.tailStart;
        if (At(token, index) == kPromotionMark) {
            ++index;
        }
        move.promotion = PromotionKindOfLetter(At(token, index));
        return move.promotion != kEmpty;
    }
    return true;
}

bool ResolveKingMove(ChessContext& context, Side side, const ParsedSan& parsed, const FromHint& hint,
                     SanMove& move) {
    const PieceSlot king = context.pieces.King(side);
    if (king.IsEmpty() || context.board[king.file][king.rank] != MakePiece(side, kKing) ||
        (parsed.givenFile != 0 && parsed.givenFile != king.file) ||
        (parsed.givenRank != 0 && parsed.givenRank != king.rank) ||
        (HasHint(hint) && !king.Holds(FileFromLetter(hint[0]), RankFromDigit(hint[1])))) {
        return false;
    }
    move.fromFile = king.file;
    move.fromRank = king.rank;
    return KingStepFits(move.fromFile, move.fromRank, move.toFile, move.toRank);
}

void Warn(ChessContext& context, Side side, PieceCode kind) {
    context.overflowRecheck[SideIndex(side)] = true;
    const std::uint8_t bit = PieceTable::KindBit(kind);
    if (context.batch || context.warningsOff || (context.shownPromotionWarnings & bit) != 0) {
        return;
    }
    context.shownPromotionWarnings = static_cast<std::uint8_t>(context.shownPromotionWarnings | bit);
    const char* name = kind == kKnight   ? "knights"
                       : kind == kBishop ? "bishops"
                       : kind == kRook   ? "rooks"
                                         : "queens";
    context.Warn(std::string("Sorry - only 3 ") + name + " supported!");
}

void AddText(char* buffer, int& length, char c) {
    if (length < kRewriteBufferSize - 1) {
        buffer[length++] = c;
    }
}

// Rewrites the text to its canonical head and keeps what followed the target (promotion letter,
// check mark, glyphs), cut to seven characters.
void RewriteCanonical(SanText& text, const ParsedSan& parsed, const SanMove& move) {
    if (parsed.form == SanForm::kCastleShort || parsed.form == SanForm::kCastleLong) {
        if (text[0] != kCastleLetter) {
            text.fill('\0');
            const std::string_view castle =
                parsed.form == SanForm::kCastleShort ? kShortCastleText : kLongCastleText;
            castle.copy(text.data(), castle.size());
        }
        return;
    }
    char buffer[kRewriteBufferSize] = {};
    int length = 0;
    const bool capture = move.capturedFile != 0;
    if (parsed.form == SanForm::kPawnAdvance || parsed.form == SanForm::kPawnCapture) {
        AddText(buffer, length, FileLetter(move.fromFile));
        if (parsed.form == SanForm::kPawnCapture) {
            AddText(buffer, length, kCaptureMark);
            AddText(buffer, length, FileLetter(move.toFile));
        }
    } else {
        AddText(buffer, length, KindLetter(parsed.kind));
        if (parsed.form == SanForm::kPieceMove) {
            if (parsed.givenFile != 0) {
                AddText(buffer, length, FileLetter(parsed.givenFile));
            }
            if (parsed.givenRank != 0) {
                AddText(buffer, length, RankDigit(parsed.givenRank));
            }
        }
        if (capture) {
            AddText(buffer, length, kCaptureMark);
        }
        AddText(buffer, length, FileLetter(move.toFile));
    }
    AddText(buffer, length, RankDigit(move.toRank));
    for (int i = parsed.tailStart; i < kSanTextSize && text[i] != '\0'; ++i) {
        AddText(buffer, length, text[i]);
    }
    text.fill('\0');
    for (int i = 0; i < length && i < kMaxSanLength; ++i) {
        text[i] = buffer[i];
    }
}

bool ResolveParsed(ChessContext& context, int ply, std::string_view token, const ParsedSan& parsed,
                   const FromHint& hint, SanMove& move) {
    const Side side = SideOfPly(ply);
    move.form = parsed.form;
    move.kind = parsed.kind;
    if (parsed.form == SanForm::kCastleShort || parsed.form == SanForm::kCastleLong) {
        const bool kingSide = parsed.form == SanForm::kCastleShort;
        move.fromFile = context.castling.KingFile(side);
        move.fromRank = move.toRank = HomeRank(side);
        move.toFile = kingSide ? kShortCastleKingFile : kLongCastleKingFile;
        return kingSide ? CastleShortLegal(context, ply) : CastleLongLegal(context, ply);
    }
    move.toFile = parsed.toFile;
    move.toRank = parsed.toRank;
    const PieceCode target = context.board[move.toFile][move.toRank];
    if (BelongsTo(target, side) || KindOf(target) == kKing) {
        return false;
    }
    if (parsed.form == SanForm::kPawnAdvance || parsed.form == SanForm::kPawnCapture) {
        return ResolvePawnMove(context, ply, side, parsed, token, move);
    }
    if (target != kEmpty) {
        move.capturedFile = move.toFile;
        move.capturedRank = move.toRank;
    }
    if (parsed.form == SanForm::kKingMove) {
        return ResolveKingMove(context, side, parsed, hint, move);
    }
    return ResolveMovingPiece(context, side, parsed, hint, move);
}

bool ParseAndResolve(ChessContext& context, int ply, std::string_view text, const FromHint& hint,
                     ParsedSan& parsed, SanMove& move) {
    if (ply < 1 || ply > kMaxPly) {
        return false;
    }
    const std::string_view token = text.substr(0, SanTokenLength(text));
    return ParseSan(token, context.board, context.castling, SideOfPly(ply), parsed) &&
           ResolveParsed(context, ply, token, parsed, hint, move);
}

}  // namespace

int SanTokenLength(std::string_view text) {
    int length = 0;
    while (length < static_cast<int>(text.size()) && !IsTokenEnd(text[length])) {
        ++length;
    }
    return length;
}

bool ResolveSanMove(ChessContext& context, int ply, std::string_view text, const FromHint& hint,
                    SanMove& move) {
    ParsedSan parsed;
    move = SanMove{};
    return ParseAndResolve(context, ply, text, hint, parsed, move);
}

int LocateSanMove(ChessContext& context, int ply, const SanText& text, const FromHint& hint) {
    ParsedSan parsed;
    SanMove move;
    if (!ParseAndResolve(context, ply, SanView(text), hint, parsed, move)) {
        return 1;
    }
    context.locate = {move.fromFile, move.fromRank, move.toFile, move.toRank};
    if (context.castling.chess960 &&
        (move.form == SanForm::kCastleShort || move.form == SanForm::kCastleLong)) {
        // Chess960 castling by coordinates is the king moved onto its rook.
        context.locate.toFile = context.castling.RookFile(SideOfPly(ply), move.form == SanForm::kCastleShort);
    }
    if (move.promotion == kEmpty) {
        return 0;
    }
    context.promotionChoice = move.promotion;
    for (const PieceSlot& slot : context.pieces.Kind(SideOfPly(ply), move.promotion)) {
        if (slot.IsEmpty()) {
            return 0;
        }
    }
    return -move.promotion;
}

bool ApplySan(ChessContext& context, int ply, SanText& text, const FromHint& hint) {
    ParsedSan parsed;
    SanMove move;
    if (!ParseAndResolve(context, ply, SanView(text), hint, parsed, move)) {
        return false;
    }
    RewriteCanonical(text, parsed, move);
    PlayResolvedMove(context, ply, move);
    return true;
}

void PlayResolvedMove(ChessContext& context, int ply, const SanMove& move) {
    const Side side = SideOfPly(ply);
    Board& board = context.board;
    PieceTable& pieces = context.pieces;
    if (move.form == SanForm::kCastleShort || move.form == SanForm::kCastleLong) {
        const bool kingSide = move.form == SanForm::kCastleShort;
        const int rank = move.fromRank;
        const int rookFrom = context.castling.RookFile(side, kingSide);
        const int rookTo = kingSide ? kShortCastleRookFile : kLongCastleRookFile;
        // Both leave before either lands: in Chess960 one may land where the other stood.
        board[rookFrom][rank] = kEmpty;
        board[move.fromFile][rank] = kEmpty;
        board[rookTo][rank] = MakePiece(side, kRook);
        MoveSlot(pieces, side, kRook, rookFrom, rank, rookTo, rank);
        board[move.toFile][rank] = MakePiece(side, kKing);
        pieces.King(side) = {move.toFile, rank};
        return;
    }
    if (move.capturedFile != 0) {
        RemoveCapturedPiece(board, pieces, move.capturedFile, move.capturedRank);
    }
    const PieceCode code = board[move.fromFile][move.fromRank];
    board[move.fromFile][move.fromRank] = kEmpty;
    if (move.promotion != kEmpty) {
        board[move.toFile][move.toRank] = MakePiece(side, move.promotion);
        if (!AddToSlots(pieces, side, move.promotion, move.toFile, move.toRank)) {
            Warn(context, side, move.promotion);
        }
        return;
    }
    board[move.toFile][move.toRank] = code;
    if (move.kind == kKing) {
        pieces.King(side) = {move.toFile, move.toRank};
    } else if (move.kind != kPawn) {
        MoveSlot(pieces, side, move.kind, move.fromFile, move.fromRank, move.toFile, move.toRank);
    }
}

bool ApplyWhiteSan(ChessContext& context, int moveNumber, SanText& text, const FromHint& hint) {
    return ApplySan(context, 2 * moveNumber - 1, text, hint);
}

bool ApplyBlackSan(ChessContext& context, int moveNumber, SanText& text, const FromHint& hint) {
    return ApplySan(context, 2 * moveNumber, text, hint);
}

}  // namespace ravelin::chess
