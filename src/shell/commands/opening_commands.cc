#include "shell/commands/opening_commands.h"

#include <memory>

#include "eco/eco_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/dialogs/select_opening_dialog.h"
#include "shell/display_mode.h"
#include "shell/main_window.h"

namespace ravelin::shell {
namespace {

constexpr int kCmdEditVariationId = 111;

chess::MoveList MovesOfVariation(const search::SearchVariation& variation) {
    chess::MoveList moves;
    moves.whiteMoves = variation.whiteMoves;
    moves.blackMoves = variation.blackMoves;
    moves.whiteHints = variation.whiteHints;
    moves.blackHints = variation.blackHints;
    return moves;
}

}  // namespace

OpeningCommands::OpeningCommands(MainWindow& window) : window_(window) {}

void OpeningCommands::FindOpeningInGame() {
    eco::FindOpeningInGame(
        window_.Viewer().EcoTable(), window_.Viewer().Display().Context().moves,
        [this](eco::EcoMessageKind, std::string_view text) { window_.Messages().ShowMessage(text); });
}

void OpeningCommands::FindOpeningInVariation(eco::MatchMode mode) {
    const search::SearchVariation& variation = window_.Search().criteria.variation;
    const auto found = eco::FindOpeningCommand(
        window_.Viewer().EcoTable(), MovesOfVariation(variation), variation.Plies(), mode,
        window_.displayMode == kModeVariationEdit || window_.analysing,
        [this](eco::EcoMessageKind, std::string_view text) { window_.Messages().ShowMessage(text); });
    if (found) {
        SelectOpening(eco::EcoSortOrder::kByEco, found->entry, found->title);
    }
}

void OpeningCommands::SelectOpening(eco::EcoSortOrder order, int entry, const std::string& title) {
    if (window_.Viewer().EcoTable().count == 0) {
        return;  // the table could not be loaded; its message was shown then
    }
    SelectOpeningDialog dialog(window_.Viewer().EcoTable(), window_.Viewer().Display().Options().letters,
                               order, entry, title);
    dialog.currentEntry = currentLine_;
    if (window_.Platform().dialogs == nullptr || !window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    LoadEntryAsVariation(dialog.ChosenEntry());
}

void OpeningCommands::LoadEntryAsVariation(int entry) {
    if (entry == eco::kNoEcoEntry) {
        return;
    }
    const eco::EcoEntryLine line = eco::EntryLine(window_.Viewer().EcoTable(), entry);
    search::SearchVariation& variation = window_.Search().criteria.variation;
    variation.Clear();
    for (std::size_t i = 0; i < line.white.size() && i < variation.whiteMoves.size(); ++i) {
        chess::SetSanText(variation.whiteMoves[i], line.white[i]);
    }
    for (std::size_t i = 0; i < line.black.size() && i < variation.blackMoves.size(); ++i) {
        chess::SetSanText(variation.blackMoves[i], line.black[i]);
    }
    currentLine_ = entry;
    window_.Search().chosenEcoEntry = entry;
    window_.Platform().commands->PostCommand(kCmdEditVariationId);
}

void RegisterOpeningCommands(MainWindow& window) {
    auto commands = std::make_shared<OpeningCommands>(window);
    CommandHandlers& handlers = window.Handlers();
    handlers.Set(kCmdFindOpeningInGame, [commands] { commands->FindOpeningInGame(); });
    handlers.Set(kCmdFindClosestMatch,
                 [commands] { commands->FindOpeningInVariation(eco::MatchMode::kClosestMatch); });
    handlers.Set(kCmdFindExactNumberOfMoves,
                 [commands] { commands->FindOpeningInVariation(eco::MatchMode::kExactNumberOfMoves); });
    handlers.Set(kCmdFindExactVariation,
                 [commands] { commands->FindOpeningInVariation(eco::MatchMode::kExactVariation); });
    const std::pair<int, eco::EcoSortOrder> sorts[] = {
        {kCmdSelectOpeningByEco, eco::EcoSortOrder::kByEco},
        {kCmdSelectOpeningByName, eco::EcoSortOrder::kByName},
        {kCmdSelectOpeningByMoves, eco::EcoSortOrder::kByMoves},
        {kCmdSelectOpeningByEntry, eco::EcoSortOrder::kByEntry},
    };
    for (const auto& sort : sorts) {
        const eco::EcoSortOrder order = sort.second;
        handlers.Set(sort.first, [commands, order] {
            commands->SelectOpening(order, commands->CurrentLine(), kSelectOpeningTitle);
        });
    }
}

}  // namespace ravelin::shell
