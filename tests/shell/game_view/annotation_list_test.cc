// The annotation window below the board: all the lines of a ply's annotations, scrolled by its bar
// and the wheel, shown from the top at every navigation step.

#include "display/annotation_list.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "chess/annotations.h"
#include "display/piece_set.h"
#include "game_view_session.h"

namespace ravelin::display {
namespace {

using testing::DataText;
using testing::GameViewSession;
using Lines = std::vector<std::string>;

Lines Numbered(int count) {
    Lines lines;
    for (int k = 0; k < count; ++k) {
        lines.push_back("line " + std::to_string(k));
    }
    return lines;
}

TEST(AnnotationListScroll, StaysBetweenTheTopAndTheLastFullPageAndNewLinesStartAtTheTop) {
    AnnotationList list;
    list.Reset(Numbered(10));
    auto to = [&](int first) {
        list.ScrollTo(first, 3);
        return list.FirstLine();
    };
    auto by = [&](int lines) {
        list.ScrollBy(lines, 3);
        return list.FirstLine();
    };
    EXPECT_EQ(to(4), 4);
    EXPECT_EQ(to(9), 7);
    EXPECT_EQ(by(-20), 0);
    EXPECT_EQ(by(2), 2);
    EXPECT_EQ(AnnotationList::LastFirstLine(10, 0), 9);
    // Redrawn lines keep their place as far as they reach; new ones start at the top.
    list.ScrollTo(5, 3);
    list.Replace(Numbered(10));
    EXPECT_EQ(list.FirstLine(), 5);
    list.Replace(Numbered(4));
    EXPECT_EQ(list.FirstLine(), 3);
    list.Reset(Numbered(10));
    EXPECT_EQ(list.FirstLine(), 0);
    // Lines that all fit never scroll.
    list.Reset(Numbered(3));
    list.ScrollBy(1, 3);
    EXPECT_EQ(list.FirstLine(), 0);
    list.Reset({});
    list.ScrollTo(5, 3);
    EXPECT_EQ(list.FirstLine(), 0);
}

TEST(AnnotationListPlace, FillsTheWholeRowsBelowTheBoardWithABarOnlyWhenLinesOverflow) {
    // The last row of the move list's grid.
    constexpr int kLastMoveRow = 23;
    for (int squareSize : {kNormalSquareSize, kMediumSquareSize, kLargeSquareSize}) {
        SCOPED_TRACE(squareSize);
        const GameLayout layout = GameLayoutFor(squareSize);
        const int rows = layout.BelowBoardLines();
        ASSERT_GT(rows, 0);
        for (bool underPanel : {false, true}) {
            const AnnotationListPlace fits = PlaceAnnotationList(layout, rows, underPanel);
            EXPECT_EQ(fits.visibleLines, rows);
            EXPECT_EQ(fits.area.y, layout.belowBoardTop);
            EXPECT_EQ(fits.area.height, rows * layout.lineHeight);
            EXPECT_LE(fits.area.y + fits.area.height, layout.clientHeight);
            EXPECT_TRUE(fits.scrollBar.Empty());
            EXPECT_EQ(AnnotationTextWidth(fits), fits.area.width);
            if (underPanel) {
                // The move list ends above the lines that run on under it.
                EXPECT_EQ(fits.area.x + fits.area.width, layout.panelX + layout.panelWidth);
                EXPECT_LE(layout.MoveRowY(kLastMoveRow) + layout.lineHeight, fits.area.y);
            } else {
                // Clear of the panel, which holds the column text down to the bottom.
                EXPECT_LE(fits.area.x + fits.area.width, layout.panelX);
            }

            const AnnotationListPlace overflows = PlaceAnnotationList(layout, rows + 1, underPanel);
            ASSERT_FALSE(overflows.scrollBar.Empty());
            EXPECT_EQ(overflows.scrollBar.y, overflows.area.y);
            EXPECT_EQ(overflows.scrollBar.height, overflows.area.height);
            // At the board's right edge, whichever width the list has.
            EXPECT_EQ(overflows.scrollBar.x + overflows.scrollBar.width, layout.boardImageSize);
            EXPECT_LE(overflows.area.x + AnnotationTextWidth(overflows), overflows.scrollBar.x);
            // A line of the widest annotation text still fits beside the bar.
            const int width =
                squareSize == kNormalSquareSize ? chess::kNormalDisplayWidth : chess::kWideDisplayWidth;
            EXPECT_LE(EstimatedTextWidth(std::string(static_cast<std::size_t>(width), 'e'), layout.fontPixels,
                                         TextFont::kSans),
                      AnnotationTextWidth(overflows));
        }
    }
}

TEST(AnnotationListWrap, LinesFitTheWidthAndTogetherGiveTheText) {
    const std::string name = "Queen's Pawn Game: Accelerated London System, Steinitz Countergambit";
    constexpr int kFont = 11;
    const int whole = EstimatedTextWidth(name, kFont, TextFont::kSans);
    EXPECT_EQ(WrapToWidth(name, whole, kFont, nullptr), Lines{name});
    const Lines lines = WrapToWidth(name, whole / 2, kFont, nullptr);
    ASSERT_GE(lines.size(), 2u);
    std::string joined;
    for (const std::string& line : lines) {
        EXPECT_LE(EstimatedTextWidth(line, kFont, TextFont::kSans), whole / 2) << line;
        EXPECT_FALSE(line.empty());
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, name);
    // A word wider than a line is cut inside; a width too small for any character still ends.
    EXPECT_EQ(
        WrapToWidth("Countergambit", EstimatedTextWidth("Counter", kFont, TextFont::kSans), kFont, nullptr),
        (Lines{"Counter", "gambit"}));
    EXPECT_EQ(WrapToWidth("\u00e9t\u00e9", 0, kFont, nullptr), (Lines{"\u00e9", "t", "\u00e9"}));
    EXPECT_TRUE(WrapToWidth("", 100, kFont, nullptr).empty());
}

// --- The list in the game display, on real annotated games ---

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

void Medium(settings::SettingsRecord& settings) {
    settings.SetBoardSize(settings::BoardSizeOption::kMedium);
}

// 9.Nbd2 of the first game of world_matches.pgn carries an eight-line comment.
TEST(AnnotationWindow, LongCommentIsShownWholeThroughScrollingAtTheBoardsWidth) {
    for (bool medium : {false, true}) {
        SCOPED_TRACE(medium);
        GameViewSession game(DataText("pgn/world_matches.pgn"), 1, medium ? Medium : nullptr);
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
        std::string joined;
        for (const std::string& line : lines) {
            joined += (joined.empty() ? "" : " ") + line;
        }
        EXPECT_NE(joined.find("for three won games. Three opening fragments from the event remained known.}"),
                  std::string::npos);
    }
}

TEST(AnnotationWindow, ClosedWithAutoDisplayAnalysisCommentsOff) {
    GameViewSession game(DataText("pgn/world_matches.pgn"), 1, [](settings::SettingsRecord& settings) {
        settings.SetInt(settings::kOffsetAutoDisplayAnalysisComments, 0);
    });
    GameDisplay& display = game.Display();
    display.GoToPly(17);
    ASSERT_FALSE(display.AnnotationLines(17).empty());
    // Only the opening line, when the game has one, stays below the board.
    for (const std::string& line : display.Annotations().Lines()) {
        EXPECT_EQ(line.find('{'), std::string::npos) << line;
    }
    EXPECT_LE(display.Annotations().LineCount(), 2);
    EXPECT_TRUE(game.State().annotationList.scrollBar.Empty());
}

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
    // The window shows the whole name at the top of the list.
    std::string shown;
    for (const std::string& text : ListTexts(game.State())) {
        shown += (shown.empty() ? "" : " ") + text;
    }
    EXPECT_EQ(shown.rfind(opening, 0), 0u) << shown;

    // Without annotations the name has the list's whole width.
    display.PreviousPly();
    ASSERT_TRUE(display.AnnotationLines(16).empty());
    const AnnotationListPlace alone = display.AnnotationPlace(0);
    EXPECT_GT(AnnotationTextWidth(alone), AnnotationTextWidth(place));
    EXPECT_EQ(display.Annotations().Lines(), WrapToWidth(display.OpeningText(), AnnotationTextWidth(alone),
                                                         display.Layout().fontPixels, nullptr));
    EXPECT_TRUE(game.State().annotationList.scrollBar.Empty());
}

// A game with a comment of several lines after every move, so that each step leaves a scrolled
// list behind.
std::string EveryMoveCommented() {
    static const char* const kMoves[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    const std::string comment =
        " the knight has gone out and come back again while the other side waited for something to happen "
        "on the board, which it did not. Both players kept to this plan for the whole game, and neither was "
        "ever tempted to try anything else.}\n";
    std::string text = "[Event \"Comments\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"*\"]\n\n";
    text += "{Before the first move" + comment;
    for (int ply = 1; ply <= 24; ++ply) {
        if (ply % 2 == 1) {
            text += std::to_string((ply + 1) / 2) + ". ";
        }
        text += std::string(kMoves[(ply - 1) % 4]) + " {After ply " + std::to_string(ply) + comment;
    }
    return text + "*\n\n";
}

TEST(AnnotationWindow, EveryNavigationStepShowsTheNewPlyFromTheTop) {
    GameViewSession game(EveryMoveCommented());
    GameDisplay& display = game.Display();
    shell::GameViewer& viewer = game.Viewer();
    ASSERT_EQ(display.TotalPlies(), 24);
    const GameLayout& layout = display.Layout();
    struct Step {
        const char* name;
        int from;
        std::function<void()> run;
        int to;
    };
    const std::vector<Step> steps = {
        {"next", 3, [&] { viewer.Key(shell::GameKey::kNext); }, 4},
        {"previous", 3, [&] { viewer.Key(shell::GameKey::kPrevious); }, 2},
        {"ten forward", 3, [&] { viewer.Key(shell::GameKey::kForwardTen); }, 13},
        {"ten back", 13, [&] { viewer.Key(shell::GameKey::kBackTen); }, 3},
        {"start of game", 13, [&] { game.Command(shell::kCmdStartOfGame); }, 0},
        {"end of game", 13, [&] { game.Command(shell::kCmdEndOfGame); }, 24},
        {"middle of game", 3, [&] { game.Command(shell::kCmdMiddleOfGame); }, 11},
        {"typed ply", 3, [&] { display.GoToPly(7); }, 7},
        {"click in the move list", 3,
         [&] { viewer.Click(layout.MoveColumnX(0, true) + 2, layout.MoveRowY(6) + 2); }, 6},
        {"auto play", 3,
         [&] {
             game.Command(shell::kCmdAutoPlay);
             game.window.HandleTimer(shell::kAutoPlayTimer);
             game.Command(shell::kCmdAutoPlay);
         },
         4},
    };
    for (const Step& step : steps) {
        SCOPED_TRACE(step.name);
        display.GoToPly(step.from);
        display.ScrollAnnotationsTo(2);
        ASSERT_EQ(display.Annotations().FirstLine(), 2);
        step.run();
        EXPECT_EQ(display.CurrentPly(), step.to);
        EXPECT_EQ(display.Annotations().FirstLine(), 0);
        const Lines lines = display.AnnotationLines(step.to);
        EXPECT_EQ(display.Annotations().Lines(), lines);
        const Lines shown = ListTexts(game.State());
        ASSERT_FALSE(lines.empty());
        ASSERT_FALSE(shown.empty());
        EXPECT_EQ(shown.front(), lines.front());
    }
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
