#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

#include <functional>
#include <string>

#include "shell/dialogs/duplicate_settings_dialog.h"

namespace ravelin::gui {

// The duplicate games settings: two numbers and the entire-file switch.
class DuplicateSettingsDialogWidget : public QDialog {
    Q_OBJECT
  public:
    DuplicateSettingsDialogWidget(shell::DuplicateSettingsDialog& dialogData, QWidget* parent = nullptr);
    std::function<void(const std::string&)> showMessage;
    void Ok();

  private:
    shell::DuplicateSettingsDialog& data_;
    QLineEdit* lookAhead_ = nullptr;
    QLineEdit* maxDifference_ = nullptr;
    QCheckBox* entireFile_ = nullptr;
};

}  // namespace ravelin::gui
