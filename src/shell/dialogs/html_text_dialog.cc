#include "shell/dialogs/html_text_dialog.h"

namespace ravelin::shell {

std::string HtmlTitleDialog::Validate() {
    for (const std::string* field : {&title, &heading, &subHead}) {
        if (field->size() > kHtmlTitleFieldSize) {
            return "The title, heading and sub head hold at most 78 characters each.";
        }
    }
    return {};
}

std::string HtmlCommentDialog::Validate() {
    if (text.size() > kHtmlCommentSize) {
        return "A comment holds at most 9998 characters.";
    }
    return {};
}

}  // namespace ravelin::shell
