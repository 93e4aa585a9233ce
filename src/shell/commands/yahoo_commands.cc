#include "shell/commands/yahoo_commands.h"

#include <cstdio>
#include <optional>
#include <string>

#include "platform/messages.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/add_game_dialogs.h"
#include "shell/dialogs/yahoo_dialog.h"
#include "shell/main_window.h"
#include "yahoo/yahoo_convert.h"

namespace ravelin::shell {

namespace {

// The results are asked with the add-game header dialog, game by game.
yahoo::ConversionHooks HooksFor(MainWindow& window) {
    yahoo::ConversionHooks hooks;
    hooks.askSetAllResults = [&window](int games) {
        char question[sizeof yahoo::kSetAllResultsQuestion + 16];
        std::snprintf(question, sizeof question, yahoo::kSetAllResultsQuestion, games);
        return window.Messages().AskQuestion(question) == platform::kAnswerYes;
    };
    hooks.editHeader = [&window](yahoo::HeaderValues& header) {
        EnteredHeaderDialog dialog(header);
        if (window.Platform().dialogs->RunDialog(dialog)) {
            header = dialog.values;
        }
    };
    return hooks;
}

std::string OpenPath(MainWindow& window) {
    return window.File().IsOpen() ? window.File().Path() : std::string();
}

void Report(MainWindow& window, const yahoo::ConversionResult& result, const std::string& target) {
    window.Messages().ShowMessage(result.failure != nullptr ? std::string(result.failure)
                                                            : yahoo::ConvertedMessage(result.games, target));
}

void ConvertFromFile(MainWindow& window) {
    platform::FileDialogRequest request;
    request.title = kSelectYahooFileTitle;
    request.filter = "*.*";
    request.initialDirectory = window.File().Directory();
    const std::optional<std::string> source = window.Platform().files->ChooseFile(request);
    if (!source || source->empty()) {
        return;
    }
    const std::optional<std::string> target = SelectTargetFile(window);
    if (!target) {
        return;
    }
    Report(window, yahoo::ConvertYahooFile(*source, *target, OpenPath(window), HooksFor(window)), *target);
}

void ConvertPasted(MainWindow& window) {
    YahooDialog dialog;
    if (!window.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    const std::optional<std::string> target = SelectTargetFile(window);
    if (!target) {
        return;
    }
    const std::string open = OpenPath(window);
    if (!open.empty() && (yahoo::SameFile(*target, open) || *target == open)) {
        window.Messages().ShowMessage(yahoo::kSameAsCurrentPgnFile);
        return;
    }
    Report(window, yahoo::ConvertYahooText(dialog.text, *target, HooksFor(window)), *target);
}

}  // namespace

void RegisterYahooCommands(MainWindow& window) {
    window.Handlers().Set(kCmdYahooFromFile, [&window] { ConvertFromFile(window); });
    window.Handlers().Set(kCmdYahooFromClipboard, [&window] { ConvertPasted(window); });
}

}  // namespace ravelin::shell
