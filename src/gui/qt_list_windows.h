#pragma once

#include <QPointer>
#include <functional>
#include <map>
#include <string>

#include "platform/list_window.h"

class QDialog;
class QListWidget;
class QWidget;

namespace ravelin::gui {

// The list windows as tool windows beside the main window: a list widget whose double click calls
// the core and whose right-click menu posts the content's commands.
class QtListWindows : public platform::ListWindowService {
  public:
    // parent: the main window the tool windows stay beside; post: how a menu command is posted.
    QtListWindows(std::function<QWidget*()> parent, std::function<void(int)> post);
    ~QtListWindows() override;

    void ShowListWindow(const std::string& key, const platform::ListWindowContent& content,
                        std::function<void(int row)> onActivate) override;
    void CloseListWindow(const std::string& key) override;
    bool ListWindowOpen(const std::string& key) const override;

  private:
    struct Window {
        QPointer<QDialog> dialog;
        QListWidget* list = nullptr;
        std::function<void(int)> onActivate;
        platform::ListWindowContent content;
    };
    Window& Make(const std::string& key);

    std::function<QWidget*()> parent_;
    std::function<void(int)> post_;
    std::map<std::string, Window> windows_;
};

}  // namespace ravelin::gui
