#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <vector>

#include "gamefile/line_reader.h"

namespace ravelin::gamefile {

inline constexpr char kGameTooBig[] = "This game is too big to copy. Nothing was written.";

// The game copy rule: the game at the offset as text with CR LF line ends. Its tag lines are
// copied; after them empty lines are kept only when a non-empty line follows (so trailing empty
// lines are dropped), and a tag line after the header ends the game. False when the text would
// exceed maxBytes: a game is copied whole or not at all.
bool CopyGameText(LineReader& reader, std::uint64_t offset, std::size_t maxBytes, std::string& text);

// The games (1-based numbers, in the order given) of a PGN file, opened read-only and indexed on
// its own, each by the copy rule; added to texts. nullptr, or the message of the failure: the file
// does not open, a number is not a game of it, or a game exceeds maxBytes.
const char* CopyGamesOfFile(const std::string& path, const std::vector<int>& games, std::size_t maxBytes,
                            std::vector<std::string>& texts);

}  // namespace ravelin::gamefile
