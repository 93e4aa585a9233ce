#pragma once

// A variation move picked in the column text, played out: the variation's moves are replayed on a
// copy of the game's position at the ply they branch from (a nested variation through its parent
// variation's moves up to its branch point), so that the display can show and step through them
// without touching the main line.

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "chess/board.h"
#include "chess/chess_context.h"
#include "display/column_format.h"

namespace ravelin::display {

inline constexpr std::string_view kVariationMoveNotPlayable = "This variation move cannot be played: ";

struct VariationLine {
    int hangPly = 0;      // the main-line ply the outermost variation stands after
    int variationId = 0;  // of the clicked move's variation (ColumnWord::variationId)
    int firstPly = 0;     // the ply of its first move
    // Its playable moves from the first on, as the SAN reader rewrote them, and the positions:
    // boards[0] before the first move, boards[k] after move k.
    std::vector<std::string> moves;
    std::vector<chess::Board> boards;
    int current = 1;  // the move shown, 1-based

    int MoveCount() const { return static_cast<int>(moves.size()); }
    int CurrentPlyNumber() const { return firstPly + current - 1; }
    const std::string& CurrentMove() const { return moves[static_cast<std::size_t>(current - 1)]; }
    const chess::Board& Board() const { return boards[static_cast<std::size_t>(current)]; }
    const chess::Board& BoardBefore() const { return boards[static_cast<std::size_t>(current - 1)]; }
};

struct VariationReplay {
    std::optional<VariationLine> line;
    std::string error;  // the message when line is empty
};

// The ply of a variation's first move from the number written before it: 2n - 1 for "n." and 2n
// for "n.." or "n..."; fallback when there is no number.
int VariationFirstPly(std::string_view moveText, int fallback);

// Replays the variation of the move word words[word] up to its end or its first move that cannot
// be played. game holds the main line's positions (its history is read, never written); mainPlies
// is the number of main-line plies in it.
VariationReplay ReplayVariation(const std::vector<ColumnWord>& words, std::size_t word,
                                const chess::ChessContext& game, int mainPlies);

// An outermost variation that follows a main-line ply (an alternative to that ply's move): the
// index of its first move among the words, and its own moves as one text.
struct VariationChoice {
    std::size_t firstWord = 0;
    std::string text;
};

// The variations after ply, in the order they stand in the game.
std::vector<VariationChoice> VariationsAfter(const std::vector<ColumnWord>& words, int ply);

// The line below the board for the move shown: "%3d. %s" for white, "%3d. ... %s" for black.
std::string VariationMoveNumberText(int ply, std::string_view move);

}  // namespace ravelin::display
