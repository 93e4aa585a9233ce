#include "search/fast_file_writer.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "fast_file_test_helpers.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "temp_dir.h"

namespace ravelin::search {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;
using testing_support::IndexOf;
using testing_support::MakeFastFile;
using testing_support::Words;

class FastFileWriterTest : public ::testing::Test {
  protected:
    std::string CopyOf(const std::string& dataFile, const std::string& name) {
        return dir.Write(name, ReadWholeFile(TestDataPath(dataFile)));
    }
    TempDir dir;
};

// --- the stored bytes ---

TEST_F(FastFileWriterTest, SampleFileMatchesTheCheckedInFastFileByteForByte) {
    const std::string pgn = CopyOf("fastfile/sample.pgn", "sample.pgn");
    const FastFileOutcome outcome = MakeFastFile(pgn);
    EXPECT_EQ(outcome.status, FastFileStatus::kComplete);
    EXPECT_EQ(outcome.gamesWritten, 4);
    EXPECT_EQ(ReadWholeFile(dir.File("sample.TRF")), ReadWholeFile(TestDataPath("fastfile/sample.TRF")));
    EXPECT_EQ(ReadWholeFile(dir.File("sample.TRH")), ReadWholeFile(TestDataPath("fastfile/sample.TRH")));
}

TEST_F(FastFileWriterTest, RealFileMatchesTheCheckedInFastFileByteForByte) {
    const std::string pgn = CopyOf("pgn/KASPAROV-DEEP-BLUE-1997.PGN", "match.PGN");
    EXPECT_EQ(MakeFastFile(pgn).status, FastFileStatus::kComplete);
    EXPECT_EQ(ReadWholeFile(dir.File("match.TRF")), ReadWholeFile(TestDataPath("fastfile/kasparov.TRF")));
    EXPECT_EQ(ReadWholeFile(dir.File("match.TRH")), ReadWholeFile(TestDataPath("fastfile/kasparov.TRH")));
}

TEST_F(FastFileWriterTest, EmptyPgnFileGivesCountZeroAndTheEndWord) {
    const std::string pgn = dir.Write("empty.pgn", "");
    EXPECT_EQ(MakeFastFile(pgn).status, FastFileStatus::kComplete);
    EXPECT_EQ(ReadWholeFile(dir.File("empty.TRH")), std::string(4, '\0'));
    EXPECT_EQ(ReadWholeFile(dir.File("empty.TRF")), std::string(2, '\0'));
}

TEST_F(FastFileWriterTest, GameWithoutMovesIsStoredAsQueenPawnAndResult) {
    const std::string pgn = dir.Write("nomoves.pgn", "[Event \"x\"]\n[Result \"0-1\"]\n\n0-1\n");
    MakeFastFile(pgn);
    EXPECT_EQ(ReadWholeFile(dir.File("nomoves.TRF")), Words({kEmptyGameMove, 0x8000, 0x0000}));
}

TEST_F(FastFileWriterTest, NamesReplaceTheLastThreeCharactersWhateverTheyAre) {
    const std::string pgn = dir.Write("games.txt", "[Event \"x\"]\n\n1.e4 *\n");
    MakeFastFile(pgn);
    EXPECT_TRUE(std::filesystem::exists(dir.File("games.TRF")));
    EXPECT_TRUE(std::filesystem::exists(dir.File("games.TRH")));
}

// --- reading the PGN file ---

std::string LongGame(int moves) {
    std::string text = "[Event \"long\"]\n[Result \"*\"]\n\n";
    for (int i = 1; i <= moves; ++i) {
        const bool out = i % 2 == 1;
        text += std::to_string(i) + (out ? ". Nf3 Nf6 " : ". Ng1 Ng8 ");
        if (i % 8 == 0) {
            text += "\n";
        }
    }
    return text + "*\n\n";
}

TEST_F(FastFileWriterTest, GameOverTwoHundredMovesIsCutAndTheNextGameStillFound) {
    const std::string pgn =
        dir.Write("long.pgn", LongGame(230) + "[Event \"next\"]\n[Result \"1-0\"]\n\n1.d4 1-0\n");
    const FastFileOutcome outcome = MakeFastFile(pgn);
    EXPECT_EQ(outcome.status, FastFileStatus::kComplete);
    const std::string trf = ReadWholeFile(dir.File("long.TRF"));
    ASSERT_EQ(trf.size(), (400 + 1 + 2 + 1) * 2u);
    EXPECT_EQ(trf.substr(800), Words({0x8001, 0x1b19, 0x8002, 0x0000}));
    EXPECT_EQ(CheckFastFile(pgn, 2), FastFileCheck::kOk);
}

TEST_F(FastFileWriterTest, FenGamesAreReplayedFromTheStartAndWarned) {
    const std::string pgn = CopyOf("pgn/fenSetup.pgn", "fen.pgn");
    const FastFileOutcome outcome = MakeFastFile(pgn);
    EXPECT_TRUE(outcome.fenSeen);
    EXPECT_EQ(outcome.status, FastFileStatus::kFenWarning);
    EXPECT_EQ(FastFileStatusMessage(outcome.status),
              "Warning: File contained some FEN positions. Fast file may not be correct.");
}

// --- failures leave no fast file that looks current ---

TEST_F(FastFileWriterTest, UncreatableFileReportsCreateErrorAndLeavesNoFastFile) {
    const std::string pgn = CopyOf("fastfile/sample.pgn", "sample.pgn");
    // A directory where the temporary move file would go.
    std::filesystem::create_directory(TemporaryNameFor(dir.File("sample.TRF")));
    const FastFileOutcome outcome = MakeFastFile(pgn);
    EXPECT_EQ(outcome.status, FastFileStatus::kCreateError);
    EXPECT_EQ(FastFileStatusMessage(outcome.status), "Error creating fast file.");
    EXPECT_FALSE(std::filesystem::exists(dir.File("sample.TRF")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("sample.TRH")));
    EXPECT_FALSE(std::filesystem::exists(TemporaryNameFor(dir.File("sample.TRH"))));
}

TEST_F(FastFileWriterTest, FailedWriteReportsCreateErrorNotComplete) {
    if (!std::filesystem::exists("/dev/full")) {
        GTEST_SKIP() << "no /dev/full";
    }
    const std::string pgn = CopyOf("pgn/dortmund.pgn", "full.pgn");
    // The temporary move file is a link to a device that refuses every write.
    std::filesystem::create_symlink("/dev/full", TemporaryNameFor(dir.File("full.TRF")));
    const FastFileOutcome outcome = MakeFastFile(pgn);
    EXPECT_EQ(outcome.status, FastFileStatus::kCreateError);
    EXPECT_FALSE(std::filesystem::exists(dir.File("full.TRF")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("full.TRH")));
}

TEST_F(FastFileWriterTest, PgnFileNamedLikeItsCompanionIsNeverOverwritten) {
    for (const char* name : {"games.TRF", "games.TRH", "games.TRE", "games.TRX"}) {
        const std::string contents = "[Event \"x\"]\n\n1.e4 *\n";
        const std::string pgn = dir.Write(name, contents);
        MakeFastFile(pgn);
        EXPECT_EQ(ReadWholeFile(pgn), contents) << name;
        std::filesystem::remove(pgn);
    }
}

TEST_F(FastFileWriterTest, MakingDeletesTheOpeningTreeFilesOfTheSameName) {
    const std::string pgn = CopyOf("fastfile/sample.pgn", "sample.pgn");
    dir.Write("sample.TRE", "tree");
    dir.Write("sample.TRX", "tree");
    MakeFastFile(pgn);
    EXPECT_FALSE(std::filesystem::exists(dir.File("sample.TRE")));
    EXPECT_FALSE(std::filesystem::exists(dir.File("sample.TRX")));
}

// --- merge files ---

TEST_F(FastFileWriterTest, MergeFilesConcatenateRecordsWithOneEndWord) {
    const std::string pgn = CopyOf("fastfile/sample.pgn", "sample.pgn");
    const std::string merge = dir.File("tree.trm");
    FastFileJob job;
    job.pgnPath = pgn;
    job.offsets = IndexOf(pgn);
    job.mode = MergeFileMode::kNewMergeFile;
    job.mergePath = merge;
    EXPECT_EQ(WriteFastFile(job, {}).status, FastFileStatus::kMergeComplete);
    EXPECT_FALSE(std::filesystem::exists(dir.File("sample.TRH")));
    const std::string once = ReadWholeFile(merge);
    EXPECT_EQ(once, ReadWholeFile(TestDataPath("fastfile/sample.TRF")));
    job.mode = MergeFileMode::kAppendMergeFile;
    EXPECT_EQ(WriteFastFile(job, {}).status, FastFileStatus::kMergeComplete);
    EXPECT_EQ(ReadWholeFile(merge), once.substr(0, once.size() - 2) + once);
}

TEST_F(FastFileWriterTest, AppendingToAMissingMergeFileIsAnOpenError) {
    FastFileJob job;
    job.pgnPath = CopyOf("fastfile/sample.pgn", "sample.pgn");
    job.offsets = IndexOf(job.pgnPath);
    job.mode = MergeFileMode::kAppendMergeFile;
    job.mergePath = dir.File("missing.trm");
    EXPECT_EQ(WriteFastFile(job, {}).status, FastFileStatus::kMergeOpenError);
    EXPECT_EQ(FastFileStatusMessage(FastFileStatus::kMergeOpenError), "Error opening merge file.");
}

// --- progress ---

TEST(FastFileProgress, RateFollowsTheGameCount) {
    EXPECT_EQ(FastFileProgressInterval(99), 1);
    EXPECT_EQ(FastFileProgressInterval(100), 10);
    EXPECT_EQ(FastFileProgressInterval(999), 10);
    EXPECT_EQ(FastFileProgressInterval(1000), 100);
}

TEST_F(FastFileWriterTest, ProgressIsReportedForEveryGameOfASmallFile) {
    FastFileJob job;
    job.pgnPath = CopyOf("fastfile/sample.pgn", "sample.pgn");
    job.offsets = IndexOf(job.pgnPath);
    std::vector<int> seen;
    int afterGames = 0;
    FastFileHooks hooks;
    hooks.progress = [&seen](int current, int total) {
        EXPECT_EQ(total, 4);
        seen.push_back(current);
    };
    hooks.afterGame = [&afterGames] { ++afterGames; };
    WriteFastFile(job, hooks);
    EXPECT_EQ(seen, (std::vector<int>{1, 2, 3, 4}));
    EXPECT_EQ(afterGames, 4);
}

}  // namespace
}  // namespace ravelin::search
