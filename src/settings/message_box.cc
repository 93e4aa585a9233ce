#include "settings/message_box.h"

namespace ravelin::settings {

namespace {

constexpr char kCaption[] = "Ravelin";

// Display modes whose window leaves room for a message at the side of the board.
bool IsBoardMode(int displayMode) {
    switch (displayMode) {
        case 2:
        case 20:
        case 30:
        case 40:
        case 70:
        case 100:
            return true;
        default:
            return false;
    }
}

}  // namespace

std::string MessageTemplateName(std::string_view text, bool question, LayoutSize layout, int displayMode,
                                bool fromChildWindow) {
    bool wide = text.size() >= kWideMessageLength;
    if (question && fromChildWindow) {
        return wide ? "Showquesx" : "Showques";
    }
    // Rows of the placement table: the standard templates, the large-layout ones beside the
    // board (h1/h2), the large-layout ones of the other modes (h3/h4) and the medium ones (b).
    if (layout == LayoutSize::kSmall || (IsBoardMode(displayMode) && layout == LayoutSize::kMedium)) {
        if (question) {
            return wide ? "Showquesx" : "Showques";
        }
        return wide ? "Showmsgx" : "Showmesg";
    }
    if (layout == LayoutSize::kLarge) {
        bool beside = IsBoardMode(displayMode);
        if (question) {
            return std::string("Showquesh") + (beside ? (wide ? "2" : "1") : (wide ? "4" : "3"));
        }
        return std::string("Showmsgh") + (beside ? (wide ? "2" : "1") : (wide ? "4" : "3"));
    }
    if (question) {
        return wide ? "Showquesxb" : "Showquesb";
    }
    return wide ? "Showmsgxb" : "Showmesgb";
}

void MessageBoxes::ShowMessage(std::string_view text) {
    platform::MessageBoxRequest request;
    request.text = std::string(text);
    request.caption = kCaption;
    request.templateName = MessageTemplateName(text, false, layout_, displayMode_, false);
    service_.ShowMessageBox(request);
}

void MessageBoxes::ShowError(std::string_view text) {
    ShowMessage(text);
    errorShown = true;
}

void MessageBoxes::ShowCountMessage(std::string_view text, int number) {
    ShowMessage(std::string(text) + ": " + std::to_string(number));
}

int MessageBoxes::AskQuestion(std::string_view text, bool fromChildWindow) {
    platform::MessageBoxRequest request;
    request.text = std::string(text);
    request.caption = kCaption;
    request.question = true;
    request.fromChildWindow = fromChildWindow;
    request.templateName = MessageTemplateName(text, true, layout_, displayMode_, fromChildWindow);
    return service_.AskQuestionBox(request);
}

int MessageBoxes::AskQuestionFlagged(std::string_view text) {
    int answer = AskQuestion(text);
    errorShown = true;
    return answer;
}

}  // namespace ravelin::settings
