#include "chess/annotations.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chess/nag_text.h"
#include "movetext_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::ParsedGame;

// --- NAG texts ---

TEST(NagTexts, TableTextsAndTheSpecialNumbers) {
    EXPECT_EQ(NagText(1), "$Good move$");
    EXPECT_EQ(NagText(13), "$Unclear position$");
    EXPECT_EQ(NagText(20), "$White has a crushing advantage (Black should resign)$");
    EXPECT_EQ(NagText(139), "$Black has severe time control pressure$");
    EXPECT_EQ(NagText(142), "$>=$");
    EXPECT_EQ(NagText(146), "$Novelty$");
    for (const int unknown : {0, 140, 141, 143, 144, 145, 147, 99999}) {
        EXPECT_EQ(NagText(unknown), "$Unknown NAG " + std::to_string(unknown) + "$");
    }
}

TEST(NagTexts, EveryTableEntryIsFilled) {
    for (int nag = 1; nag <= 139; ++nag) {
        EXPECT_FALSE(NagTableText(nag).empty()) << nag;
    }
    EXPECT_EQ(NagTableText(46), "White has more than adequate compensation for material deficit");
    EXPECT_EQ(NagTableText(98), "White has poor queen placement");
}

TEST(NagTexts, TextCollectionModesWriteTheNumber) {
    EXPECT_EQ(NagText(14, NagTextMode::kGameWriting), "$14");
    EXPECT_EQ(NagText(14, NagTextMode::kColumnText), "$14$");
}

TEST(NagTexts, LongNumbersSaturateInsteadOfOverflowing) {
    std::size_t used = 0;
    EXPECT_EQ(ReadNagNumber("123456789012345678901234567890 rest", &used), kMaxNagNumber);
    EXPECT_EQ(used, 30U);
    EXPECT_EQ(ReadNagNumber("7)", &used), 7);
}

// --- Word wrapping ---

TEST(DisplayLines, FiftySixCharacterCommentGivesTwoEntriesCutAtTheLastBlank) {
    const std::string comment = "{This comment is exactly long enough to need two lines.}";
    ASSERT_EQ(comment.size(), 56U);
    std::vector<std::string> list;
    EXPECT_EQ(AddDisplayLine(&list, comment, 7, kNormalDisplayWidth), 9);
    ASSERT_EQ(list.size(), 2U);
    EXPECT_EQ(list[0], "{This comment is exactly long enough to need");
    EXPECT_EQ(list[1], "two lines.}");
    EXPECT_EQ(DisplayLineCount(comment, kWideDisplayWidth), 2);
}

TEST(DisplayLines, WordLongerThanALineIsCutHardAtTheWidth) {
    const std::string word(100, 'w');
    std::vector<std::string> list;
    AddDisplayLine(&list, word, 0, kNormalDisplayWidth);
    ASSERT_EQ(list.size(), 3U);
    EXPECT_EQ(list[0].size(), 44U);
    EXPECT_EQ(list[1].size(), 44U);
    EXPECT_EQ(list[2].size(), 12U);
}

TEST(DisplayLines, WithoutAListOnlyTheCounterAdvances) {
    EXPECT_EQ(AddDisplayLine(nullptr, "short", 3, kNormalDisplayWidth), 4);
}

// --- Annotations of a ply ---

std::vector<std::string> Shown(const ParsedGame& game, int plyIndex, int width = kNormalDisplayWidth) {
    std::vector<std::string> lines;
    AnnotationOutput output;
    output.list = &lines;
    output.width = width;
    ShowAnnotations(*game.record, plyIndex, output);
    return lines;
}

TEST(PlyAnnotations, NagsCommentsAndVariationsUpToTheNextMove) {
    ParsedGame game("1. e4 $1 {good\nmove} ; line end\ne5 (1... d5 {x ( y} 2. d4) $146 2. Nf3 *\n");
    EXPECT_EQ(Shown(game, 1), (std::vector<std::string>{"$Good move$", "{good move}", "{ line end}"}));
    EXPECT_EQ(Shown(game, 2), (std::vector<std::string>{"(1... d5 {x ( y} 2. d4)", "$Novelty$"}));
    EXPECT_TRUE(Shown(game, 3).empty());
}

TEST(PlyAnnotations, VariationHeldForAPlyShowsFromTheVariationOn) {
    ParsedGame game("1. e4 {comment} (1. d4) e5 *\n");
    EXPECT_EQ(Shown(game, 1), (std::vector<std::string>{"(1. d4)"}));
}

TEST(PlyAnnotations, TextCollectionModesGoToTheBuffer) {
    ParsedGame game("1. e4 $14 {c} e5 *\n");
    std::string text;
    AnnotationOutput writing;
    writing.mode = AnnotationOutputMode::kGameWriting;
    writing.text = &text;
    EXPECT_EQ(ShowAnnotations(*game.record, 1, writing), 2);
    EXPECT_EQ(text, "$14\r\n{c}\r\n");
    std::string column;
    AnnotationOutput columnOutput;
    columnOutput.mode = AnnotationOutputMode::kColumnText;
    columnOutput.text = &column;
    ShowAnnotations(*game.record, 1, columnOutput);
    EXPECT_EQ(column, "$14$ {c} ");
}

TEST(PlyAnnotations, OnlyTheColumnTextKeepsLineEndsInsideCommentsAndVariations) {
    ParsedGame game("1. e4 {two\nlines} e5 (1... d5\n2. d4) *\n");
    EXPECT_EQ(Shown(game, 1), (std::vector<std::string>{"{two lines}"}));
    EXPECT_EQ(Shown(game, 2), (std::vector<std::string>{"(1... d5 2. d4)"}));
    std::string column;
    AnnotationOutput output;
    output.mode = AnnotationOutputMode::kColumnText;
    output.text = &column;
    ShowAnnotations(*game.record, 1, output);
    ShowAnnotations(*game.record, 2, output);
    EXPECT_EQ(column, "{two\nlines} (1... d5\n2. d4) ");
}

TEST(PlyAnnotations, ColumnTextStopsAtItsLimit) {
    ParsedGame game("1. e4 {c} e5 *\n");
    std::string column(kColumnTextLimit - 2, 'x');
    AnnotationOutput output;
    output.mode = AnnotationOutputMode::kColumnText;
    output.text = &column;
    ShowAnnotations(*game.record, 1, output);
    EXPECT_EQ(column.size(), kColumnTextLimit - 2) << "a piece that would not fit is dropped";
}

TEST(PlyAnnotations, UnclosedCommentStopsAtTheEndOfTheMovetext) {
    ParsedGame game("1. e4 {never closed\nsecond line\n");
    EXPECT_EQ(Shown(game, 1), (std::vector<std::string>{"{never closed second line"}));
}

}  // namespace
}  // namespace ravelin::chess
