#include "search/position_index.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "fast_file_test_helpers.h"
#include "position_search_test_helpers.h"
#include "search/position_search.h"
#include "temp_dir.h"

namespace ravelin::search {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;
using testing_support::ConditionQueries;
using testing_support::ExactPosition;
using testing_support::Lists;
using testing_support::MakeFastFile;
using testing_support::MatchRow;
using testing_support::ReplayedGames;
using testing_support::Search;
using testing_support::SomePieces;
using testing_support::Words;

// A fast file written by hand: the header count and one empty header record per game, the move
// records as given, the end word.
struct HandMadeFastFile {
    HandMadeFastFile(const std::vector<std::vector<FastMove>>& records) {
        std::string trh(4, '\0');
        trh[0] = static_cast<char>(records.size());
        std::string trf;
        for (const auto& record : records) {
            trh += std::string(10, '\0');
            for (const FastMove word : record) {
                trf += Words({word});
            }
        }
        trf += Words({0});
        dir.Write("hand.TRH", trh);
        dir.Write("hand.TRF", trf);
        file.path = dir.File("hand.pgn");
        file.gameCount = static_cast<int>(records.size());
        ForgetPositionIndexes();
    }
    TempDir dir;
    SearchFile file;
};

constexpr FastMove Move(const char* from, const char* to) {
    return static_cast<FastMove>(FastSquare(to[0] - 'a' + 1, to[1] - '0') << 8 |
                                 FastSquare(from[0] - 'a' + 1, from[1] - '0'));
}

void ExpectIndexAgrees(SearchFile& file, const std::vector<SearchPosition>& queries) {
    for (std::size_t q = 0; q < queries.size(); ++q) {
        EXPECT_EQ(Search(file, queries[q], PositionSearchWay::kFastFileIndex),
                  Search(file, queries[q], PositionSearchWay::kFastFile))
            << "query " << q;
    }
}

TEST(PositionIndexTest, APawnBackOnItsStartSquareIsFoundAsTheReplayFindsIt) {
    // 1. e4 e5 2. e4-e2 (no legal move, but a record can hold it) Ke7.
    HandMadeFastFile hand({{Move("e2", "e4"), Move("e7", "e5"), Move("e4", "e2"), Move("e8", "e7"), 0x8001},
                           {Move("e2", "e4"), Move("e7", "e5"), 0x8002}});
    const SearchPosition pawnHomeLate = Lists({"e2", "=8"}, {"Ke7"});
    EXPECT_EQ(Search(hand.file, pawnHomeLate, PositionSearchWay::kFastFile),
              (std::vector<MatchRow>{{1, 4, 0}}));
    EXPECT_EQ(Search(hand.file, pawnHomeLate, PositionSearchWay::kFastFileIndex),
              (std::vector<MatchRow>{{1, 4, 0}}));
    ExpectIndexAgrees(hand.file,
                      {Lists({"e2"}, {}, ">1"), Lists({"e4"}, {"e5"}), Lists({"=8"}, {"=8"}, "2")});
}

TEST(PositionIndexTest, PromotionsAndCapturesChangeTheMaterialAtTheirPly) {
    // White's a-pawn takes on b7 and on a8 promoting to a knight; black's h-pawn takes on g2 and
    // the rook on h1 becoming a queen (no promotion bits), which then goes to h2.
    const std::vector<FastMove> record = {Move("a2", "a4"),
                                          Move("h7", "h5"),
                                          Move("a4", "a5"),
                                          Move("h5", "h4"),
                                          Move("a5", "a6"),
                                          Move("h4", "h3"),
                                          Move("a6", "b7"),
                                          Move("h3", "g2"),
                                          static_cast<FastMove>(Move("b7", "a8") | kFastPromoteKnight),
                                          static_cast<FastMove>(Move("g2", "h1")),
                                          Move("g1", "f3"),
                                          Move("h1", "h2"),
                                          0x8000};
    HandMadeFastFile hand({record, {Move("d2", "d4"), 0x8001}});
    const std::vector<SearchPosition> queries = {
        Lists({"N=3"}, {}),
        Lists({"N>3"}, {}),
        Lists({"R=1"}, {"Q=2"}),
        Lists({"<7"}, {"<7"}),
        Lists({"Na8", "=7"}, {"R=1"}),
        Lists({"N=3", "R=1"}, {"Q=2", "=6"}),
        Lists({"R=2"}, {"R*1"}),
        Lists({"Q=1"}, {"Q*2"}),
        Lists({"=7"}, {"*6"}),
        Lists({"Nf3"}, {"Qh2", "Q=2"}),
        ExactPosition(ReplayedGames(hand.dir.File("hand.TRF"))[0].back()),
    };
    ExpectIndexAgrees(hand.file, queries);
    EXPECT_EQ(Search(hand.file, queries[0], PositionSearchWay::kFastFileIndex),
              (std::vector<MatchRow>{{1, 9, 2}}));
    EXPECT_EQ(Search(hand.file, queries[5], PositionSearchWay::kFastFileIndex),
              (std::vector<MatchRow>{{1, 10, 2}}));
    EXPECT_EQ(Search(hand.file, queries.back(), PositionSearchWay::kFastFileIndex),
              (std::vector<MatchRow>{{1, 12, 2}}));
}

TEST(PositionIndexTest, WordsThatAreNoMoveChangeNothing) {
    HandMadeFastFile hand({{kNoMoveFound, Move("e7", "e5"), kNoMoveFound, Move("d7", "d5"), 0x8001}});
    ExpectIndexAgrees(hand.file,
                      {Lists({"e2"}, {"e5", "d5"}), Lists({"=8"}, {"=8", "e5"}, "2"), Lists({"=8"}, {})});
    EXPECT_EQ(Search(hand.file, Lists({"e2"}, {"e5", "d5"}), PositionSearchWay::kFastFileIndex),
              (std::vector<MatchRow>{{1, 4, 0}}));
}

// The index finds what the replay of every record finds, on real files, FEN games (replayed from
// the standard start like every record) included.
class IndexAgreesTest : public ::testing::TestWithParam<const char*> {};

TEST_P(IndexAgreesTest, OnExactPositionsPartsOfPositionsAndConditions) {
    ForgetPositionIndexes();
    TempDir dir;
    const std::string pgn =
        dir.Write(GetParam(), ReadWholeFile(TestDataPath(std::string("pgn/") + GetParam())));
    MakeFastFile(pgn);
    OpenedSearchFile opened(pgn);
    ASSERT_TRUE(opened.IsOpen());
    const auto games = ReplayedGames(pgn.substr(0, pgn.size() - 3) + "TRF");
    std::vector<SearchPosition> queries = ConditionQueries();
    for (std::size_t game = 0; game < games.size(); game += std::max<std::size_t>(1, games.size() / 25)) {
        const std::vector<FastBoard>& boards = games[game];
        for (std::size_t ply = 0; ply < boards.size(); ply += 9) {
            queries.push_back(ExactPosition(boards[ply]));
            queries.push_back(SomePieces(boards[ply], 5));
        }
        queries.push_back(ExactPosition(boards.back()));
        SearchPosition later = SomePieces(boards.back(), 2);
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
    const std::string pgn = dir.Write("games.pgn", ReadWholeFile(TestDataPath("pgn/lichess-benchmark.pgn")));
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
    const std::string other = dir.Write("other.pgn", ReadWholeFile(TestDataPath("pgn/dortmund.pgn")));
    const std::string third =
        dir.Write("third.pgn", ReadWholeFile(TestDataPath("pgn/KASPAROV-DEEP-BLUE-1997.PGN")));
    MakeFastFile(other);
    MakeFastFile(third);
    ASSERT_NE(PositionIndexFor(dir.File("other.TRF"), true), nullptr);
    EXPECT_EQ(PositionIndexFor(trf, false), second);
    ASSERT_NE(PositionIndexFor(dir.File("third.TRF"), true), nullptr);
    EXPECT_EQ(PositionIndexFor(dir.File("other.TRF"), false), nullptr);
    EXPECT_EQ(PositionIndexFor(trf, false), second);
    EXPECT_EQ(PositionIndexFor(dir.File("third.TRF"), false)->GameCount(), 6);

    std::filesystem::remove(dir.File("third.TRF"));
    EXPECT_EQ(PositionIndexFor(dir.File("third.TRF"), true), nullptr);
}

TEST(PositionIndexCacheTest, ABackgroundSearchUsesAKeptIndexButBuildsNone) {
    ForgetPositionIndexes();
    TempDir dir;
    const std::string pgn = dir.Write("games.pgn", ReadWholeFile(TestDataPath("pgn/lichess-benchmark.pgn")));
    MakeFastFile(pgn);
    OpenedSearchFile opened(pgn);
    opened.File().backgroundRunning = true;
    const SearchPosition query = Lists({"Kg1"}, {"Kg8"});
    const std::vector<MatchRow> rows = Search(opened.File(), query, PositionSearchWay::kChoose);
    EXPECT_EQ(PositionIndexFor(dir.File("games.TRF"), false), nullptr);
    opened.File().backgroundRunning = false;
    EXPECT_EQ(Search(opened.File(), query, PositionSearchWay::kChoose), rows);
    EXPECT_NE(PositionIndexFor(dir.File("games.TRF"), false), nullptr);
    EXPECT_FALSE(rows.empty());
}

}  // namespace
}  // namespace ravelin::search
