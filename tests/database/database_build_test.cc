#include "database/database_build.h"

#include <gtest/gtest.h>
#include <sys/resource.h>

#include <csignal>
#include <filesystem>
#include <fstream>
#include <functional>
#include <map>

#include "database/database_check.h"
#include "database/database_reader.h"
#include "database/key_name.h"
#include "database/position_signature.h"
#include "database_test_helpers.h"

namespace ravelin::database {
namespace {

using testing_support::BuildFrom;
using testing_support::CopyWithFastFile;
using testing_support::FilesOf;
using testing_support::ReadWholeFile;
using testing_support::TempDir;

void Overwrite(const std::string& path, std::int64_t offset, std::string_view bytes) {
    std::fstream file(path, std::ios::in | std::ios::out | std::ios::binary);
    file.seekp(offset);
    file.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

void Append(const std::string& path, std::string_view bytes) {
    std::ofstream(path, std::ios::app | std::ios::binary)
        .write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

TEST(DatabaseBuildTest, NewDatabaseHoldsTheFastFileAndOneRecordPerGame) {
    TempDir dir;
    const BuildOutcome outcome = BuildFrom(dir, "w.dbg", BuildMode::kNew, "world_matches.pgn");
    ASSERT_EQ(outcome.status, BuildStatus::kComplete) << outcome.message;
    const DatabasePaths paths = PathsOf(dir.File("w.dbg"));
    EXPECT_EQ(ReadWholeFile(paths.header), ReadWholeFile(dir.File("world_matches.TRH")));
    EXPECT_EQ(ReadWholeFile(paths.moves), ReadWholeFile(dir.File("world_matches.TRF")));
    EXPECT_EQ(ReadWholeFile(paths.games).size(), outcome.gameCount * kGameRecordSize);
    EXPECT_EQ(ReadWholeFile(paths.positions).size(), ReadWholeFile(paths.moves).size() - 2);
    EXPECT_EQ(ReadWholeFile(paths.root).size(), 3655808u);
    const DatabaseCheck check = CheckDatabase(paths);
    EXPECT_EQ(check.message, "Database OK. Number of games: " + std::to_string(outcome.gameCount));

    // Each position record: 2 * plies, then the signatures of the positions after each ply, sorted.
    Database db;
    ASSERT_EQ(db.Open(paths.games), nullptr);
    GameRecord record;
    std::string moves;
    std::string positions;
    for (int index : {0, 100, outcome.gameCount - 1}) {
        ASSERT_TRUE(db.Record(index, record) && db.Moves(record, moves) && db.Positions(record, positions));
        const int plies = static_cast<int>(moves.size() / 2) - 1;
        std::vector<std::uint16_t> expected;
        search::FastBoard board = search::FastStartBoard();
        for (int ply = 1; ply <= plies; ++ply) {
            search::ApplyFastMove(
                board, ReadU16(reinterpret_cast<const std::uint8_t*>(moves.data()) + 2 * ply - 2), ply);
            expected.push_back(PositionSignature(board));
        }
        std::sort(expected.begin(), expected.end());
        const auto* words = reinterpret_cast<const std::uint8_t*>(positions.data());
        EXPECT_EQ(ReadU16(words), 2 * plies);
        for (int i = 0; i < plies; ++i) {
            EXPECT_EQ(ReadU16(words + 2 + 2 * i), expected[i]);
        }
    }
}

// Every key's chain, walked from the root table, visits exactly the records that carry the key.
void ExpectChainsComplete(const std::string& gamesPath) {
    Database db;
    ASSERT_EQ(db.Open(gamesPath), nullptr);
    std::map<int, std::vector<int>> carriers;
    GameRecord record;
    for (int i = 0; i < db.GameCount(); ++i) {
        ASSERT_TRUE(db.Record(i, record));
        carriers[record.whiteKey].push_back(i);
        if (record.blackKey != record.whiteKey) {
            carriers[record.blackKey].push_back(i);
        }
    }
    const int keysCarried = static_cast<int>(carriers.size());
    int keysWithGames = 0;
    for (int key = 0; key < kKeyCount; ++key) {
        std::vector<int> walked;
        for (std::int64_t offset = db.Root()[key].first; offset != -1 && walked.size() <= 100000;) {
            const int index = static_cast<int>(offset / 64);
            ASSERT_TRUE(db.Record(index, record));
            walked.push_back(index);
            const std::int32_t link = record.whiteKey == key ? record.whiteLink : record.blackLink;
            offset = link == 0 ? -1 : link;
        }
        keysWithGames += walked.empty() ? 0 : 1;
        EXPECT_EQ(walked, carriers[key]) << key;
    }
    EXPECT_EQ(keysWithGames, keysCarried);
}

TEST(DatabaseBuildTest, AddAppendsAndLinksTheNewGamesIntoTheOldChains) {
    TempDir dir;
    ASSERT_EQ(BuildFrom(dir, "w.dbg", BuildMode::kNew, "world_matches.pgn").status, BuildStatus::kComplete);
    const BuildOutcome added = BuildFrom(dir, "w.dbg", BuildMode::kAdd, "dortmund.pgn");
    ASSERT_EQ(added.status, BuildStatus::kComplete) << added.message;
    const BuildOutcome again = BuildFrom(dir, "w.dbg", BuildMode::kAdd, "dortmund.pgn");
    ASSERT_EQ(again.status, BuildStatus::kComplete) << again.message;
    EXPECT_EQ(again.gameCount, added.gameCount + again.gamesAdded);
    const DatabasePaths paths = PathsOf(dir.File("w.dbg"));
    EXPECT_EQ(CheckDatabase(paths).message,
              "Database OK. Number of games: " + std::to_string(again.gameCount));
    ExpectChainsComplete(paths.games);
    // The moves file is the three fast files joined over their end words.
    const std::string world = ReadWholeFile(dir.File("world_matches.TRF"));
    const std::string dortmund = ReadWholeFile(dir.File("dortmund.TRF"));
    EXPECT_EQ(ReadWholeFile(paths.moves),
              world.substr(0, world.size() - 2) + dortmund.substr(0, dortmund.size() - 2) + dortmund);
}

TEST(DatabaseBuildTest, AFailedAddLeavesEveryFileAsItWas) {
    TempDir dir;
    ASSERT_EQ(BuildFrom(dir, "w.dbg", BuildMode::kNew, "world_matches.pgn").status, BuildStatus::kComplete);
    const DatabasePaths paths = PathsOf(dir.File("w.dbg"));
    const std::vector<std::string> before = FilesOf(paths);
    std::string pgn;
    const int count = CopyWithFastFile(dir, "dortmund.pgn", pgn);
    // The appends fit under the file size limit, the new root table does not: the last write fails.
    rlimit old{};
    getrlimit(RLIMIT_FSIZE, &old);
    const auto previousHandler = std::signal(SIGXFSZ, SIG_IGN);
    rlimit limit = old;
    limit.rlim_cur = 1 << 20;
    setrlimit(RLIMIT_FSIZE, &limit);
    const BuildOutcome outcome = BuildDatabase(paths.games, BuildMode::kAdd, pgn, count);
    setrlimit(RLIMIT_FSIZE, &old);
    std::signal(SIGXFSZ, previousHandler);
    EXPECT_EQ(outcome.message, kFileWriteError);
    EXPECT_TRUE(FilesOf(paths) == before);
}

TEST(DatabaseBuildTest, RemakeRepairsTheGamesRootAndPositionFiles) {
    TempDir dir;
    ASSERT_EQ(BuildFrom(dir, "w.dbg", BuildMode::kNew, "world_matches.pgn").status, BuildStatus::kComplete);
    ASSERT_EQ(BuildFrom(dir, "w.dbg", BuildMode::kAdd, "dortmund.pgn").status, BuildStatus::kComplete);
    const DatabasePaths paths = PathsOf(dir.File("w.dbg"));
    const std::vector<std::string> built = FilesOf(paths);
    Overwrite(paths.games, 64 * 5 + 8, std::string("\x40\x00\x00\x00", 4));
    std::filesystem::remove(paths.root);
    Append(paths.positions, "xx");
    EXPECT_FALSE(CheckDatabase(paths).ok);
    EXPECT_EQ(RemakeDatabase(paths.games).message, kDatabaseRemakeComplete);
    EXPECT_TRUE(FilesOf(paths) == built);
}

TEST(DatabaseBuildTest, RefusesStaleFastFilesAndNamesThatAreNoDatabase) {
    TempDir dir;
    std::string pgn;
    const int count = CopyWithFastFile(dir, "world_matches.pgn", pgn);
    EXPECT_EQ(BuildDatabase(dir.File("w.dbg"), BuildMode::kNew, pgn, count + 1).status,
              BuildStatus::kStaleFastFile);
    const std::string pgnBytes = ReadWholeFile(pgn);
    EXPECT_EQ(BuildDatabase(pgn, BuildMode::kNew, pgn, count).message, kNotADatabaseName);
    EXPECT_EQ(ReadWholeFile(pgn), pgnBytes);
    std::filesystem::remove(dir.File("world_matches.TRF"));
    EXPECT_EQ(BuildDatabase(dir.File("w.dbg"), BuildMode::kNew, pgn, count).status, BuildStatus::kNoFastFile);
    EXPECT_FALSE(std::filesystem::exists(dir.File("w.dbg")));
}

// Each way a database can be broken: the check names it, and an add refuses it without writing.
TEST(DatabaseBuildTest, CheckAndAddRefuseBrokenDatabases) {
    const struct {
        const char* what;
        std::function<void(const DatabasePaths&)> damage;
        const char* message;
    } cases[] = {
        {"header cut",
         [](const DatabasePaths& p) {
             std::filesystem::resize_file(p.header, std::filesystem::file_size(p.header) - 1);
         },
         "Header file is out of sync"},
        {"count", [](const DatabasePaths& p) { Overwrite(p.header, 0, std::string("\x01\x00\x00\x00", 4)); },
         "Header file is out of sync"},
        {"positions", [](const DatabasePaths& p) { Append(p.positions, "xx"); },
         "Position file is out of sync."},
        {"end word",
         [](const DatabasePaths& p) {
             const auto size = static_cast<std::int64_t>(std::filesystem::file_size(p.moves));
             Overwrite(p.moves, size - 2, std::string("\x01\x80", 2));
         },
         "Moves file is out of sync"},
        {"games", [](const DatabasePaths& p) { Append(p.games, std::string(64, '\0')); },
         "Games file is out of sync"},
        // A link back to an earlier record would let a chain walk run for ever.
        {"link",
         [](const DatabasePaths& p) { Overwrite(p.games, 64 * 5 + 8, std::string("\x40\x00\x00\x00", 4)); },
         kRootError},
        {"moves offset",
         [](const DatabasePaths& p) { Overwrite(p.games, 64 * 3 + 20, std::string("\x01\x00\x00\x70", 4)); },
         kRootError},
        {"root",
         [](const DatabasePaths& p) { Overwrite(p.root, 8 * 1000, std::string("\x03\x00\x00\x00", 4)); },
         kRootError},
        {"root missing", [](const DatabasePaths& p) { std::filesystem::remove(p.root); }, kFileOpenError},
    };
    for (const auto& c : cases) {
        TempDir dir;
        ASSERT_EQ(BuildFrom(dir, "w.dbg", BuildMode::kNew, "world_matches.pgn").status,
                  BuildStatus::kComplete);
        const DatabasePaths paths = PathsOf(dir.File("w.dbg"));
        c.damage(paths);
        const std::vector<std::string> damaged = FilesOf(paths);
        const DatabaseCheck check = CheckDatabase(paths);
        EXPECT_FALSE(check.ok) << c.what;
        EXPECT_EQ(check.message.rfind(c.message, 0), 0u) << c.what << ": " << check.message;
        const BuildOutcome outcome = BuildFrom(dir, "w.dbg", BuildMode::kAdd, "dortmund.pgn");
        EXPECT_EQ(outcome.status, BuildStatus::kFailed) << c.what;
        EXPECT_TRUE(FilesOf(paths) == damaged) << c.what;
    }
}

}  // namespace
}  // namespace ravelin::database
