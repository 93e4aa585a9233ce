// The header criteria: names, Specific Move patterns, number and date relations, and the whole
// criteria against one game's values.

#include "search/header_match.h"

#include <gtest/gtest.h>

#include <cstdlib>
#include <functional>
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

// Each passing value passes the test and each failing one fails it.
void ExpectSplit(const std::string& what, const std::vector<const char*>& passing,
                 const std::vector<const char*>& failing, const std::function<bool(const char*)>& test) {
    for (const char* value : passing) {
        EXPECT_TRUE(test(value)) << what << " / " << value;
    }
    for (const char* value : failing) {
        EXPECT_FALSE(test(value)) << what << " / " << value;
    }
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
        {{{F::kDate, ">=1990"}}, {dated("1990.??.??"), dated("")}, {dated("????.??.??"), dated("?")}},
        {{{F::kWhiteElo, ">2600"}, {F::kNumberOfMoves, "<=20"}, {F::kBlackElo, "0"}}, {dortmund}, {}},
        {{{F::kBlackElo, "<3000"}}, {}, {dortmund}},
        {{{F::kWhite, "Morrow"}, {F::kBlack, "Smith"}},
         {Game("Morrow, Glen", "Smith, J")},
         {Game("Smith, J", "Morrow, Glen")}},
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

// The player's forms and the counters of their results: in either colour, wins and undecided games
// of each colour; for a pairing, the first player's wins and the undecided games; none for a plain
// name. The either-colour outcomes are also checked one by one.
TEST(HeaderMatchTest, PlayerFormsCountTheirResults) {
    const std::vector<HeaderGameValues> games = {Game("Morrow", "X", "1-0"),
                                                 Game("X", "Morrow", "0-1"),
                                                 Game("Morrow", "X", "1/2-1/2"),
                                                 Game("X", "Morrow", "*"),
                                                 Game("Morrow", "X", "0-1"),
                                                 Game("X", "Morrow", "1-0"),
                                                 Game("X", "Y"),
                                                 Game("Morrow", "Smith", "1-0"),
                                                 Game("Smith", "Morrow", "1-0"),
                                                 Game("Smith", "Morrow", "1/2-1/2"),
                                                 Game("Jones", "Smith", "0-1")};
    struct Case {
        Fields criteria;
        PlayerForm form;
        std::tuple<int, int, int, int, int> counters;
    };
    const Case cases[] = {
        {{{HeaderField::kWhite, "Morrow"}, {HeaderField::kBlack, "*"}},
         PlayerForm::kEitherColour,
         {2, 1, 1, 2, 9}},
        {{{HeaderField::kWhite, "Morrow"}, {HeaderField::kBlack, "*Smith"}},
         PlayerForm::kPairing,
         {2, 0, 1, kNotCounted, 3}},
        {{{HeaderField::kWhite, "Morrow"}}, PlayerForm::kPlain, {2, 1, kNotCounted, kNotCounted, 4}},
    };
    const std::uint8_t eitherColour[] = {kOutcomeWhiteWon,         kOutcomeBlackWon, kOutcomeUndecidedAsWhite,
                                         kOutcomeUndecidedAsBlack, kOutcomeOther,    kOutcomeOther};
    for (const Case& c : cases) {
        const HeaderCriteria criteria = Criteria(c.criteria);
        const HeaderMatcher matcher(criteria);
        EXPECT_EQ(matcher.Form(), c.form);
        SearchResult result;
        matcher.StartResult(result);
        for (std::size_t i = 0; i < games.size(); ++i) {
            std::uint8_t outcome = 99;
            if (matcher.Matches(games[i], outcome)) {
                matcher.AddMatch(result, static_cast<int>(i) + 1, outcome);
            }
            if (c.form == PlayerForm::kEitherColour && i < std::size(eitherColour)) {
                EXPECT_EQ(outcome, eitherColour[i]) << "game " << i + 1;
            }
        }
        EXPECT_EQ(Counters(result), c.counters) << c.criteria.back().second;
    }
}

// --- names, move patterns, numbers and dates ---

// Names: a prefix, a surname ended by a comma, the whole name ('#', which alone finds a game without
// a name), or a last letter that differs ('?'); only the looked-at characters (the text and two
// more, at least 31) make a game's key, of small letters, digits and a comma, ended by a
// parenthesis. Move patterns: '?' stands for one character and '*' for any, and a pattern is a
// prefix of the move, except that short castling does not find long castling. Numbers: each
// relation in its one- and two-character forms, a range including both ends. Dates compare as text
// cut to the criterion's length.
TEST(HeaderCriterionTest, ValuesThatMeetTheCriterionAndValuesThatDoNot) {
    enum Kind { kName, kPattern, kNumber, kDate };
    struct Case {
        Kind kind;
        const char* criterion;
        std::vector<const char*> passing, failing;
    };
    const Case cases[] = {
        {kName, "Morrow", {"Morrow, Glen", "Morrowa, X", "MORROW"}, {"Morro", ""}},
        {kName, "Morrow,", {"Morrow", "Morrow, Glen"}, {"Morrowa, X"}},
        {kName, "van der molen", {"Van Der Molen, P"}, {}},
        {kName, "Morrow#", {"Morrow"}, {"Morrow, Glen", "morrow"}},
        {kName, "#", {""}, {"Morrow"}},
        {kName, "Morrow?", {"Morrox, A"}, {"Morrow, Glen", "Morro", "Marrox", ""}},
        {kName, "Ab", {"A  b"}, {"A   b"}},
        {kName, "smithjones,", {"Smith-Jones, J"}, {"Smith, J"}},
        {kName, "deep blue,", {"Deep Blue (Computer)"}, {"Deep Blue Jr"}},
        {kName, "1st p", {"1st player"}, {"1 player"}},
        {kPattern, "Nxe4", {"Nxe4", "Nxe4+"}, {"Nxe"}},
        {kPattern, "N?e4", {"Nxe4"}, {"Ne4"}},
        {kPattern, "N*4", {"Nxe4"}, {}},
        {kPattern, "*e4", {"e4"}, {}},
        {kPattern, "**x*", {"Bxf7+"}, {}},
        {kPattern, "nxe4", {}, {"Nxe4"}},
        {kPattern, "", {}, {"e4"}},
        {kPattern, "*", {}, {""}},
        {kPattern, "O-O", {"O-O+"}, {"O-O-O"}},
        {kPattern, "O-O*", {"O-O-O"}, {}},
        {kNumber, "2400", {"2400"}, {"2401"}},
        {kNumber, "=2400", {"2400"}, {"2399"}},
        {kNumber, ">2400", {"2401"}, {"2400"}},
        {kNumber, ">=20", {"20"}, {"19"}},
        {kNumber, "=> 20", {"20"}, {"19"}},
        {kNumber, "<20", {"19"}, {"20"}},
        {kNumber, "<= 20", {"20"}, {"21"}},
        {kNumber, "=<20 moves", {"20"}, {"21"}},
        {kNumber, "10- 20", {"10", "20"}, {"9", "21"}},
        {kDate, ">=1990", {"1990.??.??", "2001.05.01"}, {"1989.12.31"}},
        {kDate, "1990-1995", {"1995.12.31", "1990.01.01"}, {"1996.01.01", "1989.01.01"}},
        {kDate, "1990.05", {"1990.05.17"}, {}},
    };
    for (const Case& c : cases) {
        ExpectSplit(c.criterion, c.passing, c.failing, [&c](const char* value) {
            switch (c.kind) {
                case kName:
                    return NameCriterion(c.criterion).Matches(value);
                case kPattern:
                    return MatchesMovePattern(c.criterion, value);
                case kNumber:
                    return ParseRelationCriterion(c.criterion).Satisfies(std::atol(value));
                case kDate:
                    return ParseRelationCriterion(c.criterion).SatisfiesText(value);
            }
            return false;
        });
    }
    EXPECT_EQ(NameCriterion("Morrow#").LookLength(), 8u);
    EXPECT_EQ(NameCriterion(std::string(29, 'a')).LookLength(), 31u);
    EXPECT_EQ(NameCriterion(std::string(31, 'a')).LookLength(), 33u);
    EXPECT_EQ(NameKey(std::string(300, 'a')).Length(), kMaxNameKey);
    EXPECT_GT(DecimalValue("99999999999999999999999999"), 0);
    EXPECT_EQ(DecimalValue(" -12x"), -12);
}

// --- Specific Move ---

// What the Specific Move test over real games does not meet: two dots are white's move, a number
// the game does not reach or 0 finds nothing, only the game's own moves are looked at, and castling
// written with zeros is rewritten without writing past the end of a short text.
TEST(MovePatternTest, SpecificMoveNumbersAndZeros) {
    chess::MoveList list;
    const char* const moves[] = {"e4", "e5", "Nf3", "Nc6", "Bb5", "Nf6", "O-O", "Nxe4"};
    for (int ply = 1; ply <= 8; ++ply) {
        chess::SetSanText(list.MoveOfPly(ply), moves[ply - 1]);
    }
    for (const auto& [text, found] : {std::pair{"3..Bb5", true}, {"5. Nxe4", false}, {"0. e4", false}}) {
        EXPECT_EQ(GameHasSpecificMove(ParseSpecificMove(text), list, 4), found) << text;
    }
    EXPECT_FALSE(GameHasSpecificMove(ParseSpecificMove("Nxe4"), list, 3));
    EXPECT_FALSE(ParseSpecificMove("").given);
    for (const auto& [text, pattern] : {std::pair{"0-0-0", "O-O-O"}, {"0-", "O-"}, {"e-4", "e-4"}}) {
        EXPECT_EQ(ParseSpecificMove(text).pattern, pattern) << text;
    }
}

}  // namespace
}  // namespace ravelin::search
