#pragma once

// The worker thread of long file operations and the protocol around it: the run state both
// threads share (an atomic, the only thing they share), the progress window, cancelling, and the
// report at the end, at once or, when the main window is minimized, after it is restored.
//
// The operation itself is a function run on the worker thread. It owns everything it reads and
// writes (its own file descriptor, line reader, chess context and copy of the game index) and
// reaches the window thread only through calls posted to it.

#include <atomic>
#include <functional>
#include <memory>
#include <string>
#include <thread>

#include "gamefile/background_operation.h"
#include "gamefile/progress_text.h"
#include "platform/command_queue.h"
#include "platform/progress.h"

namespace ravelin::gamefile {

// The run state.
enum RunState : int {
    kRunIdle = 0,  // no operation, or finished and reported
    kRunRunning = 1,
    kRunCancelRequested = -1,
    kRunFinishedResults = 2,  // finished while minimized, with results (or a completion) to show
    kRunFinishedNothing = 3,  // finished while minimized, nothing found
    kRunFinishedError = 4,    // fast file kind: finished while minimized with an error
    kRunFinishedWarning = 5,  // fast file kind: finished while minimized with the FEN warning
};

// Commands the worker's report posts.
inline constexpr int kCommandDisplayGame = 101;
inline constexpr int kCommandDuplicatesList = 189;
inline constexpr int kCommandErrorsList = 224;
inline constexpr int kCommandOperationComplete = 461;

// What an operation reports when it ends.
struct BackgroundReport {
    std::string message;  // shown when not empty
    // Posted after the message: "Display Game", a result list, or the command that asked for the
    // operation as its first step.
    int followUp = kCommandDisplayGame;
    // The run state kept while the main window is minimized (2 to 5).
    RunState deferredState = kRunFinishedResults;
    // When set, the deferred report opens a result list instead of command 461.
    int deferredCommand = kCommandOperationComplete;
};

struct BackgroundRequest {
    gamefile::BackgroundKind kind = gamefile::BackgroundKind::kFastFile;
    ProgressVariant variant = ProgressVariant::kPlain;
    bool mergeFile = false;
    std::string title;  // of the progress window
    int total = 0;      // the game count; 0 for kinds that count themselves
    // The answer to a cancel request for kinds that cannot stop; empty for those that can.
    std::string cancelRefusal;
};

// The worker thread's side.
class WorkerContext {
  public:
    virtual ~WorkerContext() = default;
    // Stores the counters; the window redraws the line and, when it grew by a step, the bar.
    virtual void UpdateProgress(int current, int found, int total) = 0;
    // Between items: true when the operation must stop now. A kind that cannot stop answers a
    // request with its refusal and goes on (false).
    virtual bool StopRequested() = 0;
    // The current file of a directory search, shown on the counter line.
    virtual void SetFileName(const std::string& name) = 0;
};

using BackgroundBody = std::function<BackgroundReport(WorkerContext&)>;

// What the worker needs from the main window, all used on the window thread only.
struct BackgroundHost {
    platform::CommandQueue& commands;
    platform::ProgressWindow& progress;
    std::function<void(const std::string&)> showMessage;
    // Called with true when an operation starts (the window shows its background display) and
    // with false when its report has been taken (the window returns to the view it had).
    std::function<void(bool busy)> showBusy;
};

class BackgroundWorker final : public gamefile::BackgroundOperation,
                               public std::enable_shared_from_this<BackgroundWorker> {
  public:
    static std::shared_ptr<BackgroundWorker> Create(BackgroundHost host);
    ~BackgroundWorker() override;
    BackgroundWorker(const BackgroundWorker&) = delete;
    BackgroundWorker& operator=(const BackgroundWorker&) = delete;

    // Starts an operation (the caller has asked its questions). False when one is still running
    // or waiting to be reported.
    bool StartBackgroundOperation(const BackgroundRequest& request, BackgroundBody body);

    // gamefile::BackgroundOperation (window thread).
    bool IsRunning() const override;
    gamefile::BackgroundKind Kind() const override { return request_.kind; }
    bool IsMergeFile() const override { return request_.mergeFile; }
    void RequestCancel() override;
    void Join() override;

    // Command 461: shows the report kept while the main window was minimized.
    void ReportDeferred();
    // The main window was restored.
    void MainWindowRestored();
    // The Cancel button of the progress window.
    void CancelPressed();

    int State() const { return state_.load(); }
    ProgressCounters Counters() const;

  private:
    class Context;
    explicit BackgroundWorker(BackgroundHost host);

    void Finish(BackgroundReport report);
    void Redraw();
    void Post(std::function<void(BackgroundWorker&)> call);
    void EndDisplay();

    BackgroundHost host_;
    BackgroundRequest request_;
    std::thread thread_;
    std::atomic<int> state_{kRunIdle};
    std::atomic<int> current_{0};
    std::atomic<int> found_{0};
    std::atomic<int> total_{0};
    // Set by the worker when it posts a redraw and cleared by the redraw: at most one is queued.
    std::atomic<bool> redrawPending_{false};
    // Window thread only.
    ProgressBar bar_;
    std::string fileName_;
    BackgroundReport deferred_;
};

}  // namespace ravelin::gamefile
