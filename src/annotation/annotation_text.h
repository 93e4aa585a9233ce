#pragma once

// Edits on a game's text as it stands in its file: comments, lines (variations) and move
// annotations are found, inserted and removed at character offsets next to a move, so that every
// byte the user did not touch stays as it was.

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin::annotation {

inline constexpr char kUnexpectedCharacter[] = "Unexpected character";
inline constexpr char kLineTooLongAfterEdit[] =
    "The text would hold a line longer than 255 characters. Nothing was changed.";

enum class ItemKind { kComment, kLine, kMoveAnnotation };

// Bytes [begin, end) of the text.
struct TextSpan {
    std::size_t begin = 0;
    std::size_t end = 0;
};

// Where the movetext begins: after the tag lines at the top and the empty lines after them.
std::size_t MovetextBegin(std::string_view text);

// The item of the kind among those that directly follow the position (the end of a move): blanks
// and line ends are passed over, and so are comments, lines and move annotations of other kinds;
// the search stops at anything else.
std::optional<TextSpan> FindItem(std::string_view text, std::size_t position, ItemKind kind);

// The line ("(" to its ")") that holds the position, or nothing in the main line.
std::optional<TextSpan> EnclosingLine(std::string_view text, std::size_t position);

// The end of a parenthesised line from its "(", or of a comment from its "{"; npos when unclosed.
std::size_t MatchingClose(std::string_view text, std::size_t open);

// The start of the move that ends at moveEnd, with its move number ("12." or "12...").
std::size_t MoveStart(std::string_view text, std::size_t moveEnd);

// Where text after a move goes: past the move annotations that follow it; with pastLines also
// past the comments and lines that follow it.
std::size_t AppendPoint(std::string_view text, std::size_t moveEnd, bool pastLines);

// Puts the item into the text at the point, separated by one blank (a line end when the line
// already holds 100 characters before the point). The point must stand between two tokens: a
// blank, a line end or a ")" must follow it (before: a blank, a line end or a "(" must precede
// it); otherwise nothing is inserted and kUnexpectedCharacter is returned. nullptr on success.
const char* InsertItem(std::string& text, std::size_t at, std::string_view item, bool before);

// Removes the span with the blank that separated it, so that no double blank remains.
void DeleteItem(std::string& text, TextSpan span);

// Spacing of the movetext outside comments: no double blanks, no blank at the start of a line, a
// blank after ")" and "}" and before "(", "{" and "$". Tag lines are never touched.
void NormaliseSpacing(std::string& text);

// The move number "N... " a black move needs once a line separates it from white's move; the
// ply is the white move's. Written only when the next token after the point is that black move.
void WriteBlackMoveNumber(std::string& text, std::size_t after, int whitePly);
// A "N..." left right after a white move (nothing between them any more) is dropped.
void DropBareBlackMoveNumber(std::string& text, std::size_t at);

// The text of an entered line: "(5. e4 e5 6. Nf3)" or "(5... e5 6. Nf3)" for a first black move.
std::string LineText(int firstPly, const std::vector<std::string>& moves);

// Checks of typed texts before they are written; each returns the message, empty when fine.
// A comment may not hold braces (besides one outer pair that it is typed with).
std::string CheckComment(std::string_view comment);
// A line must open with "(", close its parentheses and braces in order, and hold no other ")".
std::string CheckLine(std::string_view line);

// The typed comment as it is written: trailing control characters and blanks dropped, wrapped in
// braces unless it starts with one, long texts broken into lines. Empty for an empty comment.
std::string CommentItem(std::string_view typed);
// The typed line, wrapped in parentheses unless it starts with one.
std::string LineItem(std::string_view typed);
// Line ends turned into blanks (for showing an item's text in a one-line editor).
std::string Flattened(std::string_view text);

// False when some line of the text is longer than the line reader takes.
bool LinesFit(std::string_view text);

}  // namespace ravelin::annotation
