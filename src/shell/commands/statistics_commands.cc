#include "shell/commands/statistics_commands.h"

#include <sys/stat.h>

#include <algorithm>
#include <set>

#include "eco/eco_select.h"
#include "gamefile/game_loader.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/dialogs/report_dialogs.h"
#include "shell/display_mode.h"
#include "shell/main_window.h"
#include "statistics/cross_table.h"
#include "statistics/opening_stats.h"

namespace ravelin::shell {

namespace {

constexpr int kCmdEditVariationCommand = 111;
constexpr char kSelectAGameFirst[] = "Select a game first.";

enum SelectGameButton { kSelectOk, kSelectCurrent, kSelectReset, kSelectAltInfo };
enum ScoresButton { kScoresSelect, kScoresReset, kScoresReSort, kScoresExact };
enum OpeningsButton { kOpeningsSelect, kOpeningsReset, kOpeningsReSort };

bool RunDialog(MainWindow& window, platform::Dialog& dialog) {
    return window.Platform().dialogs != nullptr && window.Platform().dialogs->RunDialog(dialog);
}

void StatOf(const std::string& path, std::int64_t& size, std::int64_t& modified) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        size = modified = -1;
        return;
    }
    size = info.st_size;
    modified = static_cast<std::int64_t>(info.st_mtim.tv_sec) * 1000000000 + info.st_mtim.tv_nsec;
}

}  // namespace

StatisticsCommands::StatisticsCommands(MainWindow& window) : window_(window) {}

bool StatisticsCommands::RequireFile() {
    if (!window_.File().IsOpen() || window_.File().GameCount() == 0) {
        window_.Messages().ShowMessage(gamefile::kMustOpenFile);
        return false;
    }
    return true;
}

statistics::ReportSource StatisticsCommands::Source(bool navigation) const {
    statistics::ReportSource source;
    source.path = window_.File().Path();
    source.index = &window_.File().Index();
    source.gameCount = window_.File().GameCount();
    if (navigation) {
        if (const search::MatchList* list = window_.Search().navigation.Current()) {
            source.games = list->games;
        }
    }
    MainWindow& window = window_;
    source.warn = [&window](std::string_view text) { window.Messages().ShowMessage(text); };
    return source;
}

const statistics::GameListTable& StatisticsCommands::ListTable() {
    TableOf now{window_.File().Path(), window_.File().GameCount(), -1, -1};
    StatOf(now.path, now.size, now.modified);
    if (now.path != tableOf_.path || now.gameCount != tableOf_.gameCount || now.size != tableOf_.size ||
        now.modified != tableOf_.modified) {
        const eco::EcoTable& ecoTable = window_.Viewer().EcoTable();
        table_ = statistics::BuildGameListTable(Source(false), ecoTable, statistics::MainOpenings(ecoTable));
        tableOf_ = now;
    }
    return table_;
}

void StatisticsCommands::ShowGame(int game) {
    if (game != window_.File().currentGame) {
        returnGame_ = window_.File().currentGame;
    }
    window_.File().currentGame = game;
    window_.currentPly = 0;
    window_.Platform().commands->PostCommand(window_.displayMode == kModeText ? kCmdDisplayText
                                                                              : kCmdDisplayGame);
}

void StatisticsCommands::SelectGame() {
    if (databaseViewActive && databaseViewActive()) {
        window_.Platform().commands->PostCommand(kCmdDatabaseResultList);
        return;
    }
    if (!RequireFile()) {
        return;
    }
    const statistics::ReportSource source = Source(true);
    const std::vector<int>& matches = source.games;
    const int rows = source.Count();
    auto gameOfRow = [&](int row) {
        return matches.empty() ? row + 1 : matches[static_cast<std::size_t>(row)];
    };

    std::vector<std::string> plainRows;
    const statistics::GameListTable* table = nullptr;
    if (gamefile::IsEcoSourceFile(gamefile::MakeDisplayFileName(window_.File().FileName()))) {
        plainRows = statistics::EcoSourceRows(source);
    } else {
        table = &ListTable();
    }

    ReportListDialog dialog;
    dialog.title = kSelectGameTitle;
    dialog.buttons = {{"OK", false}, {"Current", false}, {"Reset", false}, {"Alt Info", false}};
    dialog.needRowMessage = kSelectAGameFirst;
    for (;;) {
        dialog.rowCount = table != nullptr ? rows : static_cast<int>(plainRows.size());
        const int format = listFormat_;
        dialog.rowText = [&, format](int row) -> std::string {
            if (table == nullptr) {
                return plainRows[static_cast<std::size_t>(row)];
            }
            const int game = gameOfRow(row);
            if (game < 1 || game > static_cast<int>(table->entries.size())) {
                return {};
            }
            return statistics::GameListRow(table->entries[static_cast<std::size_t>(game - 1)], game, format);
        };
        if (!RunDialog(window_, dialog)) {
            return;
        }
        switch (dialog.chosenButton) {
            case kSelectCurrent: {
                const int current = window_.File().currentGame;
                const auto found = std::find(matches.begin(), matches.end(), current);
                dialog.selectedRow = matches.empty()          ? current - 1
                                     : found == matches.end() ? -1
                                                              : static_cast<int>(found - matches.begin());
                dialog.topRow = std::max(0, dialog.selectedRow - 10);
                continue;
            }
            case kSelectReset:
                window_.Platform().commands->PostCommand(kCmdResetNavigation);
                return;
            case kSelectAltInfo:
                listFormat_ = (listFormat_ + 1) % statistics::kGameListFormats;
                continue;
            default:
                break;
        }
        const int row = dialog.RowSelected() ? dialog.selectedRow : 0;
        if (row >= rows) {
            return;
        }
        if (!matches.empty()) {
            window_.Search().navigation.MoveTo(row + 1);
        }
        ShowGame(gameOfRow(row));
        return;
    }
}

void StatisticsCommands::Return() {
    if (returnGame_ < 1 || returnGame_ > window_.File().GameCount()) {
        return;
    }
    ShowGame(returnGame_);
}

void StatisticsCommands::Scores(statistics::ScoreSortMode sort) {
    if (!RequireFile()) {
        return;
    }
    const statistics::ReportSource source = Source(true);
    bool rebuilt = false;
    for (;;) {
        statistics::ScoreOptions options;
        options.exact = exact_;
        options.sort = sort;
        options.message = [this](std::string_view text) { window_.Messages().ShowMessage(text); };
        options.askKnockout = [this, rebuilt] {
            return rebuilt ||
                   window_.Messages().AskQuestion(statistics::kKnockoutQuestion) == platform::kAnswerYes;
        };
        const statistics::PlayerTable table = statistics::ComputePlayerScores(source, options);
        ReportListDialog dialog;
        dialog.title = exact_ ? kPlayerScoresExactTitle : kPlayerScoresTitle;
        dialog.buttons = {{"Select", true}, {"Reset", false}, {"Re-Sort", false}, {"Exact", false}};
        dialog.needRowMessage = kClickOnAPlayerFirst;
        dialog.rowCount = static_cast<int>(table.order.size());
        dialog.rowText = [&table](int row) {
            return statistics::PlayerScoreRow(
                table.players[static_cast<std::size_t>(table.order[static_cast<std::size_t>(row)])]);
        };
        if (!RunDialog(window_, dialog)) {
            return;
        }
        switch (dialog.chosenButton) {
            case kScoresSelect: {
                const statistics::PlayerScore& player = table.players[static_cast<std::size_t>(
                    table.order[static_cast<std::size_t>(dialog.selectedRow)])];
                search::HeaderCriteria& criteria = window_.Search().criteria.header;
                if (SelectPlayer(criteria, statistics::PlayerSearchName(player.name, exact_))) {
                    window_.Platform().commands->PostCommand(kCmdEditHeader);
                }
                return;
            }
            case kScoresReset:
                window_.Platform().commands->PostCommand(kCmdResetNavigation);
                return;
            case kScoresReSort:
                sort = static_cast<statistics::ScoreSortMode>((static_cast<int>(sort) + 1) % 3);
                break;
            case kScoresExact:
                exact_ = !exact_;
                break;
            default:
                return;
        }
        rebuilt = true;
    }
}

bool StatisticsCommands::SelectPlayer(search::HeaderCriteria& criteria, const std::string& chosen) {
    if (!RequireFile()) {
        return false;
    }
    statistics::ScoreOptions options;
    options.sort = statistics::ScoreSortMode::kName;
    const statistics::PlayerTable table = statistics::ComputePlayerScores(Source(true), options);
    std::set<std::string> names;
    for (const statistics::PlayerScore& player : table.players) {
        const std::string name = statistics::PlayerSearchName(player.name, false);
        if (!name.empty()) {
            names.insert(name);
        }
    }
    if (!chosen.empty()) {
        names.insert(chosen);
    }
    SelectPlayerDialog dialog;
    dialog.players.assign(names.begin(), names.end());
    if (!chosen.empty()) {
        dialog.selectedPlayer = static_cast<int>(
            std::find(dialog.players.begin(), dialog.players.end(), chosen) - dialog.players.begin());
    }
    dialog.white = criteria[search::HeaderField::kWhite];
    dialog.black = criteria[search::HeaderField::kBlack];
    if (!RunDialog(window_, dialog)) {
        return false;
    }
    criteria[search::HeaderField::kWhite] = dialog.white;
    criteria[search::HeaderField::kBlack] = dialog.black;
    return true;
}

void StatisticsCommands::CrossTable() {
    if (!RequireFile()) {
        return;
    }
    statistics::ScoreOptions options;
    options.crossTable = true;
    options.exact = exact_;
    options.message = [this](std::string_view text) { window_.Messages().ShowMessage(text); };
    options.askKnockout = [this] {
        return window_.Messages().AskQuestion(statistics::kKnockoutQuestion) == platform::kAnswerYes;
    };
    const statistics::CrossTableText cross =
        statistics::MakeCrossTable(statistics::ComputePlayerScores(Source(true), options));
    if (!cross.error.empty()) {
        window_.Messages().ShowMessage(cross.error);
        return;
    }
    ReportTextDialog dialog(kCrossTableTitle, cross.text);
    RunDialog(window_, dialog);
}

void StatisticsCommands::Openings() {
    if (!RequireFile()) {
        return;
    }
    const eco::EcoTable& ecoTable = window_.Viewer().EcoTable();
    const statistics::MainOpenings openings(ecoTable);
    const statistics::ReportSource source = Source(true);
    statistics::OpeningSort sort = statistics::OpeningSort::kByCount;
    for (;;) {
        const std::vector<statistics::OpeningTally> tallies =
            statistics::ComputeOpeningStats(source, ecoTable, openings, sort);
        ReportListDialog dialog;
        dialog.title = kOpeningsTitle;
        dialog.buttons = {{"Select", true}, {"Reset", false}, {"Re-Sort", false}};
        dialog.needRowMessage = kSelectAnOpeningFirst;
        dialog.rowCount = static_cast<int>(tallies.size());
        dialog.rowText = [&](int row) {
            return statistics::OpeningRow(tallies[static_cast<std::size_t>(row)], ecoTable);
        };
        if (!RunDialog(window_, dialog)) {
            return;
        }
        switch (dialog.chosenButton) {
            case kOpeningsSelect: {
                const int entry = tallies[static_cast<std::size_t>(dialog.selectedRow)].entryPlusOne - 1;
                if (entry < 0) {
                    return;
                }
                const eco::EcoEntryLine line = eco::EntryLine(ecoTable, entry);
                search::SearchVariation& variation = window_.Search().criteria.variation;
                variation.Clear();
                for (std::size_t i = 0; i < line.white.size() && i < variation.whiteMoves.size(); ++i) {
                    chess::SetSanText(variation.whiteMoves[i], line.white[i]);
                }
                for (std::size_t i = 0; i < line.black.size() && i < variation.blackMoves.size(); ++i) {
                    chess::SetSanText(variation.blackMoves[i], line.black[i]);
                }
                window_.Platform().commands->PostCommand(kCmdEditVariationCommand);
                return;
            }
            case kOpeningsReset:
                window_.Platform().commands->PostCommand(kCmdResetNavigation);
                return;
            case kOpeningsReSort:
                sort = sort == statistics::OpeningSort::kByCount ? statistics::OpeningSort::kByName
                                                                 : statistics::OpeningSort::kByCount;
                break;
            default:
                return;
        }
    }
}

std::shared_ptr<StatisticsCommands> RegisterStatisticsCommands(MainWindow& window) {
    auto commands = std::make_shared<StatisticsCommands>(window);
    CommandHandlers& handlers = window.Handlers();
    handlers.Set(kCmdSelectGame, [commands] { commands->SelectGame(); });
    handlers.Set(kCmdReturn, [commands] { commands->Return(); });
    handlers.Set(kCmdDisplayScores, [commands] { commands->Scores(statistics::ScoreSortMode::kScore); });
    handlers.Set(kCmdDisplayPlayers, [commands] { commands->Scores(statistics::ScoreSortMode::kName); });
    handlers.Set(kCmdDisplayCrossTable, [commands] { commands->CrossTable(); });
    handlers.Set(kCmdDisplayOpenings, [commands] { commands->Openings(); });
    window.selectPlayer = [commands](search::HeaderCriteria& criteria) {
        return commands->SelectPlayer(criteria);
    };
    return commands;
}

}  // namespace ravelin::shell
