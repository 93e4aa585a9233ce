#include "shell/commands/colour_commands.h"

#include <array>
#include <cstdint>

#include "display/colour_items.h"
#include "display/colour_presets.h"
#include "shell/command_ids.h"
#include "shell/dialogs/colour_dialogs.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

struct ChooserCommand {
    int commandId;
    int item;
};

constexpr std::array<ChooserCommand, 11> kChooserCommands = {{
    {kCmdDarkSquaresColour, 1},
    {kCmdLightSquaresColour, 2},
    {kCmdBackgroundColour, 3},
    {kCmdLastMoveColour, 4},
    {kCmdBorderColour, 6},
    {kCmdMovesTextBackgroundColour, 7},
    {kCmdGridColour, 8},
    {kCmdMoveNumberBackgroundColour, 9},
    {kCmdCurrentPositionColour, 10},
    {kCmdVariationsColour, 11},
    {kCmdReplayHighlightColour, 12},
}};

// The record reads 0 as "not chosen" for several items and replaces it at the next start; black is
// kept as the nearest colour it can hold, so the choice survives.
constexpr std::uint32_t kStorableBlack = settings::Rgb(1, 1, 1);

// 0x1930: 8 while the current move of the analysis replay is marked in the highlight colour, 0
// while it is drawn in the "Current Position" colour.
constexpr std::int32_t kHighlightMarked = 8;
constexpr std::int32_t kHighlightByColour = 0;

void ColoursChanged(MainWindow& window) {
    window.SaveSettings();
    if (window.hooks.redraw) {
        window.hooks.redraw();
    }
}

void PickColour(MainWindow& window, int item) {
    platform::DialogService* dialogs = window.Platform().dialogs;
    if (dialogs == nullptr) {
        return;
    }
    settings::SettingsRecord& settings = window.Settings();
    ColourChooserDialog dialog = ColourChooserDialog::For(settings, item);
    if (!dialogs->RunDialog(dialog)) {
        return;
    }
    const std::uint32_t colour = dialog.colour == 0 ? kStorableBlack : dialog.colour;
    display::SetColourItem(settings, item, colour);
    ColoursChanged(window);
}

void ChoosePreset(MainWindow& window) {
    platform::DialogService* dialogs = window.Platform().dialogs;
    if (dialogs == nullptr) {
        return;
    }
    settings::SettingsRecord& settings = window.Settings();
    PresetsDialog dialog = PresetsDialog::For(settings);
    dialog.onSave = [&window](int preset) {
        if (display::SavePreset(window.Settings(), preset, window.Messages())) {
            window.SaveSettings();
        }
    };
    if (!dialogs->RunDialog(dialog) || !display::ApplyColourScheme(settings, dialog.checkedPreset)) {
        return;
    }
    ColoursChanged(window);
}

void ToggleHighlightCurrentPosition(MainWindow& window) {
    settings::SettingsRecord& settings = window.Settings();
    const bool marked = settings.HighlightCurrentPosition() == kHighlightMarked;
    settings.SetInt(settings::kOffsetHighlightCurrentPosition,
                    marked ? kHighlightByColour : kHighlightMarked);
    ShowColourMenuMarks(window);
    ColoursChanged(window);
}

}  // namespace

void RegisterColourCommands(MainWindow& window) {
    CommandHandlers& handlers = window.Handlers();
    for (const ChooserCommand& command : kChooserCommands) {
        handlers.Set(command.commandId, [&window, item = command.item] { PickColour(window, item); });
    }
    handlers.Set(kCmdPresetColours, [&window] { ChoosePreset(window); });
    handlers.Set(kCmdResetColours, [&window] {
        if (display::ResetColours(window.Settings(), window.Messages())) {
            ColoursChanged(window);
        }
    });
    handlers.Set(kCmdHighlightCurrentPosition, [&window] { ToggleHighlightCurrentPosition(window); });
}

void ShowColourMenuMarks(MainWindow& window) {
    window.SetMenuChecked(kCmdHighlightCurrentPosition,
                          window.Settings().HighlightCurrentPosition() == kHighlightMarked);
}

}  // namespace ravelin::shell
