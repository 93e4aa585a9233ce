#pragma once

// "Go to Move": the move of the shown game to go to, by its number and side.

#include <string>

#include "platform/dialog.h"

namespace ravelin::shell {

inline constexpr char kGoToMoveTitle[] = "Go to Move";
inline constexpr char kGoToMoveRange[] = "Enter a move number from 1 to %d.";

class GoToMoveDialog : public platform::Dialog {
  public:
    // lastMove: the number of the game's last move (its white move may be the last ply).
    GoToMoveDialog(int totalPlies) : totalPlies_(totalPlies) {}
    std::string Title() const override { return kGoToMoveTitle; }
    // The number must name a move of the game; black's move of the last number only when played.
    std::string Validate() override;
    // The ply of the chosen move: 2n - 1 for white's move n, 2n for black's.
    int Ply() const;

    std::string moveNumber;
    bool blackMove = false;

  private:
    int totalPlies_ = 0;
};

}  // namespace ravelin::shell
