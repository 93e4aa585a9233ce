#include "gui/annotation_dialog_widgets.h"

#include <QDialog>
#include <QDialogButtonBox>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

namespace {

// A form with OK and Cancel whose OK runs the data's checks first; accept takes the fields.
bool RunForm(QDialog& form, QVBoxLayout* layout, platform::Dialog& data, const std::function<void()>& take,
             const QString& okLabel = "OK") {
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Cancel, &form);
    QPushButton* ok = buttons->addButton(okLabel, QDialogButtonBox::AcceptRole);
    ok->setDefault(true);
    layout->addWidget(buttons);
    const auto showMessage = MessageBoxFor(&form);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, [&] {
        take();
        if (const std::string problem = data.Validate(); !problem.empty()) {
            showMessage(problem);
            return;
        }
        form.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    return form.exec() == QDialog::Accepted;
}

void Name(QDialog& form, const platform::Dialog& data) {
    form.setWindowTitle(ToQString(data.Title()));
    form.setObjectName(ToQString(data.Title()));
}

}  // namespace

bool RunAnnotationTextDialog(shell::AnnotationTextDialog& data, QWidget* parent) {
    QDialog form(parent);
    Name(form, data);
    form.resize(520, 220);
    auto* layout = new QVBoxLayout(&form);
    auto* text = new QPlainTextEdit(ToQString(data.text), &form);
    layout->addWidget(text);
    return RunForm(form, layout, data, [&] { data.text = text->toPlainText().toStdString(); });
}

bool RunMoveAnnotationDialog(shell::MoveAnnotationDialog& data, QWidget* parent) {
    QDialog form(parent);
    Name(form, data);
    form.resize(420, 480);
    auto* layout = new QVBoxLayout(&form);
    auto* list = new QListWidget(&form);
    for (const std::string& row : data.rows) {
        list->addItem(ToQString(row));
    }
    if (data.selected >= 0 && data.selected < list->count()) {
        list->setCurrentRow(data.selected);
    }
    layout->addWidget(list);
    QObject::connect(list, &QListWidget::itemDoubleClicked, &form, [&] {
        data.selected = list->currentRow();
        form.accept();
    });
    return RunForm(form, layout, data, [&] {
        data.selected =
            list->currentItem() != nullptr && list->currentItem()->isSelected() ? list->currentRow() : -1;
    });
}

bool RunAnnotatorDialog(shell::AnnotatorDialog& data, QWidget* parent) {
    QDialog form(parent);
    Name(form, data);
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(new QLabel("Annotator", &form));
    auto* value = new QLineEdit(ToQString(data.value), &form);
    layout->addWidget(value);
    return RunForm(form, layout, data, [&] { data.value = value->text().toStdString(); });
}

bool RunYahooDialog(shell::YahooDialog& data, QWidget* parent) {
    QDialog form(parent);
    Name(form, data);
    form.resize(640, 480);
    auto* layout = new QVBoxLayout(&form);
    layout->addWidget(new QLabel(shell::kYahooDialogPrompt, &form));
    auto* text = new QPlainTextEdit(&form);
    layout->addWidget(text);
    return RunForm(
        form, layout, data, [&] { data.text = text->toPlainText().toStdString(); }, "Convert");
}

}  // namespace ravelin::gui
