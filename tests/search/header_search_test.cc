// The header search over real PGN files: the fast header file and the PGN text must select the
// same games, and the choice of source follows the criteria and the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <initializer_list>
#include <sstream>
#include <string>
#include <utility>
#include <vector>

#include "fast_file_test_helpers.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "search/searches.h"
#include "temp_dir.h"
#include "variation_search_test_helpers.h"

namespace ravelin::search {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;
using testing_support::MakeFastFile;

using Fields = std::initializer_list<std::pair<HeaderField, const char*>>;

template <typename FieldList>
SearchCriteria CriteriaOf(const FieldList& fields) {
    SearchCriteria criteria;
    for (const auto& [field, text] : fields) {
        criteria.header[field] = text;
    }
    return criteria;
}

SearchCriteria Criteria(Fields fields) {
    return CriteriaOf(fields);
}

struct SearchRun {
    SearchResult result;
    std::vector<std::string> messages;
};

SearchRun Search(const std::string& path, const SearchCriteria& criteria) {
    SearchRun run;
    OpenedSearchFile opened(path);
    EXPECT_TRUE(opened.IsOpen()) << path;
    SearchFile& file = opened.File();
    file.messages = [&run](std::string_view text) { run.messages.emplace_back(text); };
    const int count = SearchHeadersAlone(file, criteria, run.result);
    EXPECT_EQ(count, run.result.Count());
    return run;
}

std::vector<int> Games(const SearchResult& result) {
    std::vector<int> games;
    for (const SearchMatch& match : result.matches) {
        games.push_back(match.game);
    }
    return games;
}

void ExpectSameResult(const SearchResult& a, const SearchResult& b, const std::string& what) {
    ASSERT_EQ(a.Count(), b.Count()) << what;
    for (std::size_t i = 0; i < a.matches.size(); ++i) {
        EXPECT_EQ(a.matches[i].game, b.matches[i].game) << what;
        EXPECT_EQ(a.matches[i].outcome, b.matches[i].outcome) << what;
    }
    EXPECT_EQ(a.whiteWins, b.whiteWins) << what;
    EXPECT_EQ(a.blackWins, b.blackWins) << what;
    EXPECT_EQ(a.counter3, b.counter3) << what;
    EXPECT_EQ(a.counter4, b.counter4) << what;
}

// The criteria compared on both paths: every field, every player form.
const std::vector<std::vector<std::pair<HeaderField, const char*>>> kCriteriaSets = {
    {{HeaderField::kWhite, "Kasparov"}},
    {{HeaderField::kWhite, "Kasparov"}, {HeaderField::kBlack, "*"}},
    {{HeaderField::kWhite, "Karpov, A"}, {HeaderField::kBlack, "*Kasparov"}},
    {{HeaderField::kWhite, "Kasparov"}, {HeaderField::kBlack, "*"}, {HeaderField::kResult, "*1-0"}},
    {{HeaderField::kWhite, "Euwe, Max#"}, {HeaderField::kBlack, "Alekhine,"}},
    {{HeaderField::kBlack, "Kramnik?"}},
    {{HeaderField::kDate, ">=1990"}, {HeaderField::kEco, "b9"}},
    {{HeaderField::kDate, "1927-1935"}, {HeaderField::kResult, "1/2"}},
    {{HeaderField::kEvent, "dortmund"}, {HeaderField::kRound, "1"}},
    {{HeaderField::kEvent, "Dortmund#"}, {HeaderField::kSite, "1.Int"}},
    {{HeaderField::kWhiteElo, ">2700"}, {HeaderField::kBlackElo, "2600-2750"}},
    {{HeaderField::kNumberOfMoves, "<20"}},
    {{HeaderField::kNumberOfMoves, ">=60"}, {HeaderField::kWhite, "Leko"}, {HeaderField::kBlack, "*"}},
    {{HeaderField::kEco, "C0"}, {HeaderField::kWhiteElo, ">1800"}},
    {{HeaderField::kWhite, "BFG9k"}, {HeaderField::kBlack, "*"}},
    {{HeaderField::kResult, "0-"}, {HeaderField::kSite, "https://lichess.org/a"}},
};

// The games of a file that set up a position: their fast file records replay from the standard
// position (the writer warns about them), so their move counts differ from the text's.
std::vector<int> FenGames(const std::string& path) {
    std::vector<int> games;
    std::istringstream in(ReadWholeFile(path));
    std::string line;
    int game = 0;
    bool inHeader = false;
    while (std::getline(in, line)) {
        const bool tag = !line.empty() && line[0] == '[';
        game += tag && !inHeader ? 1 : 0;
        inHeader = tag;
        if (line.rfind("[FEN ", 0) == 0) {
            games.push_back(game);
        }
    }
    return games;
}

SearchResult Without(const SearchResult& result, const std::vector<int>& games) {
    SearchResult kept = result;
    kept.matches.clear();
    for (const SearchMatch& match : result.matches) {
        if (!std::binary_search(games.begin(), games.end(), match.game)) {
            kept.matches.push_back(match);
        }
    }
    kept.Recount();
    return kept;
}

class HeaderSearchFileTest : public ::testing::TestWithParam<const char*> {
  protected:
    TempDir dir;
};

TEST_P(HeaderSearchFileTest, FastHeaderFileAndPgnTextSelectTheSameGames) {
    const std::string pgn =
        dir.Write(GetParam(), ReadWholeFile(TestDataPath(std::string("pgn/") + GetParam())));
    std::vector<SearchRun> fromText;
    for (const auto& fields : kCriteriaSets) {
        fromText.push_back(Search(pgn, CriteriaOf(fields)));
    }
    MakeFastFile(pgn);
    const std::vector<int> fenGames = FenGames(pgn);
    int nonTrivial = 0;
    for (std::size_t i = 0; i < kCriteriaSets.size(); ++i) {
        const SearchRun fromFast = Search(pgn, CriteriaOf(kCriteriaSets[i]));
        const bool countsMoves =
            std::any_of(kCriteriaSets[i].begin(), kCriteriaSets[i].end(),
                        [](const auto& field) { return field.first == HeaderField::kNumberOfMoves; });
        const std::string what = "criteria set " + std::to_string(i);
        if (countsMoves) {
            ExpectSameResult(Without(fromText[i].result, fenGames), Without(fromFast.result, fenGames), what);
        } else {
            ExpectSameResult(fromText[i].result, fromFast.result, what);
        }
        EXPECT_TRUE(fromFast.messages.empty());
        nonTrivial += fromFast.result.Count() > 0 ? 1 : 0;
    }
    // The sets are chosen so that most of them find something in each file.
    EXPECT_GE(nonTrivial, 4);
}

INSTANTIATE_TEST_SUITE_P(RealFiles, HeaderSearchFileTest,
                         ::testing::Values("world_matches.pgn", "dortmund.pgn", "lichess-benchmark.pgn"));

// Renames a player in the PGN text without changing its size, so that the index stays current:
// only a search that reads the text sees the new name.
void RenameInText(const std::string& path, const std::string& from, const std::string& to) {
    std::string text = ReadWholeFile(path);
    for (std::size_t at = text.find(from); at != std::string::npos; at = text.find(from, at + 1)) {
        text.replace(at, from.size(), to);
    }
    std::ofstream(path, std::ios::binary | std::ios::trunc) << text;
}

TEST(HeaderSearchSourceTest, CurrentFastFileIsReadInsteadOfTheText) {
    TempDir dir;
    const std::string pgn = dir.Write("matches.pgn", ReadWholeFile(TestDataPath("pgn/world_matches.pgn")));
    const SearchCriteria kasparov = Criteria({{HeaderField::kWhite, "Kasparov"}});
    const int before = Search(pgn, kasparov).result.Count();
    ASSERT_GT(before, 0);
    MakeFastFile(pgn);
    RenameInText(pgn, "Kasparov", "Xasparov");
    EXPECT_EQ(Search(pgn, kasparov).result.Count(), before);
    // A Specific Move criterion reads the text.
    const SearchCriteria withMove =
        Criteria({{HeaderField::kWhite, "Kasparov"}, {HeaderField::kSpecificMove, "*"}});
    EXPECT_EQ(Search(pgn, withMove).result.Count(), 0);
}

TEST(HeaderSearchSourceTest, EcoTableFilesAreAlwaysReadAsText) {
    TempDir dir;
    const std::string pgn = dir.Write("ecocodes.pgn", ReadWholeFile(TestDataPath("pgn/world_matches.pgn")));
    const SearchCriteria kasparov = Criteria({{HeaderField::kWhite, "Kasparov"}});
    ASSERT_GT(Search(pgn, kasparov).result.Count(), 0);
    MakeFastFile(pgn);
    RenameInText(pgn, "Kasparov", "Xasparov");
    EXPECT_EQ(Search(pgn, kasparov).result.Count(), 0);
}

TEST(HeaderSearchSourceTest, StaleHeaderFileWarnsAndIsSearchedWithItsOwnCount) {
    TempDir dir;
    const std::string original = ReadWholeFile(TestDataPath("pgn/world_matches.pgn"));
    const std::string pgn = dir.Write("matches.pgn", original);
    MakeFastFile(pgn);
    const SearchCriteria kasparov = Criteria({{HeaderField::kWhite, "Kasparov"}});
    const SearchRun current = Search(pgn, kasparov);
    // One more game in the text, about a player the fast file has not heard of.
    dir.Write("matches.pgn", original +
                                 "\n[Event \"Extra\"]\n[White \"Kasparov, Gary\"]\n[Black \"Newcomer\"]\n"
                                 "[Result \"1-0\"]\n\n1. e4 e5 1-0\n");
    const SearchRun stale = Search(pgn, kasparov);
    EXPECT_EQ(stale.messages, std::vector<std::string>{kRunMakeFastFileAgain});
    ExpectSameResult(current.result, stale.result, "stale header file");
    // A Number of Moves criterion turns to the text, which has the new game.
    const SearchRun counted =
        Search(pgn, Criteria({{HeaderField::kWhite, "Kasparov"}, {HeaderField::kNumberOfMoves, "<2"}}));
    EXPECT_EQ(counted.messages, std::vector<std::string>{kRunMakeFastFileAgain});
    ASSERT_EQ(counted.result.Count(), 1);
    EXPECT_EQ(counted.result.matches[0].game, 581);
}

TEST(HeaderSearchSourceTest, NoWarningWhileABackgroundOperationRuns) {
    TempDir dir;
    const std::string pgn = dir.Write("matches.pgn", ReadWholeFile(TestDataPath("pgn/uzchesscup.pgn")));
    MakeFastFile(pgn);
    dir.Write("matches.pgn", ReadWholeFile(TestDataPath("pgn/world_matches.pgn")));
    OpenedSearchFile opened(pgn);
    std::vector<std::string> messages;
    opened.File().messages = [&messages](std::string_view text) { messages.emplace_back(text); };
    opened.File().backgroundRunning = true;
    SearchResult result;
    SearchHeadersAlone(opened.File(), Criteria({{HeaderField::kEco, "A"}}), result);
    EXPECT_TRUE(messages.empty());
}

TEST(HeaderSearchSourceTest, HeaderFileCutShortIsWalkedOnlyAsFarAsItGoes) {
    TempDir dir;
    const std::string pgn = dir.Write("matches.pgn", ReadWholeFile(TestDataPath("pgn/world_matches.pgn")));
    MakeFastFile(pgn);
    const std::string trh = ReadWholeFile(FastHeaderFilePath(pgn));
    dir.Write("matches.TRH", trh.substr(0, trh.size() / 2));
    const SearchRun run = Search(pgn, Criteria({{HeaderField::kWhite, "K"}}));
    EXPECT_EQ(run.messages, std::vector<std::string>{kRunMakeFastFileAgain});
    ASSERT_GT(run.result.Count(), 0);
    EXPECT_LT(run.result.matches.back().game, 580);
}

TEST(HeaderSearchSourceTest, MoveFileCutShortTurnsToTheText) {
    TempDir dir;
    const std::string pgn = dir.Write("dortmund.pgn", ReadWholeFile(TestDataPath("pgn/dortmund.pgn")));
    const SearchCriteria longGames = Criteria({{HeaderField::kNumberOfMoves, ">60"}});
    const SearchRun fromText = Search(pgn, longGames);
    ASSERT_GT(fromText.result.Count(), 0);
    MakeFastFile(pgn);
    const std::string trf = ReadWholeFile(FastMoveFilePath(pgn));
    dir.Write("dortmund.TRF", trf.substr(0, trf.size() / 2));
    const SearchRun run = Search(pgn, longGames);
    EXPECT_EQ(run.messages, std::vector<std::string>{kRunMakeFastFileAgain});
    ExpectSameResult(fromText.result, run.result, "move file cut short");
}

TEST(HeaderSearchSourceTest, CancelEndsTheSearch) {
    TempDir dir;
    const std::string pgn = dir.Write("matches.pgn", ReadWholeFile(TestDataPath("pgn/world_matches.pgn")));
    OpenedSearchFile opened(pgn);
    opened.File().cancelRequested = [] { return true; };
    SearchResult result;
    EXPECT_EQ(SearchHeadersAlone(opened.File(), Criteria({{HeaderField::kWhite, "K"}}), result), 0);
}

// --- move counts and specific moves ---

// Plies per game, read back from the fast move file.
std::vector<int> PliesOf(const std::string& pgn) {
    std::vector<int> plies;
    FastMoveReader reader;
    EXPECT_TRUE(reader.Open(FastMoveFilePath(pgn)));
    std::vector<FastMove> moves;
    FastMove resultWord = 0;
    while (reader.Next(moves, resultWord) == FastMoveReader::Step::kRecord) {
        plies.push_back(static_cast<int>(moves.size()));
    }
    return plies;
}

TEST(HeaderSearchMovesTest, AGameOfOddPliesCountsItsLastWhiteMove) {
    TempDir dir;
    const std::string pgn = dir.Write("matches.pgn", ReadWholeFile(TestDataPath("pgn/world_matches.pgn")));
    const SearchCriteria under20 = Criteria({{HeaderField::kNumberOfMoves, "<20"}});
    const SearchRun fromText = Search(pgn, under20);
    MakeFastFile(pgn);
    const std::vector<int> plies = PliesOf(pgn);
    const SearchRun fromFast = Search(pgn, under20);
    const std::vector<int> fenGames = FenGames(pgn);
    ASSERT_FALSE(fenGames.empty());
    ExpectSameResult(Without(fromText.result, fenGames), Without(fromFast.result, fenGames),
                     "Number of Moves <20");
    const std::vector<int> found = Games(fromFast.result);
    int oddChecked = 0;
    for (std::size_t i = 0; i < plies.size(); ++i) {
        const bool isFound = std::binary_search(found.begin(), found.end(), static_cast<int>(i) + 1);
        EXPECT_EQ(isFound, (plies[i] + 1) / 2 < 20) << "game " << i + 1 << " plies " << plies[i];
        oddChecked += plies[i] == 39 || plies[i] == 37 ? 1 : 0;
    }
    EXPECT_GT(oddChecked, 0);
}

// The main line of each game as move tokens, from a file without comments or variations.
struct TextGame {
    std::vector<std::string> white, black;
};

std::vector<TextGame> MainLines(const std::string& path) {
    std::vector<TextGame> games;
    std::istringstream in(ReadWholeFile(path));
    std::string line;
    bool inHeader = false;
    while (std::getline(in, line)) {
        if (!line.empty() && line.back() == '\r') {
            line.pop_back();
        }
        if (!line.empty() && line[0] == '[') {
            if (!inHeader) {
                games.emplace_back();
            }
            inHeader = true;
            continue;
        }
        inHeader = false;
        std::istringstream tokens(line);
        std::string token;
        while (tokens >> token && !games.empty()) {
            const bool number = token.back() == '.';
            const bool result = token == "1-0" || token == "0-1" || token == "1/2-1/2" || token == "*";
            if (number || result) {
                continue;
            }
            TextGame& game = games.back();
            (game.white.size() == game.black.size() ? game.white : game.black).push_back(token);
        }
    }
    return games;
}

bool StartsWith(const std::string& text, const std::string& prefix) {
    return text.compare(0, prefix.size(), prefix) == 0;
}

TEST(HeaderSearchMovesTest, SpecificMovesAgainstTheMainLines) {
    TempDir dir;
    const std::string pgn =
        dir.Write("lichess.pgn", ReadWholeFile(TestDataPath("pgn/lichess-benchmark.pgn")));
    const std::vector<TextGame> games = MainLines(pgn);
    auto expected = [&games](auto test) {
        std::vector<int> numbers;
        for (std::size_t i = 0; i < games.size(); ++i) {
            if (test(games[i])) {
                numbers.push_back(static_cast<int>(i) + 1);
            }
        }
        return numbers;
    };
    auto any = [](const TextGame& game, auto test) {
        return std::any_of(game.white.begin(), game.white.end(), test) ||
               std::any_of(game.black.begin(), game.black.end(), test);
    };
    const std::vector<int> longCastles = expected([&](const TextGame& g) {
        return any(g, [](const std::string& m) { return StartsWith(m, "O-O-O"); });
    });
    const std::vector<int> shortCastles = expected([&](const TextGame& g) {
        return any(g, [](const std::string& m) { return StartsWith(m, "O-O") && !StartsWith(m, "O-O-O"); });
    });
    const std::vector<int> black12 =
        expected([](const TextGame& g) { return g.black.size() >= 12 && StartsWith(g.black[11], "Nxe4"); });
    const std::vector<int> knightTakes = expected([&](const TextGame& g) {
        return any(g, [](const std::string& m) {
            return m.size() >= 4 && m[0] == 'N' && m.compare(2, 2, "e4") == 0;
        });
    });
    ASSERT_FALSE(longCastles.empty());
    ASSERT_FALSE(shortCastles.empty());
    ASSERT_FALSE(knightTakes.empty());
    EXPECT_EQ(Games(Search(pgn, Criteria({{HeaderField::kSpecificMove, "O-O-O"}})).result), longCastles);
    EXPECT_EQ(Games(Search(pgn, Criteria({{HeaderField::kSpecificMove, "0-0"}})).result), shortCastles);
    EXPECT_EQ(Games(Search(pgn, Criteria({{HeaderField::kSpecificMove, "12... Nxe4"}})).result), black12);
    EXPECT_EQ(Games(Search(pgn, Criteria({{HeaderField::kSpecificMove, "N?e4"}})).result), knightTakes);
    // With a fast file the Specific Move still reads the text, and finds the same.
    MakeFastFile(pgn);
    EXPECT_EQ(Games(Search(pgn, Criteria({{HeaderField::kSpecificMove, "O-O-O"}})).result), longCastles);
}

// --- the player forms on a file of known names ---

constexpr char kMorrowGames[] =
    "[Event \"A\"]\n[White \"Morrow, Glen\"]\n[Black \"Smith\"]\n[Result \"0-1\"]\n\n1. e4 e5 0-1\n\n"
    "[Event \"A\"]\n[White \"Morrowa, X\"]\n[Black \"Smith\"]\n[Result \"1-0\"]\n\n1. e4 e5 1-0\n\n"
    "[Event \"A\"]\n[White \"Morrow\"]\n[Black \"Jones\"]\n[Result \"1/2-1/2\"]\n\n1. d4 d5 1/2-1/2\n\n"
    "[Event \"A\"]\n[White \"Smith\"]\n[Black \"Morrow, Glen\"]\n[Result \"0-1\"]\n\n1. c4 c5 0-1\n\n"
    "[Event \"A\"]\n[White \"Jones\"]\n[Black \"Morrow\"]\n[Result \"*\"]\n\n1. c4 *\n\n"
    "[Event \"A\"]\n[White \"\"]\n[Black \"Morrow\"]\n[Result \"1-0\"]\n\n1. Nf3 1-0\n";

class HeaderSearchNamesTest : public ::testing::TestWithParam<bool> {
  protected:
    void SetUp() override {
        pgn = dir.Write("morrow.pgn", kMorrowGames);
        if (GetParam()) {
            MakeFastFile(pgn);
        }
    }
    SearchResult Find(Fields fields) { return Search(pgn, Criteria(fields)).result; }
    TempDir dir;
    std::string pgn;
};

TEST_P(HeaderSearchNamesTest, PrefixCommaAndExactNames) {
    EXPECT_EQ(Games(Find({{HeaderField::kWhite, "Morrow"}})), (std::vector<int>{1, 2, 3}));
    EXPECT_EQ(Games(Find({{HeaderField::kWhite, "Morrow,"}})), (std::vector<int>{1, 3}));
    EXPECT_EQ(Games(Find({{HeaderField::kWhite, "Morrow#"}})), (std::vector<int>{3}));
    EXPECT_EQ(Games(Find({{HeaderField::kWhite, "#"}})), (std::vector<int>{6}));
}

TEST_P(HeaderSearchNamesTest, EitherColourCountsThePlayersGames) {
    const SearchResult result = Find({{HeaderField::kWhite, "Morrow,"}, {HeaderField::kBlack, "*"}});
    EXPECT_EQ(Games(result), (std::vector<int>{1, 3, 4, 5, 6}));
    // Game 1 lost as White: outcome 0, in no counter; game 4 won as Black: second counter.
    EXPECT_EQ(result.matches[0].outcome, kOutcomeOther);
    EXPECT_EQ(result.matches[2].outcome, kOutcomeBlackWon);
    EXPECT_EQ(result.whiteWins, 0);
    EXPECT_EQ(result.blackWins, 1);
    EXPECT_EQ(result.counter3, 1);
    EXPECT_EQ(result.counter4, 1);
}

TEST_P(HeaderSearchNamesTest, PairingCountsUndecidedGames) {
    const SearchResult result = Find({{HeaderField::kWhite, "Jones"}, {HeaderField::kBlack, "*Morrow"}});
    EXPECT_EQ(Games(result), (std::vector<int>{3, 5}));
    EXPECT_EQ(result.whiteWins, 0);
    EXPECT_EQ(result.blackWins, 0);
    EXPECT_EQ(result.counter3, 2);
    EXPECT_EQ(result.counter4, kNotCounted);
    const SearchResult plain = Find({{HeaderField::kBlack, "Smith"}});
    EXPECT_EQ(plain.whiteWins, 1);
    EXPECT_EQ(plain.blackWins, 1);
    EXPECT_EQ(plain.counter3, kNotCounted);
}

TEST_P(HeaderSearchNamesTest, CombinedWithAVariationThePlayerCountersAreThoseOfTheKeptGames) {
    const auto combined = [this](Fields fields, std::initializer_list<std::string_view> moves) {
        SearchCriteria criteria = Criteria(fields);
        criteria.variation = testing_support::VariationOf(moves);
        OpenedSearchFile opened(pgn);
        SearchResult result;
        const int count = RunSearch(opened.File(), criteria, kHeaderSearch, kWithVariation, result);
        EXPECT_EQ(count, result.Count());
        return result;
    };
    // Jones against Morrow in either colours: games 3 and 5, both undecided; 1. d4 keeps game 3.
    const SearchResult pairing =
        combined({{HeaderField::kWhite, "Jones"}, {HeaderField::kBlack, "*Morrow"}}, {"d4"});
    EXPECT_EQ(Games(pairing), (std::vector<int>{3}));
    EXPECT_EQ(pairing.counter3, 1);
    EXPECT_EQ(pairing.counter4, kNotCounted);
    EXPECT_EQ(pairing.pliesMatched, 1);
    // Morrow in either colour: 1. c4 keeps game 4 (won as Black) and game 5 (undecided as Black).
    const SearchResult player =
        combined({{HeaderField::kWhite, "Morrow,"}, {HeaderField::kBlack, "*"}}, {"c4"});
    EXPECT_EQ(Games(player), (std::vector<int>{4, 5}));
    EXPECT_EQ(player.whiteWins, 0);
    EXPECT_EQ(player.blackWins, 1);
    EXPECT_EQ(player.counter3, 0);
    EXPECT_EQ(player.counter4, 1);
    const SearchResult plain = combined({{HeaderField::kBlack, "Smith"}}, {"e4"});
    EXPECT_EQ(Games(plain), (std::vector<int>{1, 2}));
    EXPECT_EQ(plain.whiteWins, 1);
    EXPECT_EQ(plain.blackWins, 1);
    EXPECT_EQ(plain.counter3, kNotCounted);
}

INSTANTIATE_TEST_SUITE_P(BothSources, HeaderSearchNamesTest, ::testing::Values(false, true));

}  // namespace
}  // namespace ravelin::search
