// The forms of the colour dialogs and "Select Line", and the zoom gestures of the game view.

#include <QApplication>
#include <QKeyEvent>
#include <QListWidget>
#include <QPushButton>
#include <QWheelEvent>

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/colour_dialog_widgets.h"
#include "gui/game_view_widget.h"
#include "gui/qt_platform.h"
#include "gui/select_line_dialog_widget.h"
#include "shell/main_window.h"
#include "temp_dir.h"

namespace ravelin::gui {
namespace {

using settings::Rgb;

// The one application object of the test program, made by whichever test needs it first.
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

QPushButton* Button(QWidget& form, const QString& label) {
    for (QPushButton* button : form.findChildren<QPushButton*>()) {
        if (button->text().remove('&') == label) {
            return button;
        }
    }
    return nullptr;
}

TEST(DesktopColours, ChooserOpensOnTheItemsColourAndReturnsTheChosenOne) {
    App();
    shell::ColourChooserDialog data;
    data.item = 1;
    data.colour = Rgb(10, 20, 30);
    data.customColours.fill(Rgb(255, 255, 255));
    data.customColours[0] = Rgb(162, 189, 217);
    ColourChooserWidget form(data);
    EXPECT_EQ(form.windowTitle(), "Color");
    EXPECT_EQ(form.currentColor(), QColor(10, 20, 30));
    EXPECT_EQ(QColorDialog::customColor(0), QColor(162, 189, 217));
    form.setCurrentColor(QColor(1, 2, 3));
    form.accept();
    EXPECT_EQ(data.colour, Rgb(1, 2, 3));
}

TEST(DesktopColours, PresetsFormSavesAndChoosesTheCheckedPreset) {
    App();
    shell::PresetsDialog data;
    data.checkedPreset = 6;
    std::vector<int> saved;
    data.onSave = [&saved](int preset) { saved.push_back(preset); };
    PresetsDialogWidget form(data);
    EXPECT_EQ(form.windowTitle(), "Select Preset Color Scheme");
    EXPECT_TRUE(form.Preset(6)->isChecked());
    form.Preset(2)->click();
    Button(form, "Save")->click();
    EXPECT_EQ(saved, std::vector<int>{2});
    EXPECT_NE(form.result(), QDialog::Accepted);
    form.Preset(4)->click();
    Button(form, "OK")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.checkedPreset, 4);
}

TEST(DesktopLines, SelectLineFormKeepsOkWithoutALine) {
    App();
    shell::SelectLineDialog data;
    data.lines = {"2...Nf6 3.Nc3", "2...d6"};
    data.selected = -1;
    SelectLineDialogWidget form(data);
    std::vector<std::string> shown;
    form.showMessage = [&shown](const std::string& text) { shown.push_back(text); };
    ASSERT_EQ(form.List()->count(), 2);
    form.Ok();
    EXPECT_EQ(shown, std::vector<std::string>{"Select a line first."});
    EXPECT_NE(form.result(), QDialog::Accepted);
    form.List()->setCurrentRow(1);
    form.Ok();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.selected, 1);
}

TEST(DesktopGameView, ZoomGesturesPointToTheBoardSizeOption) {
    App();
    testing::TempDir work;
    QtPlatform platform;
    platform.nonInteractive = true;
    shell::MainWindow core(platform.AsPlatform(), platform::WorkingPaths(work.Path().string()));
    GameViewWidget view(core);
    QKeyEvent zoomIn(QEvent::KeyPress, Qt::Key_Plus, Qt::ControlModifier, "+");
    QApplication::sendEvent(&view, &zoomIn);
    QWheelEvent wheel(QPointF(10, 10), QPointF(10, 10), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::ControlModifier, Qt::NoScrollPhase, false);
    QApplication::sendEvent(&view, &wheel);
    EXPECT_EQ(platform.nonInteractiveMessages,
              (std::vector<std::string>{shell::kLargerBoardMessage, shell::kSmallerBoardMessage}));
}

}  // namespace
}  // namespace ravelin::gui
