#include "gui/select_opening_dialog_widget.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace ravelin::gui {

SelectOpeningDialogWidget::SelectOpeningDialogWidget(shell::SelectOpeningDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(QString::fromStdString(data_.Title()));
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list_->setUniformItemSizes(true);
    list_->setMinimumSize(640, 420);
    layout->addWidget(list_);

    auto* orders = new QHBoxLayout;
    const std::pair<const char*, eco::EcoSortOrder> sorts[] = {
        {"Sort by ECO", eco::EcoSortOrder::kByEco},
        {"Sort by Name", eco::EcoSortOrder::kByName},
        {"Sort by Moves", eco::EcoSortOrder::kByMoves},
        {"Sort by Entry", eco::EcoSortOrder::kByEntry},
    };
    for (const auto& [label, order] : sorts) {
        auto* button = new QPushButton(label, this);
        connect(button, &QPushButton::clicked, this, [this, order = order] {
            data_.selectedRow = list_->currentRow();
            data_.SetOrder(order);
            Reload();
        });
        orders->addWidget(button);
    }
    layout->addLayout(orders);

    auto* rows = new QHBoxLayout;
    auto* single = new QPushButton("One Row per Line", this);
    auto* wrapped = new QPushButton("Wrap Lines", this);
    auto* current = new QPushButton("Select Current", this);
    connect(single, &QPushButton::clicked, this, [this] {
        data_.selectedRow = list_->currentRow();
        data_.SetWrapped(false);
        Reload();
    });
    connect(wrapped, &QPushButton::clicked, this, [this] {
        data_.selectedRow = list_->currentRow();
        data_.SetWrapped(true);
        Reload();
    });
    connect(current, &QPushButton::clicked, this, [this] {
        data_.SelectEntry(data_.currentEntry);
        Reload();
    });
    current->setEnabled(data_.currentEntry >= 0);
    rows->addWidget(single);
    rows->addWidget(wrapped);
    rows->addWidget(current);
    layout->addLayout(rows);

    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &SelectOpeningDialogWidget::Ok);
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(list_, &QListWidget::itemDoubleClicked, this, [this] { Ok(); });
    layout->addWidget(buttons);
    Reload();
}

void SelectOpeningDialogWidget::Reload() {
    list_->clear();
    for (const std::string& row : data_.List().rows) {
        list_->addItem(QString::fromStdString(row));
    }
    const int scrollFirst = data_.ScrollFirstRow();
    if (scrollFirst >= 0) {
        list_->scrollToItem(list_->item(scrollFirst));
    }
    if (data_.selectedRow >= 0 && data_.selectedRow < list_->count()) {
        list_->setCurrentRow(data_.selectedRow);
        list_->scrollToItem(list_->currentItem());
    }
}

void SelectOpeningDialogWidget::Ok() {
    data_.selectedRow = list_->currentRow();
    const std::string problem = data_.Validate();
    if (!problem.empty()) {
        QMessageBox::information(this, windowTitle(), QString::fromStdString(problem));
        return;
    }
    accept();
}

}  // namespace ravelin::gui
