// ravelin: the desktop program. Optional argument: a PGN file to open.

#include "shell/commands/game_viewer.h"

#include <fcntl.h>
#include <unistd.h>

#include <QApplication>
#include <QCoreApplication>
#include <algorithm>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <iostream>
#include <memory>
#include <string_view>
#include <vector>

#include "gamefile/game_index.h"
#include "gamefile/line_reader.h"
#include "gamefile/tag_line.h"
#include "gui/main_window_widget.h"
#include "gui/qt_platform.h"
#include "platform/memory_allocation.h"
#include "platform/working_paths.h"
#include "shell/command_ids.h"
#include "shell/main_window.h"

namespace {

void PrintUsage(std::ostream& out) {
    out << "usage: ravelin [--workdir DIR] [FILE.pgn]\n"
           "       ravelin [--workdir DIR] --screenshot OUT.png [--game N] [--ply P] FILE.pgn\n"
           "Shows the games of a PGN file; without FILE the file dialog asks for one.\n"
           "  --workdir DIR       settings and working files in DIR (default $XDG_DATA_HOME/ravelin)\n"
           "  --screenshot OUT    render the window showing game N at ply P into a PNG file and exit\n"
           "  -h, --help          print this text\n";
}

bool WantsHelp(int argc, char** argv) {
    for (int i = 1; i < argc; ++i) {
        std::string_view arg = argv[i];
        if (arg == "--help" || arg == "-h") {
            return true;
        }
    }
    return false;
}

// Missing shipped data leaves the board without pieces and the openings unnamed; say where it was
// looked for before the window's own messages about the files.
void WarnWhenShippedDataIsMissing() {
    const std::string shipped = ravelin::platform::ShippedDataDirectory();
    std::error_code error;
    if (!std::filesystem::is_directory(shipped, error)) {
        std::cerr << "ravelin: the shipped data (piece sets, ECO table) is not in " << shipped
                  << "; set RAVELIN_DATA_DIR to its folder\n";
    }
}

bool DisplayAvailable() {
    auto set = [](const char* name) {
        const char* value = std::getenv(name);
        return value != nullptr && value[0] != '\0';
    };
    return set("DISPLAY") || set("WAYLAND_DISPLAY") || set("QT_QPA_PLATFORM");
}

// Without a screen the program still tells what the file holds: its game count and first header.
int DescribeFileWithoutDisplay(const std::string& path) {
    std::cout << "No display available: the window cannot be shown.\n";
    if (path.empty()) {
        return 1;
    }
    std::string cleaned = path;
    if (cleaned.size() >= 2 && cleaned.front() == '"' && cleaned.back() == '"') {
        cleaned = cleaned.substr(1, cleaned.size() - 2);
    }
    int fd = open(cleaned.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        std::cout << "Error opening file.\n";
        return 1;
    }
    ravelin::gamefile::GameIndex index;
    ravelin::gamefile::LineReader reader;
    ravelin::gamefile::IndexResult result = ravelin::gamefile::IndexGameFile(fd, cleaned, false, index);
    std::cout << "File: " << cleaned << "\nGames: " << result.count << "\n";
    if (result.count > 0) {
        reader.Attach(fd);
        reader.Seek(index.Offset(1));
        char line[ravelin::gamefile::kLineBufferSize];
        bool inHeader = false;
        while (reader.ReadLine(line) > 0) {
            if (ravelin::gamefile::IsTagLine(line)) {
                std::cout << line << "\n";
                inHeader = true;
            } else if (inHeader) {
                break;
            }
        }
    }
    close(fd);
    return 0;
}

// What a screenshot run shows: the picture's file, and the game and ply to show (0: none).
struct ScreenshotRequest {
    std::string picture;
    int game = 0;
    int ply = 0;
    std::vector<int> commands;  // command ids given once the game is shown, in order
};

// Removes "--screenshot FILE", "--game N", "--ply P" and "--command ID" from the arguments.
ScreenshotRequest TakeScreenshotOptions(int& argc, char** argv) {
    ScreenshotRequest request;
    int out = 1;
    for (int in = 1; in < argc; ++in) {
        std::string_view arg = argv[in];
        if (arg == "--screenshot" && in + 1 < argc) {
            request.picture = argv[++in];
            continue;
        }
        if (arg == "--game" && in + 1 < argc) {
            request.game = std::atoi(argv[++in]);
            continue;
        }
        if (arg == "--command" && in + 1 < argc) {
            request.commands.push_back(std::atoi(argv[++in]));
            continue;
        }
        if (arg == "--ply" && in + 1 < argc) {
            request.ply = std::atoi(argv[++in]);
            continue;
        }
        argv[out++] = argv[in];
    }
    argc = out;
    argv[argc] = nullptr;
    return request;
}

// A screenshot is taken as on a screen of at least this size, so that every board size fits and
// the picture does not depend on the machine it was taken on.
constexpr int kScreenshotScreenWidth = 1280;
constexpr int kScreenshotScreenHeight = 1024;

void RunPosted(ravelin::gui::QtPlatform& platform) {
    constexpr int kMaxRounds = 1000;
    for (int round = 0; round < kMaxRounds && platform.PendingCommandCount() > 0; ++round) {
        QCoreApplication::processEvents();
    }
    QCoreApplication::processEvents();
}

// Shows the requested game at the requested ply, with any slide finished.
void ShowRequestedGame(ravelin::shell::MainWindow& core, ravelin::gui::QtPlatform& platform,
                       const ScreenshotRequest& request) {
    if (request.game > 0 && core.File().IsOpen()) {
        core.File().currentGame = request.game;
        core.HandleCommand(ravelin::shell::kCmdDisplayGame);
        RunPosted(platform);
    }
    ravelin::display::GameDisplay& display = core.Viewer().Display();
    if (request.ply > 0 && display.HasGame()) {
        display.GoToPly(request.ply);
        core.currentPly = display.CurrentPly();
    }
    display.FinishAnimation();
    for (int command : request.commands) {
        core.HandleCommand(command);
        RunPosted(platform);
    }
}

}  // namespace

int main(int argc, char** argv) {
    if (WantsHelp(argc, argv)) {
        PrintUsage(std::cout);
        return 0;
    }
    ravelin::platform::KeepLargeBlocksInHeap();
    std::string workingDirectory = ravelin::platform::TakeWorkingDirectoryOption(argc, argv);
    ScreenshotRequest request = TakeScreenshotOptions(argc, argv);
    const std::string& screenshot = request.picture;
    std::string commandLinePath = argc > 1 ? argv[1] : "";
    if (!DisplayAvailable()) {
        return DescribeFileWithoutDisplay(commandLinePath);
    }
    std::string problem = ravelin::platform::EnsureDirectory(workingDirectory);
    if (!problem.empty()) {
        std::cerr << "ravelin: cannot use the working directory " << workingDirectory << ": " << problem
                  << "\n";
        return 1;
    }
    WarnWhenShippedDataIsMissing();

    QApplication application(argc, argv);
    ravelin::gui::QtPlatform platform;
    ravelin::platform::Platform services = platform.AsPlatform();
    if (!screenshot.empty()) {
        services.screen.width = std::max(services.screen.width, kScreenshotScreenWidth);
        services.screen.height = std::max(services.screen.height, kScreenshotScreenHeight);
    }
    ravelin::shell::MainWindow core(services, ravelin::platform::WorkingPaths(workingDirectory));
    platform.commandHandler = [&core](int id) { core.HandleCommand(id); };
    platform.timerHandler = [&core](int id) { core.HandleTimer(id); };

    std::unique_ptr<ravelin::gui::MainWindowWidget> window;
    try {
        window = std::make_unique<ravelin::gui::MainWindowWidget>(core);
    } catch (const std::exception& error) {
        std::cerr << "ravelin: cannot create the main window: " << error.what() << "\n";
        return 1;
    }
    platform.SetParentWindow(window.get());
    platform.nonInteractive = !screenshot.empty();
    platform.Printer().nonInteractive = platform.nonInteractive;
    core.StartUp(commandLinePath);
    // The window was made before the settings were read: it takes the size of their board now.
    ravelin::settings::WindowRect rect = core.InitialWindowRect();
    window->setGeometry(rect.x, rect.y, rect.width, rect.height);
    window->show();
    if (!screenshot.empty()) {
        // Let the posted commands run (opening the file may take two passes), then paint.
        RunPosted(platform);
        ShowRequestedGame(core, platform, request);
        window->Refresh();
        QCoreApplication::processEvents();
        bool saved = window->grab().save(QString::fromStdString(screenshot), "PNG");
        core.SaveSettings();
        if (!saved) {
            std::cerr << "ravelin: cannot write " << screenshot << "\n";
            return 1;
        }
        return 0;
    }
    return application.exec();
}
