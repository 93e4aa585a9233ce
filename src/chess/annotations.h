#pragma once

#include <cstddef>
#include <string>
#include <string_view>
#include <vector>

#include "chess/movetext.h"
#include "chess/nag_text.h"

namespace ravelin::chess {

// Display widths of the annotation list: the normal board and the medium and large boards.
inline constexpr int kNormalDisplayWidth = 44;
inline constexpr int kWideDisplayWidth = 55;
// The column-format game text holds at most this many characters; a piece that would not fit is dropped.
inline constexpr std::size_t kColumnTextLimit = 300000;

// Cuts a text into display lines of at most width characters: at the last blank up to the width,
// or hard at the width when a word is longer than a line. Calls emit(piece) for each line; an
// empty text gives one empty line.
template <typename Emit>
void WrapText(std::string_view text, int width, Emit&& emit) {
    const std::size_t limit = width < 1 ? 1 : static_cast<std::size_t>(width);
    while (text.size() > limit) {
        const std::size_t cut = text.rfind(' ', limit);
        if (cut == std::string_view::npos || cut == 0) {
            emit(text.substr(0, limit));
            text.remove_prefix(limit);
        } else {
            emit(text.substr(0, cut));
            text.remove_prefix(cut + 1);
        }
    }
    emit(text);
}

// The number of display lines WrapText makes of the text.
int DisplayLineCount(std::string_view text, int width);

// Word-wraps the text and adds the pieces to the list (none: only counted). Returns the line
// counter advanced by the number of pieces.
int AddDisplayLine(std::vector<std::string>* list, std::string_view text, int lineCounter, int width);

// Where the annotations of a ply go: display lines, or a text buffer in the two text-collection
// modes (each piece a CR LF line for writing the game out; appended for the column-format text,
// which keeps the line ends inside comments and variations so that it can join them itself).
enum class AnnotationOutputMode { kDisplayList, kGameWriting, kColumnText };

struct AnnotationOutput {
    AnnotationOutputMode mode = AnnotationOutputMode::kDisplayList;
    std::vector<std::string>* list = nullptr;
    std::string* text = nullptr;
    int width = kNormalDisplayWidth;
    int lineCounter = 0;
};

// Renders the annotations after a ply index (0 = before the first move): NAG texts, brace and
// semicolon comments and whole variations, one piece each, up to the next main-line move. Returns
// the number of pieces.
int ShowAnnotations(const GameRecord& record, int plyIndex, AnnotationOutput& output);

// Reads the movetext lines as one text: the end of each line reads as a '\n'; past the last line
// Peek gives '\0'.
class MovetextCursor {
  public:
    MovetextCursor(const GameRecord& record, int line, int column)
        : record_(&record), line_(line), column_(column) {}

    char Peek() const;
    char PeekNext() const;
    void Advance();
    bool AtEnd() const { return line_ >= record_->lineCount; }
    int Line() const { return line_; }
    int Column() const { return column_; }

    // Skips a brace comment (the cursor on '{'), appending its text when out is given.
    void SkipBraceComment(std::string* out);
    // Skips a variation (the cursor on '('): '(' nests, ')' closes when followed by ')', a blank or
    // the end of the line, comments are skipped whole.
    void SkipVariation(std::string* out);
    // Skips to the end of the current line.
    void SkipRestOfLine(std::string* out);

    // Line ends inside appended text are kept as '\n' instead of read as a blank.
    bool keepLineEnds = false;

  private:
    const GameRecord* record_;
    int line_;
    int column_;
};

}  // namespace ravelin::chess
