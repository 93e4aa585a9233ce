#include "chess/movetext.h"

#include <algorithm>
#include <array>
#include <cstdio>
#include <cstring>

#include "chess/annotations.h"

namespace ravelin::chess {

namespace {

constexpr char kCastleLetter = 'O';
constexpr std::string_view kPieceLetters = "NBQRK";
// Two or more dots after a move number ("1..." and the sloppy "1..") name black's move.
constexpr int kBlackMoveDots = 2;
// Room for a move token while it is shortened; anything beyond a SAN entry is dropped anyway.
constexpr std::size_t kTokenBufferSize = 32;

bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}
// Characters that end a token, as a table: the scanner tests every character of the movetext.
constexpr std::array<bool, 256> MakeTokenEndTable() {
    std::array<bool, 256> table{};
    for (const char c : {'\0', ' ', '\t', '{', '}', '(', ')', ';', '$'}) {
        table[static_cast<unsigned char>(c)] = true;
    }
    return table;
}
constexpr std::array<bool, 256> kTokenEndTable = MakeTokenEndTable();

bool EndsToken(char c) {
    return kTokenEndTable[static_cast<unsigned char>(c)];
}
bool IsSquareAt(std::string_view text, std::size_t at) {
    return at + 1 < text.size() && FileFromLetter(text[at]) != 0 && RankFromDigit(text[at + 1]) != 0;
}
bool IsPieceLetter(char c) {
    return kPieceLetters.find(c) != std::string_view::npos;
}

// A line that begins the next game's header: '[', a capital letter, and ']' at its end.
bool IsHeaderTagLine(std::string_view line) {
    if (line.size() < 3 || line[0] != '[' || line[1] < 'A' || line[1] > 'Z') {
        return false;
    }
    std::size_t last = line.size();
    while (last > 0 && IsBlank(line[last - 1])) {
        --last;
    }
    return last > 0 && line[last - 1] == ']';
}

// The first move decides how the game is written: a '-' in third or fourth place (e2-e4, Ng1-f3)
// is long algebraic notation, with piece letters when the line names a piece anywhere after it.
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

bool IsCoordinateMove(const SanText& text) {
    const std::string_view view = SanView(text);
    return view.size() >= 4 && IsSquareAt(view, 0) && IsSquareAt(view, 2);
}

// Carries the scan from one movetext line to the next: an open brace comment, the depth of a
// variation being skipped, and whose move is due.
class Scanner {
  public:
    Scanner(ChessContext& context, GameRecord& record, int stopAfterMoves)
        : context_(context), record_(record), stopAfter_(stopAfterMoves) {}

    void ScanLine(int lineNumber, int displayLinesBefore);
    int MovesRead() const { return moveIndex_ + (whiteDue_ ? 0 : 1); }
    int Plies() const { return plyIndex_; }

  private:
    std::size_t SkipVariation(const char* text, std::size_t i, std::size_t length);
    std::size_t ReadToken(int lineNumber, char* text, std::size_t start, std::size_t length);
    void StoreMove(const MovetextLine& line, std::size_t start, std::size_t end);
    void EnterPly(const MovetextLine& line, std::size_t end);

    ChessContext& context_;
    GameRecord& record_;
    int stopAfter_;
    int moveIndex_ = 0;
    bool whiteDue_ = true;
    int plyIndex_ = 0;
    bool inBrace_ = false;
    int variationDepth_ = 0;
    bool ended_ = false;
    bool firstMoveSeen_ = false;
    int displayLinesBefore_ = 0;
};

void Scanner::ScanLine(int lineNumber, int displayLinesBefore) {
    MovetextLine& line = record_.movetextLines[static_cast<std::size_t>(lineNumber)];
    char* text = line.text.data();
    const std::size_t length = line.length;
    displayLinesBefore_ = displayLinesBefore;
    if (ended_ || (!inBrace_ && length > 0 && text[0] == '%')) {
        return;
    }
    std::size_t i = 0;
    while (i < length) {
        if (inBrace_) {
            const void* close = std::memchr(text + i, '}', length - i);
            if (close == nullptr) {
                return;
            }
            i = static_cast<std::size_t>(static_cast<const char*>(close) - text) + 1;
            inBrace_ = false;
            continue;
        }
        if (variationDepth_ > 0) {
            i = SkipVariation(text, i, length);
            continue;
        }
        const char c = text[i];
        switch (c) {
            case ' ':
            case '\t':
            case ')':
            case '}':
                ++i;
                break;
            case '{':
                RecordAnnotation(record_, plyIndex_, lineNumber, static_cast<int>(i),
                                 AnnotationKind::kComment);
                inBrace_ = true;
                ++i;
                break;
            case ';':
                RecordAnnotation(record_, plyIndex_, lineNumber, static_cast<int>(i),
                                 AnnotationKind::kComment);
                return;
            case '$':
                RecordAnnotation(record_, plyIndex_, lineNumber, static_cast<int>(i),
                                 AnnotationKind::kComment);
                ++i;
                while (i < length && IsDigit(text[i])) {
                    ++i;
                }
                break;
            case '(':
                RecordAnnotation(record_, plyIndex_, lineNumber, static_cast<int>(i),
                                 AnnotationKind::kVariation);
                variationDepth_ = 1;
                ++i;
                break;
            default:
                i = ReadToken(lineNumber, text, i, length);
                if (ended_) {
                    return;
                }
                break;
        }
    }
}

// Skips variation text: '(' nests, ')' closes only when followed by ')', a blank or the line end
// (so "(...)a" stays open), and comments are skipped whole so their parentheses do not count.
std::size_t Scanner::SkipVariation(const char* text, std::size_t i, std::size_t length) {
    while (i < length) {
        const char c = text[i];
        if (c == '{') {
            inBrace_ = true;
            return i + 1;
        }
        if (c == ';') {
            return length;
        }
        if (c == '(') {
            ++variationDepth_;
        } else if (c == ')') {
            const char next = i + 1 < length ? text[i + 1] : '\0';
            if (next == ')' || next == '\0' || IsBlank(next)) {
                if (--variationDepth_ == 0) {
                    return i + 1;
                }
            }
        }
        ++i;
    }
    return i;
}

std::size_t Scanner::ReadToken(int lineNumber, char* text, std::size_t start, std::size_t length) {
    MovetextLine& line = record_.movetextLines[static_cast<std::size_t>(lineNumber)];
    std::size_t end = start;
    while (end < length && !EndsToken(text[end])) {
        ++end;
    }
    if (IsResultToken(text + start, false) != 0) {
        SetSanText(record_.result, std::string_view(text + start, end - start));
        ended_ = true;
        return end;
    }
    if (IsDigit(text[start])) {
        std::size_t j = start;
        while (j < end && IsDigit(text[j])) {
            ++j;
        }
        int dots = 0;
        while (j < end && text[j] == '.') {
            ++j;
            ++dots;
        }
        if (dots >= kBlackMoveDots && plyIndex_ == 0 && whiteDue_) {
            SetSanText(context_.moves.whiteMoves[0], kBlackFirstPlaceholder);
            whiteDue_ = false;
            EnterPly(line, j);
        }
        // Whatever follows the number in the same token ("1.e4") is read as the next token.
        return j;
    }
    StoreMove(line, start, end);
    return end;
}

void Scanner::EnterPly(const MovetextLine& line, std::size_t end) {
    ++plyIndex_;
    record_.moveEndOffsets[static_cast<std::size_t>(plyIndex_)] = line.offset + end;
    record_.plyDisplayLines[static_cast<std::size_t>(plyIndex_)] = displayLinesBefore_;
}

void Scanner::StoreMove(const MovetextLine& line, std::size_t start, std::size_t end) {
    const std::string_view token(line.text.data() + start, end - start);
    MoveList& moves = context_.moves;
    const auto index = static_cast<std::size_t>(moveIndex_);
    if (whiteDue_) {
        if (moveIndex_ >= kMaxMovesPerSide) {
            char message[sizeof kMaxMovesWarning + 16];
            std::snprintf(message, sizeof message, kMaxMovesWarning, kMaxMovesPerSide);
            context_.Warn(message);
            ended_ = true;
            return;
        }
        if (stopAfter_ > 0 && moveIndex_ >= stopAfter_) {
            ended_ = true;
            return;
        }
    }
    if (!firstMoveSeen_) {
        firstMoveSeen_ = true;
        record_.notation = DetectNotation(token, line.View().substr(start));
        if (record_.notation == NotationMode::kLongWithPieceLetters) {
            moves.whiteHints[0][0] = 1;
        }
    }
    const bool longNotation = record_.notation != NotationMode::kStandard;
    const bool keepCoordinates = record_.notation == NotationMode::kLongWithoutPieceLetters;
    if (whiteDue_) {
        FromHint hint = moves.whiteHints[index];
        StoreMoveToken(token, longNotation, keepCoordinates, moves.whiteMoves[index], hint);
        if (hint[0] != '\0') {
            moves.whiteHints[index] = hint;
        }
        // The game summary replays games that carry hints or coordinate moves before showing them.
        if (moveIndex_ == 0 && moves.whiteHints[0][0] == '\0' && IsCoordinateMove(moves.whiteMoves[0])) {
            moves.whiteHints[0][0] = 1;
        }
        whiteDue_ = false;
    } else {
        StoreMoveToken(token, longNotation, keepCoordinates, moves.blackMoves[index],
                       moves.blackHints[index]);
        whiteDue_ = true;
        ++moveIndex_;
    }
    EnterPly(line, end);
}

}  // namespace

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

    Scanner scanner(context, record, stopAfterMoves);
    int displayLines = 0;
    auto take = [&](std::string_view text, std::uint32_t bytes, std::uint64_t offset) {
        MovetextLine& line = record.movetextLines[static_cast<std::size_t>(record.lineCount)];
        line.length = static_cast<std::uint16_t>(std::min<std::size_t>(text.size(), kMaxMovetextLineLength));
        std::memcpy(line.text.data(), text.data(), line.length);
        line.text[line.length] = '\0';
        line.bytes = bytes;
        line.offset = offset;
        scanner.ScanLine(record.lineCount, displayLines);
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
        if (IsHeaderTagLine(text)) {
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
