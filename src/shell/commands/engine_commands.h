#pragma once

// The engine's commands in the main window: the engine menu, the play and analysis buttons under
// the engine board, "Analyze" and "Study Mode", the polling of the engine on timer 2 and the
// "Crafty Interface" window (what the engine printed and the command line under it).

#include <memory>
#include <string>
#include <vector>

#include "engine/engine_files.h"
#include "engine/engine_link.h"
#include "engine/engine_protocol.h"
#include "shell/commands/engine_board.h"

namespace ravelin::shell {

class MainWindow;

// Ids of the engine board's buttons: the play buttons, then the analysis steps and the study
// mode's "Show Move".
inline constexpr int kCmdEngineForce = 601;
inline constexpr int kCmdEngineClock = 603;
inline constexpr int kCmdEngineResign = 604;
inline constexpr int kCmdEngineDraw = 605;
inline constexpr int kCmdEngineExit = 607;
inline constexpr int kCmdAnalysisBack = 608;
inline constexpr int kCmdAnalysisStart = 609;
inline constexpr int kCmdAnalysisForward = 610;
inline constexpr int kCmdAnalysisExit = 611;
inline constexpr int kCmdStudyShowMove = 612;
inline constexpr int kCmdDirectInterface = 374;
inline constexpr int kCmdAnalyzePosition = 376;
inline constexpr int kCmdPlayGame = 373;
inline constexpr int kCmdAnalyze = 195;
inline constexpr int kCmdStudyMode = 268;

inline constexpr char kEngineWindowTitle[] = "Crafty Interface";
inline constexpr char kMoveCommandsRefused[] = "Move commands are not allowed.";
inline constexpr char kOnlyWhenEngineOnMove[] = "Only valid when Crafty is on move.";
inline constexpr char kDisplayGeneralOff[] = "The display general option is not on.";
inline constexpr char kResignQuestion[] = "Resign the game. Are you sure?";
inline constexpr char kNewGameQuestion[] = "Start a new game. Are you sure?";
inline constexpr char kExitEngineQuestion[] = "Exit Crafty. Are you sure?";
inline constexpr char kButtonNotAvailable[] = "This button is not available.";
inline constexpr char kCannotContinue[] = "Cannot continue game from this mode.";
inline constexpr char kSelectContinuePosition[] = "Select the position from which to continue the game.";
inline constexpr char kPositionFileError[] = "Error creating Crafty position file.";
inline constexpr char kMoveFileError[] = "Error creating position file.";
inline constexpr char kGameFileError[] = "Error creating read file.";
inline constexpr char kCanOpenError[] = "Error opening CAN file.";
inline constexpr char kPgnCreateError[] = "Error creating PGN file.";
inline constexpr char kNoEngineGame[] = "There is no game to save.";
inline constexpr char kNoPositionMoves[] = "Position moves cannot be saved.";
inline constexpr char kRestartForFont[] = "Restart Crafty for the new font to take affect.";
inline constexpr char kEndOfStudyGame[] = "End of the game!";
inline constexpr char kIncorrectMove[] = "Incorrect move!";
inline constexpr char kStudyFenRefused[] = "Play analysis is not supported for FEN positions.";
inline constexpr char kEngineMoveIllegal[] = "Crafty's move %s cannot be played here; the game ends.";
inline constexpr char kEngineMovePromotion[] =
    "Crafty's move %s promotes to a fourth piece of a kind, which the board cannot hold; the game ends.";

// The "Crafty Interface" window as the GUI shows it.
struct EngineWindowView {
    bool open = false;
    bool fixedFont = false;
    std::vector<std::string> lines;
    int x = 0;  // where it opens beside the board (0: the platform decides)
    int y = 0;
};

class EngineCommands {
  public:
    explicit EngineCommands(MainWindow& window);
    ~EngineCommands();
    EngineCommands(const EngineCommands&) = delete;
    EngineCommands& operator=(const EngineCommands&) = delete;

    // The engine window: its view, a command typed into it (OK) and its Exit button.
    const EngineWindowView& WindowView() const { return view_; }
    void TypedCommand(const std::string& text);
    void WindowExit();

    // The engine board while it is shown (play, analysis, study) in Variation Edit.
    bool BoardShown() const;
    // The ply of the game position the board was entered from with "Analyze"; -1 otherwise.
    int EnteredFromGamePly() const { return enteredFromGamePly_; }
    EngineBoard& Board() { return board_; }
    // A move made on the board (the variation edit board's move entry): checked for the mode,
    // played, sent to the engine when it should be. fromEngine marks the engine's own moves.
    void EnterMove(BoardMove& move, bool fromEngine);
    // A command that shows another view leaves the engine board (and stops the engine of a game or
    // an analysis).
    void LeaveBoard(int commandId);
    // The program ends: the engine is stopped and reaped.
    void Shutdown();
    // Timer 2: what the engine printed since the last tick.
    void Poll();

    engine::EngineMode Mode() const { return mode_; }
    bool Running() const { return link_.IsRunning(); }
    bool StudyOn() const { return study_.on; }
    engine::EngineLink& Link() { return link_; }

  private:
    void Register();
    // Menu commands.
    void PlayGame();
    void DirectInterface();
    void EvaluatePosition();
    void AnalyzePosition();
    void Analyze();
    void StudyMode();
    void SetInterfaceFont();
    void SaveEngineGame();
    void SaveCurrentPosition();
    void SavePositionMoves();
    void ConvertAnnotationFile();
    // Buttons.
    void PlayButton(int commandId);
    void AnalysisButton(int commandId);
    void ShowStudyMove();

    bool ChooseEngine(bool force);
    std::string EnginePath() const;
    std::string EngineDirectory() const;
    bool StartEngine(engine::EngineMode mode);
    void StopEngine();
    void EngineEnded();
    // Sends a command as the window's action does: typed commands are checked first; the answer
    // is read briefly and shown, and in play mode the engine's move taken.
    void Act(const std::string& command, bool typed);
    void Send(const std::string& command);
    void ShowEngineOutput(const std::vector<std::string>& lines);
    void TakeEngineMove(const std::vector<std::string>& lines);
    void UpdateTurn();
    bool EngineOnMove() const;

    // The board and ply of the current mode, for the position commands.
    const chess::Board* ShownBoard();
    int PliesOfMode(bool& refused);
    bool AskPositionInfo(engine::PositionInfo& info, bool blackToMove);
    // The "setboard" command of the shown position after the position information: kept for the
    // start-up (forSending) or written to a .pos file the user names.
    bool WritePositionCommand(bool forSending);
    // The moves of the first plies of the mode's line: crafanal.pgn in the engine's folder
    // (engineFile) or a .pgn file the user names.
    bool WriteMoveFile(int plies, bool engineFile);
    // The start FEN of the shown game and its main-line moves (SAN).
    bool ShownGameLine(std::string& fen, std::vector<std::string>& moves);
    void ShowBoard(const std::string& title, std::vector<BoardButton> buttons);
    void SetPlayButtons();
    void SetAnalysisButtons();
    bool WriteWorkFile(const std::string& path, const std::string& text, const char* failure);
    // A file in the engine's folder (crafanal.pgn, craftyqq.pgn).
    bool WriteEngineFile(const char* name, const std::string& text, const char* failure);
    void ReturnToGame();

    engine::PlayOptions LoadPlayOptions() const;
    void StorePlayOptions(const engine::PlayOptions& options);
    bool FixedFont() const;

    MainWindow& window_;
    engine::EngineLink link_;
    engine::EngineMode mode_ = engine::EngineMode::kNone;
    EngineBoard board_;
    bool boardActive_ = false;
    EngineWindowView view_;
    int outputMode_ = 0;  // 0 replace on each read, 1 accumulate, 2 clear once then accumulate
    int analysisFlag_ = 0;
    int analysisStartEntered_ = 0;
    int enteredFromGamePly_ = -1;
    bool positionSource_ = false;
    std::string setboardText_;
    engine::PlayOptions play_;
    bool continuedBlackToMove_ = false;
    bool takingEngineMove_ = false;
    struct Study {
        bool on = false;
        std::vector<std::string> moves;  // the stored game's moves, ply 1 first
    } study_;
};

}  // namespace ravelin::shell
