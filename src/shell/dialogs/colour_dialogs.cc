#include "shell/dialogs/colour_dialogs.h"

#include "display/colour_presets.h"

namespace ravelin::shell {

ColourChooserDialog ColourChooserDialog::For(const settings::SettingsRecord& record, int item) {
    ColourChooserDialog dialog;
    dialog.item = item;
    dialog.colour = display::ColourItemValue(record, item);
    dialog.customColours = display::ChooserCustomColours(record);
    return dialog;
}

PresetsDialog PresetsDialog::For(const settings::SettingsRecord& record) {
    PresetsDialog dialog;
    dialog.checkedPreset = display::MatchingPreset(record);
    return dialog;
}

}  // namespace ravelin::shell
