// The list form of the game list and the reports: 200,000 rows are made only as they are drawn.

#include <QApplication>
#include <QListView>

#include <string>
#include <vector>

#include <gtest/gtest.h>

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

}  // namespace
}  // namespace ravelin::gui
