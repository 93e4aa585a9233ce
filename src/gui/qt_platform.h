#pragma once

#include <QObject>
#include <QTimer>
#include <functional>
#include <map>
#include <memory>
#include <mutex>
#include <string>
#include <vector>

#include "gui/progress_window.h"
#include "gui/qt_list_windows.h"
#include "platform/headless/posix_child_process.h"
#include "gui/qt_printer.h"
#include "platform/platform.h"

class QWidget;

namespace ravelin::gui {

// The platform services on Qt 6 Widgets: message boxes, file dialogs, the posted-command queue
// (queued calls on the window thread), timers and the clipboard.
class QtPlatform : public QObject,
                   public platform::MessageService,
                   public platform::FileDialogService,
                   public platform::DialogService,
                   public platform::CommandQueue,
                   public platform::Clipboard {
    Q_OBJECT
  public:
    QtPlatform();
    ~QtPlatform() override;

    platform::Platform AsPlatform();
    // The window dialogs and message boxes belong to.
    void SetParentWindow(QWidget* window) {
        parent_ = window;
        progress_.SetMainWindow(window);
        printer_.SetParentWindow(window);
    }
    QtPrinter& Printer() { return printer_; }
    // Where posted commands and timer ticks go (timer ids are passed as negative numbers - 1000).
    std::function<void(int)> commandHandler;
    std::function<void(int)> timerHandler;
    // Without a person at the screen (a screenshot run): messages go to standard error, questions
    // are answered No and file dialogs cancelled, so nothing waits for a click.
    bool nonInteractive = false;
    // The texts of the messages and questions answered without a person, in order.
    std::vector<std::string> nonInteractiveMessages;
    // Posted commands not yet handled.
    std::size_t PendingCommandCount() const;

    void ShowMessageBox(const platform::MessageBoxRequest& request) override;
    int AskQuestionBox(const platform::MessageBoxRequest& request) override;
    std::optional<std::string> ChooseFile(const platform::FileDialogRequest& request) override;
    bool RunDialog(platform::Dialog& dialog) override;
    void PostCommand(int commandId) override;
    bool IsCommandPending(int commandId) const override;
    void StartTimer(int timerId, int intervalMs) override;
    void KillTimer(int timerId) override;
    void PostToWindowThread(std::function<void()> call) override;
    std::string GetText() override;
    void SetText(const std::string& text) override;

  private:
    platform::PosixProcessLauncher processes_;
    QWidget* parent_ = nullptr;
    QtProgressWindow progress_;
    QtListWindows listWindows_;
    QtPrinter printer_;
    mutable std::mutex pendingMutex_;
    std::map<int, int> pendingCommands_;  // id -> number waiting in the queue
    std::map<int, std::unique_ptr<QTimer>> timers_;
};

}  // namespace ravelin::gui
