#include "shell/commands/engine_commands.h"

#include <algorithm>
#include <cstdio>
#include <filesystem>
#include <fstream>
#include <iterator>
#include <sstream>

#include "chess/fen.h"
#include "chess/position_setup.h"
#include "engine/adapter_position.h"
#include "engine/engine_output.h"
#include "platform/file_util.h"
#include "platform/working_paths.h"
#include "shell/command_ids.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/commands/position_editor.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/engine_dialogs.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

// The engine options in the settings record's engine block.
constexpr std::size_t kOffsetEngineFirst = settings::kOffsetEngineSettings;
constexpr std::size_t kOffsetDisablePondering = settings::kOffsetEngineSettings + 4;
constexpr std::size_t kOffsetDisplayGeneral = settings::kOffsetEngineSettingDefaultOn;
constexpr std::size_t kOffsetDisplayVariation = settings::kOffsetEngineSettings + 12;
constexpr std::size_t kOffsetFixedFont = settings::kOffsetEngineSettings + 16;
constexpr std::size_t kOffsetMovesText = settings::kOffsetEngineSettings + 20;
constexpr std::size_t kOffsetMinutesText = settings::kOffsetEngineSettings + 28;
constexpr std::size_t kOffsetIncrementText = settings::kOffsetEngineSettings + 36;
constexpr std::size_t kTimeTextWidth = 8;

constexpr char kEngineFolder[] = "engine";
constexpr char kAdapterName[] = "ravelin-engine";
constexpr std::size_t kMaxShownLines = 500;
constexpr int kEngineTimerMs = 1000;

constexpr char kPlayTitle[] = "Playing a game against Crafty";
constexpr char kAnalysisTitle[] = "Analysis";
constexpr char kStudyTitle[] = "Study Mode: find the moves of the game";

std::string WithoutCheckSigns(std::string_view san) {
    std::string text(san);
    while (!text.empty() && (text.back() == '+' || text.back() == '#')) {
        text.pop_back();
    }
    return text;
}

// The adapter installed beside this program, when there is one.
std::string AdapterBesideProgram() {
    std::error_code error;
    const std::filesystem::path self = std::filesystem::read_symlink("/proc/self/exe", error);
    if (error) {
        return {};
    }
    const std::filesystem::path adapter = self.parent_path() / kAdapterName;
    return std::filesystem::exists(adapter, error) ? adapter.string() : std::string();
}

}  // namespace

EngineCommands::EngineCommands(MainWindow& window) : window_(window), board_(window) {
    board_.onMove = [this](BoardMove& move) { EnterMove(move, false); };
    Register();
}

EngineCommands::~EngineCommands() {
    link_.Stop();
}

void EngineCommands::Register() {
    CommandHandlers& handlers = window_.Handlers();
    handlers.Set(kCmdPlayGame, [this] { PlayGame(); });
    handlers.Set(kCmdDirectInterface, [this] { DirectInterface(); });
    handlers.Set(375, [this] { EvaluatePosition(); });
    handlers.Set(kCmdAnalyzePosition, [this] { AnalyzePosition(); });
    handlers.Set(377, [this] { ChooseEngine(true); });
    handlers.Set(378, [this] { SavePositionMoves(); });
    handlers.Set(379, [this] { SetInterfaceFont(); });
    handlers.Set(380, [this] { SaveEngineGame(); });
    handlers.Set(370, [this] { SaveCurrentPosition(); });
    handlers.Set(371, [this] { window_.HandleCommand(kCmdCopyGameToNewFile); });
    handlers.Set(372, [this] { ConvertAnnotationFile(); });
    handlers.Set(kCmdAnalyze, [this] { Analyze(); });
    handlers.Set(kCmdStudyMode, [this] { StudyMode(); });
    for (int id = kCmdEngineBack; id <= kCmdEngineExit; ++id) {
        handlers.Set(id, [this, id] { PlayButton(id); });
    }
    for (int id = kCmdAnalysisBack; id <= kCmdAnalysisExit; ++id) {
        handlers.Set(id, [this, id] { AnalysisButton(id); });
    }
    handlers.Set(kCmdStudyShowMove, [this] { ShowStudyMove(); });
    window_.SetTimerHandler(kEngineTimer, [this] { Poll(); });
}

// --- settings ---

engine::PlayOptions EngineCommands::LoadPlayOptions() const {
    const settings::SettingsRecord& record = window_.Settings();
    engine::PlayOptions options;
    options.engineFirst = record.Int(kOffsetEngineFirst) != 0;
    options.disablePondering = record.Int(kOffsetDisablePondering) != 0;
    options.displayGeneral = record.Int(kOffsetDisplayGeneral) != 0;
    options.displayVariation = record.Int(kOffsetDisplayVariation) != 0;
    options.movesText = record.Text(kOffsetMovesText, kTimeTextWidth);
    options.minutesText = record.Text(kOffsetMinutesText, kTimeTextWidth);
    options.incrementText = record.Text(kOffsetIncrementText, kTimeTextWidth);
    return options;
}

void EngineCommands::StorePlayOptions(const engine::PlayOptions& options) {
    settings::SettingsRecord& record = window_.Settings();
    record.SetInt(kOffsetEngineFirst, options.engineFirst ? 1 : 0);
    record.SetInt(kOffsetDisablePondering, options.disablePondering ? 1 : 0);
    record.SetInt(kOffsetDisplayGeneral, options.displayGeneral ? 1 : 0);
    record.SetInt(kOffsetDisplayVariation, options.displayVariation ? 1 : 0);
    record.SetText(kOffsetMovesText, kTimeTextWidth, options.movesText);
    record.SetText(kOffsetMinutesText, kTimeTextWidth, options.minutesText);
    record.SetText(kOffsetIncrementText, kTimeTextWidth, options.incrementText);
    window_.SaveSettings();
}

bool EngineCommands::FixedFont() const {
    return window_.Settings().Int(kOffsetFixedFont) != 0;
}

std::string EngineCommands::EnginePath() const {
    const settings::SettingsRecord& record = window_.Settings();
    const std::string name = record.DialogFileName(settings::FileDialogSlot::kCraftyExecutable);
    if (name.empty()) {
        return {};
    }
    return record.DialogDirectory(settings::FileDialogSlot::kCraftyExecutable) + "/" + name;
}

std::string EngineCommands::EngineDirectory() const {
    return window_.Paths().File(kEngineFolder);
}

bool EngineCommands::ChooseEngine(bool force) {
    if (!force && !EnginePath().empty()) {
        return true;
    }
    // Without a choice the adapter installed with the program is the engine.
    const std::string adapter = AdapterBesideProgram();
    if (!force && !adapter.empty()) {
        const std::filesystem::path path(adapter);
        window_.Settings().SetDialogDirectory(settings::FileDialogSlot::kCraftyExecutable,
                                              path.parent_path().string());
        window_.Settings().SetDialogFileName(settings::FileDialogSlot::kCraftyExecutable,
                                             path.filename().string());
        window_.SaveSettings();
        return true;
    }
    platform::FileDialogRequest request;
    request.title = "Select Crafty Executable";
    request.filter = "*";
    const std::string current = EnginePath();
    const std::filesystem::path proposed(current.empty() ? adapter : current);
    request.initialDirectory = proposed.parent_path().string();
    request.fileName = proposed.filename().string();
    std::optional<std::string> chosen = window_.Platform().files->ChooseFile(request);
    if (!chosen) {
        return false;
    }
    const std::filesystem::path path(*chosen);
    // A directory too long for its slot is not stored; the name always is.
    window_.Settings().SetDialogDirectory(settings::FileDialogSlot::kCraftyExecutable,
                                          path.parent_path().string());
    window_.Settings().SetDialogFileName(settings::FileDialogSlot::kCraftyExecutable,
                                         path.filename().string());
    window_.SaveSettings();
    return true;
}

// --- the engine process ---

bool EngineCommands::StartEngine(engine::EngineMode mode) {
    const std::string directory = EngineDirectory();
    const std::string problem = platform::EnsureDirectory(directory);
    if (!problem.empty()) {
        window_.Messages().ShowError(engine::kCouldNotStart);
        return false;
    }
    std::string message;
    if (window_.Platform().processes == nullptr ||
        !link_.Start(*window_.Platform().processes, EnginePath(), directory, message)) {
        window_.Messages().ShowError(message.empty() ? engine::kCouldNotStart : message);
        if (message == engine::kCouldNotStart) {
            // The next use asks for the executable again.
            window_.Settings().SetDialogFileName(settings::FileDialogSlot::kCraftyExecutable, "");
            window_.SaveSettings();
        }
        return false;
    }
    mode_ = mode;
    outputMode_ = 0;
    view_ = EngineWindowView{};
    view_.open = true;
    view_.fixedFont = FixedFont();
    ShowEngineOutput(link_.TakeBanner());
    window_.engine.running = true;
    window_.engine.playing = mode == engine::EngineMode::kPlay;
    window_.Platform().commands->StartTimer(kEngineTimer, kEngineTimerMs);

    // The start-up dialogue of the mode.
    switch (mode) {
        case engine::EngineMode::kPlay: {
            std::string readPath;
            if (continuedBlackToMove_ || board_.StartPly() != 1 || board_.Fen() != chess::kStartFen) {
                readPath = directory + "/" + engine::kGameFileName;
            }
            // The engine is told to move when its colour is to move where the game starts: with the
            // engine playing White that is the start, or a continuation from a position with Black
            // to move when it plays Black.
            engine::PlayOptions startup = play_;
            startup.engineFirst = engine::IsEngineToMove(0, play_.engineFirst, continuedBlackToMove_);
            const std::string command = engine::PlayStartupCommand(startup, readPath);
            if (!command.empty()) {
                Act(command, false);
            }
            break;
        }
        case engine::EngineMode::kDirect:
            Act("display general\ndisplay variation", false);
            break;
        case engine::EngineMode::kEvaluate:
            Send("display general");
            Send(setboardText_);
            Act(std::string("score") + (setboardText_.find(" b") != std::string::npos ? "\nwhite" : ""),
                false);
            break;
        case engine::EngineMode::kAnalyse:
            Send("display general\ndisplay variation");
            Send(positionSource_ ? setboardText_ : std::string("read ") + engine::kMoveFileName);
            Act("analyze", false);
            outputMode_ = 1;
            break;
        default:
            break;
    }
    UpdateTurn();
    return link_.IsRunning();
}

void EngineCommands::StopEngine() {
    window_.Platform().commands->KillTimer(kEngineTimer);
    link_.Stop();
    const bool playing = mode_ == engine::EngineMode::kPlay;
    mode_ = engine::EngineMode::kNone;
    outputMode_ = 0;
    view_.open = false;
    window_.engine = EngineTurnState{};
    if (playing && boardActive_) {
        // Leaving play mode returns to the game display.
        ReturnToGame();
    }
}

void EngineCommands::EngineEnded() {
    // Its last words usually say why (a back end that cannot start, say).
    std::vector<std::string> last = link_.ReadEngineOutput(engine::ReadWait::kNoWait);
    last.insert(last.begin(), view_.lines.begin(), view_.lines.end());
    std::string message = engine::kEngineEnded;
    if (!last.empty() && last.back().rfind("Error", 0) == 0) {
        message += "\n" + last.back();
    }
    window_.Messages().ShowMessage(message);
    StopEngine();
}

void EngineCommands::Shutdown() {
    if (link_.IsRunning()) {
        window_.Platform().commands->KillTimer(kEngineTimer);
        link_.Stop();
    }
}

void EngineCommands::Send(const std::string& command) {
    if (!link_.SendEngineCommand(command)) {
        EngineEnded();
    }
}

void EngineCommands::Act(const std::string& command, bool typed) {
    if (!link_.IsRunning()) {
        return;
    }
    if (typed && engine::LooksLikeMove(command)) {
        if (mode_ == engine::EngineMode::kPlay ||
            (mode_ == engine::EngineMode::kAnalyse && analysisFlag_ == 1)) {
            window_.Messages().ShowMessage(kMoveCommandsRefused);
            return;
        }
        if (mode_ == engine::EngineMode::kAnalyse && analysisFlag_ == 0) {
            analysisFlag_ = 2;
        }
    }
    Send(command);
    if (!link_.IsRunning()) {
        return;
    }
    const std::vector<std::string> lines = link_.ReadEngineOutput(engine::ReadWait::kBriefly);
    ShowEngineOutput(lines);
    if (mode_ == engine::EngineMode::kPlay) {
        TakeEngineMove(lines);
    }
}

void EngineCommands::TypedCommand(const std::string& text) {
    if (!text.empty()) {
        Act(text.substr(0, 79), true);
    }
}

void EngineCommands::WindowExit() {
    window_.Platform().commands->PostCommand(kCmdDirectInterface);
}

void EngineCommands::Poll() {
    if (!link_.IsRunning()) {
        return;
    }
    std::vector<std::string> lines = link_.ReadEngineOutput(engine::ReadWait::kNoWait);
    ShowEngineOutput(lines);
    if (mode_ == engine::EngineMode::kPlay) {
        TakeEngineMove(lines);
    }
    if (link_.IsRunning() && !link_.CheckAlive()) {
        EngineEnded();
    }
}

void EngineCommands::ShowEngineOutput(const std::vector<std::string>& lines) {
    if (lines.empty()) {
        return;
    }
    if (outputMode_ != 1) {
        view_.lines.clear();
        if (outputMode_ != 0) {
            outputMode_ = 1;
        }
    }
    view_.lines.insert(view_.lines.end(), lines.begin(), lines.end());
    if (view_.lines.size() > kMaxShownLines) {
        view_.lines.erase(view_.lines.begin(),
                          view_.lines.begin() + static_cast<long>(view_.lines.size() - kMaxShownLines));
    }
}

void EngineCommands::TakeEngineMove(const std::vector<std::string>& lines) {
    const std::optional<std::string> text = engine::FindEngineMove(lines);
    if (!text || !boardActive_) {
        return;
    }
    BoardMove move;
    const int located = board_.CheckSan(*text, move);
    if (located != 0) {
        char message[200];
        std::snprintf(message, sizeof message, located == 1 ? kEngineMoveIllegal : kEngineMovePromotion,
                      text->c_str());
        window_.Messages().ShowMessage(message);
        StopEngine();
        return;
    }
    EnterMove(move, true);
}

bool EngineCommands::EngineOnMove() const {
    return mode_ == engine::EngineMode::kPlay &&
           engine::IsEngineToMove(board_.Entered(), play_.engineFirst, continuedBlackToMove_);
}

void EngineCommands::UpdateTurn() {
    window_.engine.running = link_.IsRunning();
    window_.engine.playing = link_.IsRunning() && mode_ == engine::EngineMode::kPlay;
    window_.engine.onMove = window_.engine.playing && EngineOnMove();
}

// --- the board ---

bool EngineCommands::BoardShown() const {
    return boardActive_ && window_.displayMode == kModeVariationEdit;
}

void EngineCommands::ShowBoard(const std::string& title, std::vector<BoardButton> buttons) {
    board_.Configure();
    board_.title = title;
    board_.buttons = std::move(buttons);
    board_.status.clear();
    boardActive_ = true;
    enteredFromGamePly_ = -1;
    window_.displayMode = kModeVariationEdit;
    window_.currentPly = board_.CurrentPly();
}

void EngineCommands::SetPlayButtons() {
    static constexpr const char* kLabels[] = {"Back",   "Force", "Score", "Clock",
                                              "Resign", "Draw",  "New",   "Exit"};
    std::vector<BoardButton> buttons;
    for (int index = 0; index < 8; ++index) {
        buttons.push_back({kLabels[index], kCmdEngineBack + index});
    }
    board_.buttons = std::move(buttons);
}

void EngineCommands::SetAnalysisButtons() {
    board_.buttons = {{"Back", kCmdAnalysisBack},
                      {"Start", kCmdAnalysisStart},
                      {"Forward", kCmdAnalysisForward},
                      {"Exit", kCmdAnalysisExit}};
}

void EngineCommands::ReturnToGame() {
    boardActive_ = false;
    study_ = Study{};
    window_.analysing = false;
    window_.displayMode = kModeNothing;
    if (window_.File().IsOpen() && window_.File().GameCount() > 0) {
        window_.Platform().commands->PostCommand(kCmdDisplayGame);
    }
}

void EngineCommands::LeaveBoard(int commandId) {
    // The commands that start the engine on the board's position take the board as it is.
    if (commandId == kCmdPlayGame || commandId == kCmdAnalyzePosition) {
        return;
    }
    if (link_.IsRunning() && (mode_ == engine::EngineMode::kPlay || mode_ == engine::EngineMode::kAnalyse)) {
        window_.Platform().commands->KillTimer(kEngineTimer);
        link_.Stop();
        mode_ = engine::EngineMode::kNone;
        view_.open = false;
        window_.engine = EngineTurnState{};
    }
    boardActive_ = false;
    study_ = Study{};
    window_.analysing = false;
}

void EngineCommands::EnterMove(BoardMove& move, bool fromEngine) {
    if (!fromEngine && !board_.CheckMove(move)) {
        board_.status = kNotLegalMove;
        return;
    }
    const int ply = board_.CurrentPly() + 1;
    // The user moves only the side the user plays; a refused move is not made and nothing is sent.
    if (mode_ == engine::EngineMode::kPlay && !fromEngine &&
        engine::IsEngineToMove(board_.Entered(), play_.engineFirst, continuedBlackToMove_)) {
        board_.status = "It is Crafty's move.";
        return;
    }
    // The stored game's move, compared without check and mate signs, before anything is sent.
    if (study_.on && !fromEngine) {
        if (ply > static_cast<int>(study_.moves.size())) {
            window_.Messages().ShowError(kEndOfStudyGame);
            return;
        }
        if (WithoutCheckSigns(chess::SanView(move.san)) != WithoutCheckSigns(study_.moves[ply - 1])) {
            window_.Messages().ShowError(kIncorrectMove);
            return;
        }
    }
    if (mode_ == engine::EngineMode::kAnalyse && analysisFlag_ == 0) {
        analysisFlag_ = 1;
    }
    const std::string sent(chess::SanView(move.san));
    board_.Play(move);
    board_.status.clear();
    window_.currentPly = board_.CurrentPly();
    // The mate sign goes on the board's move list; the engine gets the text as written.
    if (sent.ends_with('+') && !board_.NextMoverHasMove()) {
        std::string mate = sent;
        mate.back() = '#';
        chess::SetSanText(board_.MoveOfPly(ply), mate);
    }
    UpdateTurn();
    const bool send = link_.IsRunning() && ((mode_ == engine::EngineMode::kPlay && !fromEngine) ||
                                            (mode_ == engine::EngineMode::kAnalyse && analysisFlag_ == 1));
    if (send) {
        if (outputMode_ == 1) {
            outputMode_ = 2;
        }
        Act(sent, false);
    }
    UpdateTurn();
}

// --- menu commands ---

const chess::Board* EngineCommands::ShownBoard() {
    switch (window_.displayMode) {
        case kModePositionEdit:
            return &window_.Search().criteriaBoard.squares;
        case kModeVariationEdit:
            return boardActive_ ? &board_.Context().board : &window_.Searches().Variation().ShownBoard();
        case kModeGame:
            return window_.Viewer().Display().HasGame() ? &window_.Viewer().Display().Context().board
                                                        : nullptr;
        default:
            return nullptr;
    }
}

int EngineCommands::PliesOfMode(bool& refused) {
    refused = false;
    switch (window_.displayMode) {
        case kModeGame:
            return window_.Viewer().Display().CurrentPly();
        case kModeVariationEdit:
            return boardActive_ ? board_.CurrentPly() : window_.Searches().Variation().CurrentPly();
        case kModePositionEdit:
            refused = true;
            window_.Messages().ShowMessage(kCannotContinue);
            return 0;
        default:
            return 0;
    }
}

bool EngineCommands::AskPositionInfo(engine::PositionInfo& info, bool blackToMove) {
    CraftyPositionInfoDialog dialog;
    dialog.info.blackToMove = blackToMove;
    if (!window_.Platform().dialogs->RunDialog(dialog)) {
        return false;
    }
    info = dialog.info;
    return true;
}

bool EngineCommands::ShownGameLine(std::string& fen, std::vector<std::string>& moves) {
    const display::GameDisplay& display = window_.Viewer().Display();
    if (!display.HasGame()) {
        return false;
    }
    const chess::ChessContext& game = display.Context();
    fen = std::string(chess::kStartFen);
    int first = 1;
    if (game.fenSwitch) {
        const bool blackFirst = chess::SanView(game.moves.whiteMoves[0]) == "..";
        fen = chess::FenPlacementText(game.fenBoard) + (blackFirst ? " b " : " w ") +
              chess::CastlingFieldText(game.fenBoard, game.fenCastlingRights, game.fenCastling) + " - 0 1";
        first = blackFirst ? 2 : 1;
    }
    for (int ply = first; ply <= display.TotalPlies(); ++ply) {
        const chess::SanText& san = ply % 2 == 1
                                        ? game.moves.whiteMoves[static_cast<std::size_t>((ply - 1) / 2)]
                                        : game.moves.blackMoves[static_cast<std::size_t>(ply / 2 - 1)];
        moves.emplace_back(chess::SanView(san));
    }
    return true;
}

bool EngineCommands::WriteWorkFile(const std::string& path, const std::string& text, const char* failure) {
    if (!platform::WriteFileReplacing(path, text.data(), text.size())) {
        window_.Messages().ShowError(failure);
        return false;
    }
    return true;
}

bool EngineCommands::WriteEngineFile(const char* name, const std::string& text, const char* failure) {
    // A folder that cannot be made fails the write below, with the file's message; the engine is
    // then not told to read a file that is not there or stale.
    platform::EnsureDirectory(EngineDirectory());
    return WriteWorkFile(EngineDirectory() + "/" + name, text, failure);
}

void EngineCommands::PlayGame() {
    if (link_.IsRunning()) {
        window_.Messages().ShowMessage(kNotWhileEngineOn);
        return;
    }
    if (!ChooseEngine(false)) {
        return;
    }
    CraftyGameInfoDialog dialog;
    dialog.options = LoadPlayOptions();
    if (!window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    StorePlayOptions(dialog.options);
    play_ = dialog.options;
    continuedBlackToMove_ = false;
    std::string fen(chess::kStartFen);
    if (dialog.continueGame) {
        bool refused = false;
        const int ply = PliesOfMode(refused);
        if (refused) {
            return;
        }
        if (ply == 0) {
            window_.Messages().ShowMessage(kSelectContinuePosition);
            return;
        }
        // The game up to the chosen position, in the file the engine reads.
        std::vector<std::string> header;
        chess::MoveList moves{};
        int firstPly = 1;
        if (window_.displayMode == kModeGame) {
            const display::GameDisplay& display = window_.Viewer().Display();
            const gamefile::GameHeader& slots = display.GameHeaderSlots();
            for (std::size_t slot = 0; slot < slots.slots.size(); ++slot) {
                const std::string_view line = slots.Slot(static_cast<gamefile::TagSlot>(slot));
                if (!line.empty()) {
                    header.emplace_back(line);
                }
            }
            moves = display.Context().moves;
            firstPly = display.Context().fenSwitch && chess::SanView(moves.whiteMoves[0]) == ".." ? 2 : 1;
            fen = chess::FenOfPly(display.Context(), ply + 1);
        } else if (boardActive_) {
            moves = board_.Context().moves;
            firstPly = board_.StartPly();
            if (board_.StartPly() != 1 || board_.Fen() != chess::kStartFen) {
                EngineBoard& board = board_;
                const int shown = board.CurrentPly();
                board.GoTo(board.StartPly() - 1);
                header.push_back("[FEN \"" + board.Fen() + "\"]");
                header.push_back("[SetUp \"1\"]");
                board.GoTo(shown);
            }
            fen = board_.Fen();
        } else {
            moves.whiteMoves = window_.Search().criteria.variation.whiteMoves;
            moves.blackMoves = window_.Search().criteria.variation.blackMoves;
            fen = chess::FenOfPly(window_.Searches().Variation().Context(), ply + 1);
        }
        const std::string text = engine::GameFileText(header, moves, firstPly, ply, 1);
        if (!WriteEngineFile(engine::kGameFileName, text, kGameFileError)) {
            return;
        }
        continuedBlackToMove_ = fen.find(" b ") != std::string::npos;
    }
    std::string reason;
    board_.Start(fen, {}, 0, reason);
    window_.analysing = false;
    study_ = Study{};
    ShowBoard(kPlayTitle, {});
    SetPlayButtons();
    mode_ = engine::EngineMode::kPlayPending;
    if (!StartEngine(engine::EngineMode::kPlay)) {
        mode_ = engine::EngineMode::kNone;
    }
}

void EngineCommands::DirectInterface() {
    if (link_.IsRunning()) {
        StopEngine();
        return;
    }
    if (!ChooseEngine(false)) {
        return;
    }
    StartEngine(engine::EngineMode::kDirect);
}

void EngineCommands::EvaluatePosition() {
    if (window_.displayMode == kModePositionEdit &&
        !chess::ValidateSetupBoard(window_.Search().criteriaBoard.squares,
                                   [this](std::string_view text) { window_.Messages().ShowMessage(text); })) {
        return;
    }
    if (link_.IsRunning()) {
        window_.Messages().ShowMessage(kNotWhileEngineOn);
        return;
    }
    if (!ChooseEngine(false)) {
        return;
    }
    if (WritePositionCommand(true)) {
        StartEngine(engine::EngineMode::kEvaluate);
    }
}

void EngineCommands::Analyze() {
    std::string fen;
    std::vector<std::string> moves;
    if (!ShownGameLine(fen, moves)) {
        window_.Messages().ShowMessage(kOnlyGameOrVariation);
        return;
    }
    std::string reason;
    const bool fromGame = window_.displayMode == kModeGame;
    if (!board_.Start(fen, moves,
                      window_.Viewer().Display().CurrentPly() - (fen.find(" b ") != std::string::npos),
                      reason)) {
        window_.Messages().ShowMessage(reason);
        return;
    }
    study_ = Study{};
    window_.analysing = true;
    ShowBoard(kAnalysisTitle, {});
    SetAnalysisButtons();
    if (fromGame) {
        enteredFromGamePly_ = board_.CurrentPly();
    }
}

void EngineCommands::AnalyzePosition() {
    if (link_.IsRunning()) {
        window_.Messages().ShowMessage(kNotWhileEngineOn);
        return;
    }
    if (!ChooseEngine(false)) {
        return;
    }
    // From the game display or a set-up position the analysis board comes first.
    if (window_.displayMode == kModeGame) {
        Analyze();
        if (!BoardShown()) {
            return;
        }
    } else if (window_.displayMode == kModePositionEdit) {
        const chess::Board& squares = window_.Search().criteriaBoard.squares;
        if (!chess::ValidateSetupBoard(
                squares, [this](std::string_view text) { window_.Messages().ShowMessage(text); })) {
            return;
        }
        engine::PositionInfo info;
        if (!AskPositionInfo(info, false)) {
            return;
        }
        std::string reason;
        board_.Start(engine::FenOfSetboard(engine::SetboardCommand(squares, info).substr(9), reason), {}, 0,
                     reason);
        window_.analysing = true;
        ShowBoard(kAnalysisTitle, {});
        SetAnalysisButtons();
        setboardText_ = engine::SetboardCommand(squares, info);
        positionSource_ = true;
        analysisFlag_ = 0;
        analysisStartEntered_ = 0;
        StartEngine(engine::EngineMode::kAnalyse);
        return;
    } else if (window_.displayMode == kModeVariationEdit && !boardActive_) {
        // The search variation is analysed on the engine board.
        VariationEditor& variation = window_.Searches().Variation();
        std::vector<std::string> moves;
        for (int ply = 1; ply <= variation.Plies(); ++ply) {
            moves.emplace_back(chess::SanView(window_.Search().criteria.variation.MoveOfPly(ply)));
        }
        std::string reason;
        board_.Start(std::string(chess::kStartFen), moves, variation.CurrentPly(), reason);
        window_.analysing = true;
        ShowBoard(kAnalysisTitle, {});
        SetAnalysisButtons();
    }
    if (!BoardShown()) {
        window_.Messages().ShowMessage(kOnlyGameOrVariation);
        return;
    }
    // The moves up to the shown one (cut there), from the board's start position.
    board_.TakeBack(board_.LastPly() - board_.CurrentPly());
    const int plies = board_.CurrentPly();
    positionSource_ = board_.Entered() == 0;
    if (positionSource_ ? !WritePositionCommand(true) : !WriteMoveFile(plies, true)) {
        return;
    }
    analysisFlag_ = 0;
    analysisStartEntered_ = board_.Entered();
    StartEngine(engine::EngineMode::kAnalyse);
}

void EngineCommands::StudyMode() {
    if (window_.displayMode != kModeVariationEdit && window_.displayMode != kModeGame) {
        window_.Messages().ShowMessage(kOnlyGameOrVariation);
        return;
    }
    std::string fen;
    std::vector<std::string> moves;
    if (!ShownGameLine(fen, moves)) {
        window_.Messages().ShowMessage(gamefile::kMustOpenFile);
        return;
    }
    if (fen != chess::kStartFen) {
        window_.Messages().ShowMessage(kStudyFenRefused);
        return;
    }
    LeaveBoard(0);
    std::string reason;
    board_.Start(fen, {}, 0, reason);
    study_.on = true;
    study_.moves = std::move(moves);
    ShowBoard(kStudyTitle, {{"Show Move", kCmdStudyShowMove}});
}

void EngineCommands::ShowStudyMove() {
    if (!study_.on || !BoardShown()) {
        return;
    }
    const int ply = board_.CurrentPly() + 1;
    board_.status = ply > static_cast<int>(study_.moves.size()) ? std::string(kEndOfStudyGame)
                                                                : "Next move: " + study_.moves[ply - 1];
}

void EngineCommands::SetInterfaceFont() {
    const bool fixed = FixedFont();
    const char* question = fixed ? "Do you want to disable the fixed font format?"
                                 : "Do you want to enable the fixed font format?";
    if (window_.Messages().AskQuestion(question) != platform::kAnswerYes) {
        return;
    }
    window_.Settings().SetInt(kOffsetFixedFont, fixed ? 0 : 1);
    window_.SaveSettings();
    window_.Messages().ShowMessage(kRestartForFont);
}

void EngineCommands::SaveEngineGame() {
    if (!boardActive_ || board_.LastPly() < board_.StartPly()) {
        window_.Messages().ShowMessage(kNoEngineGame);
        return;
    }
    // Add Game takes a game from its FEN position: the board's start, when it is not the standard one.
    auto game = chess::MakeChessContext();
    *game = board_.Context();
    const int shown = board_.CurrentPly();
    board_.GoTo(board_.StartPly() - 1);
    const std::string startFen = board_.Fen();
    game->fenBoard = board_.Context().board;
    board_.GoTo(shown);
    game->fenSwitch = startFen != chess::kStartFen;
    const int plies = board_.LastPly();
    // Add Game takes over the window: the engine stops without returning to the game display.
    boardActive_ = false;
    StopEngine();
    window_.AddGame().Enter();
    window_.AddGame().TakeMoves(*game, plies);
}

void EngineCommands::SaveCurrentPosition() {
    if (window_.displayMode == kModePositionEdit &&
        !chess::ValidateSetupBoard(window_.Search().criteriaBoard.squares,
                                   [this](std::string_view text) { window_.Messages().ShowMessage(text); })) {
        return;
    }
    WritePositionCommand(false);
}

void EngineCommands::SavePositionMoves() {
    bool refused = false;
    const int ply = PliesOfMode(refused);
    if (refused) {
        return;
    }
    if (ply == 0) {
        window_.Messages().ShowMessage(kNoPositionMoves);
        return;
    }
    WriteMoveFile(ply, false);
}

bool EngineCommands::WritePositionCommand(bool forSending) {
    const chess::Board* board = ShownBoard();
    if (board == nullptr) {
        window_.Messages().ShowMessage(kOnlyGameOrVariation);
        return false;
    }
    const chess::Board position = *board;
    bool refused = false;
    const int ply = window_.displayMode == kModePositionEdit ? 0 : PliesOfMode(refused);
    engine::PositionInfo info;
    if (refused || !AskPositionInfo(info, ply % 2 == 1)) {
        return false;
    }
    if (forSending) {
        setboardText_ = engine::SetboardCommand(position, info);
        return true;
    }
    platform::FileDialogRequest request;
    request.title = "Select Crafty Position File";
    request.filter = "*.pos";
    request.saveDialog = true;
    const std::optional<std::string> path = window_.Platform().files->ChooseFile(request);
    return path && WriteWorkFile(*path, engine::PositionFileText(position, info), kPositionFileError);
}

bool EngineCommands::WriteMoveFile(int plies, bool engineFile) {
    chess::MoveList moves{};
    std::string startFen(chess::kStartFen);
    if (window_.displayMode == kModeGame) {
        moves = window_.Viewer().Display().Context().moves;
    } else if (boardActive_) {
        moves = board_.Context().moves;
        const int shown = board_.CurrentPly();
        board_.GoTo(board_.StartPly() - 1);
        startFen = board_.Fen();
        board_.GoTo(shown);
    } else {
        moves.whiteMoves = window_.Search().criteria.variation.whiteMoves;
        moves.blackMoves = window_.Search().criteria.variation.blackMoves;
    }
    std::string text;
    if (engineFile) {
        // A game from a set-up position carries it in a FEN tag, so the engine starts from there.
        if (startFen != chess::kStartFen) {
            text = "[FEN \"" + startFen + "\"]\r\n[SetUp \"1\"]\r\n\r\n";
        }
        return WriteEngineFile(engine::kMoveFileName, text + engine::MoveFileText(moves, plies),
                               kMoveFileError);
    }
    platform::FileDialogRequest request;
    request.title = "Select Crafty Game File";
    request.filter = "*.pgn";
    request.saveDialog = true;
    const std::optional<std::string> path = window_.Platform().files->ChooseFile(request);
    return path && WriteWorkFile(*path, engine::MoveFileText(moves, plies), kMoveFileError);
}

void EngineCommands::ConvertAnnotationFile() {
    platform::FileDialogRequest request;
    request.title = "Select Crafty Annotation File";
    request.filter = "*.can";
    const std::optional<std::string> input = window_.Platform().files->ChooseFile(request);
    if (!input) {
        return;
    }
    const std::string output = engine::ConvertedAnnotationPath(*input);
    // An input whose name ends in "pgn" already would be its own output.
    if (output == *input) {
        window_.Messages().ShowError("The annotation file must not end in \"pgn\".");
        return;
    }
    std::ifstream in(*input, std::ios::binary);
    if (!in) {
        window_.Messages().ShowError(kCanOpenError);
        return;
    }
    const std::string text((std::istreambuf_iterator<char>(in)), std::istreambuf_iterator<char>());
    std::error_code error;
    if (std::filesystem::exists(output, error) &&
        window_.Messages().AskQuestion("The file " + output + " exists. Replace it?") !=
            platform::kAnswerYes) {
        return;
    }
    WriteWorkFile(output, engine::ConvertAnnotationText(text), kPgnCreateError);
}

// --- buttons ---

void EngineCommands::PlayButton(int commandId) {
    if (!BoardShown() || mode_ != engine::EngineMode::kPlay || !link_.IsRunning()) {
        return;
    }
    const int plies = board_.Entered();
    switch (commandId) {
        case kCmdEngineBack:
            if (plies == 0) {
                return;
            }
            if (plies == 1) {
                board_.TakeBack(1);
                Act("undo\ngo", false);
            } else {
                char text[32];
                std::snprintf(text, sizeof text, "reset %d", plies / 2);
                board_.TakeBack(plies - 2 * (plies / 2 - 1));
                Act(text, false);
            }
            break;
        case kCmdEngineForce:
            if (plies == 0 && !EngineOnMove()) {
                return;
            }
            if (!EngineOnMove()) {
                window_.Messages().ShowMessage(kOnlyWhenEngineOnMove);
                return;
            }
            Act("force", false);
            break;
        case kCmdEngineScore:
        case kCmdEngineClock:
            if (!play_.displayGeneral) {
                window_.Messages().ShowMessage(kDisplayGeneralOff);
                return;
            }
            Act(commandId == kCmdEngineScore ? "score" : "clock", false);
            break;
        case kCmdEngineResign:
            if (window_.Messages().AskQuestion(kResignQuestion) == platform::kAnswerYes) {
                Act("resign", false);
            }
            break;
        case kCmdEngineDraw:
            Act("draw", false);
            break;
        case kCmdEngineNew:
            if (window_.Messages().AskQuestion(kNewGameQuestion) != platform::kAnswerYes) {
                return;
            }
            {
                std::string reason;
                continuedBlackToMove_ = false;
                board_.Start(std::string(chess::kStartFen), {}, 0, reason);
                window_.currentPly = 0;
            }
            Act(play_.engineFirst ? "new\ngo" : "new", false);
            break;
        case kCmdEngineExit:
            if (window_.Messages().AskQuestion(kExitEngineQuestion) == platform::kAnswerYes) {
                window_.Platform().commands->PostCommand(kCmdDirectInterface);
            }
            break;
        default:
            break;
    }
    UpdateTurn();
}

void EngineCommands::AnalysisButton(int commandId) {
    if (!BoardShown() || study_.on) {
        return;
    }
    if (!link_.IsRunning() || mode_ != engine::EngineMode::kAnalyse) {
        // Without the engine the buttons step through the moves on the board.
        switch (commandId) {
            case kCmdAnalysisBack:
                board_.GoTo(board_.CurrentPly() - 1);
                break;
            case kCmdAnalysisStart:
                board_.GoTo(board_.StartPly() - 1);
                break;
            case kCmdAnalysisForward:
                board_.GoTo(board_.CurrentPly() + 1);
                break;
            default:
                ReturnToGame();
                return;
        }
        window_.currentPly = board_.CurrentPly();
        return;
    }
    switch (commandId) {
        case kCmdAnalysisBack: {
            // Not before the first ply of the analysed line.
            if (board_.Entered() <= analysisStartEntered_) {
                return;
            }
            board_.TakeBack(1);
            outputMode_ = 2;
            Act("back", false);
            break;
        }
        case kCmdAnalysisStart: {
            const int undo = board_.Entered() - analysisStartEntered_;
            if (undo <= 0) {
                return;
            }
            board_.TakeBack(undo);
            outputMode_ = 2;
            Act("back " + std::to_string(undo), false);
            break;
        }
        case kCmdAnalysisForward:
            window_.Messages().ShowMessage(kButtonNotAvailable);
            break;
        default:
            if (window_.Messages().AskQuestion(kExitEngineQuestion) == platform::kAnswerYes) {
                window_.Platform().commands->PostCommand(kCmdDirectInterface);
            }
            break;
    }
    window_.currentPly = board_.CurrentPly();
}

}  // namespace ravelin::shell
