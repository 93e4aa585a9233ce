// The column format: words with glyphs, comments and variations, their flow into lines, the table
// of clickable moves and the text's scroll bar; a click on a variation move shows the position after
// it, replayed from the main line's position it branches from. Real annotated games, the positions
// checked against the same moves replayed as a plain main line.

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

std::vector<ColumnWord> Words(std::vector<std::string> moves, std::vector<std::string> annotations,
                              std::vector<std::string> headings = {}) {
    ColumnGameInput game;
    game.moves = std::move(moves);
    annotations.resize(game.moves.size() + 1);
    game.annotations = std::move(annotations);
    game.headings = std::move(headings);
    game.result = "*";
    return BuildColumnWords(game);
}

// What the window tests below do not show: black moves without numbers, NAGs written out, nested
// variations in parentheses and comment lines joined inside a variation.
TEST(ColumnWords, NagsAsTextNestedVariationsAndJoinedCommentLines) {
    struct Case {
        std::vector<std::string> moves;
        std::vector<std::string> annotations;
        Texts words;
    };
    const Case cases[] = {
        {{"e4", "e5", "Nf3"}, {}, {"1.e4 ", "e5 ", "2.Nf3 ", "* "}},
        {{"e4"}, {"", "$1$ $13$"}, {"1.e4! ", "Unclear ", "position. ", "* "}},
        {{"e4"}, {"", "$146$"}, {"1.e4 ", "A ", "novelty. ", "* "}},
        {{"e4", "e5"},
         {"", "(1.d4 {Sicilia\nn style\nA fight} d5 (1...Nf6 $1) 2.c4)"},
         {"1.e4 ", "[ ", "1.d4 ", "Sicilian ", "style ", "A ", "fight ", "d5 ", "( ", "1...Nf6! ", ") ",
          "2.c4 ", "] ", "1...e5 ", "* "}},
    };
    for (const Case& c : cases) {
        Texts texts;
        for (const ColumnWord& word : Words(c.moves, c.annotations)) {
            texts.push_back(word.text);
        }
        EXPECT_EQ(texts, c.words);
    }
    EXPECT_EQ(ColumnNagText(200), "$Unknown NAG 200$");
}

TEST(ColumnWords, CommentLinesJoinWithABlankUnlessTheNextLineContinuesACutWord) {
    const std::pair<const char*, const char*> cases[] = {
        {"the bette\nr move", "the better move"},
        {"first line\nsecond line", "first line second line"},
        // A, I and a are words of their own.
        {"is\nA plan", "is A plan"},
        {"and\nI think", "and I think"},
        {"is\na plan", "is a plan"},
        // Any other single character followed by a blank continues the line.
        {"White is\n+ better", "White is+ better"},
        // Two characters, a lone character at the end, or a line starting with a blank are no cut words.
        {"good\nso far", "good so far"},
        {"good\nx", "good x"},
        {"good\n x y", "good  x y"},
        {"end\r\nr x", "endr x"},
        {"", ""},
    };
    for (const auto& [lines, joined] : cases) {
        EXPECT_EQ(JoinCommentLines(lines), joined);
    }
}

ColumnLayout LayOut(const std::vector<ColumnWord>& words, int capacity) {
    ColumnStyle style;
    style.left = 404;
    style.right = 634;
    return LayOutColumnText(words, style, nullptr, capacity);
}

TEST(ColumnLayout, WordsWrapBeforeTheRightEdgeAndEveryMoveHasARectangleUpToTheCapacity) {
    Texts moves;
    for (int k = 0; k < 40; ++k) {
        moves.push_back(k % 2 == 0 ? "Nf3" : "Nf6");
    }
    ColumnLayout layout = LayOut(Words(moves, {}), 10000);
    ASSERT_EQ(layout.moves.size(), 40U);
    EXPECT_GT(layout.lineCount, 1);
    for (const ColumnMoveEntry& entry : layout.moves) {
        EXPECT_GE(entry.left, 404);
        EXPECT_LE(entry.right, 634);
        EXPECT_EQ(entry.bottom - entry.top, kColumnTextLineHeight);
    }
    EXPECT_EQ(layout.moves[0].top, kColumnFirstLineTop);
    const ColumnMoveEntry& last = layout.moves.back();
    const ColumnMoveEntry* hit = ColumnHitTest(layout, last.left + 1, last.top + 1);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->ply, 40);
    EXPECT_EQ(ColumnHitTest(layout, 399, last.top + 1), nullptr);
    EXPECT_EQ(LayOut(Words(moves, {}), 2).moves.size(), 2U);
}

TEST(ColumnLayout, HeadingsTake20PixelsAndALongOneBreaksBetweenWords) {
    ColumnLayout layout = LayOut(Words({"e4"}, {}, {"A - B", "Event"}), 10);
    EXPECT_EQ(layout.texts[1].y, kColumnFirstLineTop + kColumnHeadingLineHeight);
    EXPECT_EQ(layout.moves[0].top, kColumnFirstLineTop + 2 * kColumnHeadingLineHeight);
    const std::string heading =
        "Averyveryverylongname, Alexander (2532) - Otherlongname, Andrew (2269) [E90]";
    layout = LayOut(Words({"e4"}, {}, {heading, "Event"}), 10);
    ASSERT_GE(layout.texts.size(), 4U);
    EXPECT_EQ((layout.texts[0].text + " " + layout.texts[1].text).substr(0, 45), heading.substr(0, 45));
    EXPECT_TRUE(layout.texts[1].bold);
    EXPECT_EQ(layout.texts[1].y - layout.texts[0].y, kColumnHeadingLineHeight);
    EXPECT_NE(layout.texts[0].text.back(), ' ');
}

TEST(ColumnScrollPosition, StaysWithinTheRangeAndFollowsOnlyANewCurrentMove) {
    ColumnScroll scroll;
    scroll.SetExtent(40, 27);
    EXPECT_EQ(scroll.Range(), 13);
    EXPECT_TRUE(scroll.Bar().shown);
    EXPECT_EQ(scroll.Bar().page, 27);
    scroll.ScrollTo(50);
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
    // Whole lines to bring a move (top, bottom) into a window of 452 pixels.
    EXPECT_EQ(LinesToBringIntoView(436, 452, 452), 0);
    EXPECT_EQ(LinesToBringIntoView(437, 453, 452), 1);
    EXPECT_EQ(LinesToBringIntoView(-1, 15, 452), -1);
    EXPECT_EQ(LinesToBringIntoView(-33, -17, 452), -3);
}

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

TEST(ColumnFormatInTheWindow, ShowsHeadingsGlyphsCommentsAndVariationsInsteadOfTheMoveList) {
    GameViewSession viewer(
        "[Event \"Column\"]\n[Site \"Town\"]\n[Date \"1997.05.11\"]\n[Round \"6\"]\n[White \"Wa\"]\n"
        "[Black \"Bb\"]\n[WhiteElo \"2700\"]\n[ECO \"C20\"]\n[Result \"1-0\"]\n\n"
        "1.e4 $1 e5 (1...c5 2.Nf3) 2.Nf3 {solid} Nc6 1-0\n\n",
        1, ColumnOn);
    const std::string all = AllTexts(viewer);
    EXPECT_NE(all.find("Wa (2700) - Bb [C20]|Column, Town (6), 11.05.1997|1.e4! |1...e5 |[ |1...c5 |2.Nf3 |] "
                       "|2.Nf3 |solid |2...Nc6 |1-0 |"),
              std::string::npos)
        << all;
    EXPECT_EQ(all.find("  1. e4"), std::string::npos);
    viewer.Display().NextPly();
    const GameDisplayOptions& options = viewer.Display().Options();
    for (const TextItem& item : viewer.State().texts) {
        if (item.text == "1...c5 ") {
            EXPECT_EQ(item.colour, options.variationColour);
        }
        if (item.text == "1.e4! ") {
            EXPECT_EQ(item.colour, options.currentMoveColour);
        }
    }
    // The annotator is a third heading, and a comment's lines in the file are joined.
    GameViewSession annotated(
        "[Event \"Column\"]\n[White \"Wa\"]\n[Black \"Bb\"]\n[Result \"*\"]\n[Annotator \"J. Smith\"]\n\n"
        "1.e4 {White chooses the bette\nr move, and\nI agree} e5 *\n\n",
        1, ColumnOn);
    const std::string texts = AllTexts(annotated);
    EXPECT_NE(
        texts.find(
            "Wa - Bb|Column|[J. Smith]|1.e4 |White |chooses |the |better |move, |and |I |agree |1...e5 |"),
        std::string::npos)
        << texts;
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
    std::size_t MainWord(int ply) {
        const std::vector<ColumnWord>& words = Display().ColumnWords();
        return std::find_if(words.begin(), words.end(),
                            [ply](const ColumnWord& w) {
                                return w.kind == ColumnWordKind::kMainMove && w.ply == ply;
                            }) -
               words.begin();
    }
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
    EXPECT_EQ(game.Bar().x, layout.panelX + layout.panelWidth);
    EXPECT_EQ(game.Bar().height, layout.clientHeight);
    EXPECT_EQ(display.ColumnText().texts.front().y, kColumnFirstLineTop);
    game.Viewer().ScrollColumn(4);
    EXPECT_EQ(game.Bar().value, 4);
    EXPECT_EQ(display.ColumnText().texts.front().y, kColumnFirstLineTop - 4 * kColumnTextLineHeight);
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
}

TEST(ColumnScrollBarInTheWindow, NoBarWithoutTheColumnFormatOrInTextMode) {
    ColumnGame plain(DataText("pgn/dortmund.pgn"), 3, false);
    EXPECT_FALSE(plain.Bar().shown);
    EXPECT_FALSE(plain.Viewer().ScrollWheel(plain.Display().Layout().panelX + 10, 100, -1));
    ColumnGame text;
    text.Command(shell::kCmdDisplayText);
    EXPECT_FALSE(text.Bar().shown);
}

TEST(VariationFirstPly, ComesFromTheMoveNumberAndItsDots) {
    EXPECT_EQ(VariationFirstPly("29...Re4 ", 0), 58);
    EXPECT_EQ(VariationFirstPly("2..d6 ", 0), 4);
    EXPECT_EQ(VariationFirstPly("30.Nxf5 ", 0), 59);
    EXPECT_EQ(VariationFirstPly("Nf3 ", 7), 7);
    EXPECT_EQ(VariationFirstPly("999999999999.e4 ", 0), chess::kMaxPly + 1);
}

TEST(VariationMoves, AFirstLevelMoveShowsItsPositionUntilEndOfVariationOrAMainLineStep) {
    ColumnGame game;
    GameDisplay& display = game.Display();
    ASSERT_EQ(display.TotalPlies(), 105);
    EXPECT_EQ(game.window.ContextMenu(false), "GameMenu");
    ASSERT_TRUE(game.Click(game.WordOf("31.Nxd5 ", 1)));
    ASSERT_TRUE(display.InVariation());
    EXPECT_EQ(game.Shown(), game.Line(57, "29... Re4 30. Rhd1 Bxd5 31. Nxd5"));
    // The main line waits at the ply the variation stands after.
    EXPECT_EQ(display.CurrentPly(), 58);
    EXPECT_EQ(game.window.currentPly, 58);
    EXPECT_TRUE(game.Drawn(" 31. Nxd5"));
    EXPECT_EQ(game.window.ContextMenu(false), "GamexMenu");
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
    EXPECT_EQ(game.window.ContextMenu(false), "GameMenu");
    // Start, or a step past the main line's last move, leaves a variation too.
    ASSERT_TRUE(game.Click(game.WordOf("40...bxa3 ", 1)));
    game.Viewer().Key(shell::GameKey::kStart);
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(game.Shown(), chess::MakeStartBoard());
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
}

TEST(VariationMoves, ANestedMoveIsReachedThroughItsParentAndNextAndPrevStopAtTheEnds) {
    ColumnGame game;
    GameDisplay& display = game.Display();
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

TEST(VariationMoves, StepsSlideThePieceWithAnimationOn) {
    ColumnGame game;
    game.window.Settings().SetSlideDelay(5);
    game.window.Settings().SetHighlightLastMove(static_cast<int>(HighlightKind::kNormal));
    game.Command(shell::kCmdDisplayGame);
    GameDisplay& display = game.Display();
    ASSERT_TRUE(game.Click(game.WordOf("30.Nxf5 ", 2)));
    ASSERT_TRUE(display.NextPly());
    EXPECT_TRUE(display.Animating());
    display.FinishAnimation();
    EXPECT_EQ(game.Shown(), game.Line(57, "29... Re4 30. Nxf5 Re5"));
    // Leaving in the middle of a slide ends it and shows the main line's ply.
    ASSERT_TRUE(display.NextPly());
    game.Command(shell::kCmdEndOfVariation);
    EXPECT_FALSE(display.Animating());
    EXPECT_EQ(game.Shown(), game.Line(58, ""));
}

TEST(VariationMoves, AVariationOfThePychessSampleThreeLevelsDeep) {
    // (2... Nf6 3. Nc3 (3. d3 (3. Bc4 Bc5))): 3.Bc4 stands in for 3.d3, which stands in for 3.Nc3.
    ColumnGame game(DataText("pgn/annotated.pgn"), 1);
    ASSERT_TRUE(game.Click(game.WordOf("Bc5 ", 3)));
    EXPECT_EQ(game.Shown(), game.Line(3, "2... Nf6 3. Bc4 Bc5"));
    // "2.. d6" numbers black's second move.
    ASSERT_TRUE(game.Click(game.WordOf("2..d6 ", 1)));
    EXPECT_EQ(game.Shown(), game.Line(3, "2... d6"));
}

TEST(VariationMoves, AMoveThatCannotBePlayedOrNumberedIsReportedAndEndsTheLine) {
    ColumnGame game(
        "[Event \"Bad\"]\n[Result \"*\"]\n\n1.e4 e5 (1...Ke3 2.Nf3) (1...c5 2.Qxf7) (5.d4 d5) 2.Nf3 *\n\n",
        1);
    GameDisplay& display = game.Display();
    display.NextPly();
    const chess::Board before = game.Shown();
    game.ClearRecords();
    EXPECT_TRUE(game.Click(game.WordOf("1...Ke3 ", 1)));
    EXPECT_TRUE(game.Click(game.WordOf("5.d4 ", 1)));
    EXPECT_EQ(game.Messages(), (Texts{std::string(kVariationMoveNotPlayable) + "1...Ke3",
                                      "Invalid move number after right paren."}));
    EXPECT_FALSE(display.InVariation());
    EXPECT_EQ(display.CurrentPly(), 1);
    EXPECT_EQ(game.Shown(), before);
    // A later move of the line that cannot be played ends the line but leaves the earlier ones.
    game.ClearRecords();
    ASSERT_TRUE(game.Click(game.WordOf("1...c5 ", 1)));
    EXPECT_TRUE(game.platform.messages.empty());
    EXPECT_EQ(display.Variation()->MoveCount(), 1);
    EXPECT_FALSE(display.NextPly());
    EXPECT_TRUE(game.Click(game.WordOf("2.Qxf7 ", 1)));
    EXPECT_EQ(game.Messages().size(), 1U);
    EXPECT_EQ(game.Shown(), game.Line(1, "1... c5"));
}

}  // namespace
}  // namespace ravelin::display
