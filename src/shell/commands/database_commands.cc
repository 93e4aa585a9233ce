#include "shell/commands/database_commands.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <filesystem>

#include "database/database_build.h"
#include "database/database_check.h"
#include "database/database_search.h"
#include "database/position_signature.h"
#include "gamefile/background_worker.h"
#include "gamefile/game_edit.h"
#include "gamefile/game_file.h"
#include "platform/file_util.h"
#include "platform/messages.h"
#include "search/fast_file_reader.h"
#include "shell/command_ids.h"
#include "shell/commands/copy_list_commands.h"
#include "shell/commands/fast_file_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/game_list_dialog.h"
#include "shell/dialogs/report_dialogs.h"
#include "shell/main_window.h"
#include "statistics/game_list_table.h"
#include "utilities/fast_duplicates.h"

namespace ravelin::shell {

namespace {

std::string Formatted(const char* format, int a, int b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

bool FastFilePresent(const std::string& pgnPath) {
    return platform::FileExists(gamefile::CompanionPath(pgnPath, "TRF")) &&
           platform::FileExists(gamefile::CompanionPath(pgnPath, "TRH"));
}

}  // namespace

DatabaseCommands::DatabaseCommands(MainWindow& window) : window_(window) {
    Register();
}

DatabaseCommands::~DatabaseCommands() {
    if (gameFd_ >= 0) {
        ::close(gameFd_);
    }
}

void DatabaseCommands::Register() {
    CommandHandlers& handlers = window_.Handlers();
    handlers.Set(kCmdOpenDatabase, [this] { Open(); });
    handlers.Set(kCmdStartNewDatabase, [this] { Build(false); });
    handlers.Set(kCmdAddToDatabase, [this] { Build(true); });
    handlers.Set(kCmdSearchDatabase, [this] { Search(false); });
    handlers.Set(kCmdSearchDatabaseMenuBar, [this] { Search(false); });
    handlers.Set(kCmdSearchDatabasePosition, [this] { Search(true); });
    handlers.Set(kCmdDatabaseResults, [this] { ShowResultList(); });
    handlers.Set(kCmdCheckDatabase, [this] { Check(); });
    handlers.Set(kCmdCloseDatabase, [this] { Close(); });
    handlers.Set(kCmdCopyDatabaseResultsToNewFile, [this] { CopyResults(false, false); });
    handlers.Set(kCmdCopyDatabaseResultsToExistingFile, [this] { CopyResults(true, false); });
    // "Copy Game To..." copies the database game shown while the database view is up.
    for (const int command : {kCmdCopyGameToNewFile, kCmdCopyGameToExistingFile}) {
        handlers.Set(command, [this, command, fileCopy = handlers.Get(command)] {
            if (DatabaseViewActive()) {
                CopyResults(command == kCmdCopyGameToExistingFile, true);
            } else if (fileCopy) {
                fileCopy();
            }
        });
    }
    handlers.Set(kCmdDatabaseDuplicates, [this] { Duplicates(); });

    GameViewer::OtherSource source;
    source.active = [this] { return DatabaseViewActive(); };
    source.show = [this](display::GameDisplay& display) { return ShowResult(display); };
    source.step = [this](int direction) { Step(direction); };
    source.fileLine = [this] {
        return "DB:  " + gamefile::MakeDisplayFileName(
                             std::filesystem::path(database_.Paths().games).filename().string());
    };
    source.gameLine = [this] {
        const int game = current_ < static_cast<int>(results_.size()) ? results_[current_] + 1 : 0;
        return Formatted("Game:  %d of %d", game, database_.GameCount());
    };
    window_.Viewer().SetOtherSource(std::move(source));
    std::function<void()> before = std::move(window_.hooks.leaveDatabaseView);
    window_.hooks.leaveDatabaseView = [this, before] {
        viewActive_ = false;
        if (before) {
            before();
        }
    };
}

std::optional<std::string> DatabaseCommands::ChooseDatabase(bool saveDialog) {
    platform::FileDialogRequest request;
    request.title = kSelectDatabaseTitle;
    request.filter = "*.dbg";
    request.initialDirectory = window_.File().IsOpen() ? window_.File().Directory() : std::string();
    request.saveDialog = saveDialog;
    std::optional<std::string> chosen = window_.Platform().files->ChooseFile(request);
    if (!chosen || chosen->empty()) {
        return std::nullopt;
    }
    if (std::filesystem::path(*chosen).extension().empty()) {
        *chosen += ".dbg";
    }
    // Only a database's own file is ever emptied or extended: never the PGN file or another file.
    if (!database::HasDatabaseExtension(*chosen)) {
        window_.Messages().ShowMessage(database::kNotADatabaseName);
        return std::nullopt;
    }
    return chosen;
}

void DatabaseCommands::Build(bool add) {
    settings::MessageBoxes& messages = window_.Messages();
    gamefile::GameFile& file = window_.File();
    const int command = add ? kCmdAddToDatabase : kCmdStartNewDatabase;
    if (!search::FastFileIsCurrent(file.Path(), file.GameCount())) {
        const char* question =
            FastFilePresent(file.Path()) ? database::kStaleFastFileQuestion : database::kNoFastFileQuestion;
        if (messages.AskQuestion(question) == platform::kAnswerYes) {
            window_.FastFile().MakeFastFile(command);
        }
        return;
    }
    const std::optional<std::string> target = ChooseDatabase(!add);
    if (!target) {
        return;
    }
    const bool exists = platform::FileExists(*target);
    if (add) {
        if (messages.AskQuestion(kAreYouSure) != platform::kAnswerYes) {
            return;
        }
        if (!exists) {
            messages.ShowMessage(database::kFileOpenError);
            return;
        }
    } else if (messages.AskQuestion(exists ? kDatabaseExists : kAreYouSure) != platform::kAnswerYes) {
        return;
    }
    // The open database's files may be replaced: it is read again afterwards.
    std::error_code ignored;
    const bool wasOpen =
        database_.IsOpen() && std::filesystem::equivalent(database_.Paths().games, *target, ignored);
    if (wasOpen) {
        // Its files change: the results no longer name its games, and the board shows the file again.
        if (DatabaseViewActive()) {
            window_.Platform().commands->PostCommand(kCmdDisplayGame);
        }
        database_.Close();
        viewActive_ = false;
        results_.clear();
        window_.databaseOpen = false;
    }
    const database::BuildMode mode = add ? database::BuildMode::kAdd : database::BuildMode::kNew;
    if (file.GameCount() >= kBackgroundBuildGames) {
        // The database built in the background is opened again by the user.
        StartBackgroundBuild(*target, mode);
        return;
    }
    const database::BuildOutcome outcome =
        database::BuildDatabase(*target, mode, file.Path(), file.GameCount());
    if (outcome.status == database::BuildStatus::kStaleFastFile) {
        if (messages.AskQuestion(outcome.message) == platform::kAnswerYes) {
            window_.FastFile().MakeFastFile(command);
        }
    } else {
        messages.ShowMessage(outcome.message);
    }
    if (wasOpen) {
        window_.databaseOpen = database_.Open(*target) == nullptr;
    }
}

void DatabaseCommands::StartBackgroundBuild(const std::string& target, database::BuildMode mode) {
    gamefile::BackgroundRequest request;
    request.kind = gamefile::BackgroundKind::kMakeDatabase;
    request.title = kMakeDatabaseTitle;
    request.total = window_.File().GameCount();
    request.cancelRefusal = kCannotCancelDatabase;
    gamefile::BackgroundWorker& worker = window_.FastFile().Worker();
    window_.SetBackgroundOperation(&worker);
    // The worker gets copies: it shares nothing with the window.
    const std::string pgnPath = window_.File().Path();
    const int gameCount = window_.File().GameCount();
    worker.StartBackgroundOperation(
        request, [target, mode, pgnPath, gameCount](gamefile::WorkerContext& context) {
            database::BuildHooks hooks;
            hooks.progress = [&context](int done, int total) {
                context.UpdateProgress(done, 0, total);
                context.StopRequested();
            };
            const database::BuildOutcome outcome =
                database::BuildDatabase(target, mode, pgnPath, gameCount, hooks);
            gamefile::BackgroundReport report;
            report.message = outcome.message;
            report.deferredState = outcome.status == database::BuildStatus::kComplete
                                       ? gamefile::kRunFinishedResults
                                       : gamefile::kRunFinishedError;
            return report;
        });
}

void DatabaseCommands::Open() {
    const std::optional<std::string> path = ChooseDatabase(false);
    if (!path) {
        return;
    }
    viewActive_ = false;
    results_.clear();
    if (const char* failure = database_.Open(*path)) {
        window_.databaseOpen = false;
        window_.Messages().ShowMessage(failure);
        return;
    }
    window_.databaseOpen = true;
    Search(false);
}

void DatabaseCommands::Close() {
    if (!database_.IsOpen()) {
        window_.Messages().ShowMessage(kNoOpenDatabase);
        return;
    }
    const bool wasShown = DatabaseViewActive();
    database_.Close();
    results_.clear();
    viewActive_ = false;
    window_.databaseOpen = false;
    window_.Messages().ShowMessage(kDatabaseClosed);
    if (wasShown) {
        window_.displayMode = kModeNothing;
        if (window_.File().IsOpen()) {
            window_.Platform().commands->PostCommand(kCmdDisplayGame);
        }
    }
}

void DatabaseCommands::Check() {
    std::string path;
    if (database_.IsOpen()) {
        path = database_.Paths().games;
    } else if (const std::optional<std::string> chosen = ChooseDatabase(false)) {
        path = *chosen;
    } else {
        return;
    }
    window_.Messages().ShowMessage(database::CheckDatabase(database::PathsOf(path)).message);
}

void DatabaseCommands::Search(bool positionOnly) {
    if (!database_.IsOpen()) {
        Open();
        return;
    }
    settings::MessageBoxes& messages = window_.Messages();
    database::DatabaseCriteria criteria;
    if (positionOnly) {
        criteria.position = database::FastBoardOf(window_.Search().criteriaBoard.squares);
    } else {
        if (window_.Platform().dialogs == nullptr || !window_.Platform().dialogs->RunDialog(dialog_)) {
            return;
        }
        criteria = dialog_.Criteria();
        if (dialog_.fromPositionEdit) {
            criteria.position = database::FastBoardOf(window_.Search().criteriaBoard.squares);
        } else if (dialog_.fromGamePosition && window_.Viewer().Display().HasGame()) {
            criteria.position = database::FastBoardOf(window_.Viewer().Display().ShownBoard());
        }
    }
    const database::DatabaseSearchOutcome outcome = database::SearchDatabase(database_, criteria);
    if (outcome.failure != nullptr) {
        messages.ShowMessage(outcome.failure);
        return;
    }
    results_ = outcome.games;
    current_ = 0;
    database::WriteResultFile(database_.Paths().results, results_);
    if (results_.empty()) {
        viewActive_ = false;
        messages.ShowMessage(std::string(database::kNumberOfGamesFound) + ": 0");
        return;
    }
    ShowResultList();
}

void DatabaseCommands::ShowResultList() {
    if (!database_.IsOpen() || results_.empty()) {
        window_.Messages().ShowMessage(database_.IsOpen() ? kNoDatabaseGamesToCopy : kMustOpenDatabase);
        return;
    }
    // The Select Game list over the results, its rows made when they are drawn; a game keeps its
    // number in the database.
    ReportListDialog dialog;
    dialog.title = kSelectGameTitle;
    dialog.buttons = {{"OK", false}, {"Current", false}, {"Alt Info", false}};
    dialog.needRowMessage = kSelectADatabaseGameFirst;
    dialog.rowCount = static_cast<int>(results_.size());
    for (;;) {
        const int format = listFormat_;
        dialog.rowText = [this, format](int row) -> std::string {
            const int game = results_[static_cast<std::size_t>(row)];
            database::GameRecord record;
            std::string header;
            database::HeaderValues values;
            if (!database_.Record(game, record) || !database_.Header(record, header, values)) {
                return {};
            }
            statistics::GameTags tags;
            tags.white = values[database::kWhite];
            tags.black = values[database::kBlack];
            tags.result = values[database::kResult];
            tags.date = values[database::kDate];
            tags.eco = values[database::kEco];
            tags.whiteElo = values[database::kWhiteElo];
            tags.blackElo = values[database::kBlackElo];
            tags.round = values[database::kRound];
            tags.event = values[database::kEvent];
            tags.site = values[database::kSite];
            return statistics::GameListRow(statistics::MakeGameListEntry(tags, ""), game + 1, format);
        };
        if (window_.Platform().dialogs == nullptr || !window_.Platform().dialogs->RunDialog(dialog)) {
            return;
        }
        if (dialog.chosenButton == kResultListCurrent) {
            dialog.selectedRow = current_;
            dialog.topRow = std::max(0, current_ - 10);
            continue;
        }
        if (dialog.chosenButton == kResultListAltInfo) {
            listFormat_ = (listFormat_ + 1) % statistics::kGameListFormats;
            continue;
        }
        break;
    }
    ShowGameAt(dialog.RowSelected() ? dialog.selectedRow : 0);
}

void DatabaseCommands::ShowGameAt(int resultPosition) {
    current_ = resultPosition;
    viewActive_ = true;
    window_.Viewer().ShowCurrentGame();
}

bool DatabaseCommands::ShowResult(display::GameDisplay& display) {
    std::string text;
    if (current_ < 0 || current_ >= static_cast<int>(results_.size()) ||
        !database::ReadGameText(database_, results_[current_], text)) {
        window_.Messages().ShowMessage(database::kRootError);
        return false;
    }
    // The game goes through a working file, so that the display reads it as any PGN game.
    const std::string path = window_.Paths().File(kDatabaseGameFileName);
    if (gameFd_ >= 0) {
        ::close(gameFd_);
        gameFd_ = -1;
    }
    if (!platform::WriteFileReplacing(path, text.data(), text.size(), platform::Durability::kCache) ||
        (gameFd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC)) < 0) {
        window_.Messages().ShowMessage(database::kFileWriteError);
        return false;
    }
    reader_.Attach(gameFd_);
    gamefile::GameIndex index;
    index.offsets.push_back(0);
    return display.ShowGame(std::string(kDatabaseGameFileName), reader_, index, 1);
}

void DatabaseCommands::Step(int direction) {
    const int target = current_ + direction;
    if (target < 0 || target >= static_cast<int>(results_.size())) {
        return;
    }
    ShowGameAt(target);
}

void DatabaseCommands::CopyResults(bool existingFile, bool shownGameOnly) {
    settings::MessageBoxes& messages = window_.Messages();
    if (!database_.IsOpen() || results_.empty()) {
        messages.ShowMessage(kNoDatabaseGamesToCopy);
        return;
    }
    const std::optional<std::string> target = SelectTargetFile(window_);
    if (!target) {
        return;
    }
    if (window_.File().IsOpen() && IsSameFile(*target, window_.File().Path())) {
        messages.ShowMessage(kSameAsCurrentFile);
        return;
    }
    const bool exists = platform::FileExists(*target);
    if (existingFile && !exists) {
        messages.ShowMessage(kFileDoesNotExist);
        return;
    }
    const bool overwrite = !existingFile && exists;
    if (messages.AskQuestion(overwrite ? kFileAlreadyExists : kDoYouWantToContinue) != platform::kAnswerYes) {
        return;
    }
    // Every game is read before the target is touched.
    std::vector<int> copied = results_;
    if (shownGameOnly) {
        copied = {results_[static_cast<std::size_t>(current_)]};
    }
    std::vector<std::string> games;
    games.reserve(copied.size());
    for (const int index : copied) {
        std::string text;
        if (!database::ReadGameText(database_, index, text)) {
            messages.ShowMessage(database::kRootError);
            return;
        }
        games.push_back(std::move(text));
    }
    const char* failure = nullptr;
    if (existingFile) {
        gamefile::GameIndex index;
        gamefile::IndexGameFileAt(*target, index);
        failure = gamefile::AppendGamesToFile(*target, index, games);
    } else {
        std::string text;
        for (const std::string& game : games) {
            text += (text.empty() ? "" : "\r\n") + game;
        }
        if (gamefile::WriteNewGameFile(*target, text) != nullptr) {
            failure = kErrorCreatingNewFile;
        }
    }
    messages.ShowMessage(failure != nullptr ? failure : kCopyGamesComplete);
}

void DatabaseCommands::Duplicates() {
    settings::MessageBoxes& messages = window_.Messages();
    if (!database_.IsOpen()) {
        messages.ShowMessage(kMustOpenDatabase);
        return;
    }
    if (!platform::FileExists(database_.Paths().games)) {
        messages.ShowMessage(kDatabaseDoesNotExist);
        return;
    }
    // The moves file holds the same records as a fast file: the finder compares them directly.
    utilities::MoveRecords records;
    std::vector<database::RecordSpan> spans;
    if (platform::ReadSmallFile(database_.Paths().moves, records.words, std::size_t{1} << 31) == false ||
        !database::WalkMovesRecords(records.words, spans) ||
        static_cast<int>(spans.size()) != database_.GameCount()) {
        messages.ShowMessage(database::kRootError);
        return;
    }
    for (const database::RecordSpan& span : spans) {
        records.starts.push_back(static_cast<std::uint32_t>(span.offset));
        records.plies.push_back(static_cast<int>(span.length / 2 - 1));
    }
    const settings::SettingsRecord& settings = window_.Settings();
    utilities::DuplicateSettings duplicateSettings;
    duplicateSettings.lookAhead = settings.Int(settings::kOffsetDuplicatesLookAhead);
    duplicateSettings.maxMoveDifference = settings.Int(settings::kOffsetDuplicatesMaxMoveDifference);
    duplicateSettings.entireFile = settings.Int(settings::kOffsetDuplicatesCheckEntireFile) != 0;
    const utilities::DuplicateResult found = utilities::FindDuplicateRecords(records, duplicateSettings, {});
    std::vector<GameListDialog::Row> rows;
    std::vector<int> games;
    for (const utilities::DuplicatePair& pair : found.pairs) {
        rows.push_back(
            {Formatted("Game %d = game %d", pair.first, pair.second), static_cast<int>(games.size()) + 1});
        games.push_back(pair.first - 1);
    }
    GameListDialog dialog(kDuplicatesTitle, std::move(rows), false);
    if (window_.Platform().dialogs == nullptr || !window_.Platform().dialogs->RunDialog(dialog) ||
        dialog.ChosenGame() == 0) {
        return;
    }
    // The chosen pair's first game is shown; Next and Prev Game step through the pairs.
    results_ = std::move(games);
    ShowGameAt(dialog.ChosenGame() - 1);
}

}  // namespace ravelin::shell
