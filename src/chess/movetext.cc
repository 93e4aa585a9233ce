#include "chess/movetext.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "chess/annotations.h"
#include "chess/movetext_scanner.h"

namespace ravelin::chess {

namespace {

constexpr char kCastleLetter = 'O';
constexpr std::string_view kPieceLetters = "NBQRK";
// Room for a move token while it is shortened; anything beyond a SAN entry is dropped anyway.
constexpr std::size_t kTokenBufferSize = 32;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsSquareAt(std::string_view text, std::size_t at) {
    return at + 1 < text.size() && FileFromLetter(text[at]) != 0 && RankFromDigit(text[at + 1]) != 0;
}
bool IsPieceLetter(char c) {
    return kPieceLetters.find(c) != std::string_view::npos;
}

bool IsCoordinateMove(const SanText& text) {
    const std::string_view view = SanView(text);
    return view.size() >= 4 && IsSquareAt(view, 0) && IsSquareAt(view, 2);
}

// Keeps everything the scan finds for the display: the move list with its hints, the annotation
// index, and where each ply ends in the file and on the screen.
class RecordSink {
  public:
    RecordSink(ChessContext& context, GameRecord& record) : context_(context), record_(record) {}

    void SetDisplayLinesBefore(int lines) { displayLinesBefore_ = lines; }

    void Annotation(int plyIndex, int lineNumber, int column, AnnotationKind kind) {
        RecordAnnotation(record_, plyIndex, lineNumber, column, kind);
    }
    void Result(std::string_view token) { SetSanText(record_.result, token); }
    void Placeholder(int lineNumber, std::size_t end) {
        SetSanText(context_.moves.whiteMoves[0], kBlackFirstPlaceholder);
        EnterPly(1, lineNumber, end);
    }
    void MoveLimitReached() {
        char message[sizeof kMaxMovesWarning + 16];
        std::snprintf(message, sizeof message, kMaxMovesWarning, kMaxMovesPerSide);
        context_.Warn(message);
    }
    bool Move(const ScannedMove& scanned);

  private:
    void EnterPly(int plyIndex, int lineNumber, std::size_t end) {
        const MovetextLine& line = record_.movetextLines[static_cast<std::size_t>(lineNumber)];
        record_.moveEndOffsets[static_cast<std::size_t>(plyIndex)] = line.offset + end;
        record_.plyDisplayLines[static_cast<std::size_t>(plyIndex)] = displayLinesBefore_;
    }

    ChessContext& context_;
    GameRecord& record_;
    bool firstMoveSeen_ = false;
    int displayLinesBefore_ = 0;
};

bool RecordSink::Move(const ScannedMove& scanned) {
    MoveList& moves = context_.moves;
    const auto index = static_cast<std::size_t>(scanned.moveIndex);
    if (!firstMoveSeen_) {
        firstMoveSeen_ = true;
        record_.notation = DetectNotation(scanned.token, scanned.restOfLine);
        if (record_.notation == NotationMode::kLongWithPieceLetters) {
            moves.whiteHints[0][0] = 1;
        }
    }
    const bool longNotation = record_.notation != NotationMode::kStandard;
    const bool keepCoordinates = record_.notation == NotationMode::kLongWithoutPieceLetters;
    if (scanned.white) {
        FromHint hint = moves.whiteHints[index];
        StoreMoveToken(scanned.token, longNotation, keepCoordinates, moves.whiteMoves[index], hint);
        if (hint[0] != '\0') {
            moves.whiteHints[index] = hint;
        }
        // The game summary replays games that carry hints or coordinate moves before showing them.
        if (scanned.moveIndex == 0 && moves.whiteHints[0][0] == '\0' &&
            IsCoordinateMove(moves.whiteMoves[0])) {
            moves.whiteHints[0][0] = 1;
        }
    } else {
        StoreMoveToken(scanned.token, longNotation, keepCoordinates, moves.blackMoves[index],
                       moves.blackHints[index]);
    }
    EnterPly(scanned.plyIndex, scanned.lineNumber, scanned.end);
    return true;
}

}  // namespace

bool IsMovetextTagLine(std::string_view line) {
    if (line.size() < 3 || line[0] != '[' || line[1] < 'A' || line[1] > 'Z') {
        return false;
    }
    std::size_t last = line.size();
    while (last > 0 && IsBlank(line[last - 1])) {
        --last;
    }
    return last > 0 && line[last - 1] == ']';
}

NotationMode DetectNotation(std::string_view token, std::string_view restOfLine) {
    if (token.empty() || token[0] == kCastleLetter) {
        return NotationMode::kStandard;
    }
    const bool dashAtThird = token.size() > 2 && token[2] == '-';
    const bool dashAtFourth = token.size() > 3 && token[3] == '-';
    if (!dashAtThird && !dashAtFourth) {
        return NotationMode::kStandard;
    }
    return restOfLine.find_first_of(kPieceLetters) != std::string_view::npos
               ? NotationMode::kLongWithPieceLetters
               : NotationMode::kLongWithoutPieceLetters;
}

void HeldLine::Set(std::string_view line, std::uint32_t lineBytes, std::uint64_t lineOffset) {
    length = static_cast<std::uint16_t>(std::min<std::size_t>(line.size(), kMaxMovetextLineLength));
    std::memcpy(text.data(), line.data(), length);
    text[length] = '\0';
    bytes = lineBytes;
    offset = lineOffset;
    present = true;
}

GameRecord::GameRecord() : movetextLines(kMaxMovetextLines) {}

std::unique_ptr<GameRecord> MakeGameRecord() {
    return std::make_unique<GameRecord>();
}

void StoreMoveToken(std::string_view token, bool longNotation, bool keepCoordinates, SanText& text,
                    FromHint& hint) {
    if (!longNotation || token.empty() || token[0] == kCastleLetter) {
        SetSanText(text, token);
        return;
    }
    std::array<char, kTokenBufferSize> buffer{};
    std::size_t used = 0;
    auto append = [&](std::string_view part) {
        const std::size_t take = std::min(part.size(), buffer.size() - 1 - used);
        std::memcpy(buffer.data() + used, part.data(), take);
        used += take;
    };
    if (keepCoordinates) {
        for (const char c : token) {
            if (c != '-') {
                append(std::string_view(&c, 1));
            }
        }
    } else if (IsSquareAt(token, 0) && token.size() > 2 && (token[2] == '-' || token[2] == 'x')) {
        // A pawn: e2-e4 to e4, e5-d6 to exd6, e4xd5 to exd5.
        const std::string_view target = token.substr(3);
        if (token[2] == 'x' || (!target.empty() && target[0] != token[0])) {
            append(token.substr(0, 1));
            append("x");
        }
        append(target);
    } else if (IsPieceLetter(token[0]) && IsSquareAt(token, 1) && token.size() > 3 &&
               (token[3] == '-' || token[3] == 'x')) {
        // A piece: Ng1-f3 to Nf3 and Ng1xf3 to Nxf3, the source square kept as the hint.
        hint = {token[1], token[2], '\0'};
        append(token.substr(0, 1));
        if (token[3] == 'x') {
            append("x");
        }
        append(token.substr(4));
    } else {
        append(token);
    }
    SetSanText(text, std::string_view(buffer.data(), used));
}

int IsResultToken(char* text, bool countSpace) {
    const auto startsWith = [text](const char* prefix) {
        return std::strncmp(text, prefix, std::strlen(prefix)) == 0;
    };
    // Only a text beginning with a zero or a small o can be castling in disguise.
    if ((text[0] == '0' || text[0] == 'o') && text[1] == '-') {
        if (startsWith("0-0-0") || startsWith("o-o-o")) {
            std::memcpy(text, "O-O-O", 5);
        } else if (startsWith("0-0") || startsWith("o-o")) {
            std::memcpy(text, "O-O", 3);
        }
    }
    const char first = text[0];
    if (first == '\0') {
        return 0;
    }
    if (first == ' ') {
        return countSpace ? 1 : 0;
    }
    if (first == '*' || first == '?') {
        return 1;
    }
    const char second = text[1];
    if (second == '/') {
        return 1;
    }
    // 1-0 and 0-1; castling and a comment or variation that begins with '-' are no results.
    if (second == '-' && first != kCastleLetter && first != '{' && first != ';' && first != '(') {
        return 1;
    }
    return 0;
}

void RecordAnnotation(GameRecord& record, int plyIndex, int line, int column, AnnotationKind kind) {
    if (plyIndex < 0 || plyIndex > kMaxPly) {
        return;
    }
    AnnotationEntry& entry = record.annotationIndex[static_cast<std::size_t>(plyIndex)];
    ++record.annotationCount;
    if (entry.kind == AnnotationKind::kNone ||
        (entry.kind == AnnotationKind::kComment && kind == AnnotationKind::kVariation)) {
        entry = AnnotationEntry{line, column, kind};
    }
}

int ParsedPlies(const GameRecord& record) {
    return record.plyCount;
}

int ParseMovetext(ChessContext& context, GameRecord& record, MovetextLineSource& source, int stopAfterMoves) {
    context.moves.Clear();
    record.lineCount = 0;
    record.annotationIndex.fill(AnnotationEntry{});
    record.moveEndOffsets.fill(0);
    record.plyDisplayLines.fill(0);
    record.annotationCount = 0;
    record.notation = NotationMode::kStandard;
    record.result.fill('\0');
    record.pendingHeaderLine.present = false;

    RecordSink sink(context, record);
    MovetextScanner<RecordSink> scanner(sink, stopAfterMoves);
    int displayLines = 0;
    auto take = [&](std::string_view text, std::uint32_t bytes, std::uint64_t offset) {
        MovetextLine& line = record.movetextLines[static_cast<std::size_t>(record.lineCount)];
        line.length = static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), kMaxMovetextLineLength));
        std::memcpy(line.text.data(), text.data(), line.length);
        line.text[line.length] = '\0';
        line.bytes = bytes;
        line.offset = offset;
        sink.SetDisplayLinesBefore(displayLines);
        scanner.ScanLine(line.text.data(), line.length, record.lineCount);
        displayLines += DisplayLineCount(line.View(), record.displayWidth);
        ++record.lineCount;
    };

    if (record.pendingFirstLine.present) {
        record.pendingFirstLine.present = false;
        const HeldLine& first = record.pendingFirstLine;
        take(first.View(), first.bytes, first.offset);
    }
    while (record.lineCount < kMaxMovetextLines) {
        std::string_view text;
        std::uint64_t offset = 0;
        const int bytes = source.NextLine(text, offset);
        if (bytes == 0) {
            break;
        }
        if (text.empty()) {
            continue;
        }
        if (IsMovetextTagLine(text)) {
            record.pendingHeaderLine.Set(text, static_cast<std::uint32_t>(bytes), offset);
            break;
        }
        take(text, static_cast<std::uint32_t>(bytes), offset);
    }
    record.moveCount = scanner.MovesRead();
    record.plyCount = scanner.Plies();
    return record.moveCount;
}

}  // namespace ravelin::chess
