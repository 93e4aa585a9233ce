#include "search/header_move_counts.h"

#include <gtest/gtest.h>

#include <vector>

#include "fast_file_test_helpers.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "temp_dir.h"

namespace ravelin::search {
namespace {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;
using testing_support::Words;
using Step = FastRecordLengths::Step;

struct Walk {
    std::vector<int> plies;
    Step last = Step::kStale;
};

Walk WalkFile(const std::string& path, std::size_t window) {
    Walk walk;
    FastRecordLengths records;
    EXPECT_TRUE(records.Open(path, window));
    int plies = 0;
    while ((walk.last = records.Next(plies)) == Step::kRecord) {
        walk.plies.push_back(plies);
    }
    return walk;
}

TEST(FastRecordLengthsTest, RecordsUpToTheEndWordWithAnyWindow) {
    TempDir dir;
    const std::string path = dir.Write(
        "x.TRF", Words({0x1c0c, 0x2434, 0x8002, 0x1b19, 0x8001, 0x1c0c, 0x2434, 0x1a0a, 0x8000, 0x0000}));
    for (const std::size_t window : {2, 4, 6, 7, 300000}) {
        const Walk walk = WalkFile(path, window);
        EXPECT_EQ(walk.plies, (std::vector<int>{2, 1, 3})) << window;
        EXPECT_EQ(walk.last, Step::kEnd) << window;
    }
}

TEST(FastRecordLengthsTest, MalformedFilesAreStale) {
    TempDir dir;
    // No end word; an end word inside a record; an odd last byte instead of the end word.
    EXPECT_EQ(WalkFile(dir.Write("a.TRF", Words({0x1c0c, 0x8002})), 4).last, Step::kStale);
    EXPECT_EQ(WalkFile(dir.Write("b.TRF", Words({0x1c0c, 0x0000})), 4).last, Step::kStale);
    EXPECT_EQ(WalkFile(dir.Write("c.TRF", Words({0x1c0c, 0x8002}) + "x"), 4).last, Step::kStale);
    std::string tooLong;
    for (int i = 0; i < kMaxFastRecordMoves + 1; ++i) {
        tooLong += Words({0x1c0c});
    }
    const Walk walk = WalkFile(dir.Write("d.TRF", tooLong + Words({0x8002, 0x0000})), 300000);
    EXPECT_TRUE(walk.plies.empty());
    EXPECT_EQ(walk.last, Step::kStale);
}

TEST(FastRecordLengthsTest, AgreesWithTheMoveReaderOnARealFile) {
    TempDir dir;
    const std::string pgn = dir.Write("dortmund.pgn", ReadWholeFile(TestDataPath("pgn/dortmund.pgn")));
    testing_support::MakeFastFile(pgn);
    std::vector<int> expected;
    FastMoveReader reader;
    ASSERT_TRUE(reader.Open(FastMoveFilePath(pgn)));
    std::vector<FastMove> moves;
    FastMove result = 0;
    while (reader.Next(moves, result) == FastMoveReader::Step::kRecord) {
        expected.push_back(static_cast<int>(moves.size()));
    }
    ASSERT_FALSE(expected.empty());
    const Walk walk = WalkFile(FastMoveFilePath(pgn), 1000);
    EXPECT_EQ(walk.plies, expected);
    EXPECT_EQ(walk.last, Step::kEnd);
}

TEST(FastRecordLengthsTest, MissingFileDoesNotOpen) {
    FastRecordLengths records;
    EXPECT_FALSE(records.Open("/nonexistent/x.TRF", 300000));
}

}  // namespace
}  // namespace ravelin::search
