#pragma once

// A game shown by the main window on the scripted platform, with the settings a test asks for.

#include <functional>
#include <string>

#include "display/game_display.h"
#include "settings/settings_record.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/shell_session.h"
#include "temp_dir.h"

namespace ravelin::display::testing {

struct GameViewSession {
    // Opens the file and shows game number game again after change has set the options.
    GameViewSession(const std::string& path, int game,
                    const std::function<void(settings::SettingsRecord&)>& change = nullptr)
        : session(work.Path().string()) {
        session.Start(path);
        settings::SettingsRecord& settings = session.window.Settings();
        settings.SetSlideDelay(0);
        settings.SetNotationStyle(0);
        if (change) {
            change(settings);
        }
        session.window.File().currentGame = game;
        session.Command(shell::kCmdDisplayGame);
    }

    GameDisplay& Display() { return session.window.Viewer().Display(); }
    shell::GameViewer& Viewer() { return session.window.Viewer(); }
    GameViewState State() { return Display().State("File", "Game"); }

    ravelin::testing::TempDir work;
    shell::testing_support::Session session;
};

}  // namespace ravelin::display::testing
