#include "search/header_match.h"

#include <gtest/gtest.h>

#include <initializer_list>
#include <utility>

namespace ravelin::search {
namespace {

HeaderCriteria Criteria(std::initializer_list<std::pair<HeaderField, const char*>> fields) {
    HeaderCriteria criteria;
    for (const auto& [field, text] : fields) {
        criteria[field] = text;
    }
    return criteria;
}

HeaderGameValues Game(const char* white, const char* black, const char* result = "1-0") {
    HeaderGameValues game;
    game.white = white;
    game.black = black;
    game.result = result;
    return game;
}

bool Passes(const HeaderCriteria& criteria, const HeaderGameValues& game) {
    std::uint8_t outcome = 0;
    return HeaderMatcher(criteria).Matches(game, outcome);
}

TEST(HeaderMatchTest, OutcomeOfResultValues) {
    EXPECT_EQ(OutcomeOfResult("1-0"), kOutcomeWhiteWon);
    EXPECT_EQ(OutcomeOfResult("0-1"), kOutcomeBlackWon);
    EXPECT_EQ(OutcomeOfResult("1/2-1/2"), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResult("*"), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResult(""), kOutcomeOther);
}

TEST(HeaderMatchTest, PrefixFieldsIgnoreCaseAndEventHasAnExactForm) {
    HeaderGameValues game = Game("A", "B");
    game.event = "Dortmund Sparkassen";
    game.site = "Dortmund GER";
    game.round = "5";
    game.eco = "B90";
    EXPECT_TRUE(Passes(Criteria({{HeaderField::kEvent, "dortmund"}, {HeaderField::kSite, "DORT"}}), game));
    EXPECT_TRUE(Passes(Criteria({{HeaderField::kEco, "b9"}, {HeaderField::kRound, "5"}}), game));
    EXPECT_FALSE(Passes(Criteria({{HeaderField::kEco, "B91"}}), game));
    EXPECT_FALSE(Passes(Criteria({{HeaderField::kEvent, "Dortmund#"}}), game));
    EXPECT_TRUE(Passes(Criteria({{HeaderField::kEvent, "Dortmund Sparkassen#"}}), game));
    EXPECT_FALSE(Passes(Criteria({{HeaderField::kEvent, "dortmund sparkassen#"}}), game));
    EXPECT_FALSE(Passes(Criteria({{HeaderField::kSite, "Dortmund GERMANY"}}), game));
    EXPECT_TRUE(Passes(Criteria({{HeaderField::kResult, "1-"}}), game));
    EXPECT_FALSE(Passes(Criteria({{HeaderField::kResult, "0-1"}}), game));
}

TEST(HeaderMatchTest, DateRelationsWithEmptyAndUnknownDates) {
    HeaderGameValues game = Game("A", "B");
    const HeaderCriteria from1990 = Criteria({{HeaderField::kDate, ">=1990"}});
    for (const char* date : {"1990.??.??", "2001.05.01", ""}) {
        game.date = date;
        EXPECT_TRUE(Passes(from1990, game)) << date;
    }
    for (const char* date : {"1989.12.31", "????.??.??", "?"}) {
        game.date = date;
        EXPECT_FALSE(Passes(from1990, game)) << date;
    }
    const HeaderCriteria range = Criteria({{HeaderField::kDate, "1990-1995"}});
    game.date = "1995.12.31";
    EXPECT_TRUE(Passes(range, game));
    game.date = "1996.01.01";
    EXPECT_FALSE(Passes(range, game));
}

TEST(HeaderMatchTest, EloAndMoveCountRelations) {
    HeaderGameValues game = Game("A", "B");
    game.whiteElo = "2700";
    game.blackElo = "";
    game.moves = 20;
    EXPECT_TRUE(Passes(Criteria({{HeaderField::kWhiteElo, ">2600"}}), game));
    EXPECT_FALSE(Passes(Criteria({{HeaderField::kWhiteElo, ">2700"}}), game));
    // No Elo fails an Elo criterion; a criterion reading 0 sets none.
    EXPECT_FALSE(Passes(Criteria({{HeaderField::kBlackElo, "<3000"}}), game));
    EXPECT_TRUE(Passes(Criteria({{HeaderField::kBlackElo, "0"}}), game));
    EXPECT_FALSE(Passes(Criteria({{HeaderField::kNumberOfMoves, "<20"}}), game));
    EXPECT_TRUE(Passes(Criteria({{HeaderField::kNumberOfMoves, "<=20"}}), game));
    EXPECT_TRUE(Passes(Criteria({{HeaderField::kNumberOfMoves, "10-20"}}), game));
}

TEST(HeaderMatchTest, PlainNamesOnTheirOwnSides) {
    const HeaderCriteria both = Criteria({{HeaderField::kWhite, "Morrow"}, {HeaderField::kBlack, "Smith"}});
    EXPECT_TRUE(Passes(both, Game("Morrow, Glen", "Smith, J")));
    EXPECT_FALSE(Passes(both, Game("Smith, J", "Morrow, Glen")));
    EXPECT_TRUE(Passes(Criteria({{HeaderField::kBlack, "Smith"}}), Game("X", "Smith")));
    // Without a White name, a Black beginning with '*' is a name like any other.
    const HeaderCriteria starName = Criteria({{HeaderField::kBlack, "*"}});
    EXPECT_TRUE(Passes(starName, Game("X", "*unknown")));
    EXPECT_FALSE(Passes(starName, Game("X", "Smith")));
}

TEST(HeaderMatchTest, EitherColourGivesThePlayersOutcome) {
    const HeaderMatcher matcher(Criteria({{HeaderField::kWhite, "Morrow"}, {HeaderField::kBlack, "*"}}));
    EXPECT_EQ(matcher.Form(), PlayerForm::kEitherColour);
    struct Case {
        const char* white;
        const char* black;
        const char* result;
        std::uint8_t outcome;
    };
    const Case cases[] = {
        {"Morrow", "X", "1-0", kOutcomeWhiteWon},
        {"X", "Morrow", "0-1", kOutcomeBlackWon},
        {"Morrow", "X", "1/2-1/2", kOutcomeUndecidedAsWhite},
        {"X", "Morrow", "*", kOutcomeUndecidedAsBlack},
        {"Morrow", "X", "0-1", kOutcomeOther},
        {"X", "Morrow", "1-0", kOutcomeOther},
    };
    SearchResult result;
    matcher.StartResult(result);
    EXPECT_EQ(result.counter3, 0);
    int number = 0;
    for (const Case& c : cases) {
        std::uint8_t outcome = 99;
        ASSERT_TRUE(matcher.Matches(Game(c.white, c.black, c.result), outcome)) << c.result;
        EXPECT_EQ(outcome, c.outcome) << c.white << " " << c.result;
        matcher.AddMatch(result, ++number, outcome);
    }
    std::uint8_t outcome = 0;
    EXPECT_FALSE(matcher.Matches(Game("X", "Y"), outcome));
    EXPECT_EQ(result.whiteWins, 1);
    EXPECT_EQ(result.blackWins, 1);
    EXPECT_EQ(result.counter3, 1);
    EXPECT_EQ(result.counter4, 1);
    EXPECT_EQ(result.Count(), 6);
}

TEST(HeaderMatchTest, PairingInEitherColoursCountsUndecidedGames) {
    const HeaderMatcher matcher(Criteria({{HeaderField::kWhite, "Morrow"}, {HeaderField::kBlack, "*Smith"}}));
    EXPECT_EQ(matcher.Form(), PlayerForm::kPairing);
    SearchResult result;
    matcher.StartResult(result);
    const HeaderGameValues games[] = {
        Game("Morrow", "Smith", "1-0"), Game("Smith", "Morrow", "1-0"), Game("Smith", "Morrow", "1/2-1/2"),
        Game("Morrow", "Jones", "1-0"), Game("Jones", "Smith", "0-1"),
    };
    int number = 0;
    for (const HeaderGameValues& game : games) {
        ++number;
        std::uint8_t outcome = 0;
        if (matcher.Matches(game, outcome)) {
            matcher.AddMatch(result, number, outcome);
        }
    }
    ASSERT_EQ(result.Count(), 3);
    EXPECT_EQ(result.whiteWins, 2);
    EXPECT_EQ(result.blackWins, 0);
    EXPECT_EQ(result.counter3, 1);
    EXPECT_EQ(result.counter4, kNotCounted);
}

TEST(HeaderMatchTest, PlainFormsDoNotCountTheExtraCounters) {
    const HeaderMatcher matcher(Criteria({{HeaderField::kWhite, "Morrow"}}));
    SearchResult result;
    matcher.StartResult(result);
    matcher.AddMatch(result, 1, kOutcomeOther);
    matcher.AddMatch(result, 2, kOutcomeBlackWon);
    EXPECT_EQ(result.counter3, kNotCounted);
    EXPECT_EQ(result.counter4, kNotCounted);
    EXPECT_EQ(result.blackWins, 1);
}

TEST(HeaderMatchTest, ResultPlayerFormFollowsThePlayersSide) {
    const HeaderCriteria won = Criteria(
        {{HeaderField::kWhite, "Morrow"}, {HeaderField::kBlack, "*"}, {HeaderField::kResult, "*1-0"}});
    EXPECT_TRUE(Passes(won, Game("Morrow", "X", "1-0")));
    EXPECT_TRUE(Passes(won, Game("X", "Morrow", "0-1")));
    EXPECT_FALSE(Passes(won, Game("X", "Morrow", "1-0")));
    EXPECT_FALSE(Passes(won, Game("Morrow", "X", "1/2-1/2")));
    const HeaderCriteria lost = Criteria(
        {{HeaderField::kWhite, "Morrow"}, {HeaderField::kBlack, "*Smith"}, {HeaderField::kResult, "*0-1"}});
    EXPECT_TRUE(Passes(lost, Game("Morrow", "Smith", "0-1")));
    EXPECT_TRUE(Passes(lost, Game("Smith", "Morrow", "1-0")));
    EXPECT_FALSE(Passes(lost, Game("Smith", "Morrow", "0-1")));
    // Without a known side the text is an ordinary prefix, which no result has.
    EXPECT_FALSE(Passes(Criteria({{HeaderField::kWhite, "Morrow"}, {HeaderField::kResult, "*1-0"}}),
                        Game("Morrow", "X", "1-0")));
}

TEST(HeaderMatchTest, QuestionNameUsesBlackOnlyInItsStarForm) {
    const HeaderCriteria either = Criteria({{HeaderField::kWhite, "Morrow?"}, {HeaderField::kBlack, "*"}});
    EXPECT_TRUE(Passes(either, Game("X", "Morrox")));
    const HeaderCriteria pairing =
        Criteria({{HeaderField::kWhite, "Morrow?"}, {HeaderField::kBlack, "*Smith"}});
    EXPECT_EQ(HeaderMatcher(pairing).Form(), PlayerForm::kPlain);
    EXPECT_TRUE(Passes(pairing, Game("Morrox", "Jones")));
    EXPECT_FALSE(Passes(pairing, Game("Jones", "Morrox")));
}

TEST(HeaderMatchTest, SpecificMoveNeedsTheMoveList) {
    const HeaderMatcher matcher(Criteria({{HeaderField::kSpecificMove, "1. e4"}}));
    EXPECT_TRUE(matcher.NeedsMoves());
    chess::MoveList list;
    chess::SetSanText(list.whiteMoves[0], "e4");
    HeaderGameValues game = Game("A", "B");
    std::uint8_t outcome = 0;
    EXPECT_FALSE(matcher.Matches(game, outcome));
    game.moveList = &list;
    game.moves = 1;
    EXPECT_TRUE(matcher.Matches(game, outcome));
}

}  // namespace
}  // namespace ravelin::search
