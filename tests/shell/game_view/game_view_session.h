#pragma once

// A game shown by the main window on the scripted platform, with the settings a test asks for.

#include <functional>
#include <string>

#include "display/game_display.h"
#include "settings/settings_record.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/shell_session.h"

namespace ravelin::display::testing {

using shell::testing_support::DataText;

// A legal game of knight moves back and forth.
inline std::string KnightShuffle(int plies) {
    static const char* const kCycle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::string text = "[Event \"Shuffle\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"*\"]\n\n";
    for (int ply = 1; ply <= plies; ++ply) {
        text += (ply % 2 == 1 ? std::to_string((ply + 1) / 2) + "." : "") + kCycle[(ply - 1) % 4] + " ";
    }
    return text + "*\n\n";
}

struct GameViewSession : shell::testing_support::OwnSession {
    // Opens the PGN text and shows game number game again after change has set the options (no
    // slides and letter notation unless it says otherwise).
    explicit GameViewSession(const std::string& pgn, int game = 1,
                             const std::function<void(settings::SettingsRecord&)>& change = nullptr)
        : OwnSession(pgn) {
        settings::SettingsRecord& settings = window.Settings();
        settings.SetSlideDelay(0);
        settings.SetNotationStyle(0);
        if (change) {
            change(settings);
        }
        window.File().currentGame = game;
        Command(shell::kCmdDisplayGame);
    }

    GameDisplay& Display() { return window.Viewer().Display(); }
    shell::GameViewer& Viewer() { return window.Viewer(); }
    GameViewState State() { return Viewer().State(); }
    chess::PieceCode Shown(char file, int rank) { return Display().Screen().Shown()[file - 'a' + 1][rank]; }
    int Ply() { return Display().CurrentPly(); }
    void Step(shell::GameKey key, int times = 1) {
        for (int k = 0; k < times; ++k) {
            Viewer().Key(key);
        }
    }
    // Clicks the middle of a rectangle.
    void ClickIn(const PixelRect& rect) { Viewer().Click(rect.x + rect.width / 2, rect.y + rect.height / 2); }
};

}  // namespace ravelin::display::testing
