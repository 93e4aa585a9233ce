#pragma once

#include <QMainWindow>
#include <QMenu>
#include <QPlainTextEdit>
#include <QPointer>
#include <QScrollBar>
#include <QWidget>

#include "shell/main_window.h"

namespace ravelin::gui {

// The area left of the game scroll bar; it paints the status lines the core decided.
class StatusView : public QWidget {
    Q_OBJECT
  public:
    explicit StatusView(QWidget* parent = nullptr);
    void SetView(const shell::WindowView& view);
    const shell::WindowView& View() const { return view_; }

  Q_SIGNALS:
    void contextMenuWanted(QPoint globalPosition);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void contextMenuEvent(QContextMenuEvent* event) override;

  private:
    shell::WindowView view_;
};

// The program's own 25-pixel menu bar: it paints the items of the core's bar kind and reports
// clicks; the core decides what an item does.
class OwnMenuBarWidget : public QWidget {
    Q_OBJECT
  public:
    explicit OwnMenuBarWidget(shell::MainWindow& core, QWidget* parent = nullptr);
    // The item under a point of the bar, or -1.
    int ItemAt(QPoint point) const;
    QRect ItemRect(int index) const;

  Q_SIGNALS:
    void itemClicked(int index);

  protected:
    void paintEvent(QPaintEvent* event) override;
    void mousePressEvent(QMouseEvent* event) override;

  private:
    shell::MainWindow& core_;
};

// The desktop window around the core's MainWindow: its menus send command ids, its scroll bar
// moves through the games, and it repaints whenever the core reports a change.
class MainWindowWidget : public QMainWindow {
    Q_OBJECT
  public:
    explicit MainWindowWidget(shell::MainWindow& core, QWidget* parent = nullptr);
    ~MainWindowWidget() override;

    StatusView* Status() const { return status_; }
    QScrollBar* GameScrollBar() const { return scrollBar_; }
    OwnMenuBarWidget* OwnBar() const { return ownBar_; }
    // Shows what the core says now.
    void Refresh();
    // A menu built from one of the core's menus; its actions issue their command ids.
    QMenu* BuildMenu(const shell::MenuNode& node, QWidget* parent);
    // The context menu a right click would open now (null when the mode has none). The caller owns it.
    QMenu* BuildContextMenu(bool clickOnBoard = false);
    // Acts on what the own bar decided: opens a popup below its item or issues a command.
    void PerformBarAction(const shell::MenuBarAction& action);
    // The popup of the own bar that is open, if any.
    QMenu* OpenBarPopup() const { return barPopup_; }
    // The tool window of "Show Actual Text", null while it is closed.
    QPlainTextEdit* ActualTextWindow() const { return actualText_; }

  protected:
    void closeEvent(QCloseEvent* event) override;
    bool eventFilter(QObject* watched, QEvent* event) override;

  private:
    void BuildStandardMenuBar();
    void ShowMenuBarKind(bool own);
    void ShowHelpPage(const std::string& path);
    void ShowContextMenu(QPoint globalPosition);
    // The check marks of the menu bar's option items follow the core's.
    void SyncCheckMarks(QWidget* menu);
    // The actual-text window is open exactly while the core says so.
    void SyncActualText();

    shell::MainWindow& core_;
    StatusView* status_ = nullptr;
    QScrollBar* scrollBar_ = nullptr;
    OwnMenuBarWidget* ownBar_ = nullptr;
    QPointer<QMenu> barPopup_;
    QPointer<QPlainTextEdit> actualText_;
    bool refreshing_ = false;
    int shownMenuBar_ = -1;                                           // 0 standard, 1 own, -1 not built yet
    shell::MenuBarKind standardBarKind_ = shell::MenuBarKind::kMain;  // what the standard bar shows
    bool keyFilterInstalled_ = false;
};

}  // namespace ravelin::gui
