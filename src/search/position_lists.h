#pragma once

// The position lists and the position editor's criteria board, each made from the other: the
// lists are what a search reads and a criteria file stores, the board is what the editor shows.

#include "search/search_criteria.h"

namespace ravelin::search {

// Fills both lists from the board: one entry per occupied square, files a to h and ranks 1 to 8
// within each file, then the count conditions (queens, rooks, bishops, knights, pawns) of white
// and of black. A full list keeps its last entry for whatever comes after. The move-number
// condition is left as it is.
void BuildPositionLists(const CriteriaBoard& board, SearchPosition& position);

// Clears the board and puts every placement and count entry of the lists on it; entries that name
// no square or piece cannot be shown and are left off.
void PutListsOnCriteriaBoard(const SearchPosition& position, CriteriaBoard& board);

}  // namespace ravelin::search
