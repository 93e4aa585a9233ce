#include "shell/commands/annotation_mode.h"

#include <algorithm>
#include <string>
#include <vector>

#include "chess/move_list.h"
#include "display/line_move_offsets.h"
#include "gamefile/game_writer.h"
#include "platform/messages.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/annotation_dialogs.h"

namespace ravelin::shell::annotating {

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
    entry.shownPly = display.CurrentPly();
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
    if (entry.shownPly > 0) {
        Display().GoToPly(entry.shownPly);
    }
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

}  // namespace ravelin::shell::annotating
