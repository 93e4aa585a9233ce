#pragma once

#include <QDialog>

#include "shell/dialogs/win_statistics_dialog.h"

namespace ravelin::gui {

// The "Win Statistics" dialog on screen: the lines in a grid, each score beside its wins line,
// and OK.
class WinStatisticsDialogWidget : public QDialog {
    Q_OBJECT
  public:
    WinStatisticsDialogWidget(const shell::WinStatisticsDialog& dialogData, QWidget* parent = nullptr);
};

}  // namespace ravelin::gui
