#pragma once

// The "Modify Text" form: the game's text, Adjust with its join option, Save and Cancel.

#include <QWidget>

#include "shell/dialogs/modify_text_dialog.h"

namespace ravelin::gui {

bool RunModifyTextDialog(shell::ModifyTextDialog& data, QWidget* parent);

}  // namespace ravelin::gui
