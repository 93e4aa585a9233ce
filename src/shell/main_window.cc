#include "shell/main_window.h"

#include <algorithm>
#include <cstdio>

#include "platform/file_util.h"
#include "shell/command_ids.h"
#include "shell/help_page.h"

namespace ravelin::shell {

namespace {

constexpr char kCaption[] = "Ravelin";

LayoutSize LayoutSizeOf(const ScreenLayout& layout) {
    switch (layout.kind) {
        case ScreenLayoutKind::kMedium:
            return LayoutSize::kMedium;
        case ScreenLayoutKind::kLarge:
            return LayoutSize::kLarge;
        default:
            return LayoutSize::kSmall;
    }
}

}  // namespace

MainWindow::MainWindow(platform::Platform platform, platform::WorkingPaths paths)
    : platform_(platform), paths_(std::move(paths)), messages_(*platform.messages) {}

MainWindow::~MainWindow() = default;

bool MainWindow::SaveSettings() {
    // A failed write is not reported: the record is written again at the next change.
    return SaveSettingsFile(paths_.File(kOptionsFileName), settings_);
}

void MainWindow::StartUp(const std::string& commandLinePath) {
    environment_.screenWidth = platform_.screen.width;
    environment_.screenHeight = platform_.screen.height;
    environment_.dpiX = platform_.screen.dpiX;
    environment_.dpiY = platform_.screen.dpiY;
    environment_.workingDirectory = paths_.Directory();

    StartupSettingsResult loaded = LoadStartupSettings(paths_.File(kOptionsFileName), environment_, settings_);
    if (loaded.convertedOldLayout) {
        std::remove(paths_.File(kSearchWorkFileName).c_str());
    }
    if (loaded.mustWrite) {
        SaveSettings();
    }
    layout_ = ApplyScreenLayout(settings_, ChooseLayoutFit(environment_.screenWidth, static_cast<int>(settings_.BoardSize())),
                                displayMode);
    messages_.SetPlacement(LayoutSizeOf(layout_), displayMode);

    gamefile::GameFileHost host{settings_, *platform_.files, messages_, [this] { SaveSettings(); }, [] {}};
    file_ = std::make_unique<gamefile::GameFile>(std::move(host));
    if (!commandLinePath.empty()) {
        file_->SetCommandLinePath(commandLinePath);
        commandLineOpen_ = true;
    }
    std::remove(paths_.File(kGameBufferFileName).c_str());
    platform_.commands->PostCommand(kCmdOpenFile);
    Changed();
}

WindowRect MainWindow::InitialWindowRect() const {
    return ComputeWindowRect(settings_, platform_.screen.width, platform_.screen.height);
}

void MainWindow::HandleCommand(int commandId) {
    // A command that arrives twice in a row (a double click on a menu bar item) runs once.
    if (commandId == duplicateCommand_) {
        duplicateCommand_ = 0;
        return;
    }
    duplicateCommand_ = platform_.commands->IsCommandPending(commandId) ? commandId : 0;
    messages_.SetPlacement(LayoutSizeOf(layout_), displayMode);

    switch (commandId) {
        case kCmdOpenFile:
            OpenFileCommand();
            break;
        case kCmdPreviousFile:
            PreviousFileCommand();
            break;
        case kCmdReloadFile:
            ReloadFileCommand();
            break;
        case kCmdExit:
            exitRequested_ = true;
            break;
        case kCmdShowVersion:
            messages_.ShowMessage(kVersionText);
            break;
        case kCmdHelp:
            ShowHelp();
            break;
        default:
            if (commandId >= kFirstCommandId && commandId <= kLastCommandId) {
                messages_.ShowMessage(kNotAvailableYet);
            }
            break;
    }

    if (pendingReissue_ != 0) {
        platform_.commands->PostCommand(pendingReissue_);
        pendingReissue_ = 0;
    }
    if (secondPending_ > 1) {
        platform_.commands->PostCommand(secondPending_);
        secondPending_ = 1;
    }
    Changed();
}

bool MainWindow::RequireOpenFile() {
    if (file_ && file_->IsOpen()) {
        return true;
    }
    messages_.ShowMessage(gamefile::kMustOpenFile);
    return false;
}

void MainWindow::OpenFileCommand() {
    if (!file_) {
        return;
    }
    int handle = commandLineOpen_ ? gamefile::kCommandLineFile : file_->Descriptor();
    commandLineOpen_ = false;
    file_->OpenGameFile(handle, gamefile::OpenMode::kView, displayMode, currentPly);
    if (file_->OpenPending()) {
        // The window repaints without the dialog before the long scan runs.
        pendingReissue_ = kCmdOpenFile;
        return;
    }
    if (file_->IsOpen()) {
        currentPly = 0;
    }
}

void MainWindow::PreviousFileCommand() {
    if (!file_ || file_->PreviousPath().empty() || file_->PreviousPath() == file_->Path()) {
        return;
    }
    file_->OpenGameFile(file_->Descriptor(), gamefile::OpenMode::kPrevious, displayMode, currentPly);
    if (file_->IsOpen()) {
        int count = file_->GameCount();
        file_->currentGame = std::clamp(file_->returnGame, 1, std::max(count, 1));
    }
}

void MainWindow::ReloadFileCommand() {
    if (!RequireOpenFile()) {
        return;
    }
    file_->Reindex();
    messages_.ShowMessage(kFileReloaded);
}

void MainWindow::ShowHelp() {
    std::string path = paths_.File(kHelpFileName);
    std::string_view page = HelpPageHtml();
    if (!platform::WriteFileReplacing(path, page.data(), page.size())) {
        messages_.ShowMessage("Cannot write the help page.");
        return;
    }
    if (onShowHelp) {
        onShowHelp(path);
    }
}

void MainWindow::ScrollToGame(int gameNumber) {
    if (!file_ || !file_->IsOpen() || file_->GameCount() < 1) {
        return;
    }
    file_->currentGame = std::clamp(gameNumber, 1, file_->GameCount());
    Changed();
}

WindowView MainWindow::View() const {
    WindowView view;
    view.caption = kCaption;
    if (file_ && file_->IsOpen()) {
        view.fileLine = "File:  " + gamefile::MakeDisplayFileName(file_->FileName());
        char gameLine[64];
        std::snprintf(gameLine, sizeof gameLine, "Game:  %d of %d", file_->currentGame, file_->GameCount());
        view.gameLine = gameLine;
        view.scrollMaximum = std::max(file_->GameCount(), 1);
        view.scrollPosition = file_->currentGame;
        view.scrollEnabled = file_->GameCount() > 1 && layout_.kind != ScreenLayoutKind::kAlternate;
    }
    return view;
}

void MainWindow::Changed() {
    if (onChanged) {
        onChanged();
    }
}

}  // namespace ravelin::shell
