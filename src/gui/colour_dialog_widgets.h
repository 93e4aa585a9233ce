#pragma once

#include <QColorDialog>
#include <QDialog>
#include <QRadioButton>

#include <array>

#include "shell/dialogs/colour_dialogs.h"

namespace ravelin::gui {

// The colour chooser: Qt's colour dialog opened on the item's colour with the core's custom colours;
// the colour chosen goes back into the dialog's data on OK.
class ColourChooserWidget : public QColorDialog {
    Q_OBJECT
  public:
    ColourChooserWidget(shell::ColourChooserDialog& dialogData, QWidget* parent = nullptr);

  private:
    shell::ColourChooserDialog& data_;
};

// "Select Preset Color Scheme": the six presets as radio buttons, "OK", "Save" and "Cancel".
class PresetsDialogWidget : public QDialog {
    Q_OBJECT
  public:
    PresetsDialogWidget(shell::PresetsDialog& dialogData, QWidget* parent = nullptr);
    QRadioButton* Preset(int number) const { return presets_[static_cast<std::size_t>(number - 1)]; }

  private:
    void StoreChecked();

    shell::PresetsDialog& data_;
    std::array<QRadioButton*, settings::kColourPresetCount> presets_{};
};

}  // namespace ravelin::gui
