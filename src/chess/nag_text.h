#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace ravelin::chess {

// How a NAG is written: between dollar signs as text for the display, or by number when a game's
// annotations are collected for writing the game out ("$14") or for the column-format text ("$14$").
enum class NagTextMode { kDisplay, kGameWriting, kColumnText };

// NAG numbers read from a file stop growing here, so a long run of digits cannot overflow.
inline constexpr int kMaxNagNumber = 99999;

// The table text of NAGs 1 to 139, "" for any other number.
std::string_view NagTableText(int nag);

// The text shown for a NAG: "$Good move$" for 1 to 139, "$>=$" for 142, "$Novelty$" for 146,
// "$Unknown NAG 140$" for the rest.
std::string NagText(int nag, NagTextMode mode = NagTextMode::kDisplay);

// The number at the start of digits (after the '$'), saturating at kMaxNagNumber; *used receives
// the number of digits.
int ReadNagNumber(std::string_view digits, std::size_t* used);

}  // namespace ravelin::chess
