#include "gui/paste_games_dialog_widget.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QLabel>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

bool RunPasteGamesDialog(shell::PasteGamesDialog& data, QWidget* parent) {
    QDialog form(parent);
    form.setWindowTitle(ToQString(data.Title()));
    form.setObjectName(ToQString(data.Title()));
    form.resize(640, 480);
    auto* outer = new QVBoxLayout(&form);
    outer->addWidget(new QLabel(shell::kPasteGamesPrompt, &form));
    auto* text = new QPlainTextEdit(&form);
    outer->addWidget(text);
    auto* row = new QHBoxLayout();
    outer->addLayout(row);
    for (const bool append : {false, true}) {
        auto* button = new QPushButton(append ? "Append" : "New File", &form);
        row->addWidget(button);
        QObject::connect(button, &QPushButton::clicked, &form, [&data, &form, text, append] {
            // The edit control holds LF line ends; game files have CR LF.
            data.text = text->toPlainText().replace('\n', "\r\n").toStdString();
            data.append = append;
            form.accept();
        });
    }
    auto* cancel = new QPushButton("Cancel", &form);
    row->addWidget(cancel);
    QObject::connect(cancel, &QPushButton::clicked, &form, &QDialog::reject);
    return form.exec() == QDialog::Accepted;
}

}  // namespace ravelin::gui
