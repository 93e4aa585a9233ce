#include "gamefile/tag_line.h"

#include <gtest/gtest.h>

namespace ravelin::gamefile {
namespace {

TEST(IsTagLine, AnyNameCountsInTheQuotedForm) {
    EXPECT_TRUE(IsTagLine("[WhiteFideId \"123\"]"));
    EXPECT_TRUE(IsTagLine("[Termination \"Normal\"] "));
    EXPECT_TRUE(IsTagLine("[X \"\"]"));
}

TEST(IsTagLine, UnknownNameWithoutQuotedValueIsNotATag) {
    EXPECT_FALSE(IsTagLine("[Termination Normal]"));
    EXPECT_FALSE(IsTagLine("[Board \"1\" ]x"));
}

TEST(IsTagLine, KnownNamesCountEvenWithDamagedValues) {
    EXPECT_TRUE(IsTagLine("[Event Hastings]"));
    EXPECT_TRUE(IsTagLine("[EventDate \"1990\"]"));
    EXPECT_TRUE(IsTagLine("[Annotator Smith]"));
    EXPECT_TRUE(IsTagLine("[FEN rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1]"));
}

TEST(IsTagLine, MustStartWithBracketAndCapital) {
    EXPECT_FALSE(IsTagLine("[event \"x\"]"));
    EXPECT_FALSE(IsTagLine(" [Event \"x\"]"));
    EXPECT_FALSE(IsTagLine("[\"x\"]"));
    EXPECT_FALSE(IsTagLine("["));
    EXPECT_FALSE(IsTagLine(""));
}

TEST(IsTagLine, MustEndWithBracketOrBracketAndOneBlank) {
    EXPECT_FALSE(IsTagLine("[Event \"x\"]  "));
    EXPECT_FALSE(IsTagLine("[Event \"x\""));
    EXPECT_FALSE(IsTagLine("[Unknown \"x\"] {comment}"));
}

TEST(IsTagLine, QuotedFormNeedsTheBlankBeforeTheOpeningQuote) {
    EXPECT_FALSE(IsTagLine("[Custom x\"y\"]"));
    EXPECT_TRUE(IsTagLine("[Custom \"y\" ]"));
}

}  // namespace
}  // namespace ravelin::gamefile
