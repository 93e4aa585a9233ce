#pragma once

// The forms of add-game mode: the entered game's header, the promotion piece and the text mode.

#include <QDialog>

#include "shell/dialogs/add_game_dialogs.h"

namespace ravelin::gui {

bool RunEnteredHeaderDialog(shell::EnteredHeaderDialog& data, QWidget* parent);
bool RunPromotionDialog(shell::PromotionDialog& data, QWidget* parent);
bool RunAddGameTextDialog(shell::AddGameTextDialog& data, QWidget* parent);

}  // namespace ravelin::gui
