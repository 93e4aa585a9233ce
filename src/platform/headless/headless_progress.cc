#include "platform/headless/headless_progress.h"

namespace ravelin::platform {

void HeadlessProgressWindow::Open(const std::string& title, std::function<void()> onCancel) {
    open = true;
    titles.push_back(title);
    barFraction = 0;
    onCancel_ = std::move(onCancel);
}

void HeadlessProgressWindow::Show(const std::string& counterLine, double fraction) {
    lines.push_back(counterLine);
    barFraction = fraction;
}

void HeadlessProgressWindow::Close() {
    open = false;
    onCancel_ = nullptr;
}

void HeadlessProgressWindow::PressCancel() {
    if (open && onCancel_) {
        std::function<void()> cancel = onCancel_;
        cancel();
    }
}

void HeadlessProgressWindow::Restore() {
    minimized = false;
    if (restored_) {
        restored_();
    }
}

}  // namespace ravelin::platform
