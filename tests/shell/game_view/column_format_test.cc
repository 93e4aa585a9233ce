// The column format: words with glyphs, comments and variations, their flow into lines and the
// table of clickable moves.

#include "display/column_format.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "display/game_display.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/shell_session.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

using shell::testing_support::Session;
using testing::TempDir;

std::vector<std::string> Texts(const std::vector<ColumnWord>& words) {
    std::vector<std::string> texts;
    for (const ColumnWord& word : words) {
        texts.push_back(word.text);
    }
    return texts;
}

ColumnGameInput Game(std::vector<std::string> moves, std::vector<std::string> annotations) {
    ColumnGameInput game;
    game.moves = std::move(moves);
    annotations.resize(game.moves.size() + 1);
    game.annotations = std::move(annotations);
    game.result = "*";
    return game;
}

TEST(ColumnGlyphs, AGlyphNagDirectlyAfterTheMoveJoinsIt) {
    std::vector<ColumnWord> words = BuildColumnWords(Game({"e4", "e5"}, {"", "$1$"}));
    EXPECT_EQ(Texts(words), (std::vector<std::string>{"1.e4! ", "1...e5 ", "* "}));
    EXPECT_EQ(words[0].glyph, "!");
}

TEST(ColumnGlyphs, ASecondNagInARowIsWrittenAsTextWithAFullStop) {
    std::vector<ColumnWord> words = BuildColumnWords(Game({"e4"}, {"", "$1$ $13$"}));
    EXPECT_EQ(Texts(words), (std::vector<std::string>{"1.e4! ", "Unclear ", "position. ", "* "}));
}

TEST(ColumnGlyphs, NagsOutsideTheGlyphListAreTextNoveltyAndUnknownIncluded) {
    EXPECT_EQ(ColumnGlyph(14), "+/=");
    EXPECT_EQ(ColumnGlyph(142), ">=");
    EXPECT_EQ(ColumnGlyph(13), "");
    EXPECT_EQ(ColumnNagText(146), "A novelty");
    EXPECT_EQ(ColumnNagText(36), "White has the initiative");
    EXPECT_EQ(ColumnNagText(200), "$Unknown NAG 200$");
    std::vector<ColumnWord> words = BuildColumnWords(Game({"e4"}, {"", "$146$"}));
    EXPECT_EQ(Texts(words), (std::vector<std::string>{"1.e4 ", "A ", "novelty. ", "* "}));
}

TEST(ColumnMainLine, WithoutAnnotationsBlackMovesHaveNoNumber) {
    std::vector<ColumnWord> words = BuildColumnWords(Game({"e4", "e5", "Nf3"}, {}));
    EXPECT_EQ(Texts(words), (std::vector<std::string>{"1.e4 ", "e5 ", "2.Nf3 ", "* "}));
    EXPECT_EQ(words[1].kind, ColumnWordKind::kMainMove);
    EXPECT_EQ(words[1].ply, 2);
}

TEST(ColumnComments, BracesAreRemovedAndTheTextIsBlack) {
    std::vector<ColumnWord> words =
        BuildColumnWords(Game({"e4", "e5"}, {"{Opening remark}", "{Best by test}"}));
    EXPECT_EQ(Texts(words), (std::vector<std::string>{"Opening ", "remark ", "1.e4 ", "Best ", "by ", "test ",
                                                      "1...e5 ", "* "}));
    EXPECT_FALSE(words[3].variation);
}

TEST(ColumnComments, CommentLinesJoinWithABlankUnlessTheNextLineContinuesACutWord) {
    EXPECT_EQ(JoinCommentLines("the bette\nr move"), "the better move");
    EXPECT_EQ(JoinCommentLines("first line\nsecond line"), "first line second line");
    // A, I and a are words of their own.
    EXPECT_EQ(JoinCommentLines("is\nA plan"), "is A plan");
    EXPECT_EQ(JoinCommentLines("and\nI think"), "and I think");
    EXPECT_EQ(JoinCommentLines("is\na plan"), "is a plan");
    // Any other single character followed by a blank continues the line.
    EXPECT_EQ(JoinCommentLines("White is\n+ better"), "White is+ better");
    // Two characters, a lone character at the end, or a line starting with a blank are no cut words.
    EXPECT_EQ(JoinCommentLines("good\nso far"), "good so far");
    EXPECT_EQ(JoinCommentLines("good\nx"), "good x");
    EXPECT_EQ(JoinCommentLines("good\n x y"), "good  x y");
    EXPECT_EQ(JoinCommentLines("end\r\nr x"), "endr x");
    EXPECT_EQ(JoinCommentLines(""), "");
}

TEST(ColumnComments, ACommentOverTwoLinesIsJoinedInTheWordsAndInsideVariations) {
    std::vector<ColumnWord> words = BuildColumnWords(
        Game({"e4", "e5"}, {"", "{the bette\nr move} (1...c5 {Sicilia\nn style\nA fight})"}));
    EXPECT_EQ(Texts(words),
              (std::vector<std::string>{"1.e4 ", "the ", "better ", "move ", "[ ", "1...c5 ", "Sicilian ",
                                        "style ", "A ", "fight ", "] ", "1...e5 ", "* "}));
}

TEST(ColumnVariations, OuterInSquareBracketsNestedInParenthesesAllInTheVariationColour) {
    std::vector<ColumnWord> words = BuildColumnWords(Game({"e4", "e5"}, {"", "(1.d4 d5 (1...Nf6 $1) 2.c4)"}));
    EXPECT_EQ(Texts(words), (std::vector<std::string>{"1.e4 ", "[ ", "1.d4 ", "d5 ", "( ", "1...Nf6! ", ") ",
                                                      "2.c4 ", "] ", "1...e5 ", "* "}));
    const ColumnWord& d4 = words[2];
    EXPECT_TRUE(d4.variation);
    EXPECT_EQ(d4.kind, ColumnWordKind::kVariationMove);
    EXPECT_EQ(d4.ply, 1);
    EXPECT_EQ(d4.depth, 1);
    EXPECT_EQ(d4.variationNumber, 1);
    EXPECT_EQ(d4.indexInVariation, 1);
    const ColumnWord& nf6 = words[5];
    EXPECT_EQ(nf6.depth, 2);
    EXPECT_EQ(nf6.variationNumber, 2);
    EXPECT_EQ(nf6.indexInVariation, 1);
    EXPECT_TRUE(nf6.threeDots);
    EXPECT_EQ(nf6.glyph, "!");
    const ColumnWord& c4 = words[7];
    EXPECT_EQ(c4.variationNumber, 1);
    EXPECT_EQ(c4.indexInVariation, 3);
    EXPECT_TRUE(words[1].variation);
}

TEST(ColumnLayout, WordsWrapBeforeTheRightEdgeAndEveryMoveHasARectangle) {
    std::vector<std::string> moves;
    for (int k = 0; k < 40; ++k) {
        moves.push_back(k % 2 == 0 ? "Nf3" : "Nf6");
    }
    std::vector<ColumnWord> words = BuildColumnWords(Game(moves, {}));
    ColumnStyle style;
    style.left = 404;
    style.right = 634;
    ColumnLayout layout = LayOutColumnText(words, style, nullptr, 10000);
    ASSERT_EQ(layout.moves.size(), 40U);
    EXPECT_GT(layout.lineCount, 1);
    for (const ColumnMoveEntry& entry : layout.moves) {
        EXPECT_GE(entry.left, style.left);
        EXPECT_LE(entry.right, style.right);
        EXPECT_EQ(entry.bottom - entry.top, kColumnTextLineHeight);
    }
    EXPECT_EQ(layout.moves[0].top, kColumnFirstLineTop);
    const ColumnMoveEntry& last = layout.moves.back();
    const ColumnMoveEntry* hit = ColumnHitTest(layout, last.left + 1, last.top + 1);
    ASSERT_NE(hit, nullptr);
    EXPECT_EQ(hit->ply, 40);
    EXPECT_EQ(ColumnHitTest(layout, style.left - 5, last.top + 1), nullptr);
}

TEST(ColumnLayout, HeadingsTake20PixelsAndTheTableStopsAtItsCapacity) {
    ColumnGameInput game = Game({"e4", "e5", "Nf3"}, {});
    game.headings = {"A - B", "Event"};
    std::vector<ColumnWord> words = BuildColumnWords(game);
    ColumnStyle style;
    style.left = 404;
    style.right = 634;
    ColumnLayout layout = LayOutColumnText(words, style, nullptr, 2);
    EXPECT_EQ(layout.moves.size(), 2U);
    EXPECT_EQ(layout.texts[1].y, kColumnFirstLineTop + kColumnHeadingLineHeight);
    EXPECT_EQ(layout.moves[0].top, kColumnFirstLineTop + 2 * kColumnHeadingLineHeight);
}

const std::string kAnnotatedGame =
    "[Event \"Column\"]\n[Site \"Town\"]\n[Date \"1997.05.11\"]\n[Round \"6\"]\n[White \"Wa\"]\n"
    "[Black \"Bb\"]\n[WhiteElo \"2700\"]\n[ECO \"C20\"]\n[Result \"1-0\"]\n\n"
    "1.e4 $1 e5 (1...c5 2.Nf3) 2.Nf3 {solid} Nc6 1-0\n\n";

struct ColumnViewer {
    ColumnViewer() : session(work.Path().string()) {
        path = files.Write("games.pgn", kAnnotatedGame);
        session.Start(path);
        session.window.Settings().SetSlideDelay(0);
        session.window.Settings().SetNotationStyle(0);
        session.window.Settings().SetColumnFormat(true);
        session.Command(shell::kCmdDisplayGame);
    }
    GameDisplay& Display() { return session.window.Viewer().Display(); }
    TempDir work;
    TempDir files;
    std::string path;
    Session session;
};

TEST(ColumnFormatInTheWindow, ShowsHeadingsGlyphsCommentsAndVariationsInsteadOfTheMoveList) {
    ColumnViewer viewer;
    GameViewState state = viewer.session.window.Viewer().State();
    std::string all;
    bool variationColoured = false;
    for (const TextItem& item : state.texts) {
        all += item.text + "|";
        if (item.text == "1...c5 ") {
            variationColoured = item.colour == viewer.Display().Options().variationColour;
        }
    }
    EXPECT_NE(all.find("Wa (2700) - Bb [C20]|"), std::string::npos) << all;
    EXPECT_NE(all.find("Column, Town (6), 11.05.1997|"), std::string::npos) << all;
    EXPECT_NE(all.find("1.e4! |1...e5 |[ |1...c5 |2.Nf3 |] |2.Nf3 |solid |2...Nc6 |1-0 |"), std::string::npos)
        << all;
    EXPECT_TRUE(variationColoured);
    EXPECT_EQ(all.find("  1. e4"), std::string::npos);
}

TEST(ColumnFormatInTheWindow, NoAnnotatorNoThirdHeading) {
    ColumnViewer viewer;
    const std::vector<ColumnWord>& words = viewer.Display().ColumnWords();
    ASSERT_GE(words.size(), 3U);
    EXPECT_EQ(words[1].kind, ColumnWordKind::kHeading);
    EXPECT_EQ(words[2].kind, ColumnWordKind::kMainMove);
}

TEST(ColumnFormatInTheWindow, TheAnnotatorIsAThirdHeadingAndFileCommentLinesAreJoined) {
    TempDir work;
    TempDir files;
    Session session(work.Path().string());
    session.Start(files.Write("annotated.pgn",
                              "[Event \"Column\"]\n[White \"Wa\"]\n[Black \"Bb\"]\n[Result \"*\"]\n"
                              "[Annotator \"J. Smith\"]\n\n"
                              "1.e4 {White chooses the bette\nr move, and\nI agree} e5 *\n\n"));
    session.window.Settings().SetSlideDelay(0);
    session.window.Settings().SetNotationStyle(0);
    session.window.Settings().SetColumnFormat(true);
    session.Command(shell::kCmdDisplayGame);
    GameViewState state = session.window.Viewer().State();
    std::string all;
    for (const TextItem& item : state.texts) {
        all += item.text + "|";
    }
    EXPECT_NE(all.find("Wa - Bb|Column|[J. Smith]|1.e4 "), std::string::npos) << all;
    EXPECT_NE(all.find("|the |better |move, |and |I |agree |1...e5 |"), std::string::npos) << all;
}

TEST(ColumnFormatInTheWindow, ClickingAMainLineMoveGoesToItsPlyAndAVariationMoveShowsIt) {
    ColumnViewer viewer;
    viewer.session.window.Viewer().State();
    const ColumnLayout& layout = viewer.Display().ColumnText();
    const ColumnMoveEntry* main = nullptr;
    const ColumnMoveEntry* side = nullptr;
    for (const ColumnMoveEntry& entry : layout.moves) {
        if (entry.depth == 0 && entry.ply == 3) {
            main = &entry;
        }
        if (entry.depth == 1 && side == nullptr) {
            side = &entry;
        }
    }
    ASSERT_NE(main, nullptr);
    ASSERT_NE(side, nullptr);
    const int sideX = side->left + 1;
    const int sideY = side->top + 1;
    viewer.session.window.Viewer().Click(main->left + 1, main->top + 1);
    EXPECT_EQ(viewer.Display().CurrentPly(), 3);
    EXPECT_EQ(viewer.session.window.currentPly, 3);
    viewer.session.window.Viewer().Click(sideX, sideY);
    // 1...c5 stands in for 1...e5: the main line waits after ply 2 while the variation is shown.
    EXPECT_TRUE(viewer.Display().InVariation());
    EXPECT_EQ(viewer.Display().CurrentPly(), 2);
    EXPECT_EQ(viewer.Display().Screen().Shown()[3][5], chess::kPawn + chess::kBlackOffset);
    EXPECT_EQ(viewer.Display().Screen().Shown()[5][7], chess::kPawn + chess::kBlackOffset);
}

TEST(ColumnFormatInTheWindow, TheCurrentMoveIsDrawnInTheCurrentPositionColour) {
    ColumnViewer viewer;
    viewer.Display().NextPly();
    GameViewState state = viewer.session.window.Viewer().State();
    bool found = false;
    for (const TextItem& item : state.texts) {
        if (item.text == "1.e4! ") {
            found = true;
            EXPECT_EQ(item.colour, viewer.Display().Options().currentMoveColour);
        }
    }
    EXPECT_TRUE(found);
}

TEST(ColumnLayout, ALongHeadingGoesOnOverMoreLinesBrokenBetweenWords) {
    ColumnGameInput game = Game({"e4"}, {});
    game.headings = {"Averyveryverylongname, Alexander (2532) - Otherlongname, Andrew (2269) [E90]", "Event"};
    ColumnStyle style;
    style.left = 404;
    style.right = 634;
    ColumnLayout layout = LayOutColumnText(BuildColumnWords(game), style, nullptr, 100);
    ASSERT_GE(layout.texts.size(), 4U);
    std::string joined = layout.texts[0].text + " " + layout.texts[1].text;
    EXPECT_EQ(joined.substr(0, 45), game.headings[0].substr(0, 45));
    EXPECT_TRUE(layout.texts[0].bold);
    EXPECT_TRUE(layout.texts[1].bold);
    EXPECT_EQ(layout.texts[1].y - layout.texts[0].y, kColumnHeadingLineHeight);
    EXPECT_NE(layout.texts[0].text.back(), ' ');
}

TEST(ColumnFormatInTheWindow, TheTextScrollsToKeepTheCurrentMoveInView) {
    TempDir work;
    TempDir files;
    std::string pgn = "[Event \"Long\"]\n[Result \"*\"]\n\n";
    static const char* const kCycle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    for (int ply = 1; ply <= 300; ++ply) {
        pgn += (ply % 2 == 1 ? std::to_string((ply + 1) / 2) + "." : std::string()) + kCycle[(ply - 1) % 4] +
               " {a comment that takes room} ";
    }
    std::string path = files.Write("long.pgn", pgn + "*\n\n");
    Session session(work.Path().string());
    session.Start(path);
    session.window.Settings().SetColumnFormat(true);
    session.Command(shell::kCmdDisplayGame);
    GameDisplay& display = session.window.Viewer().Display();
    display.GoToPly(kGoToLast);
    GameViewState state = session.window.Viewer().State();
    const int bottom = display.Layout().clientHeight;
    bool currentShown = false;
    for (const TextItem& item : state.texts) {
        EXPECT_LT(item.y, bottom);
        EXPECT_GT(item.y + item.lineHeight, 0);
        currentShown = currentShown || (item.colour == display.Options().currentMoveColour && item.bold);
    }
    EXPECT_TRUE(currentShown);
    // And a click on it still finds its ply.
    // A click lays the text out again, so the place is taken before clicking.
    int x = -1;
    int y = -1;
    for (const ColumnMoveEntry& entry : display.ColumnText().moves) {
        if (entry.ply == 299 && entry.depth == 0) {
            x = entry.left + 1;
            y = entry.top + 1;
        }
    }
    ASSERT_GE(y, 0);
    session.window.Viewer().Click(x, y);
    EXPECT_EQ(display.CurrentPly(), 299);
}

}  // namespace
}  // namespace ravelin::display
