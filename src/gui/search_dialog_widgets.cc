#include "gui/search_dialog_widgets.h"

#include "gui/dialog_support.h"

#include <QCheckBox>
#include <QComboBox>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QHBoxLayout>
#include <QLabel>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QSpinBox>
#include <QVBoxLayout>

namespace ravelin::gui {

namespace {

// The relation choices of a count, in the order of their codes; "Either side" for Black only.
constexpr const char* kRelationLabels[] = {"", "=", "<=", ">=", "Either side"};

}  // namespace

HeaderSearchDialogWidget::HeaderSearchDialogWidget(shell::HeaderSearchDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    using Button = shell::HeaderDialogButton;
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    showMessage = MessageBoxFor(this);
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    outer->addLayout(form);
    for (int k = 0; k < search::kHeaderFieldCount; ++k) {
        auto* edit = new QLineEdit(this);
        edit->setMaxLength(static_cast<int>(search::kMaxHeaderFieldLength));
        edit->setObjectName(ToQString(search::HeaderFieldLabel(static_cast<search::HeaderField>(k))));
        edits_[static_cast<std::size_t>(k)] = edit;
        form->addRow(ToQString(search::HeaderFieldLabel(static_cast<search::HeaderField>(k))), edit);
    }
    auto* row = new QHBoxLayout();
    outer->addLayout(row);
    for (Button button : {Button::kOk, Button::kPlayers, Button::kSearchFile, Button::kSearchDir,
                          Button::kClear, Button::kCancel}) {
        auto* push = new QPushButton(shell::HeaderDialogButtonLabel(button), this);
        push->setObjectName(shell::HeaderDialogButtonLabel(button));
        push->setAutoDefault(button == Button::kOk);
        row->addWidget(push);
        connect(push, &QPushButton::clicked, this, [this, button] { Press(button); });
    }
    LoadFromData();
}

void HeaderSearchDialogWidget::LoadFromData() {
    for (int k = 0; k < search::kHeaderFieldCount; ++k) {
        edits_[static_cast<std::size_t>(k)]->setText(
            QString::fromStdString(data_.fields[static_cast<search::HeaderField>(k)]));
    }
}

void HeaderSearchDialogWidget::StoreToData() {
    for (int k = 0; k < search::kHeaderFieldCount; ++k) {
        data_.fields[static_cast<search::HeaderField>(k)] =
            edits_[static_cast<std::size_t>(k)]->text().trimmed().toStdString();
    }
}

void HeaderSearchDialogWidget::Press(shell::HeaderDialogButton button) {
    using Button = shell::HeaderDialogButton;
    switch (button) {
        case Button::kPlayers:
            if (!data_.choosePlayers) {
                showMessage(shell::kSelectPlayerNotYet);
                return;
            }
            StoreToData();
            if (data_.choosePlayers(data_.fields)) {
                LoadFromData();
            }
            return;
        case Button::kClear:
            data_.Clear();
            LoadFromData();
            return;
        case Button::kCancel:
            reject();
            return;
        default:
            break;
    }
    StoreToData();
    if (std::string problem = data_.Validate(); !problem.empty()) {
        showMessage(problem);
        return;
    }
    data_.chosen = button;
    accept();
}

PiecesRemainingDialogWidget::PiecesRemainingDialogWidget(shell::PiecesRemainingDialog& dialogData,
                                                         QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    showMessage = MessageBoxFor(this);
    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    outer->addLayout(grid);
    grid->addWidget(new QLabel("White", this), 0, 1, 1, 2);
    grid->addWidget(new QLabel("Black", this), 0, 3, 1, 2);
    for (int kind = 0; kind < search::kCountKinds; ++kind) {
        grid->addWidget(new QLabel(shell::CountKindLabel(kind), this), kind + 1, 0);
        for (int side = 0; side < 2; ++side) {
            auto* relation = new QComboBox(this);
            const int choices = side == 0 ? search::kCountEitherSide : search::kCountEitherSide + 1;
            for (int code = 0; code < choices; ++code) {
                relation->addItem(kRelationLabels[code], code);
            }
            const search::CountCondition& condition = data_.counts[side][kind];
            relation->setCurrentIndex(std::max(0, relation->findData(condition.relation)));
            auto* digit = new QSpinBox(this);
            digit->setRange(0, 9);
            digit->setValue(condition.digit >= '0' && condition.digit <= '9' ? condition.digit - '0' : 0);
            relations_[side][kind] = relation;
            digits_[side][kind] = digit;
            grid->addWidget(relation, kind + 1, 1 + 2 * side);
            grid->addWidget(digit, kind + 1, 2 + 2 * side);
        }
    }
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Ok(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void PiecesRemainingDialogWidget::Ok() {
    shell::CountTable before = data_.counts;
    for (int side = 0; side < 2; ++side) {
        for (int kind = 0; kind < search::kCountKinds; ++kind) {
            search::CountCondition& condition = data_.counts[side][kind];
            condition.relation = relations_[side][kind]->currentData().toInt();
            condition.digit = condition.relation == search::kNoCount
                                  ? '\0'
                                  : static_cast<char>('0' + digits_[side][kind]->value());
        }
    }
    if (std::string problem = data_.Validate(); !problem.empty()) {
        data_.counts = before;
        showMessage(problem);
        return;
    }
    accept();
}

MoveNumberDialogWidget::MoveNumberDialogWidget(shell::MoveNumberDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    showMessage = MessageBoxFor(this);
    auto* outer = new QVBoxLayout(this);
    on_ = new QCheckBox("Move Number Search", this);
    on_->setChecked(data_.on);
    outer->addWidget(on_);
    auto* form = new QFormLayout();
    criterion_ = new QLineEdit(QString::fromStdString(data_.criterion), this);
    criterion_->setMaxLength(static_cast<int>(search::kMaxMoveNumberCriterion));
    form->addRow("Move Number Criteria", criterion_);
    outer->addLayout(form);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Ok(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void MoveNumberDialogWidget::Ok() {
    const bool beforeOn = data_.on;
    const std::string beforeText = data_.criterion;
    data_.on = on_->isChecked();
    data_.criterion = criterion_->text().trimmed().toStdString();
    if (std::string problem = data_.Validate(); !problem.empty()) {
        data_.on = beforeOn;
        data_.criterion = beforeText;
        showMessage(problem);
        return;
    }
    accept();
}

}  // namespace ravelin::gui
