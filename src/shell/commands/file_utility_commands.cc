#include "shell/commands/file_utility_commands.h"

#include <sys/stat.h>

#include <cstdio>
#include <string>
#include <utility>

#include "gamefile/game_file.h"
#include "platform/file_dialog.h"
#include "platform/messages.h"
#include "search/fast_file_reader.h"
#include "settings/settings_record.h"
#include "shell/command_ids.h"
#include "shell/dialogs/duplicate_settings_dialog.h"
#include "shell/dialogs/game_list_dialog.h"
#include "shell/main_window.h"
#include "utilities/adjust_file.h"
#include "utilities/fast_duplicates.h"
#include "utilities/pgn_text.h"
#include "utilities/plain_rewrites.h"
#include "utilities/split_file.h"

namespace ravelin::shell {

namespace {

using gamefile::BackgroundKind;
using gamefile::BackgroundReport;
using gamefile::ProgressVariant;

constexpr char kCheckFileTitle[] = "Check File";
constexpr char kDeleteFenGamesTitle[] = "Delete FEN Games";
constexpr char kDuplicateGamesTitle[] = "Duplicate Games";
constexpr char kAdjustFileTitle[] = "Adjust File";
constexpr char kSplitFileTitle[] = "Split File";

std::string Formatted(const char* format, int a, int b = 0) {
    char text[128];
    std::snprintf(text, sizeof text, format, a, b);
    return text;
}

// Progress of a utility as the worker reports it; a cancel request stops the utility.
utilities::UtilityProgress WorkerProgress(gamefile::WorkerContext& context, int total) {
    return [&context, total](int current, int found) {
        context.UpdateProgress(current, found, total);
        return !context.StopRequested();
    };
}

BackgroundReport Report(std::string message, int followUp, gamefile::RunState deferredState) {
    BackgroundReport report;
    report.message = std::move(message);
    report.followUp = followUp;
    report.deferredState = deferredState;
    return report;
}

// A report that opens a result list, at once or when the window is restored.
BackgroundReport ListReport(int list) {
    BackgroundReport report = Report("", list, gamefile::kRunFinishedResults);
    report.deferredCommand = list;
    return report;
}

bool Exists(const std::string& path) {
    struct stat info {};
    return stat(path.c_str(), &info) == 0;
}

// Whether any game of the text has a comment or a variation.
bool HasCommentsOrVariations(const utilities::PgnText& text) {
    bool found = false;
    utilities::ForEachLine(text.bytes, [&](std::string_view line) {
        found = found || (!utilities::IsTagLine(line) && line.find_first_of("{(;") != std::string_view::npos);
    });
    return found;
}

}  // namespace

FileUtilityCommands::FileUtilityCommands(MainWindow& window, gamefile::BackgroundWorker& worker)
    : window_(window), worker_(worker) {}

bool FileUtilityCommands::Start(int command, BackgroundKind kind, ProgressVariant variant, std::string title,
                                gamefile::BackgroundBody body) {
    outcome_->command = command;
    gamefile::BackgroundRequest request;
    request.kind = kind;
    request.variant = variant;
    request.title = std::move(title);
    request.total = kind == BackgroundKind::kSplitFile ? 0 : window_.File().GameCount();
    if (!gamefile::BackgroundKindCanCancel(kind)) {
        request.cancelRefusal = kCannotCancelSplit;
    }
    window_.SetBackgroundOperation(&worker_);
    return worker_.StartBackgroundOperation(request, std::move(body));
}

std::shared_ptr<UtilityOutcome> FileUtilityCommands::NewRun() {
    if (gamefile::RefuseWhileBusy(&worker_,
                                  [this](std::string_view text) { window_.Messages().ShowMessage(text); })) {
        return nullptr;
    }
    outcome_ = std::make_shared<UtilityOutcome>();
    return outcome_;
}

bool FileUtilityCommands::TakeReport(int command) {
    if (!outcome_ || outcome_->command != command || worker_.IsRunning()) {
        return false;
    }
    const bool rewritten = outcome_->rewritten;
    outcome_->rewritten = false;
    outcome_->command = 0;
    if (rewritten) {
        ShowRewrittenFile();
    } else {
        window_.Platform().commands->PostCommand(kCmdDisplayGame);
    }
    return true;
}

void FileUtilityCommands::ShowRewrittenFile() {
    gamefile::GameFile& file = window_.File();
    if (file.ReopenAfterRewrite() < 0) {
        window_.Messages().ShowMessage(gamefile::kErrorOpeningFile);
        window_.displayMode = kModeNothing;
        return;
    }
    window_.currentPly = 0;
    if (file.GameCount() == 0) {
        window_.displayMode = kModeNothing;
        return;
    }
    window_.Platform().commands->PostCommand(kCmdDisplayGame);
}

void FileUtilityCommands::CheckFile(int command) {
    if (TakeReport(command)) {
        return;
    }
    settings::MessageBoxes& messages = window_.Messages();
    const bool fenGames = command == kCmdDeleteFenGames;
    if (fenGames && messages.AskQuestion(kAskDeleteFenGames) != platform::kAnswerYes) {
        return;
    }
    const bool deleteBad =
        !fenGames && messages.AskQuestion(utilities::kAskDeleteBadGames) == platform::kAnswerYes;
    const std::string path = window_.File().Path();
    const std::shared_ptr<UtilityOutcome> outcome = NewRun();
    if (!outcome) {
        return;
    }
    Start(command, BackgroundKind::kCheckFile,
          fenGames ? ProgressVariant::kDeleteFenGames : ProgressVariant::kPlain,
          fenGames ? kDeleteFenGamesTitle : kCheckFileTitle,
          [path, fenGames, deleteBad, command, outcome](gamefile::WorkerContext& context) {
              utilities::PgnText text;
              if (const char* error = utilities::LoadPgnText(path, text)) {
                  return Report(error, kCmdDisplayGame, gamefile::kRunFinishedNothing);
              }
              const utilities::UtilityProgress progress = WorkerProgress(context, text.Count());
              if (fenGames) {
                  const utilities::RewriteResult result = utilities::DeleteFenGames(text, progress);
                  if (result.cancelled) {
                      return Report("", kCmdDisplayGame, gamefile::kRunFinishedNothing);
                  }
                  if (result.changed == 0) {
                      return Report(kNoFenGamesFound, kCmdDisplayGame, gamefile::kRunFinishedNothing);
                  }
                  if (const char* error = utilities::ReplacePgnFile(path, result.contents)) {
                      return Report(error, kCmdDisplayGame, gamefile::kRunFinishedNothing);
                  }
                  outcome->rewritten = true;
                  return Report(result.changed == 1 ? std::string("1 FEN game deleted.")
                                                    : Formatted("%d FEN games deleted.", result.changed),
                                command, gamefile::kRunFinishedResults);
              }
              const utilities::CheckResult result = utilities::CheckFile(
                  text, deleteBad ? utilities::CheckMode::kDeleteBadGames : utilities::CheckMode::kCheckOnly,
                  progress);
              if (result.cancelled) {
                  return Report("", kCmdDisplayGame, gamefile::kRunFinishedNothing);
              }
              outcome->errors = result.errors;
              if (result.found == 0) {
                  return Report(utilities::kNoErrorsFound, kCmdDisplayGame, gamefile::kRunFinishedNothing);
              }
              if (deleteBad) {
                  if (const char* error = utilities::ReplacePgnFile(path, result.contents)) {
                      return Report(error, kCmdDisplayGame, gamefile::kRunFinishedNothing);
                  }
                  outcome->rewritten = true;
              }
              return ListReport(kCmdErrorsList);
          });
}

void FileUtilityCommands::ShowErrors() {
    // The list is the report of its run: the run's command starts a new one from now on.
    if (outcome_) {
        outcome_->command = 0;
    }
    if (outcome_ && outcome_->rewritten) {
        outcome_->rewritten = false;
        if (window_.File().ReopenAfterRewrite() < 0) {
            window_.Messages().ShowMessage(gamefile::kErrorOpeningFile);
            return;
        }
    }
    std::vector<GameListDialog::Row> rows;
    if (outcome_) {
        for (const utilities::CheckError& error : outcome_->errors) {
            rows.push_back({error.message, error.game});
        }
    }
    GameListDialog dialog(kErrorsTitle, std::move(rows), false);
    if (window_.Platform().dialogs != nullptr && window_.Platform().dialogs->RunDialog(dialog) &&
        dialog.ChosenGame() > 0 && dialog.ChosenGame() <= window_.File().GameCount()) {
        window_.File().currentGame = dialog.ChosenGame();
        window_.currentPly = 0;
    }
    window_.Platform().commands->PostCommand(kCmdDisplayGame);
}

void FileUtilityCommands::Duplicates(bool currentGameOnly) {
    const int command = currentGameOnly ? kCmdDuplicatesOfCurrentGame : kCmdDuplicateGames;
    if (TakeReport(command)) {
        return;
    }
    const int count = window_.File().GameCount();
    const settings::SettingsRecord& settings = window_.Settings();
    utilities::DuplicateSettings duplicateSettings;
    duplicateSettings.lookAhead = settings.Int(settings::kOffsetDuplicatesLookAhead);
    duplicateSettings.maxMoveDifference = settings.Int(settings::kOffsetDuplicatesMaxMoveDifference);
    duplicateSettings.entireFile = settings.Int(settings::kOffsetDuplicatesCheckEntireFile) != 0;
    if (!currentGameOnly && !GoOnWithoutFastFile(count, duplicateSettings.entireFile)) {
        return;
    }
    if (window_.Messages().AskQuestion(Formatted("%d games. Do you want to continue?", count)) !=
        platform::kAnswerYes) {
        return;
    }
    const int currentGame = currentGameOnly ? window_.File().currentGame : 0;
    const std::string path = window_.File().Path();
    const std::shared_ptr<UtilityOutcome> outcome = NewRun();
    if (!outcome) {
        return;
    }
    Start(
        command, BackgroundKind::kDuplicateGames,
        currentGameOnly || !duplicateSettings.entireFile ? ProgressVariant::kPlain
                                                         : ProgressVariant::kWholeFileDuplicates,
        kDuplicateGamesTitle,
        [path, duplicateSettings, currentGame, outcome](gamefile::WorkerContext& context) {
            utilities::PgnText text;
            if (const char* error = utilities::LoadPgnText(path, text)) {
                return Report(error, kCmdDisplayGame, gamefile::kRunFinishedNothing);
            }
            // The whole file goes through the fast file when there is a current one.
            utilities::MoveRecords records;
            if (currentGame == 0 && utilities::ReadFastMoveRecords(path, text.Count(), records) == nullptr) {
                outcome->duplicates = utilities::FindDuplicateRecords(records, duplicateSettings,
                                                                      WorkerProgress(context, text.Count()));
            } else {
                const std::vector<utilities::GameLine> lines = utilities::ReadGameLines(text, {});
                outcome->duplicates = utilities::FindDuplicates(lines, duplicateSettings, currentGame,
                                                                WorkerProgress(context, text.Count()));
            }
            if (outcome->duplicates.cancelled) {
                return Report("", kCmdDisplayGame, gamefile::kRunFinishedNothing);
            }
            if (outcome->duplicates.pairs.empty()) {
                return Report(utilities::kNoDuplicateGames, kCmdDisplayGame, gamefile::kRunFinishedNothing);
            }
            BackgroundReport report = ListReport(kCmdDuplicatesList);
            if (outcome->duplicates.limitReached) {
                report.message = utilities::kMaximumDuplicatesWarning;
            }
            return report;
        });
}

bool FileUtilityCommands::GoOnWithoutFastFile(int gameCount, bool entireFile) {
    settings::MessageBoxes& messages = window_.Messages();
    bool stale = false;
    const chess::MessageSink warn = [&](std::string_view message) {
        stale = true;
        messages.ShowMessage(std::string(message));
    };
    if (search::UseFastFileOrWarn(window_.File().Path(), gameCount, warn)) {
        return true;
    }
    // A missing fast file costs little on a small file; the entire-file search feels it sooner.
    const int worthAsking = entireFile ? 500 : 1000;
    if (stale) {
        return messages.AskQuestion(kContinueWithoutFastFile) == platform::kAnswerYes;
    }
    return gameCount < worthAsking || messages.AskQuestion(kFasterWithFastFile) == platform::kAnswerYes;
}

void FileUtilityCommands::DuplicateSettings() {
    DuplicateSettingsDialog dialog(window_.Settings());
    if (window_.Platform().dialogs == nullptr || !window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    dialog.Store(window_.Settings());
    window_.SaveSettings();
}

void FileUtilityCommands::ShowDuplicates() {
    std::vector<GameListDialog::Row> rows;
    if (outcome_) {
        outcome_->command = 0;
        for (const utilities::DuplicatePair& pair : outcome_->duplicates.pairs) {
            rows.push_back({Formatted("Game %d = game %d", pair.first, pair.second), pair.first});
        }
    }
    GameListDialog dialog(kDuplicatesTitle, std::move(rows), !rows.empty());
    const bool accepted =
        window_.Platform().dialogs != nullptr && window_.Platform().dialogs->RunDialog(dialog);
    if (accepted && dialog.deleteRequested && outcome_) {
        utilities::PgnText text;
        const char* error = utilities::LoadPgnText(window_.File().Path(), text);
        if (error == nullptr) {
            error = utilities::ReplacePgnFile(text.path,
                                              utilities::DeleteDuplicates(text, outcome_->duplicates.marked));
        }
        outcome_->duplicates = {};
        window_.Messages().ShowMessage(error != nullptr ? error : utilities::kDuplicateGamesDeleted);
        if (error == nullptr) {
            ShowRewrittenFile();
        }
        return;
    }
    if (accepted && dialog.ChosenGame() > 0 && dialog.ChosenGame() <= window_.File().GameCount()) {
        window_.File().currentGame = dialog.ChosenGame();
        window_.currentPly = 0;
    }
    window_.Platform().commands->PostCommand(kCmdDisplayGame);
}

void FileUtilityCommands::AdjustFile() {
    if (TakeReport(kCmdAdjustFile)) {
        return;
    }
    settings::MessageBoxes& messages = window_.Messages();
    if (messages.AskQuestion(utilities::kAskAdjustFile) != platform::kAnswerYes) {
        return;
    }
    const std::string path = window_.File().Path();
    // The question about comments is asked here, on the window thread, before the run.
    {
        utilities::PgnText text;
        if (utilities::LoadPgnText(path, text) == nullptr && HasCommentsOrVariations(text) &&
            messages.AskQuestion(utilities::kAskStripComments) != platform::kAnswerYes) {
            messages.ShowMessage(utilities::kAdjustmentCanceled);
            return;
        }
    }
    const std::shared_ptr<UtilityOutcome> outcome = NewRun();
    if (!outcome) {
        return;
    }
    Start(kCmdAdjustFile, BackgroundKind::kAdjustFile, ProgressVariant::kPlain, kAdjustFileTitle,
          [path, outcome](gamefile::WorkerContext& context) {
              utilities::PgnText text;
              if (const char* error = utilities::LoadPgnText(path, text)) {
                  return Report(error, kCmdDisplayGame, gamefile::kRunFinishedNothing);
              }
              const utilities::AdjustResult result = utilities::AdjustFile(
                  text, [] { return true; }, WorkerProgress(context, text.Count()));
              if (result.cancelled) {
                  return Report(utilities::kAdjustmentCanceled, kCmdDisplayGame,
                                gamefile::kRunFinishedNothing);
              }
              if (const char* error = utilities::ReplacePgnFile(path, result.contents)) {
                  return Report(error, kCmdDisplayGame, gamefile::kRunFinishedNothing);
              }
              outcome->rewritten = true;
              return Report(utilities::kAdjustmentComplete, kCmdAdjustFile, gamefile::kRunFinishedResults);
          });
}

void FileUtilityCommands::SplitFile() {
    if (TakeReport(kCmdSplitFile)) {
        return;
    }
    settings::MessageBoxes& messages = window_.Messages();
    platform::FileDialogRequest request;
    request.title = "Select PGN File to Split";
    request.filter = "*.pgn";
    const std::optional<std::string> chosen = window_.Platform().files->ChooseFile(request);
    if (!chosen || chosen->empty()) {
        return;
    }
    auto text = std::make_shared<utilities::PgnText>();
    if (const char* error = utilities::LoadPgnText(*chosen, *text)) {
        messages.ShowMessage(error);
        return;
    }
    const int count = text->Count();
    const int parts = utilities::SplitPartCount(count);
    const std::string question = count < utilities::kSplitPartGames
                                     ? Formatted("%d games. File size OK. Split anyway?", count)
                                     : Formatted("%d games. Split into %d files. Continue?", count, parts);
    if (messages.AskQuestion(question) != platform::kAnswerYes) {
        return;
    }
    std::vector<utilities::SplitPart> plan = utilities::PlanSplit(*chosen, count);
    if (plan.empty()) {
        messages.ShowMessage(count == 0 ? "There are no games in this file." : utilities::kSplitNeedsPgnName);
        return;
    }
    for (const utilities::SplitPart& part : plan) {
        if (Exists(part.path) && messages.AskQuestion(utilities::kSplitFileExists) != platform::kAnswerYes) {
            return;
        }
    }
    if (!NewRun()) {
        return;
    }
    Start(kCmdSplitFile, BackgroundKind::kSplitFile, ProgressVariant::kPlain, kSplitFileTitle,
          [text, plan = std::move(plan)](gamefile::WorkerContext& context) {
              const char* error = utilities::SplitFile(
                  *text, plan, [](const std::string&) { return true; },
                  [&context, total = text->Count()](int current, int found) {
                      context.UpdateProgress(current, found, total);
                      context.StopRequested();
                      return true;
                  });
              return Report(error != nullptr ? error : utilities::kSplitFileComplete, kCmdDisplayGame,
                            gamefile::kRunFinishedResults);
          });
}

void FileUtilityCommands::Rewrite(int command) {
    settings::MessageBoxes& messages = window_.Messages();
    const char* question = command == kCmdTrimFile   ? kAskTrimFile
                           : command == kCmdSortFile ? kAskSortFile
                                                     : kAskStripHeader;
    if (gamefile::RefuseWhileBusy(&worker_,
                                  [&messages](std::string_view text) { messages.ShowMessage(text); }) ||
        messages.AskQuestion(question) != platform::kAnswerYes) {
        return;
    }
    utilities::PgnText text;
    if (const char* error = utilities::LoadPgnText(window_.File().Path(), text)) {
        messages.ShowMessage(error);
        return;
    }
    if (command == kCmdSortFile && text.Count() >= gamefile::kMaxGames) {
        messages.ShowMessage(utilities::kSortFileNeedsFewerGames);
        return;
    }
    const utilities::RewriteResult result = command == kCmdTrimFile   ? utilities::TrimFile(text)
                                            : command == kCmdSortFile ? utilities::SortFile(text)
                                                                      : utilities::StripHeader(text);
    if (const char* error = utilities::ReplacePgnFile(text.path, result.contents)) {
        messages.ShowMessage(error);
        return;
    }
    ShowRewrittenFile();
}

void RegisterFileUtilityCommands(MainWindow& window, gamefile::BackgroundWorker& worker) {
    auto commands = std::make_shared<FileUtilityCommands>(window, worker);
    CommandHandlers& handlers = window.Handlers();
    handlers.Set(kCmdCheckFile, [commands] { commands->CheckFile(kCmdCheckFile); });
    handlers.Set(kCmdDeleteFenGames, [commands] { commands->CheckFile(kCmdDeleteFenGames); });
    handlers.Set(kCmdDuplicateGames, [commands] { commands->Duplicates(false); });
    handlers.Set(kCmdDuplicatesOfCurrentGame, [commands] { commands->Duplicates(true); });
    handlers.Set(kCmdDuplicateSettings, [commands] { commands->DuplicateSettings(); });
    handlers.Set(kCmdDuplicatesList, [commands] { commands->ShowDuplicates(); });
    handlers.Set(kCmdErrorsList, [commands] { commands->ShowErrors(); });
    handlers.Set(kCmdAdjustFile, [commands] { commands->AdjustFile(); });
    handlers.Set(kCmdSplitFile, [commands] { commands->SplitFile(); });
    for (int command : {kCmdTrimFile, kCmdSortFile, kCmdStripHeader}) {
        handlers.Set(command, [commands, command] { commands->Rewrite(command); });
    }
}

}  // namespace ravelin::shell
