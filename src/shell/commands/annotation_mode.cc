#include "shell/commands/annotation_mode.h"

#include <cstdlib>
#include <string>
#include <vector>

#include "annotation/annotation_tags.h"
#include "chess/move_list.h"
#include "display/line_move_offsets.h"
#include "gamefile/game_writer.h"
#include "platform/messages.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/annotation_dialogs.h"

namespace ravelin::shell::annotating {

void AnnotationMode::Enter() {
    if (session_.Active()) {
        // Already annotating: reading the game again would drop the edits.
        return;
    }
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

}  // namespace ravelin::shell::annotating
