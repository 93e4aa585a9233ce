#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

#include <functional>
#include <string>

#include "shell/dialogs/go_to_move_dialog.h"

namespace ravelin::gui {

// "Go to Move": the move number and whether black's move of it is meant.
class GoToMoveDialogWidget : public QDialog {
    Q_OBJECT
  public:
    GoToMoveDialogWidget(shell::GoToMoveDialog& dialogData, QWidget* parent = nullptr);
    QLineEdit* MoveNumber() const { return number_; }
    QCheckBox* BlackMove() const { return black_; }
    std::function<void(const std::string&)> showMessage;
    void Ok();

  private:
    shell::GoToMoveDialog& data_;
    QLineEdit* number_ = nullptr;
    QCheckBox* black_ = nullptr;
};

}  // namespace ravelin::gui
