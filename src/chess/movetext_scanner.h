#pragma once

// The token scan of movetext lines, shared by the movetext parser (which keeps everything for the
// display) and the fast file writer (which only plays the main line). Both read the same tokens,
// so they cannot disagree about where a game's moves, comments, variations and result are.

#include <array>
#include <cstddef>
#include <cstring>
#include <string_view>

#include "chess/movetext.h"

namespace ravelin::chess {

// A line that begins the next game's header: '[', a capital letter, and ']' at its end.
bool IsMovetextTagLine(std::string_view line);

// The first move decides how the game is written: a '-' in third or fourth place (e2-e4, Ng1-f3)
// is long algebraic notation, with piece letters when the line names a piece anywhere after it.
NotationMode DetectNotation(std::string_view token, std::string_view restOfLine);

namespace scanner_detail {

inline bool IsBlank(char c) {
    return c == ' ' || c == '\t';
}
inline bool IsDigit(char c) {
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
inline constexpr std::array<bool, 256> kTokenEndTable = MakeTokenEndTable();

inline bool EndsToken(char c) {
    return kTokenEndTable[static_cast<unsigned char>(c)];
}

// Only a token beginning with '*' or '?', or with '/' or '-' as its second character, can be a
// result or castling written with zeros: the scanner asks IsResultToken about no other.
inline bool MayBeResultToken(const char* text) {
    const char first = text[0];
    const char second = text[1];
    return first == '*' || first == '?' || second == '/' || second == '-';
}

// Two or more dots after a move number ("1..." and the sloppy "1..") name black's move.
inline constexpr int kBlackMoveDots = 2;

}  // namespace scanner_detail

// One main-line move token as the scanner hands it to its sink.
struct ScannedMove {
    std::string_view token;
    std::string_view restOfLine;  // from the token's first character to the line's end
    int lineNumber = 0;
    std::size_t end = 0;  // column after the token
    bool white = true;
    int moveIndex = 0;  // move number - 1
    int plyIndex = 0;   // the ply this move becomes (1-based)
};

// Carries the scan from one movetext line to the next: an open brace comment, the depth of a
// variation being skipped, and whose move is due. The sink receives what the scan finds:
//   void Annotation(int plyIndex, int lineNumber, int column, AnnotationKind kind);
//   void Result(std::string_view token);
//   void Placeholder(int lineNumber, std::size_t end);   // "1..." before white's first move
//   bool Move(const ScannedMove& move);                  // false ends the scan
//   void MoveLimitReached();                             // a white move beyond the 200th
template <class Sink>
class MovetextScanner {
  public:
    MovetextScanner(Sink& sink, int stopAfterMoves) : sink_(sink), stopAfter_(stopAfterMoves) {}

    // Scans one line. text must be writable and NUL-terminated after length characters: castling
    // written with zeros or small letters is rewritten in place.
    void ScanLine(char* text, std::size_t length, int lineNumber);

    int MovesRead() const { return moveIndex_ + (whiteDue_ ? 0 : 1); }
    int Plies() const { return plyIndex_; }
    bool Ended() const { return ended_; }

  private:
    std::size_t SkipVariation(const char* text, std::size_t i, std::size_t length);
    std::size_t ReadToken(int lineNumber, char* text, std::size_t start, std::size_t length);
    void StoreMove(int lineNumber, const char* text, std::size_t length, std::size_t start, std::size_t end);

    Sink& sink_;
    int stopAfter_;
    int moveIndex_ = 0;
    bool whiteDue_ = true;
    int plyIndex_ = 0;
    bool inBrace_ = false;
    int variationDepth_ = 0;
    bool ended_ = false;
};

template <class Sink>
void MovetextScanner<Sink>::ScanLine(char* text, std::size_t length, int lineNumber) {
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
                sink_.Annotation(plyIndex_, lineNumber, static_cast<int>(i), AnnotationKind::kComment);
                inBrace_ = true;
                ++i;
                break;
            case ';':
                sink_.Annotation(plyIndex_, lineNumber, static_cast<int>(i), AnnotationKind::kComment);
                return;
            case '$':
                sink_.Annotation(plyIndex_, lineNumber, static_cast<int>(i), AnnotationKind::kComment);
                ++i;
                while (i < length && scanner_detail::IsDigit(text[i])) {
                    ++i;
                }
                break;
            case '(':
                sink_.Annotation(plyIndex_, lineNumber, static_cast<int>(i), AnnotationKind::kVariation);
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
template <class Sink>
std::size_t MovetextScanner<Sink>::SkipVariation(const char* text, std::size_t i, std::size_t length) {
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
            if (next == ')' || next == '\0' || scanner_detail::IsBlank(next)) {
                if (--variationDepth_ == 0) {
                    return i + 1;
                }
            }
        }
        ++i;
    }
    return i;
}

template <class Sink>
std::size_t MovetextScanner<Sink>::ReadToken(int lineNumber, char* text, std::size_t start,
                                             std::size_t length) {
    std::size_t end = start;
    while (end < length && !scanner_detail::EndsToken(text[end])) {
        ++end;
    }
    if (scanner_detail::MayBeResultToken(text + start) && IsResultToken(text + start, false) != 0) {
        sink_.Result(std::string_view(text + start, end - start));
        ended_ = true;
        return end;
    }
    if (scanner_detail::IsDigit(text[start])) {
        std::size_t j = start;
        while (j < end && scanner_detail::IsDigit(text[j])) {
            ++j;
        }
        int dots = 0;
        while (j < end && text[j] == '.') {
            ++j;
            ++dots;
        }
        if (dots >= scanner_detail::kBlackMoveDots && plyIndex_ == 0 && whiteDue_) {
            whiteDue_ = false;
            ++plyIndex_;
            sink_.Placeholder(lineNumber, j);
        }
        // Whatever follows the number in the same token ("1.e4") is read as the next token.
        return j;
    }
    StoreMove(lineNumber, text, length, start, end);
    return end;
}

template <class Sink>
void MovetextScanner<Sink>::StoreMove(int lineNumber, const char* text, std::size_t length, std::size_t start,
                                      std::size_t end) {
    if (whiteDue_) {
        if (moveIndex_ >= kMaxMovesPerSide) {
            sink_.MoveLimitReached();
            ended_ = true;
            return;
        }
        if (stopAfter_ > 0 && moveIndex_ >= stopAfter_) {
            ended_ = true;
            return;
        }
    }
    ScannedMove move;
    move.token = std::string_view(text + start, end - start);
    move.restOfLine = std::string_view(text + start, length - start);
    move.lineNumber = lineNumber;
    move.end = end;
    move.white = whiteDue_;
    move.moveIndex = moveIndex_;
    move.plyIndex = plyIndex_ + 1;
    if (whiteDue_) {
        whiteDue_ = false;
    } else {
        whiteDue_ = true;
        ++moveIndex_;
    }
    ++plyIndex_;
    if (!sink_.Move(move)) {
        ended_ = true;
    }
}

}  // namespace ravelin::chess
