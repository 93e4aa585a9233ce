#pragma once

// The header half of the fast file (X.TRH): the game count, then per game ten length-prefixed
// header values.

#include <cstdint>
#include <string>
#include <string_view>

#include "gamefile/game_header.h"

namespace ravelin::search {

// Bytes of the game count at the start of X.TRH.
inline constexpr std::size_t kFastHeaderCountSize = 4;
inline constexpr int kFastHeaderStrings = 10;
// A value is stored with a one-byte length; a longer one (only a malformed file has one) is cut.
inline constexpr std::size_t kMaxFastHeaderValue = 255;

// The stored form of a Round value: a value beginning with a character above '9' (other than '?')
// keeps only its text from the first digit after its first character on ("R5" and "Rd 3" become
// "5" and "3"). Without such a digit the value is kept whole: there is nothing shorter to keep.
std::string_view ReduceRoundValue(std::string_view round);

// The value of a tag line as the fast file stores it ("" for a missing tag).
std::string TagValueOf(std::string_view tagLine);

// Appends one game's record: White, Black, Result, Date, ECO, WhiteElo, BlackElo, Round, Event,
// Site, each a length byte and its characters.
void AppendFastHeaderRecord(const gamefile::GameHeader& header, std::string& out);

// Appends the little-endian signed game count.
void AppendFastHeaderCount(std::int32_t count, std::string& out);

}  // namespace ravelin::search
