#include "shell/main_window.h"

#include <algorithm>
#include <cstdio>

#include "platform/file_util.h"
#include "shell/command_ids.h"
#include "shell/commands/add_game_commands.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/annotation_commands.h"
#include "shell/commands/clipboard_commands.h"
#include "shell/commands/colour_commands.h"
#include "shell/commands/copy_list_commands.h"
#include "shell/commands/database_commands.h"
#include "shell/commands/diagram_commands.h"
#include "shell/commands/directory_search_commands.h"
#include "shell/commands/eco_editor_commands.h"
#include "shell/commands/engine_commands.h"
#include "shell/commands/fast_file_commands.h"
#include "shell/commands/file_utility_commands.h"
#include "shell/commands/game_info_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/commands/html_annotation_commands.h"
#include "shell/commands/modify_moves_commands.h"
#include "shell/commands/modify_text_commands.h"
#include "shell/commands/opening_commands.h"
#include "shell/commands/print_commands.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/statistics_commands.h"
#include "shell/commands/tree_commands.h"
#include "shell/commands/yahoo_commands.h"
#include "shell/dialogs/options_dialog.h"
#include "shell/dialogs/win_statistics_dialog.h"
#include "shell/help_page.h"

namespace ravelin::shell {

namespace {

constexpr char kCaption[] = "Ravelin";
constexpr int kColumnFormatWindowWidth = 675;
constexpr int kOpeningLineDelayMs = 100;

settings::LayoutSize LayoutSizeOf(const settings::ScreenLayout& layout) {
    switch (layout.kind) {
        case settings::ScreenLayoutKind::kMedium:
            return settings::LayoutSize::kMedium;
        case settings::ScreenLayoutKind::kLarge:
            return settings::LayoutSize::kLarge;
        default:
            return settings::LayoutSize::kSmall;
    }
}

}  // namespace

MainWindow::MainWindow(platform::Platform platform, platform::WorkingPaths paths)
    : platform_(platform),
      paths_(std::move(paths)),
      messages_(*platform.messages),
      autoPlay_(*platform.commands, menus_) {
    RegisterOwnHandlers();
    viewer_ = std::make_unique<GameViewer>(*this);
    RegisterGameInfoCommands(*this);
    RegisterGameWritingCommands(*this);
    addGame_ = RegisterAddGameCommands(*this);
    RegisterModifyTextCommand(*this);
    RegisterAnnotationCommands(*this);
    RegisterModifyMovesCommands(*this);
    RegisterYahooCommands(*this);
    RegisterCopyListCommands(*this);
    fastFile_ = RegisterFastFileCommands(*this, platform_);
    RegisterFileUtilityCommands(*this, fastFile_->Worker());
    directorySearch_ = RegisterDirectorySearchCommands(*this, platform_);
    RegisterOpeningCommands(*this);
    RegisterColourCommands(*this);
    RegisterClipboardCommands(*this);
    treeCommands_ = RegisterTreeCommands(*this);
    ecoEditor_ = RegisterEcoEditorCommands(*this);
    statistics_ = RegisterStatisticsCommands(*this);
    engine_ = std::make_unique<EngineCommands>(*this);
    database_ = std::make_unique<DatabaseCommands>(*this);
    // "Select" lists the database's results while the board shows them.
    statistics_->databaseViewActive = [this] { return database_->DatabaseViewActive(); };
    RegisterDiagramCommands(*this);
    RegisterPrintCommands(*this);
    RegisterHtmlAnnotationCommands(*this);
    searchCommands_ = std::make_unique<SearchCommands>(*this);
    searchCommands_->startDirectorySearch = [this](int kind, int combination) {
        directorySearch_->Start(kind, combination);
    };
    searchCommands_->showWinStatistics = [this](const search::SearchResult& result) {
        WinStatisticsDialog dialog(search::WinCountsOf(result));
        platform_.dialogs->RunDialog(dialog);
    };
}

MainWindow::~MainWindow() {
    engine_->Shutdown();
    StopBackground();
}

void MainWindow::RegisterOwnHandlers() {
    handlers_.Set(kCmdOpenFile, [this] { OpenFileCommand(); });
    handlers_.Set(kCmdPreviousFile, [this] { PreviousFileCommand(); });
    handlers_.Set(kCmdReloadFile, [this] { ReloadFileCommand(); });
    handlers_.Set(kCmdOptions, [this] { OptionsCommand(); });
    handlers_.Set(kCmdResetScreen, [this] { ResetScreenCommand(); });
    handlers_.Set(kCmdExit, [this] { ExitCommand(); });
    handlers_.Set(kCmdShowVersion, [this] { messages_.ShowMessage(kVersionText); });
    handlers_.Set(kCmdHelp, [this] { ShowHelp(); });
    handlers_.Set(kCmdAutoPlay, [this] {
        autoPlay_.Toggle(settings::AutoPlayIntervalMs(settings_.AutoPlayDelayText()));
        Call(hooks.redraw);
    });
    // The opening line below the board is cleared once, shortly after the options changed.
    timerHandlers_[kOpeningLineTimer] = [this] {
        platform_.commands->KillTimer(kOpeningLineTimer);
        Call(hooks.redraw);
    };
}

void MainWindow::ShowBackgroundDisplay(bool busy) {
    if (busy) {
        modeBeforeBackground_ = displayMode;
        displayMode = kModeBackground;
    } else if (displayMode == kModeBackground) {
        displayMode = modeBeforeBackground_;
    }
}

bool MainWindow::SaveSettings() {
    // A failed write is not reported: the record is written again at the next change.
    return settings::SaveSettingsFile(paths_.File(settings::kOptionsFileName), settings_);
}

void MainWindow::StartUp(const std::string& commandLinePath) {
    environment_.screenWidth = platform_.screen.width;
    environment_.screenHeight = platform_.screen.height;
    environment_.dpiX = platform_.screen.dpiX;
    environment_.dpiY = platform_.screen.dpiY;
    environment_.workingDirectory = paths_.Directory();

    settings::StartupSettingsResult loaded =
        settings::LoadStartupSettings(paths_.File(settings::kOptionsFileName), environment_, settings_);
    if (loaded.convertedOldLayout) {
        std::remove(paths_.File(settings::kSearchWorkFileName).c_str());
    }
    if (loaded.mustWrite) {
        SaveSettings();
    }
    hideGameTextRunning_ = loaded.hideGameText;
    ShowColourMenuMarks(*this);
    ownMenuBarShown_ = settings_.EnhancedMenu();
    layout_ = settings::ApplyScreenLayout(
        settings_,
        settings::ChooseLayoutFit(environment_.screenWidth, static_cast<int>(settings_.BoardSize())),
        displayMode);
    messages_.SetPlacement(LayoutSizeOf(layout_), displayMode);

    gamefile::GameFileHost host{settings_, *platform_.files, messages_, [this] { SaveSettings(); },
                                [this] {
                                    search_.ForgetFileResults();
                                    treeCommands_->ForgetFileTree();
                                }};
    file_ = std::make_unique<gamefile::GameFile>(std::move(host));
    if (!commandLinePath.empty()) {
        file_->SetCommandLinePath(commandLinePath);
        commandLineOpen_ = true;
    }
    std::remove(paths_.File(kGameBufferFileName).c_str());
    viewer_->StartUp();
    platform_.commands->PostCommand(kCmdOpenFile);
    Changed();
}

settings::WindowRect MainWindow::InitialWindowRect() const {
    return settings::ComputeWindowRect(settings_, platform_.screen.width, platform_.screen.height);
}

DispatchContext MainWindow::Context() const {
    DispatchContext context;
    context.fileOpen = file_ && file_->IsOpen();
    context.databaseOpen = databaseOpen;
    context.displayMode = displayMode;
    context.analysing = analysing;
    context.background = background_;
    context.engine = engine;
    return context;
}

void MainWindow::HandleCommand(int commandId) {
    // A command that arrives twice in a row (a double click on a menu bar item) runs once.
    if (commandId == duplicateCommand_) {
        duplicateCommand_ = 0;
        return;
    }
    duplicateCommand_ = platform_.commands->IsCommandPending(commandId) ? commandId : 0;
    messages_.SetPlacement(LayoutSizeOf(layout_), displayMode);

    if (commandId >= kFirstEngineCommandId && commandId <= kLastEngineCommandId) {
        DispatchEngineCommand(commandId);
    } else {
        DispatchTableCommand(commandId);
    }
    // A command that left add-game mode (another view, another file) takes its menu bar along, and
    // so does one that left the move entry of "Modify Moves".
    if ((menuBar_.Kind() == MenuBarKind::kAddGame || menuBar_.Kind() == MenuBarKind::kModifyMoves) &&
        displayMode != kModeAddGame && displayMode != kModeBackground) {
        menuBar_.SetKind(MenuBarKind::kMain);
    }

    if (pendingReissue_ != 0) {
        Post(pendingReissue_);
        pendingReissue_ = 0;
    }
    if (secondPending_ > 1) {
        Post(secondPending_);
        secondPending_ = 1;
    }
    Changed();
}

void MainWindow::DispatchTableCommand(int commandId) {
    const CommandInfo* command = FindCommand(commandId);
    if (command == nullptr) {
        // No menu issues it: nothing to do.
        return;
    }
    if (auto refusal = RefusalFor(*command, Context())) {
        messages_.ShowMessage(*refusal);
        return;
    }
    if (command->startsNewView) {
        engine_->LeaveBoard(commandId);
        Call(hooks.closeViewTools);
    }
    if (commandId == kCmdOpenFile || commandId == kCmdPreviousFile) {
        Call(hooks.leaveDatabaseView);
    }
    if (!handlers_.Run(commandId)) {
        messages_.ShowMessage(kNotAvailableYet);
    }
}

void MainWindow::DispatchEngineCommand(int commandId) {
    if (auto refusal = EngineCommandRefusal(commandId, Context())) {
        messages_.ShowMessage(*refusal);
        return;
    }
    if (!handlers_.Run(commandId)) {
        messages_.ShowMessage(kNotAvailableYet);
    }
}

void MainWindow::HandleTimer(int timerId) {
    if (timerId == kAutoPlayTimer) {
        autoPlay_.Tick();
    } else if (auto it = timerHandlers_.find(timerId); it != timerHandlers_.end() && it->second) {
        std::function<void()> handler = it->second;
        handler();
    }
    Changed();
}

void MainWindow::Post(int commandId) {
    platform_.commands->PostCommand(commandId);
}

void MainWindow::Call(const std::function<void()>& hook) {
    if (hook) {
        hook();
    }
}

void MainWindow::StopBackground() {
    if (background_ != nullptr) {
        gamefile::StopBeforeExit(*background_);
    }
}

void MainWindow::ExitCommand() {
    // The worker may be writing a file: it is stopped (or, where it cannot stop, allowed to
    // finish) and joined before the program ends.
    StopBackground();
    autoPlay_.Stop();
    engine_->Shutdown();
    Call(hooks.beforeExit);
    exitRequested_ = true;
}

void MainWindow::PrepareToClose() {
    engine_->Shutdown();
    StopBackground();
    autoPlay_.Stop();
    SaveSettings();
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
        // A file of movetext without tag lines has been explained already; showing game 1 would
        // only add "Error finding game.".
        if (settings_.AutoDisplayGame() && !file_->TextWithoutGames()) {
            Post(kCmdDisplayGame);
        }
    }
}

void MainWindow::PreviousFileCommand() {
    if (!file_ || file_->PreviousPath().empty() || file_->PreviousPath() == file_->Path()) {
        return;
    }
    file_->OpenGameFile(file_->Descriptor(), gamefile::OpenMode::kPrevious, displayMode, currentPly);
    if (file_->IsOpen() && !file_->TextWithoutGames()) {
        int count = file_->GameCount();
        file_->currentGame = std::clamp(file_->returnGame, 1, std::max(count, 1));
        if (settings_.AutoDisplayGame()) {
            Post(displayMode == kModeText ? kCmdDisplayText : kCmdDisplayGame);
        }
    }
}

void MainWindow::ReloadFileCommand() {
    file_->Reindex();
    messages_.ShowMessage(kFileReloaded);
}

void MainWindow::ShowHelp() {
    ShowHelpAt({});
}

void MainWindow::ShowHelpAt(std::string_view anchor) {
    std::string path = paths_.File(kHelpFileName);
    std::string_view page = HelpPageHtml();
    if (!platform::WriteFileReplacing(path, page.data(), page.size())) {
        messages_.ShowMessage("Cannot write the help page.");
        return;
    }
    if (onShowHelp) {
        onShowHelp(anchor.empty() ? path : path + "#" + std::string(anchor));
    }
}

void MainWindow::OptionsCommand() {
    if (settings_.PieceLetters().empty()) {
        settings_.SetPieceLetters(settings::kDefaultPieceLetters);
    }
    OptionsBefore before = OptionsBefore::Of(settings_);
    OptionsDialog dialog = OptionsDialog::FromSettings(settings_, displayMode);
    if (platform_.dialogs == nullptr || !platform_.dialogs->RunDialog(dialog)) {
        return;
    }
    dialog.StoreInto(settings_);
    if (ApplyFirstReplayColours(settings_, before.analysisReplayMode)) {
        dialog.displayGameButtons = true;
        ShowColourMenuMarks(*this);
    }
    TakeOverRedisplayRequests(dialog, before);
    SaveSettings();
    ApplyOptionChanges(before);
}

void MainWindow::ResetScreenCommand() {
    // Without saved rectangles the window takes the place and size its layout gives, and the
    // layout is the one the chosen board size gives on this screen.
    settings_.SetSmallWindowRect({});
    settings_.SetOtherWindowRect({});
    settings_.SetLargeWindowRect({});
    settings_.SetAlternateWindowRect({});
    SaveSettings();
    layout_ = settings::ApplyScreenLayout(
        settings_,
        settings::ChooseLayoutFit(environment_.screenWidth, static_cast<int>(settings_.BoardSize())),
        displayMode);
    RecomputeWindowRect();
    Call(hooks.layoutChanged);
}

void MainWindow::AskForBoardSize(bool larger) {
    messages_.ShowMessage(larger ? kLargerBoardMessage : kSmallerBoardMessage);
    Changed();
}

void MainWindow::TakeOverRedisplayRequests(const OptionsDialog& dialog, const OptionsBefore& before) {
    bool openingChanged = dialog.displayOpening != before.displayOpening;
    bool buttonsChanged = dialog.displayGameButtons != before.displayGameButtons;
    auto takeButtons = [&] {
        settings_.SetInt(settings::kOffsetDisplayGameButtons, dialog.displayGameButtons ? 1 : 0);
    };
    auto takeBoth = [&] {
        takeButtons();
        settings_.SetInt(settings::kOffsetDisplayOpening, dialog.displayOpening ? 1 : 0);
    };

    if (displayMode == kModeVariationEdit && analysing) {
        takeBoth();
        Call(hooks.endAnalysis);
        analysing = false;
        displayMode = kModeGame;
        if (settings_.AnalysisReplayMode() == before.analysisReplayMode) {
            Post(kCmdDisplayGame);
        }
        return;
    }
    if (settings_.HideGameText() != hideGameTextRunning_) {
        takeBoth();
        hideGameTextRunning_ = settings_.HideGameText();
        if (displayMode == kModeGame) {
            Post(kCmdDisplayGame);
        }
        return;
    }
    if (openingChanged) {
        takeBoth();
        if (displayMode == kModeGame) {
            Post(kCmdDisplayGame);
        } else if (displayMode == kModeVariationEdit) {
            Post(kCmdEditVariation);
        } else if (displayMode == kModeTree) {
            Call(hooks.redrawTree);
            platform_.commands->StartTimer(kOpeningLineTimer, kOpeningLineDelayMs);
        }
    } else if (buttonsChanged) {
        takeButtons();
        if (displayMode == kModeGame) {
            Post(kCmdDisplayGame);
        }
    }
}

void MainWindow::ShowOwnMenuBar(bool on) {
    ownMenuBarShown_ = on;
    if (!on) {
        menuBar_.SetKind(MenuBarKind::kMain);
    }
}

void MainWindow::SetMenuBarKind(MenuBarKind kind) {
    menuBar_.SetKind(kind);
    Changed();
}

void MainWindow::RecomputeWindowRect() {
    if (onWindowRect) {
        onWindowRect(
            settings::ComputeWindowRect(settings_, environment_.screenWidth, environment_.screenHeight));
    }
}

void MainWindow::ApplyOptionChanges(const OptionsBefore& before) {
    if (!settings_.AutoDisplayAnalysisComments()) {
        Call(hooks.closeAnnotationList);
    }
    if (settings_.DisplayActualText() != before.displayActualText && displayMode == kModeText) {
        Post(kCmdDisplayText);
        return;
    }

    bool enhancedChanged = settings_.EnhancedMenu() != before.enhancedMenu;
    bool columnChanged = settings_.ColumnFormat() != before.columnFormat;
    settings::SavedRect small = settings_.SmallWindowRect();
    bool columnCase = !before.columnFormat && settings_.ColumnFormat() &&
                      layout_.kind == settings::ScreenLayoutKind::kSmall &&
                      small.width < kColumnFormatWindowWidth;
    if (enhancedChanged || columnCase) {
        if (columnChanged && small.width != 0) {
            small.width = kColumnFormatWindowWidth;
            settings_.SetSmallWindowRect(small);
            SaveSettings();
        }
        if (enhancedChanged) {
            ShowOwnMenuBar(settings_.EnhancedMenu());
            RecomputeWindowRect();
        }
        if (columnCase) {
            RecomputeWindowRect();
            Post(displayMode == kModeText ? kCmdDisplayText : kCmdDisplayGame);
        }
        return;
    }

    bool styleChanged = settings_.PieceStyle() != before.pieceStyle;
    bool sizeChanged = static_cast<int>(settings_.BoardSize()) != before.boardSize;
    bool replayChanged = settings_.AnalysisReplayMode() != before.analysisReplayMode;
    if (styleChanged || sizeChanged || replayChanged) {
        if (styleChanged) {
            Call(hooks.reloadPieceSet);
        }
        ApplyModBlueScheme(settings_, before.pieceStyle, messages_);
        SaveSettings();
        BoardFit fit = FitBoardToScreen(environment_.screenWidth, settings_.AnalysisReplayMode(),
                                        before.boardSize, static_cast<int>(settings_.BoardSize()));
        if (!fit.message.empty()) {
            messages_.ShowMessage(fit.message);
        }
        if (sizeChanged || replayChanged) {
            Call(hooks.closeViewTools);
        }
        ForgetSmallSavedWindows(settings_, fit.fit);
        SaveSettings();
        layout_ = settings::ApplyScreenLayout(settings_, fit.fit, displayMode);
        RecomputeWindowRect();
        Call(hooks.layoutChanged);
        if ((sizeChanged || replayChanged) && displayMode > kModeGame && displayMode != kModeBackground) {
            bool keepMode = displayMode == kModePositionEdit || displayMode == kModeAddGame ||
                            displayMode == kModeTree || (displayMode == kModeVariationEdit && analysing);
            if (!keepMode) {
                displayMode = kModeGame;
            }
        }
        Call(hooks.redraw);
        return;
    }

    bool redrawAll = settings_.NotationStyle() != before.notationStyle ||
                     settings_.HighlightLastMove() != before.highlightLastMove ||
                     settings_.PieceLetters() != before.letters;
    bool redrawGame = (settings_.DisplayCoordinates() != before.displayCoordinates || columnChanged) &&
                      displayMode == kModeGame;
    if (redrawAll || redrawGame) {
        Call(hooks.redraw);
    }
}

std::string_view MainWindow::ContextMenu(bool clickOnBoard) const {
    ContextMenuState state = contextState;
    state.displayMode = displayMode;
    state.displayActualText = settings_.DisplayActualText();
    state.alternateKind = layout_.kind == settings::ScreenLayoutKind::kAlternate ? layout_.alternateKind : 0;
    state.analysing = analysing;
    state.clickOnBoard = clickOnBoard;
    // V and S of the game menus: a variation shown (clicked or replayed) or stepping through search
    // results, and a searched position to go to.
    const display::GameDisplay& game = viewer_->Display();
    state.inVariationOrNavigation =
        state.inVariationOrNavigation || search_.navigation.Active() ||
        (displayMode == kModeGame && (game.InVariation() || game.AnalysisReplayActive()));
    state.searchActive = state.searchActive || search_.searchActive;
    return ContextMenuName(state);
}

void MainWindow::ScrollToGame(int gameNumber) {
    if (!file_ || !file_->IsOpen() || file_->GameCount() < 1) {
        return;
    }
    int before = file_->currentGame;
    file_->currentGame = std::clamp(gameNumber, 1, file_->GameCount());
    // The view follows the scroll bar to the game in the mode it is in.
    if (file_->currentGame != before && (displayMode == kModeGame || displayMode == kModeText)) {
        Post(displayMode == kModeText ? kCmdDisplayText : kCmdDisplayGame);
    }
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
        view.scrollEnabled = file_->GameCount() > 1 && layout_.kind != settings::ScreenLayoutKind::kAlternate;
    }
    if (viewer_ && viewer_->OtherSourceActive()) {
        view.fileLine = viewer_->StatusFileLine();
        view.gameLine = viewer_->StatusGameLine();
        view.scrollEnabled = false;
    }
    view.ownMenuBar = ownMenuBarShown_;
    view.menuBarHeight = ownMenuBarShown_ ? kOwnMenuBarHeight : 0;
    view.menuBarKind = menuBar_.Kind();
    view.autoPlayOn = autoPlay_.On();
    return view;
}

void MainWindow::Changed() {
    if (onChanged) {
        onChanged();
    }
}

}  // namespace ravelin::shell
