#include "shell/commands/html_annotation_commands.h"

#include <sys/stat.h>

#include <memory>
#include <optional>
#include <string>

#include "chess/chess_context.h"
#include "gamefile/game_file.h"
#include "platform/file_util.h"
#include "platform/messages.h"
#include "reports/diagram_images.h"
#include "reports/html_diagram.h"
#include "shell/command_ids.h"
#include "shell/commands/diagram_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/html_text_dialog.h"
#include "shell/display_mode.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

using reports::AnnotationStep;

// The moves and positions on the board: the variation being entered, or the shown game.
struct BoardMoves {
    std::array<chess::SanText, chess::kMaxMovesPerSide> white{};
    std::array<chess::SanText, chess::kMaxMovesPerSide> black{};
    std::array<chess::CompactBoard, chess::kHistoryEntries> boards{};
    int plies = 0;
};

class HtmlAnnotation {
  public:
    explicit HtmlAnnotation(MainWindow& window) : window_(window) {}
    reports::AnnotationPage page;

    void Enter() {
        page.Reset();
        window_.SetMenuBarKind(MenuBarKind::kHtmlAnnotation);
        ShowGame();
    }

    void New() {
        if (page.page.empty()) {
            Messages().ShowMessage(kReadyForHtml);
            return;
        }
        if (Messages().AskQuestion(kAllHtmlLost) == platform::kAnswerYes) {
            page.Reset();
            ShowGame();
        }
    }

    void Title() {
        if (!page.page.empty()) {
            Messages().ShowMessage(kEditTitleWithView);
            return;
        }
        HtmlTitleDialog dialog;
        if (window_.Platform().dialogs->RunDialog(dialog)) {
            page.SetTitle(dialog.title, dialog.heading, dialog.subHead);
        }
    }

    void StartMove() { page.startPly = CurrentMoves().plies; }

    void EndMove() {
        if (page.page.empty()) {
            Messages().ShowMessage(kEnterTitleFirst);
            return;
        }
        const BoardMoves moves = CurrentMoves();
        if (moves.plies <= page.startPly) {
            return;
        }
        int written = 0;
        const std::string run = reports::FormatMoveRun(moves.white, moves.black, page.startPly,
                                                       window_.Viewer().Display().Options().letters, written);
        if (page.step == AnnotationStep::kInComment) {
            // Moves played while writing a comment belong to it; the page's moves stay where they were.
            page.comment += (page.comment.empty() ? "" : "\r\n") + run;
            return;
        }
        page.AddMoveRun(run);
        page.startPly += written;
    }

    void EnterComment() {
        if (page.page.empty()) {
            Messages().ShowMessage(kEnterTitleFirst);
            return;
        }
        if (page.step != AnnotationStep::kInComment) {
            page.comment.clear();
            backup_ = window_.Search().criteria.variation;
        }
        page.step = AnnotationStep::kInComment;
        HtmlCommentDialog dialog(page.comment);
        if (window_.Platform().dialogs->RunDialog(dialog)) {
            page.comment = dialog.text;
        }
    }

    void EndComment() {
        if (page.step != AnnotationStep::kInComment) {
            Messages().ShowMessage(kEnterCommentFirst);
            return;
        }
        page.EndComment();
        // The board goes back to where the comment began.
        if (backup_) {
            window_.Search().criteria.variation = *backup_;
            backup_.reset();
        }
        GoToPly(page.startPly);
    }

    void Diagram() {
        if (page.page.empty()) {
            Messages().ShowMessage(kEnterTitleFirst);
            return;
        }
        if (page.step == AnnotationStep::kInComment) {
            Messages().ShowMessage(kEndCommentFirst);
            return;
        }
        const std::string path = window_.Paths().File(reports::kDiagramFileName);
        if (!WriteHtmlDiagram(window_, path)) {
            return;
        }
        std::string text;
        if (platform::ReadSmallFile(path, text, reports::kMaxPageSize)) {
            page.page += text;
        }
    }

    void View() {
        HtmlTextDialog dialog(kHtmlAnnotationTitle, page.page);
        if (dialog.TooBigToEdit()) {
            Messages().ShowMessage(kAnalysisTooBig);
            return;
        }
        if (window_.Platform().dialogs->RunDialog(dialog)) {
            page.page = dialog.text;
        }
    }

    void Save() {
        if (page.page.empty()) {
            return;
        }
        const std::optional<std::string> target = ChooseHtmlFile(true);
        if (!target) {
            return;
        }
        const std::string text = page.SavedText();
        if (!platform::WriteFileReplacing(*target, text.data(), text.size())) {
            Messages().ShowMessage(kErrorCreatingHtml);
            return;
        }
        page.MarkSaved();
        const BoardMoves moves = CurrentMoves();
        reports::AnnotationState state;
        state.startPly = page.startPly;
        state.whiteMoves = moves.white;
        state.blackMoves = moves.black;
        state.boards = moves.boards;
        const std::vector<std::uint8_t> bytes = reports::EncodeAnnotationState(state);
        // The page is saved; without its state file it can still be opened, from its first move.
        platform::WriteFileReplacing(reports::StateFilePath(*target), bytes.data(), bytes.size());
        const std::string images = reports::DiagramImageDirectory(platform::ShippedDataDirectory());
        if (!reports::CopyDiagramImages(
                 images, gamefile::DirectoryOf(*target).empty() ? "." : gamefile::DirectoryOf(*target))
                 .empty()) {
            Messages().ShowMessage(kDiagramImagesNotCopied);
        }
    }

    void Open() {
        const std::optional<std::string> source = ChooseHtmlFile(false);
        if (!source) {
            return;
        }
        std::string text;
        if (!platform::ReadSmallFile(*source, text, reports::kMaxPageSize)) {
            Messages().ShowMessage(kErrorOpeningHtml);
            return;
        }
        page.TakeOpenedText(std::move(text));
        page.startPly = 0;
        const std::string statePath = reports::StateFilePath(*source);
        if (platform::FileExists(statePath)) {
            std::string bytes;
            std::optional<reports::AnnotationState> state;
            if (NotOlder(statePath, *source) &&
                platform::ReadSmallFile(statePath, bytes, reports::kStateFileSize)) {
                state = reports::DecodeAnnotationState(
                    {reinterpret_cast<const std::uint8_t*>(bytes.data()), bytes.size()});
            }
            if (state) {
                search::SearchVariation& variation = window_.Search().criteria.variation;
                variation = search::SearchVariation{};
                variation.whiteMoves = state->whiteMoves;
                variation.blackMoves = state->blackMoves;
                page.startPly = state->startPly;
            } else {
                Messages().ShowMessage(kStaleStateFile);
            }
        }
        // The user goes on from the saved moves in variation edit.
        window_.HandleCommand(kCmdEditVariation);
        GoToPly(page.startPly);
    }

    void Exit() {
        if (page.ChangedSinceSave() &&
            Messages().AskQuestion(page.savedLength == 0 ? kAllHtmlLost : kHtmlChangesLost) !=
                platform::kAnswerYes) {
            return;
        }
        page = reports::AnnotationPage{};
        backup_.reset();
        window_.SetMenuBarKind(MenuBarKind::kMain);
        ShowGame();
    }

  private:
    settings::MessageBoxes& Messages() { return window_.Messages(); }

    void ShowGame() {
        if (window_.File().IsOpen() && window_.File().GameCount() > 0) {
            window_.HandleCommand(kCmdDisplayGame);
        }
    }

    BoardMoves CurrentMoves() {
        BoardMoves moves;
        if (window_.displayMode == kModeVariationEdit) {
            const search::SearchVariation& variation = window_.Search().criteria.variation;
            auto context = chess::MakeChessContext();
            moves.plies = ReplayVariation(variation, *context).plies;
            moves.white = variation.whiteMoves;
            moves.black = variation.blackMoves;
            moves.boards = context->history.boards;
            return moves;
        }
        const display::GameDisplay& display = window_.Viewer().Display();
        if (!display.HasGame()) {
            return moves;
        }
        // The shown game up to the shown move.
        moves.plies = display.CurrentPly();
        const chess::ChessContext& context = display.Context();
        for (int ply = 1; ply <= moves.plies; ++ply) {
            if (ply % 2 == 1) {
                moves.white[(ply - 1) / 2] = context.moves.whiteMoves[(ply - 1) / 2];
            } else {
                moves.black[ply / 2 - 1] = context.moves.blackMoves[ply / 2 - 1];
            }
        }
        moves.boards = context.history.boards;
        return moves;
    }

    void GoToPly(int ply) {
        if (window_.displayMode == kModeVariationEdit) {
            VariationEditor& editor = window_.Searches().Variation();
            editor.Reload();
            editor.Key(VariationKey::kStart);
            for (int i = 0; i < ply; ++i) {
                editor.Key(VariationKey::kForward);
            }
        } else if (display::GameDisplay& display = window_.Viewer().Display(); display.HasGame()) {
            // GoToPly takes 0 for the last move.
            if (ply == 0) {
                display.GoToStart();
            } else {
                display.GoToPly(ply);
            }
        }
    }

    // The state file is written after its page: one older than the page is left from another one.
    static bool NotOlder(const std::string& state, const std::string& pagePath) {
        struct stat stateInfo {};
        struct stat pageInfo {};
        if (stat(state.c_str(), &stateInfo) != 0 || stat(pagePath.c_str(), &pageInfo) != 0) {
            return false;
        }
        return stateInfo.st_mtim.tv_sec > pageInfo.st_mtim.tv_sec ||
               (stateInfo.st_mtim.tv_sec == pageInfo.st_mtim.tv_sec &&
                stateInfo.st_mtim.tv_nsec >= pageInfo.st_mtim.tv_nsec);
    }

    std::optional<std::string> ChooseHtmlFile(bool save) {
        settings::SettingsRecord& settings = window_.Settings();
        platform::FileDialogRequest request;
        request.title = "Select Html File";
        request.filter = "*.html";
        request.initialDirectory = settings.DialogDirectory(settings::FileDialogSlot::kHtml);
        request.fileName = settings.DialogFileName(settings::FileDialogSlot::kHtml);
        request.saveDialog = save;
        std::optional<std::string> chosen = window_.Platform().files->ChooseFile(request);
        if (!chosen || chosen->empty()) {
            return std::nullopt;
        }
        const std::string directory = gamefile::DirectoryOf(*chosen);
        const std::string name = save ? gamefile::ApplyExtensionRule(gamefile::NameOf(*chosen), ".html")
                                      : gamefile::NameOf(*chosen);
        settings.SetDialogDirectory(settings::FileDialogSlot::kHtml, directory);
        settings.SetDialogFileName(settings::FileDialogSlot::kHtml, name);
        window_.SaveSettings();
        return directory.empty() ? name : directory + "/" + name;
    }

    MainWindow& window_;
    std::optional<search::SearchVariation> backup_;
};

}  // namespace

void RegisterHtmlAnnotationCommands(MainWindow& window) {
    auto annotation = std::make_shared<HtmlAnnotation>(window);
    CommandHandlers& handlers = window.Handlers();
    handlers.Set(kCmdAnnotationFile, [annotation] { annotation->Enter(); });
    handlers.Set(kCmdHtmlNew, [annotation] { annotation->New(); });
    handlers.Set(kCmdHtmlOpen, [annotation] { annotation->Open(); });
    handlers.Set(kCmdHtmlTitle, [annotation] { annotation->Title(); });
    handlers.Set(kCmdHtmlStartMove, [annotation] { annotation->StartMove(); });
    handlers.Set(kCmdHtmlEndMove, [annotation] { annotation->EndMove(); });
    handlers.Set(kCmdHtmlEnterComment, [annotation] { annotation->EnterComment(); });
    handlers.Set(kCmdHtmlEndComment, [annotation] { annotation->EndComment(); });
    handlers.Set(kCmdHtmlPageDiagram, [annotation] { annotation->Diagram(); });
    handlers.Set(kCmdHtmlView, [annotation] { annotation->View(); });
    handlers.Set(kCmdHtmlHelp, [&window] { window.ShowHelpAt(kAnnotationHelpAnchor); });
    handlers.Set(kCmdHtmlSave, [annotation] { annotation->Save(); });
    handlers.Set(kCmdHtmlExit, [annotation] { annotation->Exit(); });
}

}  // namespace ravelin::shell
