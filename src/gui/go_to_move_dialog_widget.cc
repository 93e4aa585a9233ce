#include "gui/go_to_move_dialog_widget.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

GoToMoveDialogWidget::GoToMoveDialogWidget(shell::GoToMoveDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    showMessage = MessageBoxFor(this);
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    number_ = new QLineEdit(ToQString(data_.moveNumber), this);
    form->addRow("Move number", number_);
    outer->addLayout(form);
    black_ = new QCheckBox("Black's move", this);
    black_->setChecked(data_.blackMove);
    outer->addWidget(black_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Ok(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void GoToMoveDialogWidget::Ok() {
    data_.moveNumber = number_->text().trimmed().toStdString();
    data_.blackMove = black_->isChecked();
    if (std::string problem = data_.Validate(); !problem.empty()) {
        showMessage(problem);
        return;
    }
    accept();
}

}  // namespace ravelin::gui
