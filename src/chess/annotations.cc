#include "chess/annotations.h"

namespace ravelin::chess {

namespace {

constexpr char kLineEnd = '\n';
constexpr char kTextEnd = '\0';

bool IsBlankOrLineEnd(char c) {
    return c == ' ' || c == '\t' || c == kLineEnd;
}

bool StartsAnnotation(char c) {
    return c == '{' || c == '(' || c == '$' || c == ';';
}

// Line ends inside a comment or variation read as one blank unless they are kept.
void AppendCharacter(std::string* out, char c, bool keepLineEnds) {
    if (out != nullptr) {
        *out += c == kLineEnd && !keepLineEnds ? ' ' : c;
    }
}

void EmitPiece(AnnotationOutput& output, std::string_view piece) {
    switch (output.mode) {
        case AnnotationOutputMode::kDisplayList:
            output.lineCounter = AddDisplayLine(output.list, piece, output.lineCounter, output.width);
            break;
        case AnnotationOutputMode::kGameWriting:
            if (output.text != nullptr) {
                *output.text += piece;
                *output.text += "\r\n";
            }
            break;
        case AnnotationOutputMode::kColumnText:
            if (output.text != nullptr && output.text->size() + piece.size() + 1 <= kColumnTextLimit) {
                *output.text += piece;
                *output.text += ' ';
            }
            break;
    }
}

NagTextMode NagModeOf(AnnotationOutputMode mode) {
    switch (mode) {
        case AnnotationOutputMode::kGameWriting:
            return NagTextMode::kGameWriting;
        case AnnotationOutputMode::kColumnText:
            return NagTextMode::kColumnText;
        case AnnotationOutputMode::kDisplayList:
            break;
    }
    return NagTextMode::kDisplay;
}

}  // namespace

int DisplayLineCount(std::string_view text, int width) {
    int count = 0;
    WrapText(text, width, [&count](std::string_view) { ++count; });
    return count;
}

int AddDisplayLine(std::vector<std::string>* list, std::string_view text, int lineCounter, int width) {
    WrapText(text, width, [&](std::string_view piece) {
        if (list != nullptr) {
            list->emplace_back(piece);
        }
        ++lineCounter;
    });
    return lineCounter;
}

char MovetextCursor::Peek() const {
    if (AtEnd()) {
        return kTextEnd;
    }
    const MovetextLine& line = record_->movetextLines[static_cast<std::size_t>(line_)];
    return column_ < line.length ? line.text[static_cast<std::size_t>(column_)] : kLineEnd;
}

char MovetextCursor::PeekNext() const {
    if (AtEnd()) {
        return kTextEnd;
    }
    const MovetextLine& line = record_->movetextLines[static_cast<std::size_t>(line_)];
    return column_ + 1 < line.length ? line.text[static_cast<std::size_t>(column_ + 1)] : kLineEnd;
}

void MovetextCursor::Advance() {
    if (AtEnd()) {
        return;
    }
    const MovetextLine& line = record_->movetextLines[static_cast<std::size_t>(line_)];
    if (column_ < line.length) {
        ++column_;
    } else {
        ++line_;
        column_ = 0;
    }
}

void MovetextCursor::SkipBraceComment(std::string* out) {
    while (!AtEnd()) {
        const char c = Peek();
        AppendCharacter(out, c, keepLineEnds);
        Advance();
        if (c == '}') {
            return;
        }
    }
}

void MovetextCursor::SkipRestOfLine(std::string* out) {
    while (!AtEnd() && Peek() != kLineEnd) {
        AppendCharacter(out, Peek(), keepLineEnds);
        Advance();
    }
}

void MovetextCursor::SkipVariation(std::string* out) {
    int depth = 0;
    while (!AtEnd()) {
        const char c = Peek();
        if (c == '{') {
            SkipBraceComment(out);
            continue;
        }
        if (c == ';') {
            SkipRestOfLine(out);
            continue;
        }
        const char next = PeekNext();
        AppendCharacter(out, c, keepLineEnds);
        Advance();
        if (c == '(') {
            ++depth;
        } else if (c == ')' && (next == ')' || next == ' ' || next == '\t' || next == kLineEnd) &&
                   --depth == 0) {
            return;
        }
    }
}

int ShowAnnotations(const GameRecord& record, int plyIndex, AnnotationOutput& output) {
    if (plyIndex < 0 || plyIndex > kMaxPly) {
        return 0;
    }
    const AnnotationEntry& entry = record.annotationIndex[static_cast<std::size_t>(plyIndex)];
    if (entry.kind == AnnotationKind::kNone) {
        return 0;
    }
    MovetextCursor cursor(record, entry.line, entry.column);
    cursor.keepLineEnds = output.mode == AnnotationOutputMode::kColumnText;
    int pieces = 0;
    std::string piece;
    for (;;) {
        while (IsBlankOrLineEnd(cursor.Peek())) {
            cursor.Advance();
        }
        const char c = cursor.Peek();
        if (!StartsAnnotation(c)) {
            return pieces;
        }
        piece.clear();
        if (c == '$') {
            cursor.Advance();
            std::string digits;
            while (cursor.Peek() >= '0' && cursor.Peek() <= '9') {
                digits += cursor.Peek();
                cursor.Advance();
            }
            piece = NagText(ReadNagNumber(digits, nullptr), NagModeOf(output.mode));
        } else if (c == '{') {
            cursor.SkipBraceComment(&piece);
        } else if (c == ';') {
            cursor.Advance();
            piece.push_back('{');
            cursor.SkipRestOfLine(&piece);
            piece += '}';
        } else {
            cursor.SkipVariation(&piece);
        }
        // A comment left open at the end of the movetext ends in its last line end.
        while (!piece.empty() && (piece.back() == ' ' || piece.back() == kLineEnd)) {
            piece.pop_back();
        }
        EmitPiece(output, piece);
        ++pieces;
    }
}

}  // namespace ravelin::chess
