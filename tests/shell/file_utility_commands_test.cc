#include "shell/commands/file_utility_commands.h"

#include <gtest/gtest.h>

#include <cstdio>
#include <filesystem>

#include "shell/command_ids.h"
#include "shell/commands/fast_file_commands.h"
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

}  // namespace
}  // namespace ravelin::shell
