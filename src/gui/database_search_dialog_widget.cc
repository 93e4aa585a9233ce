#include "gui/database_search_dialog_widget.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

DatabaseSearchDialogWidget::DatabaseSearchDialogWidget(shell::DatabaseSearchDialog& dialogData,
                                                       QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    showMessage = MessageBoxFor(this);
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    const std::pair<const char*, std::string*> fields[] = {
        {"White", &data_.white},   {"Black", &data_.black}, {"Year", &data_.year},
        {"Result", &data_.result}, {"ECO", &data_.eco},     {"Number of Moves", &data_.moves},
        {"Site", &data_.site},     {"Event", &data_.event},
    };
    for (const auto& [label, value] : fields) {
        auto* edit = new QLineEdit(this);
        edit->setObjectName(label);
        form->addRow(label, edit);
        fields_.push_back({edit, value});
    }
    outer->addLayout(form);
    const std::pair<const char*, bool*> switches[] = {
        {"Either Color", &data_.eitherColor},
        {"Exact Match", &data_.exactMatch},
        {"Search from Position Edit", &data_.fromPositionEdit},
        {"Search from Game Position", &data_.fromGamePosition},
        {"Sort by Year", &data_.sortByYear},
        {"Descending", &data_.descending},
    };
    for (const auto& [label, value] : switches) {
        auto* box = new QCheckBox(label, this);
        outer->addWidget(box);
        switches_.push_back({box, value});
    }
    Load();
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    QPushButton* clear = buttons->addButton("Clear", QDialogButtonBox::ResetRole);
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Ok(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
    connect(clear, &QPushButton::clicked, this, [this] {
        data_.Clear();
        Load();
    });
}

void DatabaseSearchDialogWidget::Load() {
    for (const auto& [edit, value] : fields_) {
        edit->setText(ToQString(*value));
    }
    for (const auto& [box, value] : switches_) {
        box->setChecked(*value);
    }
}

void DatabaseSearchDialogWidget::Ok() {
    for (const auto& [edit, value] : fields_) {
        *value = edit->text().trimmed().toStdString();
    }
    for (const auto& [box, value] : switches_) {
        *value = box->isChecked();
    }
    if (std::string problem = data_.Validate(); !problem.empty()) {
        showMessage(problem);
        return;
    }
    accept();
}

}  // namespace ravelin::gui
