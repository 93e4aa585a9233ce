// The game display driven through the main window as the menus drive it: stepping, the move list,
// the slides, the last move's frames and the navigation buttons.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <vector>

#include "chess/board.h"
#include "display/board_geometry.h"
#include "display/game_buttons.h"
#include "display/game_display.h"
#include "game_view_session.h"
#include "shell/dialogs/options_dialog.h"

namespace ravelin::display {
namespace {

using testing::DataText;
using testing::GameViewSession;

// A legal game of plies knight moves back and forth.
std::string KnightShuffle(int plies) {
    static const char* const kCycle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::string text = "[Event \"Shuffle\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"*\"]\n\n";
    for (int ply = 1; ply <= plies; ++ply) {
        text += (ply % 2 == 1 ? std::to_string((ply + 1) / 2) + "." : "") + kCycle[(ply - 1) % 4] + " ";
    }
    return text + "*\n\n";
}

const std::string kCastling =
    "[Event \"Castling\"]\n[Result \"*\"]\n\n1.e4 e5 2.Nf3 Nc6 3.Bc4 {develops} Bc5 4.O-O Nf6 *\n\n";
const std::string kEnPassant = "[Event \"EnPassant\"]\n[Result \"*\"]\n\n1.e4 a6 2.e5 d5 3.exd6 *\n\n";

void Slides(settings::SettingsRecord& settings) {
    settings.SetSlideDelay(100);
}

TEST(OpenFileShowsTheGame, AutoDisplayGameShowsItAndWithoutItNothingIsShown) {
    GameViewSession viewer(KnightShuffle(6));
    EXPECT_EQ(viewer.window.displayMode, shell::kModeGame);
    EXPECT_EQ(viewer.Display().TotalPlies(), 6);
    EXPECT_EQ(viewer.Display().CurrentPly(), 0);
    shell::testing_support::Dirs dirs;
    shell::testing_support::Session session(dirs.work.Path().string());
    session.window.StartUp(dirs.files.Write("games.pgn", KnightShuffle(6)));
    session.window.Settings().SetInt(settings::kOffsetAutoDisplayGame, 0);
    session.Run();
    EXPECT_EQ(session.window.displayMode, shell::kModeNothing);
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
    EXPECT_FALSE(annotated.Display().PlyHasAnnotation(6));
}

TEST(Animation, CastlingSlidesKingAndRookAndBack) {
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
}

TEST(Animation, EnPassantSlidesThePawnAndClearsTheCapturedOne) {
    GameViewSession viewer(kEnPassant, 1, Slides);
    GameDisplay& display = viewer.Display();
    display.GoToPly(4);
    display.NextPly();
    EXPECT_TRUE(display.Animating());
    // The captured pawn is gone at once; the capturing one is on its way.
    EXPECT_EQ(viewer.Shown('d', 5), chess::kEmpty);
    display.FinishAnimation();
    EXPECT_EQ(viewer.Shown('d', 6), chess::kPawn);
    display.PreviousPly();
    display.FinishAnimation();
    EXPECT_EQ(viewer.Shown('d', 5), chess::kPawn + chess::kBlackOffset);
    EXPECT_EQ(viewer.Shown('e', 5), chess::kPawn);
}

TEST(SlideSpeed, TheDelayOfTheSettingsPacesTheSlides) {
    settings::SettingsRecord record;
    auto stepMs = [&](int delay) {
        record.SetSlideDelay(delay);
        return GameDisplayOptions::From(record, "").slideStepMs;
    };
    // "Slide Speed" 175 is kept as the delay 26, 200 as 1 and 1 as 200.
    EXPECT_EQ(stepMs(26), 7);
    EXPECT_EQ(stepMs(1), 1);
    EXPECT_EQ(stepMs(200), 50);
    record.SetSlideDelay(0);
    EXPECT_FALSE(GameDisplayOptions::From(record, "").animate);
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
    viewer.window.HandleTimer(shell::kAutoPlayTimer);
    EXPECT_EQ(viewer.Display().CurrentPly(), 1);
    viewer.window.HandleTimer(shell::kAutoPlayTimer);
    viewer.window.HandleTimer(shell::kAutoPlayTimer);
    EXPECT_EQ(viewer.Display().CurrentPly(), 2);
    EXPECT_FALSE(viewer.window.AutoPlayer().On());
    EXPECT_EQ(viewer.window.Menus().ItemLabel("GameMenu", shell::kCmdAutoPlay),
              std::optional<std::string>("Auto Play"));
    EXPECT_TRUE(viewer.platform.timers.empty());
}

// --- The last move's frames ---

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
    HighlightViewer none(0);
    HighlightViewer normal(1);
    HighlightViewer thick(2);
    for (HighlightViewer* viewer : {&none, &normal, &thick}) {
        viewer->Display().NextPly();
    }
    EXPECT_EQ(none.Frame('e', 2) + none.Frame('e', 4), 0);
    EXPECT_GT(normal.Frame('e', 2), 0);
    EXPECT_GT(thick.Frame('e', 4), normal.Frame('e', 4));
    normal.Display().NextPly();
    // The white move's frames go when black has moved.
    EXPECT_EQ(normal.Frame('e', 2) + normal.Frame('e', 4), 0);
    EXPECT_GT(normal.Frame('e', 7) * normal.Frame('e', 5), 0);
    normal.Display().GoToStart();
    EXPECT_EQ(normal.Frame('e', 7) + normal.Frame('e', 5), 0);
    // Flipped, the frames follow the squares.
    normal.Display().NextPly();
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

TEST(PieceSetFailure, IsReportedOnceAndNotFromPainting) {
    shell::testing_support::Dirs dirs;
    // The user's own (broken) file for the default style stays and is not replaced.
    dirs.work.Write("classic.bmp", "BM not really a bitmap");
    shell::testing_support::Session session(dirs.work.Path().string());
    session.Start(dirs.files.Write("games.pgn", KnightShuffle(4)));
    session.Command(shell::kCmdDisplayGame);
    session.window.Viewer().State();
    const std::vector<std::string> texts = session.Messages();
    EXPECT_EQ(std::count_if(texts.begin(), texts.end(),
                            [](const std::string& t) { return t.rfind("Error", 0) == 0; }),
              1);
    EXPECT_TRUE(session.window.Viewer().Display().HasGame());
    EXPECT_EQ(ravelin::testing::ReadWholeFile(dirs.work.File("classic.bmp")), "BM not really a bitmap");
}

// --- The navigation buttons: where they stand at each board size, and that a click on one does
// what its key or command does ---

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
    for (int squareSize : {kNormalSquareSize, kMediumSquareSize, kLargeSquareSize}) {
        SCOPED_TRACE(squareSize);
        const GameLayout layout = GameLayoutFor(squareSize);
        const std::vector<GameButtonPlace> places = LayOutGameButtons(layout);
        ASSERT_EQ(places.size(), static_cast<std::size_t>(kGameButtonCount));
        const int numberEnd =
            squareSize + EstimatedTextWidth(kWidestMoveNumber, layout.fontPixels, TextFont::kSans);
        for (std::size_t k = 0; k < places.size(); ++k) {
            const PixelRect& rect = places[k].rect;
            EXPECT_EQ(places[k].button, static_cast<GameButton>(k));
            EXPECT_GE(rect.y, kBoardExtentSquares * squareSize);
            // The lines below the board keep all their rows.
            EXPECT_LE(rect.y + rect.height, std::min(layout.boardImageSize, layout.belowBoardTop));
            EXPECT_GE(rect.height, layout.lineHeight);
            EXPECT_GE(rect.x, numberEnd);
            // The label and a little room on either side.
            const std::string_view label = kGameButtonLabels[k];
            EXPECT_GE(rect.width, EstimatedTextWidth(label, layout.fontPixels, TextFont::kSans) + 4) << label;
            if (k > 0) {
                EXPECT_GE(rect.x, places[k - 1].rect.x + places[k - 1].rect.width);
            }
            // The hit test finds each button from corner to corner and nothing above or below.
            EXPECT_EQ(GameButtonAt(layout, rect.x, rect.y), places[k].button);
            EXPECT_EQ(GameButtonAt(layout, rect.x + rect.width - 1, rect.y + rect.height - 1),
                      places[k].button);
            EXPECT_EQ(GameButtonAt(layout, rect.x + rect.width / 2, rect.y - 1), std::nullopt);
            EXPECT_EQ(GameButtonAt(layout, rect.x + rect.width / 2, rect.y + rect.height), std::nullopt);
            if (k <= 1) {  // left of the row, and between two buttons
                EXPECT_EQ(GameButtonAt(layout, rect.x - 1, rect.y + 1), std::nullopt);
            }
        }
        // The row ends with the board's squares.
        EXPECT_EQ(places.back().rect.x + places.back().rect.width, kBoardExtentSquares * squareSize);
    }
}

// The first game of the real file: 17 plies.
const std::string kMatches = DataText("pgn/world_matches.pgn");

TEST(GameButtonsShown, OptionsTurnThemOnAndOffLeavingEveryTextAsItWas) {
    GameViewSession game(kMatches);
    auto buttons = [&](bool on) {
        game.OnDialog<shell::OptionsDialog>([on](shell::OptionsDialog& options) {
            options.displayGameButtons = on;
            return true;
        });
        game.Command(shell::kCmdOptions);
        game.Display().GoToPly(17);
        return game.State();
    };
    const GameViewState without = game.State();
    EXPECT_TRUE(without.buttons.empty());
    // Where the buttons would be, a click does nothing while they are off.
    game.Display().GoToPly(17);
    game.ClickIn(RectOf(game.Display().Layout(), GameButton::kPrevious));
    EXPECT_EQ(game.Display().CurrentPly(), 17);
    const GameViewState off = game.State();
    const GameViewState with = buttons(true);
    EXPECT_EQ(with.buttons.size(), static_cast<std::size_t>(kGameButtonCount));
    ASSERT_EQ(off.texts.size(), with.texts.size());
    for (std::size_t k = 0; k < with.texts.size(); ++k) {
        EXPECT_EQ(off.texts[k].text, with.texts[k].text);
        EXPECT_EQ(off.texts[k].x, with.texts[k].x);
        EXPECT_EQ(off.texts[k].y, with.texts[k].y);
    }
    game.ClickIn(RectOf(game.Display().Layout(), GameButton::kPrevious));
    EXPECT_EQ(game.Display().CurrentPly(), 16);
    EXPECT_TRUE(buttons(false).buttons.empty());
    EXPECT_FALSE(game.window.Settings().DisplayGameButtons());
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
    // Flip always acts and turns the board as the Flip command does.
    EXPECT_TRUE(GameButtonActs(GameButton::kFlip, 0, 0));
    press(GameButton::kFlip);
    EXPECT_TRUE(display.Flipped());
    EXPECT_TRUE(display.Screen().View().flipped);
    game.Command(shell::kCmdFlip);
    EXPECT_FALSE(display.Flipped());
}

}  // namespace
}  // namespace ravelin::display
