#pragma once

#include <QWidget>

#include "shell/dialogs/paste_games_dialog.h"

namespace ravelin::gui {

bool RunPasteGamesDialog(shell::PasteGamesDialog& data, QWidget* parent);

}  // namespace ravelin::gui
