#include "shell/commands/modify_text_commands.h"

#include <string>

#include "gamefile/game_copy.h"
#include "gamefile/game_edit.h"
#include "gamefile/game_text_adjust.h"
#include "platform/messages.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/modify_text_dialog.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

// The text as it is written: line ends checked (long lines adjusted), blanks of the movetext
// tidied. False, after the message, when a line still cannot be written.
bool PrepareForSaving(MainWindow& window, ModifyTextDialog& dialog, std::string& text) {
    text = dialog.text;
    for (const std::string& warning : gamefile::BraceAndParenWarnings(text)) {
        window.Messages().ShowMessage(warning);
    }
    if (!gamefile::RecordLengthsFit(text)) {
        text = gamefile::AdjustGameText(text, dialog.join);
        // Tag, ";" and "%" lines are never cut: one of those can still be too long.
        if (!gamefile::RecordLengthsFit(text)) {
            window.Messages().ShowMessage(gamefile::kRecordsTooLong);
            return false;
        }
    }
    text = gamefile::ReduceDoubleBlanks(text);
    return true;
}

void ModifyText(MainWindow& window) {
    gamefile::GameFile& file = window.File();
    settings::MessageBoxes& messages = window.Messages();
    if (file.GameCount() == 0) {
        messages.ShowMessage(kNoGamesInFile);
        return;
    }
    const int game = file.currentGame;
    std::string loaded;
    // One byte beyond what can be edited is read, so that such a game can still be shown; a game
    // larger than that is never shown cut.
    if (!gamefile::CopyGameText(file.Reader(), file.Index().Offset(game), kEditableTextSize + 1, loaded)) {
        messages.ShowMessage(kGameTooBigToEdit);
        return;
    }
    ModifyTextDialog dialog(loaded);
    if (dialog.viewOnly) {
        messages.ShowMessage(kGameTooBigToEdit);
        window.Platform().dialogs->RunDialog(dialog);
        return;
    }
    // The dialog comes back after No and after a text that cannot be written, with the edits kept.
    while (window.Platform().dialogs->RunDialog(dialog)) {
        if (messages.AskQuestion(kAreYouSure) != platform::kAnswerYes) {
            continue;
        }
        std::string text;
        if (!PrepareForSaving(window, dialog, text)) {
            continue;
        }
        if (const char* failure = gamefile::ReplaceGameInFile(file.Path(), file.Index(), game, text)) {
            messages.ShowMessage(failure);
            return;
        }
        ShowRewrittenFile(window);
        return;
    }
}

}  // namespace

void RegisterModifyTextCommand(MainWindow& window) {
    window.Handlers().Set(kCmdModifyText, [&window] { ModifyText(window); });
}

}  // namespace ravelin::shell
