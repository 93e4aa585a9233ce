#include "shell/dialogs/report_dialogs.h"

namespace ravelin::shell {

std::string ReportListDialog::Validate() {
    const bool needsRow = chosenButton >= 0 && chosenButton < static_cast<int>(buttons.size()) &&
                          buttons[static_cast<std::size_t>(chosenButton)].needsRow;
    return needsRow && !RowSelected() ? needRowMessage : std::string();
}

const std::string* SelectPlayerDialog::Selected() const {
    return selectedPlayer >= 0 && selectedPlayer < static_cast<int>(players.size())
               ? &players[static_cast<std::size_t>(selectedPlayer)]
               : nullptr;
}

bool SelectPlayerDialog::SetWhite() {
    const std::string* player = Selected();
    if (player != nullptr) {
        white = *player;
    }
    return player != nullptr;
}

bool SelectPlayerDialog::SetBlack() {
    const std::string* player = Selected();
    if (player != nullptr) {
        black = *player;
    }
    return player != nullptr;
}

bool SelectPlayerDialog::OnePlayerEitherColour() {
    const std::string* player = Selected();
    if (player != nullptr) {
        white = *player;
    }
    if (white.empty()) {
        return false;
    }
    black = "*";
    return true;
}

bool SelectPlayerDialog::OpponentsEitherColour() {
    const std::string* player = Selected();
    if (player == nullptr || white.empty()) {
        return false;
    }
    black = "*" + *player;
    return true;
}

}  // namespace ravelin::shell
