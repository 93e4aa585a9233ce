// Every operation that rewrites a file is run in a child process that kills itself at each step
// of its rewrites in turn; the files must then hold exactly the old or the new contents and read
// back as the program reads them.

#include <signal.h>
#include <sys/wait.h>
#include <unistd.h>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "annotation/annotation_session.h"
#include "database/database_build.h"
#include "database/database_check.h"
#include "eco/eco_table.h"
#include "fast_file_helpers.h"
#include "gamefile/game_edit.h"
#include "gamefile/game_index.h"
#include "platform/file_util.h"
#include "settings/settings_startup.h"
#include "temp_dir.h"
#include "tree/eco_editor.h"
#include "tree/merge_file.h"
#include "tree/tree_file.h"
#include "utilities/adjust_file.h"
#include "utilities/check_file.h"
#include "utilities/duplicates.h"
#include "utilities/pgn_text.h"
#include "utilities/plain_rewrites.h"
#include "utilities/split_file.h"

namespace ravelin::utilities {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;

constexpr char kGames[] =
    "[Event \"One\"]\r\n[White   \"Zed\"]\r\n[Result \"1-0\"]\r\n\r\n1. e4 {best} e5 2. Nf3 1-0\r\n\r\n"
    "[Event \"Two\"]\r\n[White \"Abe\"]\r\n[Result \"*\"]\r\n\r\n  1. e4  e5 2. Nf3 *\r\n\r\n"
    "[Event \"Bad\"]\r\n[White \"Cid\"]\r\n[Result \"*\"]\r\n\r\n1. e4 e4 *\r\n\r\n"
    "[Event \"Setup\"]\r\n[SetUp \"1\"]\r\n[FEN \"8/8/8/8/8/8/k7/K7 w - - 0 1\"]\r\n[Result "
    "\"*\"]\r\n\r\n*\r\n\r\n";
constexpr char kNewGame[] = "[Event \"New\"]\r\n[Result \"*\"]\r\n\r\n1. d4 *\r\n";

gamefile::GameIndex IndexOf(const std::string& path) {
    gamefile::GameIndex index;
    gamefile::IndexGameFileAt(path, index);
    return index;
}

// Whether the program reads the PGN file whole: every game it finds starts a game of the file.
bool ReadsAsGames(const std::string& path) {
    PgnText text;
    if (LoadPgnText(path, text) != nullptr) {
        return false;
    }
    for (int i = 0; i < text.Count(); ++i) {
        if (!text.Game(i).starts_with("[Event")) {
            return false;
        }
    }
    return true;
}

void Rewrite(const std::string& path, const std::function<std::string(const PgnText&)>& change) {
    PgnText text;
    ASSERT_EQ(LoadPgnText(path, text), nullptr);
    ASSERT_EQ(ReplacePgnFile(path, change(text)), nullptr);
}

std::vector<tree::TreeNode> Root(int games) {
    std::vector<tree::TreeNode> nodes(1);
    nodes[0].games = games;
    return nodes;
}

tree::EcoTableFiles EcoTable(int entries) {
    tree::EcoTableFiles files;
    for (int i = 0; i < entries; ++i) {
        files.codes.push_back("C2" + std::to_string(i));
        files.names.push_back("Line " + std::to_string(i));
        files.moves.push_back("1.e4 e5");
        files.order.push_back(static_cast<std::uint32_t>(entries - 1 - i));
    }
    return files;
}

struct Operation {
    const char* name;
    // Makes the old files in the directory and returns those the operation rewrites.
    std::function<std::vector<std::string>(TempDir&)> prepare;
    std::function<void(const std::vector<std::string>&)> run;
    // Whether the program reads the files without complaint.
    std::function<bool(const std::vector<std::string>&)> reads;
};

std::vector<std::string> GameFile(TempDir& dir) {
    return {dir.Write("games.pgn", kGames)};
}

bool GamesRead(const std::vector<std::string>& files) {
    return ReadsAsGames(files[0]);
}

// Writes a game file with its fast file beside it and builds the database games.dbg of its
// directory from it.
void BuildDatabaseFrom(const std::string& directory, const std::string& text, database::BuildMode mode) {
    const std::string pgn = directory + (mode == database::BuildMode::kNew ? "/new.pgn" : "/added.pgn");
    ASSERT_TRUE(platform::WriteFileReplacing(pgn, text.data(), text.size()));
    shell::testing_support::MakeFastFile(pgn);
    database::BuildDatabase(directory + "/games.dbg", mode, pgn, IndexOf(pgn).Count());
}

std::string DirectoryOf(const std::string& path) {
    return path.substr(0, path.rfind('/'));
}

// A database of the four games; the operations build it anew or add one more game.
std::vector<std::string> DatabaseFiles(TempDir& dir) {
    BuildDatabaseFrom(dir.Path().string(), kGames, database::BuildMode::kNew);
    const database::DatabasePaths paths = database::PathsOf(dir.File("games.dbg"));
    return {paths.games, paths.header, paths.moves, paths.positions, paths.root};
}

bool DatabaseChecks(const std::vector<std::string>& files) {
    return database::CheckDatabase(database::PathsOf(files[0])).ok;
}

const std::vector<Operation>& Operations() {
    static const std::vector<Operation> operations = {
        {"delete a game", GameFile, [](auto& f) { gamefile::DeleteGameFromFile(f[0], IndexOf(f[0]), 2); },
         GamesRead},
        {"replace a game", GameFile,
         [](auto& f) { gamefile::ReplaceGameInFile(f[0], IndexOf(f[0]), 2, kNewGame); }, GamesRead},
        {"insert a game", GameFile,
         [](auto& f) { gamefile::InsertGamesIntoFile(f[0], IndexOf(f[0]), 1, {kNewGame}); }, GamesRead},
        {"append a game", GameFile,
         [](auto& f) {
             gamefile::GameIndex index = IndexOf(f[0]);
             gamefile::AppendGamesToFile(f[0], index, {kNewGame});
         },
         GamesRead},
        {"check and delete bad games", GameFile,
         [](auto& f) {
             Rewrite(f[0],
                     [](const PgnText& t) { return CheckFile(t, CheckMode::kDeleteBadGames, {}).contents; });
         },
         GamesRead},
        {"delete FEN games", GameFile,
         [](auto& f) { Rewrite(f[0], [](const PgnText& t) { return DeleteFenGames(t, {}).contents; }); },
         GamesRead},
        {"delete duplicates", GameFile,
         [](auto& f) { Rewrite(f[0], [](const PgnText& t) { return DeleteDuplicates(t, {2}); }); },
         GamesRead},
        {"adjust", GameFile,
         [](auto& f) {
             Rewrite(f[0], [](const PgnText& t) { return AdjustFile(t, [] { return true; }, {}).contents; });
         },
         GamesRead},
        {"trim", GameFile,
         [](auto& f) { Rewrite(f[0], [](const PgnText& t) { return TrimFile(t).contents; }); }, GamesRead},
        {"sort", GameFile,
         [](auto& f) { Rewrite(f[0], [](const PgnText& t) { return SortFile(t).contents; }); }, GamesRead},
        {"strip headers", GameFile,
         [](auto& f) { Rewrite(f[0], [](const PgnText& t) { return StripHeader(t).contents; }); },
         [](auto& f) {
             PgnText text;
             return LoadPgnText(f[0], text) == nullptr;
         }},
        {"split over an old part",
         [](TempDir& dir) {
             dir.Write("games.pgn", kGames);
             return std::vector<std::string>{dir.Write("games1.pgn", kNewGame)};
         },
         [](auto& f) {
             const std::string path = f[0].substr(0, f[0].size() - 5) + ".pgn";
             PgnText text;
             LoadPgnText(path, text);
             SplitFile(text, PlanSplit(path, text.Count()), [](const std::string&) { return true; }, {});
         },
         GamesRead},
        {"save an annotated game", GameFile,
         [](auto& f) {
             annotation::AnnotationSession session;
             ASSERT_EQ(session.LoadFromFile(f[0], IndexOf(f[0]), 2, f[0] + ".scratch"), nullptr);
             session.Text() += "{annotated}\r\n";
             ASSERT_EQ(session.Commit(false), nullptr);
             ASSERT_EQ(session.SaveToFile(), nullptr);
         },
         GamesRead},
        {"edit the ECO table",
         [](TempDir& dir) {
             EXPECT_TRUE(tree::WriteEcoTableFiles(dir.Path().string(), EcoTable(3)));
             std::vector<std::string> files;
             for (const char* name :
                  {eco::kEcoCodesFile, eco::kEcoNamesFile, eco::kEcoMovesFile, eco::kEcoSortFile}) {
                 files.push_back(dir.File(name));
             }
             return files;
         },
         [](auto& f) { tree::WriteEcoTableFiles(f[0].substr(0, f[0].rfind('/')), EcoTable(5)); },
         [](auto& f) {
             tree::EcoTableFiles files;
             return tree::ReadEcoTableFiles(f[0].substr(0, f[0].rfind('/')), files);
         }},
        {"save a tree",
         [](TempDir& dir) {
             const std::string path = dir.File("games.TRE");
             EXPECT_TRUE(tree::SaveTreeFile(path, Root(1)));
             return std::vector<std::string>{path};
         },
         [](auto& f) { tree::SaveTreeFile(f[0], Root(2)); },
         [](auto& f) {
             std::vector<tree::TreeNode> nodes;
             return tree::LoadTreeFile(f[0], nodes) == tree::TreeFileLoad::kLoaded;
         }},
        {"append to a merge file",
         [](TempDir& dir) {
             return std::vector<std::string>{dir.Write("tree.MRG", std::string("ab\0\0", 4))};
         },
         [](auto& f) { tree::WriteRecordsIntoMerge(std::string("cdef\0\0", 6), f[0], true); },
         [](auto& f) { return tree::MergeFileIsTerminated(f[0]); }},
        {"start a new database", DatabaseFiles,
         [](auto& f) { BuildDatabaseFrom(DirectoryOf(f[0]), kNewGame, database::BuildMode::kNew); },
         DatabaseChecks},
        {"add to a database", DatabaseFiles,
         [](auto& f) { BuildDatabaseFrom(DirectoryOf(f[0]), kNewGame, database::BuildMode::kAdd); },
         DatabaseChecks},
        {"save the settings",
         [](TempDir& dir) {
             const std::string path = dir.File("settings.ini");
             EXPECT_TRUE(settings::SaveSettingsFile(path, settings::SettingsRecord{}));
             return std::vector<std::string>{path};
         },
         [](auto& f) {
             settings::SettingsRecord record;
             record.SetPgnFileName("other.pgn");
             settings::SaveSettingsFile(f[0], record);
         },
         [](auto& f) { return settings::ReadSettingsFile(f[0]).has_value(); }},
    };
    return operations;
}

std::string Snapshot(const std::vector<std::string>& files) {
    std::string all;
    for (const std::string& file : files) {
        all += ReadWholeFile(file) + '\x1f';
    }
    return all;
}

int stepsSeen = 0;
int killAtStep = 0;

void CountAndKill(platform::RewriteStep) {
    if (++stepsSeen == killAtStep) {
        kill(getpid(), SIGKILL);
    }
}

TEST(CrashSafety, AProcessKilledAtAnyStepOfARewriteLeavesTheOldOrTheNewFiles) {
    platform::SetRewriteObserver(CountAndKill);
    for (const Operation& operation : Operations()) {
        SCOPED_TRACE(operation.name);
        // The reference run gives the new contents and the number of steps to kill at.
        TempDir reference;
        const std::vector<std::string> referenceFiles = operation.prepare(reference);
        const std::string oldContents = Snapshot(referenceFiles);
        stepsSeen = 0;
        killAtStep = 0;
        operation.run(referenceFiles);
        const int steps = stepsSeen;
        const std::string newContents = Snapshot(referenceFiles);
        ASSERT_NE(newContents, oldContents);
        ASSERT_GT(steps, 0);
        for (int step = 1; step <= steps; ++step) {
            SCOPED_TRACE("killed at step " + std::to_string(step));
            TempDir dir;
            const std::vector<std::string> files = operation.prepare(dir);
            const pid_t child = fork();
            ASSERT_GE(child, 0);
            if (child == 0) {
                stepsSeen = 0;
                killAtStep = step;
                operation.run(files);
                _exit(0);
            }
            int status = 0;
            ASSERT_EQ(waitpid(child, &status, 0), child);
            ASSERT_TRUE(WIFSIGNALED(status) && WTERMSIG(status) == SIGKILL);
            // The program reads the files first: a reader finishes what a crash left half done.
            EXPECT_TRUE(operation.reads(files));
            const std::string contents = Snapshot(files);
            EXPECT_TRUE(contents == oldContents || contents == newContents) << contents;
        }
    }
    platform::SetRewriteObserver(nullptr);
}

}  // namespace
}  // namespace ravelin::utilities
