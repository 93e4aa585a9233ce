#pragma once

// One run of the program on the scripted platform, driven by command ids as the menus do.

#include <functional>
#include <string>
#include <string_view>
#include <vector>

#include "platform/headless/headless_platform.h"
#include "shell/main_window.h"
#include "temp_dir.h"

namespace ravelin::shell::testing_support {

struct Session {
    explicit Session(const std::string& workDir, int screenWidth = 1280, int screenHeight = 1024)
        : window(WithScreen(platform, screenWidth, screenHeight), platform::WorkingPaths(workDir)) {}

    void Start(const std::string& commandLine = "") {
        window.StartUp(commandLine);
        Run();
    }
    void Command(int id) {
        platform.PostCommand(id);
        Run();
    }
    void Run() {
        platform.RunPending([this](int id) { window.HandleCommand(id); });
    }
    // Forgets the messages and dialogs so far.
    void ClearRecords() {
        platform.messages.clear();
        platform.dialogTitles.clear();
    }
    std::vector<std::string> Messages() const { return platform.MessageTexts(); }
    // Answers every dialog of type D with script (it fills the dialog in and says whether to accept);
    // other dialogs are cancelled.
    template <typename D>
    void OnDialog(std::function<bool(D&)> script) {
        platform.dialogScript = [script](platform::Dialog& dialog) {
            auto* typed = dynamic_cast<D*>(&dialog);
            return typed != nullptr && script(*typed);
        };
    }

    static platform::Platform WithScreen(platform::HeadlessPlatform& headless, int width, int height) {
        headless.screen.width = width;
        headless.screen.height = height;
        return headless.AsPlatform();
    }

    platform::HeadlessPlatform platform;
    MainWindow window;
};

struct Dirs {
    ravelin::testing::TempDir work;
    ravelin::testing::TempDir files;
};

// A session in a working directory of its own, started on a PGN text written to files/name (no
// file for an empty text), with the start-up's messages forgotten.
struct OwnSession : Dirs, Session {
    explicit OwnSession(const std::string& pgn = "", std::string_view name = "games.pgn",
                        int screenWidth = 1280, int screenHeight = 1024)
        : Session(work.Path().string(), screenWidth, screenHeight) {
        Start(pgn.empty() ? "" : files.Write(name, pgn));
        ClearRecords();
    }
};

// The text of a file under tests/data, to be opened from a copy: opening a file writes its index
// beside it.
inline std::string DataText(std::string_view relative) {
    return ravelin::testing::ReadWholeFile(ravelin::testing::TestDataPath(relative));
}

}  // namespace ravelin::shell::testing_support
