#include "gui/tree_dialog_widgets.h"

#include <QButtonGroup>
#include <QCheckBox>
#include <QDialog>
#include <QDialogButtonBox>
#include <QFormLayout>
#include <QLineEdit>
#include <QRadioButton>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

namespace {

// Runs the form until its data validates or it is cancelled.
bool RunForm(QDialog& form, QDialogButtonBox* buttons, platform::Dialog& data,
             const std::function<void()>& take) {
    const auto show = MessageBoxFor(&form);
    QObject::connect(buttons, &QDialogButtonBox::accepted, &form, [&] {
        take();
        if (const std::string problem = data.Validate(); !problem.empty()) {
            show(problem);
            return;
        }
        form.accept();
    });
    QObject::connect(buttons, &QDialogButtonBox::rejected, &form, &QDialog::reject);
    return form.exec() == QDialog::Accepted;
}

}  // namespace

bool RunTreeSettingsDialog(shell::TreeSettingsDialog& dialog, QWidget* parent) {
    QDialog form(parent);
    form.setWindowTitle(ToQString(dialog.Title()));
    form.setObjectName(ToQString(dialog.Title()));
    auto* outer = new QVBoxLayout(&form);
    auto* fields = new QFormLayout();
    auto* singleNodes = new QLineEdit(ToQString(dialog.singleNodes), &form);
    fields->addRow(shell::kSingleNodesLabel, singleNodes);
    outer->addLayout(fields);
    auto* autoDisplay = new QCheckBox(shell::kTreeAutoDisplayLabel, &form);
    autoDisplay->setChecked(dialog.autoDisplay);
    auto* exact = new QCheckBox(shell::kTreeExactLabel, &form);
    exact->setChecked(dialog.exact);
    outer->addWidget(autoDisplay);
    outer->addWidget(exact);
    auto* sorts = new QButtonGroup(&form);
    const char* labels[] = {shell::kNoSortingLabel, shell::kFrequencySortLabel, shell::kMoveTypeSortLabel};
    for (int i = 0; i < 3; ++i) {
        auto* button = new QRadioButton(labels[i], &form);
        button->setChecked(dialog.sort == i);
        sorts->addButton(button, i);
        outer->addWidget(button);
    }
    auto* percentage = new QCheckBox(shell::kShowPercentageLabel, &form);
    percentage->setChecked(dialog.showPercentage);
    auto* score = new QCheckBox(shell::kShowScoreLabel, &form);
    score->setChecked(dialog.showScore);
    outer->addWidget(percentage);
    outer->addWidget(score);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    outer->addWidget(buttons);
    return RunForm(form, buttons, dialog, [&] {
        dialog.singleNodes = singleNodes->text().trimmed().toStdString();
        dialog.autoDisplay = autoDisplay->isChecked();
        dialog.exact = exact->isChecked();
        dialog.sort = sorts->checkedId() < 0 ? 1 : sorts->checkedId();
        dialog.showPercentage = percentage->isChecked();
        dialog.showScore = score->isChecked();
    });
}

bool RunLookAheadDialog(shell::LookAheadDialog& dialog, QWidget* parent) {
    QDialog form(parent);
    form.setWindowTitle(ToQString(dialog.Title()));
    form.setObjectName(ToQString(dialog.Title()));
    auto* outer = new QVBoxLayout(&form);
    auto* fields = new QFormLayout();
    auto* count = new QLineEdit(ToQString(dialog.lookAhead), &form);
    fields->addRow(shell::kManeuversLookAheadLabel, count);
    outer->addLayout(fields);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    outer->addWidget(buttons);
    return RunForm(form, buttons, dialog, [&] { dialog.lookAhead = count->text().trimmed().toStdString(); });
}

bool RunEcoNameDialog(shell::Addeconamebox& dialog, QWidget* parent) {
    QDialog form(parent);
    form.setWindowTitle(ToQString(dialog.Title()));
    form.setObjectName(ToQString(dialog.Title()));
    auto* outer = new QVBoxLayout(&form);
    auto* name = new QLineEdit(ToQString(dialog.name), &form);
    name->setMaxLength(tree::kMaxEcoNameLength);
    name->setMinimumWidth(360);
    outer->addWidget(name);
    auto* buttons = new QDialogButtonBox(QDialogButtonBox::Ok | QDialogButtonBox::Cancel, &form);
    outer->addWidget(buttons);
    return RunForm(form, buttons, dialog, [&] { dialog.name = name->text().toStdString(); });
}

}  // namespace ravelin::gui
