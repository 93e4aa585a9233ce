#pragma once

#include <array>
#include <string_view>

#include "chess/position_history.h"

namespace ravelin::chess {

// A move as SAN text: at most seven characters and a NUL. Readers rewrite it in place.
inline constexpr int kSanTextSize = 8;
inline constexpr int kMaxSanLength = kSanTextSize - 1;
using SanText = std::array<char, kSanTextSize>;

// A source square taken from long algebraic notation ("g1"); first byte 0 = no hint. A first byte
// of 1 is only a marker that the game carries hints.
inline constexpr int kFromHintSize = 3;
using FromHint = std::array<char, kFromHintSize>;

// The main line of the current game: WhiteMoves and BlackMoves, index = move number - 1, and the
// FromHints of each. An empty black entry ends an incomplete last move; a white entry ".." stands
// for the missing white move of a game that starts with black to move.
struct MoveList {
    std::array<SanText, kMaxMovesPerSide> whiteMoves{};
    std::array<SanText, kMaxMovesPerSide> blackMoves{};
    std::array<FromHint, kMaxMovesPerSide> whiteHints{};
    std::array<FromHint, kMaxMovesPerSide> blackHints{};

    // Entries of ply p (1..kMaxPly): white's when p is odd.
    SanText& MoveOfPly(int ply) { return ply % 2 == 1 ? whiteMoves[(ply - 1) / 2] : blackMoves[ply / 2 - 1]; }
    FromHint& HintOfPly(int ply) {
        return ply % 2 == 1 ? whiteHints[(ply - 1) / 2] : blackHints[ply / 2 - 1];
    }
    void Clear() { *this = MoveList{}; }
};

// Copies text into a SAN entry, keeping at most seven characters.
void SetSanText(SanText& san, std::string_view text);
// The text of an entry, never reading past its last byte even when no NUL was written.
std::string_view SanView(const SanText& san);

}  // namespace ravelin::chess
