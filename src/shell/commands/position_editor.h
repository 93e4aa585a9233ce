#pragma once

// Position edit (display mode 30): the criteria board of the position search. A piece picked from
// the palette beside the board is put on every square clicked; clicking a square that holds that
// same piece empties it. The buttons below the palette clear the board, take the position of the
// game on display, and open the "Pawns and Pieces Remaining" and "Set Position Move Number" dialogs.

#include <optional>
#include <string>
#include <vector>

#include "chess/board.h"
#include "display/edit_board.h"
#include "display/game_view_state.h"
#include "search/search_criteria.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr char kNoGameToCopy[] = "Display a game first: its position is copied.";
inline constexpr char kPickPieceFirst[] = "Pick a piece from the palette first.";
inline constexpr char kSideListFull[] = "A side can have at most 40 entries.";
inline constexpr char kClearPositionQuestion[] = "Clear the position?";

// Editing actions of the mode, from the buttons and the keys.
enum class PositionAction { kClear, kFromGame, kPiecesRemaining, kMoveNumber };

class PositionEditor {
  public:
    explicit PositionEditor(MainWindow& window);

    // "Edit Position": shows the criteria board.
    void Enter();
    void Click(int x, int y);
    void Act(PositionAction action);
    // Picks a palette piece (kEmpty picks the eraser).
    void Pick(chess::PieceCode code) { picked_ = code; }
    std::optional<chess::PieceCode> Picked() const { return picked_; }
    // A square clicked with the picked piece.
    void SquareClicked(int file, int rank);

    display::GameViewState State();
    // The board's size, colours, pieces or side changed.
    void Configure();
    bool PointOnBoard(int x, int y) const { return board_.SquareAt(x, y).has_value(); }
    const std::string& Status() const { return status_; }
    // The move-number label beside the board.
    std::string MoveNumberLabel() const;

  private:
    search::CriteriaBoard& Criteria();
    int EntriesOfSide(int side) const;

    struct Hit {
        display::PixelRect rect;
        std::optional<chess::PieceCode> piece;
        std::optional<PositionAction> action;
    };

    MainWindow& window_;
    display::EditBoard board_;
    std::optional<chess::PieceCode> picked_;
    std::string status_;
    std::vector<Hit> hits_;
};

}  // namespace ravelin::shell
