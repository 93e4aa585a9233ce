#pragma once

// "Select Preset Color Scheme": six radio buttons, OK applies the checked preset, "Save" stores the
// current board colours in it.

#include <string>
#include <string_view>

#include "platform/dialog.h"
#include "settings/message_box.h"
#include "settings/settings_record.h"

namespace ravelin::display {

inline constexpr std::string_view kPresetsDialogTitle = "Select Preset Color Scheme";
inline constexpr std::string_view kOverwritePresetQuestion = "Overwrite preset number %d?";
inline constexpr std::string_view kPresetSavedMessage = "New preset number %d saved.";
inline constexpr std::string_view kSelectPresetFirstMessage = "Select a preset color number first.";

class PresetsDialog : public platform::Dialog {
  public:
    std::string Title() const override { return std::string(kPresetsDialogTitle); }

    int checkedPreset = 0;  // 1-6; 0 when none is checked
};

// The preset (1-6) whose four colours equal the current background, light squares, dark squares
// and last move; 0 when none does.
int MatchingPreset(const settings::SettingsRecord& record);

PresetsDialog OpenPresetsDialog(const settings::SettingsRecord& record);
// OK: applies the checked preset. True when the colours were set.
bool AcceptPresetsDialog(settings::SettingsRecord& record, const PresetsDialog& dialog);
// "Save": asks before overwriting the checked preset. True when the preset was stored.
bool SaveCheckedPreset(settings::SettingsRecord& record, const PresetsDialog& dialog,
                       settings::MessageBoxes& boxes);

// A message with its one "%d" replaced by number.
std::string FormatPresetMessage(std::string_view pattern, int number);

}  // namespace ravelin::display
