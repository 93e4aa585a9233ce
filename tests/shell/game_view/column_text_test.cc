// The column format in the window, its scroll bar, and variation moves clicked in it: their positions
// are checked against the same moves replayed as a plain main line.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display/column_format.h"
#include "display/column_scroll.h"
#include "display/variation_view.h"
#include "game_view_session.h"

namespace ravelin::display {
namespace {

using testing::DataText;
using testing::GameViewSession;
using Texts = std::vector<std::string>;

void ColumnOn(settings::SettingsRecord& settings) {
    settings.SetColumnFormat(true);
}

std::string AllTexts(GameViewSession& viewer) {
    std::string all;
    for (const TextItem& item : viewer.State().texts) {
        all += item.text + "|";
    }
    return all;
}

// Headings (the annotator's the third), glyphs joined to their move and other NAGs written out,
// variations in brackets and nested ones in parentheses, a comment's lines in the file joined.
TEST(ColumnFormatInTheWindow, ShowsHeadingsGlyphsCommentsAndVariationsInsteadOfTheMoveList) {
    GameViewSession viewer(
        "[Event \"Column\"]\n[Site \"Town\"]\n[Date \"1997.05.11\"]\n[Round \"6\"]\n[White \"Wa\"]\n"
        "[Black \"Bb\"]\n[WhiteElo \"2700\"]\n[ECO \"C20\"]\n[Result \"1-0\"]\n[Annotator \"J. Smith\"]\n\n"
        "1.e4 $1 $13 e5 (1...c5 (1...Nf6 $200) 2.Nf3) 2.Nf3 {White chooses the bette\nr move, and\nI agree} "
        "Nc6 "
        "1-0\n\n",
        1, ColumnOn);
    const std::string all = AllTexts(viewer);
    EXPECT_NE(
        all.find("Wa (2700) - Bb [C20]|Column, Town (6), 11.05.1997|[J. Smith]|1.e4! |Unclear |position. "
                 "|1...e5 |[ |1...c5 |( |1...Nf6 |$Unknown |NAG |200$. |) |2.Nf3 |] |2.Nf3 |White |chooses "
                 "|the |better |move, |and |I |agree |2...Nc6 |1-0 |"),
        std::string::npos)
        << all;
    EXPECT_EQ(all.find("  1. e4"), std::string::npos);
    viewer.Display().NextPly();
    const GameDisplayOptions& options = viewer.Display().Options();
    for (const TextItem& item : viewer.State().texts) {
        if (item.text == "1...c5 " || item.text == "1.e4! ") {
            EXPECT_EQ(item.colour,
                      item.text == "1.e4! " ? options.currentMoveColour : options.variationColour);
        }
    }
}

// Seitz - Johner, Dortmund 1928, with many comments and variations: taller than the window. A
// variation after 29...Bxd5 has one nested after its 30.Rhd1.
struct ColumnGame : GameViewSession {
    explicit ColumnGame(const std::string& pgn = DataText("pgn/dortmund.pgn"), int game = 3,
                        bool column = true)
        : GameViewSession(pgn, game, [column](settings::SettingsRecord& s) { s.SetColumnFormat(column); }) {
        State();
    }
    TextScrollBar Bar() { return State().scrollBar; }
    // The index of a word: a variation move as the column shows it ("30.Nxf5 ") at its depth, or the
    // main line's move of mainPly.
    std::size_t WordOf(const std::string& text, int depth, int mainPly = 0) {
        const std::vector<ColumnWord>& words = Display().ColumnWords();
        for (std::size_t k = 0; k < words.size(); ++k) {
            const ColumnWord& w = words[k];
            if (mainPly > 0
                    ? w.kind == ColumnWordKind::kMainMove && w.ply == mainPly
                    : w.kind == ColumnWordKind::kVariationMove && w.depth == depth && w.text == text) {
                return k;
            }
        }
        ADD_FAILURE() << "no move " << text << mainPly;
        return words.size();
    }
    std::size_t MainWord(int ply) { return WordOf("", 0, ply); }
    // Clicks the move in the window where the column text drew it.
    bool Click(std::size_t word) {
        State();
        for (const ColumnMoveEntry& entry : Display().ColumnText().moves) {
            if (entry.word == word) {
                Viewer().Click(entry.left + 1, entry.top + 1);
                return true;
            }
        }
        return false;
    }
    // The board after the game's first plies and then the given moves, replayed by the loader as
    // an ordinary game.
    chess::Board Line(int plies, const std::string& moves) {
        std::string pgn = "[Event \"Line\"]\n[Result \"*\"]\n\n";
        for (int ply = 1; ply <= plies; ++ply) {
            pgn +=
                (ply % 2 == 1 ? std::to_string((ply + 1) / 2) + ". " : "") + Display().PlainMove(ply) + " ";
        }
        GameViewSession line(pgn + moves + " *\n\n");
        line.Display().GoToPly(kGoToLast);
        return line.Display().Screen().Shown();
    }
    const chess::Board& Shown() { return Display().Screen().Shown(); }
    bool Drawn(const std::string& text) {
        const GameViewState state = State();
        return std::any_of(state.texts.begin(), state.texts.end(),
                           [&](const TextItem& i) { return i.text == text; });
    }
};

TEST(ColumnScrollBarInTheWindow, TheUsersScrollStandsAndAStepOutOfViewBringsTheMoveBack) {
    ColumnGame game;
    GameDisplay& display = game.Display();
    const GameLayout& layout = display.Layout();
    const int range = game.Bar().range;
    ASSERT_TRUE(game.Bar().shown);
    EXPECT_EQ(range, display.ColumnText().lineCount - ColumnVisibleLines(layout.clientHeight));
    EXPECT_GT(range, 0);
    EXPECT_EQ(game.Bar().height, layout.clientHeight);
    game.Viewer().ScrollColumn(range + 10);
    EXPECT_EQ(game.Bar().value, range);
    // The wheel over the text: one notch towards the user is three lines further down; over the
    // board it still steps through the game.
    game.Viewer().ScrollColumn(0);
    EXPECT_TRUE(game.Viewer().ScrollWheel(layout.panelX + 10, 100, -1));
    EXPECT_EQ(game.Bar().value, 3);
    EXPECT_TRUE(game.Viewer().ScrollWheel(layout.panelX + 10, 100, 2));
    EXPECT_EQ(game.Bar().value, 0);
    EXPECT_EQ(display.CurrentPly(), 0);
    EXPECT_FALSE(game.Viewer().ScrollWheel(10, 100, -1));
    // Scrolled to the end, the first moves are above the window: stepping to one follows it.
    game.Viewer().ScrollColumn(range);
    game.Viewer().Key(shell::GameKey::kNext);
    EXPECT_LT(game.Bar().value, range);
    for (const ColumnMoveEntry& entry : display.ColumnText().moves) {
        if (entry.depth == 0 && entry.ply == 1) {
            EXPECT_GE(entry.top, kColumnFirstLineTop);
            EXPECT_LE(entry.bottom, layout.clientHeight);
        }
    }
    // The last move is below: going there scrolls down, and a click finds a move where it is drawn.
    game.Viewer().ScrollColumn(0);
    display.GoToPly(kGoToLast);
    EXPECT_GT(game.Bar().value, 0);
    ASSERT_TRUE(game.Click(game.MainWord(104)));
    EXPECT_EQ(display.CurrentPly(), 104);
    game.Command(shell::kCmdDisplayText);
    EXPECT_FALSE(game.Bar().shown);  // none in text mode
}

TEST(VariationMoves, AFirstLevelOrNestedMoveShowsItsPositionUntilEndOfVariationOrAMainLineStep) {
    ColumnGame game;
    GameDisplay& display = game.Display();
    ASSERT_EQ(display.TotalPlies(), 105);
    ASSERT_TRUE(game.Click(game.WordOf("31.Nxd5 ", 1)));
    ASSERT_TRUE(display.InVariation());
    EXPECT_EQ(game.Shown(), game.Line(57, "29... Re4 30. Rhd1 Bxd5 31. Nxd5"));
    // The main line waits at the ply the variation stands after.
    EXPECT_EQ(display.CurrentPly(), 58);
    EXPECT_EQ(game.window.currentPly, 58);
    EXPECT_TRUE(game.Drawn(" 31. Nxd5"));
    for (const TextItem& item : game.State().texts) {
        // The variation's move is drawn as the current one, the main line's move of the ply is not.
        if (item.text == "31.Nxd5 " || item.text == "29...Bxd5?? ") {
            EXPECT_EQ(item.colour == display.Options().currentMoveColour, item.text == "31.Nxd5 ")
                << item.text;
        }
    }
    game.Command(shell::kCmdEndOfVariation);
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(display.CurrentPly(), 58);
    EXPECT_EQ(game.Shown(), game.Line(58, ""));
    // A step past the main line's last move leaves a variation too.
    ASSERT_TRUE(game.Click(game.WordOf("40...bxa3 ", 1)));
    display.GoToPly(kGoToLast);
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(display.CurrentPly(), 105);
    // So does a click on a main-line move.
    ASSERT_TRUE(game.Click(game.WordOf("14...Bd6! ", 1)));
    EXPECT_EQ(game.Shown(), game.Line(27, "14... Bd6"));
    ASSERT_TRUE(game.Click(game.MainWord(20)));
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(game.Shown(), game.Line(20, ""));
    // A nested move is reached through its parent; Next and Previous stop at the ends.
    ASSERT_TRUE(game.Click(game.WordOf("Bxd2 ", 2)));
    // The bishop from h6 stands on d2, the white pawn took on e5, and 30.Rhd1 was not played.
    EXPECT_EQ(game.Shown(), game.Line(57, "29... Re4 30. Nxf5 Re5 31. fxe5 Bxd2"));
    EXPECT_TRUE(game.Drawn(" 31. ... Bxd2"));
    for (int k = 0; k < 3; ++k) {
        game.Viewer().Key(shell::GameKey::kPrevious);
    }
    EXPECT_EQ(game.Shown(), game.Line(57, "29... Re4 30. Nxf5"));
    EXPECT_FALSE(display.PreviousPly());
    while (display.NextPly()) {
    }
    ASSERT_TRUE(display.Variation().has_value());
    EXPECT_EQ(display.Variation()->MoveCount(), 6);
    EXPECT_EQ(game.Shown(), game.Line(57, "29... Re4 30. Nxf5 Re5 31. fxe5 Bxd2 32. Nfe7 hxg3"));
    EXPECT_TRUE(display.PreviousPly());
    EXPECT_TRUE(display.InVariation());
    EXPECT_EQ(game.Shown(), game.Line(57, "29... Re4 30. Nxf5 Re5 31. fxe5 Bxd2 32. Nfe7"));
}

TEST(VariationMoves, ThreeLevelsDeepInThePychessSampleAndMovesThatCannotBePlayed) {
    // (2... Nf6 3. Nc3 (3. d3 (3. Bc4 Bc5))): 3.Bc4 stands in for 3.d3, which stands in for 3.Nc3.
    ColumnGame game(DataText("pgn/annotated.pgn"), 1);
    ASSERT_TRUE(game.Click(game.WordOf("Bc5 ", 3)));
    EXPECT_EQ(game.Shown(), game.Line(3, "2... Nf6 3. Bc4 Bc5"));
    // "2.. d6" numbers black's second move.
    ASSERT_TRUE(game.Click(game.WordOf("2..d6 ", 1)));
    EXPECT_EQ(game.Shown(), game.Line(3, "2... d6"));
    // A move that cannot be played or numbered is reported and ends the line.
    ColumnGame bad(
        "[Event \"Bad\"]\n[Result \"*\"]\n\n1.e4 e5 (1...Ke3 2.Nf3) (1...c5 2.Qxf7) (5.d4 d5) 2.Nf3 *\n\n",
        1);
    GameDisplay& display = bad.Display();
    display.NextPly();
    const chess::Board before = bad.Shown();
    bad.ClearRecords();
    EXPECT_TRUE(bad.Click(bad.WordOf("1...Ke3 ", 1)));
    EXPECT_TRUE(bad.Click(bad.WordOf("5.d4 ", 1)));
    EXPECT_EQ(bad.Messages(), (Texts{std::string(kVariationMoveNotPlayable) + "1...Ke3",
                                     "Invalid move number after right paren."}));
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(display.CurrentPly(), 1);
    EXPECT_EQ(bad.Shown(), before);
    // A later move of the line that cannot be played ends the line but leaves the earlier ones.
    bad.ClearRecords();
    ASSERT_TRUE(bad.Click(bad.WordOf("1...c5 ", 1)));
    EXPECT_TRUE(bad.platform.messages.empty());
    EXPECT_EQ(display.Variation()->MoveCount(), 1);
    EXPECT_FALSE(display.NextPly());
    EXPECT_TRUE(bad.Click(bad.WordOf("2.Qxf7 ", 1)));
    EXPECT_EQ(bad.Messages().size(), 1U);
    EXPECT_EQ(bad.Shown(), bad.Line(1, "1... c5"));
}

}  // namespace
}  // namespace ravelin::display
