#include "gui/select_line_dialog_widget.h"

#include <QDialogButtonBox>
#include <QListWidget>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

SelectLineDialogWidget::SelectLineDialogWidget(shell::SelectLineDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    showMessage = MessageBoxFor(this);
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    for (const std::string& line : data_.lines) {
        list_->addItem(ToQString(line));
    }
    if (data_.selected >= 0 && data_.selected < list_->count()) {
        list_->setCurrentRow(data_.selected);
    }
    layout->addWidget(list_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    layout->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Ok(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Ok(); });
}

void SelectLineDialogWidget::Ok() {
    data_.selected =
        list_->currentItem() != nullptr && list_->currentItem()->isSelected() ? list_->currentRow() : -1;
    if (std::string problem = data_.Validate(); !problem.empty()) {
        showMessage(problem);
        return;
    }
    accept();
}

}  // namespace ravelin::gui
