#include "shell/commands/add_game_commands.h"

#include <array>
#include <memory>
#include <optional>
#include <string>

#include "chess/position_setup.h"
#include "gamefile/game_edit.h"
#include "gamefile/game_loader.h"
#include "gamefile/game_writer.h"
#include "platform/file_util.h"
#include "shell/command_ids.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/add_game_dialogs.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

using HeaderValues = std::array<std::string, gamefile::kEnteredTagCount>;

// Beyond every game count: ReopenAfterRewrite brings it down to the last game.
constexpr int kMaxGameNumber = gamefile::kMaxGames;

// The shown game of the open file, or nothing (after the message) when there is none.
const display::GameDisplay* ShownGame(MainWindow& window) {
    const display::GameDisplay& display = window.Viewer().Display();
    if (!window.File().IsOpen() || window.File().GameCount() == 0 || !display.HasGame()) {
        window.Messages().ShowMessage(kNoGamesInFile);
        return nullptr;
    }
    return &display;
}

HeaderValues HeaderOf(const display::GameDisplay& display) {
    const gamefile::HeaderDisplay& header = display.Header();
    using gamefile::TextOf;
    return {std::string(TextOf(header.event)),    std::string(TextOf(header.site)),
            std::string(TextOf(header.date)),     std::string(TextOf(header.round)),
            std::string(TextOf(header.white)),    std::string(TextOf(header.black)),
            std::string(TextOf(header.result)),   std::string(TextOf(header.whiteElo)),
            std::string(TextOf(header.blackElo)), std::string(TextOf(header.eco))};
}

// The shown game as an entered game: its header and main line.
gamefile::EnteredGame EnteredOf(const display::GameDisplay& display) {
    gamefile::EnteredGame game;
    game.header = HeaderOf(display);
    chess::MoveList moves = display.Context().moves;
    for (int ply = 1; ply <= display.TotalPlies(); ++ply) {
        (ply % 2 == 1 ? game.whiteMoves : game.blackMoves).emplace_back(chess::SanView(moves.MoveOfPly(ply)));
    }
    return game;
}

// A new file: the target dialog, the same-file and overwrite checks, then the file is made.
std::optional<std::string> WriteNewFile(MainWindow& window, const std::string& text) {
    settings::MessageBoxes& messages = window.Messages();
    const std::optional<std::string> target = SelectTargetFile(window);
    if (!target) {
        return std::nullopt;
    }
    if (window.File().IsOpen() && IsSameFile(*target, window.File().Path())) {
        messages.ShowMessage(kSameAsCurrentFile);
        return std::nullopt;
    }
    if (platform::FileExists(*target) && messages.AskQuestion(kFileAlreadyExists) != platform::kAnswerYes) {
        return std::nullopt;
    }
    if (gamefile::WriteNewGameFile(*target, text) != nullptr) {
        messages.ShowMessage(gamefile::kErrorCreatingFile);
        return std::nullopt;
    }
    return target;
}

void OpenSavedFile(MainWindow& window, const std::string& path) {
    gamefile::GameFile& file = window.File();
    file.SetCommandLinePath(path);
    file.OpenGameFile(gamefile::kCommandLineFile, gamefile::OpenMode::kView, window.displayMode,
                      window.currentPly);
    file.currentGame = 1;
    window.currentPly = 0;
    window.Platform().commands->PostCommand(kCmdDisplayGame);
}

void SaveEnteredGame(MainWindow& window, SaveHow how) {
    settings::MessageBoxes& messages = window.Messages();
    gamefile::EnteredGame& game = window.AddGame().Game();
    if (!game.HasContents()) {
        messages.ShowMessage(kNoMovesEntered);
        return;
    }
    if (gamefile::CheckHeaderValues(game, messages) != 0 || gamefile::CheckResult(game, messages) != 0) {
        return;
    }
    if (SaveGameText(window, gamefile::EnteredGameText(game), how)) {
        window.SetMenuBarKind(MenuBarKind::kMain);
    }
}

void EditHeader(MainWindow& window) {
    gamefile::EnteredGame& game = window.AddGame().Game();
    EnteredHeaderDialog dialog(game.header);
    if (window.Platform().dialogs->RunDialog(dialog)) {
        game.header = dialog.values;
    }
}

void CopyFromShownGame(MainWindow& window, bool moves, bool header) {
    const display::GameDisplay* shown = ShownGame(window);
    if (shown == nullptr) {
        return;
    }
    AddGameEditor& editor = window.AddGame();
    if (moves && header && editor.SetUp()) {
        // A game entered from a position takes the shown position, with the side to move there.
        if (window.Messages().AskQuestion(kCopyPositionQuestion) == platform::kAnswerYes) {
            auto position = std::make_unique<chess::ChessContext>(shown->Context());
            chess::RestorePosition(*position, shown->CurrentPly());
            editor.EnterFromPosition(position->board,
                                     chess::SideOfPly(shown->CurrentPly() + 1) == chess::Side::kWhite);
        }
        return;
    }
    const char* question = moves && header ? kCopyGameQuestion
                           : moves         ? kCopyMovesQuestion
                                           : kCopyHeaderQuestion;
    if (window.Messages().AskQuestion(question) != platform::kAnswerYes) {
        return;
    }
    if (moves) {
        window.AddGame().TakeMoves(shown->Context(), shown->TotalPlies());
    }
    if (header) {
        window.AddGame().TakeHeader(HeaderOf(*shown));
    }
}

void TextMode(MainWindow& window) {
    AddGameTextDialog dialog;
    if (window.File().IsOpen() && window.File().GameCount() > 0 && window.Viewer().Display().HasGame()) {
        const gamefile::EnteredGame shown = EnteredOf(window.Viewer().Display());
        gamefile::WriteHeader(shown, dialog.currentHeader);
        gamefile::WriteMovetext(shown, dialog.currentMoves, true);
    }
    if (!window.Platform().dialogs->RunDialog(dialog) || dialog.closedWith == AddTextAction::kExit) {
        return;
    }
    gamefile::EnteredGame game;
    game.typedAsText = true;
    game.text = dialog.text;
    if (!game.text.ends_with('\n')) {
        game.text += "\r\n";
    }
    static constexpr SaveHow kHows[] = {SaveHow::kNewFile, SaveHow::kAppend, SaveHow::kInsert,
                                        SaveHow::kOverwriteLast};
    if (SaveGameText(window, game.text, kHows[static_cast<int>(dialog.closedWith)])) {
        window.SetMenuBarKind(MenuBarKind::kMain);
    }
}

void ExitAddGame(MainWindow& window) {
    window.SetMenuBarKind(MenuBarKind::kMain);
    window.displayMode = kModeNothing;
    if (window.File().IsOpen() && window.File().GameCount() > 0) {
        window.Platform().commands->PostCommand(kCmdDisplayGame);
    }
}

// "Edit Game" in the position editor: a game from the edited position, once the board may be used.
void EditGameFromPosition(MainWindow& window) {
    const chess::Board& position = window.Search().criteriaBoard.squares;
    if (!chess::ValidateSetupBoard(
            position, [&window](std::string_view text) { window.Messages().ShowMessage(text); })) {
        return;
    }
    const bool whiteFirst = window.Messages().AskQuestion(kWhiteToMoveFirst) == platform::kAnswerYes;
    window.AddGame().EnterFromPosition(position, whiteFirst);
}

// "Copy to Add Game" in the game view: the moves up to the shown one and the header.
void CopyToAddGame(MainWindow& window) {
    const display::GameDisplay* shown = ShownGame(window);
    if (shown == nullptr) {
        return;
    }
    window.AddGame().TakeMoves(shown->Context(), shown->CurrentPly());
    window.AddGame().TakeHeader(HeaderOf(*shown));
}

// Only in add-game mode: elsewhere the command would act on a game nobody is entering.
void InAddGame(MainWindow& window, int commandId, std::function<void()> action) {
    window.Handlers().Set(commandId, [&window, action = std::move(action)] {
        if (window.displayMode == kModeAddGame) {
            action();
        }
    });
}

}  // namespace

bool SaveGameText(MainWindow& window, const std::string& text, SaveHow how) {
    settings::MessageBoxes& messages = window.Messages();
    gamefile::GameFile& file = window.File();
    if (how == SaveHow::kNewFile) {
        const std::optional<std::string> saved = WriteNewFile(window, text);
        if (saved) {
            OpenSavedFile(window, *saved);
        }
        return saved.has_value();
    }
    // Only "New File" makes a file: the other ways add to the open one.
    if (!file.IsOpen()) {
        messages.ShowMessage(gamefile::kMustOpenFile);
        return false;
    }
    gamefile::GameIndex index = file.Index();
    const char* failure = nullptr;
    switch (how) {
        case SaveHow::kAppend:
            failure = gamefile::AppendGamesToFile(file.Path(), index, {text});
            break;
        case SaveHow::kInsert:
            failure = gamefile::InsertGamesIntoFile(file.Path(), index, file.currentGame, {text});
            break;
        default:
            failure = gamefile::OverwriteLastGame(file.Path(), index, text);
            break;
    }
    if (failure != nullptr) {
        messages.ShowMessage(failure);
        return false;
    }
    // The saved game is shown: the new last game, or the first after an insert.
    file.currentGame = how == SaveHow::kInsert ? 1 : kMaxGameNumber;
    ShowRewrittenFile(window);
    return true;
}

std::unique_ptr<AddGameEditor> RegisterAddGameCommands(MainWindow& window) {
    auto editor = std::make_unique<AddGameEditor>(window);
    window.Handlers().Set(kCmdAddGame, [&window] { window.AddGame().Enter(); });
    window.Handlers().Set(kCmdEditGameFromPosition, [&window] { EditGameFromPosition(window); });
    window.Handlers().Set(kCmdCopyToAddGame, [&window] { CopyToAddGame(window); });
    static constexpr std::pair<int, SaveHow> kSaves[] = {
        {kCmdSaveEnteredNewFile, SaveHow::kNewFile},
        {kCmdAppendEnteredGame, SaveHow::kAppend},
        {kCmdInsertEnteredGame, SaveHow::kInsert},
        {kCmdOverwriteLastEnteredGame, SaveHow::kOverwriteLast}};
    for (const auto& [id, how] : kSaves) {
        InAddGame(window, id, [&window, how] { SaveEnteredGame(window, how); });
    }
    InAddGame(window, kCmdEditEnteredHeader, [&window] { EditHeader(window); });
    InAddGame(window, kCmdCopyMovesToAddGame, [&window] { CopyFromShownGame(window, true, false); });
    InAddGame(window, kCmdCopyHeaderToAddGame, [&window] { CopyFromShownGame(window, false, true); });
    InAddGame(window, kCmdCopyGameToAddGame, [&window] { CopyFromShownGame(window, true, true); });
    InAddGame(window, kCmdAddGameTextMode, [&window] { TextMode(window); });
    InAddGame(window, kCmdExitAddGame, [&window] { ExitAddGame(window); });
    return editor;
}

}  // namespace ravelin::shell
