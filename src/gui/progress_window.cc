#include "gui/progress_window.h"

#include <QDialog>
#include <QEvent>
#include <QHBoxLayout>
#include <QLabel>
#include <QPainter>
#include <QPushButton>
#include <QVBoxLayout>
#include <QWindowStateChangeEvent>

namespace ravelin::gui {

namespace {

constexpr int kBarWidth = 216;
constexpr int kBarHeight = 16;
constexpr int kMargin = 10;
constexpr int kLineWidth = 320;
const QColor kBarColour(0, 0, 160);

}  // namespace

// The bar: a frame and a rectangle filled to the fraction last drawn.
class ProgressBarWidget : public QWidget {
  public:
    explicit ProgressBarWidget(QWidget* parent) : QWidget(parent) {
        setFixedSize(kBarWidth + 2, kBarHeight + 2);
    }
    void SetFraction(double fraction) {
        fraction_ = fraction;
        update();
    }

  protected:
    void paintEvent(QPaintEvent*) override {
        QPainter painter(this);
        painter.setPen(palette().color(QPalette::WindowText));
        painter.drawRect(0, 0, kBarWidth + 1, kBarHeight + 1);
        const int filled = static_cast<int>(fraction_ * kBarWidth);
        painter.fillRect(1, 1, filled, kBarHeight, kBarColour);
    }

  private:
    double fraction_ = 0;
};

QtProgressWindow::QtProgressWindow() = default;

QtProgressWindow::~QtProgressWindow() {
    Close();
}

void QtProgressWindow::SetMainWindow(QWidget* window) {
    if (mainWindow_) {
        mainWindow_->removeEventFilter(this);
    }
    mainWindow_ = window;
    if (window != nullptr) {
        window->installEventFilter(this);
    }
}

void QtProgressWindow::Open(const std::string& title, std::function<void()> onCancel) {
    Close();
    onCancel_ = std::move(onCancel);
    auto* dialog = new QDialog(mainWindow_);
    dialog->setAttribute(Qt::WA_DeleteOnClose);
    dialog->setModal(false);
    dialog->setWindowTitle(QString::fromStdString(title));
    auto* layout = new QVBoxLayout(dialog);
    layout->setContentsMargins(kMargin, kMargin, kMargin, kMargin);
    line_ = new QLabel(dialog);
    line_->setMinimumWidth(kLineWidth);
    layout->addWidget(line_);
    auto* row = new QHBoxLayout();
    bar_ = new ProgressBarWidget(dialog);
    row->addWidget(bar_);
    auto* cancel = new QPushButton(QStringLiteral("Cancel"), dialog);
    row->addWidget(cancel);
    layout->addLayout(row);
    // Cancel and the window's close button ask the operation; it decides whether the window goes.
    connect(cancel, &QPushButton::clicked, this, [this] {
        if (onCancel_) {
            std::function<void()> cancelCall = onCancel_;
            cancelCall();
        }
    });
    dialog->installEventFilter(this);
    if (mainWindow_) {
        dialog->move(mainWindow_->mapToGlobal(QPoint(kMargin, kMargin)));
    }
    dialog_ = dialog;
    dialog->show();
}

void QtProgressWindow::Show(const std::string& counterLine, double barFraction) {
    if (!dialog_) {
        return;
    }
    line_->setText(QString::fromStdString(counterLine));
    bar_->SetFraction(barFraction);
}

void QtProgressWindow::Close() {
    onCancel_ = nullptr;
    if (dialog_) {
        dialog_->removeEventFilter(this);
        dialog_->close();
        dialog_ = nullptr;
    }
    line_ = nullptr;
    bar_ = nullptr;
}

bool QtProgressWindow::IsOpen() const {
    return !dialog_.isNull();
}

bool QtProgressWindow::MainWindowMinimized() const {
    return mainWindow_ && mainWindow_->isMinimized();
}

bool QtProgressWindow::eventFilter(QObject* watched, QEvent* event) {
    if (watched == dialog_ && event->type() == QEvent::Close) {
        // The title bar's close button is the Cancel button.
        if (onCancel_) {
            std::function<void()> cancelCall = onCancel_;
            cancelCall();
        }
        if (dialog_) {
            event->ignore();
            return true;
        }
        return false;
    }
    if (watched == mainWindow_ && event->type() == QEvent::WindowStateChange) {
        const auto* change = static_cast<QWindowStateChangeEvent*>(event);
        const bool wasMinimized = (change->oldState() & Qt::WindowMinimized) != 0;
        if (wasMinimized && !mainWindow_->isMinimized() && restored_) {
            std::function<void()> restored = restored_;
            restored();
        }
    }
    return QObject::eventFilter(watched, event);
}

}  // namespace ravelin::gui
