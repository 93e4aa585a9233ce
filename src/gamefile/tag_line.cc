#include "gamefile/tag_line.h"

#include <array>

namespace ravelin::gamefile {

namespace {

// Names that make a bracketed line a tag line even without the quoted-value form; longer names
// that begin with one of these qualify too.
constexpr std::array<std::string_view, 15> kKnownTagPrefixes = {
    "Event", "Site", "Date", "Round", "White", "Black", "Result", "ECO",
    "Annot", "Ply",  "Time", "Source", "Opening", "NIC", "FEN"};

bool IsUpperLetter(char c) { return c >= 'A' && c <= 'Z'; }

}  // namespace

bool IsTagLine(std::string_view line) {
    if (line.size() < 2 || line[0] != '[' || !IsUpperLetter(line[1])) {
        return false;
    }
    std::size_t closing;
    if (line.back() == ']') {
        closing = line.size() - 1;
    } else if (line.size() >= 3 && line.back() == ' ' && line[line.size() - 2] == ']') {
        closing = line.size() - 2;
    } else {
        return false;
    }
    // q: the character just before the closing bracket.
    std::size_t q = closing - 1;
    bool valueEndsQuoted = line[q] == '"' || (line[q] == ' ' && q > 0 && line[q - 1] == '"');
    if (valueEndsQuoted) {
        std::size_t firstBracket = line.find(']');
        std::size_t blank = line.find(' ', 2);
        if (blank != std::string_view::npos && blank < firstBracket && blank + 1 < line.size() &&
            line[blank + 1] == '"') {
            return true;
        }
    }
    std::string_view name = line.substr(1);
    for (std::string_view prefix : kKnownTagPrefixes) {
        if (name.starts_with(prefix)) {
            return true;
        }
    }
    return false;
}

}  // namespace ravelin::gamefile
