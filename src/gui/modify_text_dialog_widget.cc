#include "gui/modify_text_dialog_widget.h"

#include <QCheckBox>
#include <QDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

namespace {

// The edit control holds LF line ends; the game text has CR LF.
QString Shown(const std::string& text) {
    QString shown = ToQString(text);
    shown.remove('\r');
    return shown;
}

std::string Taken(const QPlainTextEdit& edit) {
    return edit.toPlainText().replace('\n', "\r\n").toStdString();
}

}  // namespace

bool RunModifyTextDialog(shell::ModifyTextDialog& data, QWidget* parent) {
    QDialog form(parent);
    form.setWindowTitle(ToQString(data.Title()));
    form.setObjectName(ToQString(data.Title()));
    form.resize(720, 520);
    auto* outer = new QVBoxLayout(&form);
    auto* text = new QPlainTextEdit(&form);
    QFont fixed("Monospace");
    fixed.setStyleHint(QFont::TypeWriter);
    text->setFont(fixed);
    text->setLineWrapMode(QPlainTextEdit::NoWrap);
    text->setPlainText(Shown(data.text));
    text->setReadOnly(data.viewOnly);
    outer->addWidget(text);
    auto* row = new QHBoxLayout();
    auto* join = new QCheckBox("Join short lines", &form);
    join->setChecked(data.join);
    auto* adjust = new QPushButton("Adjust", &form);
    auto* save = new QPushButton("Save", &form);
    auto* cancel = new QPushButton(data.viewOnly ? "Close" : "Cancel", &form);
    adjust->setEnabled(!data.viewOnly);
    save->setEnabled(!data.viewOnly);
    row->addWidget(join);
    row->addStretch();
    for (QPushButton* button : {adjust, save, cancel}) {
        row->addWidget(button);
    }
    outer->addLayout(row);
    QObject::connect(adjust, &QPushButton::clicked, &form, [&] {
        data.text = Taken(*text);
        data.join = join->isChecked();
        data.Adjust();
        text->setPlainText(Shown(data.text));
    });
    QObject::connect(save, &QPushButton::clicked, &form, [&] {
        data.text = Taken(*text);
        data.join = join->isChecked();
        form.accept();
    });
    QObject::connect(cancel, &QPushButton::clicked, &form, &QDialog::reject);
    return form.exec() == QDialog::Accepted;
}

}  // namespace ravelin::gui
