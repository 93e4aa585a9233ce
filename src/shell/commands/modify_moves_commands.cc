#include "shell/commands/modify_moves_commands.h"

#include <memory>
#include <string>

#include "annotation/annotation_session.h"
#include "annotation/annotation_tags.h"
#include "annotation/annotation_text.h"
#include "gamefile/game_edit.h"
#include "gamefile/game_loader.h"
#include "gamefile/game_writer.h"
#include "platform/messages.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/add_game_dialogs.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

// The game being modified: where it stands and its bytes as read, to be replaced only when they
// are still those bytes.
struct ModifiedGame {
    bool active = false;
    int game = 0;
    std::string original;
    bool annotated = false;
};

std::array<std::string, gamefile::kEnteredTagCount> HeaderOf(const display::GameDisplay& display) {
    const gamefile::HeaderDisplay& header = display.Header();
    using gamefile::TextOf;
    return {std::string(TextOf(header.event)),    std::string(TextOf(header.site)),
            std::string(TextOf(header.date)),     std::string(TextOf(header.round)),
            std::string(TextOf(header.white)),    std::string(TextOf(header.black)),
            std::string(TextOf(header.result)),   std::string(TextOf(header.whiteElo)),
            std::string(TextOf(header.blackElo)), std::string(TextOf(header.eco))};
}

void Enter(MainWindow& window, ModifiedGame& modified) {
    gamefile::GameFile& file = window.File();
    display::GameDisplay& display = window.Viewer().Display();
    if (file.GameCount() == 0 || (!display.HasGame() && !window.Viewer().ShowCurrentGame())) {
        window.Messages().ShowMessage(kNoGamesInFile);
        return;
    }
    std::string bytes;
    switch (gamefile::ReadGameBytes(file.Path(), file.Index(), file.currentGame,
                                    annotation::kAnnotationBufferSize, bytes)) {
        case gamefile::GameBytesRead::kTooLong:
            window.Messages().ShowMessage(annotation::kGameTooBigToAnnotate);
            return;
        case gamefile::GameBytesRead::kFailed:
            window.Messages().ShowMessage(annotation::kErrorReadingGame);
            return;
        case gamefile::GameBytesRead::kRead:
            break;
    }
    modified = ModifiedGame{true, file.currentGame, std::move(bytes), display.AnnotationCount() > 0};
    window.AddGame().TakeMoves(display.Context(), display.TotalPlies());
    window.AddGame().TakeHeader(HeaderOf(display));
    window.SetMenuBarKind(MenuBarKind::kModifyMoves);
}

void Leave(MainWindow& window, ModifiedGame& modified) {
    modified = ModifiedGame{};
    window.SetMenuBarKind(MenuBarKind::kMain);
    window.displayMode = kModeNothing;
    window.Viewer().ShowCurrentGame();
}

// The game's tag lines with the edited values, then the new moves, then the empty lines that
// separated the game from the next one.
std::string ModifiedText(const ModifiedGame& modified, const gamefile::EnteredGame& game) {
    std::string tags = modified.original.substr(0, annotation::MovetextBegin(modified.original));
    // A tag the game has takes the edited value; one it lacks is added only with a value.
    for (int tag = 0; tag < gamefile::kEnteredTagCount; ++tag) {
        const char* name = gamefile::kEnteredTagNames[static_cast<std::size_t>(tag)];
        const std::string& value = game.header[static_cast<std::size_t>(tag)];
        if (!value.empty() || annotation::TagValue(tags, name)) {
            annotation::SetTagValue(tags, name, value, true);
        }
    }
    // The tag section ends with its empty line.
    while (!tags.empty() && (tags.back() == '\r' || tags.back() == '\n')) {
        tags.pop_back();
    }
    std::string text = tags + "\r\n\r\n";
    gamefile::WriteMovetext(game, text, false);
    const std::size_t last = modified.original.find_last_not_of("\r\n");
    const std::string_view trailing =
        last == std::string::npos ? std::string_view() : std::string_view(modified.original).substr(last + 1);
    // The movetext written ends with one line end; the rest of the old separation follows.
    const std::size_t lineEnd = trailing.starts_with("\r\n") ? 2 : (trailing.starts_with('\n') ? 1 : 0);
    text += trailing.substr(lineEnd);
    return text;
}

void Save(MainWindow& window, ModifiedGame& modified) {
    gamefile::EnteredGame& game = window.AddGame().Game();
    settings::MessageBoxes& messages = window.Messages();
    if (gamefile::CheckResult(game, messages) != 0 || gamefile::CheckHeaderValues(game, messages) != 0) {
        return;
    }
    if (modified.annotated && messages.AskQuestion(kAnnotationsWillBeLost) != platform::kAnswerYes) {
        return;
    }
    gamefile::GameFile& file = window.File();
    if (const char* failure = gamefile::ReplaceGameBytesIfUnchanged(
            file.Path(), file.Index(), modified.game, modified.original, ModifiedText(modified, game))) {
        messages.ShowMessage(failure);
        return;
    }
    modified = ModifiedGame{};
    window.SetMenuBarKind(MenuBarKind::kMain);
    ShowRewrittenFile(window);
}

void EditHeader(MainWindow& window) {
    EnteredHeaderDialog dialog(window.AddGame().Game().header);
    if (window.Platform().dialogs->RunDialog(dialog)) {
        window.AddGame().TakeHeader(dialog.values);
    }
}

}  // namespace

void RegisterModifyMovesCommands(MainWindow& window) {
    auto modified = std::make_shared<ModifiedGame>();
    CommandHandlers& handlers = window.Handlers();
    handlers.Set(kCmdModifyMoves, [&window, modified] { Enter(window, *modified); });
    // The mode's commands do nothing once another view has taken the board.
    const auto inMode = [&window, &handlers, modified](int id, auto action) {
        handlers.Set(id, [&window, modified, action] {
            if (modified->active && window.displayMode == kModeAddGame &&
                window.MenuBar().Kind() == MenuBarKind::kModifyMoves) {
                action();
            }
        });
    };
    inMode(kCmdSaveModifiedMoves, [&window, modified] { Save(window, *modified); });
    inMode(kCmdEditModifiedHeader, [&window] { EditHeader(window); });
    inMode(kCmdExitModifyMoves, [&window, modified] {
        if (window.Messages().AskQuestion(kAreYouSure) == platform::kAnswerYes) {
            Leave(window, *modified);
        }
    });
}

}  // namespace ravelin::shell
