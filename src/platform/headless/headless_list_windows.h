#pragma once

#include <map>

#include "platform/list_window.h"

namespace ravelin::platform {

// The list windows without a screen: what each shows is kept for tests, which double-click a line
// through Activate.
class HeadlessListWindows : public ListWindowService {
  public:
    void ShowListWindow(const std::string& key, const ListWindowContent& content,
                        std::function<void(int row)> onActivate) override;
    void CloseListWindow(const std::string& key) override { windows_.erase(key); }
    bool ListWindowOpen(const std::string& key) const override { return windows_.contains(key); }

    // What the open window shows; empty content when it is closed.
    ListWindowContent Content(const std::string& key) const;
    // A double click on the row; false when the window is closed or the row does not exist.
    bool Activate(const std::string& key, int row);

  private:
    struct Window {
        ListWindowContent content;
        std::function<void(int)> onActivate;
    };
    std::map<std::string, Window> windows_;
};

}  // namespace ravelin::platform
