#include "display/board_geometry.h"
#include "display/piece_set.h"
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
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/options_dialog.h"
#include "temp_dir.h"

namespace ravelin::gui {
namespace {

using testing::TempDir;

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

TEST(DesktopWindow, OpensTheCommandLineFileAndShowsItsGames) {
    Application();
    TempDir work;
    TempDir files;
    std::string path = files.Write("morrow.pgn", kThreeGames);

    QtPlatform platform;
    shell::MainWindow core(platform.AsPlatform(), platform::WorkingPaths(work.Path().string()));
    platform.commandHandler = [&core](int id) { core.HandleCommand(id); };
    MainWindowWidget window(core);
    platform.SetParentWindow(&window);
    core.StartUp(path);
    window.show();
    for (int round = 0; round < 50 && !core.File().IsOpen(); ++round) {
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(core.File().IsOpen());
    EXPECT_EQ(window.Status()->View().fileLine, "File:  Morrow");
    EXPECT_EQ(window.Status()->View().gameLine, "Game:  1 of 3");
    EXPECT_EQ(window.GameScrollBar()->minimum(), 1);
    EXPECT_EQ(window.GameScrollBar()->maximum(), 3);

    // Moving the scroll bar moves through the games.
    window.GameScrollBar()->setValue(2);
    EXPECT_EQ(window.Status()->View().gameLine, "Game:  2 of 3");
}

// The program itself, started with a file on its command line, renders its window offscreen.
TEST(DesktopProgram, ScreenshotOfTheCommandLineFile) {
    TempDir work;
    TempDir files;
    std::string path = files.Write("games.pgn", kThreeGames);
    std::string picture = files.File("window.png");
    std::string command = std::string("QT_QPA_PLATFORM=offscreen ") + RAVELIN_GUI_BINARY + " --workdir " +
                          work.Path().string() + " --screenshot " + picture + " '" + path + "' 2>/dev/null";
    ASSERT_EQ(std::system(command.c_str()), 0);
    QImage image(QString::fromStdString(picture));
    EXPECT_FALSE(image.isNull());
    EXPECT_GT(image.width(), 100);
    // The options file now names the file that was opened.
    auto settings = settings::ReadSettingsFile(work.File("savinfo.opt"));
    ASSERT_TRUE(settings.has_value());
    EXPECT_EQ(settings->PgnFileName(), "games.pgn");
    EXPECT_EQ(settings->PgnDirectory(), files.Path().string());
}

// An options file that asks for the standard menu bar or the program's own one.
// The options file of a first start on a 1280-pixel screen, with the changes a test asks for.
void WriteSettings(const TempDir& work, const std::function<void(settings::SettingsRecord&)>& change) {
    settings::SettingsRecord settings;
    settings::StartupEnvironment environment;
    environment.workingDirectory = work.Path().string();
    environment.screenWidth = 1280;
    settings::ApplyFirstRunDefaults(settings, environment);
    change(settings);
    ASSERT_TRUE(settings::SaveSettingsFile(work.File("savinfo.opt"), settings));
}

void WriteMenuChoice(const TempDir& work, bool ownMenuBar) {
    WriteSettings(work, [&](settings::SettingsRecord& settings) { settings.SetEnhancedMenu(ownMenuBar); });
}

QAction* FindAction(QWidget* menu, const QString& label) {
    for (QAction* action : menu->actions()) {
        if (action->text() == label) {
            return action;
        }
    }
    return nullptr;
}

// Started without a person at the screen: messages are recorded, dialogs cancelled.
struct DesktopSession {
    explicit DesktopSession(const TempDir& work)
        : core(StartPlatform(platform), platform::WorkingPaths(work.Path().string())) {
        platform.commandHandler = [this](int id) { core.HandleCommand(id); };
        platform.timerHandler = [this](int id) { core.HandleTimer(id); };
        window = std::make_unique<MainWindowWidget>(core);
        platform.SetParentWindow(window.get());
        core.StartUp("");
        window->show();
        Settle();
    }
    void Settle() {
        for (int round = 0; round < 50 && platform.PendingCommandCount() > 0; ++round) {
            QCoreApplication::processEvents();
        }
        QCoreApplication::processEvents();
    }
    static platform::Platform StartPlatform(QtPlatform& qt) {
        Application();
        qt.nonInteractive = true;
        return qt.AsPlatform();
    }

    QtPlatform platform;
    shell::MainWindow core;
    std::unique_ptr<MainWindowWidget> window;
};

TEST(DesktopMenus, StandardMenuBarOpensEveryMenuAndItsItemsIssueCommands) {
    TempDir work;
    WriteMenuChoice(work, false);
    DesktopSession session(work);
    MainWindowWidget& window = *session.window;
    QMenuBar* bar = window.menuBar();
    ASSERT_TRUE(bar->isVisible());
    EXPECT_FALSE(window.OwnBar()->isVisible());
    QStringList labels;
    for (QAction* action : bar->actions()) {
        labels << action->text();
        if (QMenu* menu = action->menu()) {
            menu->popup(window.mapToGlobal(QPoint(10, 10)));
            QCoreApplication::processEvents();
            EXPECT_TRUE(menu->isVisible()) << action->text().toStdString();
            EXPECT_FALSE(menu->actions().isEmpty());
            menu->hide();
        }
    }
    EXPECT_EQ(labels, QStringList({"File", "Game", "Text", "Search", "Tree", "Next", "Prev", "Select",
                                   "Return", "Flip", "Analyze", "Help"}));

    session.platform.nonInteractiveMessages.clear();
    FindAction(bar, "Next")->trigger();
    QMenu* file = FindAction(bar, "File")->menu();
    FindAction(file, "Show Version")->trigger();
    FindAction(file, "Html Diagram")->trigger();
    EXPECT_EQ(session.platform.nonInteractiveMessages,
              (std::vector<std::string>{"Must open a file.", "Version 4.0 updated 11-Nov-05",
                                        shell::kNotAvailableYet}));

    // Auto play from the game display's context menu, through its real action.
    session.core.displayMode = shell::kModeGame;
    std::unique_ptr<QMenu> context(window.BuildContextMenu());
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->objectName(), "GameMenu");
    FindAction(context.get(), "Auto Play")->trigger();
    EXPECT_TRUE(session.core.View().autoPlayOn);
    context.reset(window.BuildContextMenu());
    ASSERT_NE(FindAction(context.get(), "Stop Auto Play"), nullptr);
    FindAction(context.get(), "Stop Auto Play")->trigger();
    EXPECT_FALSE(session.core.View().autoPlayOn);

    FindAction(file, "Exit")->trigger();
    QCoreApplication::processEvents();
    EXPECT_FALSE(window.isVisible());
}

TEST(DesktopMenus, OwnMenuBarOpensItsPopups) {
    TempDir work;
    WriteMenuChoice(work, true);
    DesktopSession session(work);
    MainWindowWidget& window = *session.window;
    ASSERT_TRUE(window.OwnBar()->isVisible());
    EXPECT_EQ(window.OwnBar()->height(), 25);
    EXPECT_FALSE(window.menuBar()->isVisible());
    int popups = 0;
    auto items = session.core.MenuBar().Items();
    for (int k = 0; k < static_cast<int>(items.size()); ++k) {
        if (items[static_cast<std::size_t>(k)].popup.empty()) {
            continue;
        }
        window.PerformBarAction(session.core.MenuBar().Click(k));
        QCoreApplication::processEvents();
        ASSERT_NE(window.OpenBarPopup(), nullptr);
        EXPECT_TRUE(window.OpenBarPopup()->isVisible());
        window.OpenBarPopup()->close();
        QCoreApplication::processEvents();
        ++popups;
    }
    EXPECT_EQ(popups, 3);
}

TEST(DesktopOptions, DialogKeepsRefusedLettersOpenAndResets) {
    Application();
    settings::SettingsRecord settings;
    shell::OptionsDialog data = shell::OptionsDialog::FromSettings(settings, shell::kModeGame);
    OptionsDialogWidget form(data);
    std::vector<std::string> problems;
    form.showProblem = [&](const std::string& problem) { problems.push_back(problem); };
    auto* lastLetter = qobject_cast<QLineEdit*>(form.Control(shell::kOptLetterLast));
    auto* ok = qobject_cast<QPushButton*>(form.Control(shell::kOptOk));
    ASSERT_NE(lastLetter, nullptr);
    ASSERT_NE(ok, nullptr);
    lastLetter->setText("k");
    ok->click();
    EXPECT_EQ(problems, std::vector<std::string>{"Characters must be different."});
    EXPECT_NE(form.result(), QDialog::Accepted);

    qobject_cast<QPushButton*>(form.Control(shell::kOptReset))->click();
    EXPECT_EQ(qobject_cast<QLineEdit*>(form.Control(shell::kOptSlideSpeed))->text(), "175");
    lastLetter->setText("s");
    ok->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.letters[4], "S");
}

QPushButton* ButtonLabelled(QWidget& parent, const QString& label) {
    for (QPushButton* button : parent.findChildren<QPushButton*>()) {
        if (button->text().remove('&') == label) {
            return button;
        }
    }
    return nullptr;
}

TEST(DesktopSelectOpening, ListFollowsTheOrderAndOkChoosesTheSelectedLine) {
    Application();
    eco::EcoTable table;
    ASSERT_TRUE(eco::LoadEcoTable(table, RAVELIN_SOURCE_DIR "/data/eco", {}));
    const int entry = 1000;
    shell::SelectOpeningDialog data(table, chess::PieceLetters{}, eco::EcoSortOrder::kByEco, entry);
    SelectOpeningDialogWidget form(data);
    ASSERT_EQ(form.List()->count(), table.count);
    EXPECT_EQ(form.List()->currentRow(), data.selectedRow);
    QPushButton* byName = ButtonLabelled(form, "Sort by Name");
    ASSERT_NE(byName, nullptr);
    byName->click();
    EXPECT_EQ(data.List().order, eco::EcoSortOrder::kByName);
    EXPECT_EQ(data.ChosenEntry(), entry);
    EXPECT_EQ(form.List()->currentItem()->text().toStdString(),
              data.List().rows[static_cast<std::size_t>(data.selectedRow)]);
    ButtonLabelled(form, "Wrap Lines")->click();
    EXPECT_GT(form.List()->count(), table.count);
    EXPECT_EQ(data.ChosenEntry(), entry);
    form.List()->setCurrentRow(3);
    ButtonLabelled(form, "OK")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.selectedRow, 3);
    EXPECT_NE(data.ChosenEntry(), eco::kNoEcoEntry);
}

TEST(DesktopDirectorySearch, SelectFileReportsTheSelectionToWinStatsAndOk) {
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
    bool totalShown = false;
    for (QLabel* label : form.findChildren<QLabel*>()) {
        totalShown = totalShown || label->text() == "Total games: 15";
    }
    EXPECT_TRUE(totalShown);
    ButtonLabelled(form, "Win Stats")->click();
    list->setCurrentRow(1);
    ButtonLabelled(form, "Win Stats")->click();
    EXPECT_EQ(statsAsked, (std::vector<int>{-1, 1}));
    ButtonLabelled(form, "OK")->click();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.selected, 1);
}

TEST(DesktopDirectorySearch, WinStatisticsShowsTheLinesOfTheCounts) {
    Application();
    search::WinCounts counts;
    counts.games = 10;
    counts.whiteWins = 4;
    counts.blackWins = 3;
    shell::WinStatisticsDialog data(counts);
    WinStatisticsDialogWidget form(data);
    std::vector<std::string> texts;
    for (QLabel* label : form.findChildren<QLabel*>()) {
        texts.push_back(label->text().toStdString());
    }
    EXPECT_NE(std::find(texts.begin(), texts.end(), data.lines.gamesFound), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), data.lines.whiteWins), texts.end());
    EXPECT_NE(std::find(texts.begin(), texts.end(), data.lines.draws), texts.end());
    EXPECT_EQ(data.lines.gamesFound, "Number of games found: 10");
}

// The medium board of a real game, painted by the window: the pixels of the board area are the
// core's, pieces come from their cells of the set bitmap, flipping puts a1 at the top right.
struct GameWindow {
    explicit GameWindow(const TempDir& work, const std::string& pgn) : core(PlatformOf(qt), paths(work)) {
        qt.commandHandler = [this](int id) { core.HandleCommand(id); };
        window = std::make_unique<MainWindowWidget>(core);
        qt.SetParentWindow(window.get());
        core.StartUp(pgn);
        settings::WindowRect rect = core.InitialWindowRect();
        window->setGeometry(rect.x, rect.y, rect.width, rect.height);
        window->show();
        Settle();
    }
    static platform::WorkingPaths paths(const TempDir& work) {
        return platform::WorkingPaths(work.Path().string());
    }
    static platform::Platform PlatformOf(QtPlatform& platform) {
        Application();
        platform.nonInteractive = true;
        ravelin::platform::Platform services = platform.AsPlatform();
        // Wide enough for the medium board on any test machine.
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

    QtPlatform qt;
    shell::MainWindow core;
    std::unique_ptr<MainWindowWidget> window;
};

// True when every opaque pixel of the piece's cell shows at the square's corner in the picture.
bool PieceShownAt(const QImage& picture, const display::PieceSet& set, chess::PieceCode code,
                  display::PixelPoint corner) {
    display::CellOrigin cell = display::PieceCellOrigin(code, set.SquareSize());
    int compared = 0;
    for (int y = 2; y < set.SquareSize() - 2; ++y) {
        for (int x = 2; x < set.SquareSize() - 2; ++x) {
            if (!set.Opaque(code, x, y)) {
                continue;
            }
            display::RgbColour want = set.Bitmap().Pixel(cell.x + x, cell.y + y);
            QColor got = picture.pixelColor(corner.x + x, corner.y + y);
            if (got.red() != want.red || got.green() != want.green || got.blue() != want.blue) {
                return false;
            }
            ++compared;
        }
    }
    return compared > 0;
}

TEST(DesktopGameView, StepsThroughARealGameOnTheMediumBoard) {
    TempDir work;
    WriteSettings(work, [&](settings::SettingsRecord& settings) {
        settings.SetBoardSize(settings::BoardSizeOption::kMedium);
        settings.SetSlideDelay(0);
    });

    GameWindow game(work, testing::TestDataPath("pgn/anastasian-lewis.pgn"));
    ASSERT_EQ(game.core.displayMode, shell::kModeGame);
    display::GameDisplay& display = game.core.Viewer().Display();
    ASSERT_EQ(display.Options().squareSize, display::kMediumSquareSize);
    display::PieceSetLoad load = display::LoadPieceSet(
        work.Path().string(), game.core.Settings().PieceStyle(), settings::BoardSizeOption::kMedium);
    ASSERT_TRUE(load.set.has_value());
    const display::PieceSet& set = *load.set;
    // The medium white queen's cell.
    EXPECT_EQ(display::PieceCellOrigin(chess::kQueen, set.SquareSize()), (display::CellOrigin{120, 60}));

    display::BoardView view = display.Screen().View();
    auto corner = [&](int file, int rank) { return display::SquareCorner(view, file, rank); };
    QImage start = game.Grab();
    EXPECT_TRUE(PieceShownAt(start, set, chess::kQueen, corner(4, 1)));
    EXPECT_TRUE(PieceShownAt(start, set, chess::kKnight, corner(7, 1)));

    // 1.d4 Nf6 2.c4 g6 3.Nc3: after five plies the d-pawn stands on d4.
    for (int ply = 0; ply < 5; ++ply) {
        game.core.Viewer().Key(shell::GameKey::kNext);
    }
    game.Settle();
    QImage later = game.Grab();
    EXPECT_EQ(display.CurrentPly(), 5);
    EXPECT_TRUE(PieceShownAt(later, set, chess::kPawn, corner(4, 4)));
    EXPECT_FALSE(PieceShownAt(later, set, chess::kPawn, corner(4, 2)));

    game.core.HandleCommand(shell::kCmdFlip);
    game.Settle();
    view = display.Screen().View();
    display::PixelPoint a1 = corner(1, 1);
    EXPECT_GT(a1.x, 4 * display::kMediumSquareSize);
    EXPECT_LT(a1.y, 2 * display::kMediumSquareSize);
    EXPECT_TRUE(PieceShownAt(game.Grab(), set, chess::kRook, a1));
}

// "Show Actual Text" opens the record of the game beside it; closing that window by hand tells the
// core, which then offers the plain game menu again.
TEST(DesktopGameView, ShowActualTextOpensTheRecordInAToolWindow) {
    TempDir work;
    GameWindow game(work, testing::TestDataPath("pgn/anastasian-lewis.pgn"));
    ASSERT_EQ(game.core.displayMode, shell::kModeGame);
    EXPECT_EQ(game.window->ActualTextWindow(), nullptr);
    game.core.HandleCommand(263);
    game.Settle();
    QPlainTextEdit* shown = game.window->ActualTextWindow();
    ASSERT_NE(shown, nullptr);
    EXPECT_TRUE(shown->isVisible());
    EXPECT_TRUE(shown->toPlainText().startsWith("[Event "));
    EXPECT_EQ(game.core.ContextMenu(), "GameaMenu");

    game.core.HandleCommand(266);
    game.Settle();
    EXPECT_EQ(game.window->ActualTextWindow(), nullptr);

    game.core.HandleCommand(263);
    game.Settle();
    ASSERT_NE(game.window->ActualTextWindow(), nullptr);
    game.window->ActualTextWindow()->close();
    for (int round = 0; round < 5; ++round) {
        QCoreApplication::sendPostedEvents(nullptr, QEvent::DeferredDelete);
        QCoreApplication::processEvents();
    }
    EXPECT_EQ(game.window->ActualTextWindow(), nullptr);
    EXPECT_FALSE(game.core.Viewer().ActualTextOpen());
    EXPECT_EQ(game.core.ContextMenu(), "GameMenu");
}

namespace search_editing {

// A click of the left button at a point of a widget.
void ClickAt(QWidget* widget, QPoint point) {
    QMouseEvent press(QEvent::MouseButtonPress, QPointF(point), widget->mapToGlobal(QPointF(point)),
                      Qt::LeftButton, Qt::LeftButton, Qt::NoModifier);
    QCoreApplication::sendEvent(widget, &press);
}

QPoint SquareMiddle(shell::MainWindow& core, const std::string& workDir, const char* square) {
    const display::GameDisplayOptions options = display::GameDisplayOptions::From(core.Settings(), workDir);
    display::BoardView view;
    view.squareSize = options.squareSize;
    const display::PixelRect rect = display::SquareRect(view, square[0] - 'a' + 1, square[1] - '0');
    return QPoint(rect.x + rect.width / 2, rect.y + rect.height / 2);
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

}  // namespace search_editing

// A variation entered by clicking squares, searched from the menu: the match becomes the current
// game and Next/Prev walk the matches.
TEST(DesktopSearch, VariationEnteredByClicksIsSearchedFromTheMenu) {
    using namespace search_editing;
    TempDir work;
    TempDir files;
    WriteMenuChoice(work, false);
    const std::string path = files.Write("three.pgn", kThreeGames);
    QtPlatform platform;
    platform.nonInteractive = true;
    Application();
    shell::MainWindow core(platform.AsPlatform(), platform::WorkingPaths(work.Path().string()));
    platform.commandHandler = [&core](int id) { core.HandleCommand(id); };
    MainWindowWidget window(core);
    platform.SetParentWindow(&window);
    core.StartUp(path);
    window.show();
    for (int round = 0; round < 50 && (platform.PendingCommandCount() > 0 || !core.File().IsOpen());
         ++round) {
        QCoreApplication::processEvents();
    }
    ASSERT_TRUE(core.File().IsOpen());

    QMenu* searchMenu = FindAction(window.menuBar(), "Search")->menu();
    ASSERT_NE(searchMenu, nullptr);
    FindPath(searchMenu, {"Variation", "Edit Variation"})->trigger();
    ASSERT_EQ(core.displayMode, shell::kModeVariationEdit);
    QWidget* view = window.Status();
    QImage before = view->grab().toImage();
    ClickAt(view, SquareMiddle(core, work.Path().string(), "d2"));
    ClickAt(view, SquareMiddle(core, work.Path().string(), "d4"));
    QCoreApplication::processEvents();
    EXPECT_EQ(chess::SanView(core.Search().criteria.variation.whiteMoves[0]), "d4");
    // The pawn is drawn on its new square.
    QImage after = view->grab().toImage();
    const QPoint d4 = SquareMiddle(core, work.Path().string(), "d4");
    EXPECT_NE(before.pixel(d4), after.pixel(d4));
    // An illegal move is not taken.
    ClickAt(view, SquareMiddle(core, work.Path().string(), "e7"));
    ClickAt(view, SquareMiddle(core, work.Path().string(), "e4"));
    EXPECT_EQ(core.Search().criteria.variation.Plies(), 1);
    EXPECT_EQ(core.Searches().Variation().Status(), shell::kNotLegalMove);

    // The check mark of "Exact Variation" follows the option.
    QAction* exact = FindPath(searchMenu, {"Variation", "Exact Variation"});
    ASSERT_NE(exact, nullptr);
    EXPECT_TRUE(exact->isCheckable());
    exact->trigger();
    QCoreApplication::processEvents();
    EXPECT_TRUE(core.Search().criteria.options.exactVariation);
    EXPECT_TRUE(exact->isChecked());

    platform.nonInteractiveMessages.clear();
    FindPath(searchMenu, {"Variation", "Search File"})->trigger();
    QCoreApplication::processEvents();
    EXPECT_EQ(platform.nonInteractiveMessages, std::vector<std::string>{"Number of games found: 1"});
    EXPECT_EQ(core.displayMode, shell::kModeGame);
    EXPECT_EQ(core.File().currentGame, 2);
    EXPECT_EQ(window.Status()->View().gameLine, "Game:  2 of 3");
    // Next stays on the only match; after "Reset Navigation" it walks all games.
    FindAction(window.menuBar(), "Next")->trigger();
    EXPECT_EQ(core.File().currentGame, 2);
    std::unique_ptr<QMenu> context(window.BuildContextMenu());
    ASSERT_NE(context, nullptr);
    EXPECT_EQ(context->objectName(), "GamezMenu");
    FindAction(searchMenu, "Reset Navigation")->trigger();
    FindAction(window.menuBar(), "Next")->trigger();
    EXPECT_EQ(core.File().currentGame, 3);
}

TEST(DesktopSearch, HeaderDialogButtons) {
    Application();
    search::HeaderCriteria criteria;
    criteria[search::HeaderField::kWhite] = "Morrow";
    shell::HeaderSearchDialog data(criteria);
    HeaderSearchDialogWidget form(data);
    std::vector<std::string> shown;
    form.showMessage = [&](const std::string& text) { shown.push_back(text); };
    EXPECT_EQ(form.Field(4)->text(), "Morrow");
    form.Press(shell::HeaderDialogButton::kPlayers);
    EXPECT_EQ(shown, std::vector<std::string>{shell::kSelectPlayerNotYet});
    form.Press(shell::HeaderDialogButton::kClear);
    EXPECT_TRUE(form.Field(4)->text().isEmpty());
    form.Field(0)->setText("Dortmund");
    form.Press(shell::HeaderDialogButton::kSearchFile);
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.chosen, shell::HeaderDialogButton::kSearchFile);
    EXPECT_EQ(data.fields[search::HeaderField::kEvent], "Dortmund");
    EXPECT_TRUE(data.fields[search::HeaderField::kWhite].empty());
}

TEST(DesktopSearch, PositionDialogsKeepARefusedEntryOpen) {
    Application();
    shell::CountTable table{};
    shell::PiecesRemainingDialog counts(table);
    PiecesRemainingDialogWidget countsForm(counts);
    std::vector<std::string> shown;
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
}

// The column format of a long annotated game: the window shows a scroll bar beside the text that
// moves it by lines, the wheel over the text does the same, and a click on a variation move puts
// its position on the board.
TEST(DesktopGameView, ColumnTextScrollsAndShowsAClickedVariationMove) {
    TempDir work;
    WriteSettings(work, [&](settings::SettingsRecord& settings) {
        settings.SetSlideDelay(0);
        settings.SetColumnFormat(true);
    });

    GameWindow game(work, testing::TestDataPath("pgn/dortmund.pgn"));
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
    const QPointF overText(display.Layout().panelX + 20, 200);
    QWheelEvent wheel(overText, view->mapToGlobal(overText), QPoint(), QPoint(0, -120), Qt::NoButton,
                      Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &wheel);
    EXPECT_EQ(game.core.Viewer().State().scrollBar.value, 5);
    EXPECT_EQ(display.CurrentPly(), 0);
    view->repaint();
    EXPECT_EQ(bar->value(), 5);

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
    const QImage before = game.Grab();
    search_editing::ClickAt(view, at);
    game.Settle();
    EXPECT_TRUE(display.InVariation());
    EXPECT_EQ(game.core.ContextMenu(), "GamexMenu");
    // The black bishop left f8 for d6.
    EXPECT_EQ(display.Screen().Shown()[4][6], chess::kBishop + chess::kBlackOffset);
    const QImage after = game.Grab();
    const int boardSize = display.Layout().boardImageSize;
    EXPECT_NE(before.copy(0, 0, boardSize, boardSize), after.copy(0, 0, boardSize, boardSize));
}

// Figurine notation: the window ANDs the core's figurine into the move list where the core puts it,
// so its ink is dark and its white shows the background; alpha notation paints no figurine there.
struct FigurinePixels {
    int ink = 0;         // black pixels of the figurine
    int darkInk = 0;     // of those, dark in the picture
    int paper = 0;       // white pixels of the figurine
    int paperShown = 0;  // of those, showing the background
};

FigurinePixels CompareFigurine(const QImage& picture, const display::RgbImage& figurine, int left, int top,
                               display::RgbColour background) {
    constexpr int kDark = 64;
    FigurinePixels pixels;
    for (int y = 0; y < figurine.height; ++y) {
        for (int x = 0; x < figurine.width; ++x) {
            QColor got = picture.pixelColor(left + x, top + y);
            if (figurine.Pixel(x, y).red == 0) {
                ++pixels.ink;
                pixels.darkInk += std::max({got.red(), got.green(), got.blue()}) < kDark ? 1 : 0;
            } else {
                ++pixels.paper;
                pixels.paperShown += got == QColor(background.red, background.green, background.blue) ? 1 : 0;
            }
        }
    }
    return pixels;
}

TEST(DesktopGameView, FigurinesArePaintedWhereTheCoreSaysAtEveryBoardSize) {
    for (settings::BoardSizeOption size :
         {settings::BoardSizeOption::kSmall, settings::BoardSizeOption::kMedium,
          settings::BoardSizeOption::kLarge}) {
        TempDir work;
        WriteSettings(work, [&](settings::SettingsRecord& settings) {
            settings.SetBoardSize(size);
            settings.SetSlideDelay(0);
            settings.SetNotationStyle(1);
        });

        GameWindow game(work, testing::TestDataPath("pgn/anastasian-lewis.pgn"));
        display::GameDisplay& display = game.core.Viewer().Display();
        ASSERT_EQ(game.core.displayMode, shell::kModeGame);
        // 1.d4 Nf6: the black knight move of the first row, not the current move.
        display::GameViewState state = game.core.Viewer().State();
        const display::MoveListCell cell = display::CellOfPly(2);
        const int cellX = display.Layout().MoveColumnX(cell.columnPair, cell.black);
        auto knight = std::find_if(
            state.texts.begin(), state.texts.end(),
            [&](const display::TextItem& item) { return item.figurine != nullptr && item.x == cellX; });
        ASSERT_NE(knight, state.texts.end()) << static_cast<int>(size);
        EXPECT_EQ(knight->figurineKind, chess::kKnight);
        // Copies: the state is asked for again below.
        const display::RgbImage figurine = *knight->figurine;
        const int left = knight->x;
        const int top = display::FigurineTop(*knight);
        FigurinePixels shown = CompareFigurine(game.Grab(), figurine, left, top, state.background);
        ASSERT_GT(shown.ink, 0);
        EXPECT_EQ(shown.darkInk, shown.ink) << static_cast<int>(size);
        EXPECT_EQ(shown.paperShown, shown.paper) << static_cast<int>(size);

        game.core.Settings().SetNotationStyle(0);
        game.core.HandleCommand(shell::kCmdDisplayGame);
        game.Settle();
        state = game.core.Viewer().State();
        EXPECT_TRUE(std::none_of(state.texts.begin(), state.texts.end(),
                                 [](const display::TextItem& item) { return item.figurine != nullptr; }));
        // The letter N stands there now: far from all of the knight's ink is dark.
        FigurinePixels letters = CompareFigurine(game.Grab(), figurine, left, top, state.background);
        EXPECT_LT(letters.darkInk * 2, letters.ink) << static_cast<int>(size);
    }
}

// The game display's buttons and annotation list as the window shows them.
namespace game_buttons {

// Game 1 of the real file opens with a long comment before its first move and has 17 plies.
void WriteButtonSetting(const TempDir& work, bool buttons) {
    WriteSettings(work, [&](settings::SettingsRecord& settings) {
        settings.SetSlideDelay(0);
        settings.SetInt(settings::kOffsetDisplayGameButtons, buttons ? 1 : 0);
    });
}

// Pixels of a rectangle of the picture that differ from the background.
int PaintedPixels(const QImage& picture, const display::PixelRect& rect, display::RgbColour background) {
    int painted = 0;
    for (int y = rect.y; y < rect.y + rect.height; ++y) {
        for (int x = rect.x; x < rect.x + rect.width; ++x) {
            QColor got = picture.pixelColor(x, y);
            if (got.red() != background.red || got.green() != background.green ||
                got.blue() != background.blue) {
                ++painted;
            }
        }
    }
    return painted;
}

}  // namespace game_buttons

TEST(DesktopGameView, ButtonsAreDrawnAndAClickOnNextAdvancesOnePly) {
    using game_buttons::PaintedPixels;
    TempDir offWork;
    game_buttons::WriteButtonSetting(offWork, false);
    GameWindow off(offWork, testing::TestDataPath("pgn/world_matches.pgn"));
    ASSERT_EQ(off.core.displayMode, shell::kModeGame);
    const display::GameLayout& layout = off.core.Viewer().Display().Layout();
    const display::RgbColour background = off.core.Viewer().Display().Options().colours.background;
    const std::vector<display::GameButtonPlace> places = display::LayOutGameButtons(layout);
    ASSERT_EQ(places.size(), static_cast<std::size_t>(display::kGameButtonCount));
    // Off: the margin right of the move number stays empty.
    QImage plain = off.Grab();
    for (const display::GameButtonPlace& place : places) {
        EXPECT_EQ(PaintedPixels(plain, place.rect, background), 0);
    }

    TempDir work;
    game_buttons::WriteButtonSetting(work, true);
    GameWindow game(work, testing::TestDataPath("pgn/world_matches.pgn"));
    ASSERT_EQ(game.core.displayMode, shell::kModeGame);
    display::GameDisplay& display = game.core.Viewer().Display();
    QImage shown = game.Grab();
    for (const display::GameButtonPlace& place : places) {
        // A frame and a label: a good share of the button is not background.
        EXPECT_GT(PaintedPixels(shown, place.rect, background), place.rect.width * place.rect.height / 4);
    }
    const display::PixelRect next = places[static_cast<int>(display::GameButton::kNext)].rect;
    search_editing::ClickAt(game.window->Status(), QPoint(next.x + next.width / 2, next.y + next.height / 2));
    game.Settle();
    EXPECT_EQ(display.CurrentPly(), 1);
    EXPECT_EQ(game.core.currentPly, 1);
}

TEST(DesktopGameView, LongAnnotationGetsAScrollBarThatScrollsTheList) {
    TempDir work;
    game_buttons::WriteButtonSetting(work, true);
    GameWindow game(work, testing::TestDataPath("pgn/world_matches.pgn"));
    ASSERT_EQ(game.core.displayMode, shell::kModeGame);
    auto* view = qobject_cast<GameViewWidget*>(game.window->Status());
    ASSERT_NE(view, nullptr);
    display::GameDisplay& display = game.core.Viewer().Display();
    const int visible = display.Layout().BelowBoardLines();

    // The comment before the first move is longer than the rows below the board.
    game.Grab();
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
    game.Grab();
    EXPECT_EQ(bar->value(), 2);

    // The wheel over the list scrolls it and leaves the game where it is.
    const QPointF middle(list.area.x + list.area.width / 3, list.area.y + list.area.height / 2);
    QWheelEvent towardsUser(middle, view->mapToGlobal(middle), QPoint(), QPoint(0, -120), Qt::NoButton,
                            Qt::NoModifier, Qt::NoScrollPhase, false);
    QCoreApplication::sendEvent(view, &towardsUser);
    EXPECT_EQ(display.Annotations().FirstLine(), 3);
    EXPECT_EQ(display.CurrentPly(), 0);
    game.Grab();
    EXPECT_EQ(bar->value(), 3);

    // A step shows the next ply's lines from the top: none here, so no bar.
    game.core.Viewer().Key(shell::GameKey::kNext);
    game.Grab();
    EXPECT_EQ(display.Annotations().FirstLine(), 0);
    EXPECT_FALSE(bar->isVisible());
    // The last move's long comment brings it back at the top.
    game.core.Viewer().Key(shell::GameKey::kEnd);
    game.Grab();
    EXPECT_TRUE(bar->isVisible());
    EXPECT_EQ(bar->value(), 0);
    EXPECT_EQ(bar->maximum(), display.Annotations().LineCount() - visible);
}

}  // namespace

// With the window's own font measure, long castling fits the move-list columns on every board
// size: with its move number in the white column and alone in the black one.
TEST(DesktopGameView, MoveListColumnsHoldLongCastlingUncut) {
    for (settings::BoardSizeOption size :
         {settings::BoardSizeOption::kSmall, settings::BoardSizeOption::kMedium,
          settings::BoardSizeOption::kLarge}) {
        TempDir work;
        WriteSettings(work, [&](settings::SettingsRecord& settings) {
            settings.SetBoardSize(size);
            settings.SetSlideDelay(0);
            settings.SetNotationStyle(0);
        });

        GameWindow game(work, testing::TestDataPath("pgn/dortmund.pgn"));
        // Seitz - Johner: 11...O-O-O 12.O-O-O; the current move, 12.O-O-O, is drawn bold.
        game.core.File().currentGame = 3;
        game.core.HandleCommand(shell::kCmdDisplayGame);
        game.Settle();
        display::GameDisplay& display = game.core.Viewer().Display();
        display.GoToPly(23);
        const display::GameViewState state = game.core.Viewer().State();
        std::vector<std::string> texts;
        // The move list's items, not the move line below the board.
        for (const display::TextItem& item : state.texts) {
            if (item.x >= display.Layout().panelX) {
                texts.push_back(item.text);
            }
        }
        EXPECT_NE(std::find(texts.begin(), texts.end(), " 12. O-O-O"), texts.end()) << static_cast<int>(size);
        EXPECT_NE(std::find(texts.begin(), texts.end(), "O-O-O"), texts.end()) << static_cast<int>(size);
    }
}

TEST(DesktopGameView, GoToMoveFormKeepsAMoveTheGameHasNotOpen) {
    Application();
    shell::GoToMoveDialog data(7);
    GoToMoveDialogWidget form(data);
    std::vector<std::string> shown;
    form.showMessage = [&](const std::string& text) { shown.push_back(text); };
    form.MoveNumber()->setText("4");
    form.BlackMove()->setChecked(true);
    form.Ok();
    EXPECT_EQ(shown, std::vector<std::string>{"Enter a move number from 1 to 4."});
    EXPECT_NE(form.result(), QDialog::Accepted);
    form.BlackMove()->setChecked(false);
    form.Ok();
    EXPECT_EQ(form.result(), QDialog::Accepted);
    EXPECT_EQ(data.Ply(), 7);
}

}  // namespace ravelin::gui
