// The game display's navigation buttons: where they stand at each board size, and that a click on
// one does what its key or command does.

#include "display/game_buttons.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include "display/board_geometry.h"
#include "display/piece_set.h"
#include "game_view_session.h"
#include "shell/dialogs/options_dialog.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

using testing::GameViewSession;

constexpr int kBoardSizes[] = {kNormalSquareSize, kMediumSquareSize, kLargeSquareSize};
// The widest move number the margin has to show left of the buttons.
constexpr char kWidestMoveNumber[] = "100. ... exd8=Q+";

PixelRect RectOf(const GameLayout& layout, GameButton button) {
    for (const GameButtonPlace& place : LayOutGameButtons(layout)) {
        if (place.button == button) {
            return place.rect;
        }
    }
    return {};
}

TEST(GameButtonRow, StandsInTheBottomMarginRightOfTheMoveNumberAtEveryBoardSize) {
    for (int squareSize : kBoardSizes) {
        SCOPED_TRACE(squareSize);
        const GameLayout layout = GameLayoutFor(squareSize);
        const std::vector<GameButtonPlace> places = LayOutGameButtons(layout);
        ASSERT_EQ(places.size(), static_cast<std::size_t>(kGameButtonCount));
        const int marginTop = kBoardExtentSquares * squareSize;
        const int numberEnd =
            squareSize + EstimatedTextWidth(kWidestMoveNumber, layout.fontPixels, TextFont::kSans);
        for (std::size_t k = 0; k < places.size(); ++k) {
            const PixelRect& rect = places[k].rect;
            EXPECT_EQ(places[k].button, static_cast<GameButton>(k));
            EXPECT_GE(rect.y, marginTop);
            // The lines below the board keep all their rows.
            EXPECT_LE(rect.y + rect.height, layout.boardImageSize);
            EXPECT_LE(rect.y + rect.height, layout.belowBoardTop);
            EXPECT_GE(rect.height, layout.lineHeight);
            EXPECT_GE(rect.x, numberEnd);
            // The label and a little room on either side.
            const std::string_view label = kGameButtonLabels[k];
            EXPECT_GE(rect.width, EstimatedTextWidth(label, layout.fontPixels, TextFont::kSans) + 4) << label;
            if (k > 0) {
                EXPECT_GT(rect.x, places[k - 1].rect.x + places[k - 1].rect.width - 1);
            }
        }
        // The row ends with the board's squares.
        EXPECT_EQ(places.back().rect.x + places.back().rect.width, kBoardExtentSquares * squareSize);
    }
}

TEST(GameButtonRow, HitTestFindsEachButtonAndNothingBesideThem) {
    const GameLayout layout = GameLayoutFor(kNormalSquareSize);
    for (const GameButtonPlace& place : LayOutGameButtons(layout)) {
        const PixelRect& r = place.rect;
        EXPECT_EQ(GameButtonAt(layout, r.x, r.y), place.button);
        EXPECT_EQ(GameButtonAt(layout, r.x + r.width / 2, r.y + r.height / 2), place.button);
        EXPECT_EQ(GameButtonAt(layout, r.x + r.width - 1, r.y + r.height - 1), place.button);
        EXPECT_EQ(GameButtonAt(layout, r.x + r.width / 2, r.y - 1), std::nullopt);
        EXPECT_EQ(GameButtonAt(layout, r.x + r.width / 2, r.y + r.height), std::nullopt);
    }
    const PixelRect first = RectOf(layout, GameButton::kStart);
    EXPECT_EQ(GameButtonAt(layout, first.x - 1, first.y + 1), std::nullopt);
    // Between two buttons.
    const PixelRect second = RectOf(layout, GameButton::kBackTen);
    EXPECT_EQ(GameButtonAt(layout, second.x - 1, second.y + 1), std::nullopt);
}

TEST(GameButtonRow, ButtonsThatWouldNotMoveAreShownDisabled) {
    EXPECT_FALSE(GameButtonActs(GameButton::kStart, 0, 17));
    EXPECT_FALSE(GameButtonActs(GameButton::kPrevious, 0, 17));
    EXPECT_FALSE(GameButtonActs(GameButton::kBackTen, 0, 17));
    EXPECT_TRUE(GameButtonActs(GameButton::kNext, 0, 17));
    EXPECT_TRUE(GameButtonActs(GameButton::kPrevious, 1, 17));
    EXPECT_FALSE(GameButtonActs(GameButton::kNext, 17, 17));
    EXPECT_FALSE(GameButtonActs(GameButton::kForwardTen, 17, 17));
    EXPECT_FALSE(GameButtonActs(GameButton::kEnd, 17, 17));
    EXPECT_TRUE(GameButtonActs(GameButton::kEnd, 16, 17));
    EXPECT_TRUE(GameButtonActs(GameButton::kFlip, 0, 0));

    GameViewState state;
    AddGameButtons(state, GameLayoutFor(kNormalSquareSize), 0, 17);
    ASSERT_EQ(state.buttons.size(), static_cast<std::size_t>(kGameButtonCount));
    EXPECT_FALSE(state.buttons[static_cast<int>(GameButton::kPrevious)].enabled);
    EXPECT_TRUE(state.buttons[static_cast<int>(GameButton::kNext)].enabled);
    EXPECT_EQ(state.buttons[static_cast<int>(GameButton::kNext)].label, ">");
}

// The first game of the real file: 17 plies.
std::string Matches() {
    return ravelin::testing::TestDataPath("pgn/world_matches.pgn");
}

void ButtonsOn(settings::SettingsRecord& settings) {
    settings.SetInt(settings::kOffsetDisplayGameButtons, 1);
}

TEST(GameButtonsShown, OffShowsNoButtonsAndLeavesEveryTextAsItWas) {
    GameViewSession off(Matches(), 1);
    GameViewSession on(Matches(), 1, ButtonsOn);
    ASSERT_TRUE(off.Display().HasGame());
    ASSERT_TRUE(on.Display().HasGame());
    off.Display().GoToPly(17);
    on.Display().GoToPly(17);
    const GameViewState without = off.State();
    const GameViewState with = on.State();
    EXPECT_TRUE(without.buttons.empty());
    EXPECT_EQ(with.buttons.size(), static_cast<std::size_t>(kGameButtonCount));
    ASSERT_EQ(without.texts.size(), with.texts.size());
    for (std::size_t k = 0; k < with.texts.size(); ++k) {
        EXPECT_EQ(without.texts[k].text, with.texts[k].text);
        EXPECT_EQ(without.texts[k].x, with.texts[k].x);
        EXPECT_EQ(without.texts[k].y, with.texts[k].y);
    }
    // Where the buttons would be, a click does nothing while they are off.
    const PixelRect previous = RectOf(off.Display().Layout(), GameButton::kPrevious);
    off.Viewer().Click(previous.x + 2, previous.y + 2);
    EXPECT_EQ(off.Display().CurrentPly(), 17);
}

TEST(GameButtonsShown, EachButtonDoesWhatItsKeyDoes) {
    GameViewSession game(Matches(), 1, ButtonsOn);
    GameDisplay& display = game.Display();
    ASSERT_EQ(display.TotalPlies(), 17);
    const GameLayout layout = display.Layout();
    auto press = [&](GameButton button) {
        const PixelRect rect = RectOf(layout, button);
        game.Viewer().Click(rect.x + rect.width / 2, rect.y + rect.height / 2);
        return display.CurrentPly();
    };
    EXPECT_EQ(press(GameButton::kNext), 1);
    EXPECT_EQ(game.session.window.currentPly, 1);
    EXPECT_EQ(press(GameButton::kForwardTen), 11);
    // Less than ten plies from the end: the last ply.
    EXPECT_EQ(press(GameButton::kForwardTen), 17);
    EXPECT_EQ(press(GameButton::kNext), 17);
    EXPECT_EQ(press(GameButton::kBackTen), 7);
    EXPECT_EQ(press(GameButton::kPrevious), 6);
    EXPECT_EQ(press(GameButton::kBackTen), 0);
    EXPECT_EQ(press(GameButton::kEnd), 17);
    EXPECT_EQ(game.session.window.currentPly, 17);
    EXPECT_EQ(press(GameButton::kStart), 0);
}

TEST(GameButtonsShown, FlipButtonTurnsTheBoardAsTheFlipCommandDoes) {
    GameViewSession game(Matches(), 1, ButtonsOn);
    GameDisplay& display = game.Display();
    ASSERT_FALSE(display.Flipped());
    const PixelRect flip = RectOf(display.Layout(), GameButton::kFlip);
    game.Viewer().Click(flip.x + 3, flip.y + 3);
    EXPECT_TRUE(display.Flipped());
    // The white rook that stood on a1 is drawn in the top right corner now.
    const PixelPoint a1 = SquareCorner(display.Screen().View(), 1, 1);
    EXPECT_GT(a1.x, 4 * display.Layout().squareSize);
    EXPECT_LT(a1.y, 2 * display.Layout().squareSize);
    game.session.Command(shell::kCmdFlip);
    EXPECT_FALSE(display.Flipped());
}

TEST(GameButtonsShown, OptionsDialogTurnsThemOnAndOffInTheGameDisplay) {
    GameViewSession game(Matches(), 1);
    ASSERT_EQ(game.session.window.displayMode, shell::kModeGame);
    auto runOptions = [&](bool buttons) {
        game.session.platform.dialogScript = [buttons](platform::Dialog& dialog) {
            auto* options = dynamic_cast<shell::OptionsDialog*>(&dialog);
            if (options == nullptr) {
                return false;
            }
            options->displayGameButtons = buttons;
            return true;
        };
        game.session.Command(shell::kCmdOptions);
    };
    EXPECT_TRUE(game.State().buttons.empty());
    runOptions(true);
    EXPECT_TRUE(game.session.window.Settings().DisplayGameButtons());
    EXPECT_EQ(game.State().buttons.size(), static_cast<std::size_t>(kGameButtonCount));
    const PixelRect next = RectOf(game.Display().Layout(), GameButton::kNext);
    game.Viewer().Click(next.x + 2, next.y + 2);
    EXPECT_EQ(game.Display().CurrentPly(), 1);
    runOptions(false);
    EXPECT_FALSE(game.session.window.Settings().DisplayGameButtons());
    EXPECT_TRUE(game.State().buttons.empty());
}

}  // namespace
}  // namespace ravelin::display
