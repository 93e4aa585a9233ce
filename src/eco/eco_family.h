#pragma once

#include <array>
#include <string_view>

namespace ravelin::eco {

// Family index of a code = (letter - 'A') * 100 + tens * 10 + units; kUnknownFamily for anything else.
inline constexpr int kEcoFamilies = 501;
inline constexpr int kUnknownFamily = 500;

// The family name of every ECO code (A00 to E99) and "???" at kUnknownFamily, for the game lists.
const std::array<std::string_view, kEcoFamilies>& EcoFamilyNames();

// The index into EcoFamilyNames of an ECO code text ("B90", or longer text starting with a code).
// Empty text, a letter outside A-E or a non-digit in the number gives kUnknownFamily.
int EcoFamilyIndex(std::string_view code);

}  // namespace ravelin::eco
