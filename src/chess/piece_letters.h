#pragma once

#include <array>
#include <string>
#include <string_view>

namespace ravelin::chess {

// The letters output texts show for king, queen, rook, bishop and knight, in that order. They come
// from the user's settings; custom is on when they differ from "KQRBN". While suspended is set
// (output that must stay in English letters, e.g. a PGN file being written) LocalisePieceLetters
// leaves texts alone.
struct PieceLetters {
    std::array<char, 5> letters = {'K', 'Q', 'R', 'B', 'N'};
    bool custom = false;
    bool suspended = false;
};

// Replaces K, Q, R, B, N in the NUL-terminated text by the custom letters (the N of "NCO" stays).
// Returns the end of the text.
char* LocalisePieceLetters(char* text, const PieceLetters& letters);
void LocalisePieceLetters(std::string& text, const PieceLetters& letters);

// The same, after the first full stop only (the whole text when it has none), so a move number
// prefix stays; ignores the suspension.
void LocaliseAfterMoveNumber(std::string& text, const PieceLetters& letters);

// Checks the five letters typed into the options dialog: "" and letters filled when they may be
// stored, otherwise the message to show ("Only valid characters are A to Z." or
// "Characters must be different.").
std::string SetPieceLetters(std::string_view fiveLetters, PieceLetters& letters);

}  // namespace ravelin::chess
