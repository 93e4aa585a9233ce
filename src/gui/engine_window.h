#pragma once

// The "Crafty Interface" window: a modeless tool window beside the board with what the engine
// printed, a command line, OK and Exit.

#include <QLineEdit>
#include <QListWidget>
#include <QWidget>

namespace ravelin::shell {
class MainWindow;
}

namespace ravelin::gui {

class EngineWindow : public QWidget {
    Q_OBJECT
  public:
    EngineWindow(shell::MainWindow& core, QWidget* parent);
    // Shows the core's view of the window: opened, closed, its lines.
    void Sync();

  private:
    void Ok();
    shell::MainWindow& core_;
    QListWidget* output_ = nullptr;
    QLineEdit* command_ = nullptr;
    bool placed_ = false;
};

}  // namespace ravelin::gui
