#pragma once

#include <functional>
#include <map>
#include <memory>
#include <string>

#include "gamefile/background_operation.h"
#include "gamefile/game_file.h"
#include "platform/platform.h"
#include "platform/working_paths.h"
#include "settings/message_box.h"
#include "settings/screen_layout.h"
#include "settings/settings_record.h"
#include "settings/settings_startup.h"
#include "shell/auto_play.h"
#include "shell/commands/options_apply.h"
#include "shell/commands/search_session.h"
#include "shell/dispatch.h"
#include "shell/display_mode.h"
#include "shell/menu_bar.h"
#include "shell/menus.h"

namespace ravelin::shell {

class OptionsDialog;
class GameViewer;
class FastFileCommands;
class SearchCommands;
class DirectorySearchCommands;
class AddGameEditor;
class TreeCommands;
class EcoEditorCommands;
class StatisticsCommands;
class EngineCommands;
class DatabaseCommands;

inline constexpr char kFileReloaded[] = "File has been reloaded.";
inline constexpr char kVersionText[] = "Version 4.0 updated 11-Nov-05";
inline constexpr std::string_view kGameBufferFileName = "gameqqqq.xyz";
inline constexpr std::string_view kHelpFileName = "ravelin-help.html";
inline constexpr char kLargerBoardMessage[] =
    "If you want a larger board size, set 'Board Size' in the 'File->Options' menu.";
inline constexpr char kSmallerBoardMessage[] =
    "If you want a smaller board size, set 'Board Size' in the 'File->Options' menu.";

// What the window shows of the program's state; the GUI paints exactly this.
struct WindowView {
    std::string caption;
    std::string fileLine;  // "File:  name"
    std::string gameLine;  // "Game:  n of count"
    int scrollMinimum = 1;
    int scrollMaximum = 1;
    int scrollPosition = 1;
    bool scrollEnabled = false;
    // The program's own menu bar ("Enhanced Menu") instead of the standard "MainMenu".
    bool ownMenuBar = false;
    int menuBarHeight = 0;
    MenuBarKind menuBarKind = MenuBarKind::kMain;
    bool autoPlayOn = false;
};

// Calls into the subsystems that draw and keep the views. Each is optional: a subsystem that is
// not built leaves its hook empty.
struct ShellHooks {
    // Closes the tool windows, the actual-text window, the move-list buffer and the temporary file
    // of the view being left.
    std::function<void()> closeViewTools;
    // "Open File" and "Previous File" return from the database view to the file first.
    std::function<void()> leaveDatabaseView;
    std::function<void()> reloadPieceSet;
    // The screen layout changed: the board metrics are rebuilt.
    std::function<void()> layoutChanged;
    std::function<void()> redraw;
    std::function<void()> closeAnnotationList;
    // Ends the analysis of a game in variation edit.
    std::function<void()> endAnalysis;
    std::function<void()> redrawTree;
    // Runs before the program ends (the print list is offered for printing).
    std::function<void()> beforeExit;
};

// The main window without its pixels: start-up, the settings, the open file, the display mode
// and the dispatch of command ids. The desktop program and the tests drive the same object.
class MainWindow {
  public:
    MainWindow(platform::Platform platform, platform::WorkingPaths paths);
    ~MainWindow();

    // Loads the settings, prepares the working files and posts "Open File". commandLinePath is
    // the optional PGN file named on the command line.
    void StartUp(const std::string& commandLinePath);

    // One command id from a menu, a button or the queue.
    void HandleCommand(int commandId);
    // A tick of one of the window's timers.
    void HandleTimer(int timerId);
    // The game scroll bar moved.
    void ScrollToGame(int gameNumber);
    // The window is about to close: the worker is stopped and joined, the settings written.
    void PrepareToClose();
    // The user asked the window for a larger or smaller board (the zoom keys or the wheel): the
    // board size is an option, and the message says where it is set.
    void AskForBoardSize(bool larger);

    WindowView View() const;
    // Called after every change the window must show.
    std::function<void()> onChanged;
    // Shows the help page at a section (the name of its anchor).
    void ShowHelpAt(std::string_view anchor);
    // Called when the help page should be shown, with the page's path (and "#anchor" for a section).
    std::function<void(const std::string&)> onShowHelp;
    // Called when the window's position and size must change.
    std::function<void(const settings::WindowRect&)> onWindowRect;
    ShellHooks hooks;

    bool ExitRequested() const { return exitRequested_; }
    // A background operation started (busy) or was reported: the window shows the background
    // display meanwhile and then the view it had, unless a command changed the view since.
    void ShowBackgroundDisplay(bool busy);
    int displayMode = kModeNothing;
    int currentPly = 0;

    // State the dispatch and the context menus depend on, kept by the subsystems that own it.
    bool databaseOpen = false;
    bool analysing = false;
    EngineTurnState engine;
    ContextMenuState contextState;  // its display mode and actual-text flag are filled in here

    // The owners' handlers; subsystems register theirs here.
    CommandHandlers& Handlers() { return handlers_; }
    void SetTimerHandler(int timerId, std::function<void()> handler) {
        timerHandlers_[timerId] = std::move(handler);
    }
    // The worker's operation while one exists (null when none); it must outlive its registration.
    void SetBackgroundOperation(gamefile::BackgroundOperation* operation) { background_ = operation; }
    // Commands posted after the current one: a re-issue after the repaint, and one more.
    void SetPendingReissue(int commandId) { pendingReissue_ = commandId; }
    void SetSecondPendingCommand(int commandId) { secondPending_ = commandId; }

    const MenuSet& Menus() const { return menus_; }
    OwnMenuBar& MenuBar() { return menuBar_; }
    void SetMenuBarKind(MenuBarKind kind);
    AutoPlay& AutoPlayer() { return autoPlay_; }
    // The context menu a right click opens now, or empty.
    std::string_view ContextMenu(bool clickOnBoard = false) const;

    settings::SettingsRecord& Settings() { return settings_; }
    gamefile::GameFile& File() { return *file_; }
    settings::MessageBoxes& Messages() { return messages_; }
    const platform::WorkingPaths& Paths() const { return paths_; }
    // The services the window reaches the outside world through.
    const platform::Platform& Platform() const { return platform_; }
    const settings::ScreenLayout& Layout() const { return layout_; }
    settings::WindowRect InitialWindowRect() const;
    bool SaveSettings();
    bool HideGameTextRunning() const { return hideGameTextRunning_; }
    // The game display: its commands, and the view the window paints.
    GameViewer& Viewer() { return *viewer_; }
    // The search criteria, the last result and the navigation list.
    SearchSession& Search() { return search_; }
    // The search commands and the criteria editors.
    SearchCommands& Searches() { return *searchCommands_; }
    // The check mark of an option item in every menu.
    void SetMenuChecked(int commandId, bool checked) {
        menus_.SetChecked(commandId, checked);
        Changed();
    }
    // The fast file commands, whose worker runs every background operation of the window.
    FastFileCommands& FastFile() { return *fastFile_; }
    // The directory search, its results and the criteria files.
    DirectorySearchCommands& DirectorySearch() { return *directorySearch_; }
    // Add-game mode: the game being entered on the board.
    AddGameEditor& AddGame() { return *addGame_; }
    // The opening tree, its window and the tree merge files.
    TreeCommands& Trees() { return *treeCommands_; }
    EcoEditorCommands& EcoEditor() { return *ecoEditor_; }
    // The game list and the reports; the database sets its hook for "Select" here.
    StatisticsCommands& Statistics() { return *statistics_; }
    // Edit Header's "Players": fills the player fields from the Select Player form; true on OK.
    std::function<bool(search::HeaderCriteria&)> selectPlayer;
    // The engine: its process, its board and its window.
    EngineCommands& Engine() { return *engine_; }
    // The open database, its search results and whether the board shows them.
    DatabaseCommands& Databases() { return *database_; }

  private:
    void RegisterOwnHandlers();
    void DispatchTableCommand(int commandId);
    void DispatchEngineCommand(int commandId);
    DispatchContext Context() const;
    void OpenFileCommand();
    void PreviousFileCommand();
    void ReloadFileCommand();
    void ExitCommand();
    void OptionsCommand();
    void ResetScreenCommand();
    void TakeOverRedisplayRequests(const OptionsDialog& dialog, const OptionsBefore& before);
    void ApplyOptionChanges(const OptionsBefore& before);
    void ShowOwnMenuBar(bool on);
    void RecomputeWindowRect();
    void StopBackground();
    void ShowHelp();
    void Post(int commandId);
    static void Call(const std::function<void()>& hook);
    void Changed();

    platform::Platform platform_;
    platform::WorkingPaths paths_;
    settings::SettingsRecord settings_;
    settings::MessageBoxes messages_;
    std::unique_ptr<gamefile::GameFile> file_;
    settings::ScreenLayout layout_;
    settings::StartupEnvironment environment_;
    MenuSet menus_;
    OwnMenuBar menuBar_;
    AutoPlay autoPlay_;
    CommandHandlers handlers_;
    std::map<int, std::function<void()>> timerHandlers_;
    gamefile::BackgroundOperation* background_ = nullptr;
    std::unique_ptr<GameViewer> viewer_;
    std::shared_ptr<FastFileCommands> fastFile_;
    std::unique_ptr<SearchCommands> searchCommands_;
    std::unique_ptr<AddGameEditor> addGame_;
    std::unique_ptr<EngineCommands> engine_;
    std::shared_ptr<DirectorySearchCommands> directorySearch_;
    std::shared_ptr<TreeCommands> treeCommands_;
    std::shared_ptr<EcoEditorCommands> ecoEditor_;
    std::shared_ptr<StatisticsCommands> statistics_;
    std::unique_ptr<DatabaseCommands> database_;
    SearchSession search_;

    bool ownMenuBarShown_ = false;
    bool hideGameTextRunning_ = false;
    bool commandLineOpen_ = false;
    bool exitRequested_ = false;
    int modeBeforeBackground_ = kModeNothing;
    int duplicateCommand_ = 0;
    int pendingReissue_ = 0;
    int secondPending_ = 1;
};

}  // namespace ravelin::shell
