#include "gui/game_list_dialog_widget.h"

#include <QHBoxLayout>
#include <QListWidget>
#include <QMessageBox>
#include <QPushButton>
#include <QVBoxLayout>

namespace ravelin::gui {

GameListDialogWidget::GameListDialogWidget(shell::GameListDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(QString::fromStdString(data_.Title()));
    setObjectName(QString::fromStdString(data_.Title()));
    auto* layout = new QVBoxLayout(this);
    auto* list = new QListWidget(this);
    for (const shell::GameListDialog::Row& row : data_.Rows()) {
        list->addItem(QString::fromStdString(row.text));
    }
    list->setMinimumWidth(420);
    layout->addWidget(list);
    connect(list, &QListWidget::currentRowChanged, this, [this](int row) { data_.selectedRow = row; });
    connect(list, &QListWidget::itemDoubleClicked, this, [this] { Accept(); });

    auto* buttons = new QHBoxLayout();
    auto* show = new QPushButton("Show Game", this);
    show->setDefault(true);
    connect(show, &QPushButton::clicked, this, [this] {
        data_.deleteRequested = false;
        Accept();
    });
    buttons->addWidget(show);
    if (data_.OffersDeletion()) {
        auto* remove = new QPushButton("Delete Duplicates", this);
        connect(remove, &QPushButton::clicked, this, [this] {
            data_.deleteRequested = true;
            Accept();
        });
        buttons->addWidget(remove);
    }
    auto* close = new QPushButton("Close", this);
    connect(close, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(close);
    layout->addLayout(buttons);
}

void GameListDialogWidget::Accept() {
    const std::string problem = data_.Validate();
    if (!problem.empty()) {
        QMessageBox::information(this, QString::fromStdString(data_.Title()),
                                 QString::fromStdString(problem));
        return;
    }
    accept();
}

}  // namespace ravelin::gui
