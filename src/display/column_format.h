#pragma once

// The column format: the game as flowing text right of the board, headings first, then the moves
// with their comments, glyphs and variations. Every move drawn is entered in a table of
// rectangles so that a click finds it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "display/game_view_state.h"

namespace ravelin::display {

// The table of moves ends this far below 10000 entries short of the main line's plies.
inline constexpr int kColumnTableCapacity = 10000;
inline constexpr int kMaxVariationNumber = 999;
inline constexpr int kColumnHeadingLineHeight = 20;
inline constexpr int kColumnTextLineHeight = 16;
inline constexpr int kColumnFirstLineTop = 15;
inline constexpr int kColumnRightMargin = 20;

// The glyph of a NAG of the glyph list ("!" for 1, "+/=" for 14), "" for any other.
std::string_view ColumnGlyph(int nag);
// A NAG written out: "A novelty" for 146, the table text for 1 to 139, "$Unknown NAG %d$" else.
std::string ColumnNagText(int nag);

// A comment's lines as one text: joined with a blank, except that a next line that starts with a
// single character and a blank (a word cut at the line end, like "bette" / "r move") continues
// the previous line directly; A, I and a are words of their own and keep the blank.
std::string JoinCommentLines(std::string_view comment);

enum class ColumnWordKind { kHeading, kText, kMainMove, kVariationMove };

// One unit of the flowing text: it is never split across lines and carries its trailing blank.
struct ColumnWord {
    std::string text;
    ColumnWordKind kind = ColumnWordKind::kText;
    bool variation = false;  // drawn in the variation colour
    int ply = 0;             // the main-line ply of a move, or the one a variation hangs on
    int depth = 0;           // 0 for the main line
    int variationNumber = 0;
    int indexInVariation = 0;
    bool threeDots = false;
    std::string glyph;
    // Variations are told apart by variationId, counted without the table's cap; a nested one
    // names the variation it stands in and how many of that one's moves precede it.
    int variationId = 0;
    int parentVariation = 0;
    int branchIndex = 0;
    std::string san;  // a variation move's token alone, without number and glyph
};

struct ColumnGameInput {
    // Up to three heading lines; empty ones are left out.
    std::vector<std::string> headings;
    // moves[k] is the move of ply k + 1.
    std::vector<std::string> moves;
    // annotations[k] is the collected annotation text after ply k (0: before the first move):
    // "$n$" for a NAG, "{...}" for a comment, "(...)" for a variation, separated by blanks.
    std::vector<std::string> annotations;
    std::string result;
};

std::vector<ColumnWord> BuildColumnWords(const ColumnGameInput& game);

// A move's place on the screen and what a click on it means.
struct ColumnMoveEntry {
    int left = 0;
    int right = 0;
    int top = 0;
    int bottom = 0;
    int ply = 0;
    int depth = 0;
    int variationNumber = 0;
    int indexInVariation = 0;
    bool threeDots = false;
    std::string glyph;
    std::size_t word = 0;  // the move's index among the words
};

struct ColumnStyle {
    int left = 0;
    int right = 0;   // words wrap before this x
    int scroll = 0;  // pixels the text is scrolled up
    int fontPixels = 11;
    RgbColour text{0, 0, 0};
    RgbColour variation{84, 0, 168};
    RgbColour current{255, 0, 0};
    // The box behind the move number of a game's move; none without it.
    std::optional<RgbColour> moveNumberBackground;
    int currentPly = 0;
    // A variation move shown instead of a main-line one (variationId, indexInVariation); 0: none.
    int currentVariation = 0;
    int currentIndex = 0;
};

struct ColumnLayout {
    std::vector<TextItem> texts;
    std::vector<ColumnMoveEntry> moves;
    int lineCount = 0;  // in 16-pixel lines, for the scroll range
};

// Flows the words into lines; the table keeps at most capacity entries.
ColumnLayout LayOutColumnText(const std::vector<ColumnWord>& words, const ColumnStyle& style,
                              const TextMeasure& measure, int capacity);

// The move entry under a point, or null.
const ColumnMoveEntry* ColumnHitTest(const ColumnLayout& layout, int x, int y);

}  // namespace ravelin::display
