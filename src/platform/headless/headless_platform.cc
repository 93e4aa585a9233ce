#include "platform/headless/headless_platform.h"

#include <utility>

namespace ravelin::platform {

HeadlessPlatform::HeadlessPlatform() = default;

Platform HeadlessPlatform::AsPlatform() {
    Platform platform;
    platform.messages = this;
    platform.files = this;
    platform.dialogs = this;
    platform.commands = this;
    platform.clipboard = this;
    platform.progress = &progress;
    platform.listWindows = &listWindows;
    platform.processes = &processes;
    platform.printer = &printer;
    platform.screen = screen;
    return platform;
}

std::vector<std::string> HeadlessPlatform::MessageTexts() const {
    std::vector<std::string> texts;
    for (const auto& message : messages) {
        if (!message.question) {
            texts.push_back(message.text);
        }
    }
    return texts;
}

void HeadlessPlatform::ShowMessageBox(const MessageBoxRequest& request) {
    messages.push_back(request);
}

int HeadlessPlatform::AskQuestionBox(const MessageBoxRequest& request) {
    messages.push_back(request);
    if (questionAnswers.empty()) {
        return kAnswerNo;
    }
    int answer = questionAnswers.front();
    questionAnswers.pop_front();
    return answer == kAnswerYes ? kAnswerYes : kAnswerNo;
}

std::optional<std::string> HeadlessPlatform::ChooseFile(const FileDialogRequest& request) {
    fileRequests.push_back(request);
    if (fileChoices.empty()) {
        return std::nullopt;
    }
    auto choice = fileChoices.front();
    fileChoices.pop_front();
    return choice;
}

bool HeadlessPlatform::RunDialog(Dialog& dialog) {
    dialogTitles.push_back(dialog.Title());
    if (!dialogScript) {
        return false;
    }
    // A script that fills in unacceptable values gets the dialog's message recorded, as a person
    // would see it, and the dialog counts as cancelled.
    if (!dialogScript(dialog)) {
        return false;
    }
    std::string problem = dialog.Validate();
    if (!problem.empty()) {
        MessageBoxRequest request;
        request.text = problem;
        request.fromChildWindow = true;
        messages.push_back(request);
        return false;
    }
    return true;
}

void HeadlessPlatform::PostCommand(int commandId) {
    std::lock_guard lock(queueMutex_);
    queue_.push_back(QueueItem{commandId, {}});
}

bool HeadlessPlatform::IsCommandPending(int commandId) const {
    std::lock_guard lock(queueMutex_);
    for (const auto& item : queue_) {
        if (item.commandId == commandId) {
            return true;
        }
    }
    return false;
}

void HeadlessPlatform::StartTimer(int timerId, int intervalMs) {
    timers[timerId] = intervalMs;
}

void HeadlessPlatform::KillTimer(int timerId) {
    timers.erase(timerId);
}

void HeadlessPlatform::PostToWindowThread(std::function<void()> call) {
    if (onPostToWindowThread) {
        onPostToWindowThread();
    }
    std::lock_guard lock(queueMutex_);
    queue_.push_back(QueueItem{0, std::move(call)});
}

std::size_t HeadlessPlatform::PendingCount() const {
    std::lock_guard lock(queueMutex_);
    return queue_.size();
}

int HeadlessPlatform::RunPending(const std::function<void(int)>& handleCommand, int maxSteps) {
    int handled = 0;
    for (int step = 0; step < maxSteps; ++step) {
        QueueItem item;
        {
            std::lock_guard lock(queueMutex_);
            if (queue_.empty()) {
                break;
            }
            item = std::move(queue_.front());
            queue_.pop_front();
        }
        if (item.commandId != 0) {
            handleCommand(item.commandId);
            ++handled;
        } else if (item.call) {
            item.call();
        }
    }
    return handled;
}

}  // namespace ravelin::platform
