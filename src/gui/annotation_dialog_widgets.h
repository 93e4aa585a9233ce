#pragma once

// The forms of the annotation dialogs and of the Yahoo paste dialog.

#include <QWidget>

#include "shell/dialogs/annotation_dialogs.h"
#include "shell/dialogs/yahoo_dialog.h"

namespace ravelin::gui {

bool RunAnnotationTextDialog(shell::AnnotationTextDialog& data, QWidget* parent);
bool RunMoveAnnotationDialog(shell::MoveAnnotationDialog& data, QWidget* parent);
bool RunAnnotatorDialog(shell::AnnotatorDialog& data, QWidget* parent);
bool RunYahooDialog(shell::YahooDialog& data, QWidget* parent);

}  // namespace ravelin::gui
