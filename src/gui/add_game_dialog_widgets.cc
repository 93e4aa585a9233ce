#include "gui/add_game_dialog_widgets.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <array>
#include <utility>

#include "gui/dialog_support.h"

namespace ravelin::gui {

namespace {

void PrepareForm(QDialog& form, const platform::Dialog& data) {
    form.setWindowTitle(ToQString(data.Title()));
    form.setObjectName(ToQString(data.Title()));
}

}  // namespace

bool RunEnteredHeaderDialog(shell::EnteredHeaderDialog& data, QWidget* parent) {
    QDialog form(parent);
    PrepareForm(form, data);
    auto* outer = new QVBoxLayout(&form);
    auto* fields = new QFormLayout();
    std::array<QLineEdit*, gamefile::kEnteredTagCount> edits{};
    for (std::size_t i = 0; i < edits.size(); ++i) {
        edits[i] = new QLineEdit(ToQString(data.values[i]), &form);
        fields->addRow(gamefile::kEnteredTagNames[i], edits[i]);
    }
    outer->addLayout(fields);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    outer->addWidget(buttons);
    const auto showMessage = MessageBoxFor(&form);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, [&] {
        for (std::size_t i = 0; i < edits.size(); ++i) {
            data.values[i] = edits[i]->text().toStdString();
        }
        if (std::string problem = data.Validate(); !problem.empty()) {
            showMessage(problem);
            return;
        }
        form.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    return form.exec() == QDialog::Accepted;
}

bool RunPromotionDialog(shell::PromotionDialog& data, QWidget* parent) {
    QDialog form(parent);
    PrepareForm(form, data);
    auto* row = new QHBoxLayout(&form);
    static constexpr std::pair<char, const char*> kPieces[] = {
        {'Q', "Queen"}, {'R', "Rook"}, {'B', "Bishop"}, {'N', "Knight"}};
    for (const auto& [letter, name] : kPieces) {
        auto* button = new QPushButton(name, &form);
        row->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &form, [&form, &data, piece = letter] {
            data.piece = piece;
            form.accept();
        });
    }
    return form.exec() == QDialog::Accepted;
}

bool RunAddGameTextDialog(shell::AddGameTextDialog& data, QWidget* parent) {
    using shell::AddTextAction;
    QDialog form(parent);
    PrepareForm(form, data);
    form.resize(640, 480);
    auto* outer = new QVBoxLayout(&form);
    auto* text = new QPlainTextEdit(&form);
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    text->setFont(fixed);
    const auto shown = [](const std::string& value) {
        QString result = ToQString(value);
        result.remove('\r');
        return result;
    };
    text->setPlainText(shown(data.text));
    outer->addWidget(text);
    static constexpr std::pair<AddTextAction, const char*> kActions[] = {
        {AddTextAction::kNewFile, "New File"},
        {AddTextAction::kAppend, "Append Game"},
        {AddTextAction::kInsert, "Insert Game"},
        {AddTextAction::kOverwriteLast, "Overwrite Last"},
        {AddTextAction::kExit, "Exit"},
        {AddTextAction::kClearAll, "Clear All"},
        {AddTextAction::kClearHeader, "Clear Header"},
        {AddTextAction::kClearMoves, "Clear Moves"},
        {AddTextAction::kCopyAll, "Copy All"},
        {AddTextAction::kCopyHeader, "Copy Header"},
        {AddTextAction::kCopyMoves, "Copy Moves"}};
    QHBoxLayout* row = nullptr;
    int index = 0;
    for (const auto& [action, label] : kActions) {
        if (index++ % 5 == 0) {
            row = new QHBoxLayout();
            outer->addLayout(row);
        }
        auto* button = new QPushButton(label, &form);
        row->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &form, [&, chosen = action] {
            // The edit control holds LF line ends; the game text has CR LF.
            data.text = text->toPlainText().replace('\n', "\r\n").toStdString();
            if (data.Act(chosen)) {
                form.accept();
            } else {
                text->setPlainText(shown(data.text));
            }
        });
    }
    return form.exec() == QDialog::Accepted;
}

}  // namespace ravelin::gui
