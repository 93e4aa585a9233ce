#include "search/position_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "search/position_search.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using namespace testing_support;

constexpr FastMove Move(const char* from, const char* to, FastMove promotion = 0) {
    return static_cast<FastMove>(FastSquare(to[0] - 'a' + 1, to[1] - '0') << 8 |
                                 FastSquare(from[0] - 'a' + 1, from[1] - '0') | promotion);
}

void ExpectIndexAgrees(SearchFile& file, const std::vector<SearchPosition>& queries) {
    for (std::size_t q = 0; q < queries.size(); ++q) {
        EXPECT_EQ(Search(file, queries[q], PositionSearchWay::kFastFileIndex),
                  Search(file, queries[q], PositionSearchWay::kFastFile))
            << "query " << q;
    }
}

// Records no PGN file of ours gives, written by hand with a header of empty records.
TEST(PositionIndexTest, HandMadeRecordsAreFoundAsTheReplayFindsThem) {
    const std::vector<std::vector<FastMove>> records = {
        // 1. e4 e5 2. e4-e2 (no legal move, but a record can hold it) Ke7: a pawn back home.
        {Move("e2", "e4"), Move("e7", "e5"), Move("e4", "e2"), Move("e8", "e7"), 0x8001},
        // White's a-pawn takes on b7 and on a8 promoting to a knight; black's h-pawn takes on g2 and
        // the rook on h1 becoming a queen (no promotion bits), which then goes to h2.
        {Move("a2", "a4"), Move("h7", "h5"), Move("a4", "a5"), Move("h5", "h4"), Move("a5", "a6"),
         Move("h4", "h3"), Move("a6", "b7"), Move("h3", "g2"), Move("b7", "a8", kFastPromoteKnight),
         Move("g2", "h1"), Move("g1", "f3"), Move("h1", "h2"), 0x8000},
        // Words that are no move change nothing.
        {kNoMoveFound, Move("e7", "e5"), kNoMoveFound, Move("d7", "d5"), 0x8001},
    };
    TempDir dir;
    std::string trh = Words({static_cast<std::uint16_t>(records.size()), 0});
    std::string trf;
    for (const auto& record : records) {
        trh += std::string(10, '\0');
        trf += Words(record);
    }
    dir.Write("hand.TRH", trh);
    dir.Write("hand.TRF", trf + Words({0}));
    SearchFile file;
    file.path = dir.File("hand.pgn");
    file.gameCount = static_cast<int>(records.size());
    ForgetPositionIndexes();
    std::vector<SearchPosition> queries;
    for (const char* lists :
         {"e2 =8 / Ke7", "N=3 /", "N=3 R=1 / Q=2 =6", "e2 / e5 d5", "e4 / e5", "N>3 /", "R=1 / Q=2",
          "<7 / <7", "Na8 =7 / R=1", "R=2 / R*1", "Q=1 / Q*2", "=7 / *6", "Nf3 / Qh2 Q=2"}) {
        queries.push_back(Lists(lists));
    }
    queries.push_back(Lists("e2 /", ">1"));
    queries.push_back(Lists("=8 / =8", "2"));
    queries.push_back(Lists("=8 / =8 e5", "2"));
    queries.push_back(ExactPosition(ReplayedGames(dir.File("hand.TRF"))[1].back()));
    ExpectIndexAgrees(file, queries);
    const std::vector<std::vector<MatchRow>> expected = {{{1, 4, 0}}, {{2, 9, 2}}, {{2, 10, 2}}, {{3, 4, 0}}};
    for (std::size_t q = 0; q < expected.size(); ++q) {
        EXPECT_EQ(Search(file, queries[q], PositionSearchWay::kFastFileIndex), expected[q]) << "query " << q;
    }
    EXPECT_EQ(Search(file, queries.back(), PositionSearchWay::kFastFileIndex),
              (std::vector<MatchRow>{{2, 12, 2}}));
}

// The index finds what the replay of every record finds, on real files, FEN games (replayed from
// the standard start like every record) included.
class IndexAgreesTest : public ::testing::TestWithParam<const char*> {};

TEST_P(IndexAgreesTest, OnExactPositionsPartsOfPositionsAndConditions) {
    ForgetPositionIndexes();
    TempDir dir;
    const std::string pgn = CopyPgn(dir, GetParam());
    MakeFastFile(pgn);
    OpenedSearchFile opened(pgn);
    ASSERT_TRUE(opened.IsOpen());
    const auto games = ReplayedGames(pgn.substr(0, pgn.size() - 3) + "TRF");
    std::vector<SearchPosition> queries = ConditionQueries();
    for (std::size_t game = 0; game < games.size(); game += std::max<std::size_t>(1, games.size() / 25)) {
        const std::vector<FastBoard>& boards = games[game];
        for (std::size_t ply = 0; ply < boards.size(); ply += 9) {
            queries.push_back(ExactPosition(boards[ply]));
            queries.push_back(PositionOf(boards[ply], 5, false));
        }
        queries.push_back(ExactPosition(boards.back()));
        SearchPosition later = PositionOf(boards.back(), 2, false);
        later.moveNumber = {true, ">=30"};
        queries.push_back(later);
    }
    ExpectIndexAgrees(opened.File(), queries);
}

INSTANTIATE_TEST_SUITE_P(RealFiles, IndexAgreesTest,
                         ::testing::Values("world_matches.pgn", "dortmund.pgn", "TCEC_Cup_6_Bronze.pgn",
                                           "uzchesscup.pgn"));

TEST(PositionIndexCacheTest, KeepsTheIndexUntilTheFastFileChanges) {
    ForgetPositionIndexes();
    TempDir dir;
    const std::string pgn = CopyPgn(dir, "lichess-benchmark.pgn", "games.pgn");
    MakeFastFile(pgn);
    const std::string trf = dir.File("games.TRF");
    EXPECT_EQ(PositionIndexFor(trf, false), nullptr);
    const auto first = PositionIndexFor(trf, true);
    ASSERT_NE(first, nullptr);
    EXPECT_EQ(first->GameCount(), 100);
    EXPECT_GT(first->MemoryBytes(), 0u);
    EXPECT_EQ(PositionIndexFor(trf, false), first);
    EXPECT_EQ(PositionIndexFor(trf, true), first);

    // Made again (a new file in its place), the fast file gets a new index.
    MakeFastFile(pgn);
    EXPECT_EQ(PositionIndexFor(trf, false), nullptr);
    const auto second = PositionIndexFor(trf, true);
    ASSERT_NE(second, nullptr);
    EXPECT_NE(second, first);

    // Two other files push the oldest out.
    MakeFastFile(CopyPgn(dir, "dortmund.pgn", "other.pgn"));
    MakeFastFile(CopyPgn(dir, "KASPAROV-DEEP-BLUE-1997.PGN", "third.pgn"));
    ASSERT_NE(PositionIndexFor(dir.File("other.TRF"), true), nullptr);
    EXPECT_EQ(PositionIndexFor(trf, false), second);
    ASSERT_NE(PositionIndexFor(dir.File("third.TRF"), true), nullptr);
    EXPECT_EQ(PositionIndexFor(dir.File("other.TRF"), false), nullptr);
    EXPECT_EQ(PositionIndexFor(trf, false), second);
    EXPECT_EQ(PositionIndexFor(dir.File("third.TRF"), false)->GameCount(), 6);

    std::filesystem::remove(dir.File("third.TRF"));
    EXPECT_EQ(PositionIndexFor(dir.File("third.TRF"), true), nullptr);

    // A background search uses a kept index but builds none.
    ForgetPositionIndexes();
    OpenedSearchFile opened(pgn);
    opened.File().backgroundRunning = true;
    const SearchPosition query = Lists("Kg1 / Kg8");
    const std::vector<MatchRow> rows = Search(opened.File(), query, PositionSearchWay::kChoose);
    EXPECT_FALSE(rows.empty());
    EXPECT_EQ(PositionIndexFor(trf, false), nullptr);
    opened.File().backgroundRunning = false;
    EXPECT_EQ(Search(opened.File(), query, PositionSearchWay::kChoose), rows);
    EXPECT_NE(PositionIndexFor(trf, false), nullptr);
}

}  // namespace
}  // namespace ravelin::search
