#include "gui/qt_platform.h"
#include "gui/add_game_dialog_widgets.h"
#include "gui/annotation_dialog_widgets.h"
#include "gui/modify_text_dialog_widget.h"
#include "gui/paste_games_dialog_widget.h"
#include "gui/report_dialog_widgets.h"

#include <QApplication>
#include <QClipboard>
#include <QFileDialog>
#include <QGuiApplication>
#include <QMessageBox>
#include <QMetaObject>
#include <QPushButton>
#include <QScreen>
#include <cstdio>

#include "gui/colour_dialog_widgets.h"
#include "gui/database_search_dialog_widget.h"
#include "gui/duplicate_settings_dialog_widget.h"
#include "gui/engine_dialog_widgets.h"
#include "gui/game_list_dialog_widget.h"
#include "gui/go_to_move_dialog_widget.h"
#include "gui/html_dialog_widgets.h"
#include "gui/options_dialog_widget.h"
#include "gui/search_dialog_widgets.h"
#include "gui/select_file_dialog_widget.h"
#include "gui/select_line_dialog_widget.h"
#include "gui/select_opening_dialog_widget.h"
#include "gui/tree_dialog_widgets.h"
#include "gui/win_statistics_dialog_widget.h"
#include "shell/dialogs/options_dialog.h"
#include "shell/dialogs/select_opening_dialog.h"

namespace ravelin::gui {

QtPlatform::QtPlatform()
    : listWindows_([this] { return parent_; }, [this](int command) { PostCommand(command); }) {}
QtPlatform::~QtPlatform() = default;

platform::Platform QtPlatform::AsPlatform() {
    platform::Platform platform;
    platform.messages = this;
    platform.files = this;
    platform.dialogs = this;
    platform.commands = this;
    platform.clipboard = this;
    platform.progress = &progress_;
    platform.listWindows = &listWindows_;
    platform.processes = &processes_;
    platform.printer = &printer_;
    printer_.nonInteractive = nonInteractive;
    if (QScreen* screen = QGuiApplication::primaryScreen()) {
        platform.screen.width = screen->geometry().width();
        platform.screen.height = screen->geometry().height();
        platform.screen.dpiX = screen->logicalDotsPerInchX();
        platform.screen.dpiY = screen->logicalDotsPerInchY();
    }
    return platform;
}

void QtPlatform::ShowMessageBox(const platform::MessageBoxRequest& request) {
    if (nonInteractive) {
        std::fprintf(stderr, "%s\n", request.text.c_str());
        nonInteractiveMessages.push_back(request.text);
        return;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::Ok, parent_);
    box.setObjectName(QString::fromStdString(request.templateName));
    box.exec();
}

int QtPlatform::AskQuestionBox(const platform::MessageBoxRequest& request) {
    if (nonInteractive) {
        std::fprintf(stderr, "%s (answered No)\n", request.text.c_str());
        nonInteractiveMessages.push_back(request.text);
        return platform::kAnswerNo;
    }
    QMessageBox box(QMessageBox::NoIcon, QString::fromStdString(request.caption),
                    QString::fromStdString(request.text), QMessageBox::NoButton, parent_);
    box.setObjectName(QString::fromStdString(request.templateName));
    QPushButton* yes = box.addButton("YES", QMessageBox::YesRole);
    box.addButton("NO", QMessageBox::NoRole);
    box.exec();
    return box.clickedButton() == yes ? platform::kAnswerYes : platform::kAnswerNo;
}

std::optional<std::string> QtPlatform::ChooseFile(const platform::FileDialogRequest& request) {
    if (nonInteractive) {
        return std::nullopt;
    }
    QString title = QString::fromStdString(request.title);
    QString start = QString::fromStdString(request.initialDirectory);
    if (!request.fileName.empty()) {
        start += "/" + QString::fromStdString(request.fileName);
    }
    QString filter = QString::fromStdString(request.filter) + ";;*";
    QString chosen = request.saveDialog ? QFileDialog::getSaveFileName(parent_, title, start, filter, nullptr,
                                                                       QFileDialog::DontConfirmOverwrite)
                                        : QFileDialog::getOpenFileName(parent_, title, start, filter);
    if (chosen.isEmpty()) {
        return std::nullopt;
    }
    return chosen.toStdString();
}

bool QtPlatform::RunDialog(platform::Dialog& dialog) {
    if (nonInteractive) {
        return false;
    }
    if (auto* options = dynamic_cast<shell::OptionsDialog*>(&dialog)) {
        OptionsDialogWidget form(*options, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* header = dynamic_cast<shell::HeaderSearchDialog*>(&dialog)) {
        HeaderSearchDialogWidget form(*header, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* counts = dynamic_cast<shell::PiecesRemainingDialog*>(&dialog)) {
        PiecesRemainingDialogWidget form(*counts, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* header = dynamic_cast<shell::EnteredHeaderDialog*>(&dialog)) {
        return RunEnteredHeaderDialog(*header, parent_);
    }
    if (auto* promotion = dynamic_cast<shell::PromotionDialog*>(&dialog)) {
        return RunPromotionDialog(*promotion, parent_);
    }
    if (auto* modifyText = dynamic_cast<shell::ModifyTextDialog*>(&dialog)) {
        return RunModifyTextDialog(*modifyText, parent_);
    }
    if (auto* html = dynamic_cast<shell::HtmlTextDialog*>(&dialog)) {
        return RunHtmlTextDialog(*html, parent_);
    }
    if (auto* title = dynamic_cast<shell::HtmlTitleDialog*>(&dialog)) {
        return RunHtmlTitleDialog(*title, parent_);
    }
    if (auto* comment = dynamic_cast<shell::HtmlCommentDialog*>(&dialog)) {
        return RunHtmlCommentDialog(*comment, parent_);
    }
    if (auto* paste = dynamic_cast<shell::PasteGamesDialog*>(&dialog)) {
        return RunPasteGamesDialog(*paste, parent_);
    }
    if (auto* addText = dynamic_cast<shell::AddGameTextDialog*>(&dialog)) {
        return RunAddGameTextDialog(*addText, parent_);
    }
    if (auto* databaseSearch = dynamic_cast<shell::DatabaseSearchDialog*>(&dialog)) {
        DatabaseSearchDialogWidget form(*databaseSearch, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* duplicates = dynamic_cast<shell::DuplicateSettingsDialog*>(&dialog)) {
        DuplicateSettingsDialogWidget form(*duplicates, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* gameInfo = dynamic_cast<shell::CraftyGameInfoDialog*>(&dialog)) {
        return RunCraftyGameInfoDialog(*gameInfo, parent_);
    }
    if (auto* positionInfo = dynamic_cast<shell::CraftyPositionInfoDialog*>(&dialog)) {
        return RunCraftyPositionInfoDialog(*positionInfo, parent_);
    }
    if (auto* goToMove = dynamic_cast<shell::GoToMoveDialog*>(&dialog)) {
        GoToMoveDialogWidget form(*goToMove, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* moveNumber = dynamic_cast<shell::MoveNumberDialog*>(&dialog)) {
        MoveNumberDialogWidget form(*moveNumber, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* selectOpening = dynamic_cast<shell::SelectOpeningDialog*>(&dialog)) {
        SelectOpeningDialogWidget form(*selectOpening, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* select = dynamic_cast<shell::SelectFileDialog*>(&dialog)) {
        SelectFileDialogWidget form(*select, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* chooser = dynamic_cast<shell::ColourChooserDialog*>(&dialog)) {
        ColourChooserWidget form(*chooser, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* presets = dynamic_cast<shell::PresetsDialog*>(&dialog)) {
        PresetsDialogWidget form(*presets, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* line = dynamic_cast<shell::SelectLineDialog*>(&dialog)) {
        SelectLineDialogWidget form(*line, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* list = dynamic_cast<shell::GameListDialog*>(&dialog)) {
        GameListDialogWidget form(*list, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* treeSettings = dynamic_cast<shell::TreeSettingsDialog*>(&dialog)) {
        return RunTreeSettingsDialog(*treeSettings, parent_);
    }
    if (auto* ecoName = dynamic_cast<shell::Addeconamebox*>(&dialog)) {
        return RunEcoNameDialog(*ecoName, parent_);
    }
    if (auto* lookAhead = dynamic_cast<shell::LookAheadDialog*>(&dialog)) {
        return RunLookAheadDialog(*lookAhead, parent_);
    }
    if (auto* report = dynamic_cast<shell::ReportListDialog*>(&dialog)) {
        ReportListDialogWidget form(*report, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* text = dynamic_cast<shell::ReportTextDialog*>(&dialog)) {
        ReportTextDialogWidget form(*text, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* players = dynamic_cast<shell::SelectPlayerDialog*>(&dialog)) {
        SelectPlayerDialogWidget form(*players, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* statistics = dynamic_cast<shell::WinStatisticsDialog*>(&dialog)) {
        WinStatisticsDialogWidget form(*statistics, parent_);
        return form.exec() == QDialog::Accepted;
    }
    if (auto* text = dynamic_cast<shell::AnnotationTextDialog*>(&dialog)) {
        return RunAnnotationTextDialog(*text, parent_);
    }
    if (auto* nags = dynamic_cast<shell::MoveAnnotationDialog*>(&dialog)) {
        return RunMoveAnnotationDialog(*nags, parent_);
    }
    if (auto* annotator = dynamic_cast<shell::AnnotatorDialog*>(&dialog)) {
        return RunAnnotatorDialog(*annotator, parent_);
    }
    if (auto* yahoo = dynamic_cast<shell::YahooDialog*>(&dialog)) {
        return RunYahooDialog(*yahoo, parent_);
    }
    // Each dialog kind gets its own form with the program's dialogs; one without a form cannot be
    // filled in here, so it counts as cancelled after saying so.
    QMessageBox::information(parent_, QString::fromStdString(dialog.Title()),
                             "This dialog is not available in this version yet.");
    return false;
}

void QtPlatform::PostCommand(int commandId) {
    {
        std::lock_guard lock(pendingMutex_);
        ++pendingCommands_[commandId];
    }
    QMetaObject::invokeMethod(
        this,
        [this, commandId] {
            {
                std::lock_guard lock(pendingMutex_);
                if (--pendingCommands_[commandId] == 0) {
                    pendingCommands_.erase(commandId);
                }
            }
            if (commandHandler) {
                commandHandler(commandId);
            }
        },
        Qt::QueuedConnection);
}

std::size_t QtPlatform::PendingCommandCount() const {
    std::lock_guard lock(pendingMutex_);
    std::size_t count = 0;
    for (const auto& [id, waiting] : pendingCommands_) {
        count += static_cast<std::size_t>(waiting);
    }
    return count;
}

bool QtPlatform::IsCommandPending(int commandId) const {
    std::lock_guard lock(pendingMutex_);
    return pendingCommands_.count(commandId) != 0;
}

void QtPlatform::StartTimer(int timerId, int intervalMs) {
    auto& timer = timers_[timerId];
    if (!timer) {
        timer = std::make_unique<QTimer>();
        QObject::connect(timer.get(), &QTimer::timeout, this, [this, timerId] {
            if (timerHandler) {
                timerHandler(timerId);
            }
        });
    }
    timer->start(intervalMs);
}

void QtPlatform::KillTimer(int timerId) {
    timers_.erase(timerId);
}

void QtPlatform::PostToWindowThread(std::function<void()> call) {
    QMetaObject::invokeMethod(this, std::move(call), Qt::QueuedConnection);
}

std::string QtPlatform::GetText() {
    return QGuiApplication::clipboard()->text().toStdString();
}

void QtPlatform::SetText(const std::string& text) {
    QGuiApplication::clipboard()->setText(QString::fromStdString(text));
}

}  // namespace ravelin::gui
