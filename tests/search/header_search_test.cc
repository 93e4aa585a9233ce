// The header search over real PGN files: the fast header file and the PGN text must select the
// same games, and the choice of source follows the criteria and the file.

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <fstream>
#include <functional>
#include <string>
#include <tuple>
#include <utility>
#include <vector>

#include "search/fast_file_output.h"
#include "search/header_fast_records.h"
#include "search/searches.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using namespace testing_support;

using Fields = std::vector<std::pair<HeaderField, const char*>>;

SearchCriteria Criteria(const Fields& fields) {
    SearchCriteria criteria;
    for (const auto& [field, text] : fields) {
        criteria.header[field] = text;
    }
    return criteria;
}

struct SearchRun {
    SearchResult result;
    std::vector<std::string> messages;
};

SearchRun Search(const std::string& path, const SearchCriteria& criteria, bool background = false) {
    SearchRun run;
    OpenedSearchFile opened(path);
    EXPECT_TRUE(opened.IsOpen()) << path;
    SearchFile& file = opened.File();
    file.backgroundRunning = background;
    file.messages = [&run](std::string_view text) { run.messages.emplace_back(text); };
    const int count = SearchHeadersAlone(file, criteria, run.result);
    EXPECT_EQ(count, run.result.Count());
    return run;
}

void ExpectSameResult(const SearchResult& a, const SearchResult& b, const std::string& what) {
    EXPECT_EQ(Rows(a), Rows(b)) << what;
    EXPECT_EQ(std::tie(a.whiteWins, a.blackWins, a.counter3, a.counter4),
              std::tie(b.whiteWins, b.blackWins, b.counter3, b.counter4))
        << what;
}

// The criteria compared on both paths: every field, every player form.
const std::vector<Fields> kCriteriaSets = {
    {{HeaderField::kWhite, "Kasparov"}, {HeaderField::kBlack, "*"}},
    {{HeaderField::kWhite, "Karpov, A"}, {HeaderField::kBlack, "*Kasparov"}},
    {{HeaderField::kWhite, "Kasparov"}, {HeaderField::kBlack, "*"}, {HeaderField::kResult, "*1-0"}},
    {{HeaderField::kWhite, "Euwe, Max#"}, {HeaderField::kBlack, "Alekhine,"}},
    {{HeaderField::kBlack, "Kramnik?"}},
    {{HeaderField::kDate, ">=1990"}, {HeaderField::kEco, "b9"}},
    {{HeaderField::kDate, "<1950"}},
    {{HeaderField::kDate, "1927-1935"}, {HeaderField::kResult, "1/2"}},
    {{HeaderField::kEvent, "dortmund"}, {HeaderField::kRound, "1"}},
    {{HeaderField::kEvent, "Dortmund#"}, {HeaderField::kSite, "1.Int"}},
    {{HeaderField::kWhiteElo, ">2700"}, {HeaderField::kBlackElo, "2600-2750"}},
    {{HeaderField::kNumberOfMoves, "<20"}},
    {{HeaderField::kEco, "C0"}, {HeaderField::kWhiteElo, ">1800"}},
    {{HeaderField::kNumberOfMoves, ">=60"}, {HeaderField::kWhite, "Leko"}, {HeaderField::kBlack, "*"}},
    {{HeaderField::kWhite, "BFG9k"}, {HeaderField::kBlack, "*"}},
    {{HeaderField::kResult, "0-"}, {HeaderField::kSite, "https://lichess.org/a"}},
};

class HeaderSearchFileTest : public ::testing::TestWithParam<const char*> {
  protected:
    TempDir dir;
};

TEST_P(HeaderSearchFileTest, FastHeaderFileAndPgnTextSelectTheSameGames) {
    const std::string pgn =
        dir.Write(GetParam(), WithoutFenGames(ReadWholeFile(TestDataPath(std::string("pgn/") + GetParam()))));
    std::vector<SearchRun> fromText;
    for (const Fields& fields : kCriteriaSets) {
        fromText.push_back(Search(pgn, Criteria(fields)));
    }
    MakeFastFile(pgn);
    int nonTrivial = 0;
    for (std::size_t i = 0; i < kCriteriaSets.size(); ++i) {
        const SearchRun fromFast = Search(pgn, Criteria(kCriteriaSets[i]));
        ExpectSameResult(fromText[i].result, fromFast.result, "criteria set " + std::to_string(i));
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

// A current fast file is read instead of the text, except for a Specific Move criterion and for
// the ECO table files, which are always read as text.
TEST(HeaderSearchSourceTest, CurrentFastFileIsReadInsteadOfTheText) {
    for (const std::string name : {"matches.pgn", "ecocodes.pgn"}) {
        TempDir dir;
        const std::string pgn = CopyPgn(dir, "world_matches.pgn", name);
        const SearchCriteria kasparov = Criteria({{HeaderField::kWhite, "Kasparov"}});
        const int before = Search(pgn, kasparov).result.Count();
        ASSERT_GT(before, 0);
        MakeFastFile(pgn);
        RenameInText(pgn, "Kasparov", "Xasparov");
        EXPECT_EQ(Search(pgn, kasparov).result.Count(), name == "ecocodes.pgn" ? 0 : before) << name;
        const SearchCriteria withMove =
            Criteria({{HeaderField::kWhite, "Kasparov"}, {HeaderField::kSpecificMove, "*"}});
        EXPECT_EQ(Search(pgn, withMove).result.Count(), 0) << name;
    }
}

// A fast file that no longer fits the text is warned about, unless a background operation runs.
TEST(HeaderSearchSourceTest, StaleFastFilesAreReadAsFarAsTheyGo) {
    TempDir dir;
    const std::string original = ReadWholeFile(TestDataPath("pgn/world_matches.pgn"));
    const std::string pgn = dir.Write("matches.pgn", original);
    const SearchCriteria longGames = Criteria({{HeaderField::kNumberOfMoves, ">60"}});
    const SearchRun longFromText = Search(pgn, longGames);
    ASSERT_GT(longFromText.result.Count(), 0);
    const std::vector<std::string> warned = {kRunMakeFastFileAgain};

    // A move file cut short: a Number of Moves criterion turns to the text.
    MakeFastFile(pgn);
    const std::string trf = ReadWholeFile(FastMoveFilePath(pgn));
    dir.Write("matches.TRF", trf.substr(0, trf.size() / 2));
    SearchRun run = Search(pgn, longGames);
    EXPECT_EQ(run.messages, warned);
    ExpectSameResult(longFromText.result, run.result, "move file cut short");

    // One more game in the text, about a player the fast file has not heard of: the header file is
    // searched with its own count, and a Number of Moves criterion turns to the text.
    MakeFastFile(pgn);
    const SearchCriteria kasparov = Criteria({{HeaderField::kWhite, "Kasparov"}});
    const SearchRun current = Search(pgn, kasparov);
    dir.Write("matches.pgn", original +
                                 "\n[Event \"Extra\"]\n[White \"Kasparov, Gary\"]\n[Black \"Newcomer\"]\n"
                                 "[Result \"1-0\"]\n\n1. e4 e5 1-0\n");
    const SearchRun stale = Search(pgn, kasparov);
    EXPECT_EQ(stale.messages, warned);
    ExpectSameResult(current.result, stale.result, "stale header file");
    const SearchRun counted =
        Search(pgn, Criteria({{HeaderField::kWhite, "Kasparov"}, {HeaderField::kNumberOfMoves, "<2"}}));
    EXPECT_EQ(counted.messages, warned);
    ASSERT_EQ(counted.result.Count(), 1);
    EXPECT_EQ(counted.result.matches[0].game, 581);
    EXPECT_TRUE(Search(pgn, kasparov, true).messages.empty());

    OpenedSearchFile opened(pgn);
    opened.File().cancelRequested = [] { return true; };
    SearchResult result;
    EXPECT_EQ(SearchHeadersAlone(opened.File(), kasparov, result), 0);
}

// The places of the X.TRH records are kept in X.TRQ. One taken from this very X.TRH is mapped as it
// is; one that is missing, cut short or altered, or whose X.TRH was touched or changed, is never used
// but made again by the first search that walks the records, and every search finds what the text
// gives.
TEST(HeaderSearchSourceTest, KeptPlacesAreUsedOnlyWhenTakenFromThisHeaderFile) {
    TempDir dir;
    const std::string pgn =
        dir.Write("matches.pgn", WithoutFenGames(ReadWholeFile(TestDataPath("pgn/world_matches.pgn"))));
    const std::string trh = FastHeaderFilePath(pgn);
    const std::string trq = HeaderPlacesFilePath(pgn);
    std::vector<SearchRun> fromText;
    for (const Fields& fields : kCriteriaSets) {
        fromText.push_back(Search(pgn, Criteria(fields)));
    }
    const auto spoilPlaces = [&dir, &trq](std::size_t at, char byte) {
        std::string bytes = ReadWholeFile(trq);
        bytes[at] = byte;
        dir.Write("matches.TRQ", bytes);
    };
    // X.TRH written again with its old time: its head and tail tell it. The words of a name
    // change, not its length.
    const auto changeHeaders = [&dir, &trh] {
        const auto time = std::filesystem::last_write_time(trh);
        std::string bytes = ReadWholeFile(trh);
        bytes[bytes.size() - 2] ^= 1;
        dir.Write("matches.TRH", bytes);
        std::filesystem::last_write_time(trh, time);
    };
    struct Case {
        const char* name;
        std::function<void()> spoil;
        bool headersChanged;
    };
    const Case cases[] = {
        {"missing", [&trq] { std::filesystem::remove(trq); }, false},
        {"cut short",
         [&dir, &trq] {
             const std::string bytes = ReadWholeFile(trq);
             dir.Write("matches.TRQ", bytes.substr(0, bytes.size() - 1));
         },
         false},
        {"another count", [&] { spoilPlaces(40, 7); }, false},
        {"a record out of place", [&] { spoilPlaces(64, 9); }, false},
        {"header file touched",
         [&trh] {
             std::filesystem::last_write_time(
                 trh, std::filesystem::file_time_type::clock::now() + std::chrono::seconds(2));
         },
         false},
        {"header file changed", changeHeaders, true},
    };
    const auto placedFromFile = [&trh] {
        ForgetFastHeaderRecords();
        FastHeaderRecords::LoadStatus status;
        const auto records = FastHeaderRecords::Load(trh, status);
        return records && records->Placed();
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        MakeFastFile(pgn);
        ASSERT_TRUE(FastHeaderRecords::WritePlacesFile(trh));
        ASSERT_TRUE(placedFromFile());
        c.spoil();
        EXPECT_FALSE(placedFromFile());
        // The first search walks and writes X.TRQ again; the later ones read the kept places, and
        // a search after that the mapped file.
        for (int run = 0; run < 2; ++run) {
            ForgetFastHeaderRecords();
            for (std::size_t i = 0; i < kCriteriaSets.size() && !c.headersChanged; ++i) {
                const SearchRun fromFast = Search(pgn, Criteria(kCriteriaSets[i]));
                ExpectSameResult(fromText[i].result, fromFast.result, "criteria set " + std::to_string(i));
            }
            if (c.headersChanged) {
                Search(pgn, Criteria(kCriteriaSets[0]));
            }
        }
        EXPECT_TRUE(placedFromFile());
    }
}

// --- move counts and specific moves ---

// Number of Moves counts a last white move as a move: checked against the plies of every record.
TEST(HeaderSearchMovesTest, AGameOfOddPliesCountsItsLastWhiteMove) {
    TempDir dir;
    const std::string pgn = CopyPgn(dir, "world_matches.pgn");
    MakeFastFile(pgn);
    const auto games = ReplayedGames(FastMoveFilePath(pgn));
    const std::vector<int> found =
        Games(Search(pgn, Criteria({{HeaderField::kNumberOfMoves, "<20"}})).result);
    int oddChecked = 0;
    for (std::size_t i = 0; i < games.size(); ++i) {
        const int plies = static_cast<int>(games[i].size()) - 1;
        const bool isFound = std::binary_search(found.begin(), found.end(), static_cast<int>(i) + 1);
        EXPECT_EQ(isFound, (plies + 1) / 2 < 20) << "game " << i + 1 << " plies " << plies;
        oddChecked += plies == 39 || plies == 37 ? 1 : 0;
    }
    EXPECT_GT(oddChecked, 0);
}

// Specific moves against the main lines of a file without comments or variations, as tokens: a
// numbered move tests only that side's move of that number.
TEST(HeaderSearchMovesTest, SpecificMovesAgainstTheMainLines) {
    TempDir dir;
    const std::string pgn = CopyPgn(dir, "lichess-benchmark.pgn");
    const std::vector<std::vector<std::string>> games = MainLines(pgn);
    const auto found = [&pgn](const std::string& move) {
        return Games(Search(pgn, Criteria({{HeaderField::kSpecificMove, move.c_str()}})).result);
    };
    // White's and black's twelfth moves of the first game that has them, as numbered Specific Moves.
    const auto withTwelve =
        std::find_if(games.begin(), games.end(), [](const auto& plies) { return plies.size() >= 24; });
    ASSERT_NE(withTwelve, games.end());
    for (const std::size_t ply : {22, 23}) {
        const std::string move = (*withTwelve)[ply].substr(0, (*withTwelve)[ply].find_first_of("+#"));
        std::vector<int> expected;
        for (std::size_t i = 0; i < games.size(); ++i) {
            if (games[i].size() > ply && games[i][ply].rfind(move, 0) == 0) {
                expected.push_back(static_cast<int>(i) + 1);
            }
        }
        EXPECT_EQ(found((ply == 22 ? "12. " : "12... ") + move), expected) << move;
    }
    // Long castling anywhere, written with zeros.
    std::vector<int> longCastles;
    for (std::size_t i = 0; i < games.size(); ++i) {
        if (std::any_of(games[i].begin(), games[i].end(),
                        [](const std::string& m) { return m.rfind("O-O-O", 0) == 0; })) {
            longCastles.push_back(static_cast<int>(i) + 1);
        }
    }
    ASSERT_FALSE(longCastles.empty());
    EXPECT_EQ(found("0-0-0"), longCastles);
    // With a fast file the Specific Move still reads the text, and finds the same.
    MakeFastFile(pgn);
    EXPECT_EQ(found("O-O-O"), longCastles);
}

// A search combined with others keeps the games that every part finds, with its own outcomes and
// counters (for the header search here those of a player in either colour) over the kept games and
// the position's plies; from the text and from the fast file alike.
class HeaderSearchCombinedTest : public ::testing::TestWithParam<bool> {};

TEST_P(HeaderSearchCombinedTest, KeepsTheGamesEveryPartFinds) {
    TempDir dir;
    const std::string pgn = CopyPgn(dir, "world_matches.pgn");
    if (GetParam()) {
        MakeFastFile(pgn);
    }
    SearchCriteria criteria = Criteria({{HeaderField::kWhite, "Kasparov"}, {HeaderField::kBlack, "*"}});
    criteria.variation = VariationOf("d4 Nf6 c4");
    criteria.position = Lists("Kg1 / Kg8 Q=0");
    OpenedSearchFile opened(pgn);
    SearchResult header, variation, position;
    SearchHeadersAlone(opened.File(), criteria, header);
    SearchVariationAlone(opened.File(), criteria, variation);
    SearchPositionInFile(opened.File(), criteria, position);
    const auto in = [](const SearchResult& result, int game) {
        return std::find_if(result.matches.begin(), result.matches.end(),
                            [game](const SearchMatch& match) { return match.game == game; });
    };
    // The header search with each combination, and the variation search with the position.
    for (const auto& [kind, combination] :
         std::vector<std::pair<int, int>>{{kHeaderSearch, kWithVariation},
                                          {kHeaderSearch, kWithPosition},
                                          {kHeaderSearch, kWithBoth},
                                          {kVariationSearch, kWithPosition}}) {
        SCOPED_TRACE(std::to_string(kind) + " " + std::to_string(combination));
        const SearchResult& base = kind == kHeaderSearch ? header : variation;
        SearchResult expected = base;
        expected.matches.clear();
        for (const SearchMatch& match : base.matches) {
            const bool inVariation =
                combination == kWithPosition || in(variation, match.game) != variation.matches.end();
            const auto inPosition = in(position, match.game);
            if (inVariation && (combination == kWithVariation || inPosition != position.matches.end())) {
                expected.Add(match.game, match.outcome, combination == kWithVariation ? 0 : inPosition->ply);
            }
        }
        expected.Recount();
        ASSERT_GT(expected.Count(), 0);
        SearchResult result;
        const int count = RunSearch(opened.File(), criteria, kind, combination, result);
        EXPECT_EQ(count, result.Count());
        ExpectSameResult(result, expected, "combined");
        if (kind == kVariationSearch || combination != kWithPosition) {
            EXPECT_EQ(result.pliesMatched, 3);
        }
    }
}

INSTANTIATE_TEST_SUITE_P(BothSources, HeaderSearchCombinedTest, ::testing::Values(false, true));

}  // namespace
}  // namespace ravelin::search
