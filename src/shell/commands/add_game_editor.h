#pragma once

// Add-game mode (display mode 40): a game is entered by playing its moves on a board, from the
// standard start or from the position editor's board, given its header, and saved into a file.
// A click on one of the mover's pieces picks it up, a click on its target square plays the move
// when the chess core finds it legal; a pawn reaching the last rank asks for its piece. Backspace
// takes the last move back.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chess/chess_context.h"
#include "display/edit_board.h"
#include "display/game_view_state.h"
#include "gamefile/game_writer.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr char kNoMovesEntered[] = "No moves have been entered. Game was not saved.";
inline constexpr char kAddGameFull[] = "The game is full: 200 moves a side.";
inline constexpr char kCopyMovesQuestion[] = "Copy the moves from the current game?";
inline constexpr char kCopyHeaderQuestion[] = "Copy the header from the current game?";
inline constexpr char kCopyGameQuestion[] = "Copy the moves and header from the current game?";
inline constexpr char kCopyPositionQuestion[] = "Copy the position from the current game?";
inline constexpr char kWhiteToMoveFirst[] = "Is white to move first?";

class AddGameEditor {
  public:
    explicit AddGameEditor(MainWindow& window);
    ~AddGameEditor();
    AddGameEditor(const AddGameEditor&) = delete;
    AddGameEditor& operator=(const AddGameEditor&) = delete;

    // A new game from the standard start position.
    void Enter();
    // A new game from a set-up position, black moving first when whiteFirst is false.
    void EnterFromPosition(const chess::Board& position, bool whiteFirst);
    // The main line of a game up to the ply, from its FEN position when it has one.
    void TakeMoves(const chess::ChessContext& game, int plies);
    void TakeHeader(const std::array<std::string, gamefile::kEnteredTagCount>& values) {
        game_.header = values;
    }

    void Click(int x, int y);
    void TakeBack();
    display::GameViewState State();
    void Configure();
    bool PointOnBoard(int x, int y) const { return board_.SquareAt(x, y).has_value(); }
    std::optional<display::BoardSquare> SquareAt(int x, int y) const { return board_.SquareAt(x, y); }

    // The game as it stands, its FEN tag filled in for a set-up position.
    gamefile::EnteredGame& Game();
    // The game starts from a set-up position.
    bool SetUp() const { return setUp_; }
    int Plies() const { return lastPly_ - firstPly_ + 1; }
    const std::string& Status() const { return status_; }
    const chess::Board& ShownBoard() const { return context_->board; }

  private:
    void Start(bool setUp);
    void SquareClicked(display::BoardSquare square);
    void PlayMove(display::BoardSquare from, display::BoardSquare to);
    // Mirrors the context's move list into the entered game.
    void CopyMoveList();

    MainWindow& window_;
    std::unique_ptr<chess::ChessContext> context_;
    display::EditBoard board_;
    gamefile::EnteredGame game_;
    bool setUp_ = false;
    chess::Board setUpBoard_{};
    int firstPly_ = 1;  // 2 when black moves first
    int lastPly_ = 0;   // the ply of the last move entered (firstPly_ - 1 without moves)
    std::optional<display::BoardSquare> picked_;
    std::string status_;
};

}  // namespace ravelin::shell
