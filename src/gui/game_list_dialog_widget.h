#pragma once

#include <QDialog>

#include "shell/dialogs/game_list_dialog.h"

namespace ravelin::gui {

// The "Errors" and "Duplicates" lists on screen: one row per entry, "Show Game" for the selected
// row (or a double click), "Delete Duplicates" where the list offers it, and "Close".
class GameListDialogWidget : public QDialog {
    Q_OBJECT
  public:
    GameListDialogWidget(shell::GameListDialog& dialogData, QWidget* parent = nullptr);

  private:
    void Accept();
    shell::GameListDialog& data_;
};

}  // namespace ravelin::gui
