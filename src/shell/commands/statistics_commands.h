#pragma once

// The game list and the reports of the main window: "Select" (272) opens the Select Game list of
// the open file or of the navigation list, "Return" (110) goes back to the game shown before the
// last pick; "Display Scores" (156), "Display Players" (138, the player list by name), "Display
// Cross Table" (148) and "Display Openings" (157); and the Select Player form of Edit Header.

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "search/search_criteria.h"
#include "statistics/game_list_table.h"
#include "statistics/player_scores.h"
#include "statistics/report_source.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdDisplayPlayers = 138;
inline constexpr int kCmdDisplayCrossTable = 148;
inline constexpr int kCmdDisplayScores = 156;
inline constexpr int kCmdDisplayOpenings = 157;
// The database's result list, which "Select" opens instead while the database view is active.
inline constexpr int kCmdDatabaseResultList = 234;

class StatisticsCommands {
  public:
    explicit StatisticsCommands(MainWindow& window);
    StatisticsCommands(const StatisticsCommands&) = delete;
    StatisticsCommands& operator=(const StatisticsCommands&) = delete;

    void SelectGame();
    void Return();
    void Scores(statistics::ScoreSortMode sort);
    void CrossTable();
    void Openings();
    // Edit Header's "Players": the Select Player form over the players of the games; true when it
    // was closed with OK and the fields were taken.
    bool SelectPlayer(search::HeaderCriteria& criteria, const std::string& chosen = {});

    // Whether the database view is active, so that "Select" hands over to the database's result
    // list. Set by the database commands; empty means never.
    std::function<bool()> databaseViewActive;

  private:
    bool RequireFile();
    statistics::ReportSource Source(bool navigation) const;
    const statistics::GameListTable& ListTable();
    void ShowGame(int game);

    MainWindow& window_;
    int listFormat_ = 0;
    int returnGame_ = 0;
    bool exact_ = false;

    // The table of the file it was built for, kept until the file changes.
    struct TableOf {
        std::string path;
        int gameCount = -1;
        std::int64_t size = -1;
        std::int64_t modified = -1;
    } tableOf_;
    statistics::GameListTable table_;
};

// Makes the commands, registers their handlers and the Select Player form of Edit Header; the
// object is returned so the database can set its hook.
std::shared_ptr<StatisticsCommands> RegisterStatisticsCommands(MainWindow& window);

}  // namespace ravelin::shell
