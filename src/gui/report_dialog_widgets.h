#pragma once

// The forms of the game list and the reports: a list whose rows are formatted only when they are
// drawn (a virtual model, so 200,000 games open at once), a read-only text, and Select Player.

#include <QAbstractListModel>
#include <QDialog>
#include <functional>
#include <string>

#include "shell/dialogs/report_dialogs.h"

class QListView;
class QListWidget;
class QLineEdit;

namespace ravelin::gui {

// Rows asked for by the view as they come into sight.
class VirtualRowModel : public QAbstractListModel {
    Q_OBJECT
  public:
    VirtualRowModel(int rows, std::function<std::string(int)> rowText, QObject* parent = nullptr);
    int rowCount(const QModelIndex& parent = QModelIndex()) const override;
    QVariant data(const QModelIndex& index, int role) const override;

  private:
    int rows_;
    std::function<std::string(int)> rowText_;
};

class ReportListDialogWidget : public QDialog {
    Q_OBJECT
  public:
    ReportListDialogWidget(shell::ReportListDialog& dialogData, QWidget* parent = nullptr);
    QListView* List() const { return list_; }
    // Presses a button as a click does (the tests press them so).
    void Press(int button);
    std::function<void(const std::string&)> showMessage;

  private:
    shell::ReportListDialog& data_;
    QListView* list_ = nullptr;
    VirtualRowModel* model_ = nullptr;
};

class ReportTextDialogWidget : public QDialog {
    Q_OBJECT
  public:
    ReportTextDialogWidget(shell::ReportTextDialog& dialogData, QWidget* parent = nullptr);
};

class SelectPlayerDialogWidget : public QDialog {
    Q_OBJECT
  public:
    SelectPlayerDialogWidget(shell::SelectPlayerDialog& dialogData, QWidget* parent = nullptr);

  private:
    void Refresh();
    shell::SelectPlayerDialog& data_;
    QListWidget* list_ = nullptr;
    QLineEdit* white_ = nullptr;
    QLineEdit* black_ = nullptr;
};

}  // namespace ravelin::gui
