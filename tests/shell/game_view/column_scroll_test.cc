// The column text's scroll bar: its range in 16-pixel lines, the user's scroll kept, and the text
// following the current move only when a step takes it out of view.

#include "display/column_scroll.h"

#include <gtest/gtest.h>

#include <string>

#include "display/game_display.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/shell_session.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

using shell::testing_support::Session;
using testing::TempDir;
using testing::TestDataPath;

// Seitz - Johner, Dortmund 1928, with many comments and variations: taller than the window.
constexpr int kLongAnnotatedGame = 3;

TEST(ColumnScrollPosition, StaysWithinTheRangeAndFollowsOnlyANewCurrentMove) {
    ColumnScroll scroll;
    scroll.SetExtent(40, 27);
    EXPECT_EQ(scroll.Range(), 13);
    EXPECT_TRUE(scroll.Bar().shown);
    EXPECT_EQ(scroll.Bar().page, 27);
    scroll.ScrollTo(50);
    EXPECT_EQ(scroll.Lines(), 13);
    EXPECT_EQ(scroll.Pixels(), 13 * kColumnTextLineHeight);
    scroll.ScrollBy(-20);
    EXPECT_EQ(scroll.Lines(), 0);
    scroll.ScrollTo(10);
    // A shorter text brings the position back into its range; one that fits shows no bar.
    scroll.SetExtent(30, 27);
    EXPECT_EQ(scroll.Lines(), 3);
    scroll.SetExtent(20, 27);
    EXPECT_EQ(scroll.Lines(), 0);
    EXPECT_FALSE(scroll.Bar().shown);

    EXPECT_TRUE(scroll.CurrentMoveChanged({5, 0, 0}));
    EXPECT_FALSE(scroll.CurrentMoveChanged({5, 0, 0}));
    EXPECT_TRUE(scroll.CurrentMoveChanged({5, 2, 1}));
    scroll.Reset();
    EXPECT_TRUE(scroll.CurrentMoveChanged({5, 2, 1}));
}

TEST(ColumnScrollPosition, LinesToBringAMoveIntoView) {
    EXPECT_EQ(LinesToBringIntoView(100, 116, 452), 0);
    EXPECT_EQ(LinesToBringIntoView(436, 452, 452), 0);
    EXPECT_EQ(LinesToBringIntoView(437, 453, 452), 1);
    EXPECT_EQ(LinesToBringIntoView(500, 516, 452), 4);
    EXPECT_EQ(LinesToBringIntoView(-1, 15, 452), -1);
    EXPECT_EQ(LinesToBringIntoView(-33, -17, 452), -3);
    EXPECT_EQ(ColumnVisibleLines(452), 27);
}

struct LongGame {
    explicit LongGame(bool column = true) : session(work.Path().string()) {
        session.Start(TestDataPath("pgn/dortmund.pgn"));
        session.window.Settings().SetSlideDelay(0);
        session.window.Settings().SetColumnFormat(column);
        session.window.File().currentGame = kLongAnnotatedGame;
        session.Command(shell::kCmdDisplayGame);
    }
    GameDisplay& Display() { return session.window.Viewer().Display(); }
    TextScrollBar Bar() { return session.window.Viewer().State().scrollBar; }
    // The y of the first text of the column.
    int FirstColumnY() {
        const GameViewState state = session.window.Viewer().State();
        return Display().ColumnText().texts.front().y;
    }
    TempDir work;
    Session session;
};

TEST(ColumnScrollBarInTheWindow, ALongAnnotatedGameHasABarOverItsExtraLines) {
    LongGame game;
    const TextScrollBar bar = game.Bar();
    ASSERT_TRUE(bar.shown);
    const GameLayout& layout = game.Display().Layout();
    EXPECT_EQ(bar.range, game.Display().ColumnText().lineCount - ColumnVisibleLines(layout.clientHeight));
    EXPECT_GT(bar.range, 0);
    EXPECT_EQ(bar.value, 0);
    EXPECT_EQ(bar.x, layout.panelX + layout.panelWidth);
    EXPECT_EQ(bar.height, layout.clientHeight);
    EXPECT_EQ(game.FirstColumnY(), kColumnFirstLineTop);
}

TEST(ColumnScrollBarInTheWindow, TheUsersScrollMovesTheTextByWholeLinesAndStands) {
    LongGame game;
    const int range = game.Bar().range;
    game.session.window.Viewer().ScrollColumn(4);
    EXPECT_EQ(game.Bar().value, 4);
    EXPECT_EQ(game.FirstColumnY(), kColumnFirstLineTop - 4 * kColumnTextLineHeight);
    // Painting again, or a step whose move stays in view, keeps it.
    game.session.window.Viewer().State();
    EXPECT_EQ(game.Bar().value, 4);
    game.session.window.Viewer().ScrollColumn(range + 10);
    EXPECT_EQ(game.Bar().value, range);
    // The wheel over the text: one notch towards the user is three lines further down.
    game.session.window.Viewer().ScrollColumn(0);
    const int x = game.Display().Layout().panelX + 10;
    EXPECT_TRUE(game.session.window.Viewer().ScrollWheel(x, 100, -1));
    EXPECT_EQ(game.Bar().value, 3);
    EXPECT_EQ(game.Display().CurrentPly(), 0);
    EXPECT_TRUE(game.session.window.Viewer().ScrollWheel(x, 100, 2));
    EXPECT_EQ(game.Bar().value, 0);
    // Over the board the wheel still steps through the game.
    EXPECT_FALSE(game.session.window.Viewer().ScrollWheel(10, 100, -1));
}

TEST(ColumnScrollBarInTheWindow, AStepOutOfViewBringsTheCurrentMoveBack) {
    LongGame game;
    GameDisplay& display = game.Display();
    const int range = game.Bar().range;
    // Scrolled to the end, the first moves are above the window: stepping to one follows it.
    game.session.window.Viewer().ScrollColumn(range);
    game.session.window.Viewer().Key(shell::GameKey::kNext);
    const TextScrollBar bar = game.Bar();
    EXPECT_LT(bar.value, range);
    bool currentInView = false;
    for (const ColumnMoveEntry& entry : display.ColumnText().moves) {
        if (entry.depth == 0 && entry.ply == 1) {
            currentInView = entry.top >= kColumnFirstLineTop && entry.bottom <= display.Layout().clientHeight;
        }
    }
    EXPECT_TRUE(currentInView);
    // The last move is below the top of the text: going there scrolls down.
    game.session.window.Viewer().ScrollColumn(0);
    display.GoToPly(kGoToLast);
    EXPECT_GT(game.Bar().value, 0);
}

TEST(ColumnScrollBarInTheWindow, NoBarWithoutTheColumnFormatOrInTextMode) {
    LongGame plain(false);
    EXPECT_FALSE(plain.Bar().shown);
    EXPECT_FALSE(plain.session.window.Viewer().ScrollWheel(plain.Display().Layout().panelX + 10, 100, -1));
    LongGame text;
    text.session.Command(shell::kCmdDisplayText);
    ASSERT_EQ(text.session.window.displayMode, shell::kModeText);
    EXPECT_FALSE(text.Bar().shown);
}

}  // namespace
}  // namespace ravelin::display
