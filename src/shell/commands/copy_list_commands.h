#pragma once

// "Copy All Games To...": every game of the last file search, or of the last directory search, into
// an existing file (added at its end) or a new one.

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdCopyFileSearchToExistingFile = 127;
inline constexpr int kCmdCopyDirSearchToExistingFile = 128;
inline constexpr int kCmdCopyFileSearchToNewFile = 154;
inline constexpr int kCmdCopyDirSearchToNewFile = 155;

inline constexpr char kNoGamesToCopy[] = "The are no games in the navigation list to copy.";
inline constexpr char kDoYouWantToContinue[] = "Do you want to continue?";
inline constexpr char kCopyGamesComplete[] = "Copy games complete.";
inline constexpr char kTargetIsSearchedFile[] =
    "The file specified is one of the files searched. Choose another file.";

void RegisterCopyListCommands(MainWindow& window);

}  // namespace ravelin::shell
