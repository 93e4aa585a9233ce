#include "gui/qt_list_windows.h"

#include <gtest/gtest.h>
#include <QApplication>
#include <QDialog>
#include <QListWidget>

namespace ravelin::gui {
namespace {

QApplication& App() {
    if (auto* existing = qobject_cast<QApplication*>(QCoreApplication::instance())) {
        return *existing;
    }
    static int argc = 1;
    static char name[] = "gui_test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

// The tree window stays open beside the main window, shows the lines it is given (replacing the old
// ones) and hands a double-clicked row to the core.
TEST(DesktopListWindows, ShowReplaceAndDoubleClick) {
    App();
    QWidget main;
    QtListWindows windows([&main] { return &main; }, [](int) {});
    int activated = -1;
    windows.ShowListWindow("tree", {"Tree", {"1. e4", "1. d4"}, {{"Back One Level", 294}}},
                           [&activated](int row) { activated = row; });
    windows.ShowListWindow("tree", {"Tree", {"1...c5", "1...e5", "1...e6"}, {}},
                           [&activated](int row) { activated = row; });
    ASSERT_TRUE(windows.ListWindowOpen("tree"));
    QDialog* window = nullptr;
    for (QDialog* dialog : main.findChildren<QDialog*>()) {
        window = dialog->windowTitle() == "Tree" ? dialog : window;
    }
    ASSERT_NE(window, nullptr);
    EXPECT_FALSE(window->isModal());
    QListWidget* list = window->findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 3);
    EXPECT_EQ(list->item(1)->text(), "1...e5");
    Q_EMIT list->itemDoubleClicked(list->item(2));
    EXPECT_EQ(activated, 2);
    windows.CloseListWindow("tree");
    EXPECT_FALSE(windows.ListWindowOpen("tree"));
}

}  // namespace
}  // namespace ravelin::gui
