#pragma once

#include <QWidget>

#include "shell/dialogs/html_text_dialog.h"

namespace ravelin::gui {

// The HTML text in an editor: "Html Diagram" with Save and Close, "Html Annotation" with OK and Cancel.
bool RunHtmlTextDialog(shell::HtmlTextDialog& data, QWidget* parent);
// "Edit Html Title": title, heading and sub head of an annotation page.
bool RunHtmlTitleDialog(shell::HtmlTitleDialog& data, QWidget* parent);
// "Html Comment": the comment being written.
bool RunHtmlCommentDialog(shell::HtmlCommentDialog& data, QWidget* parent);

}  // namespace ravelin::gui
