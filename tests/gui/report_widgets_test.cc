// The list form of the game list and the reports: 200,000 rows are made only as they are drawn.

#include <QApplication>
#include <QLineEdit>
#include <QListView>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/qt_platform.h"
#include "gui/report_dialog_widgets.h"

namespace ravelin::gui {
namespace {

QApplication& ReportApp() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    static int argc = 1;
    static char name[] = "gui_test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

TEST(DesktopReportList, AListOf200000GamesFormatsOnlyTheRowsItShows) {
    ReportApp();
    int formatted = 0;
    shell::ReportListDialog data;
    data.title = shell::kSelectGameTitle;
    data.rowCount = 200000;
    data.rowText = [&formatted](int row) {
        ++formatted;
        return "game " + std::to_string(row + 1);
    };
    data.buttons = {{"OK", false}, {"Select", true}};
    data.needRowMessage = "Click on a player first.";
    ReportListDialogWidget form(data);
    std::vector<std::string> shown;
    form.showMessage = [&shown](const std::string& text) { shown.push_back(text); };
    form.show();
    QApplication::processEvents();
    EXPECT_EQ(form.List()->model()->rowCount(), 200000);
    EXPECT_GT(formatted, 0);
    EXPECT_LT(formatted, 2000);

    form.Press(1);
    EXPECT_EQ(shown, std::vector<std::string>{"Click on a player first."});
    EXPECT_NE(form.result(), QDialog::Accepted);

    form.List()->setCurrentIndex(form.List()->model()->index(149999, 0));
    QApplication::processEvents();
    EXPECT_EQ(form.List()->model()->data(form.List()->currentIndex(), Qt::DisplayRole).toString(),
              "game 150000");
    form.Press(1);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.selectedRow, 149999);
    EXPECT_EQ(data.chosenButton, 1);
    EXPECT_LT(formatted, 4000);
}

QPushButton* ButtonOf(QWidget& form, const QString& label) {
    for (QPushButton* button : form.findChildren<QPushButton*>()) {
        if (button->text().remove('&') == label) {
            return button;
        }
    }
    return nullptr;
}

// The platform opens each report form modally for its data; the user acts once the form shows.
TEST(DesktopReportList, ThePlatformOpensTheFormOfEachReportDialog) {
    ReportApp();
    QtPlatform qt;
    const auto user = [](const char* title, std::function<void(QWidget&)> act) {
        QTimer::singleShot(0, [title, act] {
            QWidget* form = QApplication::activeModalWidget();
            ASSERT_NE(form, nullptr);
            EXPECT_EQ(form->windowTitle(), title);
            act(*form);
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                open->reject();
            }
        });
    };

    shell::ReportListDialog list;
    list.title = shell::kSelectGameTitle;
    list.rowCount = 5;
    list.rowText = [](int row) { return std::to_string(row + 1); };
    list.buttons = {{"OK", false}, {"Alt Info", false}};
    user(shell::kSelectGameTitle, [](QWidget& form) {
        auto* view = form.findChild<QListView*>();
        view->setCurrentIndex(view->model()->index(2, 0));
        ButtonOf(form, "Alt Info")->click();
    });
    EXPECT_TRUE(qt.RunDialog(list));
    EXPECT_EQ(list.selectedRow, 2);
    EXPECT_EQ(list.chosenButton, 1);

    shell::ReportTextDialog cross(shell::kCrossTableTitle, "  1. A\n  2. B\n");
    user(shell::kCrossTableTitle, [](QWidget& form) {
        EXPECT_EQ(form.findChild<QPlainTextEdit*>()->toPlainText(), "  1. A\n  2. B\n");
        ButtonOf(form, "OK")->click();
    });
    EXPECT_TRUE(qt.RunDialog(cross));

    shell::SelectPlayerDialog players;
    players.players = {"Anand", "Carlsen"};
    players.white = "Kramnik";
    user(shell::kSelectPlayerTitle, [](QWidget& form) {
        form.findChild<QListWidget*>()->setCurrentRow(1);
        ButtonOf(form, "Opponents Either Color")->click();
        const auto edits = form.findChildren<QLineEdit*>();
        ASSERT_EQ(edits.size(), 2);
        EXPECT_EQ(edits[1]->text(), "*Carlsen");
        ButtonOf(form, "OK")->click();
    });
    EXPECT_TRUE(qt.RunDialog(players));
    EXPECT_EQ(players.white, "Kramnik");
    EXPECT_EQ(players.black, "*Carlsen");
}

}  // namespace
}  // namespace ravelin::gui
