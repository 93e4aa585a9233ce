#include "database/database_search.h"

#include <gtest/gtest.h>

#include <set>

#include "database/key_name.h"
#include "database/position_signature.h"
#include "database_test_helpers.h"

namespace ravelin::database {
namespace {

using testing_support::BuildFrom;
using testing_support::TempDir;

class DatabaseSearchTest : public ::testing::Test {
  protected:
    void SetUp() override {
        ASSERT_EQ(BuildFrom(dir_, "w.dbg", BuildMode::kNew, "world_matches.pgn").status,
                  BuildStatus::kComplete);
        ASSERT_EQ(BuildFrom(dir_, "w.dbg", BuildMode::kAdd, "dortmund.pgn").status, BuildStatus::kComplete);
        ASSERT_EQ(db_.Open(dir_.File("w.dbg")), nullptr);
        for (int i = 0; i < db_.GameCount(); ++i) {
            GameRecord record;
            std::string bytes;
            HeaderValues values;
            ASSERT_TRUE(db_.Record(i, record) && db_.Header(record, bytes, values));
            games_.push_back({std::string(values[kWhite]), std::string(values[kBlack]), record.year,
                              std::string(values[kEco]), std::string(values[kResult])});
        }
    }

    std::vector<int> Search(const DatabaseCriteria& criteria) {
        const DatabaseSearchOutcome outcome = SearchDatabase(db_, criteria);
        EXPECT_EQ(outcome.failure, nullptr);
        return outcome.games;
    }

    struct Game {
        std::string white;
        std::string black;
        int year;
        std::string eco;
        std::string result;
    };
    TempDir dir_;
    Database db_;
    std::vector<Game> games_;
};

// The chain walk finds what a scan of every game with the same name test finds.
TEST_F(DatabaseSearchTest, PlayerSearchesFindWhatAScanOfEveryGameFinds) {
    const struct {
        const char* white;
        const char* black;
        bool either;
        const char* year;
    } cases[] = {
        {"Kasparov", "", false, ""}, {"", "Karpov, A", false, ""},       {"Karpov,", "Kasparov", false, ""},
        {"Ka", "", true, ""},        {"Lasker", "*Tarrasch", false, ""}, {"Kramnik", "", true, ">=1990"},
        {"", "*Lek", false, ""},
    };
    for (const auto& c : cases) {
        DatabaseCriteria criteria;
        criteria.white = c.white;
        criteria.black = c.black;
        criteria.eitherColor = c.either;
        criteria.year = c.year;
        const std::string black = c.black[0] == '*' ? c.black + 1 : c.black;
        const PlayerCriterion first(*c.white != 0 ? c.white : black.c_str());
        const PlayerCriterion second(*c.white != 0 ? black : "");
        const bool anyColour = c.either || c.black[0] == '*';
        const auto passes = [](const PlayerCriterion& p, const std::string& name) {
            return !p.Given() || p.Passes(MakeKeyName(name).stored);
        };
        std::vector<int> expected;
        for (int i = 0; i < static_cast<int>(games_.size()); ++i) {
            const Game& g = games_[i];
            bool match = false;
            if (*c.white == 0 && !anyColour) {
                match = passes(first, g.black);
            } else if (anyColour) {
                match = (passes(first, g.white) && passes(second, g.black)) ||
                        (passes(first, g.black) && passes(second, g.white));
            } else {
                match = passes(first, g.white) && passes(second, g.black);
            }
            match = match && (*c.year == 0 || (g.year != 0 && g.year >= 1990));
            if (match) {
                expected.push_back(i);
            }
        }
        EXPECT_FALSE(expected.empty()) << c.white << c.black;
        EXPECT_EQ(Search(criteria), expected) << c.white << " / " << c.black;
    }
}

TEST_F(DatabaseSearchTest, RecordCriteriaAndTheYearSort) {
    DatabaseCriteria criteria;
    criteria.eco = "B9";
    criteria.result = "1/2-1/2";
    for (const int index : Search(criteria)) {
        EXPECT_EQ(games_[index].eco.substr(0, 2), "B9");
        EXPECT_EQ(games_[index].result, "1/2-1/2");
    }
    criteria = {};
    criteria.moves = "<=20";
    criteria.sortByYear = true;
    criteria.descending = true;
    const std::vector<int> shortGames = Search(criteria);
    ASSERT_GT(shortGames.size(), 2u);
    for (std::size_t i = 1; i < shortGames.size(); ++i) {
        const int a = std::clamp(games_[shortGames[i - 1]].year, 1800, 2099);
        const int b = std::clamp(games_[shortGames[i]].year, 1800, 2099);
        EXPECT_TRUE(a > b || (a == b && shortGames[i - 1] < shortGames[i]));
    }
    EXPECT_EQ(SearchDatabase(db_, {}).failure, kNothingToSearch);
    criteria = {};
    criteria.site = "London";
    EXPECT_EQ(SearchDatabase(db_, criteria).failure, kNeedMoreCriteria);
    criteria.year = "1834";
    for (const int index : Search(criteria)) {
        EXPECT_EQ(games_[index].year, 1834);
    }
}

TEST_F(DatabaseSearchTest, PositionSearchFindsTheGamesThatReachTheBoard) {
    // The position after 1. d4 d5 2. c4 dxc4 (the start of game 3).
    const std::optional<search::FastBoard> board =
        FastBoardOfFen("rnbqkbnr/ppp1pppp/8/8/2pP4/8/PP2PPPP/RNBQKBNR w KQkq - 0 3");
    ASSERT_TRUE(board);
    DatabaseCriteria criteria;
    criteria.position = board;
    const std::vector<int> found = Search(criteria);
    EXPECT_NE(std::find(found.begin(), found.end(), 2), found.end());
    for (const int index : found) {
        GameRecord record;
        std::string moves;
        ASSERT_TRUE(db_.Record(index, record) && db_.Moves(record, moves));
        EXPECT_TRUE(MovesReachBoard(reinterpret_cast<const std::uint8_t*>(moves.data()),
                                    static_cast<int>(moves.size() / 2) - 1, MakePositionTarget(*board)));
    }
    EXPECT_FALSE(FastBoardOfFen("rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP w"));
}

}  // namespace
}  // namespace ravelin::database
