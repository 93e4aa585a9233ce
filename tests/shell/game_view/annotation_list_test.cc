// The annotation window below the board: all the lines of a ply's annotations, scrolled by its bar
// and the wheel, shown from the top at every navigation step.

#include "display/annotation_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chess/annotations.h"
#include "game_view_session.h"

namespace ravelin::display {
namespace {

using testing::DataText;
using testing::GameViewSession;
using Lines = std::vector<std::string>;

// The texts of the list in a view state, top to bottom.
Lines ListTexts(const GameViewState& state) {
    Lines texts;
    for (const TextItem& item : state.texts) {
        if (state.annotationList.area.Contains(item.x, item.y)) {
            texts.push_back(item.text);
        }
    }
    return texts;
}

// Every line of the list, read page by page through the scroll position as the bar would move it.
Lines ReadByScrolling(GameViewSession& game) {
    Lines seen;
    GameViewState state = game.State();
    const int last = state.annotationList.lineCount - state.annotationList.visibleLines;
    for (int first = 0; first <= std::max(last, 0); ++first) {
        game.Display().ScrollAnnotationsTo(first);
        state = game.State();
        EXPECT_EQ(state.annotationList.firstLine, first);
        const Lines texts = ListTexts(state);
        // Each step shows one line more at the bottom.
        if (first == 0) {
            seen = texts;
        } else if (!texts.empty()) {
            seen.push_back(texts.back());
        }
    }
    return seen;
}

// 9.Nbd2 of the first game of world_matches.pgn carries an eight-line comment.
TEST(AnnotationWindow, LongCommentIsShownWholeThroughScrollingAtTheBoardsWidth) {
    for (bool medium : {false, true}) {
        SCOPED_TRACE(medium);
        GameViewSession game(DataText("pgn/world_matches.pgn"), 1,
                             [medium](settings::SettingsRecord& settings) {
                                 settings.SetBoardSize(medium ? settings::BoardSizeOption::kMedium
                                                              : settings::BoardSizeOption::kSmall);
                             });
        GameDisplay& display = game.Display();
        display.GoToPly(17);
        const Lines& lines = display.Annotations().Lines();
        EXPECT_EQ(lines, display.AnnotationLines(17));
        const std::size_t width = medium ? chess::kWideDisplayWidth : chess::kNormalDisplayWidth;
        std::size_t longest = 0;
        for (const std::string& line : lines) {
            longest = std::max(longest, line.size());
        }
        EXPECT_LE(longest, width);
        EXPECT_GT(longest, medium ? static_cast<std::size_t>(chess::kNormalDisplayWidth) : 0u);
        if (!medium) {
            ASSERT_GT(display.Annotations().LineCount(), display.Layout().BelowBoardLines());
            GameViewState state = game.State();
            EXPECT_FALSE(state.annotationList.scrollBar.Empty());
            EXPECT_EQ(ListTexts(state).size(), static_cast<std::size_t>(display.Layout().BelowBoardLines()));
        }
        // No line is cut short with dots: scrolling reaches every one.
        EXPECT_EQ(ReadByScrolling(game), lines);
        EXPECT_EQ(lines.front().rfind("{Leonardo's cautious play", 0), 0u);
        EXPECT_EQ(lines.back().substr(lines.back().size() - 7), "known.}");
    }
}

// The opening name stays on top of the list and loses nothing to its width; it alone stays when the
// analysis comments are not shown.
TEST(AnnotationWindow, OpeningNameStaysOnTopAndLosesNothingToTheListsWidth) {
    GameViewSession game(DataText("pgn/world_matches.pgn"), 1, [](settings::SettingsRecord& settings) {
        settings.SetInt(settings::kOffsetDisplayOpening, 1);
    });
    GameDisplay& display = game.Display();
    display.GoToPly(17);
    const std::string opening(display.OpeningText());
    ASSERT_FALSE(opening.empty());
    const Lines& lines = display.Annotations().Lines();
    // The long comment needs the scroll bar, so the name is wrapped beside it.
    const AnnotationListPlace place = display.AnnotationPlace(display.Annotations().LineCount());
    ASSERT_FALSE(place.scrollBar.Empty());
    const Lines openingLines =
        WrapToWidth(opening, AnnotationTextWidth(place), display.Layout().fontPixels, nullptr);
    const Lines annotations = display.AnnotationLines(17);
    ASSERT_EQ(lines.size(), openingLines.size() + annotations.size());
    const auto split = lines.begin() + static_cast<long>(openingLines.size());
    EXPECT_EQ(Lines(lines.begin(), split), openingLines);
    EXPECT_EQ(Lines(split, lines.end()), annotations);
    const Lines shown = ListTexts(game.State());
    EXPECT_EQ(Lines(shown.begin(), shown.begin() + static_cast<long>(openingLines.size())), openingLines);
    // Without annotations the name has the list's whole width.
    display.PreviousPly();
    ASSERT_TRUE(display.AnnotationLines(16).empty());
    const AnnotationListPlace alone = display.AnnotationPlace(0);
    EXPECT_GT(AnnotationTextWidth(alone), AnnotationTextWidth(place));
    const Lines openingAlone = display.Annotations().Lines();
    EXPECT_EQ(openingAlone,
              WrapToWidth(opening, AnnotationTextWidth(alone), display.Layout().fontPixels, nullptr));
    EXPECT_TRUE(game.State().annotationList.scrollBar.Empty());
    // With "Auto Display Analysis Comments" off only the opening line stays below the board.
    game.window.Settings().SetInt(settings::kOffsetAutoDisplayAnalysisComments, 0);
    game.Command(shell::kCmdDisplayGame);
    display.GoToPly(17);
    EXPECT_EQ(display.Annotations().Lines(), openingAlone);
    EXPECT_TRUE(game.State().annotationList.scrollBar.Empty());
}

// The first game opens with a long comment before its first move.
TEST(AnnotationWindow, WheelOverTheListScrollsItAndNotTheGameAndAFlipKeepsThePlace) {
    GameViewSession game(DataText("pgn/world_matches.pgn"));
    GameDisplay& display = game.Display();
    const int last = display.Annotations().LineCount() - display.Layout().BelowBoardLines();
    ASSERT_GT(last, 1);
    const PixelRect area = game.State().annotationList.area;
    const int x = area.x + area.width / 2;
    const int y = area.y + area.height / 2;
    // Towards the user: later lines, the game stays where it is.
    std::vector<int> firsts;
    for (int steps : {-1, -100, 1, 100}) {
        game.Viewer().Wheel(steps, x, y);
        firsts.push_back(display.Annotations().FirstLine());
    }
    EXPECT_EQ(firsts, (std::vector<int>{1, last, last - 1, 0}));
    EXPECT_EQ(display.CurrentPly(), 0);
    display.ScrollAnnotationsTo(2);
    game.Command(shell::kCmdFlip);
    EXPECT_TRUE(display.Flipped());
    EXPECT_EQ(display.Annotations().FirstLine(), 2);
    // Over the board the wheel still steps through the game.
    game.Viewer().Wheel(-1, 4 * display.Layout().squareSize, 4 * display.Layout().squareSize);
    EXPECT_EQ(display.CurrentPly(), 1);
}

}  // namespace
}  // namespace ravelin::display
