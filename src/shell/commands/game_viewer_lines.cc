// The game viewer's commands on the lines of the shown game: a new start position, and the
// variations after the shown move picked from a list or played out.

#include "display/variation_view.h"
#include "shell/commands/game_viewer.h"
#include "shell/dialogs/select_line_dialog.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

constexpr char kNewStartMessage[] = "This position will be the new start postition.";
constexpr char kNoLineAfterMove[] = "There is no variation after this move.";

}  // namespace

int GameViewer::NewStartPly() const {
    const gamefile::GameFile& file = window_.File();
    if (!newStart_ || newStart_->game != file.currentGame || newStart_->path != file.Path()) {
        return 0;
    }
    return newStart_->ply;
}

void GameViewer::ForgetNewStartOfOtherGames() {
    if (newStart_ && NewStartPly() == 0) {
        newStart_.reset();
    }
}

void GameViewer::SetNewStart() {
    // The start is a position of the game's own line.
    EndAnalysisReplay();
    if (display_.InVariation()) {
        display_.EndVariation();
    }
    window_.currentPly = display_.CurrentPly();
    window_.Messages().ShowMessage(kNewStartMessage);
    const gamefile::GameFile& file = window_.File();
    newStart_ = NewStart{file.Path(), file.currentGame, display_.CurrentPly()};
}

bool GameViewer::LinesPlayable() {
    if (display_.GameHeaderSlots().fenPresent) {
        window_.Messages().ShowMessage(display::kNoAnalysisForFen);
        return false;
    }
    // The replay's moves stand in place of the game's: the game's own lines come back first.
    EndAnalysisReplay();
    return true;
}

void GameViewer::SelectLine() {
    if (!LinesPlayable() || window_.Platform().dialogs == nullptr) {
        return;
    }
    const std::vector<display::VariationChoice> choices =
        display::VariationsAfter(display_.ColumnWords(), display_.CurrentPly());
    if (choices.empty()) {
        window_.Messages().ShowMessage(kNoLineAfterMove);
        return;
    }
    SelectLineDialog dialog;
    for (const display::VariationChoice& choice : choices) {
        dialog.lines.push_back(choice.text);
    }
    if (!window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    display_.ShowVariationMove(choices[static_cast<std::size_t>(dialog.selected)].firstWord);
    window_.currentPly = display_.CurrentPly();
}

void GameViewer::ShowLine() {
    if (!LinesPlayable()) {
        return;
    }
    if (!display_.InVariation()) {
        const std::vector<display::VariationChoice> choices =
            display::VariationsAfter(display_.ColumnWords(), display_.CurrentPly());
        if (choices.empty()) {
            window_.Messages().ShowMessage(kNoLineAfterMove);
            return;
        }
        if (!display_.ShowVariationMove(choices.front().firstWord)) {
            return;
        }
    }
    while (display_.NextPly()) {
    }
    window_.currentPly = display_.CurrentPly();
}

}  // namespace ravelin::shell
