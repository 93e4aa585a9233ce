#include "shell/dialogs/add_game_dialogs.h"

#include "chess/board.h"

namespace ravelin::shell {

namespace {

constexpr char kPickPromotionPiece[] = "Choose Q, R, B or N.";

// Where the moves of a typed text begin: the first line that starts with "1.".
std::size_t MovesStart(const std::string& text) {
    if (text.starts_with("1.")) {
        return 0;
    }
    const std::size_t at = text.find("\n1.");
    return at == std::string::npos ? std::string::npos : at + 1;
}

}  // namespace

std::string EnteredHeaderDialog::Validate() {
    for (const std::string& value : values) {
        if (value.find_first_of("\"\r\n") != std::string::npos) {
            return gamefile::kHeaderValueRefused;
        }
        if (value.size() >= gamefile::kEnteredValueSize) {
            return gamefile::kHeaderValueTooLong;
        }
    }
    return {};
}

std::string PromotionDialog::Validate() {
    return std::string_view("QRBN").find(piece) == std::string_view::npos ? kPickPromotionPiece : "";
}

int PromotionDialog::Choice() const {
    switch (piece) {
        case 'R':
            return chess::kRook;
        case 'B':
            return chess::kBishop;
        case 'N':
            return chess::kKnight;
        default:
            return chess::kQueen;
    }
}

std::string AddGameTextDialog::HeaderTemplate() {
    std::string header;
    for (const char* tag : gamefile::kEnteredTagNames) {
        header += std::string("[") + tag + " \"" + (std::string_view(tag) == "Date" ? "????.??.??" : "?") +
                  "\"]\r\n";
    }
    return header + "\r\n";
}

bool AddGameTextDialog::Act(AddTextAction action) {
    const std::size_t moves = MovesStart(text);
    switch (action) {
        case AddTextAction::kClearAll:
            text = HeaderTemplate() + "1.";
            return false;
        case AddTextAction::kClearHeader:
            text = HeaderTemplate() + (moves == std::string::npos ? "1." : text.substr(moves));
            return false;
        case AddTextAction::kClearMoves:
            text = moves == std::string::npos ? text + "\r\n1." : text.substr(0, moves + 2);
            return false;
        case AddTextAction::kCopyAll:
            text = currentHeader + currentMoves;
            return false;
        case AddTextAction::kCopyHeader:
            text = currentHeader + (moves == std::string::npos ? "1." : text.substr(moves));
            return false;
        case AddTextAction::kCopyMoves:
            text = (moves == std::string::npos ? text : text.substr(0, moves)) + currentMoves;
            return false;
        default:
            closedWith = action;
            return true;
    }
}

}  // namespace ravelin::shell
