#include <gtest/gtest.h>

#include <filesystem>

#include "database/database_check.h"
#include "database/database_format.h"
#include "fast_file_helpers.h"
#include "search/directory_search_file.h"
#include "shell/command_ids.h"
#include "shell/commands/database_commands.h"
#include "shell/commands/directory_search_commands.h"
#include "shell/commands/fast_file_commands.h"
#include "shell/commands/tree_commands.h"
#include "shell_session.h"
#include "tree/merge_file.h"

namespace ravelin::shell {
namespace {

using testing_support::DataText;
using testing_support::MakeFastFile;
using testing_support::MoveRecordsOf;
using testing_support::OwnSession;
using Texts = std::vector<std::string>;

struct DatabaseTreeSession : OwnSession {
    DatabaseTreeSession() : OwnSession(DataText("pgn/dortmund.pgn"), "d.pgn") {}
    Texts TreeLines() const { return platform.listWindows.Content(kTreeWindowKey).lines; }
    Texts NextMoves() const { return platform.listWindows.Content(kNextMovesWindowKey).lines; }
    // The games below the tree's current line, summed over its next moves.
    int GamesBelow() {
        const tree::OpeningTree* shown = window.Trees().Tree();
        int games = 0;
        for (const int child : shown->Children()) {
            games += shown->Nodes()[static_cast<std::size_t>(child)].games;
        }
        return games;
    }
    // The database built from the open file (its fast file made first), or the file added to it.
    void BuildDatabase(const std::string& db, int command) {
        platform.questionAnswers = {platform::kAnswerYes, platform::kAnswerYes};
        platform.fileChoices = {db};
        Command(command);
        window.FastFile().Worker().Join();
        Run();
    }
    // The lines of the tree window after a start command and a walk into the first move twice.
    std::vector<Texts> Walk(int startCommand) {
        Command(startCommand);
        std::vector<Texts> shown = {TreeLines()};
        for (int level = 0; level < 2; ++level) {
            EXPECT_TRUE(platform.listWindows.Activate(kTreeWindowKey, 0));
            shown.push_back(TreeLines());
        }
        return shown;
    }
};

// A database, a merge file and the PGN file of one name each keep a tree of their own; over the same
// games all three show the same moves and counts, and Show Next Moves agrees with the tree.
TEST(DatabaseTree, GrowsOverTheMovesFileBesideTheFileAndMergeTrees) {
    DatabaseTreeSession session;
    const std::string db = session.files.File("d.dbg");
    session.ClearRecords();
    session.Command(kCmdStartDatabaseTree);
    session.Command(kCmdNextMovesInDatabase);
    EXPECT_EQ(session.Messages(), (Texts{kNoDatabaseForTree, kNoDatabaseForTree}));

    session.BuildDatabase(db, kCmdStartNewDatabase);
    session.platform.fileChoices = {db};
    session.Command(kCmdOpenDatabase);
    ASSERT_TRUE(session.window.Databases().Database().IsOpen());
    const std::vector<Texts> fileTree = session.Walk(kCmdStartTree);
    ASSERT_EQ(fileTree[0].size(), 4u);
    session.Command(kCmdNextMovesInFile);
    const Texts fileNext = session.NextMoves();

    session.ClearRecords();
    EXPECT_EQ(session.Walk(kCmdStartDatabaseTree), fileTree);
    EXPECT_EQ(session.window.Trees().Tree()->Kind(), tree::TreeSourceKind::kDatabase);
    session.Command(kCmdNextMovesInDatabase);
    EXPECT_EQ(session.NextMoves(), fileNext);
    EXPECT_TRUE(session.Messages().empty());

    // The merge file may not be any file of the open database.
    const database::DatabasePaths paths = database::PathsOf(db);
    for (const std::string& own : {paths.moves, paths.games, paths.tree}) {
        session.platform.fileChoices = {own};
        session.Command(kCmdNewMergeFile);
    }
    EXPECT_EQ(session.Messages(), Texts(3, tree::kMergeTargetIsOwnFile));
    const std::string merge = session.files.File("d.trm");
    session.platform.fileChoices = {merge};
    session.Command(kCmdNewMergeFile);
    session.platform.fileChoices = {merge};
    session.Command(kCmdOpenMergeFile);
    EXPECT_EQ(session.Walk(kCmdStartMergeTree), fileTree);

    const std::string fileTreePath = session.files.File("d.TRE");
    const std::string mergeTreePath = session.files.File("d.MTE");
    for (const std::string& path : {fileTreePath, paths.tree, mergeTreePath}) {
        EXPECT_TRUE(std::filesystem::exists(path)) << path;
    }

    // The file added again: its tree is built anew and counts every game twice; Return finds the
    // remembered line again.
    session.BuildDatabase(db, kCmdAddToDatabase);
    EXPECT_FALSE(std::filesystem::exists(paths.tree));
    session.Command(kCmdStartDatabaseTree);
    EXPECT_EQ(session.GamesBelow(), 2 * 347);
    ASSERT_TRUE(session.platform.listWindows.Activate(kTreeWindowKey, 0));
    session.Command(kCmdStartTree);
    session.Command(kCmdReturnToDatabaseTree);
    ASSERT_EQ(session.window.Trees().Tree()->Kind(), tree::TreeSourceKind::kDatabase);
    EXPECT_EQ(session.window.Trees().Tree()->Line().Plies(), 1);

    // Reset removes the database's tree files only.
    session.platform.questionAnswers = {platform::kAnswerYes};
    session.Command(kCmdResetDatabaseTreeFile);
    EXPECT_FALSE(std::filesystem::exists(paths.tree));
    EXPECT_FALSE(std::filesystem::exists(paths.treeLine));
    EXPECT_TRUE(std::filesystem::exists(fileTreePath));
    EXPECT_TRUE(std::filesystem::exists(mergeTreePath));

    session.Command(kCmdCloseDatabase);
    session.ClearRecords();
    session.Command(kCmdGoToPositionInDatabase);
    EXPECT_EQ(session.Messages(), Texts{kNoDatabaseForTree});
}

// The games of a directory search go to a merge file, read from each file's fast file when it has
// one and from its text otherwise; the merge file then holds exactly their records, in order.
TEST(MergeFromDirectorySearch, HoldsTheRecordsOfTheGamesFound) {
    DatabaseTreeSession session;
    const std::string other = session.files.Write("w.pgn", DataText("pgn/lichess-benchmark.pgn"));
    session.ClearRecords();
    const std::string merge = session.files.File("found.trm");
    session.platform.fileChoices = {merge};
    session.Command(kCmdDirSearchGamesToNewMergeFile);
    EXPECT_EQ(session.Messages(), Texts{kMustPerformDirSearch});

    ASSERT_EQ(MakeFastFile(session.files.File("d.pgn")).status, search::FastFileStatus::kComplete);
    search::ResultFileHeader header;
    header.directory = session.files.Path().string();
    search::ResultFileWriter writer;
    ASSERT_TRUE(writer.Create(session.window.Paths().File(search::kResultFileName), header));
    search::ResultFileRecord first;
    first.name = "d";
    first.games = {2, 5, 347};
    search::ResultFileRecord second;
    second.name = "w";
    second.games = {1, 3};
    ASSERT_TRUE(writer.Append(first) && writer.Append(second) && writer.Finish());

    session.ClearRecords();
    session.platform.fileChoices = {other};
    session.Command(kCmdDirSearchGamesToNewMergeFile);
    EXPECT_EQ(session.Messages(), Texts{tree::kMergeTargetIsOwnFile});
    session.ClearRecords();
    session.platform.fileChoices = {merge};
    session.Command(kCmdDirSearchGamesToNewMergeFile);
    session.platform.fileChoices = {merge};
    session.Command(kCmdDirSearchGamesToMergeFile);
    EXPECT_EQ(session.Messages(), Texts(2, kMergeFileCompleteText));

    const std::vector<std::string> own = MoveRecordsOf(session.files.File("d.TRF"));
    ASSERT_EQ(MakeFastFile(other).status, search::FastFileStatus::kComplete);
    const std::vector<std::string> others = MoveRecordsOf(session.files.File("w.TRF"));
    ASSERT_EQ(own.size(), 347u);
    const std::string once = own[1] + own[4] + own[346] + others[0] + others[2];
    EXPECT_EQ(ravelin::testing::ReadWholeFile(merge), once + once + std::string(2, '\0'));
}

}  // namespace
}  // namespace ravelin::shell
