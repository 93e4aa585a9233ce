#pragma once

// The two dialogs of the "Colors/Screen" menu: the colour chooser for one colour item, and "Select
// Preset Color Scheme" with its six presets.

#include <array>
#include <cstdint>
#include <functional>
#include <string>

#include "display/colour_items.h"
#include "platform/dialog.h"
#include "settings/settings_record.h"

namespace ravelin::shell {

inline constexpr char kColourChooserTitle[] = "Color";
inline constexpr char kPresetsDialogTitle[] = "Select Preset Color Scheme";

// One colour item's colour, chosen with the platform's colour dialog. Colours are 0x00BBGGRR.
class ColourChooserDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kColourChooserTitle; }
    // Opened with the item's colour and the custom colours of the chooser list.
    static ColourChooserDialog For(const settings::SettingsRecord& record, int item);

    int item = 0;
    std::uint32_t colour = 0;
    std::array<std::uint32_t, display::kChooserCustomColourCount> customColours{};
};

// Six radio buttons "Preset 1" to "Preset 6"; OK applies the checked one (none checked: nothing),
// "Save" stores the board's colours in it while the dialog stays open.
class PresetsDialog : public platform::Dialog {
  public:
    std::string Title() const override { return kPresetsDialogTitle; }
    // The preset the board shows now is checked, if any.
    static PresetsDialog For(const settings::SettingsRecord& record);

    int checkedPreset = 0;  // 1-6; 0 when none is checked
    // "Save": the owner stores the colours in the checked preset (or says to check one).
    std::function<void(int checkedPreset)> onSave;

    void PressSave() {
        if (onSave) {
            onSave(checkedPreset);
        }
    }
};

}  // namespace ravelin::shell
