#pragma once

#include <string_view>

namespace ravelin::gamefile {

// Whether a line read by the LineReader is a PGN tag line: "[Name "value"]" with any tag name, or
// a bracketed line whose name begins with one of the common tag names (so that a tag with a
// damaged value still counts as a header line).
bool IsTagLine(std::string_view line);

}  // namespace ravelin::gamefile
