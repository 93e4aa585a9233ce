#pragma once

// The board of the criteria editors: a position drawn with the game display's piece set and
// colours at the top left of the window, one marked square (the piece picked up), and the square
// under a window pixel for clicks.

#include <optional>
#include <string>

#include "chess/board.h"
#include "display/board_screen.h"
#include "display/game_display.h"
#include "display/game_layout.h"
#include "display/piece_set.h"

namespace ravelin::display {

class EditBoard {
  public:
    void Configure(const GameDisplayOptions& options, bool flipped);
    const GameLayout& Layout() const { return layout_; }
    const GameDisplayOptions& Options() const { return options_; }

    // Shows board, with a frame on the marked square when there is one.
    void Draw(const chess::Board& board, std::optional<BoardSquare> marked);
    const RgbImage& Image() const { return screen_.Image(); }

    // The square under a window pixel (the board image lies at the window's top left).
    std::optional<BoardSquare> SquareAt(int x, int y) const;
    std::string TakePieceSetFailure() { return pieceSets_.TakeFailureMessage(); }

  private:
    GameDisplayOptions options_;
    GameLayout layout_;
    PieceSetCache pieceSets_;
    BoardScreen screen_;
    std::optional<BoardSquare> marked_;
    bool configured_ = false;
};

}  // namespace ravelin::display
