#include "shell/main_window.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <memory>
#include <string>
#include <vector>

#include "gamefile/game_index.h"
#include "platform/headless/headless_platform.h"
#include "shell/command_ids.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing::ReadWholeFile;
using testing_support::Session;
using Texts = std::vector<std::string>;

const std::string kTwoGames =
    "[Event \"One\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0\n\n"
    "[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 *\n";
const std::string kThreeGames = kTwoGames + "\n[Event \"Three\"]\n[Result \"*\"]\n\n1.c4 *\n";

// Runs of the program that share one working directory, as restarts do.
class MainWindowTest : public ::testing::Test, protected testing_support::Dirs {
  protected:
    std::unique_ptr<Session> NewSession() { return std::make_unique<Session>(work.Path().string()); }
    std::string Line(Session& session) { return session.window.View().fileLine; }
};

TEST_F(MainWindowTest, OpenFileDialogStartsFromRememberedDirectoryAndNameAndSameNamedFilesAreReported) {
    std::string path = files.Write("games.pgn", kTwoGames);
    files.Write("games.TRM", "");
    files.Write("games.DBG", "");
    {
        auto first = NewSession();
        first->platform.fileChoices.push_back(path);
        first->window.StartUp("");
        first->platform.RunPending([&](int id) { first->window.HandleCommand(id); }, 1);
        // A file in another directory is scanned after the window repaints: after the first pass the
        // dialog is gone, the file is not open yet, and Open File waits for its second pass.
        EXPECT_FALSE(first->window.File().IsOpen());
        EXPECT_TRUE(first->window.File().OpenPending());
        EXPECT_TRUE(first->platform.IsCommandPending(kCmdOpenFile));
        first->Run();
        ASSERT_EQ(first->platform.fileRequests.size(), 1u);
        EXPECT_EQ(first->platform.fileRequests[0].title, "Select PGN File");
        EXPECT_EQ(first->platform.fileRequests[0].filter, "*.pgn");
        // The first start begins in the working directory.
        EXPECT_EQ(first->platform.fileRequests[0].initialDirectory, work.Path().string());
        EXPECT_EQ(first->window.View().gameLine, "Game:  1 of 2");
        EXPECT_EQ(first->Messages(), (Texts{"Warning: There is a tree merge file with the same name.",
                                            "Warning: There is a database with the same name."}));
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

TEST_F(MainWindowTest, PreviousFileReturnsToTheGameThatWasShown) {
    std::string first = files.Write("first.pgn", kThreeGames);
    std::string second = files.Write("second.pgn", kTwoGames);
    auto session = NewSession();
    session->Start(first);
    session->window.ScrollToGame(99);  // the scroll bar stops at the last game
    EXPECT_EQ(session->window.View().gameLine, "Game:  3 of 3");
    session->platform.fileChoices.push_back(second);
    session->Command(kCmdOpenFile);
    EXPECT_EQ(Line(*session), "File:  Second");
    EXPECT_EQ(session->window.View().gameLine, "Game:  1 of 2");
    session->Command(kCmdPreviousFile);
    EXPECT_EQ(Line(*session), "File:  First");
    EXPECT_EQ(session->window.View().gameLine, "Game:  3 of 3");
    session->Command(kCmdPreviousFile);
    EXPECT_EQ(Line(*session), "File:  Second");
    // The previous file survives a restart.
    auto restarted = NewSession();
    restarted->platform.fileChoices.push_back(std::nullopt);
    restarted->Start();
    restarted->Command(kCmdPreviousFile);
    EXPECT_EQ(Line(*restarted), "File:  First");
}

// A quoted command-line path opens without a dialog, and without a previous file Previous File does
// nothing. A repeated Reload runs once; a file that cannot be opened leaves the open one as it was.
TEST_F(MainWindowTest, CommandLineFileReloadAndAFileThatCannotBeOpened) {
    std::string path = files.Write("world-ch.pgn", kTwoGames);
    auto session = NewSession();
    session->Start("\"" + path + "\"");
    EXPECT_TRUE(session->platform.fileRequests.empty());
    EXPECT_EQ(session->window.View().scrollMaximum, 2);
    session->Command(kCmdPreviousFile);
    EXPECT_EQ(Line(*session), "File:  World-Ch");
    EXPECT_TRUE(session->platform.messages.empty());
    files.Write("world-ch.pgn", kThreeGames);
    session->platform.PostCommand(kCmdReloadFile);
    session->platform.PostCommand(kCmdReloadFile);
    session->Run();
    EXPECT_EQ(session->window.View().gameLine, "Game:  1 of 3");
    session->platform.fileChoices.push_back(files.File("missing.pgn"));
    session->Command(kCmdOpenFile);
    EXPECT_EQ(session->Messages(), (Texts{"File has been reloaded.", "Error opening file."}));
    EXPECT_EQ(Line(*session), "File:  World-Ch");
    EXPECT_EQ(session->window.Settings().PgnFileName(), "world-ch.pgn");
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
    auto session = NewSession();
    session->Start(files.Write("big.pgn", bytes));
    EXPECT_EQ(session->Messages(), Texts{"Warning: Maximum number 200000 games exceeded."});
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

TEST_F(MainWindowTest, VersionHelpExitAndTheGameBufferDeletedAtStart) {
    std::string buffer = work.Write("gameqqqq.xyz", "moved games");
    auto session = NewSession();
    session->Start();
    EXPECT_FALSE(std::filesystem::exists(buffer));
    EXPECT_TRUE(Line(*session).empty());  // the dialog was cancelled
    session->Command(kCmdShowVersion);
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

}  // namespace
}  // namespace ravelin::shell
