#pragma once

#include <string>
#include <vector>

#include "chess/piece_letters.h"
#include "eco/eco_table.h"

namespace ravelin::eco {

// The four orders of the Select Opening list ("Sort by ECO", "Sort by Name", "Sort by Moves",
// "Sort by Entry").
enum class EcoSortOrder { kByEco, kByName, kByMoves, kByEntry };

// The entry at a position of an order, or kNoEcoEntry when the position is outside the table.
int EntryAtOrderPosition(const EcoTable& table, EcoSortOrder order, int position);

// The rows of the Select Opening list: "%s %s" (code and moves line) per entry in the order. With
// wrapping, a line of more than 18 plies is cut before move 10 and continues on rows of seven
// spaces and seven moves each (moves 10-16, 17-23, 24 on). rowMap gives each row's position in the
// order, so a wrapped line's rows all lead to its entry.
struct SelectOpeningList {
    EcoSortOrder order = EcoSortOrder::kByEco;
    bool wrapped = false;
    std::vector<std::string> rows;
    std::vector<int> rowMap;
};

// Builds the rows; move texts go through the piece-letter conversion after the first move number,
// so the code stays as it is.
SelectOpeningList BuildSelectOpeningList(const EcoTable& table, EcoSortOrder order, bool wrapped,
                                         const chess::PieceLetters& letters);

// The entry a chosen row stands for, or kNoEcoEntry for a row outside the list.
int EntryOfRow(const EcoTable& table, const SelectOpeningList& list, int row);

// The first row of an entry, or -1 when the entry is not in the list.
int RowOfEntry(const EcoTable& table, const SelectOpeningList& list, int entry);

// The list opens on the selected row; a row from kScrollAheadFromRow on is first scrolled to
// kScrollAheadRows rows further, so the selection does not sit at the bottom edge. Returns the
// row to scroll to first, or -1 for none.
inline constexpr int kScrollAheadFromRow = 9;
inline constexpr int kScrollAheadRows = 6;
int RowToScrollFirst(int selectedRow, int rowCount);

// The moves of an entry, split as the entry test splits them, as SAN texts per side: what the
// chosen row loads as the variation of the variation search (then edited in Variation Edit).
struct EcoEntryLine {
    std::vector<std::string> white;
    std::vector<std::string> black;
};
EcoEntryLine EntryLine(const EcoTable& table, int entry);

}  // namespace ravelin::eco
