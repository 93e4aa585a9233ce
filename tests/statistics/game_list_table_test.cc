// The Select Game table: built from the PGN text and from the fast header file alike, its cache
// and when the cache is trusted, and the row formats.

#include "statistics/game_list_table.h"

#include <gtest/gtest.h>
#include <sys/stat.h>

#include <cstring>
#include <filesystem>

#include "search/fast_file_writer.h"
#include "statistics_test_helpers.h"

namespace ravelin::statistics {
namespace {

using testing::CopyData;
using testing::IndexedFile;
using testing::ShippedTable;

void MakeFastFile(const IndexedFile& file) {
    search::FastFileJob job;
    job.pgnPath = file.path;
    job.offsets = file.index.offsets;
    ASSERT_EQ(search::WriteFastFile(job, {}).status, search::FastFileStatus::kComplete);
}

std::string Bytes(const GameListTable& table) {
    return std::string(reinterpret_cast<const char*>(table.entries.data()),
                       table.entries.size() * kGameListEntrySize);
}

// Sets a file's modification time relative to another's.
void Touch(const std::string& path, const std::string& reference, int secondsLater) {
    std::filesystem::last_write_time(
        path, std::filesystem::last_write_time(reference) + std::chrono::seconds(secondsLater));
}

TEST(GameListTableTest, TheFastHeaderFileAndThePgnTextGiveTheSameTableWhichTheCacheKeeps) {
    ravelin::testing::TempDir dir;
    IndexedFile file(CopyData(dir, "Carlsen.pgn.xz"));
    ASSERT_EQ(file.index.Count(), 5662);
    const MainOpenings openings(ShippedTable());

    const GameListTable fromText = BuildGameListTable(file.source, ShippedTable(), openings);
    EXPECT_FALSE(fromText.fromCache);
    EXPECT_TRUE(fromText.cacheWritten);
    std::filesystem::remove(GameListCachePath(file.path));
    MakeFastFile(file);
    const GameListTable fromFastFile = BuildGameListTable(file.source, ShippedTable(), openings);
    EXPECT_FALSE(fromFastFile.fromCache);
    EXPECT_EQ(Bytes(fromFastFile), Bytes(fromText));
    EXPECT_EQ(ravelin::testing::ReadWholeFile(GameListCachePath(file.path)), Bytes(fromText));

    const GameListTable cached = BuildGameListTable(file.source, ShippedTable(), openings);
    EXPECT_TRUE(cached.fromCache);
    EXPECT_EQ(Bytes(cached), Bytes(fromText));
    EXPECT_TRUE(file.warnings.empty());

    // The file's first game, as its tags say.
    const GameListEntry& first = fromText.entries[0];
    EXPECT_EQ(first.White(), "Edvardsen,R");
    EXPECT_EQ(first.Black(), "Carlsen,Magnus");
    EXPECT_EQ(first.Result(), "1/2-1/2");
    EXPECT_EQ(first.Eco(), "D12");
    EXPECT_EQ(first.WhiteElo(), 2055);
    EXPECT_EQ(first.Round(), "1");
}

TEST(GameListTableTest, TheCacheIsTakenOnlyWhenNewerThanTheFileAndOfExactlyTheRightSize) {
    ravelin::testing::TempDir dir;
    IndexedFile file(CopyData(dir, "Carlsen.pgn.xz"));
    const MainOpenings openings(ShippedTable());
    const std::string good = Bytes(BuildGameListTable(file.source, ShippedTable(), openings));
    const std::string cachePath = GameListCachePath(file.path);
    // A cache whose rows all say "forged" in White: taken only when trusted.
    std::string forged = good;
    for (std::size_t row = 0; row < forged.size(); row += kGameListEntrySize) {
        std::memcpy(&forged[row], "forged", 7);
    }
    struct Case {
        const char* name;
        std::string contents;
        int secondsAfterPgn;
        bool taken;
    };
    const Case cases[] = {
        {"newer, exact size", forged, 5, true},
        {"as old as the PGN file", forged, 0, false},
        {"older than the PGN file", forged, -5, false},
        {"one row short", forged.substr(kGameListEntrySize), 5, false},
        {"a byte too many", forged + "x", 5, false},
    };
    for (const Case& c : cases) {
        dir.Write(std::filesystem::path(cachePath).filename().string(), c.contents);
        Touch(cachePath, file.path, c.secondsAfterPgn);
        const GameListTable table = BuildGameListTable(file.source, ShippedTable(), openings);
        EXPECT_EQ(table.fromCache, c.taken) << c.name;
        EXPECT_EQ(table.entries[0].White(), c.taken ? "forged" : "Edvardsen,R") << c.name;
    }
}

TEST(GameListTableTest, SmallFilesKeepNoCacheAndGamesWithoutEcoGetTheGuess) {
    ravelin::testing::TempDir dir;
    const std::string pgn =
        "[Event \"?\"]\n[Site \"Here\"]\n[White \"A very long name of a player\"]\n[Black \"B\"]\n"
        "[Result \"1-0\"]\n[Round \"R5\"]\n[WhiteElo \"2500\"]\n[Date \"2024.01.02 (x)\"]\n\n1.e4 c5 2.Nf3 "
        "1-0\n\n"
        "[Event \"E\"]\n[White \"C\"]\n[Black \"D\"]\n[Result \"*\"]\n[Round \"12.3\"]\n[ECO "
        "\"C20\"]\n\n1.e4 e5 *\n\n"
        "[Event \"E\"]\n[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\n[Round \"Rd\"]\n\n1.Kb1 *\n";
    IndexedFile file(dir.Write("small.pgn", pgn));
    const GameListTable table = BuildGameListTable(file.source, ShippedTable(), MainOpenings(ShippedTable()));
    ASSERT_EQ(table.entries.size(), 3u);
    EXPECT_FALSE(std::filesystem::exists(GameListCachePath(file.path)));
    struct Row {
        std::string_view white, eco, round, event;
        std::int32_t whiteElo;
    };
    EXPECT_EQ(table.entries[0].Date(), "2024.01.02");
    const Row expected[] = {
        {"A very long name of", "B20", "5", "Here", 2500},
        {"C", "C20", "12", "E", 0},
        {"", "", "", "E", 0},
    };
    for (std::size_t i = 0; i < 3; ++i) {
        const GameListEntry& entry = table.entries[i];
        EXPECT_EQ(entry.White(), expected[i].white);
        EXPECT_EQ(entry.Eco(), expected[i].eco);
        EXPECT_EQ(entry.Round(), expected[i].round);
        EXPECT_EQ(entry.Event(), expected[i].event);
        EXPECT_EQ(entry.WhiteElo(), expected[i].whiteElo);
    }
    EXPECT_EQ(GameListRow(table.entries[0], 1, 0),
              "   1  A very long name of  B                    1-0       2024.01.02   B20    ");
    EXPECT_EQ(GameListRow(table.entries[0], 12345, 1),
              "12345 A very long name 2500  B                      1-0   5  Sicilian         ");
    EXPECT_EQ(GameListRow(table.entries[1], 2, 2),
              "   2  C                    D                     *    12   E                  ");
}

TEST(GameListTableTest, AnEcoSourceFileListsNumberCodeAndOpeningName) {
    ravelin::testing::TempDir dir;
    const std::string pgn =
        "[ECO \"B20\"]\n[Opening \"Sicilian\"]\n\n1.e4 c5 *\n\n"
        "[ECO \"B22\"]\n[Opening \"Sicilian\"]\n[Variation \"Alapin\"]\n\n1.e4 c5 2.c3 *\n";
    IndexedFile file(dir.Write("openings.pgn", pgn));
    EXPECT_EQ(EcoSourceRows(file.source),
              (std::vector<std::string>{"   1 B20 Sicilian", "   2 B22 Sicilian-Alapin"}));
    file.source.games = {2};
    EXPECT_EQ(EcoSourceRows(file.source), std::vector<std::string>{"   2 B22 Sicilian-Alapin"});
}

}  // namespace
}  // namespace ravelin::statistics
