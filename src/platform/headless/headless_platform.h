#pragma once

#include <deque>
#include <functional>
#include <map>
#include <mutex>
#include <optional>
#include <string>
#include <vector>

#include "platform/headless/headless_list_windows.h"
#include "platform/headless/headless_printer.h"
#include "platform/headless/headless_progress.h"
#include "platform/headless/posix_child_process.h"
#include "platform/platform.h"

namespace ravelin::platform {

// A platform without a screen: it answers questions, file dialogs and dialogs from a script and
// records every message. Tests drive the program through it exactly as the menus do; the
// command-line tool uses it with an empty script (questions answered No, dialogs cancelled).
class HeadlessPlatform : public MessageService,
                         public FileDialogService,
                         public DialogService,
                         public CommandQueue,
                         public Clipboard {
  public:
    HeadlessPlatform();

    Platform AsPlatform();
    ScreenMetrics screen;
    HeadlessProgressWindow progress;
    HeadlessListWindows listWindows;
    // Child processes are real: the engine tests run the real engine.
    PosixProcessLauncher processes;
    HeadlessPrinter printer;

    // --- script ---
    // Answers for the next questions, in order; when none is left the answer is No.
    std::deque<int> questionAnswers;
    // Results for the next file dialogs, in order (nullopt = cancel); when none is left: cancel.
    std::deque<std::optional<std::string>> fileChoices;
    // Fills in a dialog and says whether to accept it; without one every dialog is cancelled.
    std::function<bool(Dialog&)> dialogScript;
    // Called on the posting thread before a call is queued: a test can hold a worker at its first
    // report while the window thread acts.
    std::function<void()> onPostToWindowThread;

    // --- records ---
    std::vector<MessageBoxRequest> messages;      // messages and questions, in order
    std::vector<FileDialogRequest> fileRequests;  // every file dialog shown
    std::vector<std::string> dialogTitles;        // every dialog shown
    std::map<int, int> timers;                    // running timers: id -> interval
    std::string clipboardText;
    // Every message text (not questions), in order.
    std::vector<std::string> MessageTexts() const;

    // --- the queue ---
    // Runs posted calls and commands in order through the handler until the queue is empty (or
    // the limit of steps is reached, which guards tests against a command that re-posts itself).
    // Returns the number of commands handled.
    int RunPending(const std::function<void(int)>& handleCommand, int maxSteps = 10000);
    std::size_t PendingCount() const;

    // MessageService
    void ShowMessageBox(const MessageBoxRequest& request) override;
    int AskQuestionBox(const MessageBoxRequest& request) override;
    // FileDialogService
    std::optional<std::string> ChooseFile(const FileDialogRequest& request) override;
    // DialogService
    bool RunDialog(Dialog& dialog) override;
    // CommandQueue
    void PostCommand(int commandId) override;
    bool IsCommandPending(int commandId) const override;
    void StartTimer(int timerId, int intervalMs) override;
    void KillTimer(int timerId) override;
    void PostToWindowThread(std::function<void()> call) override;
    // Clipboard
    std::string GetText() override { return clipboardText; }
    void SetText(const std::string& text) override { clipboardText = text; }

  private:
    struct QueueItem {
        int commandId = 0;  // 0: a posted call
        std::function<void()> call;
    };
    mutable std::mutex queueMutex_;
    std::deque<QueueItem> queue_;
};

}  // namespace ravelin::platform
