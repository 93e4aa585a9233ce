#pragma once

// The annotation mode ("Annotate Game"): comments, lines, move annotations and the annotator are
// added to the shown game's text, which the display reads from the scratch file meanwhile; "Save"
// writes the text back in place of the game, "Exit" drops it. Lines are played on the board in
// the add-game board's move entry; the command that began the entry ends it.

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdAnnotateGame = 471;
inline constexpr int kCmdAnnotationNewFile = 472;
inline constexpr int kCmdAnnotationAppendGame = 473;
inline constexpr int kCmdAnnotationInsertGame = 474;
inline constexpr int kCmdAnnotationOverwriteLast = 475;
inline constexpr int kCmdAnnotationSave = 476;
inline constexpr int kCmdAnnotationExit = 477;
inline constexpr int kCmdAppendComment = 480;
inline constexpr int kCmdModifyComment = 481;
inline constexpr int kCmdDeleteComment = 482;
inline constexpr int kCmdAppendLine = 483;
inline constexpr int kCmdModifyLine = 484;
inline constexpr int kCmdAppendLineText = 486;
inline constexpr int kCmdModifyLineText = 487;
inline constexpr int kCmdDeleteLine = 488;
inline constexpr int kCmdNewMoveAnnotation = 489;
inline constexpr int kCmdModifyMoveAnnotation = 490;
inline constexpr int kCmdDeleteMoveAnnotation = 491;
inline constexpr int kCmdInsertComment = 492;
inline constexpr int kCmdInsertLine = 493;
inline constexpr int kCmdInsertLineText = 494;
inline constexpr int kCmdCopyComment = 495;
inline constexpr int kCmdCopyLine = 496;
inline constexpr int kCmdSetAnnotator = 497;

inline constexpr char kNeedsAnalysisReplayMode[] =
    "This function is only available when Analysis Replay Mode is enabled in the Options menu.";
inline constexpr char kSelectPositionFirst[] = "Select a position first.";
inline constexpr char kSelectMoveFirst[] = "Select a move first.";
inline constexpr char kSelectFirstMoveOfLine[] = "Select the first move of the line.";
inline constexpr char kCommentExists[] = "Comment already exists.";
inline constexpr char kMoveAnnotationExists[] = "Move annotation already exists.";
inline constexpr char kCommentNotFound[] = "Comment not found.";
inline constexpr char kLineNotFound[] = "Line not found.";
inline constexpr char kMoveAnnotationNotFound[] = "Move annotation not found.";
inline constexpr char kCommentCopied[] = "Comment copied to the clipboard.";
inline constexpr char kLineCopied[] = "Line copied to the clipboard.";
inline constexpr char kNoLineEntered[] = "No line was entered.";
inline constexpr char kCannotInsertLineFirst[] =
    "You cannot insert a line before the first move. Use append line instead.";
inline constexpr char kCannotInsertTextFirst[] =
    "You cannot insert a line before the first move. Use append text instead.";
inline constexpr char kCannotInsertInLine[] =
    "You cannot use insert before the first move of a line. Use append instead.";
inline constexpr char kLineIndicesOutOfSync[] = "The line indices are out of sync.";
inline constexpr char kUseModifyTextForNested[] = "Use the Modify Text function to modify nested lines.";
inline constexpr char kUseTextInNestedLine[] =
    "Lines inside nested lines are entered as text: use Append Text or Insert Text.";
inline constexpr char kAnnotationEndedByOtherFile[] =
    "Another file was opened: the annotation of the game was ended without saving.";
inline constexpr char kExitLosesChanges[] = "Are you sure you want to exit? All changes will be lost!";

void RegisterAnnotationCommands(MainWindow& window);

}  // namespace ravelin::shell
