#include "gui/html_dialog_widgets.h"

#include <QDialog>
#include <QHBoxLayout>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

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

}  // namespace ravelin::gui
