#include "gamefile/game_text_adjust.h"

#include <gtest/gtest.h>

#include <utility>

namespace ravelin::gamefile {
namespace {

std::string Repeat(std::string_view piece, int times) {
    std::string text;
    for (int i = 0; i < times; ++i) {
        text += piece;
    }
    return text;
}

TEST(GameTextAdjustTest, AdjustRule) {
    struct Case {
        const char* name;
        std::string text;
        bool join;
        std::string expected;
    };
    const std::string words = Repeat("12.Nf3 ", 14);  // 98 characters, blanks every 7
    const std::string longTag = "[Event \"" + Repeat("x", 100) + "\"]";
    const Case cases[] = {
        {"every line end becomes CR LF", "a\nb\rc\r\nd", false, "a\r\nb\r\nc\r\nd\r\n"},
        {"cut at the last blank at or before column 85", words, false,
         Repeat("12.Nf3 ", 11) + "12.Nf3\r\n12.Nf3 12.Nf3 \r\n"},
        {"a cut without a blank is a hard cut", Repeat("x", 200), false,
         Repeat("x", 85) + "\r\n" + Repeat("x", 85) + "\r\n" + Repeat("x", 30) + "\r\n"},
        {"tag lines, comment lines and escape lines stay whole",
         longTag + "\n;" + Repeat("y", 99) + "\n%" + Repeat("z", 99), true,
         longTag + "\r\n;" + Repeat("y", 99) + "\r\n%" + Repeat("z", 99) + "\r\n"},
        {"short lines take the next in, but not an empty, tag or comment line",
         "[Site \"?\"]\n\n1.e4 e5\n2.Nf3 Nc6\n3.Bb5 ; Ruy\n4.Ba4\n\n[Event \"?\"]", true,
         "[Site \"?\"]\r\n\r\n1.e4 e5 2.Nf3 Nc6\r\n3.Bb5 ; Ruy\r\n4.Ba4\r\n\r\n[Event \"?\"]\r\n"},
        {"a short last piece of a cut line takes the next in", words + "\n13.d4", true,
         Repeat("12.Nf3 ", 11) + "12.Nf3\r\n12.Nf3 12.Nf3  13.d4\r\n"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        EXPECT_EQ(AdjustGameText(c.text, c.join), c.expected);
    }
}

TEST(GameTextAdjustTest, RecordLengthAndBracketChecks) {
    std::string fits = "[Event \"?\"]\r\n\r\n1.e4";
    EXPECT_TRUE(RecordLengthsFit(fits));
    EXPECT_EQ(fits, "[Event \"?\"]\r\n\r\n1.e4\r\n");
    std::string tooLong = "1.e4 {" + Repeat("x", 260) + "}\r\n";
    EXPECT_FALSE(RecordLengthsFit(tooLong));

    struct Case {
        const char* text;
        std::vector<std::string> warnings;
    };
    const Case cases[] = {
        {"[Event \"(\"]\r\n\r\n1.e4 (1.d4 {a (b}) e5 *\r\n", {}},
        {"1.e4 {open (1.d4\r\n", {kCommentBracesOutOfSync}},
        {"[Event \"?\"]\r\n\r\n1.e4 (1.d4 e5 *\r\n", {kLineParensOutOfSync}},
        {"[Event \"?\"]\r\n\r\n1.e4 {x (1.d4) e5 *\r\n", {kCommentBracesOutOfSync}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.text);
        EXPECT_EQ(BraceAndParenWarnings(c.text), c.warnings);
    }
}

TEST(GameTextAdjustTest, DoubleBlanksOfTheMovetextBecomeOneOutsideComments) {
    const std::pair<const char*, const char*> cases[] = {
        {"[Event \"a  b\"]\r\n\r\n1.e4   e5  2.Nf3 *\r\n", "[Event \"a  b\"]\r\n\r\n1.e4 e5 2.Nf3 *\r\n"},
        {"1.e4  {two  blanks}  e5 ;x  y\r\n%keep  this\r\n2.d4  *\r\n",
         "1.e4 {two  blanks} e5 ;x  y\r\n%keep  this\r\n2.d4 *\r\n"},
        {"no  movetext\r\n", "no  movetext\r\n"},
    };
    for (const auto& [text, expected] : cases) {
        EXPECT_EQ(ReduceDoubleBlanks(text), expected) << text;
    }
}

}  // namespace
}  // namespace ravelin::gamefile
