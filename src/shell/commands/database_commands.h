#pragma once

// The database commands of the main window: open, start, add to, check and close a database, its
// search and the list of its results (234), stepping through the results on the board, copying
// them to a PGN file (238 new, 239 existing) and the duplicate games of the database (244).

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "database/database_build.h"
#include "database/database_reader.h"
#include "display/game_display.h"
#include "gamefile/line_reader.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/database_search_dialog.h"
#include "shell/dialogs/report_dialogs.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdOpenDatabase = 230;
inline constexpr int kCmdSearchDatabase = 233;
// The list of the last database search's results; the game list hands over to it while the
// database view is active.
inline constexpr int kCmdDatabaseResults = 234;
inline constexpr int kCmdCheckDatabase = 235;
inline constexpr int kCmdCopyDatabaseResultsToNewFile = 238;
inline constexpr int kCmdCopyDatabaseResultsToExistingFile = 239;
inline constexpr int kCmdDatabaseDuplicates = 244;
inline constexpr int kCmdCloseDatabase = 246;
inline constexpr int kCmdSearchDatabasePosition = 247;
inline constexpr int kCmdSearchDatabaseMenuBar = 248;

inline constexpr char kDatabaseExists[] = "Database already exists. Do you want to overwrite?";
inline constexpr char kNoOpenDatabase[] = "There is no open database.";
inline constexpr char kDatabaseClosed[] = "Database closed.";
inline constexpr char kMustOpenDatabase[] = "Must open a database first.";
inline constexpr char kDatabaseDoesNotExist[] = "Database does not exist.";
inline constexpr char kNoDatabaseGamesToCopy[] = "There are no database games to copy.";
inline constexpr char kSelectDatabaseTitle[] = "Select Database";
inline constexpr std::string_view kDatabaseGameFileName = "dbgameqq.xyz";
inline constexpr char kMakeDatabaseTitle[] = "Make Database";
inline constexpr char kCannotCancelDatabase[] = "Sorry, cannot cancel database generation.";
// From this many games on, a database is built on the worker with a progress window.
inline constexpr int kBackgroundBuildGames = 10000;
inline constexpr char kSelectADatabaseGameFirst[] = "Select a game first.";
// The buttons of the results list after OK.
inline constexpr int kResultListCurrent = 1;
inline constexpr int kResultListAltInfo = 2;

class DatabaseCommands {
  public:
    explicit DatabaseCommands(MainWindow& window);
    ~DatabaseCommands();
    DatabaseCommands(const DatabaseCommands&) = delete;
    DatabaseCommands& operator=(const DatabaseCommands&) = delete;

    // Whether the board shows the database's games (the game list then lists the results).
    bool DatabaseViewActive() const { return viewActive_ && database_.IsOpen(); }
    // Command 234: the results in a list; the chosen one is shown.
    void ShowResultList();
    const database::Database& Database() const { return database_; }
    const std::vector<int>& Results() const { return results_; }
    // The position in the results of the game shown.
    int CurrentResult() const { return current_; }

  private:
    void Register();
    std::optional<std::string> ChooseDatabase(bool saveDialog);
    void Build(bool add);
    void StartBackgroundBuild(const std::string& target, database::BuildMode mode);
    void Open();
    void Close();
    void Check();
    void Search(bool positionOnly);
    void CopyResults(bool existingFile, bool shownGameOnly);
    void Duplicates();
    bool ShowResult(display::GameDisplay& display);
    void Step(int direction);
    void ShowGameAt(int resultPosition);

    MainWindow& window_;
    database::Database database_;
    DatabaseSearchDialog dialog_;
    std::vector<int> results_;
    int current_ = 0;
    int listFormat_ = 0;
    bool viewActive_ = false;
    int gameFd_ = -1;
    gamefile::LineReader reader_;
};

}  // namespace ravelin::shell
