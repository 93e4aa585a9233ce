#pragma once

// What the engine printed since the last read, bounded, and the lines in it.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin::engine {

inline constexpr std::size_t kEngineOutputBufferSize = 10000;
// The longest move text taken from the engine (the board's move slots hold 7 characters).
inline constexpr std::size_t kMaxEngineMoveLength = 7;

// The text of one read split into lines: CR LF, LF and a lone CR end a line, blank lines drop. A
// line split between two reads is joined with the rest of it on the next read.
class EngineOutputLines {
  public:
    // Adds the text of a read and answers the lines it completes.
    std::vector<std::string> Take(std::string_view text);

  private:
    std::string partial_;
};

// The engine's move in lines: the text after "move " of the first line that begins with "move",
// when that is a plausible move text (at most 7 characters, no spaces).
std::optional<std::string> FindEngineMove(const std::vector<std::string>& lines);

// The help text is followed by the pager's prompt: it is cut at its last lower-case "s".
std::string CutHelpPrompt(std::string text);

}  // namespace ravelin::engine
