#pragma once

// Windows of their own beside the main window that show a list of lines and stay open while the
// main window is used (the opening tree). A double click on a line calls back into the core; the
// window's right-click menu posts command ids like any menu.

#include <functional>
#include <string>
#include <vector>

namespace ravelin::platform {

struct ListWindowContent {
    std::string title;
    std::vector<std::string> lines;
    // The right-click menu: labels and the command ids they post.
    std::vector<std::pair<std::string, int>> contextCommands;
};

class ListWindowService {
  public:
    virtual ~ListWindowService() = default;
    // Opens the window named key, or replaces what it shows. onActivate receives the row of a
    // double-clicked line.
    virtual void ShowListWindow(const std::string& key, const ListWindowContent& content,
                                std::function<void(int row)> onActivate) = 0;
    virtual void CloseListWindow(const std::string& key) = 0;
    virtual bool ListWindowOpen(const std::string& key) const = 0;
};

}  // namespace ravelin::platform
