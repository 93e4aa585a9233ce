#include "search/fast_file_reader.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <functional>

#include "search/fast_file_output.h"
#include "search/fast_header.h"
#include "search/header_move_counts.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using namespace testing_support;

constexpr int kSampleGames = 4;

class FastFileReaderTest : public ::testing::Test {
  protected:
    void SetUp() override {
        pgn = dir.Write("sample.pgn", ReadWholeFile(TestDataPath("fastfile/sample.pgn")));
        MakeFastFile(pgn);
        trf = ReadWholeFile(dir.File("sample.TRF"));
        trh = ReadWholeFile(dir.File("sample.TRH"));
    }
    TempDir dir;
    std::string pgn, trf, trh;
};

TEST_F(FastFileReaderTest, HeaderFileIsCurrentOnlyForItsGameCountAndExactLength) {
    std::string pointsPast;
    AppendFastHeaderCount(1, pointsPast);
    pointsPast += std::string(9, '\0') + "\xff";  // a length byte beyond the end
    // The descriptor is closed by the check.
    const auto current = [this](const std::string& bytes, int games) {
        return FastHeaderIsCurrent(::open(dir.Write("sample.TRH", bytes).c_str(), O_RDONLY), games);
    };
    EXPECT_EQ(current(trh, kSampleGames), 0);
    EXPECT_EQ(current(trh + "x", kSampleGames), 1);
    EXPECT_EQ(current(trh.substr(0, 2), kSampleGames), 1);
    EXPECT_EQ(current(pointsPast, 1), 1);
}

TEST_F(FastFileReaderTest, CheckOfTheMoveFile) {
    struct Case {
        const char* what;
        std::function<void()> change;
        int games;
        FastFileCheck expected;
        bool current;
    };
    const auto writeTrf = [this](const std::string& bytes) {
        return [this, bytes] { dir.Write("sample.TRF", bytes); };
    };
    const auto remove = [this](const char* name) {
        return [this, name] { std::filesystem::remove(dir.File(name)); };
    };
    const Case cases[] = {
        {"fresh", [] {}, kSampleGames, FastFileCheck::kOk, true},
        {"no move file", remove("sample.TRF"), kSampleGames, FastFileCheck::kMissing, false},
        // The check passes on the moves alone, but no reader uses a fast file without its header.
        {"no header file", remove("sample.TRH"), kSampleGames, FastFileCheck::kOk, false},
        {"odd size", writeTrf(trf + "x"), kSampleGames, FastFileCheck::kStale, false},
        {"records beyond the games", writeTrf(Words({0x1b19, 0x8001, 0x1b19, 0x8001, 0x1b19, 0x8001, 0})), 2,
         FastFileCheck::kStale, false},
    };
    for (const Case& c : cases) {
        SetUp();
        c.change();
        EXPECT_EQ(CheckFastFile(pgn, c.games), c.expected) << c.what;
        EXPECT_EQ(FastFileIsCurrent(pgn, c.games), c.current) << c.what;
    }
}

// The three walks over X.TRF: copying records, pointing into the buffer, and counting plies. Any
// window must read the records the whole-file buffer reads.
TEST(FastRecordWalksTest, EveryWindowReadsTheRecordsOfARealFile) {
    TempDir dir;
    const std::string pgn = CopyPgn(dir, "dortmund.pgn");
    MakeFastFile(pgn);
    const std::string path = FastMoveFilePath(pgn);
    for (const std::size_t window : {std::size_t{2}, std::size_t{6}, std::size_t{7}, std::size_t{1000}}) {
        SCOPED_TRACE(window);
        FastMoveReader whole, windowed, inPlace;
        FastRecordLengths lengths;
        ASSERT_TRUE(whole.Open(path));
        ASSERT_TRUE(windowed.OpenWithWindow(path, std::max<std::size_t>(window, 6)));
        ASSERT_TRUE(inPlace.OpenWithWindow(path, std::max<std::size_t>(window, 6)));
        ASSERT_TRUE(lengths.Open(path, window));
        std::vector<FastMove> moves, windowMoves;
        FastMove result = 0, windowResult = 0, inPlaceResult = 0;
        const std::uint8_t* words = nullptr;
        int count = 0;
        int plies = 0;
        for (;;) {
            const FastMoveReader::Step step = whole.Next(moves, result);
            ASSERT_EQ(windowed.Next(windowMoves, windowResult), step);
            ASSERT_EQ(inPlace.NextInPlace(words, count, inPlaceResult), step);
            ASSERT_EQ(static_cast<int>(lengths.Next(plies)), static_cast<int>(step));
            if (step != FastMoveReader::Step::kRecord) {
                EXPECT_EQ(step, FastMoveReader::Step::kEnd);
                break;
            }
            EXPECT_EQ(windowMoves, moves);
            EXPECT_EQ(windowResult, result);
            EXPECT_EQ(inPlaceResult, result);
            ASSERT_EQ(count, static_cast<int>(moves.size()));
            ASSERT_EQ(plies, count);
            for (int i = 0; i < count; ++i) {
                ASSERT_EQ(words[2 * i] | words[2 * i + 1] << 8, moves[static_cast<std::size_t>(i)]);
            }
        }
        EXPECT_EQ(inPlace.RecordsRead(), whole.RecordsRead());
        EXPECT_GT(whole.RecordsRead(), 300);
    }
}

TEST(FastRecordWalksTest, MalformedFilesAreStaleForEveryWalk) {
    TempDir dir;
    std::string tooLong;
    for (int i = 0; i <= kMaxFastRecordMoves; ++i) {
        tooLong += Words({0x1c0c});
    }
    // No end word, an end word inside a record, an odd last byte instead of the end word, and more
    // moves than a record holds.
    for (const std::string& bytes : {Words({0x1c0c, 0x8002}), Words({0x1c0c, 0x0000}),
                                     Words({0x1c0c, 0x8002}) + "x", tooLong + Words({0x8002, 0x0000})}) {
        const std::string path = dir.Write("x.TRF", bytes);
        SCOPED_TRACE(bytes.size());
        FastMoveReader copied, inPlace;
        FastRecordLengths lengths;
        ASSERT_TRUE(copied.Open(path) && inPlace.Open(path) && lengths.Open(path, 300000));
        std::vector<FastMove> moves;
        const std::uint8_t* words = nullptr;
        int count = 0;
        FastMove result = 0;
        auto step = FastMoveReader::Step::kRecord;
        while (step == FastMoveReader::Step::kRecord) {
            step = copied.Next(moves, result);
        }
        EXPECT_EQ(step, FastMoveReader::Step::kStale);
        for (step = FastMoveReader::Step::kRecord; step == FastMoveReader::Step::kRecord;) {
            step = inPlace.NextInPlace(words, count, result);
        }
        EXPECT_EQ(step, FastMoveReader::Step::kStale);
        auto lengthStep = FastRecordLengths::Step::kRecord;
        while (lengthStep == FastRecordLengths::Step::kRecord) {
            lengthStep = lengths.Next(count);
        }
        EXPECT_EQ(lengthStep, FastRecordLengths::Step::kStale);
    }
    FastRecordLengths missing;
    EXPECT_FALSE(missing.Open(dir.File("none.TRF"), 300000));
}

}  // namespace
}  // namespace ravelin::search
