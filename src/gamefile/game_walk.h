#pragma once

// Reading the games of a file one after another, as the bulk readers do (the fast file writer and
// the searches without a fast file): most games follow on from the line that ended the previous
// one, and the index is consulted only where reading on could lose the count.

#include <cstddef>
#include <cstdint>
#include <vector>

#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/line_reader.h"

namespace ravelin::gamefile {

// Moves the reader to a game's start and keeps its first tag line as the header's pending line:
// text before the first tag line of the game (or of the file) is not part of the header. False
// when the seek fails.
bool PositionAtGameStart(LineReader& reader, GameHeader& header, std::uint32_t offset);

// Whether the next game must be found through the index rather than by reading on: after a game
// that hit the move or line limit (its parse stopped inside it), or when the tag line that ended
// this game is not where the index says the next game begins, so that games and their numbers
// never drift apart. next is the 0-based index of the next game.
bool MustRepositionForNextGame(bool gameCutOff, const GameHeader& header,
                               const std::vector<std::uint32_t>& offsets, std::size_t next);

// Whether the parser stopped inside the game, at the move or line limit.
bool ParseStoppedAtLimit(const chess::GameRecord& record);

}  // namespace ravelin::gamefile
