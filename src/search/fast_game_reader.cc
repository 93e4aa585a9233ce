#include "search/fast_game_reader.h"

#include <algorithm>
#include <cstring>
#include <string_view>

#include "chess/movetext_scanner.h"
#include "chess/san_reader.h"
#include "gamefile/game_loader.h"
#include "gamefile/game_walk.h"

namespace ravelin::search {

namespace {

using chess::Side;

// The word of a move the SAN reader resolved: its own squares, castling as the king's move.
FastMove WordOf(const chess::SanMove& move, Side side) {
    const bool white = side == Side::kWhite;
    if (move.form == chess::SanForm::kCastleShort) {
        return white ? kWhiteShortCastle : kBlackShortCastle;
    }
    if (move.form == chess::SanForm::kCastleLong) {
        return white ? kWhiteLongCastle : kBlackLongCastle;
    }
    auto word = static_cast<FastMove>(FastSquare(move.toFile, move.toRank) * 256 +
                                      FastSquare(move.fromFile, move.fromRank));
    switch (move.promotion) {
        case chess::kKnight:
            word |= kFastPromoteKnight;
            break;
        case chess::kBishop:
            word |= kFastPromoteBishop;
            break;
        case chess::kRook:
            word |= kFastPromoteRook;
            break;
        default:
            break;
    }
    return word;
}

// The king and rook squares on which castling rights depend: a1, e1, h1, a8, e8, h8 (the lean way
// reads only games that start from the standard position).
bool IsCastlingSquare(int file, int rank) {
    return (rank == 1 || rank == 8) && (file == 1 || file == 5 || file == 8);
}

// Plays each main-line move as the scanner reads it. Gives the game up (HandedOver) where the
// full way must decide: long algebraic notation (its moves carry source hints that the replay
// re-checks), a NUL byte where a token should begin, and the move limit.
class LeanSink {
  public:
    LeanSink(chess::ChessContext& context, FastGameMoves& out) : context_(context), out_(out) {}

    void Annotation(int /*plyIndex*/, int /*lineNumber*/, int /*column*/, chess::AnnotationKind /*kind*/) {}
    void Result(std::string_view /*token*/) {}
    void Placeholder(int /*lineNumber*/, std::size_t /*end*/) { PassPly(1); }
    void MoveLimitReached() { handedOver_ = true; }
    bool Move(const chess::ScannedMove& move);

    bool HandedOver() const { return handedOver_; }

  private:
    bool HandOver() {
        handedOver_ = true;
        return false;
    }
    void PassPly(int ply);
    void Play(int ply, std::string_view token);

    chess::ChessContext& context_;
    FastGameMoves& out_;
    bool firstMoveSeen_ = false;
    bool handedOver_ = false;
    // A move could not be played: the replay ends there, the scan goes on to the game's end.
    bool stopped_ = false;
};

bool LeanSink::Move(const chess::ScannedMove& move) {
    if (!firstMoveSeen_) {
        firstMoveSeen_ = true;
        if (chess::DetectNotation(move.token, move.restOfLine) != chess::NotationMode::kStandard) {
            return HandOver();
        }
    }
    // An empty token is a NUL byte; white's 200th move makes the parse stop at the limit.
    if (move.token.empty() || (move.white && move.moveIndex >= chess::kMaxMovesPerSide - 1)) {
        return HandOver();
    }
    if (!stopped_) {
        Play(move.plyIndex, move.token);
    }
    return true;
}

// White's missing first move of a game that starts with black: nothing moves, the word tells so.
void LeanSink::PassPly(int ply) {
    chess::PositionHistory& history = context_.history;
    const auto entry = static_cast<std::size_t>(ply);
    history.castlingRights[entry] = history.castlingRights[entry - 1];
    history.enPassantFile[entry] = history.enPassantFile[entry - 1];
    out_.words[static_cast<std::size_t>(out_.plies++)] = kNoMoveFound;
}

void LeanSink::Play(int ply, std::string_view token) {
    // The replay treats any text beginning with a dot as white's missing first move.
    if (ply == 1 && token.front() == '.') {
        PassPly(ply);
        return;
    }
    static constexpr chess::FromHint kNoHint{};
    chess::SanMove move;
    // The move list keeps seven characters of a token; the SAN reader sees no more.
    if (!chess::ResolveSanMove(context_, ply, token.substr(0, chess::kMaxSanLength), kNoHint, move)) {
        stopped_ = true;
        return;
    }
    chess::PlayResolvedMove(context_, ply, move);
    // What the next ply needs of the history: the castling rights left and a double step's file.
    chess::PositionHistory& history = context_.history;
    const auto entry = static_cast<std::size_t>(ply);
    // Rights are lost only when a king or rook square is left or taken, so the board is looked at
    // only then (a right still held always has its king and rook at home).
    const std::uint8_t rights = history.castlingRights[entry - 1];
    const bool homeSquareTouched =
        IsCastlingSquare(move.fromFile, move.fromRank) || IsCastlingSquare(move.toFile, move.toRank);
    history.castlingRights[entry] =
        rights == 0 || !homeSquareTouched
            ? rights
            : static_cast<std::uint8_t>(rights &
                                        chess::CastlingRightsPossible(context_.board, context_.castling));
    const bool doubleStep =
        move.kind == chess::kPawn && (move.toRank - move.fromRank == 2 || move.fromRank - move.toRank == 2);
    history.enPassantFile[entry] =
        static_cast<std::uint8_t>(doubleStep ? move.fromFile : chess::kNoEnPassantFile);
    out_.words[static_cast<std::size_t>(out_.plies++)] = WordOf(move, chess::SideOfPly(ply));
}

// The lines the lean way read first, then the reader's, as the movetext parser wants them.
class HandedOverLines : public chess::MovetextLineSource {
  public:
    HandedOverLines(const std::vector<chess::MovetextLine>& lines, int first, int count,
                    gamefile::LineReader& reader, std::uint64_t counterBase)
        : lines_(lines), next_(first), count_(count), reader_(reader, counterBase) {}

    int NextLine(std::string_view& text, std::uint64_t& offset) override {
        if (next_ < count_) {
            const chess::MovetextLine& line = lines_[static_cast<std::size_t>(next_++)];
            text = line.View();
            offset = line.offset;
            return static_cast<int>(line.bytes);
        }
        return reader_.NextLine(text, offset);
    }

  private:
    const std::vector<chess::MovetextLine>& lines_;
    int next_;
    int count_;
    gamefile::ReaderLineSource reader_;
};

}  // namespace

FastGameReader::FastGameReader()
    : context_(chess::MakeChessContext()),
      record_(chess::MakeGameRecord()),
      lines_(chess::kMaxMovetextLines) {
    chess::ChessContext& context = *context_;
    context.batch = true;
    chess::SetStartPosition(context);
    startBoard_ = context.board;
    startPieces_ = context.pieces;
    startRights_ = context.history.castlingRights[0];
}

void FastGameReader::ReadMoves(gamefile::LineReader& reader, gamefile::GameHeader& header, FastGamePath path,
                               FastGameMoves& out) {
    chess::ChessContext& context = *context_;
    // Every game is replayed from the standard position, FEN games too (they are only warned about).
    context.fenSwitch = false;
    context.setupSwitch = false;
    out.plies = 0;
    out.cutOff = false;
    out.fullWay = false;
    lineCount_ = 0;
    if (path == FastGamePath::kLeanFirst && !header.fenPresent && ReadLean(reader, header, out)) {
        return;
    }
    const bool firstLineTaken = lineCount_ > 0 && header.firstMovetextLine.present;
    out.plies = 0;
    ReadFull(reader, header, firstLineTaken, out);
}

bool FastGameReader::ReadLean(gamefile::LineReader& reader, gamefile::GameHeader& header,
                              FastGameMoves& out) {
    chess::ChessContext& context = *context_;
    context.board = startBoard_;
    context.pieces = startPieces_;
    context.history.castlingRights[0] = startRights_;
    context.history.enPassantFile[0] = chess::kNoEnPassantFile;
    LeanSink sink(context, out);
    chess::MovetextScanner<LeanSink> scanner(sink, 0);
    // Each line is kept (the scan may rewrite castling written with zeros in place) so that the
    // full way can be handed every line read so far.
    auto take = [&](std::string_view text, std::uint32_t bytes, std::uint64_t offset) {
        chess::MovetextLine& line = lines_[static_cast<std::size_t>(lineCount_)];
        line.length =
            static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), chess::kMaxMovetextLineLength));
        std::memcpy(line.text.data(), text.data(), line.length);
        line.text[line.length] = '\0';
        line.bytes = bytes;
        line.offset = offset;
        scanner.ScanLine(line.text.data(), line.length, lineCount_);
        ++lineCount_;
        return !sink.HandedOver();
    };

    const chess::HeldLine& first = header.firstMovetextLine;
    if (first.present && !take(first.View(), first.bytes, first.offset)) {
        return false;
    }
    bool tagLineFound = false;
    while (lineCount_ < chess::kMaxMovetextLines) {
        std::string_view text;
        const int bytes = reader.NextLine(text);
        if (bytes == 0) {
            break;
        }
        const std::uint64_t offset =
            header.gameOffset + reader.byteCounter - static_cast<std::uint64_t>(bytes);
        if (text.empty()) {
            continue;
        }
        if (chess::IsMovetextTagLine(text)) {
            header.pendingLine.Set(text, static_cast<std::uint32_t>(bytes), offset);
            tagLineFound = true;
            break;
        }
        if (!take(text, static_cast<std::uint32_t>(bytes), offset)) {
            return false;
        }
    }
    // At the line limit the parse stops inside the game: the full way says what that means.
    if (lineCount_ >= chess::kMaxMovetextLines) {
        return false;
    }
    header.pendingLine.present = tagLineFound;
    header.firstMovetextLine.present = false;
    return true;
}

void FastGameReader::ReadFull(gamefile::LineReader& reader, gamefile::GameHeader& header, bool firstLineTaken,
                              FastGameMoves& out) {
    chess::ChessContext& context = *context_;
    chess::GameRecord& record = *record_;
    record.pendingFirstLine = header.firstMovetextLine;
    header.firstMovetextLine.present = false;
    HandedOverLines source(lines_, firstLineTaken ? 1 : 0, lineCount_, reader, header.gameOffset);
    chess::ParseMovetext(context, record, source);
    header.pendingLine = record.pendingHeaderLine;
    int plies = 0;
    if (record.moveCount > 0) {
        chess::SetStartPosition(context);
        plies = chess::ReplayMoves(context, record.moveCount);
    }
    for (int ply = 1; ply <= plies; ++ply) {
        out.words[static_cast<std::size_t>(ply - 1)] = DeriveFastMove(context.history, ply);
    }
    out.plies = plies;
    out.cutOff = gamefile::ParseStoppedAtLimit(record);
    out.fullWay = true;
}

}  // namespace ravelin::search
