#include "platform/headless/headless_list_windows.h"

namespace ravelin::platform {

void HeadlessListWindows::ShowListWindow(const std::string& key, const ListWindowContent& content,
                                         std::function<void(int row)> onActivate) {
    windows_[key] = Window{content, std::move(onActivate)};
}

ListWindowContent HeadlessListWindows::Content(const std::string& key) const {
    const auto it = windows_.find(key);
    return it == windows_.end() ? ListWindowContent{} : it->second.content;
}

bool HeadlessListWindows::Activate(const std::string& key, int row) {
    const auto it = windows_.find(key);
    if (it == windows_.end() || row < 0 || row >= static_cast<int>(it->second.content.lines.size())) {
        return false;
    }
    // The callback may replace the window: it runs on a copy.
    const std::function<void(int)> onActivate = it->second.onActivate;
    if (onActivate) {
        onActivate(row);
    }
    return true;
}

}  // namespace ravelin::platform
