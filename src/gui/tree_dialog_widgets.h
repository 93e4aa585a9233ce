#pragma once

#include "shell/dialogs/eco_name_dialog.h"
#include "shell/dialogs/tree_settings_dialog.h"

class QWidget;

namespace ravelin::gui {

// The forms of "Tree Settings" and of the maneuvers look-ahead count; true when accepted.
bool RunTreeSettingsDialog(shell::TreeSettingsDialog& dialog, QWidget* parent);
bool RunLookAheadDialog(shell::LookAheadDialog& dialog, QWidget* parent);
// The name of an ECO line in the ECO editor.
bool RunEcoNameDialog(shell::Addeconamebox& dialog, QWidget* parent);

}  // namespace ravelin::gui
