#include "gui/options_dialog_widget.h"

#include "gui/dialog_support.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QFormLayout>
#include <QGridLayout>
#include <QGroupBox>
#include <QHBoxLayout>
#include <QLineEdit>
#include <QMessageBox>
#include <QPushButton>
#include <QRadioButton>
#include <QVBoxLayout>

namespace ravelin::gui {

OptionsDialogWidget::OptionsDialogWidget(shell::OptionsDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    using Kind = shell::OptionsControlKind;
    setWindowTitle(ToQString(data_.Title()));
    setObjectName("Edit Options");
    showProblem = MessageBoxFor(this);

    auto* outer = new QVBoxLayout(this);
    auto* grid = new QGridLayout();
    outer->addLayout(grid);
    auto* fields = new QFormLayout();
    auto* checkColumn = new QVBoxLayout();
    auto* buttonRow = new QHBoxLayout();
    std::map<std::string_view, QGroupBox*> groups;
    std::map<std::string_view, QButtonGroup*> radioGroups;
    int groupCount = 0;

    auto groupBox = [&](std::string_view name) {
        auto it = groups.find(name);
        if (it != groups.end()) {
            return it->second;
        }
        auto* box = new QGroupBox(ToQString(name), this);
        box->setLayout(name == "Alpha Notation" ? static_cast<QLayout*>(new QFormLayout())
                                                : new QVBoxLayout());
        // Groups fill the right-hand columns two to a row.
        grid->addWidget(box, groupCount / 2, 2 + groupCount % 2);
        ++groupCount;
        groups[name] = box;
        return box;
    };

    for (const shell::OptionsControl& control : shell::OptionsControls()) {
        QString label = ToQString(control.label);
        switch (control.kind) {
            case Kind::kNumber:
            case Kind::kText: {
                auto* edit = new QLineEdit(this);
                if (control.kind == Kind::kText) {
                    edit->setMaxLength(static_cast<int>(shell::kAutoPlayDelayMaxLength));
                }
                edits_[control.id] = edit;
                fields->addRow(label, edit);
                break;
            }
            case Kind::kLetter: {
                auto* edit = new QLineEdit(this);
                edit->setMaxLength(1);
                edit->setMaximumWidth(40);
                edits_[control.id] = edit;
                static_cast<QFormLayout*>(groupBox(control.group)->layout())->addRow(label, edit);
                break;
            }
            case Kind::kCheckBox: {
                auto* box = new QCheckBox(label, this);
                checks_[control.id] = box;
                checkColumn->addWidget(box);
                break;
            }
            case Kind::kRadio: {
                auto* radio = new QRadioButton(label, this);
                checks_[control.id] = radio;
                QGroupBox* box = groupBox(control.group);
                box->layout()->addWidget(radio);
                QButtonGroup*& exclusive = radioGroups[control.group];
                if (exclusive == nullptr) {
                    exclusive = new QButtonGroup(box);
                }
                exclusive->addButton(radio);
                break;
            }
            case Kind::kButton: {
                auto* button = new QPushButton(label, this);
                buttons_[control.id] = button;
                buttonRow->addWidget(button);
                break;
            }
        }
    }
    grid->addLayout(fields, 0, 0);
    grid->addLayout(checkColumn, 1, 0, 3, 1);
    outer->addLayout(buttonRow);

    connect(buttons_[shell::kOptOk], &QPushButton::clicked, this, [this] { Ok(); });
    connect(buttons_[shell::kOptReset], &QPushButton::clicked, this, [this] { Reset(); });
    connect(buttons_[shell::kOptCancel], &QPushButton::clicked, this, &QDialog::reject);
    buttons_[shell::kOptOk]->setDefault(true);
    LoadFromData();
}

QWidget* OptionsDialogWidget::Control(int id) const {
    if (auto it = edits_.find(id); it != edits_.end()) {
        return it->second;
    }
    if (auto it = checks_.find(id); it != checks_.end()) {
        return it->second;
    }
    if (auto it = buttons_.find(id); it != buttons_.end()) {
        return it->second;
    }
    return nullptr;
}

void OptionsDialogWidget::LoadFromData() {
    for (auto& [id, edit] : edits_) {
        edit->setText(QString::fromStdString(data_.Text(id)));
    }
    for (auto& [id, button] : checks_) {
        button->setChecked(data_.Checked(id));
    }
}

void OptionsDialogWidget::StoreToData() {
    for (auto& [id, edit] : edits_) {
        data_.SetText(id, edit->text().toStdString());
    }
    for (auto& [id, button] : checks_) {
        if (button->isChecked() || qobject_cast<QCheckBox*>(button) != nullptr) {
            data_.SetChecked(id, button->isChecked());
        }
    }
}

void OptionsDialogWidget::Ok() {
    StoreToData();
    std::string problem = data_.Validate();
    LoadFromData();
    if (!problem.empty()) {
        if (showProblem) {
            showProblem(problem);
        }
        return;
    }
    accept();
}

void OptionsDialogWidget::Reset() {
    data_.Reset();
    LoadFromData();
}

}  // namespace ravelin::gui
