#pragma once

#include <QMainWindow>
#include <QScrollBar>
#include <QWidget>

#include "shell/main_window.h"

namespace ravelin::platform {

// The area left of the game scroll bar; it paints the status lines the core decided.
class StatusView : public QWidget {
    Q_OBJECT
public:
    explicit StatusView(QWidget* parent = nullptr);
    void SetView(const shell::WindowView& view);
    const shell::WindowView& View() const { return view_; }

protected:
    void paintEvent(QPaintEvent* event) override;

private:
    shell::WindowView view_;
};

// The desktop window around the core's MainWindow: its menus send command ids, its scroll bar
// moves through the games, and it repaints whenever the core reports a change.
class MainWindowWidget : public QMainWindow {
    Q_OBJECT
public:
    explicit MainWindowWidget(shell::MainWindow& core, QWidget* parent = nullptr);

    StatusView* Status() const { return status_; }
    QScrollBar* GameScrollBar() const { return scrollBar_; }
    // Shows what the core says now.
    void Refresh();

protected:
    void closeEvent(QCloseEvent* event) override;

private:
    void BuildMenus();
    void ShowHelpPage(const std::string& path);

    shell::MainWindow& core_;
    StatusView* status_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    bool refreshing_ = false;
};

}  // namespace ravelin::platform
