#pragma once

#include "shell/dialogs/tree_settings_dialog.h"

class QWidget;

namespace ravelin::gui {

// The forms of "Tree Settings" and of the maneuvers look-ahead count; true when accepted.
bool RunTreeSettingsDialog(shell::TreeSettingsDialog& dialog, QWidget* parent);
bool RunLookAheadDialog(shell::LookAheadDialog& dialog, QWidget* parent);

}  // namespace ravelin::gui
