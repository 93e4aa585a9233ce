#include "shell/dialogs/go_to_move_dialog.h"

#include <cstdio>

namespace ravelin::shell {

namespace {

// The number of the text (blanks around it allowed), 0 when it is no plain positive number.
int ParseMoveNumber(const std::string& text) {
    std::size_t first = text.find_first_not_of(' ');
    std::size_t last = text.find_last_not_of(' ');
    if (first == std::string::npos) {
        return 0;
    }
    int number = 0;
    for (std::size_t k = first; k <= last; ++k) {
        const char c = text[k];
        if (c < '0' || c > '9') {
            return 0;
        }
        number = number * 10 + (c - '0');
        // No game has this many moves; larger numbers need not be read on.
        if (number > 100000) {
            return 0;
        }
    }
    return number;
}

}  // namespace

std::string GoToMoveDialog::Validate() {
    const int lastMove = (totalPlies_ + 1) / 2;
    const int ply = Ply();
    if (ply < 1 || ply > totalPlies_) {
        char text[64];
        std::snprintf(text, sizeof text, kGoToMoveRange, lastMove);
        return text;
    }
    return {};
}

int GoToMoveDialog::Ply() const {
    const int number = ParseMoveNumber(moveNumber);
    if (number == 0) {
        return 0;
    }
    return 2 * number - (blackMove ? 0 : 1);
}

}  // namespace ravelin::shell
