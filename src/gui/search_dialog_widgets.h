#pragma once

#include <QDialog>
#include <array>
#include <functional>
#include <string>

#include "shell/dialogs/header_search_dialog.h"
#include "shell/dialogs/position_dialogs.h"

class QCheckBox;
class QComboBox;
class QLineEdit;
class QSpinBox;

namespace ravelin::gui {

// The "Edit Header" dialog on screen: the twelve fields and the six buttons of the core's dialog.
class HeaderSearchDialogWidget : public QDialog {
    Q_OBJECT
  public:
    HeaderSearchDialogWidget(shell::HeaderSearchDialog& dialogData, QWidget* parent = nullptr);
    QLineEdit* Field(int index) const { return edits_[static_cast<std::size_t>(index)]; }
    // Called with a message (a failed check, the Players answer); by default a message box.
    std::function<void(const std::string&)> showMessage;
    // Presses a button as a click would.
    void Press(shell::HeaderDialogButton button);

  private:
    void LoadFromData();
    void StoreToData();

    shell::HeaderSearchDialog& data_;
    std::array<QLineEdit*, search::kHeaderFieldCount> edits_{};
};

// "Pawns and Pieces Remaining": per side and kind a relation and a digit.
class PiecesRemainingDialogWidget : public QDialog {
    Q_OBJECT
  public:
    PiecesRemainingDialogWidget(shell::PiecesRemainingDialog& dialogData, QWidget* parent = nullptr);
    QComboBox* Relation(int side, int kind) const { return relations_[side][kind]; }
    QSpinBox* Digit(int side, int kind) const { return digits_[side][kind]; }
    std::function<void(const std::string&)> showMessage;
    void Ok();

  private:
    shell::PiecesRemainingDialog& data_;
    std::array<std::array<QComboBox*, search::kCountKinds>, 2> relations_{};
    std::array<std::array<QSpinBox*, search::kCountKinds>, 2> digits_{};
};

// "Set Position Move Number": the switch and the criterion text.
class MoveNumberDialogWidget : public QDialog {
    Q_OBJECT
  public:
    MoveNumberDialogWidget(shell::MoveNumberDialog& dialogData, QWidget* parent = nullptr);
    QCheckBox* Switch() const { return on_; }
    QLineEdit* Criterion() const { return criterion_; }
    std::function<void(const std::string&)> showMessage;
    void Ok();

  private:
    shell::MoveNumberDialog& data_;
    QCheckBox* on_ = nullptr;
    QLineEdit* criterion_ = nullptr;
};

}  // namespace ravelin::gui
