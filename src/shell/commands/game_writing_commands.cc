#include "shell/commands/game_writing_commands.h"

#include <filesystem>
#include <optional>
#include <string>

#include "gamefile/game_copy.h"
#include "gamefile/game_edit.h"
#include "platform/file_dialog.h"
#include "platform/file_util.h"
#include "platform/messages.h"
#include "shell/command_ids.h"
#include "shell/commands/add_game_commands.h"
#include "shell/dialogs/modify_text_dialog.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

void DeleteGame(MainWindow& window) {
    gamefile::GameFile& file = window.File();
    settings::MessageBoxes& messages = window.Messages();
    if (file.GameCount() == 0) {
        messages.ShowMessage(kNoGamesInFile);
        return;
    }
    if (messages.AskQuestion(kDeleteThisGame) != platform::kAnswerYes ||
        messages.AskQuestion(kAreYouSure) != platform::kAnswerYes) {
        return;
    }
    const int game = file.currentGame;
    if (const char* failure = gamefile::DeleteGameFromFile(file.Path(), file.Index(), game)) {
        messages.ShowMessage(failure);
        return;
    }
    if (game == file.GameCount() && game > 1) {
        file.currentGame = game - 1;
    }
    ShowRewrittenFile(window);
}

std::string GameBufferPath(MainWindow& window) {
    return window.Paths().File(kGameBufferFileName);
}

void MoveGameToBuffer(MainWindow& window) {
    gamefile::GameFile& file = window.File();
    if (file.GameCount() == 0) {
        window.Messages().ShowMessage(kNoGamesInFile);
        return;
    }
    std::string text;
    if (!gamefile::CopyGameText(file.Reader(), file.Index().Offset(file.currentGame), kGameBufferLimit,
                                text)) {
        window.Messages().ShowMessage(gamefile::kGameTooBig);
        return;
    }
    const std::string path = GameBufferPath(window);
    if (!platform::WriteFileReplacing(path, text.data(), text.size())) {
        window.Messages().ShowMessage(kErrorCreatingGameBuffer);
        return;
    }
    window.Messages().ShowMessage(kGameMovedToBuffer);
}

void CopyGameToFile(MainWindow& window, bool mustExist) {
    gamefile::GameFile& file = window.File();
    settings::MessageBoxes& messages = window.Messages();
    if (file.GameCount() == 0) {
        messages.ShowMessage(kNoGamesInFile);
        return;
    }
    const std::optional<std::string> target = SelectTargetFile(window);
    if (!target) {
        return;
    }
    if (IsSameFile(*target, file.Path())) {
        messages.ShowMessage(kSameAsCurrentFile);
        return;
    }
    std::string text;
    if (!gamefile::CopyGameText(file.Reader(), file.Index().Offset(file.currentGame), kGameBufferLimit,
                                text)) {
        messages.ShowMessage(gamefile::kGameTooBig);
        return;
    }
    const bool exists = platform::FileExists(*target);
    if (mustExist) {
        if (!exists) {
            messages.ShowMessage(kFileDoesNotExist);
            return;
        }
        gamefile::GameIndex index;
        gamefile::IndexGameFileAt(*target, index);
        if (const char* failure = gamefile::AppendGamesToFile(*target, index, {text})) {
            messages.ShowMessage(failure);
        }
        return;
    }
    if (exists && messages.AskQuestion(kFileAlreadyExists) != platform::kAnswerYes) {
        return;
    }
    // The new file is written under a temporary name and renamed: a failed copy keeps the old one.
    if (gamefile::WriteNewGameFile(*target, text) != nullptr) {
        messages.ShowMessage(kErrorCreatingNewFile);
    }
}

// "Show Game": the game buffer's text, to read.
void ShowGameBuffer(MainWindow& window) {
    std::string text;
    if (!platform::FileExists(GameBufferPath(window))) {
        window.Messages().ShowMessage(kGameBufferEmpty);
        return;
    }
    if (!platform::ReadSmallFile(GameBufferPath(window), text, kGameBufferLimit)) {
        window.Messages().ShowMessage(kGameBufferTooBig);
        return;
    }
    ModifyTextDialog dialog(text, kGameBufferTitle);
    dialog.viewOnly = true;
    window.Platform().dialogs->RunDialog(dialog);
}

void SaveGameBuffer(MainWindow& window, SaveHow how) {
    settings::MessageBoxes& messages = window.Messages();
    if (!platform::FileExists(GameBufferPath(window))) {
        messages.ShowMessage(kGameBufferEmpty);
        return;
    }
    std::string text;
    if (!platform::ReadSmallFile(GameBufferPath(window), text, kGameBufferLimit)) {
        messages.ShowMessage(kGameBufferTooBig);
        return;
    }
    SaveGameText(window, text, how);
}

}  // namespace

// The file was rewritten: the window reads it anew and shows the current game.
void ShowRewrittenFile(MainWindow& window) {
    gamefile::GameFile& file = window.File();
    if (file.ReopenAfterRewrite() < 0) {
        window.Messages().ShowMessage(gamefile::kErrorOpeningFile);
        window.displayMode = kModeNothing;
        return;
    }
    window.currentPly = 0;
    if (file.GameCount() == 0) {
        window.displayMode = kModeNothing;
        return;
    }
    window.Platform().commands->PostCommand(kCmdDisplayGame);
}

// The second "Select PGN File" dialog: a Save dialog whose directory and name the options file
// keeps apart from those of the open file.
std::optional<std::string> SelectTargetFile(MainWindow& window) {
    using settings::FileDialogSlot;
    settings::SettingsRecord& settings = window.Settings();
    platform::FileDialogRequest request;
    request.title = "Select PGN File";
    request.filter = "*.pgn";
    request.initialDirectory = settings.DialogDirectory(FileDialogSlot::kPgnTarget);
    request.fileName = settings.DialogFileName(FileDialogSlot::kPgnTarget);
    request.saveDialog = true;
    std::optional<std::string> chosen = window.Platform().files->ChooseFile(request);
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    const std::string directory = gamefile::DirectoryOf(*chosen);
    const std::string name = gamefile::ApplyExtensionRule(gamefile::NameOf(*chosen), ".pgn");
    settings.SetDialogDirectory(FileDialogSlot::kPgnTarget, directory);
    settings.SetDialogFileName(FileDialogSlot::kPgnTarget, name);
    window.SaveSettings();
    return directory.empty() ? name : directory + "/" + name;
}

bool IsSameFile(const std::string& a, const std::string& b) {
    std::error_code error;
    return a == b || std::filesystem::equivalent(a, b, error);
}

void RegisterGameWritingCommands(MainWindow& window) {
    window.Handlers().Set(kCmdDeleteGame, [&window] { DeleteGame(window); });
    window.Handlers().Set(kCmdCopyGameToExistingFile, [&window] { CopyGameToFile(window, true); });
    window.Handlers().Set(kCmdCopyGameToNewFile, [&window] { CopyGameToFile(window, false); });
    window.Handlers().Set(kCmdMoveGameToBuffer, [&window] { MoveGameToBuffer(window); });
    window.Handlers().Set(kCmdShowGameBuffer, [&window] { ShowGameBuffer(window); });
    window.Handlers().Set(kCmdNewFileFromGameBuffer,
                          [&window] { SaveGameBuffer(window, SaveHow::kNewFile); });
    window.Handlers().Set(kCmdAppendGameBuffer, [&window] { SaveGameBuffer(window, SaveHow::kAppend); });
    window.Handlers().Set(kCmdInsertGameBuffer, [&window] { SaveGameBuffer(window, SaveHow::kInsert); });
    window.Handlers().Set(kCmdOverwriteLastWithGameBuffer,
                          [&window] { SaveGameBuffer(window, SaveHow::kOverwriteLast); });
}

}  // namespace ravelin::shell
