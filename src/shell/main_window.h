#pragma once

#include <functional>
#include <memory>
#include <string>

#include "gamefile/game_file.h"
#include "platform/platform.h"
#include "platform/working_paths.h"
#include "shell/message_box.h"
#include "shell/screen_layout.h"
#include "shell/settings_record.h"
#include "shell/settings_startup.h"

namespace ravelin::shell {

// Display modes of the main window.
enum DisplayMode : int {
    kModeNothing = 0,
    kModeText = 1,
    kModeGame = 2,
    kModeVariationEdit = 20,
    kModePositionEdit = 30,
    kModeAddGame = 40,
    kModeTree = 70,
    kModeBackground = 100,
};

inline constexpr char kFileReloaded[] = "File has been reloaded.";
inline constexpr char kVersionText[] = "Version 4.0 updated 11-Nov-05";
inline constexpr char kNotAvailableYet[] = "This command is not available in this version yet.";
inline constexpr std::string_view kGameBufferFileName = "gameqqqq.xyz";
inline constexpr std::string_view kHelpFileName = "ravelin-help.html";

// What the window shows of the program's state; the GUI paints exactly this.
struct WindowView {
    std::string caption;
    std::string fileLine;  // "File:  name"
    std::string gameLine;  // "Game:  n of count"
    int scrollMinimum = 1;
    int scrollMaximum = 1;
    int scrollPosition = 1;
    bool scrollEnabled = false;
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
    // The game scroll bar moved.
    void ScrollToGame(int gameNumber);

    WindowView View() const;
    // Called after every change the window must show.
    std::function<void()> onChanged;
    // Called when the help page should be shown, with the page's path.
    std::function<void(const std::string&)> onShowHelp;

    bool ExitRequested() const { return exitRequested_; }
    int displayMode = kModeNothing;
    int currentPly = 0;

    SettingsRecord& Settings() { return settings_; }
    gamefile::GameFile& File() { return *file_; }
    MessageBoxes& Messages() { return messages_; }
    const platform::WorkingPaths& Paths() const { return paths_; }
    const ScreenLayout& Layout() const { return layout_; }
    WindowRect InitialWindowRect() const;
    bool SaveSettings();

private:
    void OpenFileCommand();
    void PreviousFileCommand();
    void ReloadFileCommand();
    void ShowHelp();
    bool RequireOpenFile();
    void Changed();

    platform::Platform platform_;
    platform::WorkingPaths paths_;
    SettingsRecord settings_;
    MessageBoxes messages_;
    std::unique_ptr<gamefile::GameFile> file_;
    ScreenLayout layout_;
    StartupEnvironment environment_;

    bool commandLineOpen_ = false;
    bool exitRequested_ = false;
    int duplicateCommand_ = 0;
    int pendingReissue_ = 0;
    int secondPending_ = 1;
};

}  // namespace ravelin::shell
