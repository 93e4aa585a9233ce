#include "annotation/annotation_text.h"

#include <algorithm>
#include <cctype>
#include <cstdio>

namespace ravelin::annotation {

namespace {

constexpr std::size_t kLongLine = 100;
constexpr std::size_t kCommentLineWidth = 78;
constexpr std::size_t kMaxLineLength = 255;
constexpr std::string_view kTokenDelimiters = " \t\r\n(){}$;";

bool IsBlankOrLineEnd(char c) {
    return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}
bool IsDigit(char c) {
    return std::isdigit(static_cast<unsigned char>(c)) != 0;
}

std::size_t SkipBlanks(std::string_view text, std::size_t i) {
    while (i < text.size() && IsBlankOrLineEnd(text[i])) {
        ++i;
    }
    return i;
}

std::size_t NagEnd(std::string_view text, std::size_t dollar) {
    std::size_t end = dollar + 1;
    while (end < text.size() && IsDigit(text[end])) {
        ++end;
    }
    return end;
}

std::size_t LineStartBefore(std::string_view text, std::size_t at) {
    const std::size_t newline = text.rfind('\n', at == 0 ? 0 : at - 1);
    return at == 0 || newline == std::string_view::npos ? 0 : newline + 1;
}

// "12." or "12..." alone.
bool IsMoveNumber(std::string_view token) {
    std::size_t digits = 0;
    while (digits < token.size() && IsDigit(token[digits])) {
        ++digits;
    }
    return digits > 0 && digits < token.size() &&
           token.find_first_not_of('.', digits) == std::string_view::npos;
}

std::size_t TokenEnd(std::string_view text, std::size_t i) {
    while (i < text.size() && kTokenDelimiters.find(text[i]) == std::string_view::npos) {
        ++i;
    }
    return i;
}

}  // namespace

std::size_t MovetextBegin(std::string_view text) {
    std::size_t i = 0;
    while (i < text.size()) {
        const std::size_t lineEnd = text.find('\n', i);
        const std::size_t next = lineEnd == std::string_view::npos ? text.size() : lineEnd + 1;
        const std::string_view line = text.substr(i, next - i);
        const bool empty = line.find_first_not_of(" \t\r\n") == std::string_view::npos;
        if (line.empty() || (line[0] != '[' && !empty)) {
            break;
        }
        i = next;
    }
    return i;
}

std::size_t MatchingClose(std::string_view text, std::size_t open) {
    if (text[open] == '{') {
        const std::size_t close = text.find('}', open + 1);
        return close == std::string_view::npos ? close : close + 1;
    }
    int depth = 0;
    for (std::size_t i = open; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{') {
            i = text.find('}', i + 1);
            if (i == std::string_view::npos) {
                return i;
            }
        } else if (c == ';') {
            i = text.find('\n', i);
            if (i == std::string_view::npos) {
                return i;
            }
        } else if (c == '(') {
            ++depth;
        } else if (c == ')' && --depth == 0) {
            return i + 1;
        }
    }
    return std::string_view::npos;
}

std::optional<TextSpan> FindItem(std::string_view text, std::size_t position, ItemKind kind) {
    std::size_t i = position;
    while (true) {
        i = SkipBlanks(text, i);
        if (i >= text.size()) {
            return std::nullopt;
        }
        const char c = text[i];
        std::size_t end = 0;
        ItemKind found{};
        if (c == '{') {
            end = MatchingClose(text, i);
            found = ItemKind::kComment;
        } else if (c == '(') {
            end = MatchingClose(text, i);
            found = ItemKind::kLine;
        } else if (c == '$') {
            end = NagEnd(text, i);
            found = ItemKind::kMoveAnnotation;
        } else {
            return std::nullopt;
        }
        if (end == std::string_view::npos) {
            return std::nullopt;
        }
        if (found == kind) {
            return TextSpan{i, end};
        }
        i = end;
    }
}

std::optional<TextSpan> EnclosingLine(std::string_view text, std::size_t position) {
    // The opens of the lines that hold the position, found by walking the movetext up to it.
    std::vector<std::size_t> opens;
    for (std::size_t i = MovetextBegin(text); i < position && i < text.size(); ++i) {
        const char c = text[i];
        if (c == '{') {
            i = text.find('}', i + 1);
            if (i == std::string_view::npos || i >= position) {
                return std::nullopt;
            }
        } else if (c == '(') {
            opens.push_back(i);
        } else if (c == ')' && !opens.empty()) {
            opens.pop_back();
        }
    }
    if (opens.empty()) {
        return std::nullopt;
    }
    const std::size_t end = MatchingClose(text, opens.back());
    if (end == std::string_view::npos) {
        return std::nullopt;
    }
    return TextSpan{opens.back(), end};
}

std::size_t MoveStart(std::string_view text, std::size_t moveEnd) {
    std::size_t start = moveEnd;
    while (start > 0 && kTokenDelimiters.find(text[start - 1]) == std::string_view::npos) {
        --start;
    }
    // A move number standing apart before the move belongs to it.
    std::size_t before = start;
    while (before > 0 && IsBlankOrLineEnd(text[before - 1])) {
        --before;
    }
    std::size_t numberStart = before;
    while (numberStart > 0 && kTokenDelimiters.find(text[numberStart - 1]) == std::string_view::npos) {
        --numberStart;
    }
    if (numberStart < before && IsMoveNumber(text.substr(numberStart, before - numberStart))) {
        return numberStart;
    }
    return start;
}

std::size_t AppendPoint(std::string_view text, std::size_t moveEnd, bool pastLines) {
    std::size_t point = moveEnd;
    while (true) {
        const std::size_t next = SkipBlanks(text, point);
        if (next >= text.size()) {
            return point;
        }
        std::size_t end = std::string_view::npos;
        if (text[next] == '$') {
            end = NagEnd(text, next);
        } else if (pastLines && (text[next] == '{' || text[next] == '(')) {
            end = MatchingClose(text, next);
        }
        if (end == std::string_view::npos) {
            return point;
        }
        point = end;
    }
}

const char* InsertItem(std::string& text, std::size_t at, std::string_view item, bool before) {
    if (at > text.size()) {
        return kUnexpectedCharacter;
    }
    if (before) {
        if (at == 0 || (!IsBlankOrLineEnd(text[at - 1]) && text[at - 1] != '(')) {
            return kUnexpectedCharacter;
        }
    } else if (at < text.size() && !IsBlankOrLineEnd(text[at]) && text[at] != ')') {
        return kUnexpectedCharacter;
    }
    std::string piece;
    if (before) {
        piece = std::string(item) + " ";
    } else {
        const bool longLine = at - LineStartBefore(text, at) >= kLongLine;
        piece = (longLine ? "\r\n" : " ") + std::string(item);
    }
    std::string edited = text;
    edited.insert(at, piece);
    if (!LinesFit(edited)) {
        return kLineTooLongAfterEdit;
    }
    text = std::move(edited);
    return nullptr;
}

void DeleteItem(std::string& text, TextSpan span) {
    std::size_t begin = span.begin;
    std::size_t end = span.end;
    if (begin > 0 && text[begin - 1] == ' ') {
        --begin;
    } else if (end < text.size() && text[end] == ' ') {
        ++end;
    }
    text.erase(begin, end - begin);
}

void NormaliseSpacing(std::string& text) {
    const std::size_t begin = MovetextBegin(text);
    std::string out = text.substr(0, begin);
    bool inComment = false;
    for (std::size_t i = begin; i < text.size(); ++i) {
        const char c = text[i];
        if (inComment) {
            out += c;
            inComment = c != '}';
            if (!inComment) {
                const char next = i + 1 < text.size() ? text[i + 1] : '\r';
                if (next != ' ' && next != '\r' && next != '\n' && next != ')') {
                    out += ' ';
                }
            }
            continue;
        }
        const char previous = out.size() > begin ? out.back() : '\n';
        if (c == ' ' && (previous == ' ' || previous == '\n')) {
            continue;
        }
        if ((c == '(' || c == '{' || c == '$') && previous != ' ' && previous != '\n' && previous != '(') {
            out += ' ';
        }
        out += c;
        if (c == '{') {
            inComment = true;
        } else if (c == ')') {
            const char next = i + 1 < text.size() ? text[i + 1] : '\r';
            if (next != ' ' && next != '\r' && next != '\n' && next != ')') {
                out += ' ';
            }
        }
    }
    text = std::move(out);
}

void WriteBlackMoveNumber(std::string& text, std::size_t after, int whitePly) {
    const std::size_t next = SkipBlanks(text, after);
    if (next >= text.size() || kTokenDelimiters.find(text[next]) != std::string_view::npos ||
        IsDigit(text[next]) || text[next] == '*') {
        return;
    }
    text.insert(next, std::to_string((whitePly + 1) / 2) + "... ");
}

void DropBareBlackMoveNumber(std::string& text, std::size_t at) {
    std::size_t previous = at;
    while (previous > 0 && IsBlankOrLineEnd(text[previous - 1])) {
        --previous;
    }
    if (previous == 0 || kTokenDelimiters.find(text[previous - 1]) != std::string_view::npos ||
        text[previous - 1] == '.') {
        return;
    }
    const std::size_t next = SkipBlanks(text, at);
    const std::size_t end = TokenEnd(text, next);
    if (next < end && IsMoveNumber(text.substr(next, end - next)) &&
        text.substr(next, end - next).ends_with("...")) {
        const std::size_t blankAfter = SkipBlanks(text, end);
        text.erase(next, blankAfter - next);
    }
}

std::string LineText(int firstPly, const std::vector<std::string>& moves) {
    std::string line = "(";
    for (std::size_t k = 0; k < moves.size(); ++k) {
        const int ply = firstPly + static_cast<int>(k);
        const bool white = ply % 2 == 1;
        if (k == 0) {
            line += std::to_string((ply + 1) / 2) + (white ? ". " : "... ");
        } else if (white) {
            line += std::to_string((ply + 1) / 2) + ". ";
        }
        line += moves[k] + " ";
    }
    line.back() = ')';
    return line;
}

std::string CheckComment(std::string_view comment) {
    std::string_view inner = comment;
    if (inner.starts_with('{')) {
        if (!inner.ends_with('}')) {
            return "The comment has no closing brace.";
        }
        inner = inner.substr(1, inner.size() - 2);
    }
    if (inner.find_first_of("{}") != std::string_view::npos) {
        return "A comment may not hold the braces { and }.";
    }
    return {};
}

std::string CheckLine(std::string_view line) {
    if (!line.starts_with('(')) {
        return "A line must begin with (.";
    }
    const std::size_t end = MatchingClose(line, 0);
    if (end == std::string_view::npos) {
        return "The parentheses or braces of the line are not closed.";
    }
    if (line.find_first_not_of(" \r\n", end) != std::string_view::npos) {
        return "The line holds a ) that closes no (.";
    }
    // Braces inside comments are checked by the walk; a stray "}" outside a comment is not.
    bool inComment = false;
    for (const char c : line) {
        if (c == '{') {
            inComment = true;
        } else if (c == '}' && !inComment) {
            return "The line holds a } that closes no {.";
        } else if (c == '}') {
            inComment = false;
        }
    }
    return {};
}

std::string CommentItem(std::string_view typed) {
    std::size_t end = typed.size();
    while (end > 0 && static_cast<unsigned char>(typed[end - 1]) < '!') {
        --end;
    }
    typed = typed.substr(0, end);
    if (typed.empty()) {
        return {};
    }
    std::string body = typed.starts_with('{') ? std::string(typed) : "{" + std::string(typed) + "}";
    // Long comments are broken at blanks so that no line of the file grows beyond what is read.
    std::string out;
    std::size_t column = 0;
    std::size_t i = 0;
    while (i < body.size()) {
        std::size_t wordEnd = body.find_first_of(" \r\n", i);
        if (wordEnd == std::string::npos) {
            wordEnd = body.size();
        }
        const std::string_view word = std::string_view(body).substr(i, wordEnd - i);
        if (!word.empty()) {
            if (column > 0 && column + 1 + word.size() > kCommentLineWidth) {
                out += "\r\n";
                column = 0;
            } else if (column > 0) {
                out += ' ';
                ++column;
            }
            out += word;
            column += word.size();
        }
        i = wordEnd + 1;
    }
    return out;
}

std::string LineItem(std::string_view typed) {
    std::size_t end = typed.size();
    while (end > 0 && static_cast<unsigned char>(typed[end - 1]) < '!') {
        --end;
    }
    std::size_t begin = 0;
    while (begin < end && static_cast<unsigned char>(typed[begin]) < '!') {
        ++begin;
    }
    typed = typed.substr(begin, end - begin);
    if (typed.empty()) {
        return {};
    }
    return typed.starts_with('(') ? std::string(typed) : "(" + std::string(typed) + ")";
}

std::string Flattened(std::string_view text) {
    std::string flat;
    for (std::size_t i = 0; i < text.size(); ++i) {
        if (text[i] == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
            continue;
        }
        flat += text[i] == '\r' || text[i] == '\n' ? ' ' : text[i];
    }
    return flat;
}

bool LinesFit(std::string_view text) {
    std::size_t start = 0;
    while (start <= text.size()) {
        std::size_t end = text.find('\n', start);
        if (end == std::string_view::npos) {
            end = text.size();
        }
        std::size_t length = end - start;
        if (length > 0 && end < text.size() && text[end - 1] == '\r') {
            --length;
        }
        if (length > kMaxLineLength) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

}  // namespace ravelin::annotation
