#pragma once

#include <functional>
#include <string>

namespace ravelin::platform {

// The small modeless window of a background operation: a counter line, a bar and a Cancel button,
// over the main window. It is only ever touched on the window thread; the worker reaches it through
// calls posted to that thread.
class ProgressWindow {
  public:
    virtual ~ProgressWindow() = default;
    // Opens the window with its title; onCancel runs (on the window thread) when Cancel is pressed.
    virtual void Open(const std::string& title, std::function<void()> onCancel) = 0;
    // Draws the counter line and the bar (fraction 0..1 of its width).
    virtual void Show(const std::string& counterLine, double barFraction) = 0;
    virtual void Close() = 0;
    virtual bool IsOpen() const = 0;
    // Whether the main window is minimized: results are then kept until it is restored.
    virtual bool MainWindowMinimized() const = 0;
    // Called (on the window thread) whenever the main window comes back from being minimized.
    virtual void SetRestoredHandler(std::function<void()> handler) = 0;
};

}  // namespace ravelin::platform
