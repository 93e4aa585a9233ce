#pragma once

#include <QDialog>

#include "shell/dialogs/select_file_dialog.h"

class QListWidget;

namespace ravelin::gui {

// The "Select File" dialog on screen: the list of files with matches, the total below it, and the
// buttons "Win Stats", "OK" and "Cancel". A double click on an entry is OK.
class SelectFileDialogWidget : public QDialog {
    Q_OBJECT
  public:
    SelectFileDialogWidget(shell::SelectFileDialog& dialogData, QWidget* parent = nullptr);

  private:
    void StoreSelection();

    shell::SelectFileDialog& data_;
    QListWidget* list_ = nullptr;
};

}  // namespace ravelin::gui
