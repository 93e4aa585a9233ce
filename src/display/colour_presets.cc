#include "display/colour_presets.h"

namespace ravelin::display {

namespace {

settings::ColourPreset CurrentColours(const settings::SettingsRecord& record) {
    return {record.BackgroundColour(), record.LightSquaresColour(), record.DarkSquaresColour(),
            record.LastMoveColour()};
}

bool ValidPreset(int number) {
    return number >= 1 && number <= static_cast<int>(settings::kColourPresetCount);
}

}  // namespace

std::string FormatPresetMessage(std::string_view pattern, int number) {
    std::string text(pattern);
    std::size_t at = text.find("%d");
    if (at != std::string::npos) {
        text.replace(at, 2, std::to_string(number));
    }
    return text;
}

int MatchingPreset(const settings::SettingsRecord& record) {
    settings::ColourPreset current = CurrentColours(record);
    for (std::size_t i = 0; i < settings::kColourPresetCount; ++i) {
        if (record.Preset(i) == current) {
            return static_cast<int>(i) + 1;
        }
    }
    return 0;
}

bool SavePreset(settings::SettingsRecord& record, int number, settings::MessageBoxes& boxes) {
    if (!ValidPreset(number)) {
        boxes.ShowMessage(kSelectPresetFirstMessage);
        return false;
    }
    if (boxes.AskQuestion(FormatPresetMessage(kOverwritePresetQuestion, number)) != platform::kAnswerYes) {
        return false;
    }
    record.SetPreset(static_cast<std::size_t>(number - 1), CurrentColours(record));
    boxes.ShowMessage(FormatPresetMessage(kPresetSavedMessage, number));
    return true;
}

}  // namespace ravelin::display
