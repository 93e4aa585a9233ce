#include "search/fast_header.h"

#include <gtest/gtest.h>

namespace ravelin::search {
namespace {

TEST(RoundReduction, LetterPrefixedRoundsKeepTheirNumber) {
    EXPECT_EQ(ReduceRoundValue("R5"), "5");
    EXPECT_EQ(ReduceRoundValue("Rd 3"), "3");
    EXPECT_EQ(ReduceRoundValue("Round 12.1"), "12.1");
}

TEST(RoundReduction, NumbersQuestionMarksAndDigitlessValuesStay) {
    EXPECT_EQ(ReduceRoundValue("?"), "?");
    EXPECT_EQ(ReduceRoundValue("12"), "12");
    EXPECT_EQ(ReduceRoundValue("-"), "-");
    EXPECT_EQ(ReduceRoundValue("final"), "final");
    EXPECT_EQ(ReduceRoundValue(""), "");
}

TEST(TagValue, TextBetweenQuotesWithLeadingBlanksSkipped) {
    EXPECT_EQ(TagValueOf("[White \"  Tal, M\"]"), "Tal, M");
    EXPECT_EQ(TagValueOf(""), "");
}

gamefile::GameHeader HeaderWith(std::initializer_list<std::pair<gamefile::TagSlot, std::string_view>> tags) {
    gamefile::GameHeader header;
    for (const auto& [slot, line] : tags) {
        header.SetSlot(slot, line);
    }
    return header;
}

TEST(FastHeaderRecord, TenLengthPrefixedValuesInStoredOrder) {
    using gamefile::TagSlot;
    const gamefile::GameHeader header = HeaderWith({{TagSlot::kEvent, "[Event \"E\"]"},
                                                    {TagSlot::kSite, "[Site \"S\"]"},
                                                    {TagSlot::kWhite, "[White \"W\"]"},
                                                    {TagSlot::kRound, "[Round \"R7\"]"},
                                                    {TagSlot::kResult, "[Result \"1-0\"]"}});
    std::string out;
    AppendFastHeaderRecord(header, out);
    const std::string expected(
        "\x01W\x00\x03"
        "1-0\x00\x00\x00\x00\x01"
        "7\x01"
        "E\x01S",
        17);
    EXPECT_EQ(out, expected);
}

TEST(FastHeaderRecord, CountIsLittleEndian) {
    std::string out;
    AppendFastHeaderCount(0x01020304, out);
    EXPECT_EQ(out, std::string("\x04\x03\x02\x01", 4));
}

}  // namespace
}  // namespace ravelin::search
