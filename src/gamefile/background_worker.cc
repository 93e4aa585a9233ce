#include "gamefile/background_worker.h"

#include <utility>

namespace ravelin::gamefile {

// The worker thread's handle on its operation. It writes atomics and posts calls; it never
// touches what the window thread owns.
class BackgroundWorker::Context final : public WorkerContext {
  public:
    explicit Context(BackgroundWorker& worker) : worker_(worker) {}

    void UpdateProgress(int current, int found, int total) override {
        worker_.current_.store(current);
        worker_.found_.store(found);
        worker_.total_.store(total);
        if (!worker_.redrawPending_.exchange(true)) {
            worker_.Post([](BackgroundWorker& w) { w.Redraw(); });
        }
    }

    bool StopRequested() override {
        if (worker_.state_.load() != kRunCancelRequested) {
            return false;
        }
        const std::string& refusal = worker_.request_.cancelRefusal;
        if (refusal.empty()) {
            return true;
        }
        worker_.Post([refusal](BackgroundWorker& w) { w.host_.showMessage(refusal); });
        int expected = kRunCancelRequested;
        worker_.state_.compare_exchange_strong(expected, kRunRunning);
        return false;
    }

    void SetFileName(const std::string& name) override {
        worker_.Post([name](BackgroundWorker& w) { w.fileName_ = name; });
    }

  private:
    BackgroundWorker& worker_;
};

std::shared_ptr<BackgroundWorker> BackgroundWorker::Create(BackgroundHost host) {
    std::shared_ptr<BackgroundWorker> worker(new BackgroundWorker(std::move(host)));
    std::weak_ptr<BackgroundWorker> weak = worker;
    worker->host_.progress.SetRestoredHandler([weak] {
        if (auto alive = weak.lock()) {
            alive->MainWindowRestored();
        }
    });
    return worker;
}

BackgroundWorker::BackgroundWorker(BackgroundHost host) : host_(std::move(host)) {}

BackgroundWorker::~BackgroundWorker() {
    Join();
}

bool BackgroundWorker::StartBackgroundOperation(const BackgroundRequest& request, BackgroundBody body) {
    if (state_.load() != kRunIdle) {
        return false;
    }
    // A worker that has reported may not have been joined yet.
    Join();
    request_ = request;
    current_.store(1);
    found_.store(0);
    total_.store(request.total);
    redrawPending_.store(false);
    bar_.Reset();
    fileName_.clear();
    deferred_ = BackgroundReport{};
    if (host_.showBusy) {
        host_.showBusy(true);
    }
    std::weak_ptr<BackgroundWorker> weak = weak_from_this();
    host_.progress.Open(request.title, [weak] {
        if (auto alive = weak.lock()) {
            alive->CancelPressed();
        }
    });
    Redraw();
    state_.store(kRunRunning);
    thread_ = std::thread([this, run = std::move(body)] {
        Context context(*this);
        BackgroundReport report = run(context);
        // The last thing the thread does: everything after this happens on the window thread.
        Post([report = std::move(report)](BackgroundWorker& w) mutable { w.Finish(std::move(report)); });
    });
    return true;
}

bool BackgroundWorker::IsRunning() const {
    const int state = state_.load();
    return state == kRunRunning || state == kRunCancelRequested;
}

void BackgroundWorker::RequestCancel() {
    int expected = kRunRunning;
    state_.compare_exchange_strong(expected, kRunCancelRequested);
}

void BackgroundWorker::Join() {
    if (thread_.joinable()) {
        thread_.join();
    }
}

void BackgroundWorker::CancelPressed() {
    if (!IsRunning()) {
        return;
    }
    RequestCancel();
    // Kinds that can stop lose their window at once; the others keep it and say why they go on.
    if (request_.cancelRefusal.empty()) {
        host_.progress.Close();
    }
}

ProgressCounters BackgroundWorker::Counters() const {
    return ProgressCounters{current_.load(), found_.load(), total_.load()};
}

void BackgroundWorker::Redraw() {
    redrawPending_.store(false);
    if (!host_.progress.IsOpen()) {
        return;
    }
    const ProgressCounters counters = Counters();
    const double fraction = bar_.Advance(counters, request_.variant);
    host_.progress.Show(ProgressCounterText(request_.kind, request_.variant, counters, fileName_),
                        fraction >= 0 ? fraction : bar_.Drawn());
}

void BackgroundWorker::Post(std::function<void(BackgroundWorker&)> call) {
    std::weak_ptr<BackgroundWorker> weak = weak_from_this();
    host_.commands.PostToWindowThread([weak, call = std::move(call)] {
        if (auto alive = weak.lock()) {
            call(*alive);
        }
    });
}

void BackgroundWorker::EndDisplay() {
    host_.progress.Close();
    if (host_.showBusy) {
        host_.showBusy(false);
    }
}

void BackgroundWorker::Finish(BackgroundReport report) {
    // The thread posted this as its last step: it has ended or is about to.
    Join();
    if (host_.progress.MainWindowMinimized()) {
        deferred_ = std::move(report);
        state_.store(deferred_.deferredState);
        return;
    }
    state_.store(kRunIdle);
    EndDisplay();
    if (!report.message.empty()) {
        host_.showMessage(report.message);
    }
    host_.commands.PostCommand(report.followUp);
}

void BackgroundWorker::MainWindowRestored() {
    if (state_.load() < kRunFinishedResults) {
        return;
    }
    if (deferred_.deferredCommand == kCommandOperationComplete) {
        host_.progress.Close();
        host_.commands.PostCommand(kCommandOperationComplete);
        return;
    }
    // A result list shows the results itself: the operation is reported once it opens.
    state_.store(kRunIdle);
    EndDisplay();
    host_.commands.PostCommand(deferred_.deferredCommand);
}

void BackgroundWorker::ReportDeferred() {
    if (state_.load() < kRunFinishedResults) {
        return;
    }
    state_.store(kRunIdle);
    EndDisplay();
    if (!deferred_.message.empty()) {
        host_.showMessage(deferred_.message);
    }
    host_.commands.PostCommand(deferred_.followUp);
}

}  // namespace ravelin::gamefile
