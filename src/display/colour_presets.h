#pragma once

// The six colour presets of the "Select Preset Color Scheme" dialog: which one the board shows
// now, and storing the board's colours in one of them ("Save").

#include <string>
#include <string_view>

#include "settings/message_box.h"
#include "settings/settings_record.h"

namespace ravelin::display {

inline constexpr std::string_view kOverwritePresetQuestion = "Overwrite preset number %d?";
inline constexpr std::string_view kPresetSavedMessage = "New preset number %d saved.";
inline constexpr std::string_view kSelectPresetFirstMessage = "Select a preset color number first.";

// The preset (1-6) whose four colours equal the current background, light squares, dark squares
// and last move; 0 when none does.
int MatchingPreset(const settings::SettingsRecord& record);

// "Save" with preset number (1-6, anything else: none checked): asks before overwriting the
// preset with the current four colours and confirms. True when the preset was stored.
bool SavePreset(settings::SettingsRecord& record, int number, settings::MessageBoxes& boxes);

// A message with its one "%d" replaced by number.
std::string FormatPresetMessage(std::string_view pattern, int number);

}  // namespace ravelin::display
