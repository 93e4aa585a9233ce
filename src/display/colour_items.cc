#include "display/colour_items.h"

#include "settings/settings_startup.h"

namespace ravelin::display {

namespace {

using settings::Rgb;

constexpr std::uint32_t kWhite = Rgb(255, 255, 255);

constexpr std::array<ColourItem, kColourItemCount> kItems = {{
    {1, "Dark Squares", settings::kOffsetDarkSquaresColour, 0, 0},
    {2, "Light Squares", settings::kOffsetLightSquaresColour, 0, 0},
    {3, "Background", settings::kOffsetBackgroundColour, 0, 0},
    {4, "Last Move", settings::kOffsetLastMoveColour, settings::kOffsetChosenLastMoveColour, Rgb(255, 0, 0)},
    {6, "Border Color", settings::kOffsetBorderColour, 0, Rgb(192, 192, 192)},
    {7, "Moves Text Background", settings::kOffsetMovesTextBackgroundColour, 0, Rgb(255, 255, 255)},
    {8, "Grid Color", settings::kOffsetGridColour, 0, Rgb(0, 0, 0)},
    {9, "Move Number Background", settings::kOffsetMoveNumberBackgroundColour, 0, Rgb(232, 232, 232)},
    {10, "Current Position", settings::kOffsetCurrentPositionColour,
     settings::kOffsetChosenCurrentPositionColour, Rgb(255, 0, 0)},
    {11, "Variations Color", settings::kOffsetVariationsColour, 0, Rgb(84, 0, 168)},
    {12, "Highlight Color", settings::kOffsetReplayHighlightColour, 0, Rgb(160, 160, 160)},
}};

constexpr int kFirstResetItem = 6;

// The record keeps each preset's border colour in the colour table, entry i for preset i + 1;
// entries never set fall back to the built-in border grey.
std::uint32_t PresetBorderColour(const settings::SettingsRecord& record, std::size_t index) {
    std::uint32_t border = record.ColourTableEntry(index);
    return border != 0 ? border : settings::kPresetBorderColour;
}

}  // namespace

const std::array<ColourItem, kColourItemCount>& ColourItems() {
    return kItems;
}

const ColourItem* FindColourItem(int number) {
    for (const ColourItem& item : kItems) {
        if (item.number == number) {
            return &item;
        }
    }
    return nullptr;
}

std::uint32_t ColourItemValue(const settings::SettingsRecord& record, int number) {
    const ColourItem* item = FindColourItem(number);
    return item != nullptr ? record.Colour(item->offset) : 0;
}

bool SetColourItem(settings::SettingsRecord& record, int number, std::uint32_t colour) {
    const ColourItem* item = FindColourItem(number);
    if (item == nullptr) {
        return false;
    }
    record.SetColour(item->offset, colour);
    if (item->chosenOffset != 0) {
        record.SetColour(item->chosenOffset, colour);
    }
    return true;
}

bool ApplyColourScheme(settings::SettingsRecord& record, int presetNumber) {
    if (presetNumber < 1 || presetNumber > static_cast<int>(settings::kColourPresetCount)) {
        return false;
    }
    std::size_t index = static_cast<std::size_t>(presetNumber - 1);
    settings::ColourPreset preset = record.Preset(index);
    record.SetColour(settings::kOffsetBackgroundColour, preset.background);
    record.SetColour(settings::kOffsetLightSquaresColour, preset.lightSquares);
    record.SetColour(settings::kOffsetDarkSquaresColour, preset.darkSquares);
    SetColourItem(record, 4, preset.lastMove);
    record.SetColour(settings::kOffsetBorderColour, PresetBorderColour(record, index));
    return true;
}

void RestoreOriginalColours(settings::SettingsRecord& record) {
    settings::LoadColourDefaults(record);
    ApplyColourScheme(record, kResetPresetNumber);
    for (const ColourItem& item : kItems) {
        if (item.number >= kFirstResetItem) {
            SetColourItem(record, item.number, item.resetColour);
        }
    }
}

bool ResetColours(settings::SettingsRecord& record, settings::MessageBoxes& boxes) {
    if (boxes.AskQuestion(kResetColoursQuestion) != platform::kAnswerYes) {
        return false;
    }
    RestoreOriginalColours(record);
    return true;
}

std::array<std::uint32_t, kChooserCustomColourCount> ChooserCustomColours(
    const settings::SettingsRecord& record) {
    std::array<std::uint32_t, kChooserCustomColourCount> colours;
    colours.fill(kWhite);
    for (std::size_t i = 0; i < kItems.size(); ++i) {
        colours[i] = record.Colour(kItems[i].offset);
    }
    return colours;
}

}  // namespace ravelin::display
