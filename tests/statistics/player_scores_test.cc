// Player scores, the cross table and the opening statistics over real tournaments, the rules for
// names, unfinished games and knockout matches, and the score cache.

#include "statistics/player_scores.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <sstream>

#include "statistics/cross_table.h"
#include "statistics/opening_stats.h"
#include "statistics_test_helpers.h"

namespace ravelin::statistics {
namespace {

using testing::CopyData;
using testing::IndexedFile;
using testing::ShippedTable;

std::string Game(const std::string& white, const std::string& black, const std::string& result,
                 const std::string& round) {
    return "[Event \"T\"]\n[Round \"" + round + "\"]\n[White \"" + white + "\"]\n[Black \"" + black +
           "\"]\n[Result \"" + result + "\"]\n\n1.e4 e5 " + result + "\n\n";
}

std::string Game(const std::string& white, const std::string& black, const std::string& result, int round) {
    return Game(white, black, result, std::to_string(round));
}

const PlayerScore& Named(const PlayerTable& table, const std::string& name) {
    for (const PlayerScore& player : table.players) {
        if (player.name == name) {
            return player;
        }
    }
    static const PlayerScore none;
    ADD_FAILURE() << "no player " << name;
    return none;
}

std::vector<std::string> Lines(const std::string& text) {
    std::vector<std::string> lines;
    std::istringstream in(text);
    for (std::string line; std::getline(in, line);) {
        lines.push_back(line);
    }
    return lines;
}

TEST(PlayerScoresTest, ARoundRobinScoresAllPointsAndItsCrossTableAgreesWithItself) {
    ravelin::testing::TempDir dir;
    IndexedFile file(CopyData(dir, "uzchesscup.pgn"));
    ASSERT_EQ(file.index.Count(), 45);
    ScoreOptions options;
    options.crossTable = true;
    const PlayerTable table = ComputePlayerScores(file.source, options);
    ASSERT_EQ(table.players.size(), 10u);
    EXPECT_EQ(table.highestRound, 9);
    float total = 0;
    for (const PlayerScore& player : table.players) {
        total += player.score;
        EXPECT_EQ(player.whiteWins + player.blackWins + player.whiteDraws + player.blackDraws +
                      player.whiteLosses + player.blackLosses,
                  9)
            << player.name;
    }
    EXPECT_EQ(total, 45.0f);  // every game was finished: one point each
    // The event's winners on tie-break order aside: three players with 5.5 at the top.
    for (int i = 0; i < 3; ++i) {
        EXPECT_EQ(table.players[static_cast<std::size_t>(table.order[static_cast<std::size_t>(i)])].score,
                  5.5f);
    }
    EXPECT_EQ(Named(table, "Abdusattorov, Nodirbek").rating, 2767);

    const CrossTableText cross = MakeCrossTable(table);
    ASSERT_TRUE(cross.error.empty());
    const std::vector<std::string> lines = Lines(cross.text);
    ASSERT_EQ(lines.size(), 11u);
    // Each cell "   Nc+" of player i in round r is answered by "   ic-" of player N in round r.
    constexpr std::size_t kFirstCell = 35;
    for (std::size_t i = 1; i < lines.size(); ++i) {
        for (int round = 0; round < 9; ++round) {
            const std::string cell = lines[i].substr(kFirstCell + 8 * static_cast<std::size_t>(round), 8);
            const int opponent = std::stoi(cell.substr(3, 3));
            const std::string answer = lines[static_cast<std::size_t>(opponent)].substr(
                kFirstCell + 8 * static_cast<std::size_t>(round), 8);
            EXPECT_EQ(std::stoi(answer.substr(3, 3)), static_cast<int>(i)) << lines[i];
            EXPECT_NE(cell[6], answer[6]);
            EXPECT_EQ(cell[7] == '=', answer[7] == '=');
            EXPECT_EQ(cell[7] == '+', answer[7] == '-');
        }
    }
}

TEST(PlayerScoresTest, AnUnfinishedGameIsNotPlayedAndNamesMeetByTheirLetters) {
    ravelin::testing::TempDir dir;
    const std::string pgn = Game("Morrow, Glen", "Smith", "*", 1) + Game("MORROW", "Smith, J", "0-1", 2) +
                            Game("Morrow, G.", "Smith", "1/2-1/2", 3) + Game("Brown", "Smith", "", 4);
    IndexedFile file(dir.Write("t.pgn", pgn));
    ScoreOptions options;
    const PlayerTable ordinary = ComputePlayerScores(file.source, options);
    ASSERT_EQ(ordinary.players.size(), 3u);
    const PlayerScore& morrow = Named(ordinary, "Morrow, Glen");
    const PlayerScore& smith = Named(ordinary, "Smith");
    EXPECT_EQ(morrow.whiteLosses, 1);
    EXPECT_EQ(morrow.whiteDraws, 1);
    EXPECT_EQ(morrow.score, 0.5f);
    EXPECT_EQ(smith.blackWins, 1);
    EXPECT_EQ(smith.blackLosses, 0);  // "*" and no result are no wins for anybody
    EXPECT_EQ(smith.score, 1.5f);

    options.exact = true;
    EXPECT_EQ(ComputePlayerScores(file.source, options).players.size(), 6u);
}

TEST(PlayerScoresTest, ARoundNamedWithALetterCountsByItsNumber) {
    ravelin::testing::TempDir dir;
    IndexedFile file(dir.Write("r.pgn", Game("A", "B", "1-0", "Rd 1") + Game("B", "A", "0-1", "Rd 12")));
    ScoreOptions options;
    options.crossTable = true;
    const PlayerTable table = ComputePlayerScores(file.source, options);
    EXPECT_EQ(table.highestRound, 12);
    ASSERT_EQ(table.games.size(), 2u);
    EXPECT_EQ(table.games[0].round, 1);
}

TEST(PlayerScoresTest, AKnockoutMatchGoesToMatchPointsAndOnATieToWhoHadBlackLast) {
    ravelin::testing::TempDir dir;
    // Round 1: A beats B 1.5 - 0.5; C and D tie 1.5 - 1.5, D had Black in their last game.
    const std::string pgn = Game("A", "B", "1-0", 1) + Game("B", "A", "1/2-1/2", 1) +
                            Game("C", "D", "1-0", 1) + Game("D", "C", "1-0", 1) +
                            Game("C", "D", "1/2-1/2", 1) + Game("A", "D", "0-1", 2) +
                            Game("D", "A", "1/2-1/2", 2);
    IndexedFile file(dir.Write("ko.pgn", pgn));
    int asked = 0;
    ScoreOptions options;
    options.crossTable = true;
    options.askKnockout = [&asked] {
        ++asked;
        return true;
    };
    const PlayerTable table = ComputePlayerScores(file.source, options);
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(table.knockout);
    EXPECT_EQ(Named(table, "A").score, 1.0f);
    EXPECT_EQ(Named(table, "B").score, 0.0f);
    EXPECT_EQ(Named(table, "C").score, 0.0f);
    EXPECT_EQ(Named(table, "D").score, 2.0f);
    ASSERT_EQ(table.games.size(), 3u);  // one record per match
    EXPECT_EQ(table.games[2].round, 2);

    options.askKnockout = [] { return false; };
    options.crossTable = false;
    EXPECT_EQ(Named(ComputePlayerScores(file.source, options), "D").score, 3.0f);
}

TEST(PlayerScoresTest, TheScoreCacheIsTakenOnlyWhenNewerThanTheFileAndOfExactlyItsSize) {
    ravelin::testing::TempDir dir;
    IndexedFile file(CopyData(dir, "Carlsen.pgn.xz"));
    ScoreOptions options;
    const PlayerTable scanned = ComputePlayerScores(file.source, options);
    EXPECT_FALSE(scanned.fromCache);
    const std::string cachePath = ScoreCachePath(file.path, false);
    const std::string written = ravelin::testing::ReadWholeFile(cachePath);
    EXPECT_EQ(written, EncodeScoreCache(scanned.players));
    EXPECT_EQ(written.size(), 4 + kPlayerScoreRecordSize * scanned.players.size());
    EXPECT_FALSE(std::filesystem::exists(ScoreCachePath(file.path, true)));

    std::vector<PlayerScore> forged(1);
    forged[0].name = "forged";
    forged[0].score = 99;
    const std::string good = EncodeScoreCache(forged);
    struct Case {
        const char* name;
        std::string contents;
        int secondsAfterPgn;
        bool taken;
    };
    const Case cases[] = {
        {"newer, 4 + 76 n bytes", good, 5, true},
        {"as old as the PGN file", good, 0, false},
        {"a count that does not fit the size", good.substr(0, good.size() - 1), 5, false},
        {"a byte too many", good + "x", 5, false},
        {"shorter than its count", good.substr(0, 3), 5, false},
    };
    for (const Case& c : cases) {
        dir.Write(std::filesystem::path(cachePath).filename().string(), c.contents);
        std::filesystem::last_write_time(
            cachePath, std::filesystem::last_write_time(file.path) + std::chrono::seconds(c.secondsAfterPgn));
        const PlayerTable table = ComputePlayerScores(file.source, options);
        EXPECT_EQ(table.fromCache, c.taken) << c.name;
        EXPECT_EQ(table.players.size() == 1 && table.players[0].name == "forged", c.taken) << c.name;
    }
}

TEST(PlayerScoresTest, RowsHaveADottedLeaderAndTheSearchNameIsTheSurname) {
    PlayerScore rated;
    rated.name = "Carlsen, Magnus";
    rated.rating = 2882;
    rated.score = 7.5;
    rated.whiteWins = 5;
    rated.blackDraws = 5;
    EXPECT_EQ(PlayerScoreRow(rated),
              "Carlsen, Magnus..........2882  7.5  w+5    b+0    w=0    b=5    w-0    b-0 ");
    PlayerScore hundred = rated;
    hundred.score = 100.5;
    EXPECT_EQ(PlayerScoreRow(hundred).substr(0, 34), "Carlsen, Magnus..............100.5");
    struct Case {
        const char* name;
        bool exact;
        const char* search;
    };
    const Case cases[] = {
        {"Carlsen, Magnus", false, "Carlsen"}, {"Morrow G. Smith", false, "Morrow"},
        {"van der Molen", false, "van der"},   {"Kasparov (2851)", false, "Kasparov"},
        {"Deep Blue 2", true, "Deep Blue"},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(PlayerSearchName(c.name, c.exact), c.search) << c.name;
    }
}

TEST(OpeningStatsTest, EveryGameIsCountedOnceWithItsResult) {
    ravelin::testing::TempDir dir;
    IndexedFile file(CopyData(dir, "dortmund.pgn"));
    ASSERT_EQ(file.index.Count(), 347);
    const MainOpenings openings(ShippedTable());
    for (const OpeningSort sort : {OpeningSort::kByCount, OpeningSort::kByName}) {
        const std::vector<OpeningTally> tallies =
            ComputeOpeningStats(file.source, ShippedTable(), openings, sort);
        int total = 0, white = 0, black = 0;
        for (const OpeningTally& tally : tallies) {
            total += tally.total;
            white += tally.whiteWins;
            black += tally.blackWins;
            EXPECT_EQ(tally.total, tally.whiteWins + tally.blackWins + tally.draws);
        }
        // The file's Result tags: 149 "1-0", 58 "0-1", 140 draws.
        EXPECT_EQ(total, 347);
        EXPECT_EQ(white, 149);
        EXPECT_EQ(black, 58);
        if (sort == OpeningSort::kByName) {
            EXPECT_EQ(tallies.back().entryPlusOne, 0);
        } else {
            EXPECT_TRUE(std::is_sorted(
                tallies.begin(), tallies.end(),
                [](const OpeningTally& a, const OpeningTally& b) { return a.total > b.total; }));
        }
    }
}

}  // namespace
}  // namespace ravelin::statistics
