#pragma once

// Commands that change the games of the open file.

#include <cstddef>
#include <optional>
#include <string>

namespace ravelin::shell {

class MainWindow;

inline constexpr char kNoGamesInFile[] = "There are no games in this file.";
inline constexpr char kDeleteThisGame[] = "Delete this game from current file?";
inline constexpr char kAreYouSure[] = "Are you sure?";
inline constexpr char kGameMovedToBuffer[] = "Game moved to the game buffer.";
inline constexpr char kErrorCreatingGameBuffer[] = "Error creating game buffer file.";
inline constexpr char kGameBufferEmpty[] = "The game buffer is empty. Game was not saved.";
inline constexpr char kGameBufferTooBig[] = "The game in the game buffer is too big. Game was not saved.";

inline constexpr char kSameAsCurrentFile[] = "The file specified is the same as the current file.";
inline constexpr char kFileAlreadyExists[] = "File already exists. Do you want to overwrite?";
inline constexpr char kFileDoesNotExist[] = "File does not exist.";
inline constexpr char kErrorCreatingNewFile[] = "Error creating new file.";

// "Copy Game To...": the shown game into an existing file (added at its end) or a new file.
inline constexpr int kCmdCopyGameToExistingFile = 121;
inline constexpr int kCmdCopyGameToNewFile = 197;

// The game buffer: one game set aside with "Move Game" and saved into a file later.
inline constexpr int kCmdMoveGameToBuffer = 275;
inline constexpr int kCmdShowGameBuffer = 276;
inline constexpr int kCmdNewFileFromGameBuffer = 277;
inline constexpr int kCmdAppendGameBuffer = 278;
inline constexpr int kCmdInsertGameBuffer = 279;
inline constexpr int kCmdOverwriteLastWithGameBuffer = 280;
// The game buffer holds at most this many bytes of game text.
inline constexpr std::size_t kGameBufferLimit = 300000;

void RegisterGameWritingCommands(MainWindow& window);

// The second "Select PGN File" dialog (a Save dialog with a directory and name of its own); the
// chosen path, or nothing when it was cancelled.
std::optional<std::string> SelectTargetFile(MainWindow& window);
bool IsSameFile(const std::string& a, const std::string& b);
// The open file was rewritten: it is read anew and the current game shown.
void ShowRewrittenFile(MainWindow& window);

}  // namespace ravelin::shell
