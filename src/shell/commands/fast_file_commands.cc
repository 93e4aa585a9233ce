#include "shell/commands/fast_file_commands.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

#include "platform/messages.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "search/header_fast_records.h"
#include "search/position_index.h"
#include "shell/command_ids.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

using gamefile::BackgroundReport;
using search::FastFileStatus;

BackgroundReport ReportOf(const search::FastFileOutcome& outcome, int databaseCommand) {
    BackgroundReport report;
    report.message = std::string(search::FastFileStatusMessage(outcome.status));
    switch (outcome.status) {
        case FastFileStatus::kComplete:
            if (databaseCommand != 0) {
                // The database command goes on with the fast file: it reports the whole run itself.
                report.message.clear();
                report.followUp = databaseCommand;
            }
            report.deferredState = gamefile::kRunFinishedResults;
            break;
        case FastFileStatus::kMergeComplete:
            report.deferredState = gamefile::kRunFinishedResults;
            break;
        case FastFileStatus::kFenWarning:
            report.deferredState = gamefile::kRunFinishedWarning;
            break;
        case FastFileStatus::kIncomplete:
        case FastFileStatus::kCreateError:
        case FastFileStatus::kMergeOpenError:
            report.deferredState = gamefile::kRunFinishedError;
            break;
    }
    return report;
}

bool CanOpen(const std::string& path) {
    if (path.empty()) {
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    ::close(fd);
    return true;
}

// Stands in for a platform without a progress window: the operation still runs and reports.
class NoProgressWindow final : public platform::ProgressWindow {
  public:
    void Open(const std::string&, std::function<void()>) override { open_ = true; }
    void Show(const std::string&, double) override {}
    void Close() override { open_ = false; }
    bool IsOpen() const override { return open_; }
    bool MainWindowMinimized() const override { return false; }
    void SetRestoredHandler(std::function<void()>) override {}

  private:
    bool open_ = false;
};

}  // namespace

FastFileCommands::FastFileCommands(MainWindow& window, platform::Platform platform)
    : window_(window), platform_(platform) {
    if (platform_.progress == nullptr) {
        noProgress_ = std::make_unique<NoProgressWindow>();
        platform_.progress = noProgress_.get();
    }
    gamefile::BackgroundHost host{*platform_.commands, *platform_.progress,
                                  [&window](const std::string& text) { window.Messages().ShowMessage(text); },
                                  [&window](bool busy) { window.ShowBackgroundDisplay(busy); }};
    worker_ = gamefile::BackgroundWorker::Create(std::move(host));
}

void FastFileCommands::MakeFastFile(int databaseCommand) {
    if (databaseCommand == 0 &&
        window_.Messages().AskQuestion(kGenerateFastFileQuestion) != platform::kAnswerYes) {
        return;
    }
    search::FastFileJob job;
    job.pgnPath = window_.File().Path();
    job.mode = search::MergeFileMode::kFastFile;
    StartWriter(std::move(job), databaseCommand);
}

void FastFileCommands::MakeMergeFile(search::MergeFileMode mode, const std::string& mergePath) {
    search::FastFileJob job;
    job.pgnPath = window_.File().Path();
    job.mode = mode;
    job.mergePath = mergePath;
    StartWriter(std::move(job), 0);
}

void FastFileCommands::StartWriter(search::FastFileJob job, int databaseCommand) {
    if (gamefile::RefuseWhileBusy(worker_.get(),
                                  [this](std::string_view text) { window_.Messages().ShowMessage(text); })) {
        return;
    }
    const bool merge = job.mode != search::MergeFileMode::kFastFile;
    // The worker reads its own copy of the index: the window's may change once it has finished.
    job.offsets = window_.File().Index().offsets;
    gamefile::BackgroundRequest request;
    request.kind = gamefile::BackgroundKind::kFastFile;
    request.mergeFile = merge;
    request.title = merge ? kMakeMergeFileTitle : kMakeFastFileTitle;
    request.total = static_cast<int>(job.offsets.size());
    request.cancelRefusal = merge ? kCannotCancelMergeFile : kCannotCancelFastFile;
    window_.SetBackgroundOperation(worker_.get());
    worker_->StartBackgroundOperation(request, [job = std::move(job),
                                                databaseCommand](gamefile::WorkerContext& context) {
        search::FastFileHooks hooks;
        hooks.progress = [&context](int current, int total) { context.UpdateProgress(current, 0, total); };
        hooks.afterGame = [&context] { context.StopRequested(); };
        const search::FastFileOutcome outcome = search::WriteFastFile(job, hooks);
        if (outcome.status == FastFileStatus::kComplete || outcome.status == FastFileStatus::kFenWarning) {
            // Searches of later runs map these instead of building them.
            search::WritePositionIndexFile(search::FastMoveFilePath(job.pgnPath));
            search::FastHeaderRecords::WritePlacesFile(search::FastHeaderFilePath(job.pgnPath));
        }
        return ReportOf(outcome, databaseCommand);
    });
}

void FastFileCommands::CheckFastFile() {
    settings::MessageBoxes& messages = window_.Messages();
    const gamefile::GameFile& file = window_.File();
    const search::FastFileCheck check = search::CheckFastFile(
        file.Path(), file.GameCount(), [&messages](std::string_view text) { messages.ShowMessage(text); });
    switch (check) {
        case search::FastFileCheck::kOk:
            messages.ShowMessage(search::kFastFileOk);
            break;
        case search::FastFileCheck::kStale:
            messages.ShowMessage(search::kRunMakeFastFileAgain);
            break;
        case search::FastFileCheck::kMissing:
            messages.ShowMessage(search::kFastFileMissing);
            break;
        case search::FastFileCheck::kNoMemory:
            messages.ShowMessage(search::kFastFileNotEnoughMemory);
            break;
    }
}

void FastFileCommands::DeleteFastFile() {
    settings::MessageBoxes& messages = window_.Messages();
    const std::string movePath = search::FastMoveFilePath(window_.File().Path());
    if (!CanOpen(movePath)) {
        messages.ShowMessage(search::kFastFileMissing);
        return;
    }
    if (messages.AskQuestion(kDeleteFastFileQuestion) != platform::kAnswerYes) {
        return;
    }
    std::remove(movePath.c_str());
    for (const std::string& companion : {search::FastHeaderFilePath(window_.File().Path()),
                                         search::PositionIndexFilePath(window_.File().Path()),
                                         search::HeaderPlacesFilePath(window_.File().Path())}) {
        if (!companion.empty()) {
            std::remove(companion.c_str());
        }
    }
    messages.ShowMessage(kFastFileDeleted);
}

std::shared_ptr<FastFileCommands> RegisterFastFileCommands(MainWindow& window, platform::Platform platform) {
    auto commands = std::make_shared<FastFileCommands>(window, platform);
    window.SetBackgroundOperation(&commands->Worker());
    CommandHandlers& handlers = window.Handlers();
    handlers.Set(kCmdMakeFastFile, [commands] { commands->MakeFastFile(); });
    handlers.Set(kCmdCheckFastFile, [commands] { commands->CheckFastFile(); });
    handlers.Set(kCmdDeleteFastFile, [commands] { commands->DeleteFastFile(); });
    handlers.Set(kCmdOperationComplete, [commands] { commands->Worker().ReportDeferred(); });
    return commands;
}

}  // namespace ravelin::shell
