#include "shell/dialogs/engine_dialogs.h"

namespace ravelin::shell {

std::string CraftyGameInfoDialog::Validate() {
    for (const std::string* field : {&options.movesText, &options.minutesText, &options.incrementText}) {
        if (field->size() > kTimeFieldLength) {
            return "Enter at most 7 characters in each time field.";
        }
    }
    return {};
}

std::string CraftyPositionInfoDialog::Validate() {
    if (info.enPassant.size() > kEnPassantFieldLength) {
        return "Enter at most 8 characters for the en passant square.";
    }
    return {};
}

}  // namespace ravelin::shell
