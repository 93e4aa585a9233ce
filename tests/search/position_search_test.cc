#include "search/position_search.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <string>
#include <vector>

#include "fast_file_test_helpers.h"
#include "position_search_test_helpers.h"
#include "search/fast_file_reader.h"
#include "search/position_index.h"
#include "search/searches.h"
#include "search/variation_match.h"
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

// A real PGN file copied into a fresh directory, with its fast file, opened as a search sees it.
class PositionSearchTest : public ::testing::Test {
  protected:
    void Open(const std::string& name, bool withFastFile = true) {
        ForgetPositionIndexes();
        pgn = dir.Write(name, ReadWholeFile(TestDataPath("pgn/" + name)));
        if (withFastFile) {
            MakeFastFile(pgn);
        }
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

// The PGN text and the fast file (replayed and indexed) give the same games, plies and outcomes.
class WaysAgreeTest : public PositionSearchTest, public ::testing::WithParamInterface<const char*> {};

TEST_P(WaysAgreeTest, OnExactPositionsPartsOfPositionsAndConditions) {
    Open(GetParam());
    const auto games = ReplayedGames(Companion("TRF"));
    ASSERT_EQ(static_cast<int>(games.size()), File().gameCount);
    std::vector<SearchPosition> queries = ConditionQueries();
    std::vector<std::pair<int, int>> sampled;  // game, ply of each exact query
    for (std::size_t game = 0; game < games.size(); game += std::max<std::size_t>(1, games.size() / 6)) {
        const int last = static_cast<int>(games[game].size()) - 1;
        for (const int ply : {std::min(7, last), std::min(24, last), last}) {
            queries.push_back(ExactPosition(games[game][static_cast<std::size_t>(ply)]));
            sampled.emplace_back(static_cast<int>(game) + 1, ply);
            queries.push_back(SomePieces(games[game][static_cast<std::size_t>(ply)], 3));
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
                                           "KASPAROV-DEEP-BLUE-1997.PGN", "promotion.pgn", "annotated.pgn"));

// A game without moves is stored in the fast file as 1. d4, so the fast file finds its position
// after that move, which the PGN text does not have.
TEST_F(PositionSearchTest, AGameWithoutMovesIsSearchedAsOneDFourInTheFastFile) {
    Open("uzchesscup.pgn");
    const SearchPosition afterDFour = Lists({"d4", "=8"}, {"=8"}, "1");
    EXPECT_TRUE(Search(File(), afterDFour, PositionSearchWay::kPgnText).empty());
    const std::vector<MatchRow> rows = Search(File(), afterDFour, PositionSearchWay::kFastFile);
    ASSERT_EQ(static_cast<int>(rows.size()), File().gameCount);
    EXPECT_EQ(rows.front(), (MatchRow{1, 1, 0}));
    EXPECT_EQ(Search(File(), afterDFour, PositionSearchWay::kFastFileIndex), rows);
    EXPECT_EQ(Search(File(), Lists({"d2"}, {}), PositionSearchWay::kPgnText),
              Search(File(), Lists({"d2"}, {}), PositionSearchWay::kFastFileIndex));
}

TEST_F(PositionSearchTest, EightWhitePawnsMatchEveryGameAtItsStart) {
    Open("dortmund.pgn");
    const std::string text = ReadWholeFile(pgn);
    const auto countOf = [&text](const std::string& needle) {
        int n = 0;
        for (std::size_t at = text.find(needle); at != std::string::npos; at = text.find(needle, at + 1)) {
            ++n;
        }
        return n;
    };
    for (const PositionSearchWay way :
         {PositionSearchWay::kPgnText, PositionSearchWay::kFastFile, PositionSearchWay::kFastFileIndex}) {
        SearchResult result;
        EXPECT_EQ(SearchPositionWith(File(), Lists({"=8"}, {}), way, result), File().gameCount);
        for (int i = 0; i < result.Count(); ++i) {
            EXPECT_EQ(result.matches[static_cast<std::size_t>(i)].game, i + 1);
            EXPECT_EQ(result.matches[static_cast<std::size_t>(i)].ply, 0);
        }
        EXPECT_EQ(result.whiteWins, countOf("[Result \"1-0\"]"));
        EXPECT_EQ(result.blackWins, countOf("[Result \"0-1\"]"));
        EXPECT_EQ(result.counter3, kNotCounted);
    }
}

TEST_F(PositionSearchTest, TheCriteriaOfTheSearchFileAreThePositionLists) {
    Open("lichess-benchmark.pgn");
    SearchCriteria criteria;
    criteria.position = Lists({"Ke1", "Qd1"}, {"Q=0"});
    SearchResult result;
    const int found = SearchPositionInFile(File(), criteria, result);
    EXPECT_EQ(found, result.Count());
    EXPECT_GT(found, 0);
    EXPECT_EQ(testing_support::Rows(result), Search(File(), criteria.position, PositionSearchWay::kPgnText));
}

TEST_F(PositionSearchTest, StaleHeaderWarnsAndItsCountIsTheNumberOfGamesScanned) {
    Open("dortmund.pgn");
    std::string trh = ReadWholeFile(Companion("TRH"));
    trh[0] = 10;
    trh[1] = trh[2] = trh[3] = 0;
    dir.Write("dortmund.TRH", trh);
    for (const PositionSearchWay way : {PositionSearchWay::kFastFile, PositionSearchWay::kFastFileIndex}) {
        messages.clear();
        const std::vector<MatchRow> rows = Search(File(), Lists({"=8"}, {}), way);
        EXPECT_EQ(rows.size(), 10u);
        EXPECT_EQ(messages, std::vector<std::string>{kRunMakeFastFileAgain});
    }
    messages.clear();
    File().backgroundRunning = true;
    EXPECT_EQ(Search(File(), Lists({"=8"}, {}), PositionSearchWay::kChoose).size(), 10u);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PositionSearchTest, AHeaderCountAboveTheFileNamesNoGameTheFileLacks) {
    Open("KASPAROV-DEEP-BLUE-1997.PGN");
    // The file lost its last game after the fast file was made.
    const std::string text = ReadWholeFile(pgn);
    dir.Write("KASPAROV-DEEP-BLUE-1997.PGN", text.substr(0, text.rfind("[Event ")));
    opened = std::make_unique<OpenedSearchFile>(pgn);
    opened->File().messages = [this](std::string_view message) { messages.emplace_back(message); };
    ASSERT_EQ(File().gameCount, 5);
    for (const PositionSearchWay way : {PositionSearchWay::kFastFile, PositionSearchWay::kFastFileIndex}) {
        messages.clear();
        const std::vector<MatchRow> rows = Search(File(), Lists({"=8"}, {}), way);
        ASSERT_EQ(rows.size(), 5u);
        EXPECT_EQ(std::get<0>(rows.back()), 5);
        EXPECT_EQ(messages, std::vector<std::string>{kRunMakeFastFileAgain});
    }
}

TEST_F(PositionSearchTest, ARecordWalkThatEndsEarlyWarns) {
    Open("uzchesscup.pgn");
    const std::string trf = ReadWholeFile(Companion("TRF"));
    // Every record is 4 bytes (its games have no moves); the cut leaves 22 whole records.
    ASSERT_EQ(trf.size(), 4u * static_cast<std::size_t>(File().gameCount) + 2);
    dir.Write("uzchesscup.TRF", trf.substr(0, 90));
    for (const PositionSearchWay way : {PositionSearchWay::kFastFile, PositionSearchWay::kFastFileIndex}) {
        ForgetPositionIndexes();
        messages.clear();
        EXPECT_EQ(Search(File(), Lists({"=8"}, {}), way).size(), 22u);
        EXPECT_EQ(messages, std::vector<std::string>{kRunMakeFastFileAgain});
    }
}

TEST_F(PositionSearchTest, WithoutAFastFileThePgnTextIsSearched) {
    Open("lichess-benchmark.pgn", false);
    EXPECT_FALSE(std::filesystem::exists(Companion("TRF")));
    const SearchPosition query = Lists({"Kg1"}, {"Kg8", "Q=0"});
    const std::vector<MatchRow> rows = Search(File(), query, PositionSearchWay::kPgnText);
    EXPECT_FALSE(rows.empty());
    EXPECT_EQ(Search(File(), query, PositionSearchWay::kChoose), rows);
    EXPECT_EQ(Search(File(), query, PositionSearchWay::kFastFileIndex), rows);
    // A header file without its move file is no fast file either.
    MakeFastFile(pgn);
    std::filesystem::remove(Companion("TRF"));
    EXPECT_EQ(Search(File(), query, PositionSearchWay::kChoose), rows);
    EXPECT_TRUE(messages.empty());
}

TEST_F(PositionSearchTest, AFenGameStartsFromItsOwnPositionInThePgnText) {
    Open("fenSetup.pgn", false);
    // 1. e4 e5 2. Nf3 stand at the start; black moves first (ply 1 is white's empty entry):
    // 2... g6 3. h4 g5 4. hxg5.
    EXPECT_EQ(Search(File(), Lists({"e4", "Nf3"}, {"e5"}), PositionSearchWay::kChoose),
              (std::vector<MatchRow>{{1, 0, 0}}));
    EXPECT_EQ(Search(File(), Lists({"g5"}, {"g6"}), PositionSearchWay::kChoose), std::vector<MatchRow>{});
    EXPECT_EQ(Search(File(), Lists({"h4"}, {"g5"}), PositionSearchWay::kChoose),
              (std::vector<MatchRow>{{1, 4, 0}}));
    EXPECT_EQ(Search(File(), Lists({"=8"}, {"=7"}), PositionSearchWay::kChoose),
              (std::vector<MatchRow>{{1, 5, 0}}));
}

TEST_F(PositionSearchTest, ACancelRequestEndsTheSearchWithWhatItFound) {
    Open("dortmund.pgn");
    for (const PositionSearchWay way :
         {PositionSearchWay::kPgnText, PositionSearchWay::kFastFile, PositionSearchWay::kFastFileIndex}) {
        int polls = 0;
        File().cancelRequested = [&polls] { return ++polls > 20; };
        EXPECT_EQ(Search(File(), Lists({"=8"}, {}), way).size(), 20u);
    }
}

TEST_F(PositionSearchTest, AListThatNoPositionCanMeetFindsNothing) {
    Open("dortmund.pgn");
    for (const PositionSearchWay way :
         {PositionSearchWay::kPgnText, PositionSearchWay::kFastFile, PositionSearchWay::kFastFileIndex}) {
        EXPECT_TRUE(Search(File(), Lists({"=8", "Ke0"}, {}), way).empty());
        EXPECT_TRUE(Search(File(), Lists({"Ke1"}, {"Ke1"}), way).empty());
    }
}

TEST(OutcomeTest, OfTheResultTagLineAndOfTheResultWord) {
    EXPECT_EQ(OutcomeOfResultLine("[Result \"1-0\"]"), kOutcomeWhiteWon);
    EXPECT_EQ(OutcomeOfResultLine("[Result \"0-1\"]"), kOutcomeBlackWon);
    EXPECT_EQ(OutcomeOfResultLine("[Result \"1/2-1/2\"]"), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResultLine("[Result \"*\"]"), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResultLine("[Result \"1"), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResultLine(""), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResultWord(0x8002), kOutcomeWhiteWon);
    EXPECT_EQ(OutcomeOfResultWord(0x8000), kOutcomeBlackWon);
    EXPECT_EQ(OutcomeOfResultWord(0x8001), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResultWord(0x8012), kOutcomeOther);
}

}  // namespace
}  // namespace ravelin::search
