#pragma once

// One run of the program on the scripted platform, driven by command ids as the menus do.

#include <string>

#include "platform/headless/headless_platform.h"
#include "shell/main_window.h"

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

    static platform::Platform WithScreen(platform::HeadlessPlatform& headless, int width, int height) {
        headless.screen.width = width;
        headless.screen.height = height;
        return headless.AsPlatform();
    }

    platform::HeadlessPlatform platform;
    MainWindow window;
};

}  // namespace ravelin::shell::testing_support
