#include "gui/duplicate_settings_dialog_widget.h"

#include <QDialogButtonBox>
#include <QFormLayout>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

DuplicateSettingsDialogWidget::DuplicateSettingsDialogWidget(shell::DuplicateSettingsDialog& dialogData,
                                                             QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    showMessage = MessageBoxFor(this);
    auto* outer = new QVBoxLayout(this);
    auto* form = new QFormLayout();
    lookAhead_ = new QLineEdit(ToQString(data_.lookAhead), this);
    maxDifference_ = new QLineEdit(ToQString(data_.maxDifference), this);
    form->addRow(shell::kLookAheadLabel, lookAhead_);
    form->addRow(shell::kMaxDifferenceLabel, maxDifference_);
    outer->addLayout(form);
    entireFile_ = new QCheckBox(shell::kEntireFileLabel, this);
    entireFile_->setChecked(data_.entireFile);
    lookAhead_->setEnabled(!data_.entireFile);
    connect(entireFile_, &QCheckBox::toggled, this, [this](bool on) { lookAhead_->setEnabled(!on); });
    outer->addWidget(entireFile_);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, this);
    outer->addWidget(buttons);
    connect(buttons, &QDialogButtonBox::accepted, this, [this] { Ok(); });
    connect(buttons, &QDialogButtonBox::rejected, this, &QDialog::reject);
}

void DuplicateSettingsDialogWidget::Ok() {
    data_.lookAhead = lookAhead_->text().trimmed().toStdString();
    data_.maxDifference = maxDifference_->text().trimmed().toStdString();
    data_.entireFile = entireFile_->isChecked();
    if (std::string problem = data_.Validate(); !problem.empty()) {
        showMessage(problem);
        return;
    }
    accept();
}

}  // namespace ravelin::gui
