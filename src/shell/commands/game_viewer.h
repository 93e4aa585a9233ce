#pragma once

// The game display's commands in the main window: "Display Game" and "Display Text", the next and
// previous game, the moves of the game ("Start of Game" and the others), paging the text, flipping
// the board, auto play's step, the variations after a move, and the view the window paints.

#include <functional>
#include <optional>
#include <string>

#include "display/game_display.h"
#include "display/game_view_state.h"
#include "display/text_view.h"
#include "eco/eco_status.h"
#include "eco/eco_table.h"

namespace ravelin::shell {

class MainWindow;

// Keys the window forwards to the game display.
enum class GameKey { kNext, kPrevious, kStart, kEnd, kForwardTen, kBackTen };

class GameViewer {
  public:
    explicit GameViewer(MainWindow& window);
    GameViewer(const GameViewer&) = delete;
    GameViewer& operator=(const GameViewer&) = delete;

    // After the settings are loaded: the shipped piece sets and ECO table are installed in the
    // working directory when missing, the table loaded and the board configured.
    void StartUp();

    display::GameDisplay& Display() { return display_; }
    display::TextView& Text() { return text_; }
    // "Show Actual Text": the shown game's record in a window of its own beside the game, until
    // "Show Normal Text" or a new view closes it.
    bool ActualTextOpen() const { return actualTextOpen_; }
    const display::TextView& ActualText() const { return actualText_; }
    const eco::EcoTable& EcoTable() const { return ecoTable_; }
    // Reads the ECO table files again after they were edited; the old table stays when they fail.
    void ReloadEcoTable();

    // What the window paints now.
    display::GameViewState State();

    // Window input: a click, the wheel (positive away from the user) and the keys.
    void Click(int x, int y);
    void Wheel(int steps);
    // The wheel over the column text scrolls it by whole lines: true when it did.
    bool ScrollWheel(int x, int y, int steps);
    // The column text's scroll bar moved to a line.
    void ScrollColumn(int lines);
    // The wheel at a window point: over the annotation list it scrolls the list, elsewhere the game.
    void Wheel(int steps, int x, int y);
    void Key(GameKey key);
    // A typed character: in variation edit '*' enters any move and a backspace takes the last move back.
    void Character(char character);
    // Whether a window point lies on the board of the mode shown (for the position edit menu).
    bool PointOnBoard(int x, int y);
    // "Go to Move": asks for a move of the shown game and goes to it.
    void AskGoToMove();
    // "Searched Position": the stored ply of the search result's current game.
    void GoToSearchedPosition();
    // One step of a move animation; true while more steps follow.
    bool AnimationStep();

    bool ShowCurrentGame();
    // While set, the shown game is read by it instead of from the open file (the annotation
    // mode's scratch copy of the game).
    std::function<bool(display::GameDisplay&)> readShownGame;
    // "Play Analysis": starts the analysis replay at the shown ply or plays its next move.
    void PlayAnalysis();
    // Leaves the analysis replay: the game is read again and shown at the ply the replay began.
    void EndAnalysisReplay();
    // A command on the shown game, given while another view is up: the request is kept, "Display
    // Game" posted, and the command posted again once the game is shown. False when the game is
    // shown already and the command can run now.
    bool DeferUntilGameShown(int commandId);
    // Registers a command that runs on the shown game, showing the game first when needed.
    void SetShownGameCommand(int commandId, std::function<void()> action);
    int DeferredCommand() const { return deferredCommand_; }
    // The text mode: the record as it stands in the file with "Display Actual Text" on, else the
    // game summary.
    bool ShowCurrentText();
    // "Set New Start": the position shown becomes where "Start of Game", Home and |< go in this
    // game, until another game is shown.
    void SetNewStart();
    // "Select Line": one of the variations after the shown move, picked from a list, is shown at
    // its first move; Next and Prev then step along it. "Show Line": the line shown (without one,
    // the first after the shown move) is played out to its end.
    void SelectLine();
    void ShowLine();

    // A source of games other than the open file (the database's search results): while active()
    // holds, "Display Game", "Next Game" and "Prev Game" and the status lines come from it.
    struct OtherSource {
        std::function<bool()> active;
        std::function<bool(display::GameDisplay&)> show;
        std::function<void(int direction)> step;
        std::function<std::string()> fileLine;
        std::function<std::string()> gameLine;
    };
    void SetOtherSource(OtherSource source) { other_ = std::move(source); }
    bool OtherSourceActive() const { return other_.active && other_.active(); }
    // The status lines of the view: "File:  name" or "DB:  name", and the game line.
    std::string StatusFileLine() const;
    std::string StatusGameLine() const;

  private:
    void IndexAgainIfChanged();
    void Register();
    void Reconfigure();
    void ReconfigureEditor();
    void ReportPieceSetFailure();
    void StepGame(int direction);
    // A click on one of the game display's navigation buttons: what its key or command does.
    void PressButton(display::GameButton button);
    void OpenActualText();
    void CloseActualText();
    void ShowText(bool actual);
    bool ShowSummary();
    // The move reached in a mode that counts moves, for the summary's first row.
    std::optional<int> MoveCounter();
    // The code and name of the game's opening, empty when the table has none for it.
    std::string OpeningName() const;
    // The new start of the shown game; 0 when it has none.
    int NewStartPly() const;
    void ForgetNewStartOfOtherGames();
    // False, with the message, for a game from a set-up position.
    bool LinesPlayable();

    MainWindow& window_;
    display::GameDisplay display_;
    display::TextView text_;
    display::TextView actualText_;
    bool actualTextOpen_ = false;
    int deferredCommand_ = 0;
    struct NewStart {
        std::string path;
        int game = 0;
        int ply = 0;
    };
    std::optional<NewStart> newStart_;
    eco::EcoTable ecoTable_;
    eco::EcoStatusState ecoState_;
    OtherSource other_;
};

}  // namespace ravelin::shell
