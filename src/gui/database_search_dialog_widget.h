#pragma once

#include <QCheckBox>
#include <QDialog>
#include <QLineEdit>

#include <functional>
#include <string>
#include <vector>

#include "shell/dialogs/database_search_dialog.h"

namespace ravelin::gui {

// "Database Search Options": the name, year, result, ECO, moves, site and event fields, the name
// and position switches and the order of the results; "Clear" empties them.
class DatabaseSearchDialogWidget : public QDialog {
    Q_OBJECT
  public:
    DatabaseSearchDialogWidget(shell::DatabaseSearchDialog& dialogData, QWidget* parent = nullptr);
    std::function<void(const std::string&)> showMessage;
    void Ok();

  private:
    void Load();

    shell::DatabaseSearchDialog& data_;
    std::vector<std::pair<QLineEdit*, std::string*>> fields_;
    std::vector<std::pair<QCheckBox*, bool*>> switches_;
};

}  // namespace ravelin::gui
