#include "display/colour_items.h"

#include "shell/settings_startup.h"

namespace ravelin::display {

namespace {

using shell::Rgb;

constexpr std::uint32_t kWhite = Rgb(255, 255, 255);

constexpr std::array<ColourItem, kColourItemCount> kItems = {{
    {1, "Dark Squares", shell::kOffsetDarkSquaresColour, 0, 0},
    {2, "Light Squares", shell::kOffsetLightSquaresColour, 0, 0},
    {3, "Background", shell::kOffsetBackgroundColour, 0, 0},
    {4, "Last Move", shell::kOffsetLastMoveColour, shell::kOffsetChosenLastMoveColour, Rgb(255, 0, 0)},
    {6, "Border Color", shell::kOffsetBorderColour, 0, Rgb(192, 192, 192)},
    {7, "Moves Text Background", shell::kOffsetMovesTextBackgroundColour, 0, Rgb(255, 255, 255)},
    {8, "Grid Color", shell::kOffsetGridColour, 0, Rgb(0, 0, 0)},
    {9, "Move Number Background", shell::kOffsetMoveNumberBackgroundColour, 0, Rgb(232, 232, 232)},
    {10, "Current Position", shell::kOffsetCurrentPositionColour, shell::kOffsetChosenCurrentPositionColour,
     Rgb(255, 0, 0)},
    {11, "Variations Color", shell::kOffsetVariationsColour, 0, Rgb(84, 0, 168)},
    {12, "Highlight Color", shell::kOffsetReplayHighlightColour, 0, Rgb(160, 160, 160)},
}};

constexpr int kFirstResetItem = 6;

// The record keeps each preset's border colour in the colour table, entry i for preset i + 1;
// entries never set fall back to the built-in border grey.
std::uint32_t PresetBorderColour(const shell::SettingsRecord& record, std::size_t index) {
    std::uint32_t border = record.ColourTableEntry(index);
    return border != 0 ? border : shell::kPresetBorderColour;
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

std::uint32_t ColourItemValue(const shell::SettingsRecord& record, int number) {
    const ColourItem* item = FindColourItem(number);
    return item != nullptr ? record.Colour(item->offset) : 0;
}

bool SetColourItem(shell::SettingsRecord& record, int number, std::uint32_t colour) {
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

bool ApplyColourScheme(shell::SettingsRecord& record, int presetNumber) {
    if (presetNumber < 1 || presetNumber > static_cast<int>(shell::kColourPresetCount)) {
        return false;
    }
    std::size_t index = static_cast<std::size_t>(presetNumber - 1);
    shell::ColourPreset preset = record.Preset(index);
    record.SetColour(shell::kOffsetBackgroundColour, preset.background);
    record.SetColour(shell::kOffsetLightSquaresColour, preset.lightSquares);
    record.SetColour(shell::kOffsetDarkSquaresColour, preset.darkSquares);
    SetColourItem(record, 4, preset.lastMove);
    record.SetColour(shell::kOffsetBorderColour, PresetBorderColour(record, index));
    return true;
}

void RestoreOriginalColours(shell::SettingsRecord& record) {
    shell::LoadColourDefaults(record);
    ApplyColourScheme(record, kResetPresetNumber);
    for (const ColourItem& item : kItems) {
        if (item.number >= kFirstResetItem) {
            SetColourItem(record, item.number, item.resetColour);
        }
    }
}

bool ResetColours(shell::SettingsRecord& record, shell::MessageBoxes& boxes) {
    if (boxes.AskQuestion(kResetColoursQuestion) != platform::kAnswerYes) {
        return false;
    }
    RestoreOriginalColours(record);
    return true;
}

ColourChooserDialog OpenColourChooser(const shell::SettingsRecord& record, int item) {
    ColourChooserDialog dialog;
    dialog.item = item;
    dialog.colour = ColourItemValue(record, item);
    dialog.customColours.fill(kWhite);
    for (std::size_t i = 0; i < kItems.size(); ++i) {
        dialog.customColours[i] = record.Colour(kItems[i].offset);
    }
    return dialog;
}

bool AcceptColourChooser(shell::SettingsRecord& record, const ColourChooserDialog& dialog) {
    if (FindColourItem(dialog.item) == nullptr) {
        return false;
    }
    bool changed = ColourItemValue(record, dialog.item) != dialog.colour;
    SetColourItem(record, dialog.item, dialog.colour);
    return changed;
}

}  // namespace ravelin::display
