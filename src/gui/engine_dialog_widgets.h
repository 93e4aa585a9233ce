#pragma once

#include <QWidget>

#include "shell/dialogs/engine_dialogs.h"

namespace ravelin::gui {

// The engine's two modal dialogs; true when accepted.
bool RunCraftyGameInfoDialog(shell::CraftyGameInfoDialog& data, QWidget* parent);
bool RunCraftyPositionInfoDialog(shell::CraftyPositionInfoDialog& data, QWidget* parent);

}  // namespace ravelin::gui
