#include "search/fast_file_reader.h"

#include <gtest/gtest.h>

#include <fcntl.h>
#include <unistd.h>

#include <filesystem>
#include <fstream>

#include "fast_file_test_helpers.h"
#include "search/fast_header.h"
#include "temp_dir.h"

namespace ravelin::search {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;
using testing_support::MakeFastFile;
using testing_support::Words;

constexpr int kSampleGames = 4;

class FastFileReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pgn = dir.Write("sample.pgn", ReadWholeFile(TestDataPath("fastfile/sample.pgn")));
        MakeFastFile(pgn);
    }
    int HeaderCheck(int games) {
        return FastHeaderIsCurrent(::open(dir.File("sample.TRH").c_str(), O_RDONLY), games);
    }
    void WriteTrf(const std::string& bytes) { dir.Write("sample.TRF", bytes); }
    void WriteTrh(const std::string& bytes) { dir.Write("sample.TRH", bytes); }

    TempDir dir;
    std::string pgn;
};

// --- the header file ---

TEST_F(FastFileReaderTest, FreshHeaderFileIsCurrent) {
    EXPECT_EQ(HeaderCheck(kSampleGames), 0);
}

TEST_F(FastFileReaderTest, HeaderOfAnotherGameCountIsStale) {
    EXPECT_EQ(HeaderCheck(kSampleGames + 1), 1);
}

TEST_F(FastFileReaderTest, HeaderWithAByteTooManyOrTooFewIsStale) {
    const std::string trh = ReadWholeFile(dir.File("sample.TRH"));
    WriteTrh(trh + "x");
    EXPECT_EQ(HeaderCheck(kSampleGames), 1);
    WriteTrh(trh.substr(0, trh.size() - 1));
    EXPECT_EQ(HeaderCheck(kSampleGames), 1);
    WriteTrh(trh.substr(0, 2));
    EXPECT_EQ(HeaderCheck(kSampleGames), 1);
}

TEST_F(FastFileReaderTest, HeaderWhoseLengthBytePointsPastTheEndIsStale) {
    std::string trh;
    AppendFastHeaderCount(1, trh);
    trh += std::string(9, '\0') + "\xff";
    WriteTrh(trh);
    EXPECT_EQ(HeaderCheck(1), 1);
}

// --- the move file ---

TEST_F(FastFileReaderTest, FreshFastFileChecksOk) {
    EXPECT_EQ(CheckFastFile(pgn, kSampleGames), FastFileCheck::kOk);
    EXPECT_TRUE(FastFileIsCurrent(pgn, kSampleGames));
}

TEST_F(FastFileReaderTest, AddedGameMakesTheFastFileStale) {
    EXPECT_EQ(CheckFastFile(pgn, kSampleGames + 1), FastFileCheck::kStale);
}

TEST_F(FastFileReaderTest, ReadersWarnAboutAStaleFastFileOnly) {
    std::vector<std::string> warnings;
    const auto collect = [&warnings](std::string_view text) { warnings.emplace_back(text); };
    EXPECT_TRUE(UseFastFileOrWarn(pgn, kSampleGames, collect));
    EXPECT_TRUE(warnings.empty());
    EXPECT_FALSE(UseFastFileOrWarn(pgn, kSampleGames + 1, collect));
    EXPECT_EQ(warnings, std::vector<std::string>{"Warning: You need to run 'Make Fast File' again."});
    std::filesystem::remove(dir.File("sample.TRF"));
    std::filesystem::remove(dir.File("sample.TRH"));
    EXPECT_FALSE(UseFastFileOrWarn(pgn, kSampleGames, collect));
    EXPECT_EQ(warnings.size(), 1u);
}

TEST_F(FastFileReaderTest, MissingMoveFileIsReportedMissing) {
    std::filesystem::remove(dir.File("sample.TRF"));
    EXPECT_EQ(CheckFastFile(pgn, kSampleGames), FastFileCheck::kMissing);
}

TEST_F(FastFileReaderTest, MissingHeaderFileAloneIsNoErrorForTheCheck) {
    std::filesystem::remove(dir.File("sample.TRH"));
    EXPECT_EQ(CheckFastFile(pgn, kSampleGames), FastFileCheck::kOk);
    EXPECT_FALSE(FastFileIsCurrent(pgn, kSampleGames));
}

TEST_F(FastFileReaderTest, MoveFileWithoutItsEndWordIsStale) {
    const std::string trf = ReadWholeFile(dir.File("sample.TRF"));
    WriteTrf(trf.substr(0, trf.size() - 2));
    EXPECT_EQ(CheckFastFile(pgn, kSampleGames), FastFileCheck::kStale);
}

TEST_F(FastFileReaderTest, MoveFileOfOddSizeIsStale) {
    WriteTrf(ReadWholeFile(dir.File("sample.TRF")) + "x");
    EXPECT_EQ(CheckFastFile(pgn, kSampleGames), FastFileCheck::kStale);
}

TEST_F(FastFileReaderTest, RecordLongerThanFourHundredMovesIsStale) {
    std::string trf;
    for (int i = 0; i < kMaxFastRecordMoves + 1; ++i) {
        trf += Words({0x1b19});
    }
    trf += Words({0x8001, 0x0000});
    WriteTrf(trf);
    EXPECT_EQ(CheckFastFile(pgn, 1), FastFileCheck::kStale);
}

TEST_F(FastFileReaderTest, MoreRecordsThanGamesAreNeverCountedAsCurrent) {
    WriteTrf(Words({0x1b19, 0x8001, 0x1b19, 0x8001, 0x1b19, 0x8001, 0x0000}));
    EXPECT_EQ(CheckFastFile(pgn, 2), FastFileCheck::kStale);
}

TEST_F(FastFileReaderTest, WalkNeverHandsOutARecordBeyondTheGameCount) {
    FastMoveReader reader;
    reader.gameLimit = 2;
    ASSERT_TRUE(reader.Open(dir.File("sample.TRF")));
    std::vector<FastMove> moves;
    FastMove result = 0;
    EXPECT_EQ(reader.Next(moves, result), FastMoveReader::Step::kRecord);
    EXPECT_EQ(reader.Next(moves, result), FastMoveReader::Step::kRecord);
    EXPECT_EQ(reader.Next(moves, result), FastMoveReader::Step::kStale);
    EXPECT_EQ(reader.RecordsRead(), 2);
}

TEST_F(FastFileReaderTest, RecordWalkGivesMovesAndResultWords) {
    FastMoveReader reader;
    ASSERT_TRUE(reader.Open(dir.File("sample.TRF")));
    std::vector<FastMove> moves;
    FastMove result = 0;
    ASSERT_EQ(reader.Next(moves, result), FastMoveReader::Step::kRecord);
    EXPECT_EQ(result, 0x8002);
    EXPECT_EQ(moves.front(), 0x2321);  // e2-e4
    ASSERT_EQ(reader.Next(moves, result), FastMoveReader::Step::kRecord);
    EXPECT_EQ(moves, (std::vector<FastMove>{kEmptyGameMove}));
    EXPECT_EQ(result, 0x8001);
    ASSERT_EQ(reader.Next(moves, result), FastMoveReader::Step::kRecord);
    EXPECT_EQ(result, 0x8000);
    ASSERT_EQ(reader.Next(moves, result), FastMoveReader::Step::kRecord);
    EXPECT_EQ(result, 0x8001);
    EXPECT_EQ(reader.Next(moves, result), FastMoveReader::Step::kEnd);
}

TEST_F(FastFileReaderTest, SmallWindowReadsTheSameRecords) {
    FastMoveReader whole;
    FastMoveReader window;
    ASSERT_TRUE(whole.Open(dir.File("sample.TRF")));
    ASSERT_TRUE(window.OpenWithWindow(dir.File("sample.TRF"), 6));
    std::vector<FastMove> a;
    std::vector<FastMove> b;
    FastMove ra = 0;
    FastMove rb = 0;
    for (;;) {
        const auto stepA = whole.Next(a, ra);
        const auto stepB = window.Next(b, rb);
        ASSERT_EQ(stepA, stepB);
        if (stepA != FastMoveReader::Step::kRecord) {
            break;
        }
        EXPECT_EQ(a, b);
        EXPECT_EQ(ra, rb);
    }
    EXPECT_EQ(window.RecordsRead(), kSampleGames);
}

}  // namespace
}  // namespace ravelin::search
