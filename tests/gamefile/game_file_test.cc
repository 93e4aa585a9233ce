#include "gamefile/game_file.h"

#include <gtest/gtest.h>

#include <tuple>

#include "platform/headless/headless_platform.h"
#include "settings/settings_startup.h"
#include "temp_dir.h"

namespace ravelin::gamefile {
namespace {

TEST(FileNames, ExtensionRuleAndDisplayName) {
    const std::tuple<const char*, const char*, const char*> extensions[] = {
        {"games.pgn", ".pgn", "games.pgn"},     {"GAMES.PGN", ".pgn", "GAMES.PGN"},
        {"games.txt", ".pgn", "games.pgn"},     {"games.c", ".pgn", "games.pgn"},
        {"games", ".pgn", "games.pgn"},         {"a.b", ".pgn", "a.b.pgn"},
        {"report.htm", ".html", "report.html"}, {"my.games.dat", ".ser", "my.games.ser"},
    };
    for (const auto& [name, extension, result] : extensions) {
        EXPECT_EQ(ApplyExtensionRule(name, extension), result) << name;
    }
    const std::pair<const char*, const char*> shown[] = {
        {"WORLD-CH.PGN", "World-Ch"},           {"morrow.pgn", "Morrow"},
        {"Kasparov.pgn", "Kasparov"},           {"KASPAROV-DEEP-BLUE-1997.PGN", "Kasparov-Deep-Blue-1997"},
        {"dortmund 1992.pgn", "Dortmund 1992"}, {"", ""},
    };
    for (const auto& [name, display] : shown) {
        EXPECT_EQ(MakeDisplayFileName(name), display) << name;
    }
}

// Choosing another file makes the old one the previous file, remembering the game and ply shown,
// and clears the per-file search state at each open.
TEST(GameFileOpen, ChoosingAnotherFileMakesTheOldOneThePreviousFile) {
    testing::TempDir work;
    testing::TempDir files;
    platform::HeadlessPlatform platform;
    settings::SettingsRecord settings;
    settings::MessageBoxes messages(platform);
    settings::StartupEnvironment environment;
    environment.workingDirectory = work.Path().string();
    settings::ApplyFirstRunDefaults(settings, environment);
    int clears = 0;
    GameFile file(GameFileHost{settings, platform, messages, [] {}, [&clears] { ++clears; }});
    int displayMode = 2;
    int ply = 7;
    const std::string first =
        files.Write("first.pgn", "[Event \"A\"]\n\n1.e4 *\n\n[Event \"B\"]\n\n1.d4 *\n");
    const std::string second = files.Write("second.pgn", "[Event \"C\"]\n\n1.c4 *\n");
    file.SetCommandLinePath(first);
    int fd = file.OpenGameFile(kCommandLineFile, OpenMode::kView, displayMode, ply);
    ASSERT_GE(fd, 0);
    file.currentGame = 2;
    platform.fileChoices.push_back(second);
    fd = file.OpenGameFile(fd, OpenMode::kView, displayMode, ply);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(file.Path(), second);
    EXPECT_EQ(file.PreviousPath(), first);
    EXPECT_EQ(settings.PreviousGameNumber(), 2);
    EXPECT_EQ(settings.PreviousMovePosition(), 7);  // the ply shown, since the game was displayed
    EXPECT_EQ(clears, 2);
    file.OpenGameFile(fd, OpenMode::kPrevious, displayMode, ply);
    EXPECT_EQ(std::pair(file.returnGame, file.returnPly), std::pair(2, 7));
    EXPECT_EQ(displayMode, 2);  // restored after each call
}

}  // namespace
}  // namespace ravelin::gamefile
