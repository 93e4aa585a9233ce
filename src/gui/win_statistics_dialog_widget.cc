#include "gui/win_statistics_dialog_widget.h"

#include <QGridLayout>
#include <QLabel>
#include <QPushButton>

namespace ravelin::gui {

WinStatisticsDialogWidget::WinStatisticsDialogWidget(const shell::WinStatisticsDialog& dialogData,
                                                     QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(QString::fromStdString(dialogData.Title()));
    setObjectName(QString::fromStdString(dialogData.Title()));
    const search::WinStatisticsLines& lines = dialogData.lines;
    auto* grid = new QGridLayout(this);
    int row = 0;
    auto put = [&](const std::string& left, const std::string& right) {
        if (left.empty() && right.empty()) {
            return;
        }
        grid->addWidget(new QLabel(QString::fromStdString(left), this), row, 0);
        if (!right.empty()) {
            grid->addWidget(new QLabel(QString::fromStdString(right), this), row, 1);
        }
        ++row;
    };
    put(lines.gamesFound, {});
    put(lines.whiteWins, lines.whiteScore);
    put(lines.blackWins, lines.blackScore);
    put(lines.draws, {});
    put(lines.performance, {});
    auto* ok = new QPushButton("OK", this);
    ok->setDefault(true);
    connect(ok, &QPushButton::clicked, this, &QDialog::accept);
    grid->addWidget(ok, row, 1, Qt::AlignRight);
}

}  // namespace ravelin::gui
