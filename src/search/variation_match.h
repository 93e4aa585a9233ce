#pragma once

// The test of one game against a move sequence. Both sides are compared as FastMove words: the
// variation's moves are replayed from the initial position and derived like the fast file's, so a
// game read from X.TRF and one parsed from the PGN text compare alike, whatever the text's form
// (check marks, glyphs, extra disambiguation, long or coordinate notation).

#include <array>
#include <cstdint>

#include "chess/chess_context.h"
#include "chess/position_history.h"
#include "search/fast_move.h"
#include "search/search_criteria.h"

namespace ravelin::search {

// The word of a "*" entry, and of a move that could not be played from the position its
// predecessors lead to. Both have the result bit set, so neither equals a game's move; "*" is
// told by its own flag and matches anything.
inline constexpr FastMove kAnyMoveWord = 0xffff;
inline constexpr FastMove kUnplayableWord = 0xfffe;

// The variation's moves as words, per side, index = move number - 1.
struct VariationWords {
    std::array<FastMove, chess::kMaxMovesPerSide> white{};
    std::array<FastMove, chess::kMaxMovesPerSide> black{};
    int whiteCount = 0;
    int blackCount = 0;
};

// Replays the variation from the standard initial position in context (its history is
// overwritten) and derives the word of every ply. A "*" entry is skipped on the board, so the moves
// after it are read in the position without it; a move that cannot be played makes it and every
// later real move kUnplayableWord.
void DeriveVariationWords(const SearchVariation& variation, chess::ChessContext& context,
                          VariationWords& words);

// The first whiteMoves white and blackMoves black moves of a variation, ready to test games: the
// matching of Exact Variation, or else of transposition order, where each move may stand anywhere
// within the same number of moves and a repeated move must be repeated as often.
class VariationMatcher {
  public:
    VariationMatcher(const VariationWords& words, int whiteMoves, int blackMoves, bool exact);

    // plyWords: the game's plies as little-endian byte pairs in playing order (white's first move
    // first), as X.TRF holds them. Never reads beyond plies words: moves the game does not have
    // match only "*".
    bool Matches(const std::uint8_t* plyWords, int plies) const;

    int WhiteMoves() const { return white_; }
    int BlackMoves() const { return black_; }

  private:
    // One side's tests: moves 0..tested-1 of the variation against the game's moves of that side.
    bool SideMatches(const std::uint8_t* plyWords, int side, int gameMoves, int tested) const;

    std::array<std::array<FastMove, chess::kMaxMovesPerSide>, 2> moves_{};
    // How many later moves (two or more further on) of the same side equal this one; 0 for "*".
    std::array<std::array<std::uint8_t, chess::kMaxMovesPerSide>, 2> repeats_{};
    int white_ = 0;
    int black_ = 0;
    bool exact_ = false;
};

// The outcome byte of a fast file result word: 0x8002 White won, 0x8000 Black won.
std::uint8_t OutcomeOfResultWord(FastMove resultWord);

}  // namespace ravelin::search
