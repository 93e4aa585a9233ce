#include "search/position_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <chrono>
#include <filesystem>
#include <functional>
#include <string>
#include <vector>

#include "search/position_index.h"
#include "search/searches.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using namespace testing_support;

constexpr PositionSearchWay kEveryWay[] = {PositionSearchWay::kPgnText, PositionSearchWay::kFastFile,
                                           PositionSearchWay::kFastFileIndex};
constexpr PositionSearchWay kFastWays[] = {PositionSearchWay::kFastFile, PositionSearchWay::kFastFileIndex};

// A real PGN file copied into a fresh directory, with its fast file, opened as a search sees it.
class PositionSearchTest : public ::testing::Test {
  protected:
    void Open(const std::string& name, bool withFastFile = true, bool withoutFen = false) {
        ForgetPositionIndexes();
        pgn = CopyPgn(dir, name);
        if (withoutFen) {
            dir.Write(name, WithoutFenGames(ReadWholeFile(pgn)));
        }
        if (withFastFile) {
            MakeFastFile(pgn);
        }
        Reopen();
    }
    void Reopen() {
        opened = std::make_unique<OpenedSearchFile>(pgn);
        ASSERT_TRUE(opened->IsOpen());
        opened->File().messages = [this](std::string_view text) { messages.emplace_back(text); };
    }
    SearchFile& File() { return opened->File(); }
    std::string Companion(const char* suffix) const { return pgn.substr(0, pgn.size() - 3) + suffix; }

    TempDir dir;
    std::string pgn;
    std::unique_ptr<OpenedSearchFile> opened;
    std::vector<std::string> messages;
};

// The PGN text and the fast file (replayed and indexed) give the same games, plies and outcomes,
// FEN games (replayed from the standard start in the fast file) left out.
class WaysAgreeTest : public PositionSearchTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(WaysAgreeTest, OnExactPositionsPartsOfPositionsAndConditions) {
    Open(GetParam(), true, true);
    const auto games = ReplayedGames(Companion("TRF"));
    ASSERT_EQ(static_cast<int>(games.size()), File().gameCount);
    std::vector<SearchPosition> queries = ConditionQueries();
    std::vector<std::pair<int, int>> sampled;  // game, ply of each exact query
    for (std::size_t game = 0; game < games.size(); game += std::max<std::size_t>(1, games.size() / 12)) {
        const int last = static_cast<int>(games[game].size()) - 1;
        for (const int ply : {std::min(7, last), std::min(24, last), std::min(45, last), last}) {
            queries.push_back(ExactPosition(games[game][static_cast<std::size_t>(ply)]));
            sampled.emplace_back(static_cast<int>(game) + 1, ply);
            queries.push_back(PositionOf(games[game][static_cast<std::size_t>(ply)], 3, false));
        }
    }
    int withMatches = 0;
    for (std::size_t q = 0; q < queries.size(); ++q) {
        const std::vector<MatchRow> pgnRows = Search(File(), queries[q], PositionSearchWay::kPgnText);
        EXPECT_EQ(Search(File(), queries[q], PositionSearchWay::kFastFile), pgnRows) << "query " << q;
        EXPECT_EQ(Search(File(), queries[q], PositionSearchWay::kFastFileIndex), pgnRows) << "query " << q;
        withMatches += pgnRows.empty() ? 0 : 1;
    }
    // Every sampled game holds its own position, at that ply or (by a repetition) earlier.
    std::size_t exact = 0;
    for (std::size_t q = ConditionQueries().size(); q < queries.size(); q += 2, ++exact) {
        const auto [game, ply] = sampled[exact];
        const std::vector<MatchRow> rows = Search(File(), queries[q], PositionSearchWay::kFastFileIndex);
        const auto found = std::find_if(rows.begin(), rows.end(),
                                        [game](const MatchRow& row) { return std::get<0>(row) == game; });
        ASSERT_NE(found, rows.end()) << "game " << game << " ply " << ply;
        EXPECT_LE(std::get<1>(*found), ply);
    }
    EXPECT_GT(withMatches, static_cast<int>(queries.size()) / 3);
    EXPECT_TRUE(messages.empty());
}

INSTANTIATE_TEST_SUITE_P(RealFiles, WaysAgreeTest,
                         ::testing::Values("dortmund.pgn", "lichess-benchmark.pgn", "TCEC_Cup_6_Bronze.pgn",
                                           "KASPAROV-DEEP-BLUE-1997.PGN", "promotion.pgn", "annotated.pgn",
                                           "world_matches.pgn"));

// Eight white pawns stand in every game's start: each way finds every game at ply 0 and counts the
// wins the Result tags of the text give. Lists no position can meet find nothing, and a cancel
// request ends a way with what it found.
TEST_F(PositionSearchTest, EveryWayOnTheStartOfEachGame) {
    Open("dortmund.pgn");
    const std::string text = ReadWholeFile(pgn);
    const auto countOf = [&text](const std::string& needle) {
        int n = 0;
        for (std::size_t at = 0; (at = text.find(needle, at)) != std::string::npos; ++at) {
            ++n;
        }
        return n;
    };
    for (const PositionSearchWay way : kEveryWay) {
        SearchResult result;
        EXPECT_EQ(SearchPositionWith(File(), Lists("=8 / "), way, result), File().gameCount);
        for (int i = 0; i < result.Count(); ++i) {
            EXPECT_EQ(result.matches[static_cast<std::size_t>(i)].game, i + 1);
            EXPECT_EQ(result.matches[static_cast<std::size_t>(i)].ply, 0);
        }
        EXPECT_EQ(result.whiteWins, countOf("[Result \"1-0\"]"));
        EXPECT_EQ(result.blackWins, countOf("[Result \"0-1\"]"));
        EXPECT_EQ(result.counter3, kNotCounted);
        EXPECT_TRUE(Search(File(), Lists("Ke1 / Ke1"), way).empty());
        int polls = 0;
        File().cancelRequested = [&polls] { return ++polls > 20; };
        EXPECT_EQ(Search(File(), Lists("=8 / "), way).size(), 20u);
        File().cancelRequested = nullptr;
    }
}

// A game without moves is stored in the fast file as 1. d4, so the fast file finds its position
// after that move, which the PGN text does not have. A FEN game starts from its own position in the
// PGN text.
TEST_F(PositionSearchTest, GamesWithoutMovesAndFenGamesStartWhereEachWayStartsThem) {
    Open("uzchesscup.pgn");
    const SearchPosition afterDFour = Lists("d4 =8 / =8", "1");
    EXPECT_TRUE(Search(File(), afterDFour, PositionSearchWay::kPgnText).empty());
    const std::vector<MatchRow> rows = Search(File(), afterDFour, PositionSearchWay::kFastFile);
    ASSERT_EQ(static_cast<int>(rows.size()), File().gameCount);
    EXPECT_EQ(rows.front(), (MatchRow{1, 1, 0}));
    EXPECT_EQ(Search(File(), afterDFour, PositionSearchWay::kFastFileIndex), rows);

    Open("fenSetup.pgn", false);
    using Rows = std::vector<MatchRow>;
    // 1. e4 e5 2. Nf3 stand at the start; black moves first (ply 1 is white's empty entry):
    // 2... g6 3. h4 g5 4. hxg5.
    EXPECT_EQ(Search(File(), Lists("e4 Nf3 / e5"), PositionSearchWay::kChoose), (Rows{{1, 0, 0}}));
    EXPECT_EQ(Search(File(), Lists("g5 / g6"), PositionSearchWay::kChoose), Rows{});
    EXPECT_EQ(Search(File(), Lists("h4 / g5"), PositionSearchWay::kChoose), (Rows{{1, 4, 0}}));
    EXPECT_EQ(Search(File(), Lists("=8 / =7"), PositionSearchWay::kChoose), (Rows{{1, 5, 0}}));
}

// A fast file that no longer fits its PGN file is warned about and read only as far as it and
// the file both go; no warning while a background operation runs.
TEST_F(PositionSearchTest, StaleFastFilesWarnAndNameOnlyGamesTheyHold) {
    struct Case {
        const char* file;
        std::function<void()> change;
        std::size_t rows;
    };
    const Case cases[] = {
        // The header counts ten games.
        {"dortmund.pgn",
         [this] {
             std::string trh = ReadWholeFile(Companion("TRH"));
             trh.replace(0, 4, std::string("\x0a\0\0\0", 4));
             dir.Write("dortmund.TRH", trh);
         },
         10},
        // Every record is 4 bytes (these games have no moves): the cut leaves 22 whole records.
        {"uzchesscup.pgn",
         [this] { dir.Write("uzchesscup.TRF", ReadWholeFile(Companion("TRF")).substr(0, 90)); }, 22},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.file);
        Open(c.file);
        c.change();
        Reopen();
        for (const PositionSearchWay way : kFastWays) {
            ForgetPositionIndexes();
            messages.clear();
            const std::vector<MatchRow> rows = Search(File(), Lists("=8 / "), way);
            ASSERT_EQ(rows.size(), c.rows);
            EXPECT_EQ(std::get<0>(rows.back()), static_cast<int>(c.rows));
            EXPECT_EQ(messages, std::vector<std::string>{kRunMakeFastFileAgain});
        }
        messages.clear();
        File().backgroundRunning = true;
        EXPECT_EQ(Search(File(), Lists("=8 / "), PositionSearchWay::kChoose).size(), c.rows);
        EXPECT_TRUE(messages.empty());
    }
}

// The index is kept until its fast file is made again; a background search uses a kept index but
// builds none.
TEST_F(PositionSearchTest, TheIndexIsKeptUntilTheFastFileChanges) {
    Open("lichess-benchmark.pgn");
    const std::string trf = Companion("TRF");
    const auto first = PositionIndexFor(trf, true);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GameCount(), 100);
    EXPECT_EQ(PositionIndexFor(trf, true), first);
    MakeFastFile(pgn);
    EXPECT_EQ(PositionIndexFor(trf, false), nullptr);

    File().backgroundRunning = true;
    const SearchPosition query = Lists("Kg1 / Kg8");
    const std::vector<MatchRow> rows = Search(File(), query, PositionSearchWay::kChoose);
    EXPECT_FALSE(rows.empty());
    EXPECT_EQ(PositionIndexFor(trf, false), nullptr);
    File().backgroundRunning = false;
    EXPECT_EQ(Search(File(), query, PositionSearchWay::kChoose), rows);
    EXPECT_NE(PositionIndexFor(trf, false), nullptr);
}

// The index is kept in X.TRP. One made from this very X.TRF is mapped as it is; one that is missing,
// cut short or altered, or whose move file was touched or changed, is never used but made again,
// silently, and finds what a replay of every record finds.
TEST_F(PositionSearchTest, AKeptIndexIsUsedOnlyWhenItWasMadeFromThisMoveFile) {
    const auto spoilIndex = [this](std::size_t at, char byte) {
        std::string trp = ReadWholeFile(Companion("TRP"));
        trp[at] = byte;
        dir.Write("lichess-benchmark.TRP", trp);
    };
    // The move file rewritten with its old time: its head and tail tell it.
    const auto changeMoves = [this] {
        const auto time = std::filesystem::last_write_time(Companion("TRF"));
        std::string trf = ReadWholeFile(Companion("TRF"));
        trf[trf.size() - 4] ^= 2;  // the last game's result word: another outcome
        dir.Write("lichess-benchmark.TRF", trf);
        std::filesystem::last_write_time(Companion("TRF"), time);
    };
    struct Case {
        const char* name;
        std::function<void()> spoil;
    };
    const Case cases[] = {
        {"missing", [this] { std::filesystem::remove(Companion("TRP")); }},
        {"cut short",
         [this] {
             const std::string trp = ReadWholeFile(Companion("TRP"));
             dir.Write("lichess-benchmark.TRP", trp.substr(0, trp.size() - 2));
         }},
        {"another game count", [&] { spoilIndex(40, 99); }},
        {"records out of place", [&] { spoilIndex(64, 1); }},
        {"move file touched",
         [this] {
             std::filesystem::last_write_time(
                 Companion("TRF"), std::filesystem::file_time_type::clock::now() + std::chrono::seconds(2));
         }},
        {"move file changed", changeMoves},
    };
    std::vector<SearchPosition> queries = ConditionQueries();
    queries.push_back(Lists("Kg1 / Kg8"));
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        Open("lichess-benchmark.pgn", true, true);
        const std::string trf = Companion("TRF");
        ASSERT_NE(PositionIndexFor(trf, true), nullptr);
        ForgetPositionIndexes();
        ASSERT_NE(PositionIndexFor(trf, false), nullptr) << "a fresh X.TRP is mapped";
        c.spoil();
        ForgetPositionIndexes();
        EXPECT_EQ(PositionIndexFor(trf, false), nullptr);
        std::vector<std::vector<MatchRow>> replayed;
        for (const SearchPosition& query : queries) {
            replayed.push_back(Search(File(), query, PositionSearchWay::kFastFile));
        }
        // Made again by the first search, then mapped by a later run.
        for (int run = 0; run < 2; ++run) {
            ForgetPositionIndexes();
            for (std::size_t q = 0; q < queries.size(); ++q) {
                EXPECT_EQ(Search(File(), queries[q], PositionSearchWay::kFastFileIndex), replayed[q])
                    << "query " << q << " run " << run;
            }
        }
        ForgetPositionIndexes();
        EXPECT_NE(PositionIndexFor(trf, false), nullptr);
        EXPECT_TRUE(messages.empty());
    }
}

}  // namespace
}  // namespace ravelin::search
