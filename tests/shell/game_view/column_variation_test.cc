// Variation moves of the column text: a click shows the position after the move, replayed from the
// main line's position it branches from; Next and Prev step along it and "End of Variation" or any
// main-line move returns. Real annotated games, the positions checked against the same moves
// replayed as a plain main line.

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/game_display.h"
#include "display/variation_view.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/shell_session.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

using shell::testing_support::Session;
using testing::TempDir;
using testing::TestDataPath;

// Seitz - Johner, Dortmund 1928: a variation after 29...Bxd5 with one nested after its 30.Rhd1.
constexpr int kSeitzJohner = 3;

struct ColumnGame {
    explicit ColumnGame(const std::string& path, int game = 1) : session(work.Path().string()) {
        session.Start(path);
        session.window.Settings().SetSlideDelay(0);
        session.window.Settings().SetNotationStyle(0);
        session.window.Settings().SetColumnFormat(true);
        session.window.File().currentGame = game;
        session.Command(shell::kCmdDisplayGame);
        session.window.Viewer().State();
    }
    GameDisplay& Display() { return session.window.Viewer().Display(); }

    // The word of a variation move as the column shows it ("30.Nxf5 "), nested at depth.
    std::size_t WordOf(const std::string& text, int depth) {
        const std::vector<ColumnWord>& words = Display().ColumnWords();
        for (std::size_t k = 0; k < words.size(); ++k) {
            if (words[k].kind == ColumnWordKind::kVariationMove && words[k].depth == depth &&
                words[k].text == text) {
                return k;
            }
        }
        ADD_FAILURE() << "no variation move " << text;
        return words.size();
    }
    // Clicks the move in the window where the column text drew it.
    bool Click(std::size_t word) {
        session.window.Viewer().State();
        for (const ColumnMoveEntry& entry : Display().ColumnText().moves) {
            if (entry.word == word) {
                session.window.Viewer().Click(entry.left + 1, entry.top + 1);
                return true;
            }
        }
        return false;
    }
    std::string Menu() { return std::string(session.window.ContextMenu(false)); }

    TempDir work;
    Session session;
};

// The board after a main line made of the game's first plies and then the given moves, replayed
// by the loader as an ordinary game.
chess::Board BoardOfLine(const ColumnGame& source, int plies, const std::string& moves) {
    TempDir work;
    TempDir files;
    std::string pgn = "[Event \"Line\"]\n[Result \"*\"]\n\n";
    const GameDisplay& display = const_cast<ColumnGame&>(source).Display();
    for (int ply = 1; ply <= plies; ++ply) {
        pgn += (ply % 2 == 1 ? std::to_string((ply + 1) / 2) + ". " : std::string()) +
               display.PlainMove(ply) + " ";
    }
    pgn += moves + " *\n\n";
    Session session(work.Path().string());
    session.Start(files.Write("line.pgn", pgn));
    session.window.Settings().SetSlideDelay(0);
    session.Command(shell::kCmdDisplayGame);
    GameDisplay& line = session.window.Viewer().Display();
    line.GoToPly(kGoToLast);
    return line.Screen().Shown();
}

TEST(VariationFirstPly, ComesFromTheMoveNumberAndItsDots) {
    EXPECT_EQ(VariationFirstPly("29...Re4 ", 0), 58);
    EXPECT_EQ(VariationFirstPly("2..d6 ", 0), 4);
    EXPECT_EQ(VariationFirstPly("30.Nxf5 ", 0), 59);
    EXPECT_EQ(VariationFirstPly("Nf3 ", 7), 7);
    EXPECT_EQ(VariationFirstPly("999999999999.e4 ", 0), chess::kMaxPly + 1);
}

TEST(VariationMoves, AFirstLevelMoveShowsItsPositionAndItsMoveNumber) {
    ColumnGame game(TestDataPath("pgn/dortmund.pgn"), kSeitzJohner);
    ASSERT_EQ(game.Display().TotalPlies(), 105);
    const std::size_t word = game.WordOf("31.Nxd5 ", 1);
    ASSERT_TRUE(game.Click(word));
    ASSERT_TRUE(game.Display().InVariation());
    EXPECT_EQ(game.Display().Screen().Shown(), BoardOfLine(game, 57, "29... Re4 30. Rhd1 Bxd5 31. Nxd5"));
    // The white knight took on d5.
    EXPECT_EQ(game.Display().Screen().Shown()[4][5], chess::kKnight);
    // The main line waits at the ply the variation stands after.
    EXPECT_EQ(game.Display().CurrentPly(), 58);
    EXPECT_EQ(game.session.window.currentPly, 58);

    GameViewState state = game.session.window.Viewer().State();
    bool numberShown = false;
    bool drawnAsCurrent = false;
    for (const TextItem& item : state.texts) {
        numberShown = numberShown || item.text == " 31. Nxd5";
        if (item.text == "31.Nxd5 ") {
            drawnAsCurrent = item.colour == game.Display().Options().currentMoveColour;
        }
        // The main line's move of the ply is no longer the current one.
        if (item.text == "29...Bxd5?? " || item.text == "Bxd5?? ") {
            EXPECT_NE(item.colour, game.Display().Options().currentMoveColour);
        }
    }
    EXPECT_TRUE(numberShown);
    EXPECT_TRUE(drawnAsCurrent);
}

TEST(VariationMoves, ANestedMoveIsReachedThroughItsParentUpToTheBranch) {
    ColumnGame game(TestDataPath("pgn/dortmund.pgn"), kSeitzJohner);
    ASSERT_TRUE(game.Click(game.WordOf("Bxd2 ", 2)));
    ASSERT_TRUE(game.Display().InVariation());
    const chess::Board& shown = game.Display().Screen().Shown();
    EXPECT_EQ(shown, BoardOfLine(game, 57, "29... Re4 30. Nxf5 Re5 31. fxe5 Bxd2"));
    // The bishop from h6 stands on d2, the white pawn took on e5, and 30.Rhd1 was not played.
    EXPECT_EQ(shown[4][2], chess::kBishop + chess::kBlackOffset);
    EXPECT_EQ(shown[5][5], chess::kPawn);
    EXPECT_EQ(shown[8][1], chess::kRook);
    GameViewState state = game.session.window.Viewer().State();
    bool numberShown = false;
    for (const TextItem& item : state.texts) {
        numberShown = numberShown || item.text == " 31. ... Bxd2";
    }
    EXPECT_TRUE(numberShown);
}

TEST(VariationMoves, NextAndPrevStepAlongTheVariationAndStopAtItsEnds) {
    ColumnGame game(TestDataPath("pgn/dortmund.pgn"), kSeitzJohner);
    GameDisplay& display = game.Display();
    ASSERT_TRUE(game.Click(game.WordOf("30.Nxf5 ", 2)));
    EXPECT_FALSE(display.PreviousPly());
    EXPECT_EQ(display.Screen().Shown(), BoardOfLine(game, 57, "29... Re4 30. Nxf5"));
    game.session.window.Viewer().Key(shell::GameKey::kNext);
    game.session.window.Viewer().Key(shell::GameKey::kNext);
    EXPECT_EQ(display.Screen().Shown(), BoardOfLine(game, 57, "29... Re4 30. Nxf5 Re5 31. fxe5"));
    while (display.NextPly()) {
    }
    ASSERT_TRUE(display.Variation().has_value());
    EXPECT_EQ(display.Variation()->MoveCount(), 6);
    EXPECT_EQ(display.Screen().Shown(),
              BoardOfLine(game, 57, "29... Re4 30. Nxf5 Re5 31. fxe5 Bxd2 32. Nfe7 hxg3"));
    EXPECT_TRUE(display.PreviousPly());
    EXPECT_EQ(display.Screen().Shown(),
              BoardOfLine(game, 57, "29... Re4 30. Nxf5 Re5 31. fxe5 Bxd2 32. Nfe7"));
    EXPECT_TRUE(display.InVariation());
}

TEST(VariationMoves, StepsSlideThePieceWithAnimationOn) {
    ColumnGame game(TestDataPath("pgn/dortmund.pgn"), kSeitzJohner);
    game.session.window.Settings().SetSlideDelay(5);
    game.session.window.Settings().SetHighlightLastMove(static_cast<int>(HighlightKind::kNormal));
    game.session.Command(shell::kCmdDisplayGame);
    GameDisplay& display = game.Display();
    ASSERT_TRUE(display.Options().animate);
    ASSERT_TRUE(game.Click(game.WordOf("30.Nxf5 ", 2)));
    ASSERT_TRUE(display.NextPly());
    EXPECT_TRUE(display.Animating());
    display.FinishAnimation();
    EXPECT_EQ(display.Screen().Shown(), BoardOfLine(game, 57, "29... Re4 30. Nxf5 Re5"));
    // Leaving in the middle of a slide ends it and shows the main line's ply.
    ASSERT_TRUE(display.NextPly());
    game.session.Command(shell::kCmdEndOfVariation);
    EXPECT_FALSE(display.Animating());
    EXPECT_EQ(display.Screen().Shown(), BoardOfLine(game, 58, ""));
}

TEST(VariationMoves, EndOfVariationReturnsToTheMainLineAndTheMenuFollows) {
    ColumnGame game(TestDataPath("pgn/dortmund.pgn"), kSeitzJohner);
    GameDisplay& display = game.Display();
    EXPECT_EQ(game.Menu(), "GameMenu");
    ASSERT_TRUE(game.Click(game.WordOf("32.hxg3 ", 1)));
    EXPECT_EQ(game.Menu(), "GamexMenu");
    game.session.Command(shell::kCmdEndOfVariation);
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(display.CurrentPly(), 58);
    EXPECT_EQ(display.Screen().Shown(), BoardOfLine(game, 58, ""));
    EXPECT_EQ(game.Menu(), "GameMenu");
    // Main-line navigation leaves a variation too: Start, a main-line click, and Next goes on
    // along the main line from the ply the variation stands after.
    ASSERT_TRUE(game.Click(game.WordOf("40...bxa3 ", 1)));
    game.session.window.Viewer().Key(shell::GameKey::kStart);
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(display.CurrentPly(), 0);
    EXPECT_EQ(display.Screen().Shown(), chess::MakeStartBoard());
    ASSERT_TRUE(game.Click(game.WordOf("40...bxa3 ", 1)));
    display.GoToPly(kGoToLast);
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(display.CurrentPly(), 105);
}

TEST(VariationMoves, AClickOnAMainLineMoveLeavesTheVariation) {
    ColumnGame game(TestDataPath("pgn/dortmund.pgn"), kSeitzJohner);
    GameDisplay& display = game.Display();
    ASSERT_TRUE(game.Click(game.WordOf("14...Bd6! ", 1)));
    EXPECT_EQ(display.CurrentPly(), 28);
    EXPECT_EQ(display.Screen().Shown(), BoardOfLine(game, 27, "14... Bd6"));
    const std::vector<ColumnWord>& words = display.ColumnWords();
    std::size_t mainMove = words.size();
    for (std::size_t k = 0; k < words.size(); ++k) {
        if (words[k].kind == ColumnWordKind::kMainMove && words[k].ply == 20) {
            mainMove = k;
        }
    }
    ASSERT_TRUE(game.Click(mainMove));
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(display.CurrentPly(), 20);
    EXPECT_EQ(display.Screen().Shown(), BoardOfLine(game, 20, ""));
}

TEST(VariationMoves, AVariationOfThePychessSampleThreeLevelsDeep) {
    // (2... Nf6 3. Nc3 (3. d3 (3. Bc4 Bc5))): 3.Bc4 stands in for 3.d3, which stands in for 3.Nc3.
    ColumnGame game(TestDataPath("pgn/annotated.pgn"));
    ASSERT_TRUE(game.Click(game.WordOf("Bc5 ", 3)));
    EXPECT_EQ(game.Display().Screen().Shown(), BoardOfLine(game, 3, "2... Nf6 3. Bc4 Bc5"));
    // "2.. d6" numbers black's second move.
    ASSERT_TRUE(game.Click(game.WordOf("2..d6 ", 1)));
    EXPECT_EQ(game.Display().Screen().Shown(), BoardOfLine(game, 3, "2... d6"));
}

TEST(VariationMoves, AMoveThatCannotBePlayedIsReportedAndChangesNothing) {
    TempDir files;
    const std::string path = files.Write(
        "bad.pgn", "[Event \"Bad\"]\n[Result \"*\"]\n\n1.e4 e5 (1...Ke3 2.Nf3) (1...c5 2.Qxf7) 2.Nf3 *\n\n");
    ColumnGame game(path);
    GameDisplay& display = game.Display();
    display.NextPly();
    const chess::Board before = display.Screen().Shown();
    game.session.ClearRecords();
    EXPECT_TRUE(game.Click(game.WordOf("1...Ke3 ", 1)));
    ASSERT_EQ(game.session.platform.messages.size(), 1U);
    EXPECT_EQ(game.session.platform.messages[0].text, std::string(kVariationMoveNotPlayable) + "1...Ke3");
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(display.CurrentPly(), 1);
    EXPECT_EQ(display.Screen().Shown(), before);
    // A later move of the line that cannot be played ends the line but leaves the earlier ones.
    game.session.ClearRecords();
    ASSERT_TRUE(game.Click(game.WordOf("1...c5 ", 1)));
    EXPECT_TRUE(game.session.platform.messages.empty());
    EXPECT_EQ(display.Variation()->MoveCount(), 1);
    EXPECT_FALSE(display.NextPly());
    game.session.ClearRecords();
    EXPECT_TRUE(game.Click(game.WordOf("2.Qxf7 ", 1)));
    ASSERT_EQ(game.session.platform.messages.size(), 1U);
    EXPECT_EQ(display.Screen().Shown(), BoardOfLine(game, 1, "1... c5"));
}

TEST(VariationMoves, AMoveNumberBeyondTheBranchIsRefused) {
    TempDir files;
    const std::string path =
        files.Write("late.pgn", "[Event \"Late\"]\n[Result \"*\"]\n\n1.e4 e5 (5.d4 d5) 2.Nf3 *\n\n");
    ColumnGame game(path);
    game.session.ClearRecords();
    game.Click(game.WordOf("5.d4 ", 1));
    ASSERT_EQ(game.session.platform.messages.size(), 1U);
    EXPECT_EQ(game.session.platform.messages[0].text, "Invalid move number after right paren.");
    EXPECT_FALSE(game.Display().InVariation());
}

}  // namespace
}  // namespace ravelin::display
