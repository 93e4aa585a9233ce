#include "shell/commands/eco_editor_commands.h"

#include "eco/eco_match.h"
#include "eco/eco_table.h"
#include "platform/messages.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/eco_name_dialog.h"
#include "shell/display_mode.h"
#include "shell/main_window.h"

namespace ravelin::shell {

EcoEditorCommands::EcoEditorCommands(MainWindow& window)
    : window_(window),
      editor_(window.Paths().Directory(), eco::kShippedEcoEntries,
              tree::EcoEditorHost{[&window](std::string_view question) {
                                      return window.Messages().AskQuestion(question) == platform::kAnswerYes;
                                  },
                                  [&window](const std::string& prefill) -> std::optional<std::string> {
                                      Addeconamebox dialog(prefill);
                                      if (window.Platform().dialogs == nullptr ||
                                          !window.Platform().dialogs->RunDialog(dialog)) {
                                          return std::nullopt;
                                      }
                                      std::string problem;
                                      std::string name = tree::CleanEcoName(dialog.name, problem);
                                      if (!problem.empty()) {
                                          window.Messages().ShowMessage(problem);
                                          return std::nullopt;
                                      }
                                      return name;
                                  },
                                  [&window](std::string_view text) { window.Messages().ShowMessage(text); },
                                  [&window] { window.Viewer().ReloadEcoTable(); }}) {}

tree::EcoPosition EcoEditorCommands::Position() const {
    tree::EcoPosition position;
    const search::SearchVariation& variation = window_.Search().criteria.variation;
    chess::MoveList moves;
    for (int ply = 1; ply <= variation.Plies(); ++ply) {
        position.plies.emplace_back(chess::SanView(variation.MoveOfPly(ply)));
        moves.MoveOfPly(ply) = variation.MoveOfPly(ply);
    }
    const eco::EcoTable& table = window_.Viewer().EcoTable();
    const eco::OpeningMatch match =
        eco::ClosestMatch(table, eco::PrepareGameMoves(moves), static_cast<int>(position.plies.size()));
    position.currentEntry = match.entry;
    position.outOfBook =
        match.entry != eco::kNoEcoEntry && static_cast<int>(position.plies.size()) > match.best2Plies;
    return position;
}

void EcoEditorCommands::TakeChosenLine() {
    int& chosen = window_.Search().chosenEcoEntry;
    if (chosen >= 0) {
        editor_.Select(chosen);
        chosen = -1;
    }
}

void EcoEditorCommands::Enter() {
    if (editor_.Active() || !editor_.Enter()) {
        return;
    }
    window_.Search().chosenEcoEntry = -1;
    window_.Searches().Variation().plyLimit = tree::kMaxEcoLinePlies;
    window_.Searches().Variation().plyLimitMessage = tree::kTooManyEcoMoves;
    // The status line names the line the entered moves belong to while the editor is open.
    statusLineBefore_ = window_.Settings().Int(settings::kOffsetDisplayOpening);
    window_.Settings().SetInt(settings::kOffsetDisplayOpening, 1);
    window_.SetMenuBarKind(MenuBarKind::kEcoEditing);
    window_.Handlers().Run(kCmdEditVariation);
}

void EcoEditorCommands::Leave() {
    if (!editor_.Active()) {
        window_.Searches().Variation().plyLimit = chess::kMaxPly;
        window_.Settings().SetInt(settings::kOffsetDisplayOpening, statusLineBefore_);
        window_.SetMenuBarKind(MenuBarKind::kMain);
        if (window_.File().IsOpen()) {
            window_.Handlers().Run(kCmdDisplayGame);
        }
    }
}

void EcoEditorCommands::Edit(void (tree::EcoEditor::*command)(const tree::EcoPosition&)) {
    if (!editor_.Active()) {
        return;
    }
    TakeChosenLine();
    (editor_.*command)(Position());
}

void EcoEditorCommands::Register() {
    CommandHandlers& handlers = window_.Handlers();
    handlers.Set(kCmdAddToEcoTable, [this] { Enter(); });
    handlers.Set(kCmdEcoAddLine, [this] { Edit(&tree::EcoEditor::AddLine); });
    handlers.Set(kCmdEcoModifyLine, [this] { Edit(&tree::EcoEditor::ModifyLine); });
    handlers.Set(kCmdEcoModifyName, [this] { Edit(&tree::EcoEditor::ModifyName); });
    handlers.Set(kCmdEcoDeleteLine, [this] {
        if (editor_.Active()) {
            TakeChosenLine();
            editor_.DeleteLine();
        }
    });
    handlers.Set(kCmdEcoCheck, [this] {
        eco::CheckEcoTable(
            window_.Viewer().EcoTable(), window_.Paths().Directory(),
            [this](eco::EcoMessageKind, std::string_view text) { window_.Messages().ShowMessage(text); });
    });
    handlers.Set(kCmdEcoSave, [this] {
        editor_.Save();
        Leave();
    });
    handlers.Set(kCmdEcoRestore, [this] {
        editor_.Restore();
        Leave();
    });
    handlers.Set(kCmdEcoExit, [this] {
        editor_.Exit();
        Leave();
    });
}

std::shared_ptr<EcoEditorCommands> RegisterEcoEditorCommands(MainWindow& window) {
    auto commands = std::make_shared<EcoEditorCommands>(window);
    commands->Register();
    return commands;
}

}  // namespace ravelin::shell
