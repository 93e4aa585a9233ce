#pragma once

// A move of the move list or of the line below the board as text items. With figurines the move's
// piece letter is not written: its figurine stands in its place, and the width of the figurine is
// part of where the rest of the move goes and of how much of it fits.

#include <string_view>
#include <vector>

#include "display/figurines.h"
#include "display/game_view_state.h"

namespace ravelin::display {

// Space between a figurine and the text after it.
inline constexpr int kFigurineTextGap = 0;

// Appends prefix + move as items like base, within maxWidth pixels from base.x. With a figurine
// set and a move starting with one of pieceLetters (King, Queen, Rook, Bishop, Knight order) that
// is two items: the prefix, then the figurine followed by the move without its letter. Otherwise
// one item with the whole text.
void AppendMoveText(std::vector<TextItem>& out, const TextItem& base, std::string_view prefix,
                    std::string_view move, int maxWidth, const FigurineSet* figurines,
                    std::string_view pieceLetters, const TextMeasure& measure);

// The top of an item's figurine: centred in its line.
int FigurineTop(const TextItem& item);

}  // namespace ravelin::display
