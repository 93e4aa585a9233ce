#include "shell/commands/database_commands.h"

#include <gtest/gtest.h>

#include "database/database_check.h"
#include "fast_file_helpers.h"
#include "gamefile/game_index.h"
#include "shell/command_ids.h"
#include "shell/commands/fast_file_commands.h"
#include "shell/commands/statistics_commands.h"
#include "shell/dialogs/game_list_dialog.h"
#include "shell/display_mode.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::DataText;
using testing_support::MakeFastFile;
using testing_support::MoveRecordsOf;
using testing_support::OwnSession;
using Texts = std::vector<std::string>;

// Through the window as the menus do: the database is made (the fast file first), opened and
// searched, a result shown and stepped on, the results copied to a new PGN file, then closed.
TEST(DatabaseCommandsTest, BuildSearchShowCopyAndClose) {
    OwnSession session(DataText("pgn/dortmund.pgn"), "dortmund.pgn");
    const std::string db = session.files.File("w.dbg");
    session.platform.questionAnswers = {platform::kAnswerYes, platform::kAnswerYes};
    session.platform.fileChoices = {db};
    session.Command(kCmdStartNewDatabase);
    session.window.FastFile().Worker().Join();
    session.Run();
    EXPECT_EQ(session.Messages(), Texts{"Database complete."});

    session.ClearRecords();
    session.platform.fileChoices = {db};
    session.Command(kCmdCheckDatabase);
    EXPECT_EQ(session.Messages(), Texts{"Database OK. Number of games: 347"});

    session.platform.dialogScript = [](platform::Dialog& dialog) {
        if (auto* search = dynamic_cast<DatabaseSearchDialog*>(&dialog)) {
            search->white = "Kramnik, V";
            search->eitherColor = true;
            search->year = ">=1995";
            return true;
        }
        if (auto* list = dynamic_cast<ReportListDialog*>(&dialog)) {
            list->selectedRow = 0;
            return list->Title() == kSelectGameTitle;
        }
        return false;
    };
    session.platform.fileChoices = {db};
    session.Command(kCmdOpenDatabase);
    const DatabaseCommands& databases = session.window.Databases();
    const std::vector<int> results = databases.Results();
    ASSERT_GT(results.size(), 10u);
    EXPECT_TRUE(databases.DatabaseViewActive());
    EXPECT_EQ(session.window.displayMode, kModeGame);
    EXPECT_EQ(session.window.View().fileLine, "DB:  W");
    EXPECT_EQ(session.window.View().gameLine, "Game:  " + std::to_string(results[0] + 1) + " of 347");
    session.Command(kCmdNextGame);
    EXPECT_EQ(session.window.View().gameLine, "Game:  " + std::to_string(results[1] + 1) + " of 347");
    // "Select" in the database view hands over to the results list, in the Select Game list's row
    // form with the games' numbers in the database; the third result is chosen.
    std::vector<std::string> firstRows;
    session.platform.dialogScript = [&firstRows](platform::Dialog& dialog) {
        auto* list = dynamic_cast<ReportListDialog*>(&dialog);
        if (list != nullptr) {
            for (int row = 0; row < 2; ++row) {
                firstRows.push_back(list->rowText(row));
            }
            list->selectedRow = 2;
        }
        return list != nullptr;
    };
    session.Command(kCmdSelectGame);
    EXPECT_EQ(session.window.View().gameLine, "Game:  " + std::to_string(results[2] + 1) + " of 347");
    ASSERT_EQ(firstRows.size(), 2u);
    for (std::size_t row = 0; row < firstRows.size(); ++row) {
        EXPECT_EQ(std::stoi(firstRows[row]), results[row] + 1) << firstRows[row];
        EXPECT_NE(firstRows[row].find("Kramnik"), std::string::npos) << firstRows[row];
    }
    EXPECT_EQ(ravelin::testing::ReadWholeFile(database::PathsOf(db).results).size(), 4 * results.size());

    // The copied games, made into a fast file by reading their text, hold the database's moves.
    const std::string copy = session.files.File("copy.pgn");
    session.ClearRecords();
    session.platform.fileChoices = {copy};
    session.platform.questionAnswers = {platform::kAnswerYes};
    session.Command(kCmdCopyDatabaseResultsToNewFile);
    EXPECT_EQ(session.Messages(), Texts{"Copy games complete."});
    ASSERT_EQ(MakeFastFile(copy).status, search::FastFileStatus::kComplete);
    const std::vector<std::string> copied = MoveRecordsOf(session.files.File("copy.TRF"));
    const std::vector<std::string> stored = MoveRecordsOf(database::PathsOf(db).moves);
    ASSERT_EQ(copied.size(), results.size());
    for (std::size_t i = 0; i < results.size(); ++i) {
        EXPECT_EQ(copied[i], stored[static_cast<std::size_t>(results[i])]) << i;
    }

    // Copy Game To... in the database view: the game shown, added to the copy.
    session.ClearRecords();
    session.platform.fileChoices = {copy};
    session.platform.questionAnswers = {platform::kAnswerYes};
    session.Command(kCmdCopyGameToExistingFile);
    gamefile::GameIndex index;
    gamefile::IndexGameFileAt(copy, index);
    ASSERT_EQ(index.Count(), static_cast<int>(results.size()) + 1);
    ASSERT_EQ(MakeFastFile(copy).status, search::FastFileStatus::kComplete);
    EXPECT_EQ(MoveRecordsOf(session.files.File("copy.TRF")).back(),
              stored[static_cast<std::size_t>(results[2])]);

    session.ClearRecords();
    session.Command(kCmdCloseDatabase);
    EXPECT_EQ(session.Messages(), Texts{"Database closed."});
    EXPECT_EQ(session.window.View().fileLine.rfind("File:  ", 0), 0u);
    session.ClearRecords();
    session.Command(kCmdCopyDatabaseResultsToNewFile);
    EXPECT_EQ(session.Messages(), Texts{"There are no database games to copy."});
}

// The duplicate finder over a database: the file added twice pairs every game with its copy.
TEST(DatabaseCommandsTest, DuplicatesOfTheOpenDatabase) {
    OwnSession session(DataText("pgn/dortmund.pgn"), "dortmund.pgn");
    session.Command(kCmdDatabaseDuplicates);
    session.Command(kCmdCloseDatabase);
    EXPECT_EQ(session.Messages(), (Texts{"Must open a database first.", "There is no open database."}));
    const std::string db = session.files.File("d.dbg");
    session.platform.questionAnswers = {platform::kAnswerYes, platform::kAnswerYes, platform::kAnswerYes};
    session.platform.fileChoices = {db, db};
    session.Command(kCmdStartNewDatabase);
    session.window.FastFile().Worker().Join();
    session.Run();
    session.Command(kCmdAddToDatabase);
    session.platform.fileChoices = {db};
    session.Command(kCmdOpenDatabase);  // its search dialog is cancelled
    session.window.Settings().SetInt(settings::kOffsetDuplicatesCheckEntireFile, 1);
    std::vector<std::string> rows;
    session.platform.dialogScript = [&rows](platform::Dialog& dialog) {
        auto* list = dynamic_cast<GameListDialog*>(&dialog);
        if (list == nullptr) {
            return false;
        }
        for (const GameListDialog::Row& row : list->Rows()) {
            rows.push_back(row.text);
        }
        list->selectedRow = 1;
        return true;
    };
    session.ClearRecords();
    session.Command(kCmdDatabaseDuplicates);
    ASSERT_GE(rows.size(), 347u);
    EXPECT_EQ(rows[1], "Game 2 = game 349");
    EXPECT_EQ(session.window.View().gameLine, "Game:  2 of 694");
}

// A file of 10,000 games or more is made into a database on the worker, with its progress window.
TEST(DatabaseCommandsTest, LargeFilesAreBuiltInTheBackground) {
    std::string games;
    for (int i = 0; i < kBackgroundBuildGames; ++i) {
        games +=
            "[White \"Player" + std::to_string(i % 7) + "\"]\n[Result \"1-0\"]\n\n1. e4 e5 2. Nf3 1-0\n\n";
    }
    OwnSession session(games, "many.pgn");
    session.platform.questionAnswers = {platform::kAnswerYes, platform::kAnswerYes};
    session.platform.fileChoices = {session.files.File("many")};
    session.Command(kCmdStartNewDatabase);
    session.window.FastFile().Worker().Join();
    session.Run();
    session.window.FastFile().Worker().Join();
    session.Run();
    EXPECT_EQ(session.Messages(), Texts{"Database complete."});
    EXPECT_EQ(session.platform.progress.titles, (Texts{"Make Fast File", "Make Database"}));
    EXPECT_TRUE(database::CheckDatabase(database::PathsOf(session.files.File("many.dbg"))).ok);
}

}  // namespace
}  // namespace ravelin::shell
