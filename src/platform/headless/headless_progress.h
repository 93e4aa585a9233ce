#pragma once

#include <functional>
#include <string>
#include <vector>

#include "platform/progress.h"

namespace ravelin::platform {

// The progress window without a screen: it records what it was asked to show, and lets a test
// press Cancel, minimize the main window and restore it.
class HeadlessProgressWindow : public ProgressWindow {
  public:
    void Open(const std::string& title, std::function<void()> onCancel) override;
    void Show(const std::string& counterLine, double barFraction) override;
    void Close() override;
    bool IsOpen() const override { return open; }
    bool MainWindowMinimized() const override { return minimized; }
    void SetRestoredHandler(std::function<void()> handler) override { restored_ = std::move(handler); }

    void PressCancel();
    void Minimize() { minimized = true; }
    void Restore();

    bool open = false;
    bool minimized = false;
    std::vector<std::string> titles;  // every window opened
    std::vector<std::string> lines;   // every counter line drawn
    double barFraction = 0;

  private:
    std::function<void()> onCancel_;
    std::function<void()> restored_;
};

}  // namespace ravelin::platform
