#include "chess/variation_stepper.h"

#include <string>

#include "chess/annotations.h"
#include "chess/san_reader.h"

namespace ravelin::chess {

namespace {

constexpr char kLineEnd = '\n';
// Move texts of the variation begin at a letter; digits, dots, blanks and results lie below it.
constexpr char kFirstMoveLetter = 'B';
constexpr int kBlackNumberDots = 2;

bool IsDigit(char c) {
    return c >= '0' && c <= '9';
}

bool EndsVariationToken(char c) {
    switch (c) {
        case '\0':
        case ' ':
        case '\t':
        case kLineEnd:
        case '(':
        case ')':
        case '$':
        case '{':
        case '}':
        case ';':
            return true;
        default:
            return false;
    }
}

// Blanks, line ends, NAGs and comments between the moves of a variation.
void SkipFiller(MovetextCursor& cursor) {
    for (;;) {
        const char c = cursor.Peek();
        if (c == ' ' || c == '\t' || c == kLineEnd) {
            cursor.Advance();
        } else if (c == '$') {
            cursor.Advance();
            while (IsDigit(cursor.Peek())) {
                cursor.Advance();
            }
        } else if (c == '{') {
            cursor.SkipBraceComment(nullptr);
        } else if (c == ';') {
            cursor.SkipRestOfLine(nullptr);
        } else {
            return;
        }
    }
}

void Show(const VariationStepper& stepper, int ply) {
    if (stepper.showPosition) {
        stepper.showPosition(ply);
    }
}

int End(ChessContext& context, VariationStepper& stepper, int ply, const char* message) {
    stepper.depth = kAnalysisEnded;
    if (message != nullptr) {
        context.Warn(message);
    }
    return ply;
}

// The first ply of a variation from the move number after its '(' (2n - 1 for "n.", 2n for
// "n..."), or the current ply when the variation gives no number.
int ReadVariationFirstPly(MovetextCursor& cursor, int currentPly) {
    while (cursor.Peek() == ' ' || cursor.Peek() == '\t' || cursor.Peek() == kLineEnd) {
        cursor.Advance();
    }
    if (!IsDigit(cursor.Peek()) || (cursor.Peek() == '0' && cursor.PeekNext() == '-')) {
        return currentPly < 1 ? 1 : currentPly;
    }
    long long number = 0;
    while (IsDigit(cursor.Peek())) {
        if (number <= kMaxPly) {
            number = number * 10 + (cursor.Peek() - '0');
        }
        cursor.Advance();
    }
    int dots = 0;
    while (cursor.Peek() == '.') {
        ++dots;
        cursor.Advance();
    }
    const long long first = dots >= kBlackNumberDots ? 2 * number : 2 * number - 1;
    return first > kMaxPly + 1 ? kMaxPly + 1 : static_cast<int>(first);
}

// Plays one analysis move for the ply after currentPly; the move list is cut after it.
bool PlayAnalysisMove(ChessContext& context, VariationStepper& stepper, std::string_view token, int ply) {
    if (ply < 1 || ply > kMaxPly) {
        return false;
    }
    SanText& entry = context.moves.MoveOfPly(ply);
    FromHint& hint = context.moves.HintOfPly(ply);
    hint = FromHint{};
    StoreMoveToken(token, true, false, entry, hint);
    if (!ApplySan(context, ply, entry, hint)) {
        return false;
    }
    SavePosition(context, ply);
    if (ply < kMaxPly) {
        context.moves.MoveOfPly(ply + 1).fill('\0');
        context.moves.HintOfPly(ply + 1) = FromHint{};
    }
    ++stepper.analysisMoves;
    Show(stepper, ply);
    return true;
}

void TakeBackTo(ChessContext& context, const VariationStepper& stepper, int from, int to) {
    for (int ply = from - 1; ply >= to; --ply) {
        RestorePosition(context, ply);
        if (stepper.replayMode != AnalysisReplayMode::kAutomatic) {
            Show(stepper, ply);
        }
    }
    RestorePosition(context, to);
}

}  // namespace

int StepVariation(ChessContext& context, const GameRecord& record, VariationStepper& stepper,
                  int currentPly) {
    int ply = currentPly < 0 ? 0 : (currentPly > kMaxPly ? kMaxPly : currentPly);
    if (stepper.depth < 0) {
        return End(context, stepper, ply, kEndOfAnalysis);
    }
    MovetextCursor cursor(record, stepper.line, stepper.column);
    if (stepper.depth == 0) {
        const AnnotationEntry& entry = record.annotationIndex[static_cast<std::size_t>(ply)];
        if (entry.kind == AnnotationKind::kNone) {
            return End(context, stepper, ply, kEndOfAnalysis);
        }
        cursor = MovetextCursor(record, entry.line, entry.column);
        SkipFiller(cursor);
        if (cursor.Peek() != '(') {
            return End(context, stepper, ply, kEndOfAnalysis);
        }
    }
    for (;;) {
        SkipFiller(cursor);
        const char c = cursor.Peek();
        if (c == '\0') {
            return End(context, stepper, ply, kEndOfAnalysis);
        }
        if (c == '(') {
            if (stepper.depth >= kMaxVariationDepth) {
                cursor.SkipVariation(nullptr);
                continue;
            }
            cursor.Advance();
            const int first = ReadVariationFirstPly(cursor, ply);
            // Move number 0 names no ply at all.
            if (first > ply + 1 || first < 1) {
                return End(context, stepper, ply, kInvalidMoveNumberAfterParen);
            }
            VariationStepper::Left& left = stepper.stack[static_cast<std::size_t>(stepper.depth)];
            left.ply = ply;
            if (ply >= 1) {
                left.move = context.moves.MoveOfPly(ply);
                left.hint = context.moves.HintOfPly(ply);
            }
            ++stepper.depth;
            TakeBackTo(context, stepper, ply, first - 1);
            ply = first - 1;
            continue;
        }
        if (c == ')') {
            cursor.Advance();
            --stepper.depth;
            if (stepper.depth <= 0) {
                return End(context, stepper, ply,
                           stepper.replayMode == AnalysisReplayMode::kSingleStep ? kEndOfAnalysis : nullptr);
            }
            const VariationStepper::Left& left = stepper.stack[static_cast<std::size_t>(stepper.depth)];
            if (left.ply >= 1) {
                RestorePosition(context, left.ply - 1);
                context.moves.MoveOfPly(left.ply) = left.move;
                context.moves.HintOfPly(left.ply) = left.hint;
                if (!ApplySan(context, left.ply, context.moves.MoveOfPly(left.ply), left.hint)) {
                    return End(context, stepper, left.ply - 1, kEndOfAnalysis);
                }
                SavePosition(context, left.ply);
            } else {
                RestorePosition(context, 0);
            }
            ply = left.ply;
            Show(stepper, ply);
            continue;
        }
        if (c < kFirstMoveLetter && !(c == '0' && cursor.PeekNext() == '-')) {
            cursor.Advance();
            continue;
        }
        std::string token;
        while (!EndsVariationToken(cursor.Peek())) {
            token += cursor.Peek();
            cursor.Advance();
        }
        if (token.empty()) {
            cursor.Advance();
            continue;
        }
        if (IsResultToken(token.data(), false) != 0) {
            continue;
        }
        if (!PlayAnalysisMove(context, stepper, token, ply + 1)) {
            // A move the position does not allow ends the analysis where it stands.
            return End(context, stepper, ply, kEndOfAnalysis);
        }
        stepper.line = cursor.Line();
        stepper.column = cursor.Column();
        return ply + 1;
    }
}

}  // namespace ravelin::chess
