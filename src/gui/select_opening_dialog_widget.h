#pragma once

#include <QDialog>

#include "shell/dialogs/select_opening_dialog.h"

class QListWidget;

namespace ravelin::gui {

// The Select Opening list on screen: the rows of the core's dialog in a fixed-pitch list, the four
// order buttons, the single/wrapped row buttons and "Select Current". A double click or OK chooses.
class SelectOpeningDialogWidget : public QDialog {
    Q_OBJECT
  public:
    SelectOpeningDialogWidget(shell::SelectOpeningDialog& dialogData, QWidget* parent = nullptr);

    QListWidget* List() const { return list_; }

  private:
    void Reload();
    void Ok();

    shell::SelectOpeningDialog& data_;
    QListWidget* list_ = nullptr;
};

}  // namespace ravelin::gui
