#include "gui/colour_dialog_widgets.h"

#include <QButtonGroup>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_support.h"

namespace ravelin::gui {

namespace {

// Colour values are 0x00BBGGRR.
QColor ColourOfValue(std::uint32_t value) {
    return QColor(static_cast<int>(value & 0xFF), static_cast<int>((value >> 8) & 0xFF),
                  static_cast<int>((value >> 16) & 0xFF));
}

std::uint32_t ValueOfColour(const QColor& colour) {
    return settings::Rgb(static_cast<std::uint32_t>(colour.red()), static_cast<std::uint32_t>(colour.green()),
                         static_cast<std::uint32_t>(colour.blue()));
}

}  // namespace

ColourChooserWidget::ColourChooserWidget(shell::ColourChooserDialog& dialogData, QWidget* parent)
    : QColorDialog(parent), data_(dialogData) {
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    // The same dialog on every desktop, and one the program's tests can fill in.
    setOption(QColorDialog::DontUseNativeDialog);
    for (std::size_t i = 0; i < data_.customColours.size(); ++i) {
        QColorDialog::setCustomColor(static_cast<int>(i), ColourOfValue(data_.customColours[i]));
    }
    setCurrentColor(ColourOfValue(data_.colour));
    connect(this, &QColorDialog::colorSelected, this,
            [this](const QColor& colour) { data_.colour = ValueOfColour(colour); });
}

PresetsDialogWidget::PresetsDialogWidget(shell::PresetsDialog& dialogData, QWidget* parent)
    : QDialog(parent), data_(dialogData) {
    setWindowTitle(ToQString(data_.Title()));
    setObjectName(ToQString(data_.Title()));
    auto* layout = new QVBoxLayout(this);
    auto* group = new QButtonGroup(this);
    for (std::size_t i = 0; i < presets_.size(); ++i) {
        const int number = static_cast<int>(i) + 1;
        presets_[i] = new QRadioButton(QString("Preset %1").arg(number), this);
        presets_[i]->setChecked(number == data_.checkedPreset);
        group->addButton(presets_[i], number);
        layout->addWidget(presets_[i]);
    }
    auto* buttons = new QHBoxLayout();
    auto* ok = new QPushButton("OK", this);
    auto* save = new QPushButton("Save", this);
    auto* cancel = new QPushButton("Cancel", this);
    ok->setDefault(true);
    buttons->addWidget(ok);
    buttons->addWidget(save);
    buttons->addWidget(cancel);
    layout->addLayout(buttons);

    connect(ok, &QPushButton::clicked, this, [this] {
        StoreChecked();
        accept();
    });
    connect(save, &QPushButton::clicked, this, [this] {
        StoreChecked();
        data_.PressSave();
    });
    connect(cancel, &QPushButton::clicked, this, &QDialog::reject);
}

void PresetsDialogWidget::StoreChecked() {
    data_.checkedPreset = 0;
    for (std::size_t i = 0; i < presets_.size(); ++i) {
        if (presets_[i]->isChecked()) {
            data_.checkedPreset = static_cast<int>(i) + 1;
        }
    }
}

}  // namespace ravelin::gui
