#pragma once

#include <QDialog>

#include <functional>
#include <string>

#include "shell/dialogs/select_line_dialog.h"

class QListWidget;

namespace ravelin::gui {

// "Select Line": the variations after the shown move in a list, "OK" and "Cancel"; a double click
// on a line is OK.
class SelectLineDialogWidget : public QDialog {
    Q_OBJECT
  public:
    SelectLineDialogWidget(shell::SelectLineDialog& dialogData, QWidget* parent = nullptr);
    QListWidget* List() const { return list_; }
    std::function<void(const std::string&)> showMessage;
    void Ok();

  private:
    shell::SelectLineDialog& data_;
    QListWidget* list_ = nullptr;
};

}  // namespace ravelin::gui
