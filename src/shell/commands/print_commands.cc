#include "shell/commands/print_commands.h"

#include <cstdio>
#include <fstream>
#include <memory>
#include <optional>
#include <string>

#include "gamefile/game_copy.h"
#include "gamefile/game_file.h"
#include "gamefile/game_loader.h"
#include "platform/file_util.h"
#include "platform/messages.h"
#include "reports/print_layout.h"
#include "reports/print_list.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

// The game text read for an actual-text record; larger games are not games of a PGN file.
constexpr std::size_t kMaxGameText = 16 << 20;
// The list file is read whole before printing.
constexpr std::size_t kMaxPrintList = std::size_t{1} << 30;

class PrintList {
  public:
    explicit PrintList(MainWindow& window) : window_(window) {}

    void Add(reports::PrintedGame::Kind kind) {
        settings::MessageBoxes& messages = window_.Messages();
        gamefile::GameFile& file = window_.File();
        if (!file.IsOpen() || file.GameCount() == 0 || !window_.Viewer().Display().HasGame()) {
            messages.ShowMessage(kNoGameSelected);
            return;
        }
        std::optional<reports::PrintedGame> game =
            kind == reports::PrintedGame::Kind::kNormal ? NormalText() : ActualText();
        if (!game) {
            messages.ShowMessage(gamefile::kErrorOpeningFile);
            return;
        }
        const std::vector<std::uint8_t> record = reports::EncodePrintedGame(*game);
        // The list's file is made anew for the first game after it was printed or discarded.
        std::ofstream out(Path(), std::ios::binary | (holdsGames_ ? std::ios::app : std::ios::trunc));
        out.write(reinterpret_cast<const char*>(record.data()), static_cast<std::streamsize>(record.size()));
        out.close();
        if (!out) {
            messages.ShowMessage(gamefile::kErrorOpeningFile);
            return;
        }
        holdsGames_ = true;
        messages.ShowMessage(reports::kGameAddedToPrintList);
    }

    void Flush() {
        settings::MessageBoxes& messages = window_.Messages();
        if (!holdsGames_) {
            messages.ShowMessage(reports::kNoGamesForPrinting);
            return;
        }
        platform::Printer* printer = window_.Platform().printer;
        if (printer == nullptr) {
            messages.ShowMessage(kNoPrinter);
            return;
        }
        std::unique_ptr<platform::PrintSurface> surface = printer->ChoosePrinter();
        if (!surface) {
            return;
        }
        std::string bytes;
        std::optional<std::vector<reports::PrintedGame>> games;
        if (platform::ReadSmallFile(Path(), bytes, kMaxPrintList)) {
            games = reports::DecodePrintList(bytes);
        }
        if (!games) {
            messages.ShowMessage(kPrintListUnreadable);
        } else if (const std::string_view failure =
                       reports::PrintGames(*games, *surface, window_.Settings().MaxPrintLines(),
                                           window_.Viewer().Display().Options().letters);
                   !failure.empty()) {
            messages.ShowMessage(failure);
        }
        Discard();
    }

    // On leaving the program: the games on the list are printed or dropped.
    void OfferBeforeExit() {
        if (!holdsGames_) {
            return;
        }
        if (window_.Messages().AskQuestion(reports::kFlushPrintList) == platform::kAnswerYes) {
            Flush();
        }
        Discard();
    }

  private:
    std::string Path() const { return window_.Paths().File(reports::kPrintListFileName); }

    void Discard() {
        std::remove(Path().c_str());
        holdsGames_ = false;
    }

    std::optional<reports::PrintedGame> NormalText() {
        const std::optional<StoredGame> stored = ReadCurrentGameFromFile(window_);
        if (!stored) {
            return std::nullopt;
        }
        const gamefile::HeaderDisplay& header = *stored->header;
        using gamefile::TextOf;
        reports::PrintedGame game;
        game.headerLine1 = reports::HeaderLine1(
            gamefile::NameOf(window_.File().Path()), std::to_string(window_.File().currentGame),
            TextOf(header.event), TextOf(header.site), TextOf(header.date), TextOf(header.round));
        game.headerLine2 = reports::HeaderLine2(TextOf(header.white), TextOf(header.black),
                                                TextOf(header.result), TextOf(header.eco));
        const chess::MoveList& moves = stored->context->moves;
        for (int i = 0; i < chess::kMaxMovesPerSide && !chess::SanView(moves.whiteMoves[i]).empty(); ++i) {
            game.whiteMoves.emplace_back(chess::SanView(moves.whiteMoves[i]));
            game.blackMoves.emplace_back(chess::SanView(moves.blackMoves[i]));
            if (game.blackMoves.back().empty()) {
                break;
            }
        }
        game.result = TextOf(header.result);
        return game;
    }

    std::optional<reports::PrintedGame> ActualText() {
        gamefile::GameFile& file = window_.File();
        std::string text;
        if (!gamefile::CopyGameText(file.Reader(), file.Index().Offset(file.currentGame), kMaxGameText,
                                    text)) {
            return std::nullopt;
        }
        reports::PrintedGame game;
        game.kind = reports::PrintedGame::Kind::kActual;
        game.lines = reports::GameTextLines(text);
        return game;
    }

    MainWindow& window_;
    bool holdsGames_ = false;
};

}  // namespace

void RegisterPrintCommands(MainWindow& window) {
    auto list = std::make_shared<PrintList>(window);
    window.Handlers().Set(kCmdPrintNormalText, [list] { list->Add(reports::PrintedGame::Kind::kNormal); });
    window.Handlers().Set(kCmdPrintActualText, [list] { list->Add(reports::PrintedGame::Kind::kActual); });
    window.Handlers().Set(kCmdFlushPrintList, [list] { list->Flush(); });
    window.hooks.beforeExit = [list] { list->OfferBeforeExit(); };
}

}  // namespace ravelin::shell
