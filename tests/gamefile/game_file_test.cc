#include "gamefile/game_file.h"

#include <gtest/gtest.h>

#include "platform/headless/headless_platform.h"
#include "settings/settings_startup.h"
#include "temp_dir.h"

namespace ravelin::gamefile {
namespace {

TEST(ApplyExtensionRule, ReplacesAShortExtensionOrAppends) {
    EXPECT_EQ(ApplyExtensionRule("games.pgn", ".pgn"), "games.pgn");
    EXPECT_EQ(ApplyExtensionRule("GAMES.PGN", ".pgn"), "GAMES.PGN");
    EXPECT_EQ(ApplyExtensionRule("games.txt", ".pgn"), "games.pgn");
    EXPECT_EQ(ApplyExtensionRule("games.c", ".pgn"), "games.pgn");
    EXPECT_EQ(ApplyExtensionRule("games", ".pgn"), "games.pgn");
    EXPECT_EQ(ApplyExtensionRule("a.b", ".pgn"), "a.b.pgn");
    EXPECT_EQ(ApplyExtensionRule("report.htm", ".html"), "report.html");
    EXPECT_EQ(ApplyExtensionRule("my.games.dat", ".ser"), "my.games.ser");
}

TEST(MakeDisplayFileName, ConvertsShoutedAndLowerCaseNames) {
    EXPECT_EQ(MakeDisplayFileName("WORLD-CH.PGN"), "World-Ch");
    EXPECT_EQ(MakeDisplayFileName("morrow.pgn"), "Morrow");
    EXPECT_EQ(MakeDisplayFileName("Kasparov.pgn"), "Kasparov");
    EXPECT_EQ(MakeDisplayFileName("KASPAROV-DEEP-BLUE-1997.PGN"), "Kasparov-Deep-Blue-1997");
    EXPECT_EQ(MakeDisplayFileName("dortmund 1992.pgn"), "Dortmund 1992");
    EXPECT_EQ(MakeDisplayFileName(""), "");
}

TEST(PathParts, DirectoryAndName) {
    EXPECT_EQ(DirectoryOf("/home/u/games.pgn"), "/home/u");
    EXPECT_EQ(NameOf("/home/u/games.pgn"), "games.pgn");
    EXPECT_EQ(DirectoryOf("/games.pgn"), "/");
    EXPECT_EQ(DirectoryOf("games.pgn"), "");
}

// A GameFile with its host: settings with first-run defaults, a headless platform.
class GameFileTest : public ::testing::Test {
  protected:
    GameFileTest() : messages(platform) {
        settings::StartupEnvironment environment;
        environment.workingDirectory = work.Path().string();
        settings::ApplyFirstRunDefaults(settings, environment);
        file = std::make_unique<GameFile>(
            GameFileHost{settings, platform, messages, [this] { ++saves; }, [this] { ++clears; }});
    }

    testing::TempDir work;
    testing::TempDir files;
    platform::HeadlessPlatform platform;
    settings::SettingsRecord settings;
    settings::MessageBoxes messages;
    std::unique_ptr<GameFile> file;
    int saves = 0;
    int clears = 0;
    int displayMode = 2;
    int ply = 7;
};

TEST_F(GameFileTest, CancelledSaveDialogsReturnTheirCancelValues) {
    EXPECT_EQ(file->OpenGameFile(kNoFile, OpenMode::kExistingTarget, displayMode, ply), -1);
    EXPECT_EQ(file->OpenGameFile(kNoFile, OpenMode::kNewFile, displayMode, ply), -2);
    ASSERT_EQ(platform.fileRequests.size(), 2u);
    EXPECT_TRUE(platform.fileRequests[0].saveDialog);
    EXPECT_EQ(displayMode, 2);  // restored after the call
}

TEST_F(GameFileTest, NewFileThatDoesNotExistYetCountsOneGame) {
    platform.fileChoices.push_back(files.File("fresh.pgn"));
    int fd = file->OpenGameFile(kNoFile, OpenMode::kNewFile, displayMode, ply);
    EXPECT_LT(fd, 0);
    EXPECT_EQ(file->GameCount(), 1);
    EXPECT_TRUE(platform.messages.empty());
    EXPECT_EQ(file->Path(), files.File("fresh.pgn"));
}

TEST_F(GameFileTest, ChoosingAnotherFileMakesTheOldOneThePreviousFile) {
    std::string first = files.Write("first.pgn", "[Event \"A\"]\n\n1.e4 *\n\n[Event \"B\"]\n\n1.d4 *\n");
    std::string second = files.Write("second.pgn", "[Event \"C\"]\n\n1.c4 *\n");
    file->SetCommandLinePath(first);
    int fd = file->OpenGameFile(kCommandLineFile, OpenMode::kView, displayMode, ply);
    ASSERT_GE(fd, 0);
    file->currentGame = 2;
    platform.fileChoices.push_back(second);
    fd = file->OpenGameFile(fd, OpenMode::kView, displayMode, ply);
    ASSERT_GE(fd, 0);
    EXPECT_EQ(file->Path(), second);
    EXPECT_EQ(file->PreviousPath(), first);
    EXPECT_EQ(settings.PreviousGameNumber(), 2);
    EXPECT_EQ(settings.PreviousMovePosition(), 7);  // the ply shown, since the game was displayed
    EXPECT_EQ(clears, 2);                           // per-file search state cleared at each open

    fd = file->OpenGameFile(fd, OpenMode::kPrevious, displayMode, ply);
    EXPECT_EQ(file->Path(), first);
    EXPECT_EQ(file->returnGame, 2);
    EXPECT_EQ(file->returnPly, 7);
    EXPECT_EQ(file->GameCount(), 2);
}

TEST_F(GameFileTest, LongProposedNameIsCutAtItsFirstDot) {
    std::string name = std::string(45, 'n') + ".game.pgn";  // 54 characters: fits the field
    settings.SetPgnFileName(name);
    GameFile fresh(GameFileHost{settings, platform, messages, nullptr, nullptr});
    int mode = 0;
    int currentPly = 0;
    fresh.OpenGameFile(kNoFile, OpenMode::kExistingTarget, mode, currentPly);
    ASSERT_EQ(platform.fileRequests.size(), 1u);
    EXPECT_EQ(platform.fileRequests[0].fileName, std::string(45, 'n'));
}

}  // namespace
}  // namespace ravelin::gamefile
