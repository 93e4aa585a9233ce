#include "gui/html_dialog_widgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include <functional>

#include "gui/dialog_support.h"

namespace ravelin::gui {

bool RunHtmlTextDialog(shell::HtmlTextDialog& data, QWidget* parent) {
    QDialog form(parent);
    form.setWindowTitle(ToQString(data.Title()));
    form.setObjectName(ToQString(data.Title()));
    form.resize(720, 520);
    auto* outer = new QVBoxLayout(&form);
    auto* text = new QPlainTextEdit(&form);
    text->setPlainText(QString::fromStdString(data.text).replace("\r\n", "\n"));
    outer->addWidget(text);
    auto* row = new QHBoxLayout();
    outer->addLayout(row);
    const bool diagram = data.Title() == shell::kHtmlDiagramTitle;
    auto* accept = new QPushButton(diagram ? "Save" : "OK", &form);
    auto* close = new QPushButton(diagram ? "Close" : "Cancel", &form);
    row->addStretch();
    row->addWidget(accept);
    row->addWidget(close);
    QObject::connect(accept, &QPushButton::clicked, &form, [&data, &form, text, diagram] {
        QString edited = text->toPlainText();
        if (static_cast<std::size_t>(edited.size()) > shell::kHtmlEditableSize) {
            edited.truncate(static_cast<int>(shell::kHtmlEditableSize));
        }
        data.text = edited.replace('\n', "\r\n").toStdString();
        data.save = diagram;
        form.accept();
    });
    QObject::connect(close, &QPushButton::clicked, &form, &QDialog::reject);
    return form.exec() == QDialog::Accepted;
}

namespace {

// OK keeps the form open while the data refuses the entries.
void AcceptWhenValid(QDialog& form, platform::Dialog& data, const std::function<void()>& takeEntries) {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    form.layout()->addWidget(buttons);
    QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, [&form, &data, takeEntries] {
        takeEntries();
        if (const std::string refusal = data.Validate(); !refusal.empty()) {
            QMessageBox::warning(&form, form.windowTitle(), QString::fromStdString(refusal));
            return;
        }
        form.accept();
    });
}

}  // namespace

bool RunHtmlTitleDialog(shell::HtmlTitleDialog& data, QWidget* parent) {
    QDialog form(parent);
    form.setWindowTitle(ToQString(data.Title()));
    form.setObjectName(ToQString(data.Title()));
    auto* fields = new QFormLayout(&form);
    auto* title = new QLineEdit(QString::fromStdString(data.title), &form);
    auto* heading = new QLineEdit(QString::fromStdString(data.heading), &form);
    auto* subHead = new QLineEdit(QString::fromStdString(data.subHead), &form);
    for (QLineEdit* edit : {title, heading, subHead}) {
        edit->setMaxLength(static_cast<int>(shell::kHtmlTitleFieldSize));
        edit->setMinimumWidth(420);
    }
    fields->addRow("Title", title);
    fields->addRow("Heading", heading);
    fields->addRow("Sub Head", subHead);
    AcceptWhenValid(form, data, [&data, title, heading, subHead] {
        data.title = title->text().toStdString();
        data.heading = heading->text().toStdString();
        data.subHead = subHead->text().toStdString();
    });
    return form.exec() == QDialog::Accepted;
}

bool RunHtmlCommentDialog(shell::HtmlCommentDialog& data, QWidget* parent) {
    QDialog form(parent);
    form.setWindowTitle(ToQString(data.Title()));
    form.setObjectName(ToQString(data.Title()));
    form.resize(560, 360);
    auto* outer = new QVBoxLayout(&form);
    auto* text = new QPlainTextEdit(&form);
    text->setPlainText(QString::fromStdString(data.text).replace("\r\n", "\n"));
    outer->addWidget(text);
    AcceptWhenValid(form, data,
                    [&data, text] { data.text = text->toPlainText().replace('\n', "\r\n").toStdString(); });
    return form.exec() == QDialog::Accepted;
}

}  // namespace ravelin::gui
