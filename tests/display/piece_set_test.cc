#include "display/piece_set.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "display/bmp_reader.h"
#include "display/bmp_writer.h"
#include "display/piece_set_install.h"
#include "display_test_helpers.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

using settings::BoardSizeOption;

// The cells of a set bitmap: the six white pieces from the pawn on, each followed by its black one,
// in two rows of six.
TEST(PieceSetCells, BlackPiecesSitRightOfWhiteAndRookStartsSecondRow) {
    EXPECT_EQ(PieceCellOrigin(chess::kPawn, 40), (CellOrigin{0, 0}));
    EXPECT_EQ(PieceCellOrigin(chess::kPawn + chess::kBlackOffset, 40), (CellOrigin{40, 0}));
    EXPECT_EQ(PieceCellOrigin(chess::kBishop + chess::kBlackOffset, 40), (CellOrigin{200, 0}));
    EXPECT_EQ(PieceCellOrigin(chess::kRook, 80), (CellOrigin{0, 80}));
    EXPECT_EQ(PieceCellOrigin(chess::kKing + chess::kBlackOffset, 60), (CellOrigin{300, 60}));

    PieceSet set(testing::SyntheticSheet(40), 40);
    EXPECT_TRUE(set.Opaque(chess::kKing, 20, 20));
    for (auto [code, x] :
         {std::pair{chess::kKing, 0}, {chess::kEmpty, 20}, {7, 20}, {chess::kKing, 40}, {chess::kKing, -1}}) {
        EXPECT_FALSE(set.Opaque(code, x, 20)) << code << " at " << x;
    }
}

TEST(PieceSetLoading, LoadsTheFileOfStyleAndSize) {
    ravelin::testing::TempDir dir;
    ASSERT_TRUE(WriteBmpFile(dir.File("stbig2.bmp"), testing::SyntheticSheet(60)));
    PieceSetLoad load = LoadPieceSet(dir.Path().string(), 3, BoardSizeOption::kMedium);
    ASSERT_TRUE(load.set);
    EXPECT_EQ(load.set->SquareSize(), 60);
    EXPECT_EQ(LoadPieceSet(dir.Path().string(), 3, BoardSizeOption::kSmall).error, kBmpOpenError);
    // A style out of range falls back to the default "Classic".
    ASSERT_TRUE(
        WriteBmpFile(dir.File(PieceSetFileName(4, BoardSizeOption::kSmall)), testing::SyntheticSheet(40)));
    EXPECT_TRUE(LoadPieceSet(dir.Path().string(), 99, BoardSizeOption::kSmall).set);
}

TEST(PieceSetCache, FailedLoadIsReportedOnceAndNotRetriedEachPaint) {
    ravelin::testing::TempDir dir;
    PieceSetCache cache;
    std::string folder = dir.Path().string();
    EXPECT_EQ(cache.Get(folder, 0, BoardSizeOption::kSmall), nullptr);
    // The file appears, but the same settings are not loaded again until something changes.
    ASSERT_TRUE(WriteBmpFile(dir.File("modern1.bmp"), testing::SyntheticSheet(40)));
    EXPECT_EQ(cache.Get(folder, 0, BoardSizeOption::kSmall), nullptr);
    EXPECT_EQ(cache.TakeFailureMessage(), kBmpOpenError);
    EXPECT_EQ(cache.TakeFailureMessage(), "");
    EXPECT_EQ(cache.Get(folder, 0, BoardSizeOption::kSmall), nullptr);
    EXPECT_EQ(cache.TakeFailureMessage(), "");
    cache.Release();
    EXPECT_NE(cache.Get(folder, 0, BoardSizeOption::kSmall), nullptr);
}

TEST(PieceSetCache, ChangingSizeLoadsTheOtherFile) {
    ravelin::testing::TempDir dir;
    ASSERT_TRUE(WriteBmpFile(dir.File("sharp.bmp"), testing::SyntheticSheet(40)));
    ASSERT_TRUE(WriteBmpFile(dir.File("sharphuge.bmp"), testing::SyntheticSheet(80)));
    PieceSetCache cache;
    const PieceSet* small = cache.Get(dir.Path().string(), 1, BoardSizeOption::kSmall);
    ASSERT_NE(small, nullptr);
    EXPECT_EQ(small->SquareSize(), 40);
    const PieceSet* large = cache.Get(dir.Path().string(), 1, BoardSizeOption::kLarge);
    ASSERT_NE(large, nullptr);
    EXPECT_EQ(large->SquareSize(), 80);
}

TEST(PieceSetInstall, CopiesMissingSetsAndKeepsTheUsersOwn) {
    ravelin::testing::TempDir shipped;
    ravelin::testing::TempDir work;
    for (std::string_view name : AllPieceSetFileNames()) {
        ASSERT_TRUE(WriteBmpFile(shipped.File(name), testing::SyntheticSheet(40)));
    }
    RgbImage users(240, 80, {1, 2, 3});
    ASSERT_TRUE(WriteBmpFile(work.File("classic.bmp"), users));
    PieceSetInstallResult result = InstallPieceSets(shipped.Path().string(), work.Path().string());
    EXPECT_EQ(result.installed.size(), 23u);
    EXPECT_TRUE(result.failed.empty());
    EXPECT_EQ(*ReadBmpFile(work.File("classic.bmp")).image, users);
    EXPECT_TRUE(std::filesystem::exists(work.File("hugeblue.bmp")));
    // A second run has nothing to do.
    EXPECT_TRUE(InstallPieceSets(shipped.Path().string(), work.Path().string()).installed.empty());

    // Missing shipped files are listed, not fatal.
    ravelin::testing::TempDir none;
    ravelin::testing::TempDir other;
    result = InstallPieceSets(none.Path().string(), other.Path().string());
    EXPECT_TRUE(result.installed.empty());
    EXPECT_EQ(result.failed.size(), 24u);
}

}  // namespace
}  // namespace ravelin::display
