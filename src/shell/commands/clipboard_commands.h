#pragma once

// The clipboard commands: the moves of the shown game or of the edited variation as text, games
// pasted into a new or an existing file, and the position editor's board as FEN text.

#include <cstddef>
#include <memory>
#include <optional>

#include "chess/chess_context.h"
#include "gamefile/game_loader.h"

#include "shell/commands/copy_list_commands.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdCopyMovesToClipboard = 107;
inline constexpr int kCmdCopyGamesFromClipboard = 465;
inline constexpr int kCmdCopyPosition = 129;

inline constexpr char kMovesCopied[] = "Moves copied to the clipboard.";
inline constexpr char kNoPastedGames[] = "There are no games to copy.";
inline constexpr char kPastedTextTooLong[] =
    "The pasted text is too long: at most 299999 characters. Nothing was written.";
inline constexpr char kCopyFenQuestion[] = "Copy FEN position to clipboard?";
inline constexpr char kFenCopied[] = "FEN position copied to the clipboard.";

// Copied move lines hold at most this many characters before their CR LF.
inline constexpr std::size_t kClipboardLineWidth = 80;
// The most text pasted games may have.
inline constexpr std::size_t kPasteLimit = 299999;

void RegisterClipboardCommands(MainWindow& window);

// The current game of the open file read from the file again, its moves in SAN: the shown game's
// move list may hold the moves of an analysis replay. Nothing when it cannot be read.
struct StoredGame {
    std::unique_ptr<chess::ChessContext> context;
    std::unique_ptr<gamefile::HeaderDisplay> header;
};
std::optional<StoredGame> ReadCurrentGameFromFile(MainWindow& window);

}  // namespace ravelin::shell
