#pragma once

// The commands of add-game mode: entering it (File > Add Game, Edit Game from the position editor,
// Copy to Add Game from the game view), the header, copying from the current game, the text mode,
// and saving the entered game as a new file, appended, inserted or over the last game.

#include <memory>
#include <string>

namespace ravelin::shell {

class MainWindow;
class AddGameEditor;

inline constexpr int kCmdEditEnteredHeader = 161;
inline constexpr int kCmdCopyMovesToAddGame = 162;
inline constexpr int kCmdExitAddGame = 163;
inline constexpr int kCmdSaveEnteredNewFile = 164;
inline constexpr int kCmdAppendEnteredGame = 165;
inline constexpr int kCmdInsertEnteredGame = 166;
inline constexpr int kCmdOverwriteLastEnteredGame = 167;
inline constexpr int kCmdCopyHeaderToAddGame = 168;
inline constexpr int kCmdAddGameTextMode = 169;
inline constexpr int kCmdCopyGameToAddGame = 393;
inline constexpr int kCmdAddGame = 394;
inline constexpr int kCmdEditGameFromPosition = 126;
inline constexpr int kCmdCopyToAddGame = 283;

// How an entered game is saved.
enum class SaveHow { kNewFile = -1, kOverwriteLast = 0, kAppend = 1, kInsert = 2 };

std::unique_ptr<AddGameEditor> RegisterAddGameCommands(MainWindow& window);

// Saves a game text into a file as how says: a new file is chosen with the target dialog (an
// existing one replaced only after the overwrite question) and opened; the other ways need the
// open file. True when it was saved, after which the saved game is shown.
bool SaveGameText(MainWindow& window, const std::string& text, SaveHow how);

}  // namespace ravelin::shell
