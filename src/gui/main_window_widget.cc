#include "gui/main_window_widget.h"

#include <QAction>
#include <QApplication>
#include <QCloseEvent>
#include <QContextMenuEvent>
#include <QHBoxLayout>
#include <QKeyEvent>
#include <QMenu>
#include <QMenuBar>
#include <QPainter>
#include <QTextBrowser>
#include <QUrl>
#include <QVBoxLayout>

#include "gui/engine_window.h"
#include "gui/game_view_widget.h"
#include "shell/command_ids.h"
#include "shell/commands/engine_commands.h"
#include "shell/commands/game_viewer.h"

namespace ravelin::gui {

namespace {

// Pixel positions of the status lines in the text area.
constexpr int kStatusLeft = 10;
constexpr int kFileLineTop = 10;
constexpr int kGameLineTop = 34;
constexpr int kStatusFontPixels = 16;
constexpr char kActualTextTitle[] = "Actual Text";
constexpr int kActualTextWidth = 640;
constexpr int kActualTextHeight = 480;

// The own bar's items: left margin and the padding on each side of a label.
constexpr int kBarLeft = 4;
constexpr int kBarItemPadding = 8;

}  // namespace

StatusView::StatusView(QWidget* parent) : QWidget(parent) {
    setAutoFillBackground(true);
    setMinimumSize(300, 80);
}

void StatusView::SetView(const shell::WindowView& view) {
    view_ = view;
    update();
}

void StatusView::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QFont font("DejaVu Sans Mono");
    font.setPixelSize(kStatusFontPixels);
    painter.setFont(font);
    QFontMetrics metrics(font);
    painter.drawText(kStatusLeft, kFileLineTop + metrics.ascent(), QString::fromStdString(view_.fileLine));
    painter.drawText(kStatusLeft, kGameLineTop + metrics.ascent(), QString::fromStdString(view_.gameLine));
}

void StatusView::contextMenuEvent(QContextMenuEvent* event) {
    Q_EMIT contextMenuWanted(event->globalPos());
}

OwnMenuBarWidget::OwnMenuBarWidget(shell::MainWindow& core, QWidget* parent) : QWidget(parent), core_(core) {
    setObjectName("ownMenuBar");
    setFixedHeight(shell::kOwnMenuBarHeight);
}

QRect OwnMenuBarWidget::ItemRect(int index) const {
    auto items = core_.MenuBar().Items();
    QFontMetrics metrics(font());
    int x = kBarLeft;
    for (int k = 0; k < static_cast<int>(items.size()); ++k) {
        QString label = QString::fromUtf8(items[static_cast<std::size_t>(k)].label.data(),
                                          static_cast<int>(items[static_cast<std::size_t>(k)].label.size()));
        int width = metrics.horizontalAdvance(label) + 2 * kBarItemPadding;
        if (k == index) {
            return QRect(x, 2, width, shell::kOwnMenuBarHeight - 3);
        }
        x += width;
    }
    return {};
}

int OwnMenuBarWidget::ItemAt(QPoint point) const {
    int count = static_cast<int>(core_.MenuBar().Items().size());
    for (int k = 0; k < count; ++k) {
        if (ItemRect(k).contains(point)) {
            return k;
        }
    }
    return -1;
}

void OwnMenuBarWidget::paintEvent(QPaintEvent*) {
    QPainter painter(this);
    QPalette colours = palette();
    int w = width();
    // A dark line, a light line, the 22-pixel face and a dark bottom line.
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawLine(0, 0, w, 0);
    painter.setPen(colours.color(QPalette::Light));
    painter.drawLine(0, 1, w, 1);
    painter.fillRect(0, 2, w, 22, colours.color(QPalette::Button));
    painter.setPen(colours.color(QPalette::Dark));
    painter.drawLine(0, shell::kOwnMenuBarHeight - 1, w, shell::kOwnMenuBarHeight - 1);

    auto items = core_.MenuBar().Items();
    int selected = core_.MenuBar().Selected();
    for (int k = 0; k < static_cast<int>(items.size()); ++k) {
        QRect rect = ItemRect(k);
        if (k == selected) {
            painter.fillRect(rect, colours.color(QPalette::Highlight));
            painter.setPen(colours.color(QPalette::HighlightedText));
        } else {
            painter.setPen(colours.color(QPalette::ButtonText));
        }
        std::string_view label = items[static_cast<std::size_t>(k)].label;
        painter.drawText(rect, Qt::AlignCenter,
                         QString::fromUtf8(label.data(), static_cast<int>(label.size())));
    }
}

void OwnMenuBarWidget::mousePressEvent(QMouseEvent* event) {
    int index = ItemAt(event->pos());
    if (index >= 0) {
        Q_EMIT itemClicked(index);
    }
}

MainWindowWidget::MainWindowWidget(shell::MainWindow& core, QWidget* parent)
    : QMainWindow(parent), core_(core) {
    auto* central = new QWidget(this);
    auto* column = new QVBoxLayout(central);
    column->setContentsMargins(0, 0, 0, 0);
    column->setSpacing(0);
    ownBar_ = new OwnMenuBarWidget(core_, central);
    column->addWidget(ownBar_);
    auto* row = new QHBoxLayout();
    row->setContentsMargins(0, 0, 0, 0);
    row->setSpacing(0);
    status_ = new GameViewWidget(core_, central);
    scrollBar_ = new QScrollBar(Qt::Vertical, central);
    scrollBar_->setObjectName("gameScrollBar");
    row->addWidget(status_, 1);
    row->addWidget(scrollBar_);
    column->addLayout(row, 1);
    setCentralWidget(central);

    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!refreshing_) {
            core_.ScrollToGame(value);
        }
    });
    connect(status_, &StatusView::contextMenuWanted, this, [this](QPoint at) { ShowContextMenu(at); });
    connect(ownBar_, &OwnMenuBarWidget::itemClicked, this,
            [this](int index) { PerformBarAction(core_.MenuBar().Click(index)); });
    core_.onChanged = [this] { Refresh(); };
    core_.onShowHelp = [this](const std::string& path) { ShowHelpPage(path); };
    core_.onWindowRect = [this](const settings::WindowRect& rect) {
        setGeometry(rect.x, rect.y, rect.width, rect.height);
    };

    settings::WindowRect rect = core_.InitialWindowRect();
    setGeometry(rect.x, rect.y, rect.width, rect.height);
    Refresh();
}

MainWindowWidget::~MainWindowWidget() {
    if (actualText_ != nullptr) {
        disconnect(actualText_, &QObject::destroyed, this, nullptr);
    }
    if (keyFilterInstalled_) {
        qApp->removeEventFilter(this);
    }
    core_.onChanged = nullptr;
    core_.onShowHelp = nullptr;
    core_.onWindowRect = nullptr;
}

QMenu* MainWindowWidget::BuildMenu(const shell::MenuNode& node, QWidget* parent) {
    auto* menu = new QMenu(QString::fromStdString(node.label), parent);
    for (const shell::MenuNode& child : node.children) {
        if (child.IsPopup()) {
            menu->addMenu(BuildMenu(child, menu));
            continue;
        }
        QAction* action = menu->addAction(QString::fromStdString(child.label));
        int id = child.commandId;
        action->setData(id);
        if (child.checkable) {
            action->setCheckable(true);
            action->setChecked(core_.Menus().Checked(id));
        }
        connect(action, &QAction::triggered, this, [this, id] { core_.HandleCommand(id); });
    }
    return menu;
}

// The menus go later, not now: the action that changed the bar may still be emitting its signal.
static void ClearMenuBarLater(QMenuBar* bar) {
    for (QAction* action : bar->actions()) {
        bar->removeAction(action);
        if (QMenu* menu = action->menu()) {
            menu->deleteLater();
        } else {
            action->deleteLater();
        }
    }
}

void MainWindowWidget::BuildStandardMenuBar() {
    QMenuBar* bar = menuBar();
    ClearMenuBarLater(bar);
    const shell::MenuNode* main = core_.Menus().Find("MainMenu");
    if (main == nullptr) {
        return;
    }
    for (const shell::MenuNode& item : main->children) {
        if (item.IsPopup()) {
            bar->addMenu(BuildMenu(item, bar));
            continue;
        }
        QAction* action = bar->addAction(QString::fromStdString(item.label));
        int id = item.commandId;
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { core_.HandleCommand(id); });
    }
}

// A mode's own bar (add game, the annotation page, annotation, modify moves...) stands in the
// standard menu bar too, so its commands are reachable with either bar.
static bool ReplacesMainMenus(shell::MenuBarKind kind) {
    return kind != shell::MenuBarKind::kMain;
}

void MainWindowWidget::BuildModeMenuBar(shell::MenuBarKind kind) {
    QMenuBar* bar = menuBar();
    ClearMenuBarLater(bar);
    for (const shell::MenuBarItem& item : shell::MenuBarItems(kind)) {
        if (!item.popup.empty()) {
            if (const shell::MenuNode* node = core_.Menus().Find(item.popup)) {
                QMenu* menu = BuildMenu(*node, bar);
                menu->setTitle(QString::fromUtf8(item.label.data(), static_cast<int>(item.label.size())));
                bar->addMenu(menu);
            }
            continue;
        }
        QAction* action =
            bar->addAction(QString::fromUtf8(item.label.data(), static_cast<int>(item.label.size())));
        int id = item.commandId;
        action->setData(id);
        connect(action, &QAction::triggered, this, [this, id] { core_.HandleCommand(id); });
    }
}

void MainWindowWidget::ShowMenuBarKind(bool own, shell::MenuBarKind kind) {
    const bool modeBar = !own && ReplacesMainMenus(kind);
    int wanted = own ? 1 : (modeBar ? 10 + static_cast<int>(kind) : 0);
    if (wanted == shownMenuBar_) {
        return;
    }
    shownMenuBar_ = wanted;
    if (modeBar) {
        if (keyFilterInstalled_) {
            qApp->removeEventFilter(this);
            keyFilterInstalled_ = false;
        }
        ownBar_->hide();
        BuildModeMenuBar(kind);
        menuBar()->show();
        return;
    }
    if (own) {
        ClearMenuBarLater(menuBar());
        menuBar()->hide();
        ownBar_->show();
        // The bar's keyboard handling sees every key of the application first.
        if (!keyFilterInstalled_) {
            qApp->installEventFilter(this);
            keyFilterInstalled_ = true;
        }
    } else {
        if (keyFilterInstalled_) {
            qApp->removeEventFilter(this);
            keyFilterInstalled_ = false;
        }
        ownBar_->hide();
        BuildStandardMenuBar();
        menuBar()->show();
    }
}

void MainWindowWidget::PerformBarAction(const shell::MenuBarAction& action) {
    using Kind = shell::MenuBarAction::Kind;
    ownBar_->update();
    if (action.kind == Kind::kIssueCommand) {
        core_.HandleCommand(action.commandId);
        return;
    }
    if (action.kind != Kind::kOpenPopup) {
        return;
    }
    const shell::MenuNode* node = core_.Menus().Find(action.popup);
    if (node == nullptr) {
        return;
    }
    if (barPopup_) {
        barPopup_->close();
        barPopup_->deleteLater();
    }
    barPopup_ = BuildMenu(*node, this);
    barPopup_->setAttribute(Qt::WA_DeleteOnClose);
    connect(barPopup_, &QMenu::aboutToHide, this, [this] {
        core_.MenuBar().Deactivate();
        ownBar_->update();
    });
    QRect item = ownBar_->ItemRect(action.itemIndex);
    barPopup_->popup(ownBar_->mapToGlobal(item.bottomLeft()));
}

bool MainWindowWidget::eventFilter(QObject* watched, QEvent* event) {
    if (event->type() != QEvent::KeyPress || shownMenuBar_ != 1 || !isActiveWindow()) {
        return QMainWindow::eventFilter(watched, event);
    }
    auto* key = static_cast<QKeyEvent*>(event);
    shell::OwnMenuBar& bar = core_.MenuBar();
    std::optional<shell::MenuBarKey> barKey;
    char character = 0;
    if (key->key() == Qt::Key_F10 || (key->key() == Qt::Key_Alt && key->modifiers() == Qt::AltModifier)) {
        barKey = shell::MenuBarKey::kActivate;
    } else if ((key->modifiers() & Qt::AltModifier) && !key->text().isEmpty() && key->text()[0].isLetter()) {
        barKey = shell::MenuBarKey::kCharacter;
        character = key->text()[0].toLatin1();
    } else if (bar.Active() && !barPopup_) {
        switch (key->key()) {
            case Qt::Key_Left:
                barKey = shell::MenuBarKey::kLeft;
                break;
            case Qt::Key_Right:
                barKey = shell::MenuBarKey::kRight;
                break;
            case Qt::Key_Return:
            case Qt::Key_Enter:
            case Qt::Key_Down:
                barKey = shell::MenuBarKey::kEnter;
                break;
            case Qt::Key_Escape:
                barKey = shell::MenuBarKey::kEscape;
                break;
            default:
                if (!key->text().isEmpty() && key->text()[0].isLetter()) {
                    barKey = shell::MenuBarKey::kCharacter;
                    character = key->text()[0].toLatin1();
                }
                break;
        }
    }
    if (!barKey) {
        return QMainWindow::eventFilter(watched, event);
    }
    PerformBarAction(bar.Key(*barKey, character));
    return true;
}

QMenu* MainWindowWidget::BuildContextMenu(bool clickOnBoard) {
    std::string_view name = core_.ContextMenu(clickOnBoard);
    const shell::MenuNode* node = name.empty() ? nullptr : core_.Menus().Find(name);
    if (node == nullptr) {
        return nullptr;
    }
    QMenu* menu = BuildMenu(*node, this);
    menu->setObjectName(QString::fromUtf8(name.data(), static_cast<int>(name.size())));
    return menu;
}

void MainWindowWidget::ShowContextMenu(QPoint globalPosition) {
    const QPoint local = status_->mapFromGlobal(globalPosition);
    QMenu* menu = BuildContextMenu(core_.Viewer().PointOnBoard(local.x(), local.y()));
    if (menu == nullptr) {
        return;
    }
    menu->setAttribute(Qt::WA_DeleteOnClose);
    menu->popup(globalPosition);
}

void MainWindowWidget::Refresh() {
    shell::WindowView view = core_.View();
    setWindowTitle(QString::fromStdString(view.caption));
    ShowMenuBarKind(view.ownMenuBar, view.menuBarKind);
    ownBar_->update();
    status_->SetView(view);
    SyncCheckMarks(menuBar());
    refreshing_ = true;
    scrollBar_->setRange(view.scrollMinimum, view.scrollMaximum);
    scrollBar_->setValue(view.scrollPosition);
    scrollBar_->setEnabled(view.scrollEnabled);
    refreshing_ = false;
    SyncActualText();
    if (engineWindow_ == nullptr && core_.Engine().WindowView().open) {
        engineWindow_ = new EngineWindow(core_, this);
    }
    if (engineWindow_ != nullptr) {
        engineWindow_->Sync();
    }
    if (core_.ExitRequested()) {
        close();
    }
}

void MainWindowWidget::SyncActualText() {
    shell::GameViewer& viewer = core_.Viewer();
    if (!viewer.ActualTextOpen()) {
        if (actualText_ != nullptr) {
            // Closed by the core: nothing to report back.
            QPlainTextEdit* window = actualText_;
            actualText_ = nullptr;
            disconnect(window, &QObject::destroyed, this, nullptr);
            window->close();
        }
        return;
    }
    if (actualText_ == nullptr) {
        actualText_ = new QPlainTextEdit(this);
        actualText_->setObjectName("actualTextWindow");
        actualText_->setWindowFlags(Qt::Tool);
        actualText_->setAttribute(Qt::WA_DeleteOnClose);
        actualText_->setReadOnly(true);
        actualText_->setWindowTitle(kActualTextTitle);
        actualText_->resize(kActualTextWidth, kActualTextHeight);
        // Closed by the user: the core closes it too, as "Show Normal Text" does.
        connect(actualText_, &QObject::destroyed, this, [this] {
            actualText_ = nullptr;
            if (core_.Viewer().ActualTextOpen()) {
                core_.HandleCommand(shell::kCmdShowNormalText);
            }
        });
    }
    QStringList lines;
    for (const std::string& row : viewer.ActualText().Rows()) {
        lines.append(QString::fromStdString(row));
    }
    const QString text = lines.join('\n');
    if (actualText_->toPlainText() != text) {
        actualText_->setPlainText(text);
    }
    actualText_->show();
}

void MainWindowWidget::SyncCheckMarks(QWidget* menu) {
    for (QAction* action : menu->actions()) {
        if (action->isCheckable()) {
            action->setChecked(core_.Menus().Checked(action->data().toInt()));
        }
        if (QMenu* submenu = action->menu()) {
            SyncCheckMarks(submenu);
        }
    }
}

void MainWindowWidget::ShowHelpPage(const std::string& path) {
    auto* browser = new QTextBrowser();
    browser->setAttribute(Qt::WA_DeleteOnClose);
    browser->setObjectName("main");
    browser->setWindowTitle("Ravelin Help");
    // "path#anchor" opens the page at a section.
    const QString text = QString::fromStdString(path);
    const qsizetype hash = text.lastIndexOf('#');
    QUrl url = QUrl::fromLocalFile(hash < 0 ? text : text.left(hash));
    if (hash >= 0) {
        url.setFragment(text.mid(hash + 1));
    }
    browser->setSource(url);
    browser->resize(600, 500);
    browser->move(geometry().right() + 1, geometry().top());
    browser->show();
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
    // Closed by the window's own button rather than "Exit": the same offer to print the list.
    if (!core_.ExitRequested() && core_.hooks.beforeExit) {
        core_.hooks.beforeExit();
    }
    // The worker is stopped and joined before the window goes, so no file is left half-written.
    core_.PrepareToClose();
    event->accept();
}

}  // namespace ravelin::gui
