#include "shell/commands/directory_search_commands.h"

#include <algorithm>
#include <utility>

#include "gamefile/game_file.h"
#include "platform/file_util.h"
#include "platform/messages.h"
#include "search/directory_listing.h"
#include "search/position_lists.h"
#include "search/searches.h"
#include "shell/command_ids.h"
#include "shell/commands/fast_file_commands.h"
#include "shell/dialogs/search_file_dialog.h"
#include "shell/dialogs/select_file_dialog.h"
#include "shell/dialogs/win_statistics_dialog.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

gamefile::BackgroundReport ReportOf(const search::DirectorySearchOutcome& outcome) {
    gamefile::BackgroundReport report;
    report.message = std::string(search::DirectorySearchEndMessage(outcome.status));
    if (outcome.status == search::DirectorySearchStatus::kMatches) {
        // "Display Dir Search" asks whether to view the results.
        report.followUp = kCmdDisplayDirSearch;
        report.deferredState = gamefile::kRunFinishedResults;
    } else {
        report.deferredState = gamefile::kRunFinishedNothing;
    }
    return report;
}

}  // namespace

DirectorySearchCommands::DirectorySearchCommands(MainWindow& window, platform::Platform platform)
    : runSearch(search::RunSearch),
      splitSearch{search::SplitSearch::Make},
      window_(window),
      platform_(platform) {}

std::string DirectorySearchCommands::ResultPath() const {
    return window_.Paths().File(search::kResultFileName);
}

void DirectorySearchCommands::PostFromWorker(std::string text) {
    std::weak_ptr<DirectorySearchCommands> weak = weak_from_this();
    platform_.commands->PostToWindowThread([weak, text = std::move(text)] {
        if (auto alive = weak.lock()) {
            alive->window_.Messages().ShowMessage(text);
        }
    });
}

bool DirectorySearchCommands::RefusedWhileBusy() {
    return gamefile::RefuseWhileBusy(&window_.FastFile().Worker(),
                                     [this](std::string_view text) { window_.Messages().ShowMessage(text); });
}

bool DirectorySearchCommands::Start(int kind, int combination) {
    if (RefusedWhileBusy()) {
        return false;
    }
    gamefile::BackgroundWorker& worker = window_.FastFile().Worker();
    search::DirectorySearchJob job;
    job.directory = window_.File().Directory();
    if (!search::DirectoryFitsResultFile(job.directory)) {
        window_.Messages().ShowMessage(search::kDirectoryTooLongMessage);
        return false;
    }
    job.resultPath = ResultPath();
    job.kind = kind;
    job.combination = combination;
    job.criteria = window_.Search().criteria;
    if (kind == search::kHeaderSearch) {
        headerCombination = combination;
    }

    gamefile::BackgroundRequest request;
    request.kind = gamefile::BackgroundKind::kDirectorySearch;
    request.title = kSearchDirectoryTitle;
    request.total = 0;  // counted by the search once it has listed the files
    window_.SetBackgroundOperation(&worker);
    askToView_.store(false);
    std::weak_ptr<DirectorySearchCommands> weak = weak_from_this();
    return worker.StartBackgroundOperation(request, [weak, job = std::move(job), runner = runSearch,
                                                     split = splitSearch](gamefile::WorkerContext& context) {
        search::DirectorySearchHooks hooks;
        hooks.message = [weak](std::string_view text) {
            if (auto alive = weak.lock()) {
                alive->PostFromWorker(std::string(text));
            }
        };
        hooks.progress = [&context](int number, int count, const std::string& name, int matches) {
            context.SetFileName(name);
            context.UpdateProgress(number, matches, count);
        };
        hooks.cancelled = [&context] { return context.StopRequested(); };
        const search::DirectorySearchOutcome outcome = search::RunDirectorySearch(job, runner, hooks, split);
        if (outcome.status == search::DirectorySearchStatus::kMatches) {
            if (auto alive = weak.lock()) {
                alive->askToView_.store(true);
            }
        }
        return ReportOf(outcome);
    });
}

void DirectorySearchCommands::DisplayDirSearch() {
    const bool fromSearchEnd = askToView_.exchange(false);
    if (fromSearchEnd &&
        window_.Messages().AskQuestion(search::kViewDirectoryResults) != platform::kAnswerYes) {
        platform_.commands->PostCommand(kCmdDisplayGame);
        return;
    }
    ShowList(fromSearchEnd);
}

void DirectorySearchCommands::TakeCriteria(const search::ResultFileHeader& header) {
    search::SearchCriteria& criteria = window_.Search().criteria;
    const search::SearchCriteria& stored = header.criteria;
    const bool withVariation =
        header.kind == search::kVariationSearch ||
        (header.kind == search::kHeaderSearch && search::CombinationHasVariation(header.combination));
    const bool withPosition = header.kind == search::kPositionSearch || header.combination != search::kAlone;
    if (withVariation) {
        criteria.variation = stored.variation;
    }
    if (withPosition) {
        criteria.position.white = stored.position.white;
        criteria.position.black = stored.position.black;
        search::PutListsOnCriteriaBoard(criteria.position, window_.Search().criteriaBoard);
    }
    if (header.kind == search::kHeaderSearch) {
        const int fields = search::HeaderFieldCount(header.flags);
        for (int i = 0; i < fields; ++i) {
            criteria.header.fields[static_cast<std::size_t>(i)] =
                stored.header.fields[static_cast<std::size_t>(i)];
        }
        headerCombination = header.combination;
    }
}

void DirectorySearchCommands::ShowList(bool fromSearchEnd) {
    settings::MessageBoxes& messages = window_.Messages();
    auto endOfSearch = [&] {
        if (fromSearchEnd) {
            platform_.commands->PostCommand(kCmdDisplayGame);
        }
    };
    search::ResultFile file;
    switch (search::LoadResultFile(ResultPath(), file)) {
        case search::ResultFileLoad::kOk:
            break;
        case search::ResultFileLoad::kMissing:
            messages.ShowMessage(kNoDirSearchToDisplay);
            endOfSearch();
            return;
        case search::ResultFileLoad::kInvalid:
            messages.ShowMessage(search::kInvalidSearchFile);
            endOfSearch();
            return;
    }
    TakeCriteria(file.header);

    const bool narrow = window_.Layout().kind == settings::ScreenLayoutKind::kSmall;
    const search::SearchFileList list = search::BuildSearchFileList(file, textWidth, narrow);
    if (list.exceeded) {
        messages.ShowMessage(search::MaxSearchFilesExceededMessage());
    }
    SelectFileDialog dialog;
    dialog.entries = list.entries;
    dialog.totalLine = list.totalLine;
    dialog.onWinStats = [this, &file, &list](int selected) {
        if (selected < 0 || selected >= list.Count()) {
            window_.Messages().ShowMessage(kSelectFileFirst);
            return;
        }
        ShowWinStatistics(file.records[static_cast<std::size_t>(selected)]);
    };
    const bool accepted = platform_.dialogs != nullptr && platform_.dialogs->RunDialog(dialog);
    if (!accepted || dialog.selected < 0 || dialog.selected >= list.Count()) {
        endOfSearch();
        return;
    }
    if (!OpenResultFile(file, file.records[static_cast<std::size_t>(dialog.selected)])) {
        endOfSearch();
    }
}

void DirectorySearchCommands::ShowWinStatistics(const search::ResultFileRecord& record) {
    WinStatisticsDialog dialog(search::WinCountsOf(record));
    if (platform_.dialogs != nullptr) {
        platform_.dialogs->RunDialog(dialog);
    }
}

bool DirectorySearchCommands::OpenResultFile(const search::ResultFile& file,
                                             const search::ResultFileRecord& record) {
    const std::string path = search::FindPgnFile(file.header.directory, record.name);
    if (path.empty() || record.games.empty()) {
        window_.Messages().ShowMessage(gamefile::kErrorOpeningFile);
        return false;
    }
    gamefile::GameFile& gameFile = window_.File();
    gameFile.SetCommandLinePath(path);
    gameFile.OpenGameFile(gamefile::kCommandLineFile, gamefile::OpenMode::kView, window_.displayMode,
                          window_.currentPly);
    if (!gameFile.IsOpen() || gameFile.Path() != path) {
        return false;
    }
    // Opening a file forgets the old file's results: the list is set afterwards.
    SearchSession& session = window_.Search();
    session.navigation.Set(search::MatchListKindOf(file.header.kind), record.games, record.plies);
    session.searchActive = true;
    gameFile.currentGame = std::min(session.navigation.CurrentGame(), std::max(gameFile.GameCount(), 1));
    window_.currentPly = 0;
    platform_.commands->PostCommand(kCmdDisplayGame);
    return true;
}

void DirectorySearchCommands::LoadDirSearch() {
    platform::FileDialogService* files = platform_.files;
    // A running search writes the result file: it is neither replaced nor copied half-written.
    if (files == nullptr || RefusedWhileBusy()) {
        return;
    }
    const auto chosen = ChooseSearchFile(*files, window_.Settings(), SearchFileKind::kDirectorySearch, false);
    window_.SaveSettings();
    if (!chosen) {
        return;
    }
    // A file that is not a result file would replace the last search's results with nothing usable.
    search::ResultFile check;
    switch (search::LoadResultFile(*chosen, check)) {
        case search::ResultFileLoad::kOk:
            break;
        case search::ResultFileLoad::kMissing:
            window_.Messages().ShowMessage(gamefile::kErrorOpeningFile);
            return;
        case search::ResultFileLoad::kInvalid:
            window_.Messages().ShowMessage(search::kInvalidSearchFile);
            return;
    }
    const std::string failure = search::CopyResultFile(*chosen, ResultPath(), gamefile::kErrorOpeningFile,
                                                       search::kErrorCreatingSearchFile);
    if (!failure.empty()) {
        window_.Messages().ShowMessage(failure);
    }
}

void DirectorySearchCommands::SaveDirSearch() {
    if (RefusedWhileBusy()) {
        return;
    }
    if (!platform::FileExists(ResultPath())) {
        window_.Messages().ShowMessage(kMustPerformDirSearch);
        return;
    }
    platform::FileDialogService* files = platform_.files;
    if (files == nullptr) {
        return;
    }
    const auto chosen = ChooseSearchFile(*files, window_.Settings(), SearchFileKind::kDirectorySearch, true);
    window_.SaveSettings();
    if (!chosen) {
        return;
    }
    const std::string failure = search::CopyResultFile(ResultPath(), *chosen, gamefile::kErrorOpeningFile,
                                                       gamefile::kErrorOpeningFile);
    if (!failure.empty()) {
        window_.Messages().ShowMessage(failure);
    }
}

std::optional<search::CriteriaLoadResult> DirectorySearchCommands::LoadCriteriaParts(
    search::CriteriaLoadCommand command) {
    platform::FileDialogService* files = platform_.files;
    if (files == nullptr) {
        return std::nullopt;
    }
    const auto chosen = ChooseSearchFile(*files, window_.Settings(), SearchFileKind::kCriteria, false);
    window_.SaveSettings();
    if (!chosen) {
        return std::nullopt;
    }
    SearchSession& session = window_.Search();
    const search::CriteriaLoadResult loaded = search::LoadCriteriaFile(*chosen, command, session.criteria);
    if (!loaded.ok) {
        window_.Messages().ShowMessage(loaded.message);
        return std::nullopt;
    }
    if (loaded.positionLoaded) {
        search::PutListsOnCriteriaBoard(session.criteria.position, session.criteriaBoard);
    }
    if (loaded.headerLoaded) {
        headerCombination = loaded.combination;
    }
    return loaded;
}

void DirectorySearchCommands::LoadCriteria(search::CriteriaLoadCommand command) {
    const std::optional<search::CriteriaLoadResult> loaded = LoadCriteriaParts(command);
    if (!loaded) {
        return;
    }
    // The edit modes show what was loaded: the variation on the board, or the criteria board. A
    // header file shows them only when it holds all three parts.
    const bool showBoth = loaded->kind == search::kHeaderSearch && loaded->combination == search::kWithBoth;
    if (command == search::CriteriaLoadCommand::kPosition) {
        platform_.commands->PostCommand(kCmdEditPosition);
    } else if (command == search::CriteriaLoadCommand::kVariation || showBoth) {
        platform_.commands->PostCommand(kCmdEditVariation);
    }
}

void DirectorySearchCommands::LoadCombination() {
    if (!LoadCriteriaParts(search::CriteriaLoadCommand::kCombination)) {
        return;
    }
    // The editor the command came from shows the loaded criteria.
    if (window_.displayMode == kModePositionEdit) {
        platform_.commands->PostCommand(kCmdEditPosition);
    } else if (window_.displayMode == kModeVariationEdit) {
        platform_.commands->PostCommand(kCmdEditVariation);
    }
}

void DirectorySearchCommands::WriteCriteria(int kind, int combination) {
    platform::FileDialogService* files = platform_.files;
    if (files == nullptr) {
        return;
    }
    const auto chosen = ChooseSearchFile(*files, window_.Settings(), SearchFileKind::kCriteria, true);
    window_.SaveSettings();
    if (!chosen) {
        return;
    }
    // The lists are what the criteria board shows now.
    SearchSession& session = window_.Search();
    if (kind == search::kPositionSearch ||
        (kind == search::kHeaderSearch && search::CombinationHasPosition(combination))) {
        search::BuildPositionLists(session.criteriaBoard, session.criteria.position);
    }
    const std::string failure = search::SaveCriteriaFile(*chosen, kind, combination, session.criteria);
    if (!failure.empty()) {
        window_.Messages().ShowMessage(failure);
    }
}

void DirectorySearchCommands::SaveCriteria(int kind) {
    WriteCriteria(kind, headerCombination);
}

void DirectorySearchCommands::SaveCombination() {
    WriteCriteria(search::kHeaderSearch, search::kWithBoth);
}

std::shared_ptr<DirectorySearchCommands> RegisterDirectorySearchCommands(MainWindow& window,
                                                                         platform::Platform platform) {
    auto commands = std::make_shared<DirectorySearchCommands>(window, platform);
    CommandHandlers& handlers = window.Handlers();
    using search::CriteriaLoadCommand;
    handlers.Set(kCmdDisplayDirSearch, [commands] { commands->DisplayDirSearch(); });
    handlers.Set(kCmdLoadDirSearch, [commands] { commands->LoadDirSearch(); });
    handlers.Set(kCmdSaveDirSearch, [commands] { commands->SaveDirSearch(); });
    handlers.Set(kCmdLoadVariation, [commands] { commands->LoadCriteria(CriteriaLoadCommand::kVariation); });
    handlers.Set(kCmdSaveVariation, [commands] { commands->SaveCriteria(search::kVariationSearch); });
    handlers.Set(kCmdLoadPosition, [commands] { commands->LoadCriteria(CriteriaLoadCommand::kPosition); });
    handlers.Set(kCmdSavePosition, [commands] { commands->SaveCriteria(search::kPositionSearch); });
    handlers.Set(kCmdLoadHeader, [commands] { commands->LoadCriteria(CriteriaLoadCommand::kHeader); });
    handlers.Set(kCmdSaveHeader, [commands] { commands->SaveCriteria(search::kHeaderSearch); });
    handlers.Set(kCmdLoadCombination, [commands] { commands->LoadCombination(); });
    handlers.Set(kCmdSaveCombination, [commands] { commands->SaveCombination(); });
    return commands;
}

}  // namespace ravelin::shell
