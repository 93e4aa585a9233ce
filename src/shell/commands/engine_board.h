#pragma once

// The board of the engine modes, shown in Variation Edit: a game against the engine, an analysis,
// or the study of a stored game. It starts from any position (a FEN text), may hold moves to step
// through, and takes moves entered by clicks or read from the engine. What a move means in each
// mode is the engine commands' business (EngineCommands::EnterMove).

#include <functional>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chess/chess_context.h"
#include "display/edit_board.h"
#include "display/game_view_state.h"

namespace ravelin::shell {

class MainWindow;

// A move made on the board, before it is played.
struct BoardMove {
    int fromFile = 0;
    int fromRank = 0;
    int toFile = 0;
    int toRank = 0;
    int promotionChoice = chess::kPromoteToQueenByDefault;
    chess::SanText san{};
};

// A button under the board and the command id it issues.
struct BoardButton {
    std::string label;
    int commandId = 0;
};

class EngineBoard {
  public:
    explicit EngineBoard(MainWindow& window);
    ~EngineBoard();
    EngineBoard(const EngineBoard&) = delete;
    EngineBoard& operator=(const EngineBoard&) = delete;

    // Sets up the position of the FEN text and plays the moves (SAN); false with the reason when
    // the text or a move does not fit. The board then shows the position after `current` moves.
    bool Start(const std::string& fen, const std::vector<std::string>& moves, int current,
               std::string& reason);

    // The first ply of the position (2 when Black moves first) and the ply shown.
    int StartPly() const { return startPly_; }
    int CurrentPly() const { return currentPly_; }
    int LastPly() const { return lastPly_; }
    // Plies played on this board up to the shown position.
    int Entered() const { return currentPly_ - startPly_ + 1; }
    void GoTo(int ply);

    // A coordinate move of the mover at the shown position, checked and written in SAN; nothing
    // changes. False when it is not legal.
    bool CheckMove(BoardMove& move);
    // A SAN text read against the shown position. 0 with the move filled in; 1 when it is not a
    // legal move; -2..-5 when it promotes to a fourth knight, bishop, rook or queen.
    int CheckSan(const std::string& text, BoardMove& move);
    // Plays a checked move after the shown position; the moves after it are dropped.
    void Play(BoardMove& move);
    // Takes plies back from the end.
    void TakeBack(int plies);
    // Whether the mover of the ply after the shown one has a legal move.
    bool NextMoverHasMove();
    chess::SanText& MoveOfPly(int ply) { return context_->moves.MoveOfPly(ply); }
    const chess::ChessContext& Context() const { return *context_; }
    std::string Fen();

    // Window input and drawing.
    void Configure();
    void Click(int x, int y);
    bool PointOnBoard(int x, int y) const { return board_.SquareAt(x, y).has_value(); }
    display::GameViewState State();

    std::string title;
    std::string status;
    std::vector<BoardButton> buttons;
    // Called with a move made by clicks.
    std::function<void(BoardMove&)> onMove;

  private:
    void SquareClicked(display::BoardSquare square);
    void AddMoveList(display::GameViewState& state);

    struct Hit {
        display::PixelRect rect;
        int ply = -1;
        int commandId = 0;
    };

    MainWindow& window_;
    std::unique_ptr<chess::ChessContext> context_;
    display::EditBoard board_;
    int startPly_ = 1;
    int currentPly_ = 0;
    int lastPly_ = 0;
    std::optional<display::BoardSquare> picked_;
    std::vector<Hit> hits_;
};

}  // namespace ravelin::shell
