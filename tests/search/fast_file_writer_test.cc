#include "search/fast_file_writer.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "search/fast_header.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using namespace testing_support;

// --- the stored bytes ---

// The checked-in files were made once and checked by hand: sample.pgn holds every result, both
// castlings of both sides, an under-promotion, en passant, a game without moves and the round
// forms that are cut to their number.
TEST(FastFileWriterTest, FilesMatchTheCheckedInFastFilesByteForByte) {
    struct Case {
        const char* data;
        const char* name;  // of the copy: the companions replace its last three characters
        const char* checkedIn;
        int games;
    };
    for (const Case& c : {Case{"fastfile/sample.pgn", "sample.pgn", "fastfile/sample", 4},
                          Case{"pgn/KASPAROV-DEEP-BLUE-1997.PGN", "match.PGN", "fastfile/kasparov", 6},
                          Case{"", "empty.txt", "", 0}}) {
        SCOPED_TRACE(c.name);
        TempDir dir;
        const std::string pgn = dir.Write(c.name, *c.data ? ReadWholeFile(TestDataPath(c.data)) : "");
        const FastFileOutcome outcome = MakeFastFile(pgn);
        EXPECT_EQ(outcome.status, FastFileStatus::kComplete);
        EXPECT_EQ(outcome.gamesWritten, c.games);
        const std::string stem = pgn.substr(0, pgn.size() - 3);
        const std::string base = TestDataPath(c.checkedIn);
        EXPECT_EQ(ReadWholeFile(stem + "TRF"), *c.checkedIn ? ReadWholeFile(base + ".TRF") : Words({0}));
        EXPECT_EQ(ReadWholeFile(stem + "TRH"),
                  *c.checkedIn ? ReadWholeFile(base + ".TRH") : std::string(4, '\0'));
    }
}

// Every core reads its own run of games: the files hold the records that runs of 50 games give
// alone (a run that is not one of the writer's), in the order of the file, and progress comes for
// the games in order.
TEST(FastFileWriterTest, EachGameHasTheRecordsItHasAloneInFileOrder) {
    TempDir dir;
    FastFileJob job;
    job.pgnPath = CopyPgn(dir, "dortmund.pgn");
    job.offsets = IndexOf(job.pgnPath);
    std::vector<int> progress;
    FastFileHooks hooks;
    hooks.progress = [&progress](int current, int) { progress.push_back(current); };
    ASSERT_EQ(WriteFastFile(job, hooks).gamesWritten, 347);
    std::vector<int> expected;
    for (int game = 1; game <= 347; game += 10) {
        expected.push_back(game);
    }
    expected.push_back(347);
    EXPECT_EQ(progress, expected);
    const std::string text = ReadWholeFile(job.pgnPath);
    std::string moves;
    std::string headers;
    constexpr std::size_t kRun = 50;
    for (std::size_t game = 0; game < job.offsets.size(); game += kRun) {
        const std::size_t end = game + kRun < job.offsets.size() ? job.offsets[game + kRun] : text.size();
        const std::string one = dir.Write("one.pgn", text.substr(job.offsets[game], end - job.offsets[game]));
        ASSERT_EQ(MakeFastFile(one).gamesWritten,
                  static_cast<int>(std::min(kRun, job.offsets.size() - game)));
        const std::string trf = ReadWholeFile(dir.File("one.TRF"));
        moves += trf.substr(0, trf.size() - 2);
        headers += ReadWholeFile(dir.File("one.TRH")).substr(kFastHeaderCountSize);
    }
    EXPECT_EQ(ReadWholeFile(dir.File("dortmund.TRF")), moves + Words({0}));
    EXPECT_EQ(ReadWholeFile(dir.File("dortmund.TRH")).substr(kFastHeaderCountSize), headers);
}

TEST(FastFileWriterTest, GameOverTwoHundredMovesIsCutAndTheNextGameStillFound) {
    const std::string text = "[Event \"long\"]\n[Result \"*\"]\n\n" + KnightShuffle(1, 230);
    TempDir dir;
    const std::string pgn =
        dir.Write("long.pgn", text + "*\n\n[Event \"next\"]\n[Result \"1-0\"]\n\n1.d4 1-0\n");
    EXPECT_EQ(MakeFastFile(pgn).status, FastFileStatus::kComplete);
    const std::string trf = ReadWholeFile(dir.File("long.TRF"));
    ASSERT_EQ(trf.size(), (400 + 1 + 2 + 1) * 2u);
    EXPECT_EQ(trf.substr(800), Words({0x8001, 0x1b19, 0x8002, 0x0000}));
    EXPECT_EQ(CheckFastFile(pgn, 2), FastFileCheck::kOk);
}

TEST(FastFileWriterTest, FenGamesAreReplayedFromTheStartAndWarned) {
    TempDir dir;
    const FastFileOutcome outcome = MakeFastFile(CopyPgn(dir, "fenSetup.pgn"));
    EXPECT_TRUE(outcome.fenSeen);
    EXPECT_EQ(FastFileStatusMessage(outcome.status),
              "Warning: File contained some FEN positions. Fast file may not be correct.");
}

// --- failures leave no fast file that looks current ---

TEST(FastFileWriterTest, FailedCreateOrWriteReportsCreateErrorAndLeavesNoFastFile) {
    TempDir dir;
    const std::string pgn = CopyPgn(dir, "dortmund.pgn");
    // A directory where the temporary move file would go.
    std::filesystem::create_directory(TemporaryNameFor(dir.File("dortmund.TRF")));
    FastFileOutcome outcome = MakeFastFile(pgn);
    EXPECT_EQ(FastFileStatusMessage(outcome.status), "Error creating fast file.");
    EXPECT_FALSE(std::filesystem::exists(dir.File("dortmund.TRF")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("dortmund.TRH")));
    EXPECT_FALSE(std::filesystem::exists(TemporaryNameFor(dir.File("dortmund.TRH"))));
    std::filesystem::remove(TemporaryNameFor(dir.File("dortmund.TRF")));
    if (std::filesystem::exists("/dev/full")) {
        // The temporary move file is a link to a device that refuses every write.
        std::filesystem::create_symlink("/dev/full", TemporaryNameFor(dir.File("dortmund.TRF")));
        outcome = MakeFastFile(pgn);
        EXPECT_EQ(outcome.status, FastFileStatus::kCreateError);
        EXPECT_FALSE(std::filesystem::exists(dir.File("dortmund.TRF")));
        EXPECT_FALSE(std::filesystem::exists(dir.File("dortmund.TRH")));
    }
}

TEST(FastFileWriterTest, CompanionNamesNeverOverwriteThePgnFileAndTreeFilesAreDeleted) {
    TempDir dir;
    const std::string contents = "[Event \"x\"]\n\n1.e4 *\n";
    for (const char* name : {"games.TRF", "games.TRH", "games.TRE", "games.TRX"}) {
        const std::string pgn = dir.Write(name, contents);
        MakeFastFile(pgn);
        EXPECT_EQ(ReadWholeFile(pgn), contents) << name;
        std::filesystem::remove(pgn);
    }
    const std::string pgn = dir.Write("games.pgn", contents);
    dir.Write("games.TRE", "tree");
    dir.Write("games.TRX", "tree");
    MakeFastFile(pgn);
    EXPECT_FALSE(std::filesystem::exists(dir.File("games.TRE")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("games.TRX")));
}

// --- merge files and progress ---

TEST(FastFileWriterTest, MergeFilesConcatenateRecordsWithOneEndWord) {
    TempDir dir;
    FastFileJob job;
    job.pgnPath = dir.Write("sample.pgn", ReadWholeFile(TestDataPath("fastfile/sample.pgn")));
    job.offsets = IndexOf(job.pgnPath);
    job.mode = MergeFileMode::kAppendMergeFile;
    job.mergePath = dir.File("tree.trm");
    const FastFileStatus missing = WriteFastFile(job, {}).status;
    EXPECT_EQ(FastFileStatusMessage(missing), "Error opening merge file.");
    job.mode = MergeFileMode::kNewMergeFile;
    EXPECT_EQ(WriteFastFile(job, {}).status, FastFileStatus::kMergeComplete);
    EXPECT_FALSE(std::filesystem::exists(dir.File("sample.TRH")));
    const std::string once = ReadWholeFile(job.mergePath);
    EXPECT_EQ(once, ReadWholeFile(TestDataPath("fastfile/sample.TRF")));
    job.mode = MergeFileMode::kAppendMergeFile;
    std::vector<int> seen;
    FastFileHooks hooks;
    hooks.progress = [&seen](int current, int total) {
        EXPECT_EQ(total, 4);
        seen.push_back(current);
    };
    hooks.afterGame = [&seen] { seen.push_back(0); };
    EXPECT_EQ(WriteFastFile(job, hooks).status, FastFileStatus::kMergeComplete);
    EXPECT_EQ(ReadWholeFile(job.mergePath), once.substr(0, once.size() - 2) + once);
    // A small file reports every game.
    EXPECT_EQ(seen, (std::vector<int>{1, 0, 2, 0, 3, 0, 4, 0}));
}

}  // namespace
}  // namespace ravelin::search
