#include "gui/report_dialog_widgets.h"

#include <QDialogButtonBox>
#include <QFontDatabase>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

VirtualRowModel::VirtualRowModel(int rows, std::function<std::string(int)> rowText, QObject* parent)
    : QAbstractListModel(parent), rows_(rows), rowText_(std::move(rowText)) {}

int VirtualRowModel::rowCount(const QModelIndex& parent) const {
    return parent.isValid() ? 0 : rows_;
}

QVariant VirtualRowModel::data(const QModelIndex& index, int role) const {
    if (role != Qt::DisplayRole || !index.isValid() || index.row() >= rows_ || !rowText_) {
        return {};
    }
    // Names in files of the older single-byte encoding are not UTF-8: shown as Latin-1 instead of
    // as replacement characters.
    const std::string text = rowText_(index.row());
    QString shown = ToQString(text);
    if (shown.contains(QChar::ReplacementCharacter)) {
        shown = QString::fromLatin1(text.data(), static_cast<qsizetype>(text.size()));
    }
    return shown;
}

ReportListDialogWidget::ReportListDialogWidget(shell::ReportListDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    showMessage = MessageBoxFor(this);
    auto* layout = new QVBoxLayout(this);
    list_ = new QListView(this);
    list_->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    // Every row has the same height, so the view never measures the rows it does not show.
    list_->setUniformItemSizes(true);
    list_->setEditTriggers(QAbstractItemView::NoEditTriggers);
    list_->setSelectionMode(QAbstractItemView::SingleSelection);
    model_ = new VirtualRowModel(data_.rowCount, data_.rowText, this);
    list_->setModel(model_);
    const QFontMetrics metrics(list_->font());
    list_->setMinimumWidth(metrics.horizontalAdvance(QString(96, 'M')));
    list_->setMinimumHeight(metrics.height() * 24);
    if (data_.topRow > 0 && data_.topRow < data_.rowCount) {
        list_->scrollTo(model_->index(data_.topRow), QAbstractItemView::PositionAtTop);
    }
    if (data_.RowSelected()) {
        list_->setCurrentIndex(model_->index(data_.selectedRow));
        list_->scrollTo(model_->index(data_.selectedRow));
    }
    layout->addWidget(list_);
    auto* buttons = new QHBoxLayout;
    for (std::size_t i = 0; i < data_.buttons.size(); ++i) {
        auto* button = new QPushButton(ToQString(data_.buttons[i].label), this);
        button->setAutoDefault(false);
        const int index = static_cast<int>(i);
        connect(button, &QPushButton::clicked, this, [this, index] { Press(index); });
        buttons->addWidget(button);
    }
    auto* cancel = new QPushButton("Cancel", this);
    cancel->setAutoDefault(false);
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);
    connect(list_, &QListView::doubleClicked, this, [this] { Press(0); });
}

void ReportListDialogWidget::Press(int button) {
    const QModelIndex current = list_->currentIndex();
    const bool selected = current.isValid() && list_->selectionModel()->isSelected(current);
    data_.selectedRow = selected ? current.row() : -1;
    data_.topRow = list_->indexAt(QPoint(0, 0)).row();
    data_.chosenButton = button;
    if (std::string problem = data_.Validate(); !problem.empty()) {
        showMessage(problem);
        return;
    }
    accept();
}

ReportTextDialogWidget::ReportTextDialogWidget(shell::ReportTextDialog& dialogData, QWidget* parent)
    : QDialog(parent) {
    setWindowTitle(ToQString(dialogData.Title()));
    setObjectName(ToQString(dialogData.Title()));
    auto* layout = new QVBoxLayout(this);
    auto* text = new QPlainTextEdit(this);
    text->setReadOnly(true);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    text->setPlainText(ToQString(dialogData.text));
    const QFontMetrics metrics(text->font());
    text->setMinimumSize(metrics.horizontalAdvance(QString(100, 'M')), metrics.height() * 24);
    layout->addWidget(text);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok, this);
    connect(buttons, &QDialogButtonBox::accepted, this, &QDialog::accept);
    layout->addWidget(buttons);
}

SelectPlayerDialogWidget::SelectPlayerDialogWidget(shell::SelectPlayerDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    auto* layout = new QVBoxLayout(this);
    list_ = new QListWidget(this);
    list_->setUniformItemSizes(true);
    for (const std::string& player : data_.players) {
        list_->addItem(ToQString(player));
    }
    if (data_.selectedPlayer >= 0 && data_.selectedPlayer < list_->count()) {
        list_->setCurrentRow(data_.selectedPlayer);
    }
    layout->addWidget(list_);
    auto* fields = new QFormLayout;
    white_ = new QLineEdit(this);
    black_ = new QLineEdit(this);
    fields->addRow("White", white_);
    fields->addRow("Black", black_);
    layout->addLayout(fields);
    auto* row = new QHBoxLayout;
    const std::function<void()> actions[] = {
        [this] { data_.SetWhite(); },
        [this] { data_.SetBlack(); },
        [this] { data_.OnePlayerEitherColour(); },
        [this] { data_.OpponentsEitherColour(); },
        [this] { data_.ClearWhite(); },
        [this] { data_.ClearBlack(); },
    };
    for (std::size_t i = 0; i < std::size(shell::kSelectPlayerButtons); ++i) {
        auto* button = new QPushButton(shell::kSelectPlayerButtons[i], this);
        button->setAutoDefault(false);
        const std::function<void()> action = actions[i];
        connect(button, &QPushButton::clicked, this, [this, action] {
            data_.white = white_->text().trimmed().toStdString();
            data_.black = black_->text().trimmed().toStdString();
            data_.selectedPlayer = list_->currentRow();
            action();
            Refresh();
        });
        row->addWidget(button);
    }
    layout->addLayout(row);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] {
        data_.white = white_->text().trimmed().toStdString();
        data_.black = black_->text().trimmed().toStdString();
        accept();
    });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    layout->addWidget(buttons);
    Refresh();
}

void SelectPlayerDialogWidget::Refresh() {
    white_->setText(ToQString(data_.white));
    black_->setText(ToQString(data_.black));
}

}  // namespace ravelin::gui
