#pragma once

// "Annotation File": an HTML page built while the user goes through a game, with the annotation
// menu bar in place of the main one. The moves come from the board: the entered variation in
// variation edit, else the shown game up to the shown move.

#include "reports/html_annotation.h"

namespace ravelin::shell {

class MainWindow;

inline constexpr int kCmdAnnotationFile = 196;
inline constexpr int kCmdHtmlNew = 200;
inline constexpr int kCmdHtmlOpen = 201;
inline constexpr int kCmdHtmlTitle = 202;
inline constexpr int kCmdHtmlStartMove = 203;
inline constexpr int kCmdHtmlEndMove = 204;
inline constexpr int kCmdHtmlEnterComment = 205;
inline constexpr int kCmdHtmlEndComment = 206;
inline constexpr int kCmdHtmlPageDiagram = 207;
inline constexpr int kCmdHtmlView = 208;
inline constexpr int kCmdHtmlHelp = 209;
inline constexpr int kCmdHtmlSave = 210;
inline constexpr int kCmdHtmlExit = 211;

inline constexpr char kEditTitleWithView[] = "Edit the title information using 'View'.";
inline constexpr char kEnterTitleFirst[] = "Enter title information first.";
inline constexpr char kEnterCommentFirst[] = "Enter comment first.";
inline constexpr char kEndCommentFirst[] = "End comment first.";
inline constexpr char kAllHtmlLost[] = "All Html will be lost. Are you sure?";
inline constexpr char kHtmlChangesLost[] = "Html changes will be lost. Are you sure?";
inline constexpr char kReadyForHtml[] = "Ready for Html Annotation";
inline constexpr char kAnalysisTooBig[] = "This analysis is too big to edit.";
inline constexpr char kErrorCreatingHtml[] = "Error creating Html file.";
inline constexpr char kErrorOpeningHtml[] = "Error opening Html file.";
inline constexpr char kStaleStateFile[] =
    "The moves saved beside this page do not belong to it; the page is opened without them.";
inline constexpr char kAnnotationHelpAnchor[] = "annotation-file";

void RegisterHtmlAnnotationCommands(MainWindow& window);

}  // namespace ravelin::shell
