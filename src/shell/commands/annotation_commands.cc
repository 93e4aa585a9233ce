#include "shell/commands/annotation_commands.h"

#include <memory>

#include "shell/commands/annotation_mode.h"

namespace ravelin::shell {

using annotating::AnnotationMode;
using annotating::EntryKind;

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
