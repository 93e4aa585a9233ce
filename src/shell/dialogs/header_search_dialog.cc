#include "shell/dialogs/header_search_dialog.h"

#include <cstdio>

namespace ravelin::shell {

const char* HeaderDialogButtonLabel(HeaderDialogButton button) {
    switch (button) {
        case HeaderDialogButton::kOk:
            return "OK";
        case HeaderDialogButton::kPlayers:
            return "Players";
        case HeaderDialogButton::kSearchFile:
            return "Search File";
        case HeaderDialogButton::kSearchDir:
            return "Search Dir";
        case HeaderDialogButton::kClear:
            return "Clear";
        case HeaderDialogButton::kCancel:
            return "Cancel";
    }
    return "";
}

std::string HeaderSearchDialog::Validate() {
    // The criteria files keep 80 bytes a field: a longer text would be cut without a word.
    for (int k = 0; k < search::kHeaderFieldCount; ++k) {
        const auto field = static_cast<search::HeaderField>(k);
        if (fields[field].size() > search::kMaxHeaderFieldLength) {
            char text[128];
            std::snprintf(text, sizeof text, kHeaderFieldTooLong,
                          std::string(search::HeaderFieldLabel(field)).c_str());
            return text;
        }
    }
    return {};
}

}  // namespace ravelin::shell
