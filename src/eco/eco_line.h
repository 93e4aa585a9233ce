#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace ravelin::eco {

// A moves line split into its white and black moves.
struct EcoLineMoves {
    std::vector<std::string_view> white;
    std::vector<std::string_view> black;
};

// Splits a moves line the way the entry test reads it: at each full stop, the characters up to the
// next space (or the end) are a white move; when a space follows, the next run of characters above
// the space code is the black move. Move numbers and spaces are skipped. The views point into line.
EcoLineMoves SplitEcoLine(std::string_view line);

// The number of plies of a moves line: its spaces plus one.
int EcoLinePlies(std::string_view line);

// Formats moves as a moves line: "1.e4 e5 2.Nf3", one space between plies, no trailing space.
std::string FormatEcoLine(const std::vector<std::string>& plies);

// The move without one trailing "+".
std::string_view WithoutCheckSign(std::string_view san);

}  // namespace ravelin::eco
