#pragma once

// The pieces of a set (of the normal, 40-pixel board) in the form the diagram pictures draw from.

#include "display/piece_set.h"
#include "reports/diagram_bitmap.h"

namespace ravelin::display {

// The set's twelve cells; a set of another square size gives the pixels of its top-left 40 x 40.
reports::PieceCells DiagramPieceCells(const PieceSet& set);

}  // namespace ravelin::display
