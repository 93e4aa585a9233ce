#pragma once

// Where the moves inside lines (variations) stand in the game's text: the ply-to-text map of the
// main line (GameRecord::moveEndOffsets) extended to every line move, named as the column text
// names them (ColumnWord::variationId and indexInVariation).

#include <cstdint>
#include <optional>
#include <vector>

#include "chess/movetext.h"

namespace ravelin::display {

struct LineMoveOffset {
    int variationId = 0;
    int indexInVariation = 0;
    int depth = 0;
    std::uint64_t begin = 0;  // the first character of the move (of its number when written onto it)
    std::uint64_t end = 0;    // just past the move
};

// Every line move of the parsed game in text order. Lines are numbered in the order their "("
// stands, from the first move of the game on, as the column text numbers them.
std::vector<LineMoveOffset> LineMoveOffsets(const chess::GameRecord& record);

// The entry of one line move, or nothing.
std::optional<LineMoveOffset> FindLineMove(const std::vector<LineMoveOffset>& moves, int variationId,
                                           int indexInVariation);

}  // namespace ravelin::display
