// The game display driven through the main window as the menus drive it.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>

#include "chess/board.h"
#include "display/game_display.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/shell_session.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

using shell::testing_support::Session;
using testing::TempDir;

// A legal game of plies knight moves back and forth.
std::string KnightShuffle(int plies) {
    static const char* const kCycle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::string text = "[Event \"Shuffle\"]\n[White \"A\"]\n[Black \"B\"]\n[Result \"*\"]\n\n";
    for (int ply = 1; ply <= plies; ++ply) {
        if (ply % 2 == 1) {
            text += std::to_string((ply + 1) / 2) + ".";
        }
        text += std::string(kCycle[(ply - 1) % 4]) + " ";
    }
    return text + "*\n\n";
}

const std::string kCastling =
    "[Event \"Castling\"]\n[Result \"*\"]\n\n1.e4 e5 2.Nf3 Nc6 3.Bc4 {develops} Bc5 4.O-O Nf6 *\n\n";
const std::string kEnPassant = "[Event \"EnPassant\"]\n[Result \"*\"]\n\n1.e4 a6 2.e5 d5 3.exd6 *\n\n";

struct Viewer {
    explicit Viewer(const std::string& pgn, bool animate = false) : session(work.Path().string()) {
        path = files.Write("games.pgn", pgn);
        session.Start(path);
        // Plain letters and, unless asked for, no slides; the game is shown again with them.
        session.window.Settings().SetSlideDelay(animate ? kSlideDelay : 0);
        session.window.Settings().SetNotationStyle(0);
        session.Command(shell::kCmdDisplayGame);
    }
    static constexpr int kSlideDelay = 100;
    GameDisplay& Display() { return session.window.Viewer().Display(); }
    chess::PieceCode Shown(char file, int rank) { return Display().Screen().Shown()[file - 'a' + 1][rank]; }

    TempDir work;
    TempDir files;
    std::string path;
    Session session;
};

TEST(OpenFileShowsTheGame, AutoDisplayGamePostsDisplayGame) {
    Viewer viewer(KnightShuffle(6));
    EXPECT_EQ(viewer.session.window.displayMode, shell::kModeGame);
    EXPECT_TRUE(viewer.Display().HasGame());
    EXPECT_EQ(viewer.Display().TotalPlies(), 6);
    EXPECT_EQ(viewer.Display().CurrentPly(), 0);
    EXPECT_EQ(viewer.Shown('g', 1), chess::kKnight);
}

TEST(OpenFileShowsTheGame, WithoutAutoDisplayNothingIsShown) {
    TempDir work;
    TempDir files;
    std::string path = files.Write("games.pgn", KnightShuffle(4));
    Session session(work.Path().string());
    session.window.StartUp(path);
    session.window.Settings().SetInt(settings::kOffsetAutoDisplayGame, 0);
    session.Run();
    EXPECT_EQ(session.window.displayMode, shell::kModeNothing);
}

TEST(Stepping, NextAndPreviousStopAtTheEnds) {
    Viewer viewer(KnightShuffle(3));
    GameDisplay& display = viewer.Display();
    EXPECT_FALSE(display.PreviousPly());
    EXPECT_TRUE(display.NextPly());
    EXPECT_EQ(viewer.Shown('f', 3), chess::kKnight);
    EXPECT_EQ(viewer.Shown('g', 1), chess::kEmpty);
    EXPECT_TRUE(display.NextPly());
    EXPECT_TRUE(display.NextPly());
    EXPECT_FALSE(display.NextPly());
    EXPECT_EQ(display.CurrentPly(), 3);
    EXPECT_EQ(display.PreviousPlyValue(), 2);
    EXPECT_TRUE(display.PreviousPly());
    EXPECT_EQ(display.CurrentPly(), 2);
}

TEST(GoToPly, MiddleOfA41PlyGameIsPly19) {
    Viewer viewer(KnightShuffle(41));
    viewer.session.Command(255);
    EXPECT_EQ(viewer.Display().CurrentPly(), 19);
    EXPECT_EQ(viewer.session.window.currentPly, 19);
}

TEST(GoToPly, ArgumentsPickLastStoredTypedAndNeverPassTheEnd) {
    Viewer viewer(KnightShuffle(40));
    GameDisplay& display = viewer.Display();
    display.GoToPly(kGoToLast);
    EXPECT_EQ(display.CurrentPly(), 40);
    display.storedPly = 12;
    display.GoToPly(kGoToStored);
    EXPECT_EQ(display.CurrentPly(), 12);
    display.GoToPly(77);
    EXPECT_EQ(display.CurrentPly(), 40);
    display.GoToPly(5);
    EXPECT_EQ(display.CurrentPly(), 5);
    viewer.session.Command(254);
    EXPECT_EQ(display.CurrentPly(), 0);
    viewer.session.Command(256);
    EXPECT_EQ(display.CurrentPly(), 40);
}

TEST(TenPlies, ForwardNearTheEndGoesToTheLastPly) {
    Viewer viewer(KnightShuffle(40));
    GameDisplay& display = viewer.Display();
    display.GoToPly(35);
    display.ForwardTen();
    EXPECT_EQ(display.CurrentPly(), 40);
    display.GoToPly(3);
    display.ForwardTen();
    EXPECT_EQ(display.CurrentPly(), 13);
}

TEST(TenPlies, BackFromPlyTenGoesToTheStart) {
    Viewer viewer(KnightShuffle(40));
    GameDisplay& display = viewer.Display();
    display.GoToPly(10);
    display.BackTen();
    EXPECT_EQ(display.CurrentPly(), 0);
    display.GoToPly(25);
    display.BackTen();
    EXPECT_EQ(display.CurrentPly(), 15);
    EXPECT_EQ(viewer.Shown('g', 1), chess::kKnight);
    EXPECT_EQ(viewer.Shown('f', 3), chess::kEmpty);
}

TEST(MoveList, CurrentMoveIsHighlightedAndTheResultFollowsTheLastMove) {
    Viewer viewer(KnightShuffle(3));
    GameDisplay& display = viewer.Display();
    display.NextPly();
    GameViewState state = display.State("File", "Game");
    // Texts of the move list, below its three heading rows.
    const int gridTop = display.Layout().MoveRowY(4);
    auto find = [&](const std::string& text) {
        return std::find_if(state.texts.begin(), state.texts.end(), [&](const TextItem& item) {
            return item.text == text && item.y >= gridTop && item.x >= display.Layout().panelX;
        });
    };
    auto first = find("  1. Nf3");
    ASSERT_NE(first, state.texts.end());
    EXPECT_EQ(first->colour, display.Options().currentMoveColour);
    EXPECT_EQ(find("Nf6")->colour, kTextColour);
    EXPECT_EQ(find("*"), state.texts.end());
    display.GoToPly(kGoToLast);
    state = display.State("File", "Game");
    EXPECT_NE(find("*"), state.texts.end());
    EXPECT_EQ(find("  2. Ng1")->colour, display.Options().currentMoveColour);
}

TEST(MoveList, ClickingAMoveGoesToIt) {
    Viewer viewer(KnightShuffle(12));
    GameDisplay& display = viewer.Display();
    const GameLayout& layout = display.Layout();
    viewer.session.window.Viewer().Click(layout.MoveColumnX(0, true) + 2, layout.MoveRowY(6) + 2);
    EXPECT_EQ(display.ClickedPly(), 6);
    EXPECT_EQ(display.CurrentPly(), 6);
    EXPECT_EQ(viewer.session.window.currentPly, 6);
}

TEST(MoveNumber, AnnotatedPlyIsDrawnInBlue) {
    Viewer viewer(kCastling);
    GameDisplay& display = viewer.Display();
    display.GoToPly(5);
    GameViewState state = display.State("", "");
    auto number = std::find_if(state.texts.begin(), state.texts.end(), [](const TextItem& item) {
        return item.text.find("3.") != std::string::npos && item.text.find("Bc4") != std::string::npos &&
               item.x < 100;
    });
    ASSERT_NE(number, state.texts.end());
    EXPECT_EQ(number->colour, kAnnotatedMoveNumberColour);
    display.NextPly();
    EXPECT_EQ(display.MoveNumberText(6), "  3. ... Bc5");
    EXPECT_FALSE(display.PlyHasAnnotation(6));
}

TEST(Animation, CastlingSlidesKingAndRookAndBack) {
    Viewer viewer(kCastling, true);
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
}

TEST(Animation, EnPassantSlidesThePawnAndClearsTheCapturedOne) {
    Viewer viewer(kEnPassant, true);
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

TEST(Animation, ErrorInDisplayMoveStillDrawsTheWholeBoard) {
    Viewer viewer(kCastling, true);
    GameDisplay& display = viewer.Display();
    viewer.session.ClearRecords();
    display.DisplayMoveChange(0, 8);
    ASSERT_EQ(viewer.session.platform.MessageTexts().size(), 1U);
    EXPECT_EQ(viewer.session.platform.MessageTexts()[0], kErrorInDisplayMove);
    EXPECT_FALSE(display.Animating());
    EXPECT_EQ(viewer.Shown('g', 1), chess::kKing);
    EXPECT_EQ(viewer.Shown('f', 6), chess::kKnight + chess::kBlackOffset);
}

TEST(Flip, FlipCommandTurnsTheBoard) {
    Viewer viewer(kCastling);
    viewer.session.Command(shell::kCmdFlip);
    EXPECT_TRUE(viewer.Display().Flipped());
    EXPECT_TRUE(viewer.Display().Screen().View().flipped);
}

TEST(NextGame, NextAndPrevGameShowTheNeighbours) {
    Viewer viewer(KnightShuffle(4) + kCastling + kEnPassant);
    viewer.session.Command(shell::kCmdNextGame);
    EXPECT_EQ(viewer.session.window.File().currentGame, 2);
    EXPECT_EQ(viewer.Display().TotalPlies(), 8);
    viewer.session.Command(shell::kCmdNextGame);
    viewer.session.Command(shell::kCmdNextGame);
    EXPECT_EQ(viewer.session.window.File().currentGame, 3);
    EXPECT_EQ(viewer.Display().TotalPlies(), 5);
    viewer.session.Command(shell::kCmdPrevGame);
    EXPECT_EQ(viewer.session.window.File().currentGame, 2);
    viewer.session.window.ScrollToGame(1);
    viewer.session.Run();
    EXPECT_EQ(viewer.Display().TotalPlies(), 4);
}

TEST(AutoPlay, TicksStepThroughTheGameAndStopAtTheEnd) {
    Viewer viewer(KnightShuffle(2));
    viewer.session.Command(shell::kCmdAutoPlay);
    ASSERT_TRUE(viewer.session.window.AutoPlayer().On());
    viewer.session.window.HandleTimer(shell::kAutoPlayTimer);
    EXPECT_EQ(viewer.Display().CurrentPly(), 1);
    viewer.session.window.HandleTimer(shell::kAutoPlayTimer);
    viewer.session.window.HandleTimer(shell::kAutoPlayTimer);
    EXPECT_EQ(viewer.Display().CurrentPly(), 2);
    EXPECT_FALSE(viewer.session.window.AutoPlayer().On());
}

// --- The last move's frames ---

struct HighlightViewer : Viewer {
    explicit HighlightViewer(int kind, bool animate = false) : Viewer(kCastling, animate) {
        session.window.Settings().SetHighlightLastMove(kind);
        session.Command(shell::kCmdDisplayGame);
    }
    // The left edge of a square's interior, halfway down: inside the frame, outside the piece.
    RgbColour FramePixel(char file, int rank) {
        const GameDisplay& display = Display();
        BoardView view = display.Screen().View();
        PixelRect inner = SquareInterior(view, file - 'a' + 1, rank);
        return display.Screen().Image().Pixel(inner.x, inner.y + inner.height / 2);
    }
    RgbColour LastMove() { return Display().Options().colours.lastMove; }
};

TEST(LastMoveHighlight, NormalFramesTheFromAndToSquaresOfTheCurrentMove) {
    HighlightViewer viewer(1);
    GameDisplay& display = viewer.Display();
    EXPECT_NE(viewer.FramePixel('e', 2), viewer.LastMove());
    display.NextPly();
    EXPECT_EQ(viewer.FramePixel('e', 2), viewer.LastMove());
    EXPECT_EQ(viewer.FramePixel('e', 4), viewer.LastMove());
    display.NextPly();
    // The white move's frames go when black has moved.
    EXPECT_NE(viewer.FramePixel('e', 2), viewer.LastMove());
    EXPECT_NE(viewer.FramePixel('e', 4), viewer.LastMove());
    EXPECT_EQ(viewer.FramePixel('e', 7), viewer.LastMove());
    EXPECT_EQ(viewer.FramePixel('e', 5), viewer.LastMove());
    display.GoToStart();
    EXPECT_NE(viewer.FramePixel('e', 7), viewer.LastMove());
    EXPECT_NE(viewer.FramePixel('e', 5), viewer.LastMove());
}

TEST(LastMoveHighlight, NoneDrawsNoFrame) {
    HighlightViewer viewer(0);
    viewer.Display().NextPly();
    EXPECT_NE(viewer.FramePixel('e', 2), viewer.LastMove());
    EXPECT_NE(viewer.FramePixel('e', 4), viewer.LastMove());
}

TEST(LastMoveHighlight, ThickFrameIsWiderThanNormal) {
    HighlightViewer normal(1);
    HighlightViewer thick(2);
    normal.Display().NextPly();
    thick.Display().NextPly();
    auto width = [](HighlightViewer& viewer) {
        const GameDisplay& display = viewer.Display();
        PixelRect inner = SquareInterior(display.Screen().View(), 5, 4);
        int x = inner.x;
        while (display.Screen().Image().Pixel(x, inner.y + inner.height / 2) == viewer.LastMove()) {
            ++x;
        }
        return x - inner.x;
    };
    EXPECT_GT(width(thick), width(normal));
    EXPECT_GT(width(normal), 0);
}

TEST(LastMoveHighlight, CastlingFramesTheKingsSquaresAfterTheSlides) {
    HighlightViewer viewer(1, true);
    GameDisplay& display = viewer.Display();
    display.GoToPly(6);
    display.NextPly();
    while (display.Animating()) {
        display.StepAnimation();
    }
    EXPECT_EQ(display.CurrentPly(), 7);
    EXPECT_EQ(viewer.FramePixel('e', 1), viewer.LastMove());
    EXPECT_EQ(viewer.FramePixel('g', 1), viewer.LastMove());
    EXPECT_NE(viewer.FramePixel('h', 1), viewer.LastMove());
    EXPECT_NE(viewer.FramePixel('c', 5), viewer.LastMove());
}

TEST(LastMoveHighlight, SurvivesFlipAndFollowsTheFlippedSquares) {
    HighlightViewer viewer(1);
    viewer.Display().NextPly();
    viewer.session.Command(shell::kCmdFlip);
    EXPECT_TRUE(viewer.Display().Flipped());
    EXPECT_EQ(viewer.FramePixel('e', 2), viewer.LastMove());
    EXPECT_EQ(viewer.FramePixel('e', 4), viewer.LastMove());
}

TEST(PieceSetFailure, IsReportedOnceAndNotFromPainting) {
    TempDir work;
    TempDir files;
    std::string path = files.Write("games.pgn", KnightShuffle(4));
    // The user's own (broken) file for the default style stays and is not replaced.
    work.Write("classic.bmp", "BM not really a bitmap");
    Session session(work.Path().string());
    session.Start(path);
    session.Command(shell::kCmdDisplayGame);
    session.Command(shell::kCmdDisplayGame);
    session.window.Viewer().State();
    int reports = 0;
    for (const std::string& text : session.platform.MessageTexts()) {
        reports += text.rfind("Error", 0) == 0 ? 1 : 0;
    }
    EXPECT_EQ(reports, 1);
    EXPECT_TRUE(session.window.Viewer().Display().HasGame());
}

}  // namespace
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
    EXPECT_LT(stepMs(26), stepMs(27 * 4));
    record.SetSlideDelay(0);
    EXPECT_FALSE(GameDisplayOptions::From(record, "").animate);
}

}  // namespace ravelin::display
