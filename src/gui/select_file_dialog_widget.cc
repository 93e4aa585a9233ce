#include "gui/select_file_dialog_widget.h"

#include <QHBoxLayout>
#include <QLabel>
#include <QListWidget>
#include <QPushButton>
#include <QVBoxLayout>

namespace ravelin::gui {

SelectFileDialogWidget::SelectFileDialogWidget(shell::SelectFileDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(QString::fromStdString(data_.Title()));
    setObjectName(QString::fromStdString(data_.Title()));
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    for (const std::string& entry : data_.entries) {
        list_->addItem(QString::fromStdString(entry));
    }
    if (data_.selected >= 0 && data_.selected < list_->count()) {
        list_->setCurrentRow(data_.selected);
    }
    layout->addWidget(list_);
    if (!data_.totalLine.empty()) {
        layout->addWidget(new QLabel(QString::fromStdString(data_.totalLine), this));
    }
    auto* buttons = new QHBoxLayout();
    auto* winStats = new QPushButton("Win Stats", this);
    auto* ok = new QPushButton("OK", this);
    auto* cancel = new QPushButton("Cancel", this);
    ok->setDefault(true);
    buttons->addWidget(winStats);
    buttons->addStretch();
    buttons->addWidget(ok);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(winStats, &QPushButton::clicked, this, [this] {
        StoreSelection();
        data_.PressWinStats();
    });
    connect(ok, &QPushButton::clicked, this, [this] {
        StoreSelection();
        accept();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] {
        StoreSelection();
        accept();
    });
}

void SelectFileDialogWidget::StoreSelection() {
    data_.selected =
        list_->currentItem() != nullptr && list_->currentItem()->isSelected() ? list_->currentRow() : -1;
}

}  // namespace ravelin::gui
