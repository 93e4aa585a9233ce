#include "search/relation_criterion.h"

#include <gtest/gtest.h>

#include "search/search_result.h"

namespace ravelin::search {
namespace {

TEST(RelationCriterionTest, OperatorsAndTheirTwoCharacterForms) {
    struct Case {
        const char* text;
        Relation relation;
        long value;
    };
    const Case cases[] = {
        {"2400", Relation::kEqual, 2400},      {"=2400", Relation::kEqual, 2400},
        {">2400", Relation::kGreater, 2400},   {">=2400", Relation::kAtLeast, 2400},
        {"=> 2400", Relation::kAtLeast, 2400}, {"<20", Relation::kLess, 20},
        {"<= 20", Relation::kAtMost, 20},      {"=<20 moves", Relation::kAtMost, 20},
    };
    for (const Case& c : cases) {
        const RelationCriterion criterion = ParseRelationCriterion(c.text);
        EXPECT_EQ(criterion.relation, c.relation) << c.text;
        EXPECT_EQ(criterion.lowNumber, c.value) << c.text;
    }
}

TEST(RelationCriterionTest, NumbersAgainstEachRelation) {
    EXPECT_TRUE(ParseRelationCriterion(">=20").Satisfies(20));
    EXPECT_FALSE(ParseRelationCriterion(">20").Satisfies(20));
    EXPECT_TRUE(ParseRelationCriterion("<20").Satisfies(19));
    EXPECT_FALSE(ParseRelationCriterion("<20").Satisfies(20));
    EXPECT_TRUE(ParseRelationCriterion("<=20").Satisfies(20));
    EXPECT_TRUE(ParseRelationCriterion("20").Satisfies(20));
    EXPECT_FALSE(ParseRelationCriterion("20").Satisfies(21));
}

TEST(RelationCriterionTest, RangeIncludesBothEndsAndAnOpenUpperEnd) {
    const RelationCriterion range = ParseRelationCriterion("10- 20");
    EXPECT_EQ(range.relation, Relation::kRange);
    EXPECT_EQ(range.highNumber, 20);
    EXPECT_TRUE(range.Satisfies(10));
    EXPECT_TRUE(range.Satisfies(20));
    EXPECT_FALSE(range.Satisfies(9));
    EXPECT_FALSE(range.Satisfies(21));
    const RelationCriterion open = ParseRelationCriterion("30-");
    EXPECT_TRUE(open.Satisfies(400));
    EXPECT_FALSE(open.Satisfies(29));
}

TEST(RelationCriterionTest, ZeroValueSetsNoNumericCondition) {
    EXPECT_FALSE(ParseRelationCriterion("").SetsNumericCondition());
    EXPECT_FALSE(ParseRelationCriterion(">abc").SetsNumericCondition());
    EXPECT_TRUE(ParseRelationCriterion(">1").SetsNumericCondition());
}

TEST(RelationCriterionTest, DatesCompareAsTextCutToTheValue) {
    const RelationCriterion from1990 = ParseRelationCriterion(">=1990");
    EXPECT_TRUE(from1990.SatisfiesText("1990.??.??"));
    EXPECT_TRUE(from1990.SatisfiesText("2001.05.01"));
    EXPECT_FALSE(from1990.SatisfiesText("1989.12.31"));
    const RelationCriterion range = ParseRelationCriterion("1990-1995");
    EXPECT_TRUE(range.SatisfiesText("1995.12.31"));
    EXPECT_TRUE(range.SatisfiesText("1990.01.01"));
    EXPECT_FALSE(range.SatisfiesText("1996.01.01"));
    EXPECT_FALSE(range.SatisfiesText("1989.01.01"));
    EXPECT_TRUE(ParseRelationCriterion("1990.05").SatisfiesText("1990.05.17"));
}

TEST(RelationCriterionTest, HugeNumbersDoNotOverflow) {
    EXPECT_GT(DecimalValue("99999999999999999999999999"), 0);
    EXPECT_EQ(DecimalValue(" -12x"), -12);
}

TEST(SearchResultTest, CombinationKeepsCommonGamesWithTheOthersPly) {
    SearchResult variation;
    variation.Clear();
    variation.Add(2, kOutcomeWhiteWon);
    variation.Add(5, kOutcomeBlackWon);
    variation.Add(7, kOutcomeWhiteWon);
    variation.Add(9, kOutcomeOther);
    SearchResult position;
    position.Clear();
    position.Add(1, kOutcomeOther, 4);
    position.Add(5, kOutcomeBlackWon, 12);
    position.Add(9, kOutcomeOther, 3);
    KeepMatchesAlsoIn(variation, position);
    ASSERT_EQ(variation.Count(), 2);
    EXPECT_EQ(variation.matches[0].game, 5);
    EXPECT_EQ(variation.matches[0].ply, 12);
    EXPECT_EQ(variation.matches[1].game, 9);
    EXPECT_EQ(variation.whiteWins, 0);
    EXPECT_EQ(variation.blackWins, 1);
    EXPECT_EQ(variation.counter3, kNotCounted);
}

TEST(SearchResultTest, RecountCountsUndecidedByColourOnlyWhenCounted) {
    SearchResult result;
    result.Clear(0);
    result.Add(1, kOutcomeUndecidedAsWhite);
    result.Add(2, kOutcomeUndecidedAsBlack);
    result.Add(3, kOutcomeUndecidedAsBlack);
    result.Add(4, kOutcomeBlackWon);
    result.Recount();
    EXPECT_EQ(result.counter3, 1);
    EXPECT_EQ(result.counter4, 2);
    EXPECT_EQ(result.blackWins, 1);
}

}  // namespace
}  // namespace ravelin::search
