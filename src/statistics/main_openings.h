#pragma once

// The main openings the game list guesses codes from and the openings report groups games by:
// a fixed list of lines of the ECO table, named by code and moves so that the list holds for the
// table as shipped, in priority order (a longer line before the shorter line it extends).

#include <span>
#include <string_view>
#include <vector>

#include "eco/eco_table.h"
#include "statistics/opening_moves.h"

namespace ravelin::statistics {

struct MainOpeningLine {
    std::string_view code;
    std::string_view moves;  // as the table's moves file writes them: "1.e4 c5 2.Nf3"
};

// The list in priority order.
std::span<const MainOpeningLine> MainOpeningLines();

// The list resolved against a loaded table: each line whose code and moves the table holds, with
// its entry number and its moves split per side. A line the table lacks (a table edited by hand)
// is left out.
class MainOpenings {
  public:
    struct Item {
        int entry = eco::kNoEcoEntry;
        OpeningMoves moves;
    };

    MainOpenings() = default;
    explicit MainOpenings(const eco::EcoTable& table);

    const std::vector<Item>& Items() const { return items_; }
    // The index of the first item the game's moves contain: the item is not longer than the game,
    // each of its k white moves is among the game's first k white moves and each of its black
    // moves among the game's first as many black moves, in any order. -1 when none.
    int Find(const OpeningMoves& game) const;

  private:
    std::vector<Item> items_;
};

// The table entry whose code and moves are these, kNoEcoEntry when none.
int FindEcoEntry(const eco::EcoTable& table, std::string_view code, std::string_view moves);

}  // namespace ravelin::statistics
