#include "chess/chess_context.h"

#include <algorithm>
#include <bit>
#include <cstring>

#include "chess/move_legality.h"
#include "chess/san_reader.h"

namespace ravelin::chess {

namespace {

constexpr char kBadMoveMark = '*';
constexpr char kPlaceholderFirst = '.';

bool IsEmptyText(const SanText& text) {
    return text[0] == '\0';
}

// The ".." that stands for white's missing first move when a game starts with black to move.
bool IsPlaceholder(const SanText& text) {
    return text[0] == kPlaceholderFirst;
}

bool HasRealHint(const FromHint& hint) {
    return FileFromLetter(hint[0]) != 0 && RankFromDigit(hint[1]) != 0;
}

// Marks a move that could not be played. A full seven-character text gives up its last character.
void MarkBadMove(SanText& text) {
    const std::size_t length = SanView(text).size();
    text[std::min<std::size_t>(length, kMaxSanLength - 1)] = kBadMoveMark;
    text[std::min<std::size_t>(length + 1, kMaxSanLength)] = '\0';
}

// The file of a pawn the mover of the ply double-stepped, comparing the boards before and after.
// Such a pawn's start square changed, so only files whose start square is among the changed
// squares are looked at, lowest file first.
std::uint8_t DoubleStepFile(const CompactBoard& before, const Board& after, std::uint64_t changedSquares,
                            Side mover) {
    const PieceCode pawn = MakePiece(mover, kPawn);
    const int start = PawnStartRank(mover);
    const int landing = PawnDoubleStepRank(mover);
    constexpr std::uint64_t kFirstRankOfEveryFile = 0x0101010101010101ULL;
    std::uint64_t candidates = changedSquares & (kFirstRankOfEveryFile << (start - kFirstLine));
    for (; candidates != 0; candidates &= candidates - 1) {
        const int file = std::countr_zero(candidates) / kLastLine + kFirstLine;
        if (after[file][landing] == pawn && after[file][start] == kEmpty &&
            before[CompactIndex(file, start)] == pawn && before[CompactIndex(file, landing)] == kEmpty) {
            return static_cast<std::uint8_t>(file);
        }
    }
    return kNoEnPassantFile;
}

// Re-writes a move before it is played: after a promotion overflow of its side, or when it carries
// a source-square hint. The move is located and written afresh by coordinates; on success the hint
// is replaced by the located from-square so the move acts on exactly that piece. A failure after
// an overflow marks the move as bad; a failed hint is left as it was.
enum class Recheck { kRewritten, kKept, kBad };

Recheck RecheckMove(ChessContext& context, int ply, bool afterOverflow, FromHint& hint) {
    const SanText& text = context.moves.MoveOfPly(ply);
    const int located = LocateSanMove(context, ply, text, hint);
    const LocateResult at = context.locate;
    if (located != 1 &&
        MakeCoordinateMove(context, false, ply, at.fromFile, at.fromRank, at.toFile, at.toRank) == 0) {
        hint = {FileLetter(at.fromFile), RankDigit(at.fromRank), '\0'};
        return Recheck::kRewritten;
    }
    return afterOverflow ? Recheck::kBad : Recheck::kKept;
}

}  // namespace

void SetSanText(SanText& san, std::string_view text) {
    // Every move read goes through here: one zeroing store and a short copy.
    san = SanText{};
    if (!text.empty()) {
        std::memcpy(san.data(), text.data(), std::min<std::size_t>(text.size(), kMaxSanLength));
    }
}

std::string_view SanView(const SanText& san) {
    const auto end = std::find(san.begin(), san.end(), '\0');
    return std::string_view(san.data(), static_cast<std::size_t>(end - san.begin()));
}

void ChessContext::Warn(std::string_view message) const {
    if (!batch && messages) {
        messages(message);
    }
}

std::unique_ptr<ChessContext> MakeChessContext() {
    return std::make_unique<ChessContext>();
}

void SetStartPosition(ChessContext& context) {
    if (context.setupSwitch) {
        SetUpFromPositionBoard(context, context.setupBoard);
    } else if (context.fenSwitch) {
        SetUpFromPositionBoard(context, context.fenBoard, context.fenCastlingRights, context.fenEnPassantFile,
                               context.fenCastling);
    } else {
        SetUpFromPositionBoard(context, MakeStartBoard());
    }
}

void SetUpFromPositionBoard(ChessContext& context, const Board& source, std::uint8_t castlingRights,
                            int enPassantFile, const CastlingSetup& castling) {
    context.castling = castling;
    context.board = Board{};
    for (int file = kFirstLine; file <= kLastLine; ++file) {
        for (int rank = kFirstLine; rank <= kLastLine; ++rank) {
            context.board[file][rank] = source[file][rank];
        }
    }
    BuildPieceTable(context.board, context.pieces);
    context.history.boards[0] = ToCompact(context.board);
    context.history.pieces[0] = context.pieces;
    context.history.changedSquares[0] = 0;
    context.history.castlingRights[0] =
        static_cast<std::uint8_t>(castlingRights & CastlingRightsPossible(context.board, context.castling));
    context.history.enPassantFile[0] = static_cast<std::uint8_t>(
        enPassantFile >= kFirstLine && enPassantFile <= kLastLine ? enPassantFile : 0);
}

void SavePosition(ChessContext& context, int ply) {
    if (ply < 0 || ply > kMaxPly) {
        return;
    }
    PositionHistory& history = context.history;
    StoreCompact(context.board, history.boards[ply]);
    history.pieces[ply] = context.pieces;
    if (ply == 0) {
        history.changedSquares[0] = 0;
        history.castlingRights[0] = static_cast<std::uint8_t>(
            history.castlingRights[0] & CastlingRightsPossible(context.board, context.castling));
        return;
    }
    history.changedSquares[ply] = ChangedSquares(history.boards[ply - 1], history.boards[ply]);
    if (history.changedSquares[ply] == 0) {
        // Only white's ".." placeholder leaves the board as it was: nothing happened, nothing changes.
        history.castlingRights[ply] = history.castlingRights[ply - 1];
        history.enPassantFile[ply] = history.enPassantFile[ply - 1];
        return;
    }
    // Rights once lost never come back, so the board is only looked at while some remain.
    const std::uint8_t previous = history.castlingRights[ply - 1];
    history.castlingRights[ply] =
        previous == 0
            ? previous
            : static_cast<std::uint8_t>(previous & CastlingRightsPossible(context.board, context.castling));
    history.enPassantFile[ply] =
        DoubleStepFile(history.boards[ply - 1], context.board, history.changedSquares[ply], SideOfPly(ply));
}

void RestorePosition(ChessContext& context, int ply) {
    if (ply < 0 || ply > kMaxPly) {
        return;
    }
    context.board = FromCompact(context.history.boards[ply]);
    context.pieces = context.history.pieces[ply];
}

int ReplayMoves(ChessContext& context, int movePairs) {
    context.replayRunning = true;
    context.overflowRecheck = {};
    int played = 0;
    const int lastPly = 2 * std::clamp(movePairs, 0, kMaxMovesPerSide);
    for (int ply = 1; ply <= lastPly; ++ply) {
        SanText& text = context.moves.MoveOfPly(ply);
        if (IsEmptyText(text)) {
            break;
        }
        if (ply == 1 && IsPlaceholder(text)) {
            SavePosition(context, ply);
            ++played;
            continue;
        }
        const Side side = SideOfPly(ply);
        FromHint& storedHint = context.moves.HintOfPly(ply);
        FromHint hint = storedHint;
        const bool afterOverflow = context.overflowRecheck[SideIndex(side)] && !context.batch;
        const bool hinted = HasRealHint(storedHint) && !context.searchReplay;
        if (afterOverflow || hinted) {
            const Recheck recheck = RecheckMove(context, ply, afterOverflow, hint);
            if (recheck == Recheck::kBad) {
                MarkBadMove(text);
                break;
            }
            if (recheck == Recheck::kRewritten && hinted) {
                storedHint = FromHint{};
            }
        }
        if (!ApplySan(context, ply, text, hint)) {
            MarkBadMove(text);
            break;
        }
        SavePosition(context, ply);
        ++played;
    }
    context.replayRunning = false;
    context.overflowRecheck = {};
    return played;
}

int ReplayToPly(ChessContext& context, int ply, bool keepRest) {
    SetStartPosition(context);
    const int target = std::clamp(ply, 0, kMaxPly);
    if (target == kMaxPly) {
        return ReplayMoves(context, kMaxMovesPerSide);
    }
    SanText& next = context.moves.MoveOfPly(target + 1);
    const SanText saved = next;
    next.fill('\0');
    const int played = ReplayMoves(context, (target + 1) / 2);
    // Without keepRest the emptied entry stays empty and the move list ends at the ply.
    if (keepRest) {
        next = saved;
    }
    return played;
}

}  // namespace ravelin::chess
