#include "platform/qt/main_window_widget.h"

#include <QAction>
#include <QCloseEvent>
#include <QFile>
#include <QHBoxLayout>
#include <QMenuBar>
#include <QPainter>
#include <QTextBrowser>
#include <QUrl>

#include "shell/command_ids.h"

namespace ravelin::platform {

namespace {

// Pixel positions of the status lines in the text area.
constexpr int kStatusLeft = 10;
constexpr int kFileLineTop = 10;
constexpr int kGameLineTop = 34;
constexpr int kStatusFontPixels = 16;

struct MenuItem {
    const char* path;  // submenus separated by "|"
    int commandId;
};

// The menu items that work in this version; the others join as their commands are built.
constexpr MenuItem kMenuItems[] = {
    {"File|Open File", shell::kCmdOpenFile},
    {"File|Previous File", shell::kCmdPreviousFile},
    {"File|Utilities|File Utilities|Reload File", shell::kCmdReloadFile},
    {"File|Show Version", shell::kCmdShowVersion},
    {"File|Exit", shell::kCmdExit},
    {"Help|Help", shell::kCmdHelp},
};

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

MainWindowWidget::MainWindowWidget(shell::MainWindow& core, QWidget* parent) : QMainWindow(parent), core_(core) {
    auto* central = new QWidget(this);
    auto* layout = new QHBoxLayout(central);
    layout->setContentsMargins(0, 0, 0, 0);
    layout->setSpacing(0);
    status_ = new StatusView(central);
    scrollBar_ = new QScrollBar(Qt::Vertical, central);
    scrollBar_->setObjectName("gameScrollBar");
    layout->addWidget(status_, 1);
    layout->addWidget(scrollBar_);
    setCentralWidget(central);
    BuildMenus();

    connect(scrollBar_, &QScrollBar::valueChanged, this, [this](int value) {
        if (!refreshing_) {
            core_.ScrollToGame(value);
        }
    });
    core_.onChanged = [this] { Refresh(); };
    core_.onShowHelp = [this](const std::string& path) { ShowHelpPage(path); };

    shell::WindowRect rect = core_.InitialWindowRect();
    setGeometry(rect.x, rect.y, rect.width, rect.height);
    Refresh();
}

void MainWindowWidget::BuildMenus() {
    for (const MenuItem& item : kMenuItems) {
        QStringList parts = QString(item.path).split('|');
        QString label = parts.takeLast();
        QMenu* menu = nullptr;
        for (const QString& part : parts) {
            QMenu* next = nullptr;
            const auto actions = menu ? menu->actions() : menuBar()->actions();
            for (QAction* action : actions) {
                if (action->menu() && action->text() == part) {
                    next = action->menu();
                }
            }
            if (!next) {
                next = menu ? menu->addMenu(part) : menuBar()->addMenu(part);
            }
            menu = next;
        }
        QAction* action = menu->addAction(label);
        int id = item.commandId;
        connect(action, &QAction::triggered, this, [this, id] { core_.HandleCommand(id); });
    }
}

void MainWindowWidget::Refresh() {
    shell::WindowView view = core_.View();
    setWindowTitle(QString::fromStdString(view.caption));
    status_->SetView(view);
    refreshing_ = true;
    scrollBar_->setRange(view.scrollMinimum, view.scrollMaximum);
    scrollBar_->setValue(view.scrollPosition);
    scrollBar_->setEnabled(view.scrollEnabled);
    refreshing_ = false;
    if (core_.ExitRequested()) {
        close();
    }
}

void MainWindowWidget::ShowHelpPage(const std::string& path) {
    auto* browser = new QTextBrowser();
    browser->setAttribute(Qt::WA_DeleteOnClose);
    browser->setObjectName("main");
    browser->setWindowTitle("Ravelin Help");
    browser->setSource(QUrl::fromLocalFile(QString::fromStdString(path)));
    browser->resize(600, 500);
    browser->move(geometry().right() + 1, geometry().top());
    browser->show();
}

void MainWindowWidget::closeEvent(QCloseEvent* event) {
    core_.SaveSettings();
    event->accept();
}

}  // namespace ravelin::platform
