#include <QApplication>
#include <QCoreApplication>
#include <QImage>
#include <QScrollBar>
#include <cstdlib>
#include <filesystem>
#include <string>

#include <gtest/gtest.h>

#include "platform/qt/main_window_widget.h"
#include "platform/qt/qt_platform.h"
#include "shell/settings_startup.h"
#include "temp_dir.h"

namespace ravelin::platform {
namespace {

using testing::TempDir;

const std::string kThreeGames =
    "[Event \"One\"]\n[Result \"*\"]\n\n1.e4 *\n\n[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 *\n\n"
    "[Event \"Three\"]\n[Result \"*\"]\n\n1.c4 *\n";

// One application object for the whole test program. It is never destroyed: tearing Qt down
// among the other static objects at exit is not safe.
QApplication& Application() {
    static int argc = 1;
    static char name[] = "gui_test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

TEST(DesktopWindow, OpensTheCommandLineFileAndShowsItsGames) {
    Application();
    TempDir work;
    TempDir files;
    std::string path = files.Write("morrow.pgn", kThreeGames);

    QtPlatform platform;
    shell::MainWindow core(platform.AsPlatform(), WorkingPaths(work.Path().string()));
    platform.commandHandler = [&core](int id) { core.HandleCommand(id); };
    MainWindowWidget window(core);
    platform.SetParentWindow(&window);
    core.StartUp(path);
    window.show();
    for (int round = 0; round < 50 && !core.File().IsOpen(); ++round) {
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(core.File().IsOpen());
    EXPECT_EQ(window.Status()->View().fileLine, "File:  Morrow");
    EXPECT_EQ(window.Status()->View().gameLine, "Game:  1 of 3");
    EXPECT_EQ(window.GameScrollBar()->minimum(), 1);
    EXPECT_EQ(window.GameScrollBar()->maximum(), 3);

    // Moving the scroll bar moves through the games.
    window.GameScrollBar()->setValue(2);
    EXPECT_EQ(window.Status()->View().gameLine, "Game:  2 of 3");
}

// The program itself, started with a file on its command line, renders its window offscreen.
TEST(DesktopProgram, ScreenshotOfTheCommandLineFile) {
    TempDir work;
    TempDir files;
    std::string path = files.Write("games.pgn", kThreeGames);
    std::string picture = files.File("window.png");
    std::string command = std::string("QT_QPA_PLATFORM=offscreen ") + RAVELIN_GUI_BINARY + " --workdir " +
                          work.Path().string() + " --screenshot " + picture + " '" + path + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    QImage image(QString::fromStdString(picture));
    EXPECT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 100);
    // The options file now names the file that was opened.
    auto settings = shell::ReadSettingsFile(work.File("savinfo.opt"));
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->PgnFileName(), "games.pgn");
    EXPECT_EQ(settings->PgnDirectory(), files.Path().string());
}

}  // namespace
}  // namespace ravelin::platform
