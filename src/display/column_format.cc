#include "display/column_format.h"

#include <algorithm>
#include <cctype>

#include "chess/nag_text.h"

namespace ravelin::display {

namespace {

constexpr int kNovelty = 146;
constexpr int kLastTableNag = 139;

struct GlyphOfNag {
    int nag;
    std::string_view glyph;
};

constexpr GlyphOfNag kGlyphs[] = {{1, "!"},   {2, "?"},    {3, "!!"},   {4, "??"},   {5, "!?"},   {6, "?!"},
                                  {11, "="},  {14, "+/="}, {15, "-/="}, {16, "+/-"}, {17, "-/+"}, {18, "+-"},
                                  {19, "-+"}, {20, "++"},  {21, "--"},  {142, ">="}};

bool IsBlank(char c) {
    return c == ' ' || c == '\t' || c == '\n' || c == '\r';
}

// The length of the move number ("12." or "12...") a move's text starts with; 0 for none.
std::size_t MoveNumberLength(std::string_view text) {
    std::size_t digits = 0;
    while (digits < text.size() && std::isdigit(static_cast<unsigned char>(text[digits])) != 0) {
        ++digits;
    }
    std::size_t end = digits;
    while (end < text.size() && text[end] == '.') {
        ++end;
    }
    return digits > 0 && end > digits ? end : 0;
}

bool IsResult(std::string_view token) {
    return token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*";
}

// Reads the digits after a '$' (the cursor past it) and a closing '$' when there is one.
int ReadNag(std::string_view text, std::size_t& i) {
    std::size_t used = 0;
    const int nag = chess::ReadNagNumber(text.substr(i), &used);
    i += used;
    if (i < text.size() && text[i] == '$') {
        ++i;
    }
    return nag;
}

class WordBuilder {
  public:
    explicit WordBuilder(std::vector<ColumnWord>& words) : words_(words) {}

    // Each blank-separated word of a text, so that it can wrap anywhere.
    void AddText(std::string_view text, bool variation) {
        std::size_t i = 0;
        while (i < text.size()) {
            while (i < text.size() && IsBlank(text[i])) {
                ++i;
            }
            std::size_t end = i;
            while (end < text.size() && !IsBlank(text[end])) {
                ++end;
            }
            if (end > i) {
                ColumnWord word;
                word.text = std::string(text.substr(i, end - i)) + " ";
                word.variation = variation;
                words_.push_back(std::move(word));
            }
            i = end;
        }
    }

    void AddNagText(int nag, bool variation) { AddText(ColumnNagText(nag) + ".", variation); }

    // A brace comment from its '{' on; the cursor ends past its '}'.
    void AddComment(std::string_view text, std::size_t& i) {
        const std::size_t close = text.find('}', i + 1);
        const std::size_t end = close == std::string_view::npos ? text.size() : close;
        AddText(JoinCommentLines(text.substr(i + 1, end - i - 1)), false);
        i = close == std::string_view::npos ? text.size() : close + 1;
    }

    // A variation from past its '(' to past its ')'.
    void AddVariation(std::string_view text, std::size_t& i, int ply, int depth, int parent = 0,
                      int branchIndex = 0) {
        variationCounter_ = std::min(variationCounter_ + 1, kMaxVariationNumber);
        const int number = variationCounter_;
        const int id = ++variationIds_;
        AddText(depth == 1 ? "[" : "(", true);
        int index = 0;
        std::string pendingNumber;
        std::ptrdiff_t lastMove = -1;
        while (i < text.size()) {
            const char c = text[i];
            if (IsBlank(c)) {
                ++i;
                continue;
            }
            if (c == ')') {
                ++i;
                break;
            }
            if (c == '(') {
                ++i;
                AddVariation(text, i, ply, depth + 1, id, index);
                lastMove = -1;
                continue;
            }
            if (c == '{') {
                AddComment(text, i);
                lastMove = -1;
                continue;
            }
            if (c == '$') {
                ++i;
                const int nag = ReadNag(text, i);
                const std::string_view glyph = ColumnGlyph(nag);
                if (lastMove >= 0 && !glyph.empty()) {
                    AddGlyph(words_[static_cast<std::size_t>(lastMove)], glyph);
                } else {
                    AddNagText(nag, true);
                }
                lastMove = -1;
                continue;
            }
            std::size_t end = i;
            while (end < text.size() && !IsBlank(text[end]) &&
                   std::string_view("(){}$").find(text[end]) == std::string_view::npos) {
                ++end;
            }
            std::string_view token = text.substr(i, end - i);
            i = end;
            // A move number, alone or written onto its move.
            std::size_t digits = 0;
            while (digits < token.size() && std::isdigit(static_cast<unsigned char>(token[digits])) != 0) {
                ++digits;
            }
            std::size_t dots = digits;
            while (dots < token.size() && token[dots] == '.') {
                ++dots;
            }
            if (digits > 0 && dots > digits) {
                pendingNumber = std::string(token.substr(0, dots));
                token.remove_prefix(dots);
            }
            if (token.empty()) {
                continue;
            }
            if (IsResult(token)) {
                AddText(token, true);
                lastMove = -1;
                continue;
            }
            ColumnWord word;
            word.kind = ColumnWordKind::kVariationMove;
            word.variation = true;
            word.text = pendingNumber + std::string(token) + " ";
            word.ply = ply;
            word.depth = depth;
            word.variationNumber = number;
            word.indexInVariation = ++index;
            word.threeDots = pendingNumber.find("...") != std::string::npos;
            word.variationId = id;
            word.parentVariation = parent;
            word.branchIndex = branchIndex;
            word.san = std::string(token);
            pendingNumber.clear();
            words_.push_back(std::move(word));
            lastMove = static_cast<std::ptrdiff_t>(words_.size()) - 1;
        }
        AddText(depth == 1 ? "]" : ")", true);
    }

    // The annotations after a main-line move; a glyph NAG straight after it joins the move.
    void AddAnnotations(std::string_view text, int ply, ColumnWord* move) {
        std::size_t i = 0;
        bool first = true;
        while (i < text.size()) {
            const char c = text[i];
            if (IsBlank(c)) {
                ++i;
                continue;
            }
            if (c == '$') {
                ++i;
                const int nag = ReadNag(text, i);
                const std::string_view glyph = ColumnGlyph(nag);
                if (first && move != nullptr && !glyph.empty()) {
                    AddGlyph(*move, glyph);
                    words_.push_back(*move);
                    move = nullptr;
                } else {
                    FlushMove(move);
                    AddNagText(nag, false);
                }
            } else if (c == '{') {
                FlushMove(move);
                AddComment(text, i);
            } else if (c == '(') {
                FlushMove(move);
                ++i;
                AddVariation(text, i, ply, 1);
            } else {
                ++i;
            }
            first = false;
        }
        FlushMove(move);
    }

  private:
    static void AddGlyph(ColumnWord& word, std::string_view glyph) {
        while (!word.text.empty() && word.text.back() == ' ') {
            word.text.pop_back();
        }
        word.text += std::string(glyph) + " ";
        word.glyph = std::string(glyph);
    }

    void FlushMove(ColumnWord*& move) {
        if (move != nullptr) {
            words_.push_back(*move);
            move = nullptr;
        }
    }

    std::vector<ColumnWord>& words_;
    int variationCounter_ = 0;
    int variationIds_ = 0;
};

// One brace comment and nothing else.
bool IsSingleComment(std::string_view text) {
    while (!text.empty() && IsBlank(text.back())) {
        text.remove_suffix(1);
    }
    return text.size() >= 2 && text.front() == '{' && text.back() == '}' && text.find('}') == text.size() - 1;
}

}  // namespace

std::string JoinCommentLines(std::string_view comment) {
    std::string joined;
    joined.reserve(comment.size());
    for (std::size_t i = 0; i < comment.size(); ++i) {
        const char c = comment[i];
        if (c == '\r') {
            continue;
        }
        if (c != '\n') {
            joined += c;
            continue;
        }
        const std::string_view next = comment.substr(i + 1);
        const bool cutWord = next.size() >= 2 && !IsBlank(next[0]) && next[1] == ' ' && next[0] != 'A' &&
                             next[0] != 'I' && next[0] != 'a';
        if (!cutWord) {
            joined += ' ';
        }
    }
    return joined;
}

std::string_view ColumnGlyph(int nag) {
    for (const GlyphOfNag& entry : kGlyphs) {
        if (entry.nag == nag) {
            return entry.glyph;
        }
    }
    return {};
}

std::string ColumnNagText(int nag) {
    if (nag == kNovelty) {
        return std::string("A novelty");
    }
    if (nag >= 1 && nag <= kLastTableNag) {
        return std::string(chess::NagTableText(nag));
    }
    return "$Unknown NAG " + std::to_string(nag) + "$";
}

std::vector<ColumnWord> BuildColumnWords(const ColumnGameInput& game) {
    std::vector<ColumnWord> words;
    for (const std::string& heading : game.headings) {
        if (!heading.empty()) {
            ColumnWord word;
            word.kind = ColumnWordKind::kHeading;
            word.text = heading;
            words.push_back(std::move(word));
        }
    }
    WordBuilder builder(words);
    auto annotationsAfter = [&game](int ply) -> std::string_view {
        return ply >= 0 && static_cast<std::size_t>(ply) < game.annotations.size()
                   ? std::string_view(game.annotations[static_cast<std::size_t>(ply)])
                   : std::string_view();
    };
    const bool annotated = std::any_of(game.annotations.begin(), game.annotations.end(),
                                       [](const std::string& text) { return !text.empty(); });
    if (IsSingleComment(annotationsAfter(0))) {
        std::size_t i = annotationsAfter(0).find('{');
        builder.AddComment(annotationsAfter(0), i);
    }
    const int plies = static_cast<int>(game.moves.size());
    for (int ply = 1; ply <= plies; ++ply) {
        const std::string& san = game.moves[static_cast<std::size_t>(ply - 1)];
        ColumnWord move;
        move.kind = ColumnWordKind::kMainMove;
        move.ply = ply;
        if (ply % 2 == 1) {
            move.text = std::to_string((ply + 1) / 2) + "." + san + " ";
        } else if (annotated && !annotationsAfter(ply - 1).empty()) {
            move.text = std::to_string(ply / 2) + "..." + san + " ";
            move.threeDots = true;
        } else {
            move.text = san + " ";
        }
        builder.AddAnnotations(annotationsAfter(ply), ply, &move);
    }
    if (!game.result.empty()) {
        builder.AddText(game.result, false);
    }
    return words;
}

ColumnLayout LayOutColumnText(const std::vector<ColumnWord>& words, const ColumnStyle& style,
                              const TextMeasure& measure, int capacity) {
    ColumnLayout layout;
    auto width = [&](std::string_view text) {
        return measure ? measure(text, style.fontPixels, TextFont::kSans)
                       : EstimatedTextWidth(text, style.fontPixels, TextFont::kSans);
    };
    int y = kColumnFirstLineTop - style.scroll;
    int headingPixels = 0;
    int x = style.left;
    bool lineOpen = false;
    int lines = 0;
    for (const ColumnWord& word : words) {
        TextItem item;
        item.fontPixels = style.fontPixels;
        item.colour = word.variation ? style.variation : style.text;
        if (word.kind == ColumnWordKind::kHeading) {
            if (lineOpen) {
                y += kColumnTextLineHeight;
                lineOpen = false;
            }
            // A long heading goes on over more heading lines, broken between words.
            std::string_view rest(word.text);
            while (!rest.empty()) {
                std::string line =
                    FitText(rest, style.right - style.left, item.fontPixels, item.font, measure);
                const std::size_t blank = rest.rfind(' ', line.size());
                if (line.size() < rest.size() && blank != std::string_view::npos && blank > 0 &&
                    rest[line.size()] != ' ') {
                    line = std::string(rest.substr(0, blank));
                }
                if (line.empty()) {
                    break;
                }
                rest.remove_prefix(line.size());
                while (!rest.empty() && rest.front() == ' ') {
                    rest.remove_prefix(1);
                }
                TextItem heading = item;
                heading.x = style.left;
                heading.y = y;
                heading.lineHeight = kColumnHeadingLineHeight;
                heading.bold = &word == &words.front();
                heading.text = std::move(line);
                layout.texts.push_back(std::move(heading));
                y += kColumnHeadingLineHeight;
                headingPixels += kColumnHeadingLineHeight;
            }
            continue;
        }
        std::string_view visible(word.text);
        while (!visible.empty() && visible.back() == ' ') {
            visible.remove_suffix(1);
        }
        const int visibleWidth = width(visible);
        if (!lineOpen) {
            x = style.left;
            lineOpen = true;
            ++lines;
        } else if (x > style.left && x + visibleWidth > style.right) {
            y += kColumnTextLineHeight;
            x = style.left;
            ++lines;
        }
        item.x = x;
        item.y = y;
        item.lineHeight = kColumnTextLineHeight;
        const bool current = style.currentVariation == 0
                                 ? word.kind == ColumnWordKind::kMainMove && word.ply == style.currentPly
                                 : word.kind == ColumnWordKind::kVariationMove &&
                                       word.variationId == style.currentVariation &&
                                       word.indexInVariation == style.currentIndex;
        if (current) {
            item.colour = style.current;
            item.bold = true;
        }
        item.text = word.text;
        if (word.kind == ColumnWordKind::kMainMove && style.moveNumberBackground) {
            const std::size_t number = MoveNumberLength(word.text);
            if (number > 0) {
                item.box = style.moveNumberBackground;
                item.boxWidth = width(std::string_view(word.text).substr(0, number));
            }
        }
        const int fullWidth = width(word.text);
        if ((word.kind == ColumnWordKind::kMainMove || word.kind == ColumnWordKind::kVariationMove) &&
            static_cast<int>(layout.moves.size()) < capacity) {
            ColumnMoveEntry entry;
            entry.left = x;
            entry.right = x + visibleWidth;
            entry.top = y;
            entry.bottom = y + kColumnTextLineHeight;
            entry.ply = word.ply;
            entry.depth = word.depth;
            entry.variationNumber = word.variationNumber;
            entry.indexInVariation = word.indexInVariation;
            entry.threeDots = word.threeDots;
            entry.glyph = word.glyph;
            entry.word = static_cast<std::size_t>(&word - words.data());
            layout.moves.push_back(std::move(entry));
        }
        layout.texts.push_back(std::move(item));
        x += fullWidth;
    }
    layout.lineCount = lines + (headingPixels + kColumnTextLineHeight - 1) / kColumnTextLineHeight;
    return layout;
}

const ColumnMoveEntry* ColumnHitTest(const ColumnLayout& layout, int x, int y) {
    for (const ColumnMoveEntry& entry : layout.moves) {
        if (x >= entry.left && x < entry.right && y >= entry.top && y < entry.bottom) {
            return &entry;
        }
    }
    return nullptr;
}

}  // namespace ravelin::display
