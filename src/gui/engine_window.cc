#include "gui/engine_window.h"

#include <QFontDatabase>
#include <QHBoxLayout>
#include <QPushButton>
#include <QVBoxLayout>

#include "gui/dialog_support.h"
#include "shell/commands/engine_commands.h"
#include "shell/main_window.h"

namespace ravelin::gui {

namespace {

constexpr int kWidth = 600;
constexpr int kHeight = 300;
constexpr int kCommandLength = 79;

}  // namespace

EngineWindow::EngineWindow(shell::MainWindow& core, QWidget* parent) : QWidget(parent), core_(core) {
    setWindowFlags(Qt::Tool);
    setObjectName("engineWindow");
    setWindowTitle(shell::kEngineWindowTitle);
    auto* layout = new QVBoxLayout(this);
    output_ = new QListWidget(this);
    layout->addWidget(output_);
    auto* row = new QHBoxLayout();
    command_ = new QLineEdit(this);
    command_->setMaxLength(kCommandLength);
    command_->setPlaceholderText("Command");
    auto* ok = new QPushButton("OK", this);
    auto* exit = new QPushButton("Exit", this);
    row->addWidget(command_);
    row->addWidget(ok);
    row->addWidget(exit);
    layout->addLayout(row);
    connect(ok, &QPushButton::clicked, this, [this] { Ok(); });
    connect(command_, &QLineEdit::returnPressed, this, [this] { Ok(); });
    connect(exit, &QPushButton::clicked, this, [this] { core_.Engine().WindowExit(); });
    resize(kWidth, kHeight);
}

void EngineWindow::Ok() {
    const std::string text = command_->text().toStdString();
    command_->clear();
    core_.Engine().TypedCommand(text);
    Sync();
    if (core_.onChanged) {
        core_.onChanged();
    }
}

void EngineWindow::Sync() {
    const shell::EngineWindowView& view = core_.Engine().WindowView();
    if (!view.open) {
        hide();
        placed_ = false;
        return;
    }
    output_->setFont(view.fixedFont ? QFontDatabase::systemFont(QFontDatabase::FixedFont) : QFont());
    if (output_->count() != static_cast<int>(view.lines.size()) ||
        (output_->count() > 0 &&
         output_->item(output_->count() - 1)->text() != ToQString(view.lines.back()))) {
        output_->clear();
        for (const std::string& line : view.lines) {
            output_->addItem(ToQString(line));
        }
        output_->scrollToBottom();
    }
    if (!placed_ && parentWidget() != nullptr) {
        // Beside the board: at the main window's right edge.
        const QRect frame = parentWidget()->frameGeometry();
        move(frame.right() + 4, frame.top());
        placed_ = true;
    }
    show();
}

}  // namespace ravelin::gui
