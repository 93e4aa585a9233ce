#pragma once

#include <QDialog>
#include <functional>
#include <map>
#include <string>

#include "shell/dialogs/options_dialog.h"

class QAbstractButton;
class QLineEdit;
class QPushButton;

namespace ravelin::gui {

// The "Edit Options" dialog on screen: one widget per control of the core's dialog data, bound to
// it both ways. OK runs the core's checks; a failed check shows its message and keeps the dialog open.
class OptionsDialogWidget : public QDialog {
    Q_OBJECT
  public:
    OptionsDialogWidget(shell::OptionsDialog& dialogData, QWidget* parent = nullptr);

    // The widget of a control id (a QLineEdit, QCheckBox, QRadioButton or QPushButton).
    QWidget* Control(int id) const;
    // Called with a failed check's message; by default a message box.
    std::function<void(const std::string&)> showProblem;

  private:
    void LoadFromData();
    void StoreToData();
    void Ok();
    void Reset();

    shell::OptionsDialog& data_;
    std::map<int, QLineEdit*> edits_;
    std::map<int, QAbstractButton*> checks_;  // check boxes and radio buttons
    std::map<int, QPushButton*> buttons_;
};

}  // namespace ravelin::gui
