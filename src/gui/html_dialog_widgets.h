#pragma once

#include <QWidget>

#include "shell/dialogs/html_text_dialog.h"

namespace ravelin::gui {

// The HTML text in an editor: "Html Diagram" with Save and Close, "Html Annotation" with OK and Cancel.
bool RunHtmlTextDialog(shell::HtmlTextDialog& data, QWidget* parent);

}  // namespace ravelin::gui
