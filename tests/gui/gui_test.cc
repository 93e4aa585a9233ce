#include "display/board_geometry.h"
#include "shell/commands/game_viewer.h"

#include <QAction>
#include <QApplication>
#include <QCheckBox>
#include <QComboBox>
#include <QCoreApplication>
#include <QImage>
#include <QLabel>
#include <QLineEdit>
#include <QListWidget>
#include <QMenu>
#include <QMenuBar>
#include <QMouseEvent>
#include <QPlainTextEdit>
#include <QPushButton>
#include <QScrollBar>
#include <QSpinBox>
#include <QWheelEvent>
#include <algorithm>
#include <array>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "display/figurine_text.h"
#include "display/game_buttons.h"
#include "display/game_display.h"
#include "eco/eco_table.h"
#include "gui/engine_window.h"
#include "gui/game_view_widget.h"
#include "gui/go_to_move_dialog_widget.h"
#include "gui/main_window_widget.h"
#include "gui/options_dialog_widget.h"
#include "gui/qt_platform.h"
#include "gui/search_dialog_widgets.h"
#include "gui/select_file_dialog_widget.h"
#include "gui/select_opening_dialog_widget.h"
#include "gui/win_statistics_dialog_widget.h"
#include "settings/settings_startup.h"
#include "shell/command_ids.h"
#include "shell/commands/engine_commands.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/options_dialog.h"
#include "temp_dir.h"

namespace ravelin::gui {
namespace {

using testing::TempDir;
using testing::TestDataPath;

const std::string kThreeGames =
    "[Event \"One\"]\n[Result \"*\"]\n\n1.e4 *\n\n[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 *\n\n"
    "[Event \"Three\"]\n[Result \"*\"]\n\n1.c4 *\n";

// One application object for the whole test program. It is never destroyed: tearing Qt down
// among the other static objects at exit is not safe.
QApplication& Application() {
    static int argc = 1;
    static char name[] = "gui_test";
    static char* argv[] = {name, nullptr};
    static QApplication* application = new QApplication(argc, argv);
    return *application;
}

using Change = std::function<void(settings::SettingsRecord&)>;

// The options file of a first start on a 1280-pixel screen, moves shown without sliding, with the
// changes a test asks for.
bool WriteSettings(const TempDir& work, const Change& change) {
    settings::SettingsRecord settings;
    settings::StartupEnvironment environment;
    environment.workingDirectory = work.Path().string();
    environment.screenWidth = 1280;
    settings::ApplyFirstRunDefaults(settings, environment);
    settings.SetSlideDelay(0);
    change(settings);
    return settings::SaveSettingsFile(work.File("savinfo.opt"), settings);
}

QAction* FindAction(QWidget* menu, const QString& label) {
    for (QAction* action : menu->actions()) {
        if (action->text() == label) {
            return action;
        }
    }
    return nullptr;
}

QAction* FindPath(QWidget* menu, const QStringList& path) {
    QWidget* current = menu;
    QAction* action = nullptr;
    for (const QString& label : path) {
        action = current == nullptr ? nullptr : FindAction(current, label);
        if (action == nullptr) {
            return nullptr;
        }
        current = action->menu();
    }
    return action;
}

QPushButton* ButtonLabelled(QWidget& parent, const QString& label) {
    for (QPushButton* button : parent.findChildren<QPushButton*>()) {
        if (button->text().remove('&') == label) {
            return button;
        }
    }
    return nullptr;
}

bool ShowsLabel(QWidget& form, const std::string& text) {
    const QList<QLabel*> labels = form.findChildren<QLabel*>();
    return std::any_of(labels.begin(), labels.end(),
                       [&text](const QLabel* label) { return label->text().toStdString() == text; });
}

// A click of the left button at a point of a widget.
void ClickAt(QWidget* widget, QPoint point) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(point), widget->mapToGlobal(QPointF(point)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

void Wheel(QWidget* widget, QPointF at) {
    QWheelEvent wheel(at, widget->mapToGlobal(at), QPoint(), QPoint(0, -120), Qt::NoButton, Qt::NoModifier,
                      Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(widget, &wheel);
}

// The window over the core on a 1280x1024 screen with the options a test asks for, started with a
// file (text, or else a copy of tests/data/<file>: the window writes its index cache beside it) or
// none, and without a person at the screen: messages are recorded, dialogs cancelled.
struct Desktop {
    explicit Desktop(const Change& change, const std::string& file = "", const std::string& text = "")
        : settingsWritten(WriteSettings(work, change)),
          core(PlatformOf(qt), platform::WorkingPaths(work.Path().string())),
          workDir(work.Path().string()) {
        EXPECT_TRUE(settingsWritten);
        const std::string name = std::filesystem::path(file).filename().string();
        const std::string pgn = file.empty()   ? ""
                                : text.empty() ? files.Write(name, testing::ReadWholeFile(TestDataPath(file)))
                                               : files.Write(name, text);
        qt.commandHandler = [this](int id) { core.HandleCommand(id); };
        qt.timerHandler = [this](int id) { core.HandleTimer(id); };
        window = std::make_unique<MainWindowWidget>(core);
        qt.SetParentWindow(window.get());
        core.StartUp(pgn);
        settings::WindowRect rect = core.InitialWindowRect();
        window->setGeometry(rect.x, rect.y, rect.width, rect.height);
        window->show();
        for (int round = 0; round < 50 && !pgn.empty() && !core.File().IsOpen(); ++round) {
            QCoreApplication::processEvents();
        }
        Settle();
    }
    static platform::Platform PlatformOf(QtPlatform& platform) {
        Application();
        platform.nonInteractive = true;
        ravelin::platform::Platform services = platform.AsPlatform();
        // Wide enough for the large board on any test machine.
        services.screen.width = 1280;
        services.screen.height = 1024;
        return services;
    }
    void Settle() {
        for (int round = 0; round < 50 && qt.PendingCommandCount() > 0; ++round) {
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
    }
    QImage Grab() { return window->Status()->grab().toImage().convertToFormat(QImage::Format_RGB888); }
    QPoint SquareMiddle(const char* square) {
        display::BoardView view;
        view.squareSize = display::GameDisplayOptions::From(core.Settings(), workDir).squareSize;
        const display::PixelRect rect = display::SquareRect(view, square[0] - 'a' + 1, square[1] - '0');
        return QPoint(rect.x + rect.width / 2, rect.y + rect.height / 2);
    }

    TempDir work, files;
    bool settingsWritten;
    QtPlatform qt;
    shell::MainWindow core;
    std::string workDir;
    std::unique_ptr<MainWindowWidget> window;
};

// The program itself, started with a file on its command line, renders its window offscreen.
TEST(DesktopProgram, ScreenshotOfTheCommandLineFile) {
    TempDir work;
    TempDir files;
    std::string path = files.Write("games.pgn", kThreeGames);
    std::string picture = files.File("window.png");
    std::string command = std::string("QT_QPA_PLATFORM=offscreen ") + RAVELIN_GUI_BINARY + " --workdir " +
                          work.Path().string() + " --screenshot " + picture + " '" + path + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    EXPECT_GT(QImage(QString::fromStdString(picture)).width(), 100);
    // The options file now names the file that was opened.
    auto settings = settings::ReadSettingsFile(work.File("savinfo.opt"));
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->PgnFileName(), "games.pgn");
    EXPECT_EQ(settings->PgnDirectory(), files.Path().string());
}

// Every item of the window's menus carries the label and command id of the core's menu tree.
void ExpectMenusOfTheCore(QWidget* menu, const shell::MenuNode& node, int& items) {
    const QList<QAction*> actions = menu->actions();
    ASSERT_EQ(actions.size(), static_cast<qsizetype>(node.children.size())) << node.label;
    for (qsizetype i = 0; i < actions.size(); ++i) {
        const shell::MenuNode& child = node.children[static_cast<std::size_t>(i)];
        EXPECT_EQ(actions[i]->text().toStdString(), child.label);
        if (child.IsPopup()) {
            ASSERT_NE(actions[i]->menu(), nullptr) << child.label;
            ExpectMenusOfTheCore(actions[i]->menu(), child, items);
        } else {
            EXPECT_EQ(actions[i]->data().toInt(), child.commandId) << child.label;
            EXPECT_EQ(actions[i]->isCheckable(), child.checkable) << child.label;
            ++items;
        }
    }
}

TEST(DesktopMenus, StandardMenuBarOpensEveryMenuAndItsItemsIssueCommands) {
    Desktop session([](settings::SettingsRecord& options) { options.SetEnhancedMenu(false); });
    MainWindowWidget& window = *session.window;
    QMenuBar* bar = window.menuBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_FALSE(window.OwnBar()->isVisible());
    int items = 0;
    ExpectMenusOfTheCore(bar, *session.core.Menus().Find("MainMenu"), items);
    EXPECT_GT(items, 50);

    session.qt.nonInteractiveMessages.clear();
    FindAction(bar, "Next")->trigger();
    QMenu* file = FindAction(bar, "File")->menu();
    FindAction(file, "Show Version")->trigger();
    EXPECT_EQ(session.qt.nonInteractiveMessages,
              (std::vector<std::string>{"Must open a file.", "Version 4.0 updated 11-Nov-05"}));

    // Auto play from the game display's context menu, through its real action.
    session.core.displayMode = shell::kModeGame;
    std::unique_ptr<QMenu> context(window.BuildContextMenu());
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->objectName(), "GameMenu");
    FindAction(context.get(), "Auto Play")->trigger();
    EXPECT_TRUE(session.core.View().autoPlayOn);

    // A mode's own bar takes the place of the main menus: the annotation page's, and back.
    FindAction(file, "Annotation File")->trigger();
    QCoreApplication::processEvents();
    ASSERT_NE(FindAction(bar, "Title"), nullptr);
    QMenu* pageFile = FindAction(bar, "File")->menu();
    ASSERT_NE(pageFile, nullptr);
    FindAction(pageFile, "Exit")->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(FindAction(bar, "Title"), nullptr);
    file = FindAction(bar, "File")->menu();

    FindAction(file, "Exit")->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}

TEST(DesktopMenus, OwnMenuBarOpensItsPopups) {
    Desktop session([](settings::SettingsRecord& options) { options.SetEnhancedMenu(true); });
    MainWindowWidget& window = *session.window;
    ASSERT_TRUE(window.OwnBar()->isVisible());
    EXPECT_FALSE(window.menuBar()->isVisible());
    int popups = 0;
    const auto items = session.core.MenuBar().Items();
    for (std::size_t k = 0; k < items.size(); ++k) {
        if (!items[k].popup.empty()) {
            window.PerformBarAction(session.core.MenuBar().Click(static_cast<int>(k)));
            QCoreApplication::processEvents();
            ASSERT_NE(window.OpenBarPopup(), nullptr);
            popups += window.OpenBarPopup()->isVisible() ? 1 : 0;
            window.OpenBarPopup()->close();
        }
    }
    EXPECT_EQ(popups, 3);
}

TEST(DesktopSelectOpening, ListFollowsTheOrderAndOkChoosesTheSelectedLine) {
    Application();
    TempDir work;
    ASSERT_EQ(eco::InstallEcoTable(RAVELIN_SOURCE_DIR "/data/eco", work.Path().string()), "");
    eco::EcoTable table;
    ASSERT_TRUE(eco::LoadEcoTable(table, work.Path().string(), {}));
    const int entry = 1000;
    shell::SelectOpeningDialog data(table, chess::PieceLetters{}, eco::EcoSortOrder::kByEco, entry);
    SelectOpeningDialogWidget form(data);
    ASSERT_EQ(form.List()->count(), table.count);
    EXPECT_EQ(form.List()->currentRow(), data.selectedRow);
    ButtonLabelled(form, "Sort by Name")->click();
    EXPECT_EQ(data.List().order, eco::EcoSortOrder::kByName);
    EXPECT_EQ(data.ChosenEntry(), entry);
    EXPECT_EQ(form.List()->currentItem()->text().toStdString(),
              data.List().rows[static_cast<std::size_t>(data.selectedRow)]);
    form.List()->setCurrentRow(3);
    ButtonLabelled(form, "OK")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.selectedRow, 3);
    EXPECT_NE(data.ChosenEntry(), eco::kNoEcoEntry);
}

TEST(DesktopDirectorySearch, SelectFileAndWinStatisticsForms) {
    Application();
    shell::SelectFileDialog data;
    data.entries = {"Dortmund:3", "World_Matches:12"};
    data.totalLine = "Total games: 15";
    std::vector<int> statsAsked;
    data.onWinStats = [&statsAsked](int selected) { statsAsked.push_back(selected); };
    SelectFileDialogWidget form(data);
    auto* list = form.findChild<QListWidget*>();
    ASSERT_NE(list, nullptr);
    ASSERT_EQ(list->count(), 2);
    EXPECT_TRUE(ShowsLabel(form, "Total games: 15"));
    ButtonLabelled(form, "Win Stats")->click();
    list->setCurrentRow(1);
    ButtonLabelled(form, "Win Stats")->click();
    EXPECT_EQ(statsAsked, (std::vector<int>{-1, 1}));
    ButtonLabelled(form, "OK")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.selected, 1);

    search::WinCounts counts;
    counts.games = 10;
    counts.whiteWins = 4;
    counts.blackWins = 3;
    shell::WinStatisticsDialog statsData(counts);
    WinStatisticsDialogWidget stats(statsData);
    for (const std::string& line :
         {statsData.lines.gamesFound, statsData.lines.whiteWins, statsData.lines.draws}) {
        EXPECT_TRUE(ShowsLabel(stats, line)) << line;
    }
}

// The squares in the window's picture are the core's board image, pixel for pixel (texts may stand
// on the one-square border around them).
void ExpectBoardOfTheCore(Desktop& game) {
    const display::GameViewState state = game.core.Viewer().State();
    const display::RgbImage& board =
        state.boardImage != nullptr ? *state.boardImage : game.core.Viewer().Display().Screen().Image();
    const QImage core(board.bytes.data(), board.width, board.height, board.width * display::kBytesPerPixel,
                      QImage::Format_RGB888);
    const QRect squares(board.width / 10, board.height / 10, board.width * 8 / 10, board.height * 8 / 10);
    EXPECT_EQ(game.Grab().copy(squares.translated(state.boardX, state.boardY)), core.copy(squares));
}

// "Show Actual Text" opens the record of the game beside it; closing that window by hand tells the
// core, which then offers the plain game menu again.
TEST(DesktopGameView, ShowActualTextOpensTheRecordInAToolWindow) {
    Desktop game([](settings::SettingsRecord&) {}, "pgn/anastasian-lewis.pgn");
    ASSERT_EQ(game.core.displayMode, shell::kModeGame);
    EXPECT_EQ(game.window->ActualTextWindow(), nullptr);
    game.core.HandleCommand(shell::kCmdShowActualText);
    game.Settle();
    QPlainTextEdit* shown = game.window->ActualTextWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(shown->toPlainText().startsWith("[Event "));
    EXPECT_EQ(game.core.ContextMenu(), "GameaMenu");
    shown->close();
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(game.window->ActualTextWindow(), nullptr);
    EXPECT_FALSE(game.core.Viewer().ActualTextOpen());
    EXPECT_EQ(game.core.ContextMenu(), "GameMenu");
}

// "Direct Interface" opens the "Crafty Interface" window beside the board; a command typed there
// is answered in its list, and its Exit button stops the engine and closes it.
TEST(DesktopEngine, TheInterfaceWindowTalksToTheEngine) {
    Desktop game([](settings::SettingsRecord& settings) {
        const std::filesystem::path engine(RAVELIN_ENGINE_BINARY);
        settings.SetDialogDirectory(settings::FileDialogSlot::kCraftyExecutable,
                                    engine.parent_path().string());
        settings.SetDialogFileName(settings::FileDialogSlot::kCraftyExecutable, engine.filename().string());
    });
    game.core.HandleCommand(shell::kCmdDirectInterface);
    game.Settle();
    EngineWindow* window = game.window->EngineInterfaceWindow();
    ASSERT_NE(window, nullptr);
    EXPECT_TRUE(window->isVisible());
    EXPECT_EQ(window->windowTitle().toStdString(), shell::kEngineWindowTitle);
    QLineEdit* command = window->findChild<QLineEdit*>();
    ASSERT_NE(command, nullptr);
    command->setText("name Ann");
    ButtonLabelled(*window, "OK")->click();
    const QList<QListWidgetItem*> answers =
        window->findChild<QListWidget*>()->findItems("Hello, Ann.", Qt::MatchExactly);
    EXPECT_EQ(answers.size(), 1);
    ButtonLabelled(*window, "Exit")->click();
    game.Settle();
    EXPECT_FALSE(game.core.Engine().Running());
    EXPECT_FALSE(window->isVisible());
}

// The file named on the command line is opened and its games shown; a variation entered by
// clicking squares is searched from the menu, and the match becomes the current game.
TEST(DesktopSearch, VariationEnteredByClicksIsSearchedFromTheMenu) {
    Desktop desktop([](settings::SettingsRecord& options) { options.SetEnhancedMenu(false); }, "morrow.pgn",
                    kThreeGames);
    shell::MainWindow& core = desktop.core;
    MainWindowWidget& window = *desktop.window;
    ASSERT_TRUE(core.File().IsOpen());
    EXPECT_EQ(window.Status()->View().fileLine, "File:  Morrow");
    EXPECT_EQ(window.Status()->View().gameLine, "Game:  1 of 3");
    EXPECT_EQ(window.GameScrollBar()->minimum(), 1);
    EXPECT_EQ(window.GameScrollBar()->maximum(), 3);
    // Moving the scroll bar moves through the games.
    window.GameScrollBar()->setValue(2);
    EXPECT_EQ(window.Status()->View().gameLine, "Game:  2 of 3");
    window.GameScrollBar()->setValue(1);
    desktop.Settle();

    QMenu* searchMenu = FindAction(window.menuBar(), "Search")->menu();
    ASSERT_NE(searchMenu, nullptr);
    FindPath(searchMenu, {"Variation", "Edit Variation"})->trigger();
    ASSERT_EQ(core.displayMode, shell::kModeVariationEdit);
    QWidget* view = window.Status();
    ClickAt(view, desktop.SquareMiddle("d2"));
    ClickAt(view, desktop.SquareMiddle("d4"));
    QCoreApplication::processEvents();
    EXPECT_EQ(chess::SanView(core.Search().criteria.variation.whiteMoves[0]), "d4");
    ExpectBoardOfTheCore(desktop);

    desktop.qt.nonInteractiveMessages.clear();
    FindPath(searchMenu, {"Variation", "Search File"})->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(desktop.qt.nonInteractiveMessages, std::vector<std::string>{"Number of games found: 1"});
    EXPECT_EQ(core.displayMode, shell::kModeGame);
    EXPECT_EQ(core.File().currentGame, 2);
    EXPECT_EQ(window.Status()->View().gameLine, "Game:  2 of 3");
}

// The forms show a refusal and stay open; accepted, they store what was entered.
TEST(DesktopForms, KeepARefusedEntryOpenAndStoreAnAcceptedOne) {
    Application();
    std::vector<std::string> shown;
    search::HeaderCriteria criteria;
    criteria[search::HeaderField::kWhite] = "Morrow";
    shell::HeaderSearchDialog data(criteria);
    HeaderSearchDialogWidget form(data);
    form.showMessage = [&](const std::string& text) { shown.push_back(text); };
    EXPECT_EQ(form.Field(4)->text(), "Morrow");
    form.Press(shell::HeaderDialogButton::kPlayers);
    EXPECT_EQ(shown, std::vector<std::string>{shell::kSelectPlayerNotYet});
    // With the Select Player form the fields it filled are shown, the others kept as typed.
    data.choosePlayers = [](search::HeaderCriteria& fields) {
        fields[search::HeaderField::kBlack] = "*";
        return true;
    };
    form.Field(1)->setText("Here");
    form.Press(shell::HeaderDialogButton::kPlayers);
    EXPECT_EQ(form.Field(5)->text(), "*");
    EXPECT_EQ(form.Field(4)->text(), "Morrow");
    EXPECT_EQ(form.Field(1)->text(), "Here");
    form.Press(shell::HeaderDialogButton::kClear);
    form.Field(0)->setText("Dortmund");
    form.Press(shell::HeaderDialogButton::kSearchFile);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.chosen, shell::HeaderDialogButton::kSearchFile);
    EXPECT_EQ(data.fields[search::HeaderField::kEvent], "Dortmund");
    EXPECT_TRUE(data.fields[search::HeaderField::kWhite].empty());

    shown.clear();
    shell::CountTable table{};
    shell::PiecesRemainingDialog counts(table);
    PiecesRemainingDialogWidget countsForm(counts);
    countsForm.showMessage = [&](const std::string& text) { shown.push_back(text); };
    // "Either side" is offered to Black only.
    EXPECT_EQ(countsForm.Relation(0, 0)->count(), 4);
    EXPECT_EQ(countsForm.Relation(1, 0)->count(), 5);
    countsForm.Relation(1, search::kCountPawns)->setCurrentIndex(4);
    countsForm.Ok();
    EXPECT_EQ(shown, std::vector<std::string>{shell::kEitherSideNeedsWhite});
    EXPECT_NE(countsForm.result(), QDialog::Accepted);
    countsForm.Relation(0, search::kCountPawns)->setCurrentIndex(1);
    countsForm.Digit(0, search::kCountPawns)->setValue(8);
    countsForm.Ok();
    EXPECT_EQ(countsForm.result(), QDialog::Accepted);
    EXPECT_EQ(counts.counts[0][search::kCountPawns].relation, search::kCountEqual);
    EXPECT_EQ(counts.counts[0][search::kCountPawns].digit, '8');
    EXPECT_EQ(counts.counts[1][search::kCountPawns].digit, '8');

    search::MoveNumberCondition condition;
    shell::MoveNumberDialog number(condition);
    MoveNumberDialogWidget numberForm(number);
    numberForm.showMessage = [&](const std::string& text) { shown.push_back(text); };
    numberForm.Switch()->setChecked(true);
    numberForm.Criterion()->setText("soon");
    numberForm.Ok();
    EXPECT_EQ(shown.back(), shell::kMoveNumberWanted);
    EXPECT_FALSE(number.on);
    numberForm.Criterion()->setText(">= 30");
    numberForm.Ok();
    EXPECT_EQ(numberForm.result(), QDialog::Accepted);
    EXPECT_TRUE(number.on);
    EXPECT_EQ(number.criterion, ">= 30");

    shell::GoToMoveDialog move(7);
    GoToMoveDialogWidget moveForm(move);
    moveForm.showMessage = [&](const std::string& text) { shown.push_back(text); };
    moveForm.MoveNumber()->setText("4");
    moveForm.BlackMove()->setChecked(true);
    moveForm.Ok();
    EXPECT_EQ(shown.back(), "Enter a move number from 1 to 4.");
    EXPECT_NE(moveForm.result(), QDialog::Accepted);
    moveForm.BlackMove()->setChecked(false);
    moveForm.Ok();
    EXPECT_EQ(moveForm.result(), QDialog::Accepted);
    EXPECT_EQ(move.Ply(), 7);

    settings::SettingsRecord settings;
    shell::OptionsDialog options = shell::OptionsDialog::FromSettings(settings, shell::kModeGame);
    OptionsDialogWidget optionsForm(options);
    optionsForm.showProblem = [&](const std::string& problem) { shown.push_back(problem); };
    auto* lastLetter = qobject_cast<QLineEdit*>(optionsForm.Control(shell::kOptLetterLast));
    auto* ok = qobject_cast<QPushButton*>(optionsForm.Control(shell::kOptOk));
    ASSERT_TRUE(lastLetter != nullptr && ok != nullptr);
    lastLetter->setText("k");
    ok->click();
    EXPECT_EQ(shown.back(), "Characters must be different.");
    EXPECT_NE(optionsForm.result(), QDialog::Accepted);
    qobject_cast<QPushButton*>(optionsForm.Control(shell::kOptReset))->click();
    EXPECT_EQ(qobject_cast<QLineEdit*>(optionsForm.Control(shell::kOptSlideSpeed))->text(), "175");
    lastLetter->setText("s");
    ok->click();
    EXPECT_EQ(optionsForm.result(), QDialog::Accepted);
    EXPECT_EQ(options.letters[4], "S");
}

// The column format of a long annotated game: the window shows a scroll bar beside the text that
// moves it by lines, and a click on a variation move puts its position on the board.
TEST(DesktopGameView, ColumnTextScrollsAndShowsAClickedVariationMove) {
    Desktop game([&](settings::SettingsRecord& options) { options.SetColumnFormat(true); },
                 "pgn/dortmund.pgn");
    // Seitz - Johner: comments and variations, taller than the window.
    game.core.File().currentGame = 3;
    game.core.HandleCommand(shell::kCmdDisplayGame);
    game.Settle();
    QWidget* view = game.window->Status();
    view->repaint();
    auto* bar = view->findChild<QScrollBar*>("columnScrollBar");
    ASSERT_NE(bar, nullptr);
    display::GameViewState state = game.core.Viewer().State();
    ASSERT_TRUE(state.scrollBar.shown);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->maximum(), state.scrollBar.range);
    EXPECT_EQ(bar->geometry().x(), state.scrollBar.x);

    display::GameDisplay& display = game.core.Viewer().Display();
    bar->setValue(2);
    EXPECT_EQ(game.core.Viewer().State().scrollBar.value, 2);
    EXPECT_EQ(display.ColumnText().texts.front().y,
              display::kColumnFirstLineTop - 2 * display::kColumnTextLineHeight);

    // 14...Bd6, the variation after 14...Re8, where the column text drew it.
    bar->setValue(0);
    game.core.Viewer().State();
    const std::vector<display::ColumnWord>& words = display.ColumnWords();
    QPoint at(-1, -1);
    for (const display::ColumnMoveEntry& entry : display.ColumnText().moves) {
        if (words[entry.word].text == "14...Bd6! ") {
            at = QPoint(entry.left + 2, entry.top + 2);
        }
    }
    ASSERT_GE(at.y(), 0);
    ClickAt(view, at);
    game.Settle();
    EXPECT_TRUE(display.InVariation());
    EXPECT_EQ(game.core.ContextMenu(), "GamexMenu");
    // The black bishop left f8 for d6.
    EXPECT_EQ(display.Screen().Shown()[4][6], chess::kBishop + chess::kBlackOffset);
    ExpectBoardOfTheCore(game);
}

// Figurine notation: the window ANDs the core's figurine into the move list, so its ink is dark and
// its white shows the background. Counts {black pixels of the figurine, of those dark in the
// picture, white pixels of the figurine, of those showing the background}.
std::array<int, 4> CompareFigurine(const QImage& picture, const display::RgbImage& figurine, int left,
                                   int top, display::RgbColour background) {
    std::array<int, 4> pixels{};
    for (int y = 0; y < figurine.height; ++y) {
        for (int x = 0; x < figurine.width; ++x) {
            const QColor got = picture.pixelColor(left + x, top + y);
            const bool ink = figurine.Pixel(x, y).red == 0;
            ++pixels[ink ? 0 : 2];
            pixels[ink ? 1 : 3] += ink ? std::max({got.red(), got.green(), got.blue()}) < 64
                                       : got == QColor(background.red, background.green, background.blue);
        }
    }
    return pixels;
}

// On every board size, in Seitz - Johner (figurine notation is the first start's default) at 12.O-O-O
// (11...O-O-O 12.O-O-O, the current move drawn bold): with figurines, the window paints the core's figurine
// where the core puts it; with alpha notation, the window's own font measure fits long castling into the
// move-list columns uncut, with its move number in the white column and alone in the black one.
TEST(DesktopGameView, FigurinesAndLongCastlingInTheMoveListAtEveryBoardSize) {
    for (settings::BoardSizeOption size :
         {settings::BoardSizeOption::kSmall, settings::BoardSizeOption::kMedium,
          settings::BoardSizeOption::kLarge}) {
        SCOPED_TRACE(static_cast<int>(size));
        Desktop game([&](settings::SettingsRecord& options) { options.SetBoardSize(size); },
                     "pgn/dortmund.pgn");
        display::GameDisplay& display = game.core.Viewer().Display();
        auto showPly23 = [&] {
            game.core.File().currentGame = 3;
            game.core.HandleCommand(shell::kCmdDisplayGame);
            game.Settle();
            display.GoToPly(23);
            return game.core.Viewer().State();
        };
        display::GameViewState state = showPly23();
        ASSERT_EQ(game.core.displayMode, shell::kModeGame);
        // A figurine of the move list, not the current move (castling has none).
        auto figurineItem =
            std::find_if(state.texts.begin(), state.texts.end(), [&](const display::TextItem& item) {
                return item.figurine != nullptr && item.x >= display.Layout().panelX;
            });
        ASSERT_NE(figurineItem, state.texts.end());
        // Copies: the state is asked for again below.
        const display::RgbImage figurine = *figurineItem->figurine;
        const int left = figurineItem->x;
        const int top = display::FigurineTop(*figurineItem);
        const std::array<int, 4> shown = CompareFigurine(game.Grab(), figurine, left, top, state.background);
        ASSERT_GT(shown[0], 0);
        EXPECT_EQ(shown[1], shown[0]);
        EXPECT_EQ(shown[3], shown[2]);

        game.core.Settings().SetNotationStyle(0);
        state = showPly23();
        EXPECT_TRUE(std::none_of(state.texts.begin(), state.texts.end(),
                                 [](const display::TextItem& item) { return item.figurine != nullptr; }));
        // A letter stands there now: far from all of the figurine's ink is dark.
        const std::array<int, 4> letters =
            CompareFigurine(game.Grab(), figurine, left, top, state.background);
        EXPECT_LT(letters[1] * 2, letters[0]);
        std::vector<std::string> texts;
        // The move list's items, not the move line below the board.
        for (const display::TextItem& item : state.texts) {
            if (item.x >= display.Layout().panelX) {
                texts.push_back(item.text);
            }
        }
        EXPECT_NE(std::find(texts.begin(), texts.end(), " 12. O-O-O"), texts.end());
        EXPECT_NE(std::find(texts.begin(), texts.end(), "O-O-O"), texts.end());
    }
}

// Pixels of a rectangle of the picture that differ from the background.
int PaintedPixels(const QImage& picture, const display::PixelRect& rect, display::RgbColour background) {
    int painted = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            QColor got = picture.pixelColor(x, y);
            painted += got != QColor(background.red, background.green, background.blue) ? 1 : 0;
        }
    }
    return painted;
}

// The game display's buttons and annotation list as the window shows them. Game 1 of the real file
// opens with a comment before its first move longer than the rows below the board.
TEST(DesktopGameView, ButtonsAndTheAnnotationListsScrollBar) {
    Desktop game(
        [&](settings::SettingsRecord& options) { options.SetInt(settings::kOffsetDisplayGameButtons, 1); },
        "pgn/world_matches.pgn");
    ASSERT_EQ(game.core.displayMode, shell::kModeGame);
    display::GameDisplay& display = game.core.Viewer().Display();
    const std::vector<display::GameButtonPlace> places = display::LayOutGameButtons(display.Layout());
    ASSERT_EQ(places.size(), static_cast<std::size_t>(display::kGameButtonCount));
    const QImage shown = game.Grab();
    for (const display::GameButtonPlace& place : places) {
        // A frame and a label: a good share of the button is not background.
        EXPECT_GT(PaintedPixels(shown, place.rect, display.Options().colours.background),
                  place.rect.width * place.rect.height / 4);
    }

    auto* view = qobject_cast<GameViewWidget*>(game.window->Status());
    ASSERT_NE(view, nullptr);
    const int visible = display.Layout().BelowBoardLines();
    QScrollBar* bar = view->AnnotationScrollBar();
    ASSERT_GT(display.Annotations().LineCount(), visible);
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->minimum(), 0);
    EXPECT_EQ(bar->maximum(), display.Annotations().LineCount() - visible);
    EXPECT_EQ(bar->value(), 0);
    const display::ScrollListState list = game.core.Viewer().State().annotationList;
    EXPECT_EQ(bar->geometry(),
              QRect(list.scrollBar.x, list.scrollBar.y, list.scrollBar.width, list.scrollBar.height));

    // Moving the bar scrolls the core's list; the painted texts follow.
    bar->setValue(2);
    EXPECT_EQ(display.Annotations().FirstLine(), 2);

    // The wheel over the list scrolls it and leaves the game where it is.
    Wheel(view, QPointF(list.area.x + list.area.width / 3, list.area.y + list.area.height / 2));
    EXPECT_EQ(display.Annotations().FirstLine(), 3);
    EXPECT_EQ(display.CurrentPly(), 0);
    game.Grab();
    EXPECT_EQ(bar->value(), 3);

    // A click on Next advances one ply and shows its lines from the top: none here, so no bar.
    const display::PixelRect next = places[static_cast<int>(display::GameButton::kNext)].rect;
    ClickAt(view, QPoint(next.x + next.width / 2, next.y + next.height / 2));
    game.Settle();
    EXPECT_EQ(display.CurrentPly(), 1);
    EXPECT_EQ(game.core.currentPly, 1);
    game.Grab();
    EXPECT_EQ(display.Annotations().FirstLine(), 0);
    EXPECT_FALSE(bar->isVisible());
}

}  // namespace
}  // namespace ravelin::gui

namespace ravelin::gui {
namespace {

// Runs a command line and keeps what it printed.
std::string Output(const std::string& command) {
    std::string text;
    if (FILE* pipe = popen(command.c_str(), "r")) {
        char buffer[4096];
        for (std::size_t n; (n = fread(buffer, 1, sizeof buffer, pipe)) > 0;) {
            text.append(buffer, n);
        }
        pclose(pipe);
    }
    return text;
}

// The print list goes to a PDF file through Qt's print system, without any printer: two games of
// normal text and one of actual text.
TEST(DesktopPrinting, PrintListToPdfHasItsPagesAndText) {
    std::string games;
    for (int game = 1; game <= 3; ++game) {
        games += "[Event \"Game " + std::to_string(game) +
                 "\"]\n[White \"Smith\"]\n[Black \"Jones\"]\n[Result \"*\"]\n\n";
        for (int move = 1; move <= 120; ++move) {
            games += std::to_string(move) + (move % 2 == 1 ? ".Nf3 Nf6 " : ".Ng1 Ng8 ") +
                     (move % 8 == 0 ? "\n" : "");
        }
        games += "*\n\n";
    }
    Desktop desktop([](settings::SettingsRecord&) {}, "games.pgn", games);
    const std::string pdf = desktop.files.File("printed.pdf");
    desktop.qt.Printer().pdfOutput = pdf;
    desktop.core.HandleCommand(shell::kCmdPrintNormalText);
    desktop.core.HandleCommand(shell::kCmdNextGame);
    desktop.Settle();
    desktop.core.HandleCommand(shell::kCmdPrintNormalText);
    desktop.core.HandleCommand(shell::kCmdNextGame);
    desktop.Settle();
    desktop.core.HandleCommand(198);
    desktop.core.HandleCommand(109);
    desktop.Settle();
    ASSERT_TRUE(std::filesystem::exists(pdf));
    const std::string info = Output("pdfinfo '" + pdf + "' 2>&1");
    EXPECT_NE(info.find("Title:           Ravelin: Print Game"), std::string::npos) << info;
    // The two normal-text games (20 lines each) share the first page; the actual text, whose lines
    // of eight moves are too wide and break in two, starts below them and goes on over the second.
    EXPECT_NE(info.find("Pages:           2\n"), std::string::npos) << info;
    const std::string first = Output("pdftotext -f 1 -l 1 '" + pdf + "' - 2>&1");
    const std::string second = Output("pdftotext -f 2 -l 2 '" + pdf + "' - 2>&1");
    EXPECT_NE(first.find("[Event \"Game 3\"]"), std::string::npos) << first;
    EXPECT_EQ(second.find("Event"), std::string::npos) << second;
    EXPECT_NE(second.find("120.Ng1 Ng8"), std::string::npos) << second;
    // pdftotext gives the words; runs of blanks are taken as one.
    std::string text;
    for (const char c : Output("pdftotext '" + pdf + "' - 2>&1")) {
        if (c != ' ' || text.empty() || text.back() != ' ') {
            text += c == '\n' ? ' ' : c;
        }
    }
    EXPECT_NE(text.find("File: games.pgn Game: 1 Event: Game 1"), std::string::npos) << text;
    EXPECT_NE(text.find("File: games.pgn Game: 2 Event: Game 2"), std::string::npos) << text;
    EXPECT_NE(text.find("White: Smith Black: Jones Result: *"), std::string::npos) << text;
    EXPECT_NE(text.find("119.Nf3 Nf6 120.Ng1 Ng8 *"), std::string::npos) << text;
    EXPECT_NE(text.find("[Event \"Game 3\"]"), std::string::npos) << text;
    EXPECT_NE(text.find("********************"), std::string::npos) << text;
}

}  // namespace
}  // namespace ravelin::gui
