// The forms of the colour dialogs, "Select Line" and the game writing dialogs, and the zoom
// gestures of the game view.

#include <QApplication>
#include <QCheckBox>
#include <QKeyEvent>
#include <QLineEdit>
#include <QListWidget>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QTimer>
#include <QWheelEvent>

#include <functional>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "gui/add_game_dialog_widgets.h"
#include "gui/colour_dialog_widgets.h"
#include "gui/game_view_widget.h"
#include "gui/modify_text_dialog_widget.h"
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

// The writing forms run modally, as the program runs them: the user acts on the form once it shows.
// A form the user left open is closed, so a failed step cannot hang the test.
TEST(DesktopWritingForms, ShowTheDialogsDataAndWriteTheEditsBackOnOk) {
    App();
    std::array<std::string, gamefile::kEnteredTagCount> values{};
    values[gamefile::kTagEvent] = "Club match";
    values[gamefile::kTagResult] = "*";
    shell::EnteredHeaderDialog header(values);
    shell::PromotionDialog promotion;
    shell::AddGameTextDialog typed;
    typed.text = "[Event \"A\"]\r\n\r\n1.e4 *";
    typed.currentMoves = "1.d4 d5 *";
    shell::ModifyTextDialog modify("[Event \"A\"]\r\n\r\n1.e4 e5 *\r\n");
    shell::ModifyTextDialog tooBig(std::string(shell::kEditableTextSize + 1, 'x'));

    const auto text = [](QWidget& form) { return form.findChild<QPlainTextEdit*>(); };
    struct Case {
        const char* title;
        std::function<bool()> run;
        std::function<void(QWidget& form)> user;  // checks what the form shows, edits, closes it
        bool accepted;
        std::function<void()> writtenBack;
    };
    const Case cases[] = {
        {shell::kEnteredHeaderTitle, [&] { return RunEnteredHeaderDialog(header, nullptr); },
         [](QWidget& form) {
             const auto edits = form.findChildren<QLineEdit*>();
             ASSERT_EQ(edits.size(), gamefile::kEnteredTagCount);
             EXPECT_EQ(edits[gamefile::kTagEvent]->text(), "Club match");
             EXPECT_EQ(edits[gamefile::kTagResult]->text(), "*");
             edits[gamefile::kTagWhite]->setText("Morrow, J");
             edits[gamefile::kTagResult]->setText("1-0");
             Button(form, "OK")->click();
         },
         true,
         [&] {
             EXPECT_EQ(header.values[gamefile::kTagEvent], "Club match");
             EXPECT_EQ(header.values[gamefile::kTagWhite], "Morrow, J");
             EXPECT_EQ(header.values[gamefile::kTagResult], "1-0");
         }},
        {shell::kPromotionTitle, [&] { return RunPromotionDialog(promotion, nullptr); },
         [](QWidget& form) { Button(form, "Knight")->click(); }, true,
         [&] { EXPECT_EQ(promotion.piece, 'N'); }},
        // Copy Moves keeps the form open on the typed header with the current game's moves; a save
        // closes it with the text as the user left it, in CR LF.
        {shell::kAddGameTextTitle, [&] { return RunAddGameTextDialog(typed, nullptr); },
         [&](QWidget& form) {
             EXPECT_EQ(text(form)->toPlainText(), "[Event \"A\"]\n\n1.e4 *");
             text(form)->setPlainText("[Event \"B\"]\n\n1.e4 *");
             Button(form, "Copy Moves")->click();
             EXPECT_EQ(text(form)->toPlainText(), "[Event \"B\"]\n\n1.d4 d5 *");
             text(form)->appendPlainText("{typed}");
             Button(form, "Append Game")->click();
         },
         true,
         [&] {
             EXPECT_EQ(typed.text, "[Event \"B\"]\r\n\r\n1.d4 d5 *\r\n{typed}");
             EXPECT_EQ(typed.closedWith, shell::AddTextAction::kAppend);
         }},
        {shell::kModifyTextTitle, [&] { return RunModifyTextDialog(modify, nullptr); },
         [&](QWidget& form) {
             EXPECT_EQ(text(form)->toPlainText(), "[Event \"A\"]\n\n1.e4 e5 *\n");
             EXPECT_FALSE(text(form)->isReadOnly());
             text(form)->setPlainText("[Event \"A\"]\n\n1.e4 c5 *\n");
             form.findChild<QCheckBox*>()->setChecked(true);
             Button(form, "Save")->click();
         },
         true,
         [&] {
             EXPECT_EQ(modify.text, "[Event \"A\"]\r\n\r\n1.e4 c5 *\r\n");
             EXPECT_TRUE(modify.join);
         }},
        // A game larger than the editor holds is only shown: no Adjust, no Save.
        {shell::kModifyTextTitle, [&] { return RunModifyTextDialog(tooBig, nullptr); },
         [&](QWidget& form) {
             EXPECT_TRUE(text(form)->isReadOnly());
             EXPECT_FALSE(Button(form, "Save")->isEnabled());
             EXPECT_FALSE(Button(form, "Adjust")->isEnabled());
             Button(form, "Close")->click();
         },
         false, [&] { EXPECT_EQ(tooBig.text.size(), shell::kEditableTextSize + 1); }},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.title);
        QTimer::singleShot(0, [&c] {
            QWidget* form = QApplication::activeModalWidget();
            ASSERT_NE(form, nullptr);
            EXPECT_EQ(form->windowTitle(), c.title);
            c.user(*form);
            if (auto* open = qobject_cast<QDialog*>(QApplication::activeModalWidget())) {
                open->reject();
            }
        });
        EXPECT_EQ(c.run(), c.accepted);
        c.writtenBack();
    }
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
