#include "chess/piece_letters.h"

#include <cstring>

namespace ravelin::chess {

namespace {

constexpr std::string_view kEnglishLetters = "KQRBN";
// "NCO" (an opening book's abbreviation in opening texts) keeps its N.
constexpr std::string_view kKeptSequence = "NCO";

void Localise(char* begin, char* end, const PieceLetters& letters) {
    for (char* c = begin; c < end; ++c) {
        if (*c < 'B' || *c > 'R') {
            continue;
        }
        const std::size_t index = kEnglishLetters.find(*c);
        if (index == std::string_view::npos) {
            continue;
        }
        if (*c == 'N' && std::string_view(c, static_cast<std::size_t>(end - c)).starts_with(kKeptSequence)) {
            continue;
        }
        *c = letters.letters[index];
    }
}

bool IsAsciiLetter(char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}

}  // namespace

char* LocalisePieceLetters(char* text, const PieceLetters& letters) {
    char* end = text + std::strlen(text);
    if (letters.custom && !letters.suspended) {
        Localise(text, end, letters);
    }
    return end;
}

void LocalisePieceLetters(std::string& text, const PieceLetters& letters) {
    if (letters.custom && !letters.suspended) {
        Localise(text.data(), text.data() + text.size(), letters);
    }
}

void LocaliseAfterMoveNumber(std::string& text, const PieceLetters& letters) {
    if (!letters.custom) {
        return;
    }
    const std::size_t dot = text.find('.');
    const std::size_t start = dot == std::string::npos ? 0 : dot + 1;
    Localise(text.data() + start, text.data() + text.size(), letters);
}

std::string SetPieceLetters(std::string_view fiveLetters, PieceLetters& letters) {
    if (fiveLetters.size() != kEnglishLetters.size()) {
        return "Only valid characters are A to Z.";
    }
    for (const char c : fiveLetters) {
        if (!IsAsciiLetter(c)) {
            return "Only valid characters are A to Z.";
        }
    }
    for (std::size_t i = 0; i < fiveLetters.size(); ++i) {
        if (fiveLetters.find(fiveLetters[i], i + 1) != std::string_view::npos) {
            return "Characters must be different.";
        }
    }
    for (std::size_t i = 0; i < fiveLetters.size(); ++i) {
        letters.letters[i] = fiveLetters[i];
    }
    letters.custom = fiveLetters != kEnglishLetters;
    return {};
}

}  // namespace ravelin::chess
