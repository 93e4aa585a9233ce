#include "shell/commands/annotation_commands.h"

#include <cstdlib>
#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "annotation/annotation_session.h"
#include "annotation/annotation_text.h"
#include "chess/move_list.h"
#include "display/line_move_offsets.h"
#include "gamefile/game_file.h"
#include "gamefile/game_writer.h"
#include "platform/messages.h"
#include "shell/commands/add_game_commands.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/annotation_dialogs.h"
#include "shell/main_window.h"

namespace ravelin::shell {

namespace {

using annotation::ItemKind;
using annotation::TextSpan;

// The move shown when a command begins: where it ends in the text and where it stands.
struct ShownMove {
    std::size_t end = 0;
    int ply = 0;
    bool inLine = false;
    bool firstOfLine = false;
    int depth = 0;
};

enum class EntryKind { kAppend, kInsert, kModify };

// A line being played on the board: where its text goes once the same command ends the entry.
struct LineEntry {
    EntryKind kind = EntryKind::kAppend;
    int command = 0;
    int basePly = 0;
    std::size_t at = 0;
    TextSpan replaced;
};

class AnnotationMode {
  public:
    explicit AnnotationMode(MainWindow& window) : window_(window) {}

    bool Active() const { return session_.Active(); }
    // How the display reads the shown game: from the scratch file while a game is annotated.
    bool ShowGame(display::GameDisplay& display) {
        gamefile::GameFile& file = window_.File();
        if (session_.Active() && session_.FromFile() && file.Path() != session_.Path()) {
            // Another file was opened: the annotation of a game of the old one cannot go on.
            Leave();
            Messages().ShowMessage(kAnnotationEndedByOtherFile);
        }
        if (!session_.Active() || readFromFile_) {
            return display.ShowGame(file, file.currentGame);
        }
        if (session_.FromFile()) {
            // The game annotated stays the current game whatever moved the game number.
            file.currentGame = session_.Game();
        }
        return display.ShowGameFrom(std::string(annotation::kScratchFileName), &session_.ScratchReader(),
                                    session_.ScratchIndex(), 1);
    }

    void Enter();
    void Save();
    void SaveAs(SaveHow how);
    void Exit();
    void Comment(bool before);
    void ModifyComment();
    void DeleteComment();
    void CopyComment();
    void LineFromBoard(int command, EntryKind kind);
    void LineFromText(bool before);
    void ModifyLineText();
    void DeleteLine();
    void CopyLine();
    void NewMoveAnnotation(bool replace);
    void DeleteMoveAnnotation();
    void SetAnnotator();

  private:
    settings::MessageBoxes& Messages() { return window_.Messages(); }
    display::GameDisplay& Display() { return window_.Viewer().Display(); }
    std::string& Text() { return session_.Text(); }
    std::optional<ShownMove> Shown(const char* noMoveMessage);
    // The comment after the move, or the one right before it.
    std::optional<TextSpan> CommentAt(const ShownMove& move);
    std::optional<TextSpan> LineAt(const ShownMove& move);
    // Writes the change out and shows the game again at the move shown before, which now ends at
    // expectedEnd in the text.
    void Commit(std::size_t expectedEnd, bool normalise = true);
    void Leave();
    void FinishLineEntry();
    // Inserts a line item (typed or entered), with the black move number it makes necessary.
    bool InsertLine(std::size_t at, const std::string& item, bool before, int plyAfterLine);
    bool Refused(const char* failure) {
        if (failure != nullptr) {
            Messages().ShowMessage(failure);
        }
        return failure != nullptr;
    }

    MainWindow& window_;
    annotation::AnnotationSession session_;
    MenuBarKind kind_ = MenuBarKind::kAnnotateModify;
    std::optional<LineEntry> entry_;
    bool readFromFile_ = false;
};

bool IsBlackPly(int ply) {
    return ply % 2 == 0;
}

void AnnotationMode::Enter() {
    if (!window_.Settings().AnalysisReplayMode()) {
        Messages().ShowMessage(kNeedsAnalysisReplayMode);
        return;
    }
    const std::string scratch = window_.Paths().File(annotation::kScratchFileName);
    const char* failure = nullptr;
    if (window_.displayMode == kModeAddGame && window_.AddGame().Game().HasContents()) {
        // A game entered on the board: it is annotated before it is saved anywhere.
        failure = session_.LoadText(gamefile::EnteredGameText(window_.AddGame().Game()), scratch);
        kind_ = MenuBarKind::kAnnotateAdd;
    } else {
        gamefile::GameFile& file = window_.File();
        if (!file.IsOpen()) {
            Messages().ShowMessage(gamefile::kMustOpenFile);
            return;
        }
        if (file.GameCount() == 0) {
            Messages().ShowMessage(kNoGamesInFile);
            return;
        }
        failure = session_.LoadFromFile(file.Path(), file.Index(), file.currentGame, scratch);
        kind_ = MenuBarKind::kAnnotateModify;
    }
    if (Refused(failure)) {
        return;
    }
    entry_.reset();
    window_.SetMenuBarKind(kind_);
    window_.Viewer().ShowCurrentGame();
}

void AnnotationMode::Leave() {
    session_.Close();
    entry_.reset();
    window_.SetMenuBarKind(MenuBarKind::kMain);
}

void AnnotationMode::Save() {
    if (!session_.FromFile()) {
        return;
    }
    if (Refused(session_.SaveToFile())) {
        return;
    }
    Leave();
    ShowRewrittenFile(window_);
}

void AnnotationMode::SaveAs(SaveHow how) {
    // The saved game is shown from its file.
    readFromFile_ = true;
    const bool saved = SaveGameText(window_, Text(), how);
    readFromFile_ = false;
    if (saved) {
        Leave();
    }
}

void AnnotationMode::Exit() {
    if (entry_) {
        // Abandons the line being played; the annotation goes on.
        entry_.reset();
        window_.SetMenuBarKind(kind_);
        window_.Viewer().ShowCurrentGame();
        return;
    }
    if (session_.Changed() && Messages().AskQuestion(kExitLosesChanges) != platform::kAnswerYes) {
        return;
    }
    Leave();
    if (window_.File().IsOpen() && window_.File().GameCount() > 0) {
        window_.Viewer().ShowCurrentGame();
    } else {
        window_.displayMode = kModeNothing;
    }
}

std::optional<ShownMove> AnnotationMode::Shown(const char* noMoveMessage) {
    display::GameDisplay& display = Display();
    const std::optional<std::uint64_t> end = display.ShownMoveEndOffset();
    if (window_.displayMode != kModeGame || !end || *end > Text().size()) {
        Messages().ShowMessage(noMoveMessage);
        return std::nullopt;
    }
    ShownMove move;
    move.end = static_cast<std::size_t>(*end);
    if (display.InVariation()) {
        const display::VariationLine& line = *display.Variation();
        move.ply = line.CurrentPlyNumber();
        move.inLine = true;
        move.firstOfLine = line.current == 1;
        const std::optional<display::LineMoveOffset> entry =
            display::FindLineMove(display::LineMoveOffsets(display.Record()), line.variationId, line.current);
        move.depth = entry ? entry->depth : 1;
    } else {
        move.ply = display.CurrentPly();
    }
    return move;
}

std::optional<TextSpan> AnnotationMode::CommentAt(const ShownMove& move) {
    if (std::optional<TextSpan> after = annotation::FindItem(Text(), move.end, ItemKind::kComment)) {
        return after;
    }
    // A comment that stands right before the move (before its number).
    const std::size_t start = annotation::MoveStart(Text(), move.end);
    std::size_t i = start;
    while (i > 0 && (Text()[i - 1] == ' ' || Text()[i - 1] == '\r' || Text()[i - 1] == '\n')) {
        --i;
    }
    if (i == 0 || Text()[i - 1] != '}') {
        return std::nullopt;
    }
    const std::size_t open = Text().rfind('{', i - 1);
    if (open == std::string::npos) {
        return std::nullopt;
    }
    return TextSpan{open, i};
}

std::optional<TextSpan> AnnotationMode::LineAt(const ShownMove& move) {
    return annotation::FindItem(Text(), move.end, ItemKind::kLine);
}

void AnnotationMode::Commit(std::size_t expectedEnd, bool normalise) {
    display::GameDisplay& display = Display();
    const int ply = display.CurrentPly();
    const bool inLine = display.InVariation();
    if (Refused(session_.Commit(normalise))) {
        return;
    }
    window_.Viewer().ShowCurrentGame();
    if (ply > 0) {
        display.GoToPly(ply);
    }
    if (!inLine) {
        return;
    }
    // The line move shown before: the one that now ends nearest to where it should.
    const std::vector<display::LineMoveOffset> moves = display::LineMoveOffsets(display.Record());
    const display::LineMoveOffset* nearest = nullptr;
    for (const display::LineMoveOffset& move : moves) {
        const auto distance = [expectedEnd](const display::LineMoveOffset& m) {
            return m.end > expectedEnd ? m.end - expectedEnd : expectedEnd - m.end;
        };
        if (nearest == nullptr || distance(move) < distance(*nearest)) {
            nearest = &move;
        }
    }
    if (nearest != nullptr) {
        display.ShowWordOfLineMove(nearest->variationId, nearest->indexInVariation);
    }
}

void AnnotationMode::Comment(bool before) {
    const std::optional<ShownMove> move = Shown(kSelectPositionFirst);
    if (!move) {
        return;
    }
    if (CommentAt(*move)) {
        Messages().ShowMessage(kCommentExists);
        return;
    }
    AnnotationTextDialog dialog(kEnterCommentTitle, "", false);
    if (!window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    const std::string item = annotation::CommentItem(dialog.text);
    if (item.empty()) {
        return;
    }
    const std::size_t at =
        before ? annotation::MoveStart(Text(), move->end) : annotation::AppendPoint(Text(), move->end, false);
    if (Refused(annotation::InsertItem(Text(), at, item, before))) {
        return;
    }
    Commit(before ? move->end + item.size() + 1 : move->end);
}

void AnnotationMode::ModifyComment() {
    const std::optional<ShownMove> move = Shown(kSelectPositionFirst);
    if (!move) {
        return;
    }
    const std::optional<TextSpan> comment = CommentAt(*move);
    if (!comment) {
        Messages().ShowMessage(kCommentNotFound);
        return;
    }
    const std::string old = Text().substr(comment->begin + 1, comment->end - comment->begin - 2);
    AnnotationTextDialog dialog(kModifyCommentTitle, annotation::Flattened(old), false);
    if (!window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    const std::string item = annotation::CommentItem(dialog.text);
    std::string edited = Text();
    if (item.empty()) {
        annotation::DeleteItem(edited, *comment);
    } else {
        edited.replace(comment->begin, comment->end - comment->begin, item);
    }
    if (!annotation::LinesFit(edited)) {
        Messages().ShowMessage(annotation::kLineTooLongAfterEdit);
        return;
    }
    const long delta = static_cast<long>(edited.size()) - static_cast<long>(Text().size());
    Text() = std::move(edited);
    Commit(comment->begin < move->end ? static_cast<std::size_t>(static_cast<long>(move->end) + delta)
                                      : move->end);
}

void AnnotationMode::DeleteComment() {
    const std::optional<ShownMove> move = Shown(kSelectPositionFirst);
    if (!move) {
        return;
    }
    const std::optional<TextSpan> comment = CommentAt(*move);
    if (!comment) {
        Messages().ShowMessage(kCommentNotFound);
        return;
    }
    const std::size_t before = Text().size();
    annotation::DeleteItem(Text(), *comment);
    Commit(comment->begin < move->end ? move->end - (before - Text().size()) : move->end);
}

void AnnotationMode::CopyComment() {
    const std::optional<ShownMove> move = Shown(kSelectPositionFirst);
    if (!move) {
        return;
    }
    const std::optional<TextSpan> comment = CommentAt(*move);
    if (!comment) {
        Messages().ShowMessage(kCommentNotFound);
        return;
    }
    window_.Platform().clipboard->SetText(
        Text().substr(comment->begin + 1, comment->end - comment->begin - 2));
    Messages().ShowMessage(kCommentCopied);
}

bool AnnotationMode::InsertLine(std::size_t at, const std::string& item, bool before, int plyAfterLine) {
    if (const std::string problem = annotation::CheckLine(item); !problem.empty()) {
        Messages().ShowMessage(problem);
        return false;
    }
    if (Refused(annotation::InsertItem(Text(), at, item, before))) {
        return false;
    }
    if (IsBlackPly(plyAfterLine)) {
        // A black move after a line is written with its number again.
        const std::size_t after = before ? at + item.size() : at + item.size() + 1;
        annotation::WriteBlackMoveNumber(Text(), after, plyAfterLine - 1);
    }
    return true;
}

void AnnotationMode::LineFromText(bool before) {
    const std::optional<ShownMove> move = Shown(kSelectPositionFirst);
    if (!move) {
        return;
    }
    if (before && move->ply <= 1 && !move->inLine) {
        Messages().ShowMessage(kCannotInsertTextFirst);
        return;
    }
    if (before && move->firstOfLine) {
        Messages().ShowMessage(kCannotInsertInLine);
        return;
    }
    AnnotationTextDialog dialog(kEnterLineTitle, "", true);
    if (!window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    const std::string item = annotation::LineItem(dialog.text);
    if (item.empty()) {
        return;
    }
    const std::size_t at =
        before ? annotation::MoveStart(Text(), move->end) : annotation::AppendPoint(Text(), move->end, true);
    const std::size_t sizeBefore = Text().size();
    // Before the move the line is an alternative to the move before it; after the move, to it.
    if (!InsertLine(at, item, before, before ? move->ply : move->ply + 1)) {
        return;
    }
    Commit(before ? move->end + (Text().size() - sizeBefore) : move->end);
}

void AnnotationMode::ModifyLineText() {
    const std::optional<ShownMove> move = Shown(kSelectPositionFirst);
    if (!move) {
        return;
    }
    // The line after the move, else the line the move stands in.
    std::optional<TextSpan> line = LineAt(*move);
    if (!line) {
        line = annotation::EnclosingLine(Text(), move->end);
    }
    if (!line) {
        Messages().ShowMessage(kLineNotFound);
        return;
    }
    const std::string old = Text().substr(line->begin + 1, line->end - line->begin - 2);
    AnnotationTextDialog dialog(kModifyLineTitle, annotation::Flattened(old), true);
    if (!window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    const std::string item = annotation::LineItem(dialog.text);
    std::string edited = Text();
    if (item.empty()) {
        annotation::DeleteItem(edited, *line);
    } else {
        if (const std::string problem = annotation::CheckLine(item); !problem.empty()) {
            Messages().ShowMessage(problem);
            return;
        }
        edited.replace(line->begin, line->end - line->begin, item);
    }
    if (!annotation::LinesFit(edited)) {
        Messages().ShowMessage(annotation::kLineTooLongAfterEdit);
        return;
    }
    Text() = std::move(edited);
    Commit(line->begin);
}

void AnnotationMode::DeleteLine() {
    const std::optional<ShownMove> move = Shown(kSelectPositionFirst);
    if (!move) {
        return;
    }
    const std::optional<TextSpan> line = LineAt(*move);
    if (!line) {
        Messages().ShowMessage(kLineNotFound);
        return;
    }
    annotation::DeleteItem(Text(), *line);
    annotation::DropBareBlackMoveNumber(Text(), line->begin > 0 ? line->begin - 1 : 0);
    Commit(move->end);
}

void AnnotationMode::CopyLine() {
    const std::optional<ShownMove> move = Shown(kSelectPositionFirst);
    if (!move) {
        return;
    }
    std::optional<TextSpan> line = LineAt(*move);
    if (!line) {
        line = annotation::EnclosingLine(Text(), move->end);
    }
    if (!line) {
        Messages().ShowMessage(kLineNotFound);
        return;
    }
    window_.Platform().clipboard->SetText(Text().substr(line->begin, line->end - line->begin));
    Messages().ShowMessage(kLineCopied);
}

void AnnotationMode::NewMoveAnnotation(bool replace) {
    const std::optional<ShownMove> move = Shown(kSelectMoveFirst);
    if (!move) {
        return;
    }
    const std::optional<TextSpan> old = annotation::FindItem(Text(), move->end, ItemKind::kMoveAnnotation);
    if (!replace && old) {
        Messages().ShowMessage(kMoveAnnotationExists);
        return;
    }
    if (replace && !old) {
        Messages().ShowMessage(kMoveAnnotationNotFound);
        return;
    }
    MoveAnnotationDialog dialog;
    if (old) {
        const int nag = std::atoi(Text().c_str() + old->begin + 1);
        dialog.selected = nag == 146 ? static_cast<int>(dialog.rows.size()) - 1 : nag - 1;
    }
    if (!window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    const std::string item = "$" + std::to_string(dialog.ChosenNag());
    if (old) {
        Text().replace(old->begin, old->end - old->begin, item);
    } else if (Refused(annotation::InsertItem(Text(), move->end, item, false))) {
        return;
    }
    Commit(move->end);
}

void AnnotationMode::DeleteMoveAnnotation() {
    const std::optional<ShownMove> move = Shown(kSelectMoveFirst);
    if (!move) {
        return;
    }
    const std::optional<TextSpan> nag = annotation::FindItem(Text(), move->end, ItemKind::kMoveAnnotation);
    if (!nag) {
        Messages().ShowMessage(kMoveAnnotationNotFound);
        return;
    }
    annotation::DeleteItem(Text(), *nag);
    Commit(move->end);
}

void AnnotationMode::SetAnnotator() {
    AnnotatorDialog dialog(annotation::AnnotatorValue(Text()).value_or(""));
    if (!window_.Platform().dialogs->RunDialog(dialog)) {
        return;
    }
    const std::size_t before = Text().size();
    const std::optional<std::uint64_t> end = Display().ShownMoveEndOffset();
    annotation::SetAnnotator(Text(), dialog.value);
    const std::size_t shift = Text().size() - before;
    Commit(end ? static_cast<std::size_t>(*end) + shift : 0, false);
}

void AnnotationMode::LineFromBoard(int command, EntryKind kind) {
    if (entry_) {
        if (entry_->command == command) {
            FinishLineEntry();
        }
        return;
    }
    const bool modify = kind == EntryKind::kModify;
    const std::optional<ShownMove> move = Shown(modify ? kSelectFirstMoveOfLine : kSelectPositionFirst);
    if (!move) {
        return;
    }
    display::GameDisplay& display = Display();
    LineEntry entry;
    entry.kind = kind;
    entry.command = command;
    if (modify) {
        if (!move->inLine) {
            Messages().ShowMessage(kSelectFirstMoveOfLine);
            return;
        }
        const std::optional<TextSpan> line = annotation::EnclosingLine(Text(), move->end);
        const display::VariationLine& shown = *display.Variation();
        int mapped = 0;
        for (const display::LineMoveOffset& m : display::LineMoveOffsets(display.Record())) {
            mapped += m.variationId == shown.variationId ? 1 : 0;
        }
        if (!line || mapped != shown.MoveCount()) {
            Messages().ShowMessage(kLineIndicesOutOfSync);
            return;
        }
        if (Text().find('(', line->begin + 1) < line->end - 1) {
            Messages().ShowMessage(kUseModifyTextForNested);
            return;
        }
        entry.replaced = *line;
        entry.basePly = shown.firstPly - 1;
    } else {
        const bool insert = kind == EntryKind::kInsert;
        if (insert && move->ply <= 1 && !move->inLine) {
            Messages().ShowMessage(kCannotInsertLineFirst);
            return;
        }
        if (insert && move->firstOfLine) {
            Messages().ShowMessage(kCannotInsertInLine);
            return;
        }
        entry.at = insert ? annotation::MoveStart(Text(), move->end)
                          : annotation::AppendPoint(Text(), move->end, true);
        entry.basePly = insert ? move->ply - 2 : move->ply - 1;
    }
    if (move->depth > 1) {
        Messages().ShowMessage(kUseTextInNestedLine);
        return;
    }
    // The board takes the moves from the position before the line's first move: the main line's
    // moves, then those of the line shown up to there.
    auto context = chess::MakeChessContext();
    *context = display.Context();
    int plies = entry.basePly;
    if (move->inLine) {
        const display::VariationLine& shown = *display.Variation();
        const int fromLine = modify ? shown.MoveCount() : std::max(0, entry.basePly - shown.firstPly + 1);
        for (int k = 0; k < fromLine && k < shown.MoveCount(); ++k) {
            const int ply = shown.firstPly + k;
            chess::SetSanText(context->moves.MoveOfPly(ply), shown.moves[static_cast<std::size_t>(k)]);
            context->moves.HintOfPly(ply) = chess::FromHint{};
        }
        plies = modify ? shown.firstPly - 1 + shown.MoveCount() : entry.basePly;
    }
    window_.AddGame().TakeMoves(*context, std::max(plies, 0));
    window_.SetMenuBarKind(kind_);
    entry_ = entry;
}

void AnnotationMode::FinishLineEntry() {
    const LineEntry entry = *entry_;
    gamefile::EnteredGame& game = window_.AddGame().Game();
    std::vector<std::string> moves;
    for (int ply = entry.basePly + 1;; ++ply) {
        const std::vector<std::string>& side = ply % 2 == 1 ? game.whiteMoves : game.blackMoves;
        const std::size_t index = static_cast<std::size_t>((ply - 1) / 2);
        if (index >= side.size() || side[index].empty()) {
            break;
        }
        moves.push_back(side[index]);
    }
    if (moves.empty()) {
        Messages().ShowMessage(kNoLineEntered);
        return;
    }
    entry_.reset();
    window_.Viewer().ShowCurrentGame();
    const std::string item = annotation::LineText(entry.basePly + 1, moves);
    if (entry.kind == EntryKind::kModify) {
        Text().replace(entry.replaced.begin, entry.replaced.end - entry.replaced.begin, item);
    } else {
        const bool before = entry.kind == EntryKind::kInsert;
        if (!InsertLine(entry.at, item, before, entry.basePly + 2)) {
            return;
        }
    }
    Commit(entry.at);
}

}  // namespace

void RegisterAnnotationCommands(MainWindow& window) {
    auto mode = std::make_shared<AnnotationMode>(window);
    window.Viewer().readShownGame = [mode](display::GameDisplay& display) { return mode->ShowGame(display); };
    CommandHandlers& handlers = window.Handlers();
    handlers.Set(kCmdAnnotateGame, [mode] { mode->Enter(); });
    // The mode's commands do nothing outside it.
    const auto inMode = [&handlers, mode](int id, auto action) {
        handlers.Set(id, [mode, action] {
            if (mode->Active()) {
                action(*mode);
            }
        });
    };
    inMode(kCmdAnnotationSave, [](AnnotationMode& m) { m.Save(); });
    inMode(kCmdAnnotationExit, [](AnnotationMode& m) { m.Exit(); });
    inMode(kCmdAnnotationNewFile, [](AnnotationMode& m) { m.SaveAs(SaveHow::kNewFile); });
    inMode(kCmdAnnotationAppendGame, [](AnnotationMode& m) { m.SaveAs(SaveHow::kAppend); });
    inMode(kCmdAnnotationInsertGame, [](AnnotationMode& m) { m.SaveAs(SaveHow::kInsert); });
    inMode(kCmdAnnotationOverwriteLast, [](AnnotationMode& m) { m.SaveAs(SaveHow::kOverwriteLast); });
    inMode(kCmdAppendComment, [](AnnotationMode& m) { m.Comment(false); });
    inMode(kCmdInsertComment, [](AnnotationMode& m) { m.Comment(true); });
    inMode(kCmdModifyComment, [](AnnotationMode& m) { m.ModifyComment(); });
    inMode(kCmdDeleteComment, [](AnnotationMode& m) { m.DeleteComment(); });
    inMode(kCmdCopyComment, [](AnnotationMode& m) { m.CopyComment(); });
    inMode(kCmdAppendLine, [](AnnotationMode& m) { m.LineFromBoard(kCmdAppendLine, EntryKind::kAppend); });
    inMode(kCmdInsertLine, [](AnnotationMode& m) { m.LineFromBoard(kCmdInsertLine, EntryKind::kInsert); });
    inMode(kCmdModifyLine, [](AnnotationMode& m) { m.LineFromBoard(kCmdModifyLine, EntryKind::kModify); });
    inMode(kCmdAppendLineText, [](AnnotationMode& m) { m.LineFromText(false); });
    inMode(kCmdInsertLineText, [](AnnotationMode& m) { m.LineFromText(true); });
    inMode(kCmdModifyLineText, [](AnnotationMode& m) { m.ModifyLineText(); });
    inMode(kCmdDeleteLine, [](AnnotationMode& m) { m.DeleteLine(); });
    inMode(kCmdCopyLine, [](AnnotationMode& m) { m.CopyLine(); });
    inMode(kCmdNewMoveAnnotation, [](AnnotationMode& m) { m.NewMoveAnnotation(false); });
    inMode(kCmdModifyMoveAnnotation, [](AnnotationMode& m) { m.NewMoveAnnotation(true); });
    inMode(kCmdDeleteMoveAnnotation, [](AnnotationMode& m) { m.DeleteMoveAnnotation(); });
    inMode(kCmdSetAnnotator, [](AnnotationMode& m) { m.SetAnnotator(); });
}

}  // namespace ravelin::shell
