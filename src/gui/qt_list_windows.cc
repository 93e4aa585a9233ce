#include "gui/qt_list_windows.h"

#include <QDialog>
#include <QFontDatabase>
#include <QListWidget>
#include <QMenu>
#include <QVBoxLayout>

namespace ravelin::gui {

QtListWindows::QtListWindows(std::function<QWidget*()> parent, std::function<void(int)> post)
    : parent_(std::move(parent)), post_(std::move(post)) {}

QtListWindows::~QtListWindows() {
    for (auto& [key, window] : windows_) {
        delete window.dialog.data();
    }
}

QtListWindows::Window& QtListWindows::Make(const std::string& key) {
    Window& window = windows_[key];
    if (window.dialog) {
        return window;
    }
    auto* dialog = new QDialog(parent_ ? parent_() : nullptr, Qt::Tool);
    dialog->setModal(false);
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(2, 2, 2, 2);
    auto* list = new QListWidget(dialog);
    // The statistics columns line up only in a fixed-width font.
    list->setFont(QFontDatabase::systemFont(QFontDatabase::FixedFont));
    list->setContextMenuPolicy(Qt::CustomContextMenu);
    layout->addWidget(list);
    dialog->resize(260, 360);
    QObject::connect(list, &QListWidget::itemDoubleClicked, dialog, [this, key, list](QListWidgetItem* item) {
        const auto it = windows_.find(key);
        if (it != windows_.end() && it->second.onActivate) {
            // The call may replace the list: it runs on a copy of the callback.
            const std::function<void(int)> activate = it->second.onActivate;
            activate(list->row(item));
        }
    });
    QObject::connect(list, &QWidget::customContextMenuRequested, dialog, [this, key, list](const QPoint& at) {
        const auto it = windows_.find(key);
        if (it == windows_.end() || it->second.content.contextCommands.empty()) {
            return;
        }
        QMenu menu(list);
        for (const auto& [label, id] : it->second.content.contextCommands) {
            const int command = id;
            menu.addAction(QString::fromStdString(label), [this, command] {
                if (post_) {
                    post_(command);
                }
            });
        }
        menu.exec(list->mapToGlobal(at));
    });
    window.dialog = dialog;
    window.list = list;
    return window;
}

void QtListWindows::ShowListWindow(const std::string& key, const platform::ListWindowContent& content,
                                   std::function<void(int row)> onActivate) {
    Window& window = Make(key);
    window.onActivate = std::move(onActivate);
    window.content = content;
    window.dialog->setWindowTitle(QString::fromStdString(content.title));
    window.list->clear();
    for (const std::string& line : content.lines) {
        window.list->addItem(QString::fromStdString(line));
    }
    window.dialog->show();
}

void QtListWindows::CloseListWindow(const std::string& key) {
    const auto it = windows_.find(key);
    if (it != windows_.end()) {
        delete it->second.dialog.data();
        windows_.erase(it);
    }
}

bool QtListWindows::ListWindowOpen(const std::string& key) const {
    const auto it = windows_.find(key);
    return it != windows_.end() && it->second.dialog && it->second.dialog->isVisible();
}

}  // namespace ravelin::gui
