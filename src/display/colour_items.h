#pragma once

// The colour items of the "Colors/Screen" menu, the presets the board colours come from, and
// "Reset Colors". All of them live in the settings record; the caller writes the options file and
// redraws the window after a change.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string_view>

#include "settings/message_box.h"
#include "settings/settings_record.h"

namespace ravelin::display {

inline constexpr int kResetColoursItem = 5;
inline constexpr std::size_t kColourItemCount = 11;
inline constexpr std::size_t kChooserCustomColourCount = 16;
inline constexpr std::string_view kResetColoursQuestion = "Reset to original colors. Are you sure?";
// The preset "Reset Colors" applies, numbered from 1 as the presets dialog shows them.
inline constexpr int kResetPresetNumber = 6;

struct ColourItem {
    int number = 0;  // 1-12 without 5
    std::string_view menuEntry;
    std::size_t offset = 0;
    // Where a colour the user picked is also kept, so start-up does not replace it; 0 for none.
    std::size_t chosenOffset = 0;
    std::uint32_t resetColour = 0;  // for items 6-12; items 1-4 come from the reset preset
};

const std::array<ColourItem, kColourItemCount>& ColourItems();
// Null for numbers that are no colour item (5 is "Reset Colors").
const ColourItem* FindColourItem(int number);

std::uint32_t ColourItemValue(const settings::SettingsRecord& record, int number);
// Sets an item's colour; false for a number that is no colour item.
bool SetColourItem(settings::SettingsRecord& record, int number, std::uint32_t colour);

// Background, light and dark squares and last move from preset 1-6 as the record keeps it, and the
// border colour of that preset. False for a number out of range.
bool ApplyColourScheme(settings::SettingsRecord& record, int presetNumber);

// "Reset Colors" after its question was answered Yes: the built-in presets, the reset preset's
// colours and the defaults of items 6-12.
void RestoreOriginalColours(settings::SettingsRecord& record);
// Asks the question and restores on Yes. True when the colours changed.
bool ResetColours(settings::SettingsRecord& record, settings::MessageBoxes& boxes);

// The colour chooser's custom-colour list: the eleven current items followed by white.
std::array<std::uint32_t, kChooserCustomColourCount> ChooserCustomColours(
    const settings::SettingsRecord& record);

}  // namespace ravelin::display
