#include "shell/commands/game_viewer.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/engine_commands.h"

#include <algorithm>
#include <cstdlib>
#include <utility>

#include "display/piece_set_install.h"
#include "eco/eco_match.h"
#include "platform/working_paths.h"
#include "shell/command_ids.h"
#include "shell/commands/position_editor.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/go_to_move_dialog.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

// Lines the column text moves for one notch of the wheel.
constexpr int kWheelLines = 3;
constexpr char kPiecesFolder[] = "/pieces";
constexpr char kEcoFolder[] = "/eco";

}  // namespace

GameViewer::GameViewer(MainWindow& window) : window_(window) {
    display_.messages = [this](std::string_view text) { window_.Messages().ShowMessage(text); };
    display_.openingLine = [this](int ply) -> std::optional<std::string> {
        if (!ecoTable_.loaded) {
            return std::nullopt;
        }
        eco::OpeningStatusRequest request;
        request.gameCurrentPly = ply;
        request.showOpeningOption = window_.Settings().DisplayOpening();
        request.gameStartsFromFen = display_.Context().fenSwitch;
        request.openFilePath = window_.File().Path();
        const eco::EcoGameMoves moves = eco::PrepareGameMoves(display_.Context().moves);
        eco::OpeningStatusLine line = eco::ShowOpeningStatus(ecoTable_, moves, request, ecoState_);
        if (!line.draw) {
            return std::nullopt;
        }
        return line.text;
    };
    Register();
}

void GameViewer::StartUp() {
    const std::string shipped = platform::ShippedDataDirectory();
    const std::string& work = window_.Paths().Directory();
    display::InstallPieceSets(shipped + kPiecesFolder, work);
    display::InstallFigurines(shipped + kPiecesFolder, work);
    eco::InstallEcoTable(shipped + kEcoFolder, work);
    eco::LoadEcoTable(ecoTable_, work, [this](eco::EcoMessageKind, std::string_view text) {
        window_.Messages().ShowMessage(text);
    });
    Reconfigure();
}

void GameViewer::ReloadEcoTable() {
    eco::EcoTable table;
    if (eco::LoadEcoTable(
            table, window_.Paths().Directory(),
            [this](eco::EcoMessageKind, std::string_view text) { window_.Messages().ShowMessage(text); })) {
        ecoTable_ = std::move(table);
    }
}

void GameViewer::Reconfigure() {
    display_.Configure(display::GameDisplayOptions::From(window_.Settings(), window_.Paths().Directory()));
    ReportPieceSetFailure();
    ReconfigureEditor();
}

void GameViewer::ReconfigureEditor() {
    // The criteria editors draw with the same options and side as the game.
    if (window_.Engine().BoardShown()) {
        window_.Engine().Board().Configure();
    } else if (window_.displayMode == kModeVariationEdit) {
        window_.Searches().Variation().Configure();
    } else if (window_.displayMode == kModePositionEdit) {
        window_.Searches().Position().Configure();
    } else if (window_.displayMode == kModeAddGame) {
        window_.AddGame().Configure();
    }
}

void GameViewer::ReportPieceSetFailure() {
    // Outside any painting, and once per failed load.
    for (const std::string& failure : {display_.TakePieceSetFailure(), display_.TakeFigurineFailure()}) {
        if (!failure.empty()) {
            window_.Messages().ShowMessage(failure);
        }
    }
}

void GameViewer::Register() {
    CommandHandlers& handlers = window_.Handlers();
    handlers.Set(kCmdDisplayGame, [this] { ShowCurrentGame(); });
    handlers.Set(kCmdDisplayText, [this] { ShowCurrentText(); });
    handlers.Set(kCmdNextGame, [this] { StepGame(1); });
    handlers.Set(kCmdPrevGame, [this] { StepGame(-1); });
    handlers.Set(kCmdFlip, [this] {
        display_.Flip();
        ReportPieceSetFailure();
        ReconfigureEditor();
    });
    // Variation edit steps through its own moves with these two.
    handlers.Set(kCmdStartOfGame, [this] {
        if (window_.displayMode == kModeVariationEdit || !DeferUntilGameShown(kCmdStartOfGame)) {
            Key(GameKey::kStart);
        }
    });
    SetShownGameCommand(kCmdMiddleOfGame, [this] {
        // The game's own moves come back before going to one of them.
        EndAnalysisReplay();
        display_.GoToPly(display::kGoToMiddle);
        window_.currentPly = display_.CurrentPly();
    });
    handlers.Set(kCmdEndOfGame, [this] {
        if (window_.displayMode == kModeVariationEdit || !DeferUntilGameShown(kCmdEndOfGame)) {
            Key(GameKey::kEnd);
        }
    });
    handlers.Set(kCmdNormalText, [this] { ShowText(false); });
    handlers.Set(kCmdActualText, [this] { ShowText(true); });
    handlers.Set(kCmdPageTextUp, [this] { text_.PreviousPage(); });
    handlers.Set(kCmdPageTextDown, [this] { text_.NextPage(); });
    SetShownGameCommand(kCmdShowActualText, [this] { OpenActualText(); });
    handlers.Set(kCmdShowNormalText, [this] { CloseActualText(); });
    // Back to the game's own line from a clicked variation or from the analysis replay.
    handlers.Set(kCmdEndOfVariation, [this] {
        if (window_.displayMode != kModeGame) {
            return;
        }
        if (display_.AnalysisReplayActive()) {
            EndAnalysisReplay();
        } else if (display_.InVariation()) {
            display_.EndVariation();
            window_.currentPly = display_.CurrentPly();
        }
    });
    SetShownGameCommand(kCmdPlayAnalysis, [this] { PlayAnalysis(); });
    SetShownGameCommand(kCmdSetNewStart, [this] { SetNewStart(); });
    SetShownGameCommand(kCmdSelectLine, [this] { SelectLine(); });
    SetShownGameCommand(kCmdShowLine, [this] { ShowLine(); });
    // The previous game's text, from the text view's menu.
    handlers.Set(kCmdPrevGameText, [this] {
        if (window_.displayMode == kModeText) {
            StepGame(-1);
        }
    });
    // The record as it stands in the file, whole in a window of its own.
    handlers.Set(kCmdActualListBox, [this] { OpenActualText(); });

    window_.AutoPlayer().nextPly = [this] {
        if (window_.displayMode == kModeGame && display_.AnalysisReplayActive()) {
            PlayAnalysis();
            return display_.AnalysisReplayActive();
        }
        if (window_.displayMode != kModeGame || !display_.NextPly()) {
            return false;
        }
        window_.currentPly = display_.CurrentPly();
        return true;
    };
    window_.hooks.reloadPieceSet = [this] { Reconfigure(); };
    window_.hooks.layoutChanged = [this] { Reconfigure(); };
    window_.hooks.redraw = [this] { Reconfigure(); };
    // A new view closes the actual-text window with the other tools of the old one.
    window_.hooks.closeViewTools = [this, before = window_.hooks.closeViewTools] {
        if (before) {
            before();
        }
        CloseActualText();
    };
}

void GameViewer::OpenActualText() {
    const bool gameShown = window_.displayMode == kModeGame && display_.HasGame();
    if (!gameShown && window_.displayMode != kModeText) {
        return;
    }
    gamefile::GameFile& file = window_.File();
    if (!actualText_.Load(file, file.currentGame)) {
        return;
    }
    actualTextOpen_ = true;
    window_.contextState.actualTextWindowOpen = true;
}

void GameViewer::CloseActualText() {
    actualTextOpen_ = false;
    window_.contextState.actualTextWindowOpen = false;
}

void GameViewer::PlayAnalysis() {
    if (display_.InVariation()) {
        // The replay starts from the game's own line.
        display_.EndVariation();
    }
    if (!display_.AnalysisReplayActive() && !display_.StartAnalysisReplay()) {
        return;
    }
    if (!display_.StepAnalysisReplay()) {
        // The stepper has said why it stopped; the game's own moves come back.
        EndAnalysisReplay();
        return;
    }
    window_.currentPly = display_.CurrentPly();
}

void GameViewer::EndAnalysisReplay() {
    if (!display_.AnalysisReplayActive()) {
        return;
    }
    const int ply = display_.StopAnalysisReplay();
    gamefile::GameFile& file = window_.File();
    if (!display_.ShowGame(file, file.currentGame)) {
        return;
    }
    if (ply == 0) {
        display_.GoToStart();
    } else {
        display_.GoToPly(ply);
    }
    window_.currentPly = display_.CurrentPly();
}

void GameViewer::SetShownGameCommand(int commandId, std::function<void()> action) {
    window_.Handlers().Set(commandId, [this, commandId, action = std::move(action)] {
        if (!DeferUntilGameShown(commandId)) {
            action();
        }
    });
}

bool GameViewer::DeferUntilGameShown(int commandId) {
    if (window_.displayMode == kModeGame && display_.HasGame()) {
        return false;
    }
    if (window_.File().IsOpen()) {
        deferredCommand_ = commandId;
        window_.Platform().commands->PostCommand(kCmdDisplayGame);
    }
    return true;
}

// A file another program changed is indexed again before a game is read from it, so that no
// game is shown cut short or from the wrong place.
void GameViewer::IndexAgainIfChanged() {
    gamefile::GameFile& file = window_.File();
    if (file.ChangedOnDisk() && file.ReopenAfterRewrite() >= 0) {
        file.Reindex();
        window_.Messages().ShowMessage(kFileReloaded);
    }
}

bool GameViewer::ShowCurrentGame() {
    IndexAgainIfChanged();
    gamefile::GameFile& file = window_.File();
    const int deferred = std::exchange(deferredCommand_, 0);
    Reconfigure();
    if (OtherSourceActive()) {
        if (!other_.show(display_)) {
            return false;
        }
        window_.displayMode = kModeGame;
        window_.currentPly = 0;
        return true;
    }
    if (!(readShownGame ? readShownGame(display_) : display_.ShowGame(file, file.currentGame))) {
        return false;
    }
    window_.displayMode = kModeGame;
    window_.currentPly = 0;
    ForgetNewStartOfOtherGames();
    if (deferred != 0) {
        window_.Platform().commands->PostCommand(deferred);
    }
    if (actualTextOpen_) {
        // The window follows the game shown.
        if (!actualText_.Load(file, file.currentGame)) {
            CloseActualText();
        }
    }
    return true;
}

bool GameViewer::ShowCurrentText() {
    if (OtherSourceActive()) {
        // Games of the database are shown on the board only.
        return ShowCurrentGame();
    }
    IndexAgainIfChanged();
    gamefile::GameFile& file = window_.File();
    // Another view was asked for before the game came up: the kept request is dropped.
    deferredCommand_ = 0;
    ForgetNewStartOfOtherGames();
    const bool shown =
        window_.Settings().DisplayActualText() ? text_.Load(file, file.currentGame) : ShowSummary();
    if (!shown) {
        return false;
    }
    window_.displayMode = kModeText;
    // The record's window follows the game shown.
    if (actualTextOpen_ && !actualText_.Load(file, file.currentGame)) {
        CloseActualText();
    }
    return true;
}

void GameViewer::ShowText(bool actual) {
    window_.Settings().SetDisplayActualText(actual);
    ShowCurrentText();
}

std::optional<int> GameViewer::MoveCounter() {
    // The game and the variation being entered count moves; the summary shows the move reached.
    if (window_.displayMode == kModeGame && display_.HasGame()) {
        return (display_.CurrentPly() + 1) / 2;
    }
    if (window_.displayMode == kModeVariationEdit && !window_.analysing) {
        return (window_.Searches().Variation().CurrentPly() + 1) / 2;
    }
    return std::nullopt;
}

bool GameViewer::ShowSummary() {
    gamefile::GameFile& file = window_.File();
    const std::optional<int> moveCounter = MoveCounter();
    if (!display_.ShowGame(file, file.currentGame)) {
        return false;
    }
    const gamefile::HeaderDisplay& header = display_.Header();
    std::string fifth;
    const std::string_view whiteElo = gamefile::TextOf(header.whiteElo);
    const std::string_view blackElo = gamefile::TextOf(header.blackElo);
    if (!whiteElo.empty() || !blackElo.empty()) {
        fifth = "Elo:    " + std::string(whiteElo) + " - " + std::string(blackElo) + "    ";
    }
    const std::string opening = OpeningName();
    if (!opening.empty()) {
        fifth += "Opening: " + opening;
    }
    std::vector<std::string> headerRows = {std::string(gamefile::TextOf(header.eventLine)),
                                           std::string(gamefile::TextOf(header.dateLine)),
                                           std::string(gamefile::TextOf(header.playersLine)),
                                           std::string(gamefile::TextOf(header.resultLine)), fifth};
    std::vector<std::string> plies;
    for (int ply = 1; ply <= display_.TotalPlies(); ++ply) {
        plies.push_back(display_.PlainMove(ply));
    }
    text_.SetSummary(display::GameSummaryRows(headerRows, plies, chess::SanView(display_.Record().result)),
                     display_.AnnotationCount() != 0, moveCounter);
    window_.displayMode = kModeText;
    return true;
}

std::string GameViewer::OpeningName() const {
    if (!ecoTable_.loaded || display_.Context().fenSwitch) {
        return {};
    }
    const eco::EcoGameMoves moves = eco::PrepareGameMoves(display_.Context().moves);
    const int plies = std::min(display_.TotalPlies(), display::kOpeningLinePlyLimit - 1);
    const int entry = eco::ClassifyOpening(ecoTable_, moves, plies);
    if (entry == eco::kNoEcoEntry) {
        return {};
    }
    return std::string(eco::EcoCode(ecoTable_, entry)) + " " + std::string(eco::EcoName(ecoTable_, entry));
}

void GameViewer::StepGame(int direction) {
    if (OtherSourceActive()) {
        other_.step(direction);
        return;
    }
    gamefile::GameFile& file = window_.File();
    // The matches of the last search when there are any, else all games.
    const int target = window_.Search().navigation.Step(direction, file.currentGame, file.GameCount());
    if (target < 1 || target > file.GameCount() || target == file.currentGame) {
        return;
    }
    file.currentGame = target;
    if (window_.displayMode == kModeText) {
        ShowCurrentText();
    } else {
        ShowCurrentGame();
    }
}

void GameViewer::AskGoToMove() {
    if (window_.displayMode != kModeGame || !display_.HasGame() || display_.TotalPlies() == 0 ||
        window_.Platform().dialogs == nullptr) {
        return;
    }
    GoToMoveDialog dialog(display_.TotalPlies());
    if (!window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    EndAnalysisReplay();
    display_.typedPly = dialog.Ply();
    display_.GoToPly(display_.typedPly);
    window_.currentPly = display_.CurrentPly();
}

void GameViewer::GoToSearchedPosition() {
    if (DeferUntilGameShown(kCmdSearchedPosition)) {
        return;
    }
    EndAnalysisReplay();
    display_.storedPly = window_.Searches().SearchedPly();
    display_.GoToPly(display::kGoToStored);
    window_.currentPly = display_.CurrentPly();
}

void GameViewer::Character(char character) {
    if (window_.displayMode == kModeAddGame && character == '\b') {
        window_.AddGame().TakeBack();
        return;
    }
    if (window_.displayMode != kModeVariationEdit || window_.analysing || window_.Engine().BoardShown()) {
        return;
    }
    if (character == '*') {
        window_.Searches().Variation().Key(VariationKey::kAnyMove);
    } else if (character == '\b') {
        window_.Searches().Variation().Key(VariationKey::kTakeBack);
    }
}

bool GameViewer::PointOnBoard(int x, int y) {
    if (window_.displayMode == kModeAddGame) {
        return window_.AddGame().PointOnBoard(x, y);
    }
    if (window_.displayMode == kModePositionEdit) {
        return window_.Searches().Position().PointOnBoard(x, y);
    }
    if (window_.Engine().BoardShown()) {
        return window_.Engine().Board().PointOnBoard(x, y);
    }
    if (window_.displayMode == kModeVariationEdit) {
        return window_.Searches().Variation().PointOnBoard(x, y);
    }
    return display::SquareAtPixel(display_.Screen().View(), x, y).has_value();
}

void GameViewer::Key(GameKey key) {
    if (window_.Engine().BoardShown()) {
        // The analysis board steps with the keys as with its buttons.
        static constexpr int kSteps[] = {kCmdAnalysisForward, kCmdAnalysisBack, kCmdAnalysisStart, 0, 0, 0};
        if (const int command = kSteps[static_cast<int>(key)]; command != 0 && window_.analysing) {
            window_.HandleCommand(command);
        }
        return;
    }
    if (window_.displayMode == kModeVariationEdit && !window_.analysing) {
        static constexpr VariationKey kKeys[] = {VariationKey::kForward, VariationKey::kBack,
                                                 VariationKey::kStart,   VariationKey::kEnd,
                                                 VariationKey::kForward, VariationKey::kBack};
        window_.Searches().Variation().Key(kKeys[static_cast<int>(key)]);
        return;
    }
    if (window_.displayMode == kModeText) {
        if (key == GameKey::kNext || key == GameKey::kForwardTen) {
            text_.NextPage();
        } else if (key == GameKey::kPrevious || key == GameKey::kBackTen) {
            text_.PreviousPage();
        }
        return;
    }
    if (window_.displayMode != kModeGame || !display_.HasGame()) {
        return;
    }
    if (display_.AnalysisReplayActive()) {
        if (key == GameKey::kNext) {
            PlayAnalysis();
            return;
        }
        // Any other step leaves the analysis; stepping back ends at the ply it began from.
        EndAnalysisReplay();
        if (key == GameKey::kPrevious) {
            return;
        }
    }
    switch (key) {
        case GameKey::kNext:
            display_.NextPly();
            break;
        case GameKey::kPrevious:
            display_.PreviousPly();
            break;
        case GameKey::kStart:
            if (const int start = NewStartPly(); start > 0) {
                display_.GoToPly(start);
            } else {
                display_.GoToStart();
            }
            break;
        case GameKey::kEnd:
            display_.GoToPly(display::kGoToLast);
            break;
        case GameKey::kForwardTen:
            display_.ForwardTen();
            break;
        case GameKey::kBackTen:
            display_.BackTen();
            break;
    }
    window_.currentPly = display_.CurrentPly();
}

void GameViewer::Click(int x, int y) {
    if (window_.Engine().BoardShown()) {
        window_.Engine().Board().Click(x, y);
        return;
    }
    if (window_.displayMode == kModeVariationEdit && !window_.analysing) {
        window_.Searches().Variation().Click(x, y);
        return;
    }
    if (window_.displayMode == kModePositionEdit) {
        window_.Searches().Position().Click(x, y);
        return;
    }
    if (window_.displayMode == kModeAddGame) {
        window_.AddGame().Click(x, y);
        return;
    }
    if (window_.displayMode == kModeGame) {
        // The buttons step as the keys do, through the analysis replay too.
        if (std::optional<display::GameButton> button = display_.ButtonAt(x, y)) {
            PressButton(*button);
            return;
        }
    }
    if (window_.displayMode == kModeGame && display_.AnalysisReplayActive()) {
        EndAnalysisReplay();
    }
    if (window_.displayMode == kModeGame && display_.ClickAt(x, y)) {
        window_.currentPly = display_.CurrentPly();
    }
}

void GameViewer::Wheel(int steps) {
    if (window_.displayMode == kModeText) {
        if (steps > 0) {
            text_.PreviousPage();
        } else if (steps < 0) {
            text_.NextPage();
        }
        return;
    }
    // Turning the wheel towards the user goes forwards through the game.
    for (int k = 0; k < std::abs(steps); ++k) {
        Key(steps < 0 ? GameKey::kNext : GameKey::kPrevious);
    }
}

bool GameViewer::ScrollWheel(int x, int, int steps) {
    if (window_.displayMode != kModeGame || !display_.HasGame() || !display_.Options().columnFormat ||
        x < display_.Layout().panelX || !display_.ColumnScrollBar().shown) {
        return false;
    }
    // Away from the user shows earlier text.
    display_.ScrollColumnBy(-steps * kWheelLines);
    return true;
}

void GameViewer::ScrollColumn(int lines) {
    if (window_.displayMode == kModeGame) {
        display_.ScrollColumnTo(lines);
    }
}

void GameViewer::PressButton(display::GameButton button) {
    if (button == display::GameButton::kFlip) {
        window_.HandleCommand(kCmdFlip);
        return;
    }
    // The buttons stand in the order of the keys' operations.
    static constexpr GameKey kKeys[] = {GameKey::kStart, GameKey::kBackTen,    GameKey::kPrevious,
                                        GameKey::kNext,  GameKey::kForwardTen, GameKey::kEnd};
    Key(kKeys[static_cast<int>(button)]);
}

void GameViewer::Wheel(int steps, int x, int y) {
    // Turning the wheel away from the user shows earlier lines, as it shows earlier moves.
    if (window_.displayMode == kModeGame && display_.WheelOverAnnotations(x, y, -steps)) {
        return;
    }
    Wheel(steps);
}

bool GameViewer::AnimationStep() {
    if (!display_.Animating()) {
        return false;
    }
    display_.StepAnimation();
    return display_.Animating();
}

std::string GameViewer::StatusFileLine() const {
    return OtherSourceActive() ? other_.fileLine() : window_.View().fileLine;
}

std::string GameViewer::StatusGameLine() const {
    return OtherSourceActive() ? other_.gameLine() : window_.View().gameLine;
}

display::GameViewState GameViewer::State() {
    if (window_.Engine().BoardShown()) {
        return window_.Engine().Board().State();
    }
    if (window_.displayMode == kModeVariationEdit && !window_.analysing) {
        return window_.Searches().Variation().State();
    }
    if (window_.displayMode == kModePositionEdit) {
        return window_.Searches().Position().State();
    }
    if (window_.displayMode == kModeAddGame) {
        return window_.AddGame().State();
    }
    if (window_.displayMode == kModeGame && display_.HasGame()) {
        return display_.State(StatusFileLine(), StatusGameLine());
    }
    if (window_.displayMode == kModeText) {
        return text_.State(display_.Layout(), StatusFileLine(), StatusGameLine(),
                           display_.Options().colours.background, display_.measure);
    }
    return {};
}

}  // namespace ravelin::shell
