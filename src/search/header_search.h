#pragma once

// The header search of one PGN file (SearchHeadersAlone in searches.h): its choice of source.
// X.TRH is read whole when there is no Specific Move criterion and the file is not one of the ECO
// table's source files; with a Number of Moves criterion X.TRF is walked beside it. Otherwise the
// PGN text is read.

#include <cstddef>

namespace ravelin::search {

// The window through which X.TRF is read for the move counts.
inline constexpr std::size_t kHeaderSearchMoveWindow = 300000;

}  // namespace ravelin::search
