#pragma once

#include "platform/child_process.h"
#include "platform/clipboard.h"
#include "platform/command_queue.h"
#include "platform/dialog.h"
#include "platform/file_dialog.h"
#include "platform/list_window.h"
#include "platform/messages.h"
#include "platform/printer.h"
#include "platform/progress.h"
#include "platform/screen.h"

namespace ravelin::platform {

// The services the core uses to reach the outside world, bundled so they can be handed around as
// one value. The objects are owned by whoever built the bundle (the Qt program or a test).
struct Platform {
    MessageService* messages = nullptr;
    FileDialogService* files = nullptr;
    DialogService* dialogs = nullptr;
    CommandQueue* commands = nullptr;
    Clipboard* clipboard = nullptr;
    ProcessLauncher* processes = nullptr;  // the engine's child process
    Printer* printer = nullptr;
    ProgressWindow* progress = nullptr;        // the background operation's progress window
    ListWindowService* listWindows = nullptr;  // the tree window beside the board
    ScreenMetrics screen;
};

}  // namespace ravelin::platform
