#include "shell/commands/clipboard_commands.h"

#include <memory>
#include <optional>
#include <string>
#include <string_view>

#include "chess/chess_context.h"
#include "chess/fen.h"
#include "chess/move_list.h"
#include "chess/movetext.h"
#include "chess/piece_letters.h"
#include "chess/position_setup.h"
#include "gamefile/game_edit.h"
#include "gamefile/game_file.h"
#include "gamefile/game_loader.h"
#include "platform/file_util.h"
#include "platform/messages.h"
#include "shell/command_ids.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/engine_board.h"
#include "shell/commands/engine_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/paste_games_dialog.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

using chess::SanView;

// Joins move tokens into lines of at most kClipboardLineWidth characters, each localised and
// ended with CR LF.
class MoveLines {
  public:
    explicit MoveLines(const chess::PieceLetters& letters) : letters_(letters) {}
    void Add(const std::string& token) {
        if (!line_.empty() && line_.size() + token.size() > kClipboardLineWidth) {
            Finish();
        }
        line_ += token;
    }
    std::string Text() {
        if (!line_.empty()) {
            Finish();
        }
        return text_;
    }

  private:
    void Finish() {
        chess::LocalisePieceLetters(line_, letters_);
        text_ += line_ + "\r\n";
        line_.clear();
    }
    const chess::PieceLetters& letters_;
    std::string line_;
    std::string text_;
};

std::string MoveToken(int number, std::string_view white, std::string_view black) {
    std::string token = std::to_string(number) + "." + std::string(white);
    if (!black.empty()) {
        token += " " + std::string(black) + " ";
    }
    return token;
}

}  // namespace

std::optional<StoredGame> ReadCurrentGameFromFile(MainWindow& window) {
    gamefile::GameFile& file = window.File();
    StoredGame game{chess::MakeChessContext(), std::make_unique<gamefile::HeaderDisplay>()};
    auto header = std::make_unique<gamefile::GameHeader>();
    auto record = chess::MakeGameRecord();
    game.context->batch = true;
    const chess::MessageSink silent = [](std::string_view) {};
    if (!file.IsOpen() ||
        !gamefile::LoadGameHeader(gamefile::NameOf(file.Path()), file.Reader(), file.Index(),
                                  file.currentGame, *header, *game.header, silent)) {
        return std::nullopt;
    }
    gamefile::ParseGameQuietly(file.Reader(), *header, *game.context, *record);
    // Moves given with their source squares are written in SAN by the replay.
    gamefile::ReplayParsedGame(*game.context, *record, *header);
    return game;
}

namespace {

// The main line of the game as the file holds it, the result after the last move. The game is
// read again: an analysis replay puts its moves into the shown game's move list.
std::string GameMoveText(MainWindow& window) {
    const std::optional<StoredGame> game = ReadCurrentGameFromFile(window);
    if (!game) {
        return {};
    }
    const std::unique_ptr<chess::ChessContext>& context = game->context;
    const display::GameDisplay& display = window.Viewer().Display();
    const chess::MoveList& moves = context->moves;
    MoveLines lines(display.Options().letters);
    std::string token;
    for (int i = 0; i < chess::kMaxMovesPerSide && !SanView(moves.whiteMoves[i]).empty(); ++i) {
        if (!token.empty()) {
            lines.Add(token);
        }
        token = MoveToken(i + 1, SanView(moves.whiteMoves[i]), SanView(moves.blackMoves[i]));
        if (SanView(moves.blackMoves[i]).empty()) {
            break;
        }
    }
    // One blank between the last move and the result, whether or not black replied.
    const std::string result(gamefile::TextOf(game->header->result));
    if (!token.empty() && !token.ends_with(' ')) {
        token += ' ';
    }
    lines.Add(token + result);
    return lines.Text();
}

// The variation being edited, up to its first incomplete move pair.
std::string VariationMoveText(MainWindow& window) {
    const search::SearchVariation& variation = window.Search().criteria.variation;
    MoveLines lines(window.Viewer().Display().Options().letters);
    for (int i = 0; i < chess::kMaxMovesPerSide && !SanView(variation.whiteMoves[i]).empty(); ++i) {
        lines.Add(MoveToken(i + 1, SanView(variation.whiteMoves[i]), SanView(variation.blackMoves[i])));
        if (SanView(variation.blackMoves[i]).empty()) {
            break;
        }
    }
    return lines.Text();
}

// The moves of the engine board. Entered from a game position with "Analyze", they start after
// that position, with "N...move" when Black is to move there; otherwise at the board's first move.
std::string EngineBoardMoveText(MainWindow& window) {
    EngineBoard& board = window.Engine().Board();
    const int enteredPly = window.Engine().EnteredFromGamePly();
    MoveLines lines(window.Viewer().Display().Options().letters);
    int ply = enteredPly >= 0 ? enteredPly + 1 : board.StartPly();
    if (ply % 2 == 0 && ply <= board.LastPly()) {
        lines.Add(std::to_string(ply / 2) + "..." + std::string(SanView(board.MoveOfPly(ply))) + " ");
        ++ply;
    }
    for (; ply <= board.LastPly(); ply += 2) {
        const std::string_view black = ply + 1 <= board.LastPly() ? SanView(board.MoveOfPly(ply + 1)) : "";
        lines.Add(MoveToken((ply + 1) / 2, SanView(board.MoveOfPly(ply)), black));
        if (black.empty()) {
            break;
        }
    }
    return lines.Text();
}

void CopyMovesToClipboard(MainWindow& window) {
    std::string text;
    if (window.displayMode == kModeVariationEdit && window.Engine().BoardShown()) {
        text = EngineBoardMoveText(window);
    } else if (window.displayMode == kModeVariationEdit) {
        text = VariationMoveText(window);
    } else {
        if (window.File().GameCount() == 0) {
            window.Messages().ShowMessage(kNoGamesInFile);
            return;
        }
        if (window.Viewer().DeferUntilGameShown(kCmdCopyMovesToClipboard)) {
            return;
        }
        text = GameMoveText(window);
    }
    window.Platform().clipboard->SetText(text);
    window.Messages().ShowMessage(kMovesCopied);
}

// The pasted text at the end of a file; the open file is read anew afterwards. The append's index
// cache counts every game of the paste.
void AppendPastedGames(MainWindow& window, const std::string& target, const std::string& text) {
    gamefile::GameFile& file = window.File();
    const bool openFile = file.IsOpen() && IsSameFile(target, file.Path());
    if (!platform::FileExists(target)) {
        window.Messages().ShowMessage(gamefile::kErrorOpeningFile);
        return;
    }
    gamefile::GameIndex index;
    if (openFile) {
        index = file.Index();
    } else {
        gamefile::IndexGameFileAt(target, index);
    }
    // The append puts the empty line between the file's last game and the pasted text.
    if (const char* failure = gamefile::AppendGamesToFile(target, index, {text})) {
        window.Messages().ShowMessage(failure);
        return;
    }
    if (openFile) {
        ShowRewrittenFile(window);
    }
    window.Messages().ShowMessage(kCopyGamesComplete);
}

void CopyGamesFromClipboard(MainWindow& window) {
    settings::MessageBoxes& messages = window.Messages();
    PasteGamesDialog dialog;
    if (!window.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    if (dialog.text.find_first_not_of(" \t\r\n") == std::string::npos) {
        messages.ShowMessage(kNoPastedGames);
        return;
    }
    if (dialog.text.size() > kPasteLimit) {
        messages.ShowMessage(kPastedTextTooLong);
        return;
    }
    const std::optional<std::string> target = SelectTargetFile(window);
    if (!target) {
        return;
    }
    if (dialog.append) {
        AppendPastedGames(window, *target, dialog.text);
        return;
    }
    if (window.File().IsOpen() && IsSameFile(*target, window.File().Path())) {
        messages.ShowMessage(kSameAsCurrentFile);
        return;
    }
    if (platform::FileExists(*target) && messages.AskQuestion(kFileAlreadyExists) != platform::kAnswerYes) {
        return;
    }
    if (gamefile::WriteNewGameFile(*target, dialog.text) != nullptr) {
        messages.ShowMessage(gamefile::kErrorOpeningFile);
        return;
    }
    messages.ShowMessage(kCopyGamesComplete);
}

// "Copy Position" in the position editor: the board's placement and the side to move as FEN text.
void CopyPosition(MainWindow& window) {
    settings::MessageBoxes& messages = window.Messages();
    if (window.displayMode != kModePositionEdit ||
        messages.AskQuestion(kCopyFenQuestion) != platform::kAnswerYes) {
        return;
    }
    const chess::Board& board = window.Search().criteriaBoard.squares;
    if (!chess::ValidateSetupBoard(board,
                                   [&messages](std::string_view text) { messages.ShowMessage(text); })) {
        return;
    }
    const bool whiteFirst = messages.AskQuestion(kWhiteToMoveFirst) == platform::kAnswerYes;
    window.Platform().clipboard->SetText(chess::FenClipboardText(board, whiteFirst));
    messages.ShowMessage(kFenCopied);
}

}  // namespace

void RegisterClipboardCommands(MainWindow& window) {
    window.Handlers().Set(kCmdCopyMovesToClipboard, [&window] { CopyMovesToClipboard(window); });
    window.Handlers().Set(kCmdCopyGamesFromClipboard, [&window] { CopyGamesFromClipboard(window); });
    window.Handlers().Set(kCmdCopyPosition, [&window] { CopyPosition(window); });
}

}  // namespace ravelin::shell
