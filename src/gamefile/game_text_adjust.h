#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ravelin::gamefile {

inline constexpr char kRecordsTooLong[] =
    "Some records are longer than 255 characters. Click on File->Adjust to fix the game.";
inline constexpr char kCommentBracesOutOfSync[] = "Warning: Comment braces may be out of sync.";
inline constexpr char kLineParensOutOfSync[] = "Warning: Line parens may be out of sync.";

// A line longer than this is cut at the last blank at or before kAdjustCutColumn.
inline constexpr std::size_t kAdjustLongLine = 87;
inline constexpr std::size_t kAdjustCutColumn = 85;
// With joining on, shorter lines (and shorter last pieces of a cut line) take the next line in.
inline constexpr std::size_t kAdjustJoinBelow = 60;
inline constexpr std::size_t kAdjustJoinPieceBelow = 50;

// The adjust rule of the text editor: CR LF line ends, long lines cut (at a blank, or hard at the
// cut column when there is none), short lines joined with the next when join is on. Tag lines,
// ";" comment lines and "%" escape lines are never cut or joined, since either would change what
// they mean.
std::string AdjustGameText(std::string_view text, bool join);

// The text with a final CR LF when it does not end with a line end; false when a line is longer
// than 255 characters.
bool RecordLengthsFit(std::string& text);

// From the first line that begins with "1.": the warnings about comment braces left open and
// parentheses of variations that do not pair up, in that order.
std::vector<std::string> BraceAndParenWarnings(std::string_view text);

// From the first line that begins with "1.": two or more blanks in a row become one, except inside
// comments ("{...}" and ";" to the end of the line) and on "%" lines, whose text is the writer's own.
std::string ReduceDoubleBlanks(std::string_view text);

}  // namespace ravelin::gamefile
