#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gamefile/game_index.h"
#include "platform/headless/headless_platform.h"
#include "shell/command_ids.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using platform::HeadlessPlatform;
using testing::ReadWholeFile;
using testing::TempDir;

const std::string kTwoGames =
    "[Event \"One\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0\n\n"
    "[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 *\n";
const std::string kThreeGames = kTwoGames + "\n[Event \"Three\"]\n[Result \"*\"]\n\n1.c4 *\n";

// One run of the program: a headless platform, the core window, and the working directory.
struct Session {
    explicit Session(const std::string& workDir)
        : window(platform.AsPlatform(), platform::WorkingPaths(workDir)) {}

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

    HeadlessPlatform platform;
    MainWindow window;
};

class MainWindowTest : public ::testing::Test {
  protected:
    std::unique_ptr<Session> NewSession() { return std::make_unique<Session>(work.Path().string()); }

    TempDir work;
    TempDir files;
};

TEST_F(MainWindowTest, QuotedCommandLinePathOpensWithoutDialog) {
    std::string path = files.Write("world-ch.pgn", kTwoGames);
    auto session = NewSession();
    session->Start("\"" + path + "\"");
    EXPECT_TRUE(session->platform.fileRequests.empty());
    WindowView view = session->window.View();
    EXPECT_EQ(view.fileLine, "File:  World-Ch");
    EXPECT_EQ(view.gameLine, "Game:  1 of 2");
    EXPECT_EQ(view.scrollMinimum, 1);
    EXPECT_EQ(view.scrollMaximum, 2);
}

TEST_F(MainWindowTest, OpenFileDialogStartsFromRememberedDirectoryAndName) {
    std::string path = files.Write("games.pgn", kTwoGames);
    {
        auto first = NewSession();
        first->platform.fileChoices.push_back(path);
        first->Start();
        ASSERT_EQ(first->platform.fileRequests.size(), 1u);
        EXPECT_EQ(first->platform.fileRequests[0].title, "Select PGN File");
        EXPECT_EQ(first->platform.fileRequests[0].filter, "*.pgn");
        EXPECT_EQ(first->window.View().gameLine, "Game:  1 of 2");
    }
    EXPECT_EQ(std::filesystem::file_size(work.File("savinfo.opt")), 6464u);
    auto second = NewSession();
    second->Start();
    ASSERT_EQ(second->platform.fileRequests.size(), 1u);
    EXPECT_EQ(second->platform.fileRequests[0].initialDirectory, files.Path().string());
    EXPECT_EQ(second->platform.fileRequests[0].fileName, "games.pgn");
    // Cancelling the dialog with no file open opens the remembered file.
    EXPECT_EQ(second->window.View().gameLine, "Game:  1 of 2");
}

TEST_F(MainWindowTest, FirstStartWorkingDirectoryIsTheDialogsStartingPlace) {
    auto session = NewSession();
    session->Start();
    ASSERT_EQ(session->platform.fileRequests.size(), 1u);
    EXPECT_EQ(session->platform.fileRequests[0].initialDirectory, work.Path().string());
    EXPECT_TRUE(session->window.View().fileLine.empty());
}

TEST_F(MainWindowTest, FileInAnotherDirectoryIsScannedAfterTheWindowRepaints) {
    std::string path = files.Write("games.pgn", kTwoGames);
    auto session = NewSession();
    session->platform.fileChoices.push_back(path);
    session->window.StartUp("");
    session->platform.RunPending([&](int id) { session->window.HandleCommand(id); }, 1);
    // After the first pass the dialog is gone, the file is not open yet, and Open File waits in
    // the queue for its second pass.
    EXPECT_FALSE(session->window.File().IsOpen());
    EXPECT_TRUE(session->window.File().OpenPending());
    EXPECT_TRUE(session->platform.IsCommandPending(kCmdOpenFile));
    session->Run();
    EXPECT_EQ(session->platform.fileRequests.size(), 1u);
    EXPECT_TRUE(session->window.File().IsOpen());
    EXPECT_EQ(session->window.View().gameLine, "Game:  1 of 2");
}

TEST_F(MainWindowTest, PreviousFileReturnsToTheGameThatWasShown) {
    std::string first = files.Write("first.pgn", kThreeGames);
    std::string second = files.Write("second.pgn", kTwoGames);
    auto session = NewSession();
    session->Start(first);
    session->window.ScrollToGame(3);
    session->platform.fileChoices.push_back(second);
    session->Command(kCmdOpenFile);
    EXPECT_EQ(session->window.View().fileLine, "File:  Second");
    EXPECT_EQ(session->window.View().gameLine, "Game:  1 of 2");

    session->Command(kCmdPreviousFile);
    EXPECT_EQ(session->window.View().fileLine, "File:  First");
    EXPECT_EQ(session->window.View().gameLine, "Game:  3 of 3");
    session->Command(kCmdPreviousFile);
    EXPECT_EQ(session->window.View().fileLine, "File:  Second");

    // The previous file survives a restart.
    auto restarted = NewSession();
    restarted->platform.fileChoices.push_back(std::nullopt);
    restarted->Start();
    restarted->Command(kCmdPreviousFile);
    EXPECT_EQ(restarted->window.View().fileLine, "File:  First");
}

TEST_F(MainWindowTest, PreviousFileWithoutOneDoesNothing) {
    std::string path = files.Write("only.pgn", kTwoGames);
    auto session = NewSession();
    session->Start(path);
    session->Command(kCmdPreviousFile);
    EXPECT_EQ(session->window.View().fileLine, "File:  Only");
    EXPECT_TRUE(session->platform.messages.empty());
}

TEST_F(MainWindowTest, ReloadFileRescansAndSaysSo) {
    std::string path = files.Write("games.pgn", kTwoGames);
    auto session = NewSession();
    session->Start(path);
    files.Write("games.pgn", kThreeGames);
    session->Command(kCmdReloadFile);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"File has been reloaded."});
    EXPECT_EQ(session->window.View().gameLine, "Game:  1 of 3");
}

TEST_F(MainWindowTest, ReloadWithoutFileAsksToOpenOne) {
    auto session = NewSession();
    session->Start();
    session->Command(kCmdReloadFile);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"Must open a file."});
}

TEST_F(MainWindowTest, FileThatCannotBeOpenedKeepsTheOpenOne) {
    std::string path = files.Write("games.pgn", kTwoGames);
    auto session = NewSession();
    session->Start(path);
    session->platform.fileChoices.push_back(files.File("missing.pgn"));
    session->Command(kCmdOpenFile);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"Error opening file."});
    EXPECT_EQ(session->window.View().fileLine, "File:  Games");
    EXPECT_EQ(session->window.Settings().PgnFileName(), "games.pgn");
}

TEST_F(MainWindowTest, SameNameTreeMergeFileAndDatabaseAreReported) {
    files.Write("games.TRM", "");
    files.Write("games.DBG", "");
    std::string path = files.Write("games.pgn", kTwoGames);
    auto session = NewSession();
    session->platform.fileChoices.push_back(path);
    session->Start();
    EXPECT_EQ(session->platform.MessageTexts(),
              (std::vector<std::string>{"Warning: There is a tree merge file with the same name.",
                                        "Warning: There is a database with the same name."}));
}

TEST_F(MainWindowTest, ChosenNameGetsThePgnExtension) {
    std::string path = files.Write("notes.pgn", kTwoGames);
    auto session = NewSession();
    session->platform.fileChoices.push_back(files.File("notes.txt"));
    session->Start();
    EXPECT_EQ(session->window.File().Path(), path);
    EXPECT_TRUE(session->window.File().IsOpen());
}

TEST_F(MainWindowTest, FullFileWarnsAboutTheGameLimit) {
    const std::string game = "[Event \"E\"]\n\n1.e4 *\n\n";
    std::string bytes;
    for (int k = 0; k < gamefile::kMaxGames; ++k) {
        bytes += game;
    }
    std::string path = files.Write("big.pgn", bytes);
    auto session = NewSession();
    session->Start(path);
    EXPECT_EQ(session->platform.MessageTexts(),
              std::vector<std::string>{"Warning: Maximum number 200000 games exceeded."});
    EXPECT_EQ(session->window.View().gameLine, "Game:  1 of 200000");
}

// Movetext without tag lines holds no game: opening it says so, and no game is looked for. An empty
// file still reports the missing game 1.
TEST_F(MainWindowTest, FileOfMovetextWithoutTagLinesSaysWhyItHasNoGames) {
    const struct {
        const char* text;
        std::vector<std::string> messages;
    } kCases[] = {
        {"1. e4 e5 2. Nf3 Nc6 *\n\n1. d4 d5 *\n", {gamefile::kNoGamesFound}},
        {"\n1. e4 e5 *\n", {gamefile::kNoGamesFound}},
        {"", {gamefile::kErrorFindingGame}},
    };
    for (const auto& c : kCases) {
        SCOPED_TRACE(c.text);
        const std::string path = files.Write("moves.pgn", c.text);
        auto session = NewSession();
        session->Start(path);
        EXPECT_EQ(session->window.File().GameCount(), 0);
        EXPECT_EQ(session->platform.MessageTexts(), c.messages);
    }
}

TEST_F(MainWindowTest, RepeatedCommandRunsOnce) {
    std::string path = files.Write("games.pgn", kTwoGames);
    auto session = NewSession();
    session->Start(path);
    session->platform.PostCommand(kCmdReloadFile);
    session->platform.PostCommand(kCmdReloadFile);
    session->Run();
    EXPECT_EQ(session->platform.MessageTexts().size(), 1u);
}

TEST_F(MainWindowTest, VersionHelpAndExit) {
    auto session = NewSession();
    session->Start();
    session->Command(kCmdShowVersion);
    EXPECT_EQ(session->platform.MessageTexts(), std::vector<std::string>{"Version 4.0 updated 11-Nov-05"});
    EXPECT_EQ(session->platform.messages.back().caption, "Ravelin");

    std::string helpShown;
    session->window.onShowHelp = [&](const std::string& page) { helpShown = page; };
    session->Command(kCmdHelp);
    EXPECT_EQ(helpShown, work.File("ravelin-help.html"));
    EXPECT_NE(ReadWholeFile(helpShown).find("Open File"), std::string::npos);

    EXPECT_FALSE(session->window.ExitRequested());
    session->Command(kCmdExit);
    EXPECT_TRUE(session->window.ExitRequested());
}

TEST_F(MainWindowTest, GameBufferIsDeletedAtStart) {
    std::string buffer = work.Write("gameqqqq.xyz", "moved games");
    auto session = NewSession();
    session->Start();
    EXPECT_FALSE(std::filesystem::exists(buffer));
}

TEST_F(MainWindowTest, ScrollBarMovesThroughTheGames) {
    std::string path = files.Write("games.pgn", kThreeGames);
    auto session = NewSession();
    session->Start(path);
    session->window.ScrollToGame(2);
    EXPECT_EQ(session->window.View().gameLine, "Game:  2 of 3");
    session->window.ScrollToGame(99);
    EXPECT_EQ(session->window.View().gameLine, "Game:  3 of 3");
}

TEST(MessageTemplate, FortyFourCharactersUseTheNarrowDialog) {
    std::string narrow(44, 'n');
    std::string wide(45, 'w');
    EXPECT_EQ(settings::MessageTemplateName(narrow, false, settings::LayoutSize::kSmall, 0, false),
              "Showmesg");
    EXPECT_EQ(settings::MessageTemplateName(wide, false, settings::LayoutSize::kSmall, 0, false), "Showmsgx");
    EXPECT_EQ(settings::MessageTemplateName(narrow, true, settings::LayoutSize::kSmall, 2, false),
              "Showques");
    EXPECT_EQ(settings::MessageTemplateName(wide, true, settings::LayoutSize::kSmall, 2, false), "Showquesx");
}

TEST(MessageTemplate, PlacementFollowsLayoutAndMode) {
    const std::string text = "short";
    EXPECT_EQ(settings::MessageTemplateName(text, false, settings::LayoutSize::kLarge, 2, false),
              "Showmsgh1");
    EXPECT_EQ(
        settings::MessageTemplateName(std::string(50, 'x'), false, settings::LayoutSize::kLarge, 100, false),
        "Showmsgh2");
    EXPECT_EQ(settings::MessageTemplateName(text, true, settings::LayoutSize::kLarge, 1, false),
              "Showquesh3");
    EXPECT_EQ(
        settings::MessageTemplateName(std::string(50, 'x'), true, settings::LayoutSize::kLarge, 0, false),
        "Showquesh4");
    EXPECT_EQ(settings::MessageTemplateName(text, false, settings::LayoutSize::kMedium, 1, false),
              "Showmesgb");
    EXPECT_EQ(settings::MessageTemplateName(text, false, settings::LayoutSize::kMedium, 2, false),
              "Showmesg");
    EXPECT_EQ(
        settings::MessageTemplateName(std::string(50, 'x'), true, settings::LayoutSize::kMedium, 0, false),
        "Showquesxb");
    // A question from a child window always uses the standard templates.
    EXPECT_EQ(settings::MessageTemplateName(text, true, settings::LayoutSize::kLarge, 0, true), "Showques");
}

}  // namespace
}  // namespace ravelin::shell
