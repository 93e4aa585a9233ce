// Edits on a game's text next to a move: where items are found and put, and what is refused.

#include "annotation/annotation_text.h"
#include "annotation/annotation_tags.h"

#include <gtest/gtest.h>

#include <string>

namespace ravelin::annotation {
namespace {

const std::string kHeader = "[Event \"E  (x) {y}\"]\r\n[Result \"*\"]\r\n\r\n";

// The offset just past the first occurrence of a move in the movetext.
std::size_t EndOf(const std::string& text, const std::string& move) {
    return text.find(move, MovetextBegin(text)) + move.size();
}

TEST(AnnotationTextTest, FindsTheItemOfEachKindAmongThoseThatFollowTheMove) {
    struct Case {
        const char* movetext;
        const char* move;
        ItemKind kind;
        const char* found;  // nullptr: not found
    };
    const Case cases[] = {
        {"1. e4 $1 {good} (1. d4 (1. c4) d5) e5 *", "e4", ItemKind::kComment, "{good}"},
        {"1. e4 $1 {good} (1. d4 (1. c4) d5) e5 *", "e4", ItemKind::kLine, "(1. d4 (1. c4) d5)"},
        {"1. e4 $1 {good} (1. d4 (1. c4) d5) e5 *", "e4", ItemKind::kMoveAnnotation, "$1"},
        {"1. e4\r\n{on the next line} e5 *", "e4", ItemKind::kComment, "{on the next line}"},
        {"1. e4 (1. d4 {a ) in a comment}) e5 *", "e4", ItemKind::kLine, "(1. d4 {a ) in a comment})"},
        // The search stops at the next move: the comment belongs to e5.
        {"1. e4 e5 {late} *", "e4", ItemKind::kComment, nullptr},
        {"1. e4 e5 *", "e4", ItemKind::kMoveAnnotation, nullptr},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.movetext);
        const std::string text = kHeader + c.movetext;
        const std::optional<TextSpan> span = FindItem(text, EndOf(text, c.move), c.kind);
        if (c.found == nullptr) {
            EXPECT_FALSE(span);
        } else {
            ASSERT_TRUE(span);
            EXPECT_EQ(text.substr(span->begin, span->end - span->begin), c.found);
        }
    }
}

TEST(AnnotationTextTest, AppendsAfterTheMoveAnnotationsAndInsertsBeforeTheMoveNumber) {
    struct Case {
        const char* movetext;
        const char* move;
        bool before;
        bool pastLines;
        const char* item;
        const char* after;
    };
    const Case cases[] = {
        {"1. e4 $1 e5 *", "e4", false, false, "{c}", "1. e4 $1 {c} e5 *"},
        {"1. e4 $1\r\n$14 e5 *", "e4", false, false, "{c}", "1. e4 $1\r\n$14 {c} e5 *"},
        {"1. e4 (1. d4) e5 *", "e4", false, true, "(1. c4)", "1. e4 (1. d4) (1. c4) e5 *"},
        {"1. e4 e5 2. Nf3 *", "Nf3", true, false, "{c}", "1. e4 e5 {c} 2. Nf3 *"},
        {"1. e4 e5 2... Nc6 *", "Nc6", true, false, "{c}", "1. e4 e5 {c} 2... Nc6 *"},
        {"1. e4 (1. d4 d5) *", "d5", false, false, "$2", "1. e4 (1. d4 d5 $2) *"},
        {"1. e4 (1. d4 d5) *", "d4", true, false, "{c}", "1. e4 ({c} 1. d4 d5) *"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.movetext);
        std::string text = kHeader + c.movetext;
        const std::size_t end = EndOf(text, c.move);
        const std::size_t at = c.before ? MoveStart(text, end) : AppendPoint(text, end, c.pastLines);
        ASSERT_EQ(InsertItem(text, at, c.item, c.before), nullptr);
        NormaliseSpacing(text);
        EXPECT_EQ(text, kHeader + c.after);
    }
}

TEST(AnnotationTextTest, AnInsertionPointInsideATokenIsRefusedAndNothingIsWritten) {
    std::string text = kHeader + "1. e4 e5 *";
    const std::string before = text;
    const std::size_t insideE4 = EndOf(text, "e4") - 1;
    EXPECT_STREQ(InsertItem(text, insideE4, "{c}", false), kUnexpectedCharacter);
    EXPECT_STREQ(InsertItem(text, insideE4, "{c}", true), kUnexpectedCharacter);
    EXPECT_EQ(text, before);
}

TEST(AnnotationTextTest, AnInsertionThatWouldMakeALineTooLongForTheReaderIsRefused) {
    std::string text = kHeader + "1. e4 e5 *";
    const std::string before = text;
    const std::string longComment = "{" + std::string(300, 'x') + "}";
    EXPECT_STREQ(InsertItem(text, EndOf(text, "e4"), longComment, false), kLineTooLongAfterEdit);
    EXPECT_EQ(text, before);
    // A long typed comment is broken into lines, so it can be written.
    const std::string wrapped = CommentItem(std::string(200, 'a') + " " + std::string(40, 'b') + " end");
    EXPECT_EQ(InsertItem(text, EndOf(text, "e4"), wrapped, false), nullptr);
    EXPECT_TRUE(LinesFit(text));
}

TEST(AnnotationTextTest, SpacingIsTidiedInTheMovetextOnlyAndNeverInsideComments) {
    std::string text = kHeader + "  1. e4  e5{a  b}(1... c5)$1 2. Nf3 *\r\n";
    NormaliseSpacing(text);
    EXPECT_EQ(text, kHeader + "1. e4 e5 {a  b} (1... c5) $1 2. Nf3 *\r\n");
}

TEST(AnnotationTextTest, DeletingAnItemTakesItsSeparatingBlankAndAStrayBlackMoveNumber) {
    std::string text = kHeader + "1. e4 (1. d4 d5) 1... e5 *";
    const std::size_t end = EndOf(text, "e4");
    const std::optional<TextSpan> line = FindItem(text, end, ItemKind::kLine);
    ASSERT_TRUE(line);
    DeleteItem(text, *line);
    DropBareBlackMoveNumber(text, line->begin - 1);
    EXPECT_EQ(text, kHeader + "1. e4 e5 *");
    // After a line the black move gets its number back.
    WriteBlackMoveNumber(text, end, 1);
    EXPECT_EQ(text, kHeader + "1. e4 1... e5 *");
}

TEST(AnnotationTextTest, EnteredLinesAreNumberedFromTheirFirstMove) {
    EXPECT_EQ(LineText(1, {"d4", "d5", "c4"}), "(1. d4 d5 2. c4)");
    EXPECT_EQ(LineText(4, {"Nc6", "Bb5"}), "(2... Nc6 3. Bb5)");
}

TEST(AnnotationTextTest, TypedTextsAreCheckedBeforeTheyAreWritten) {
    EXPECT_EQ(CommentItem("{already braced}"), "{already braced}");
    EXPECT_EQ(CommentItem("plain \r\n"), "{plain}");
    EXPECT_EQ(CommentItem(" \r\n"), "");
    EXPECT_EQ(CheckComment(CommentItem("{fine}")), "");
    EXPECT_NE(CheckComment(CommentItem("a } b")), "");
    EXPECT_NE(CheckComment(CommentItem("{a { b}")), "");
    EXPECT_EQ(LineItem("1. d4 d5"), "(1. d4 d5)");
    EXPECT_EQ(CheckLine(LineItem("1. d4 (1. c4) d5")), "");
    EXPECT_NE(CheckLine(LineItem("(1. d4 (1. c4 d5)")), "");
    EXPECT_NE(CheckLine(LineItem("(1. d4) d5)")), "");
    EXPECT_NE(CheckLine(LineItem("1. d4 } d5")), "");
    EXPECT_EQ(CheckAnnotator("J. Doe"), "");
    EXPECT_NE(CheckAnnotator("say \"hi\""), "");
    EXPECT_NE(CheckAnnotator("two\r\nlines"), "");
}

TEST(AnnotationTextTest, TheAnnotatorTagIsReplacedAddedAfterTheTagsOrRemoved) {
    std::string text = "[Event \"E\"]\r\n[Annotator \"Old\"]\r\n[Result \"*\"]\r\n\r\n1. e4 *\r\n";
    EXPECT_EQ(AnnotatorValue(text), "Old");
    SetAnnotator(text, "New");
    EXPECT_EQ(text, "[Event \"E\"]\r\n[Annotator \"New\"]\r\n[Result \"*\"]\r\n\r\n1. e4 *\r\n");
    SetAnnotator(text, "");
    EXPECT_EQ(text, "[Event \"E\"]\r\n[Result \"*\"]\r\n\r\n1. e4 *\r\n");
    EXPECT_FALSE(AnnotatorValue(text));
    SetAnnotator(text, "Me");
    EXPECT_EQ(text, "[Event \"E\"]\r\n[Result \"*\"]\r\n[Annotator \"Me\"]\r\n\r\n1. e4 *\r\n");
}

TEST(AnnotationTextTest, TheLineThatHoldsAMoveIsFoundBackToItsOpeningParenthesis) {
    const std::string text = kHeader + "1. e4 (1. d4 {x (} d5 (1... Nf6) 2. c4) e5 *";
    const std::optional<TextSpan> line = EnclosingLine(text, EndOf(text, "c4"));
    ASSERT_TRUE(line);
    EXPECT_EQ(text.substr(line->begin, line->end - line->begin), "(1. d4 {x (} d5 (1... Nf6) 2. c4)");
    EXPECT_FALSE(EnclosingLine(text, EndOf(text, "e5")));
}

}  // namespace
}  // namespace ravelin::annotation
