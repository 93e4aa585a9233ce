// The game display driven through the main window as the menus drive it: stepping, the move list,
// the slides, the last move's frames and the navigation buttons.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "chess/board.h"
#include "display/board_geometry.h"
#include "display/game_buttons.h"
#include "display/game_display.h"
#include "game_view_session.h"
#include "shell/dialogs/options_dialog.h"
#include "shell/menus.h"

namespace ravelin::display {
namespace {

using testing::DataText;
using testing::GameViewSession;
using testing::KnightShuffle;

const std::string kCastling =
    "[Event \"Castling\"]\n[Result \"*\"]\n\n1.e4 e5 2.Nf3 Nc6 3.Bc4 {develops} Bc5 4.O-O Nf6 *\n\n";
const std::string kEnPassant = "[Event \"EnPassant\"]\n[Result \"*\"]\n\n1.e4 a6 2.e5 d5 3.exd6 *\n\n";

void Slides(settings::SettingsRecord& settings) {
    settings.SetSlideDelay(100);
}

TEST(MoveList, CurrentMoveIsHighlightedTheResultFollowsTheLastMoveAndAnnotatedNumbersAreBlue) {
    GameViewSession viewer(KnightShuffle(3));
    GameDisplay& display = viewer.Display();
    display.NextPly();
    GameViewState state = viewer.State();
    // Texts of the move list, below its three heading rows.
    auto find = [&](const std::string& text) {
        return std::find_if(state.texts.begin(), state.texts.end(), [&](const TextItem& item) {
            return item.text == text && item.y >= display.Layout().MoveRowY(4) &&
                   item.x >= display.Layout().panelX;
        });
    };
    ASSERT_NE(find("  1. Nf3"), state.texts.end());
    EXPECT_EQ(find("  1. Nf3")->colour, display.Options().currentMoveColour);
    EXPECT_EQ(find("Nf6")->colour, kTextColour);
    EXPECT_EQ(find("*"), state.texts.end());
    display.GoToPly(kGoToLast);
    state = viewer.State();
    EXPECT_NE(find("*"), state.texts.end());
    EXPECT_EQ(find("  2. Ng1")->colour, display.Options().currentMoveColour);
    GameViewSession annotated(kCastling);
    annotated.Display().GoToPly(5);
    state = annotated.State();
    auto number = std::find_if(state.texts.begin(), state.texts.end(), [](const TextItem& item) {
        return item.text.find("3.") != std::string::npos && item.text.find("Bc4") != std::string::npos &&
               item.x < 100;
    });
    ASSERT_NE(number, state.texts.end());
    EXPECT_EQ(number->colour, kAnnotatedMoveNumberColour);
    EXPECT_EQ(annotated.Display().MoveNumberText(6), "  3. ... Bc5");
}

TEST(Animation, CastlingSlidesKingAndRookAndEnPassantClearsTheCapturedPawn) {
    GameViewSession viewer(kCastling, 1, Slides);
    GameDisplay& display = viewer.Display();
    display.GoToPly(6);
    ASSERT_TRUE(display.NextPly());
    ASSERT_TRUE(display.Animating());
    // One piece slides after the other: when the first has arrived the second is still on its way.
    auto kingHome = [&] { return viewer.Shown('g', 1) == chess::kKing; };
    auto rookHome = [&] { return viewer.Shown('f', 1) == chess::kRook; };
    while (!kingHome() && !rookHome()) {
        display.StepAnimation();
    }
    EXPECT_TRUE(display.Animating());
    EXPECT_NE(kingHome(), rookHome());
    display.FinishAnimation();
    EXPECT_EQ(viewer.Shown('f', 1), chess::kRook);
    EXPECT_EQ(viewer.Shown('e', 1), chess::kEmpty);
    EXPECT_EQ(viewer.Shown('h', 1), chess::kEmpty);
    ASSERT_TRUE(display.PreviousPly());
    EXPECT_TRUE(display.Animating());
    display.FinishAnimation();
    EXPECT_EQ(viewer.Shown('e', 1), chess::kKing);
    EXPECT_EQ(viewer.Shown('h', 1), chess::kRook);
    EXPECT_EQ(viewer.Shown('g', 1), chess::kEmpty);
    // A change the slides cannot show is reported and the whole board drawn.
    viewer.ClearRecords();
    display.DisplayMoveChange(0, 8);
    EXPECT_EQ(viewer.Messages(), std::vector<std::string>{std::string(kErrorInDisplayMove)});
    EXPECT_FALSE(display.Animating());
    EXPECT_EQ(viewer.Shown('g', 1), chess::kKing);
    EXPECT_EQ(viewer.Shown('f', 6), chess::kKnight + chess::kBlackOffset);
    // En passant: the captured pawn is gone at once while the capturing one is on its way.
    GameViewSession enPassant(kEnPassant, 1, Slides);
    enPassant.Display().GoToPly(4);
    enPassant.Display().NextPly();
    EXPECT_TRUE(enPassant.Display().Animating());
    EXPECT_EQ(enPassant.Shown('d', 5), chess::kEmpty);
    enPassant.Display().FinishAnimation();
    EXPECT_EQ(enPassant.Shown('d', 6), chess::kPawn);
    enPassant.Display().PreviousPly();
    enPassant.Display().FinishAnimation();
    EXPECT_EQ(enPassant.Shown('d', 5), chess::kPawn + chess::kBlackOffset);
    EXPECT_EQ(enPassant.Shown('e', 5), chess::kPawn);
}

TEST(NextGame, NextPrevAndTheScrollBarShowTheNeighboursAndAutoPlayStopsAtTheEnd) {
    GameViewSession viewer(KnightShuffle(2) + kCastling + kEnPassant);
    viewer.Command(shell::kCmdNextGame);
    EXPECT_EQ(viewer.Display().TotalPlies(), 8);
    viewer.Command(shell::kCmdNextGame);
    viewer.Command(shell::kCmdNextGame);
    EXPECT_EQ(viewer.window.File().currentGame, 3);
    EXPECT_EQ(viewer.Display().TotalPlies(), 5);
    viewer.Command(shell::kCmdPrevGame);
    EXPECT_EQ(viewer.window.File().currentGame, 2);
    // A typed or stored ply never passes the end; the previous ply is where the jump came from.
    viewer.Display().storedPly = 5;
    viewer.Display().GoToPly(kGoToStored);
    viewer.Display().GoToPly(77);
    EXPECT_EQ(viewer.Display().CurrentPly(), 8);
    EXPECT_EQ(viewer.Display().PreviousPlyValue(), 5);
    viewer.window.ScrollToGame(1);
    viewer.Run();
    EXPECT_EQ(viewer.Display().TotalPlies(), 2);
    viewer.Command(shell::kCmdAutoPlay);
    ASSERT_TRUE(viewer.window.AutoPlayer().On());
    for (std::string_view menu : shell::kGameMenuNames) {  // renamed in every game menu
        EXPECT_EQ(viewer.window.Menus().ItemLabel(menu, shell::kCmdAutoPlay), "Stop Auto Play") << menu;
    }
    viewer.window.HandleTimer(shell::kAutoPlayTimer);
    EXPECT_EQ(viewer.Display().CurrentPly(), 1);
    viewer.window.HandleTimer(shell::kAutoPlayTimer);
    viewer.window.HandleTimer(shell::kAutoPlayTimer);
    EXPECT_EQ(viewer.Display().CurrentPly(), 2);
    EXPECT_FALSE(viewer.window.AutoPlayer().On());
    EXPECT_EQ(viewer.window.Menus().ItemLabel("GameMenu", shell::kCmdAutoPlay),
              std::optional<std::string>("Auto Play"));
    EXPECT_TRUE(viewer.platform.timers.empty());
    // Exit stops it too.
    viewer.Command(shell::kCmdAutoPlay);
    viewer.Command(shell::kCmdExit);
    EXPECT_TRUE(viewer.platform.timers.empty());
}

struct HighlightViewer : GameViewSession {
    explicit HighlightViewer(int kind, bool animate = false)
        : GameViewSession(kCastling, 1, [kind, animate](settings::SettingsRecord& settings) {
              settings.SetHighlightLastMove(kind);
              settings.SetSlideDelay(animate ? 100 : 0);
          }) {}
    // How far the frame reaches into the square from the left edge of its interior, halfway down.
    int Frame(char file, int rank) {
        const PixelRect inner = SquareInterior(Display().Screen().View(), file - 'a' + 1, rank);
        int width = 0;
        while (Display().Screen().Image().Pixel(inner.x + width, inner.y + inner.height / 2) ==
               Display().Options().colours.lastMove) {
            ++width;
        }
        return width;
    }
};

TEST(LastMoveHighlight, NoneNormalAndThickFrameTheFromAndToSquaresOfTheCurrentMoveOnly) {
    HighlightViewer normal(1);
    HighlightViewer thick(2);
    for (HighlightViewer* viewer : {&normal, &thick}) {
        viewer->Display().NextPly();
    }
    EXPECT_GT(normal.Frame('e', 2), 0);
    EXPECT_GT(thick.Frame('e', 4), normal.Frame('e', 4));
    normal.Display().NextPly();
    // The white move's frames go when black has moved.
    EXPECT_EQ(normal.Frame('e', 2) + normal.Frame('e', 4), 0);
    EXPECT_GT(normal.Frame('e', 7) * normal.Frame('e', 5), 0);
    // Flipped, the frames follow the squares.
    normal.Display().PreviousPly();
    normal.Command(shell::kCmdFlip);
    ASSERT_TRUE(normal.Display().Flipped());
    EXPECT_GT(normal.Frame('e', 2) * normal.Frame('e', 4), 0);
    // Castling frames the king's squares after the slides.
    HighlightViewer castling(1, true);
    castling.Display().GoToPly(6);
    castling.Display().NextPly();
    while (castling.Display().Animating()) {
        castling.Display().StepAnimation();
    }
    EXPECT_GT(castling.Frame('e', 1) * castling.Frame('g', 1), 0);
    EXPECT_EQ(castling.Frame('h', 1) + castling.Frame('c', 5), 0);
}

// Without "Auto Display Game" an opened file shows nothing until Display Game. The user's own (broken)
// file for the default piece style stays, and its failure is reported once, not at each paint.
TEST(DisplayGame, WaitsForTheCommandWithoutAutoDisplayAndReportsABrokenPieceSetOnce) {
    shell::testing_support::Dirs dirs;
    dirs.work.Write("classic.bmp", "BM not really a bitmap");
    shell::testing_support::Session session(dirs.work.Path().string());
    session.window.StartUp(dirs.files.Write("games.pgn", KnightShuffle(4)));
    session.window.Settings().SetInt(settings::kOffsetAutoDisplayGame, 0);
    session.Run();
    EXPECT_EQ(session.window.displayMode, shell::kModeNothing);
    session.Command(shell::kCmdDisplayGame);
    session.window.Viewer().State();
    session.window.Viewer().State();
    const std::vector<std::string> texts = session.Messages();
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const std::string& t) { return t.rfind("Error", 0) == 0; }),
              1);
    EXPECT_TRUE(session.window.Viewer().Display().HasGame());
    EXPECT_EQ(ravelin::testing::ReadWholeFile(dirs.work.File("classic.bmp")), "BM not really a bitmap");
}

PixelRect RectOf(const GameLayout& layout, GameButton button) {
    for (const GameButtonPlace& place : LayOutGameButtons(layout)) {
        if (place.button == button) {
            return place.rect;
        }
    }
    return {};
}

// The first game of the real file: 17 plies.
const std::string kMatches = DataText("pgn/world_matches.pgn");

// The Options dialog turns the buttons on and off, every text staying where it was; while they are
// off a click where they would be does nothing.
TEST(GameButtonsShown, OptionsTurnThemOnAndOffLeavingEveryTextAsItWas) {
    GameViewSession game(kMatches);
    game.Display().GoToPly(17);
    game.ClickIn(RectOf(game.Display().Layout(), GameButton::kPrevious));
    EXPECT_EQ(game.Display().CurrentPly(), 17);
    auto placed = [&] {
        std::vector<std::tuple<std::string, int, int>> texts;
        for (const TextItem& item : game.State().texts) {
            texts.emplace_back(item.text, item.x, item.y);
        }
        return texts;
    };
    const auto off = placed();
    for (bool on : {true, false}) {
        game.OnDialog<shell::OptionsDialog>([on](shell::OptionsDialog& options) {
            options.displayGameButtons = on;
            return true;
        });
        game.Command(shell::kCmdOptions);
        game.Display().GoToPly(17);
        EXPECT_EQ(game.State().buttons.size(), on ? static_cast<std::size_t>(kGameButtonCount) : 0u);
        EXPECT_EQ(game.window.Settings().DisplayGameButtons(), on);
        EXPECT_EQ(placed(), off);
    }
}

// Each button goes where its key goes, and is shown enabled exactly when it would move.
TEST(GameButtonsShown, EachButtonDoesWhatItsKeyDoesAndIsEnabledWhenItMoves) {
    GameViewSession game(
        kMatches, 1, [](settings::SettingsRecord& s) { s.SetInt(settings::kOffsetDisplayGameButtons, 1); });
    GameDisplay& display = game.Display();
    ASSERT_EQ(display.TotalPlies(), 17);
    auto press = [&](GameButton button) {
        game.ClickIn(RectOf(display.Layout(), button));
        return display.CurrentPly();
    };
    EXPECT_EQ(press(GameButton::kNext), 1);
    EXPECT_EQ(game.window.currentPly, 1);
    EXPECT_EQ(press(GameButton::kForwardTen), 11);
    // Less than ten plies from the end: the last ply.
    EXPECT_EQ(press(GameButton::kForwardTen), 17);
    EXPECT_EQ(press(GameButton::kBackTen), 7);
    EXPECT_EQ(press(GameButton::kPrevious), 6);
    EXPECT_EQ(press(GameButton::kBackTen), 0);
    EXPECT_EQ(display.Screen().Shown(), chess::MakeStartBoard());
    EXPECT_EQ(press(GameButton::kEnd), 17);
    EXPECT_EQ(game.window.currentPly, 17);
    EXPECT_EQ(press(GameButton::kStart), 0);
    for (int from : {0, 1, 16, 17}) {
        for (int k = 0; k < kGameButtonCount - 1; ++k) {  // all but Flip
            SCOPED_TRACE(std::to_string(from) + " " + std::string(kGameButtonLabels[k]));
            if (from == 0) {
                display.GoToStart();
            } else {
                display.GoToPly(from);
            }
            const bool enabled = game.State().buttons.at(static_cast<std::size_t>(k)).enabled;
            EXPECT_EQ(GameButtonActs(static_cast<GameButton>(k), from, 17), enabled);
            EXPECT_EQ(press(static_cast<GameButton>(k)) != from, enabled);
        }
    }
    // Flip turns the board as the Flip command does.
    press(GameButton::kFlip);
    EXPECT_TRUE(display.Screen().View().flipped);
    game.Command(shell::kCmdFlip);
    EXPECT_FALSE(display.Flipped());
}

}  // namespace
}  // namespace ravelin::display
