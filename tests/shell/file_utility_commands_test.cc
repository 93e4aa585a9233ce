#include "shell/commands/file_utility_commands.h"

#include <gtest/gtest.h>

#include <atomic>
#include <cstdio>
#include <filesystem>
#include <future>
#include <thread>

#include "shell/command_ids.h"
#include "shell/commands/fast_file_commands.h"
#include "shell/dialogs/duplicate_settings_dialog.h"
#include "shell/dialogs/game_list_dialog.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using ravelin::testing::ReadWholeFile;
using testing_support::DataText;
using testing_support::OwnSession;

// The File Utilities menu through the main window, as the menus send its commands; the worker is
// waited for and its report taken on the window thread.
class FileUtilityCommandsTest : public ::testing::Test {
  protected:
    void Open(const std::string& text) {
        session = std::make_unique<OwnSession>(text);
        path = session->window.File().Path();
    }
    // Sends the command with these answers and runs it to its end, report included.
    void Run(int command, std::initializer_list<int> answers) {
        for (int answer : answers) {
            session->platform.questionAnswers.push_back(answer);
        }
        session->window.HandleCommand(command);
        session->window.FastFile().Worker().Join();
        session->Run();
    }
    int Count() const { return session->window.File().GameCount(); }
    // Sends the command and presses Cancel in the progress window while the worker waits at its
    // first report; then lets it go on and takes the report.
    void RunAndCancel(int command, std::initializer_list<int> answers) {
        for (int answer : answers) {
            session->platform.questionAnswers.push_back(answer);
        }
        std::promise<void> reported;
        std::promise<void> cancelled;
        std::shared_future<void> goOn = cancelled.get_future().share();
        std::atomic<bool> first{true};
        const std::thread::id windowThread = std::this_thread::get_id();
        session->platform.onPostToWindowThread = [&] {
            if (std::this_thread::get_id() != windowThread && first.exchange(false)) {
                reported.set_value();
                goOn.wait();
            }
        };
        session->window.HandleCommand(command);
        reported.get_future().wait();
        session->platform.progress.PressCancel();
        cancelled.set_value();
        session->window.FastFile().Worker().Join();
        session->platform.onPostToWindowThread = nullptr;
        session->Run();
    }

    std::unique_ptr<OwnSession> session;
    std::string path;
};

constexpr char kBadGame[] = "[Event \"Bad\"]\n\n1. e4 e5 2. Ke3 *\n\n";

TEST_F(FileUtilityCommandsTest, CheckListsTheErrorsAndShowsTheChosenGame) {
    Open(DataText("pgn/lichess-benchmark.pgn") + "\n" + kBadGame);
    std::vector<std::string> rows;
    session->OnDialog<GameListDialog>([&](GameListDialog& dialog) {
        for (const GameListDialog::Row& row : dialog.Rows()) {
            rows.push_back(row.text);
        }
        dialog.selectedRow = 0;
        return true;
    });
    Run(kCmdCheckFile, {platform::kAnswerNo});
    EXPECT_EQ(rows, std::vector<std::string>{"Game 101 may be corrupt."});
    EXPECT_EQ(session->window.File().currentGame, 101);
    EXPECT_EQ(Count(), 101);

    // Deleting the bad games leaves the file with the others, read anew.
    Run(kCmdCheckFile, {platform::kAnswerYes});
    EXPECT_EQ(Count(), 100);
    EXPECT_EQ(ReadWholeFile(path), DataText("pgn/lichess-benchmark.pgn") + "\n");
    session->ClearRecords();
    Run(kCmdCheckFile, {platform::kAnswerNo});
    EXPECT_EQ(session->Messages(), std::vector<std::string>{"No errors found."});
}

TEST_F(FileUtilityCommandsTest, DeleteFenGamesCountsOnlyThem) {
    Open(DataText("pgn/fenSetup.pgn") + DataText("pgn/lichess-benchmark.pgn"));
    Run(kCmdDeleteFenGames, {platform::kAnswerYes});
    EXPECT_EQ(session->Messages(), std::vector<std::string>{"1 FEN game deleted."});
    EXPECT_EQ(Count(), 100);
    EXPECT_EQ(ReadWholeFile(path), DataText("pgn/lichess-benchmark.pgn"));
}

TEST_F(FileUtilityCommandsTest, DuplicatesListDeletesTheMarkedGames) {
    const std::string lichess = DataText("pgn/lichess-benchmark.pgn");
    Open(lichess + lichess);
    session->window.Settings().SetInt(settings::kOffsetDuplicatesCheckEntireFile, 1);
    std::size_t listed = 0;
    session->OnDialog<GameListDialog>([&](GameListDialog& dialog) {
        listed = dialog.Rows().size();
        dialog.deleteRequested = true;
        return dialog.Title() == kDuplicatesTitle;
    });
    Run(kCmdDuplicateGames, {platform::kAnswerYes});
    EXPECT_EQ(listed, 100u);
    EXPECT_EQ(session->Messages(), std::vector<std::string>{"Duplicate games deleted."});
    EXPECT_EQ(Count(), 100);
    EXPECT_EQ(ReadWholeFile(path), lichess);
}

// Sort reorders the games and the fast file no longer fits, so it is gone.
TEST_F(FileUtilityCommandsTest, SortRemovesTheFastFile) {
    Open(DataText("pgn/world_matches.pgn"));
    const std::string fastFile = path.substr(0, path.size() - 3) + "TRF";
    {
        std::FILE* file = std::fopen(fastFile.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }
    Run(kCmdSortFile, {platform::kAnswerYes});
    EXPECT_FALSE(std::filesystem::exists(fastFile));
    EXPECT_EQ(Count(), 580);
    EXPECT_NE(ReadWholeFile(path), DataText("pgn/world_matches.pgn"));
}

// Cancel during a check that deletes: the copy is abandoned and the file stays as it was.
TEST_F(FileUtilityCommandsTest, CancelledCheckLeavesTheFile) {
    const std::string bytes = DataText("pgn/lichess-benchmark.pgn") + "\n" + kBadGame;
    Open(bytes);
    RunAndCancel(kCmdCheckFile, {platform::kAnswerYes});
    EXPECT_EQ(ReadWholeFile(path), bytes);
    EXPECT_EQ(Count(), 101);
    EXPECT_FALSE(session->window.FastFile().Worker().IsRunning());
}

// A split cannot stop halfway: Cancel is answered and every part is still written.
TEST_F(FileUtilityCommandsTest, SplitRefusesToCancel) {
    const std::string lichess = DataText("pgn/lichess-benchmark.pgn");
    Open(lichess);
    session->platform.fileChoices.push_back(path);
    RunAndCancel(kCmdSplitFile, {platform::kAnswerYes});
    EXPECT_EQ(session->Messages(), (std::vector<std::string>{kCannotCancelSplit, "Split file complete."}));
    const std::string stem = path.substr(0, path.size() - 4);
    const auto games = [](const std::string& text) {
        int count = 0;
        for (std::size_t at = text.find("[Event "); at != std::string::npos;
             at = text.find("[Event ", at + 1)) {
            ++count;
        }
        return count;
    };
    EXPECT_EQ(games(ReadWholeFile(stem + "1.pgn")), 51);
    EXPECT_EQ(games(ReadWholeFile(stem + "2.pgn")), 49);
    EXPECT_EQ(ReadWholeFile(path), lichess);
}

// The settings dialog stores its values in the record, and the search then uses them.
TEST_F(FileUtilityCommandsTest, SettingsDialogStoresTheValues) {
    const std::string lichess = DataText("pgn/lichess-benchmark.pgn");
    Open(lichess + lichess);
    std::string problem;
    session->OnDialog<DuplicateSettingsDialog>([&](DuplicateSettingsDialog& dialog) {
        EXPECT_EQ(dialog.lookAhead, "100");
        EXPECT_EQ(dialog.maxDifference, "2");
        EXPECT_FALSE(dialog.entireFile);
        dialog.lookAhead = "0";
        problem = dialog.Validate();
        dialog.lookAhead = " 100 ";
        dialog.maxDifference = "0";
        dialog.entireFile = true;
        return dialog.Validate().empty();
    });
    session->window.HandleCommand(kCmdDuplicateSettings);
    EXPECT_FALSE(problem.empty());
    const settings::SettingsRecord& record = session->window.Settings();
    EXPECT_EQ(record.Int(settings::kOffsetDuplicatesLookAhead), 100);
    EXPECT_EQ(record.Int(settings::kOffsetDuplicatesMaxMoveDifference), 0);
    EXPECT_EQ(record.Int(settings::kOffsetDuplicatesCheckEntireFile), 1);

    // The entire-file search finds each game's copy 100 games on, past the look-ahead.
    std::size_t listed = 0;
    session->OnDialog<GameListDialog>([&](GameListDialog& dialog) {
        listed = dialog.Rows().size();
        return false;
    });
    Run(kCmdDuplicateGames, {platform::kAnswerYes});
    EXPECT_EQ(listed, 100u);
}

// Without a fast file a large file is worth one first; a stale one is said to be so.
TEST_F(FileUtilityCommandsTest, DuplicatesOfferTheFastFileFirst) {
    std::string bytes;
    for (int i = 0; i < 10; ++i) {
        bytes += DataText("pgn/lichess-benchmark.pgn");
    }
    Open(bytes);
    Run(kCmdDuplicateGames, {platform::kAnswerNo});
    ASSERT_FALSE(session->platform.messages.empty());
    EXPECT_EQ(session->platform.messages.back().text, kFasterWithFastFile);
    EXPECT_FALSE(session->window.FastFile().Worker().IsRunning());

    const std::string fastFile = path.substr(0, path.size() - 3) + "TRH";
    {
        std::FILE* file = std::fopen(fastFile.c_str(), "w");
        ASSERT_NE(file, nullptr);
        std::fclose(file);
    }
    session->ClearRecords();
    Run(kCmdDuplicateGames, {platform::kAnswerNo});
    EXPECT_EQ(session->Messages(),
              std::vector<std::string>{"Warning: You need to run 'Make Fast File' again."});
    EXPECT_EQ(session->platform.messages.back().text, kContinueWithoutFastFile);
}

}  // namespace
}  // namespace ravelin::shell
