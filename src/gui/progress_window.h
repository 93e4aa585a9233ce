#pragma once

#include <QObject>
#include <QPointer>
#include <functional>
#include <string>

#include "platform/progress.h"

class QDialog;
class QLabel;
class QWidget;

namespace ravelin::gui {

class ProgressBarWidget;

// The "Threadbox" window of background operations on Qt: modeless, owned by the main window and
// placed at its top left, with the counter line, the bar and Cancel. It also watches the main
// window for being minimized and restored.
class QtProgressWindow : public QObject, public platform::ProgressWindow {
    Q_OBJECT
  public:
    QtProgressWindow();
    ~QtProgressWindow() override;

    void SetMainWindow(QWidget* window);

    void Open(const std::string& title, std::function<void()> onCancel) override;
    void Show(const std::string& counterLine, double barFraction) override;
    void Close() override;
    bool IsOpen() const override;
    bool MainWindowMinimized() const override;
    void SetRestoredHandler(std::function<void()> handler) override { restored_ = std::move(handler); }

  protected:
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    QPointer<QWidget> mainWindow_;
    QPointer<QDialog> dialog_;
    QLabel* line_ = nullptr;
    ProgressBarWidget* bar_ = nullptr;
    std::function<void()> onCancel_;
    std::function<void()> restored_;
};

}  // namespace ravelin::gui
