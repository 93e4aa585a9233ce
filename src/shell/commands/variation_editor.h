#pragma once

// Variation edit (display mode 20): the search variation is entered by playing moves on a board.
// A click on one of the mover's pieces picks it up, a click on its target square plays the move when
// it is legal. "*" stands for any move of that side; the board then stays as it was and the other
// side moves next. Playing at an earlier ply replaces the rest of the variation.

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chess/chess_context.h"
#include "display/edit_board.h"
#include "display/game_view_state.h"
#include "search/search_criteria.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr char kNotLegalMove[] = "That move is not legal here; it was not taken.";
inline constexpr char kVariationFull[] = "The variation is full: 200 moves a side.";
inline constexpr char kNotYourPiece[] = "Pick up a piece of the side to move.";
inline constexpr char kVariationBadMove[] = "The variation stops at move %s, which cannot be played.";
inline constexpr char kClearVariationQuestion[] = "Clear the variation?";

// How a variation replays: the plies that could be played and the first one that could not (0 when
// every move was played).
struct VariationReplay {
    int plies = 0;
    int badPly = 0;
};

// Replays the variation from the initial position into the context, saving every ply; "*" leaves
// the board as it is and passes the move.
VariationReplay ReplayVariation(const search::SearchVariation& variation, chess::ChessContext& context);

// Editing keys and buttons of the mode.
enum class VariationKey { kForward, kBack, kStart, kEnd, kAnyMove, kTakeBack, kClear };

class VariationEditor {
  public:
    explicit VariationEditor(MainWindow& window);
    ~VariationEditor();
    VariationEditor(const VariationEditor&) = delete;
    VariationEditor& operator=(const VariationEditor&) = delete;

    // "Edit Variation": the mode starts on the criteria's variation, at its end.
    void Enter();
    // The variation changed outside the editor (a criteria file was loaded).
    void Reload();

    void Click(int x, int y);
    void Key(VariationKey key);
    display::GameViewState State();
    // The board's size, colours, pieces or side changed.
    void Configure();
    bool PointOnBoard(int x, int y) const { return board_.SquareAt(x, y).has_value(); }

    int CurrentPly() const { return currentPly_; }
    int Plies() const { return replay_.plies; }
    const std::string& Status() const { return status_; }
    // The position on the board now.
    const chess::Board& ShownBoard() const { return context_->board; }
    const chess::ChessContext& Context() const { return *context_; }

    // A line that may hold fewer plies than a variation (the ECO editor's): a move beyond it is
    // refused with the message.
    int plyLimit = chess::kMaxPly;
    std::string plyLimitMessage;

  private:
    search::SearchVariation& Variation();
    void Rebuild();
    void GoTo(int ply);
    void SquareClicked(display::BoardSquare square);
    void PlayMove(display::BoardSquare from, display::BoardSquare to);
    // Sets the entry of the next ply, dropping what followed unless it is the same move.
    void PutNextMove(const chess::SanText& san, const chess::FromHint& hint);
    void AddMoveList(display::GameViewState& state);
    void AddButtons(display::GameViewState& state);

    struct Hit {
        display::PixelRect rect;
        int ply = -1;  // a move of the list
        std::optional<VariationKey> key;
    };

    MainWindow& window_;
    std::unique_ptr<chess::ChessContext> context_;
    display::EditBoard board_;
    VariationReplay replay_;
    int currentPly_ = 0;
    std::optional<display::BoardSquare> picked_;
    std::string status_;
    std::vector<Hit> hits_;
};

}  // namespace ravelin::shell
