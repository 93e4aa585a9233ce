// The header criteria: names, Specific Move patterns, number and date relations, and the whole
// criteria against one game's values.

#include "search/header_match.h"

#include <gtest/gtest.h>

#include <string>
#include <tuple>
#include <utility>
#include <vector>

namespace ravelin::search {
namespace {

using Fields = std::vector<std::pair<HeaderField, const char*>>;

HeaderCriteria Criteria(const Fields& fields) {
    HeaderCriteria criteria;
    for (const auto& [field, text] : fields) {
        criteria[field] = text;
    }
    return criteria;
}

HeaderGameValues Game(const char* white, const char* black, const char* result = "1-0",
                      const char* date = "") {
    HeaderGameValues game;
    game.white = white;
    game.black = black;
    game.result = result;
    game.date = date;
    return game;
}

// The counters of a result, in one comparable value.
std::tuple<int, int, int, int, int> Counters(const SearchResult& result) {
    return {result.whiteWins, result.blackWins, result.counter3, result.counter4, result.Count()};
}

// Prefixes ignore case and the Event has an exact form; an empty date passes a date criterion, an
// unknown one not; no Elo fails an Elo criterion, and one reading 0 sets none. Names stand on their
// own sides, and without a White name a Black '*' is a name like any other. The player's form of
// Result follows the player's side, and without a known side is an ordinary prefix, which no
// result has. A '?' name uses Black only in its either-colour form.
TEST(HeaderMatchTest, CriteriaAgainstGameValues) {
    HeaderGameValues dortmund = Game("A", "B");
    dortmund.event = "Dortmund Sparkassen";
    dortmund.site = "Dortmund GER";
    dortmund.round = "5";
    dortmund.eco = "B90";
    dortmund.whiteElo = "2700";
    dortmund.moves = 20;
    const auto dated = [](const char* date) { return Game("A", "B", "*", date); };
    using F = HeaderField;
    using Games = std::vector<HeaderGameValues>;
    const Fields other = {{F::kWhite, "Morrow?"}, {F::kBlack, "*Smith"}};
    struct Case {
        Fields criteria;
        Games passing, failing;
    };
    const Case cases[] = {
        {{{F::kEvent, "dortmund"}, {F::kSite, "DORT"}, {F::kEco, "b9"}, {F::kRound, "5"}}, {dortmund}, {}},
        {{{F::kEco, "B91"}}, {}, {dortmund}},
        {{{F::kEvent, "Dortmund#"}}, {}, {dortmund}},
        {{{F::kEvent, "Dortmund Sparkassen#"}}, {dortmund}, {}},
        {{{F::kEvent, "dortmund sparkassen#"}}, {}, {dortmund}},
        {{{F::kSite, "Dortmund GERMANY"}}, {}, {dortmund}},
        {{{F::kResult, "1-"}}, {dortmund}, {}},
        {{{F::kResult, "0-1"}}, {}, {dortmund}},
        {{{F::kDate, ">=1990"}}, {dated("1990.??.??"), dated("")}, {dated("????.??.??"), dated("?")}},
        {{{F::kWhiteElo, ">2600"}, {F::kNumberOfMoves, "<=20"}, {F::kBlackElo, "0"}}, {dortmund}, {}},
        {{{F::kBlackElo, "<3000"}}, {}, {dortmund}},
        {{{F::kNumberOfMoves, "<20"}}, {}, {dortmund}},
        {{{F::kWhite, "Morrow"}, {F::kBlack, "Smith"}},
         {Game("Morrow, Glen", "Smith, J")},
         {Game("Smith, J", "Morrow, Glen")}},
        {{{F::kBlack, "Smith"}}, {Game("X", "Smith")}, {}},
        {{{F::kBlack, "*"}}, {Game("X", "*unknown")}, {Game("X", "Smith")}},
        {{{F::kWhite, "Morrow"}, {F::kBlack, "*"}, {F::kResult, "*1-0"}},
         {Game("Morrow", "X", "1-0"), Game("X", "Morrow", "0-1")},
         {Game("X", "Morrow", "1-0"), Game("Morrow", "X", "1/2-1/2")}},
        {{{F::kWhite, "Morrow"}, {F::kBlack, "*Smith"}, {F::kResult, "*0-1"}},
         {Game("Morrow", "Smith", "0-1"), Game("Smith", "Morrow", "1-0")},
         {Game("Smith", "Morrow", "0-1")}},
        {{{F::kWhite, "Morrow"}, {F::kResult, "*1-0"}}, {}, {Game("Morrow", "X", "1-0")}},
        {{{F::kWhite, "Morrow?"}, {F::kBlack, "*"}}, {Game("X", "Morrox")}, {}},
        {other, {Game("Morrox", "Jones")}, {Game("Jones", "Morrox")}},
    };
    for (std::size_t i = 0; i < std::size(cases); ++i) {
        const HeaderCriteria criteria = Criteria(cases[i].criteria);  // the matcher keeps views into it
        const HeaderMatcher matcher(criteria);
        std::uint8_t outcome = 0;
        for (const bool passes : {true, false}) {
            for (const HeaderGameValues& game : passes ? cases[i].passing : cases[i].failing) {
                EXPECT_EQ(matcher.Matches(game, outcome), passes)
                    << "case " << i << ": " << cases[i].criteria[0].second << " / " << game.white << " "
                    << game.result;
            }
        }
    }
    EXPECT_EQ(HeaderMatcher(Criteria(other)).Form(), PlayerForm::kPlain);
}

TEST(HeaderMatchTest, EitherColourGivesThePlayersOutcome) {
    const HeaderCriteria criteria = Criteria({{HeaderField::kWhite, "Morrow"}, {HeaderField::kBlack, "*"}});
    const HeaderMatcher matcher(criteria);
    EXPECT_EQ(matcher.Form(), PlayerForm::kEitherColour);
    struct Case {
        const char *white, *black, *result;
        std::uint8_t outcome;
    };
    const Case cases[] = {{"Morrow", "X", "1-0", kOutcomeWhiteWon},
                          {"X", "Morrow", "0-1", kOutcomeBlackWon},
                          {"Morrow", "X", "1/2-1/2", kOutcomeUndecidedAsWhite},
                          {"X", "Morrow", "*", kOutcomeUndecidedAsBlack},
                          {"Morrow", "X", "0-1", kOutcomeOther},
                          {"X", "Morrow", "1-0", kOutcomeOther}};
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
    EXPECT_EQ(Counters(result), std::make_tuple(1, 1, 1, 1, 6));
}

TEST(HeaderMatchTest, PairingCountsUndecidedGamesAndPlainFormsNoExtraCounters) {
    const HeaderCriteria criteria =
        Criteria({{HeaderField::kWhite, "Morrow"}, {HeaderField::kBlack, "*Smith"}});
    const HeaderMatcher matcher(criteria);
    EXPECT_EQ(matcher.Form(), PlayerForm::kPairing);
    SearchResult result;
    matcher.StartResult(result);
    int number = 0;
    for (const HeaderGameValues& game :
         {Game("Morrow", "Smith", "1-0"), Game("Smith", "Morrow", "1-0"), Game("Smith", "Morrow", "1/2-1/2"),
          Game("Morrow", "Jones", "1-0"), Game("Jones", "Smith", "0-1")}) {
        std::uint8_t outcome = 0;
        ++number;
        if (matcher.Matches(game, outcome)) {
            matcher.AddMatch(result, number, outcome);
        }
    }
    EXPECT_EQ(Counters(result), std::make_tuple(2, 0, 1, kNotCounted, 3));
    const HeaderCriteria plainCriteria = Criteria({{HeaderField::kWhite, "Morrow"}});
    const HeaderMatcher plainForm(plainCriteria);
    plainForm.StartResult(result);
    plainForm.AddMatch(result, 1, kOutcomeOther);
    plainForm.AddMatch(result, 2, kOutcomeBlackWon);
    EXPECT_EQ(Counters(result), std::make_tuple(0, 1, kNotCounted, kNotCounted, 2));
}

TEST(HeaderMatchTest, SpecificMoveNeedsTheMoveList) {
    const HeaderCriteria criteria = Criteria({{HeaderField::kSpecificMove, "1. e4"}});
    const HeaderMatcher matcher(criteria);
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

// --- names ---

// Letters in small, a comma kept, other characters dropped; a parenthesis ends the key and a first
// non-letter is kept.
TEST(NameKeyTest, KeysOfNames) {
    for (const auto& [name, key] :
         std::vector<std::pair<const char*, const char*>>{{"Morrow, G.", "morrow,g"},
                                                          {"van der Molen", "vandermolen"},
                                                          {"Smith-Jones, J", "smithjones,j"},
                                                          {"Deep Blue (Computer)", "deepblue"},
                                                          {"*Morrow", "*morrow"},
                                                          {"(anon)", "(anon"},
                                                          {"1st player", "1stplayer"},
                                                          {"", ""}}) {
        EXPECT_EQ(NameKey(name).View(), key) << name;
    }
    EXPECT_EQ(NameKey(std::string(300, 'a')).Length(), kMaxNameKey);
}

// A prefix, a surname ended by a comma, the whole name ('#', which alone finds a game without a
// name), or a last letter that differs ('?'); only the looked-at characters (the text and two
// more, at least 31) make a game's key.
TEST(NameCriterionTest, PrefixCommaExactAndQuestionForms) {
    struct Case {
        const char* criterion;
        std::vector<const char*> matching, other;
    };
    for (const Case& c : {
             Case{"Morrow", {"Morrow, Glen", "Morrowa, X", "MORROW"}, {"Morro", ""}},
             Case{"Morrow,", {"Morrow", "Morrow, Glen"}, {"Morrowa, X"}},
             Case{"van der molen", {"Van Der Molen, P"}, {}},
             Case{"Morrow#", {"Morrow"}, {"Morrow, Glen", "morrow"}},
             Case{"#", {""}, {"Morrow"}},
             Case{"Morrow?", {"Morrox, A"}, {"Morrow, Glen", "Morro", "Marrox", ""}},
             Case{"Ab", {"A  b"}, {"A   b"}},
         }) {
        for (const bool matches : {true, false}) {
            for (const char* name : matches ? c.matching : c.other) {
                EXPECT_EQ(NameCriterion(c.criterion).Matches(name), matches) << c.criterion << " / " << name;
            }
        }
    }
    EXPECT_EQ(NameCriterion("Morrow#").LookLength(), 8u);
    EXPECT_EQ(NameCriterion(std::string(29, 'a')).LookLength(), 31u);
    EXPECT_EQ(NameCriterion(std::string(31, 'a')).LookLength(), 33u);
}

// --- Specific Move ---

// A move number, white's or black's by its dots, and the pattern, in which castling with zeros is
// rewritten (and nothing written past the end of a short text).
TEST(SpecificMoveTest, NumberDotsAndPattern) {
    struct Case {
        const char* text;
        int moveNumber;
        bool black;
        const char* pattern;
    };
    for (const Case& c : {Case{"12... Nxe4", 12, true, "Nxe4"}, Case{"7.  Bb5 ", 7, false, "Bb5"},
                          Case{"O-O-O", 0, false, "O-O-O"}, Case{"10. 0-0", 10, false, "O-O"}}) {
        const SpecificMove move = ParseSpecificMove(c.text);
        EXPECT_TRUE(move.given) << c.text;
        EXPECT_EQ(std::tie(move.moveNumber, move.black, move.pattern),
                  std::make_tuple(c.moveNumber, c.black, std::string(c.pattern)))
            << c.text;
    }
    EXPECT_FALSE(ParseSpecificMove("3..c5").black);
    EXPECT_FALSE(ParseSpecificMove("").given);
    for (const auto& [text, pattern] : std::vector<std::pair<const char*, const char*>>{
             {"0-0", "O-O"}, {"0-0-0", "O-O-O"}, {"0-", "O-"}, {"e-4", "e-4"}}) {
        EXPECT_EQ(ParseSpecificMove(text).pattern, pattern) << text;
    }
}

// '?' stands for one character and '*' for any; a pattern is a prefix of the move, except that
// short castling does not find long castling.
TEST(MovePatternTest, WildcardsPrefixAndCastling) {
    struct Case {
        const char* pattern;
        std::vector<const char*> matching, other;
    };
    for (const Case& c : {
             Case{"Nxe4", {"Nxe4", "Nxe4+"}, {"Nxe"}},
             Case{"N?e4", {"Nxe4"}, {"Ne4"}},
             Case{"N*4", {"Nxe4"}, {}},
             Case{"*e4", {"e4"}, {}},
             Case{"**x*", {"Bxf7+"}, {}},
             Case{"nxe4", {}, {"Nxe4"}},
             Case{"", {}, {"e4"}},
             Case{"*", {}, {""}},
             Case{"O-O", {"O-O+"}, {"O-O-O"}},
             Case{"O-O*", {"O-O-O"}, {}},
         }) {
        for (const bool matches : {true, false}) {
            for (const char* move : matches ? c.matching : c.other) {
                EXPECT_EQ(MatchesMovePattern(c.pattern, move), matches) << c.pattern << " / " << move;
            }
        }
    }
}

// A numbered move tests only that side's move of that number, and only the game's own moves.
TEST(MovePatternTest, NumberedMoveTestsOnlyThatSideOfTheGamesMoves) {
    chess::MoveList list;
    const char* const white[] = {"e4", "Nf3", "Bb5", "O-O"};
    const char* const black[] = {"e5", "Nc6", "Nf6", "Nxe4"};
    for (std::size_t i = 0; i < 4; ++i) {
        chess::SetSanText(list.whiteMoves[i], white[i]);
        chess::SetSanText(list.blackMoves[i], black[i]);
    }
    for (const auto& [text, found] : std::vector<std::pair<const char*, bool>>{{"4... Nxe4", true},
                                                                               {"4. Nxe4", false},
                                                                               {"3... Nxe4", false},
                                                                               {"5. Nxe4", false},
                                                                               {"Nc6", true},
                                                                               {"0-0", true},
                                                                               {"O-O-O", false},
                                                                               {"0. e4", false}}) {
        EXPECT_EQ(GameHasSpecificMove(ParseSpecificMove(text), list, 4), found) << text;
    }
    EXPECT_FALSE(GameHasSpecificMove(ParseSpecificMove("Nxe4"), list, 3));
}

// --- numbers and dates ---

TEST(RelationCriterionTest, OperatorsAndTheirTwoCharacterForms) {
    struct Case {
        const char* text;
        Relation relation;
        long value;
    };
    for (const Case& c : {Case{"2400", Relation::kEqual, 2400},
                          {"=2400", Relation::kEqual, 2400},
                          {">2400", Relation::kGreater, 2400},
                          {">=2400", Relation::kAtLeast, 2400},
                          {"=> 2400", Relation::kAtLeast, 2400},
                          {"<20", Relation::kLess, 20},
                          {"<= 20", Relation::kAtMost, 20},
                          {"=<20 moves", Relation::kAtMost, 20},
                          {"10- 20", Relation::kRange, 10}}) {
        const RelationCriterion criterion = ParseRelationCriterion(c.text);
        EXPECT_EQ(criterion.relation, c.relation) << c.text;
        EXPECT_EQ(criterion.lowNumber, c.value) << c.text;
    }
    EXPECT_FALSE(ParseRelationCriterion("").SetsNumericCondition());
    EXPECT_FALSE(ParseRelationCriterion(">abc").SetsNumericCondition());
    EXPECT_TRUE(ParseRelationCriterion(">1").SetsNumericCondition());
    EXPECT_GT(DecimalValue("99999999999999999999999999"), 0);
    EXPECT_EQ(DecimalValue(" -12x"), -12);
}

// A range includes both ends; dates compare as text cut to the criterion's length. (The other
// relations are met again in the header and move number criteria.)
TEST(RelationCriterionTest, NumbersAndDatesAgainstEachRelation) {
    struct Case {
        const char* criterion;
        std::vector<long> satisfying, other;
    };
    for (const Case& c : {
             Case{">=20", {20}, {19}},
             Case{">20", {21}, {20}},
             Case{"20", {20}, {21}},
             Case{"10- 20", {10, 20}, {9, 21}},
         }) {
        for (const bool satisfied : {true, false}) {
            for (const long number : satisfied ? c.satisfying : c.other) {
                EXPECT_EQ(ParseRelationCriterion(c.criterion).Satisfies(number), satisfied)
                    << c.criterion << " " << number;
            }
        }
    }
    struct DateCase {
        const char* criterion;
        std::vector<const char*> satisfying, other;
    };
    for (const DateCase& c : {
             DateCase{">=1990", {"1990.??.??", "2001.05.01"}, {"1989.12.31"}},
             DateCase{"1990-1995", {"1995.12.31", "1990.01.01"}, {"1996.01.01", "1989.01.01"}},
             DateCase{"1990.05", {"1990.05.17"}, {}},
         }) {
        for (const bool satisfied : {true, false}) {
            for (const char* date : satisfied ? c.satisfying : c.other) {
                EXPECT_EQ(ParseRelationCriterion(c.criterion).SatisfiesText(date), satisfied)
                    << c.criterion << " " << date;
            }
        }
    }
}

}  // namespace
}  // namespace ravelin::search
