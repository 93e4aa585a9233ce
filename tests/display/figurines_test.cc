#include "display/figurines.h"

#include <gtest/gtest.h>

#include <string>
#include <utility>
#include <vector>

#include "display/bmp_writer.h"
#include "display/figurine_text.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

// Each figurine is cut to its inked columns and drawn by AND over the line's background; in a move it
// takes the place of the piece letter, and the rest of the move gets what room is left.
TEST(FigurineDrawing, CutToItsInkAndDrawnByAndInThePlaceOfTheLetter) {
    ravelin::testing::TempDir dir;
    for (bool large : {false, true}) {
        const int size = large ? kFigurineSizeLarge : kFigurineSizeNormal;
        for (chess::PieceCode kind = chess::kKnight; kind <= chess::kKing; ++kind) {
            RgbImage figurine(size, size, {255, 255, 255});
            figurine.SetPixel(3, 4, {0, 0, 0});
            figurine.SetPixel(5, 9, {128, 128, 128});
            ASSERT_TRUE(WriteBmpFile(dir.File(FigurineFileName(kind, large)), figurine));
        }
    }
    std::optional<FigurineSet> set = FigurineSet::Load(dir.Path().string(), false);
    ASSERT_TRUE(set);
    // The white columns left of x 3 and right of x 5 are cut off; the height stays.
    ASSERT_NE(set->Bitmap(chess::kRook), nullptr);
    EXPECT_EQ(set->Bitmap(chess::kRook)->width, 3);
    EXPECT_EQ(set->Bitmap(chess::kRook)->height, kFigurineSizeNormal);
    RgbImage line(100, 20, {200, 150, 100});
    EXPECT_EQ(set->Draw(line, chess::kRook, 10, 0, 20), 3);
    EXPECT_EQ(line.Pixel(10, 2 + 4), (RgbColour{0, 0, 0}));
    EXPECT_EQ(line.Pixel(11, 6), (RgbColour{200, 150, 100}));
    // AND: 200 & 128 = 128, 150 & 128 = 128, 100 & 128 = 0.
    EXPECT_EQ(line.Pixel(12, 2 + 9), (RgbColour{128, 128, 0}));
    EXPECT_EQ(set->Draw(line, chess::kPawn, 10, 0, 20), 0);
    EXPECT_EQ(set->Draw(line, chess::kKing, 98, -5, 20), 3);  // clipped at the image's edge

    // Ten pixels a character: 50 for the number and 3 for the figurine leave 32 of 85, three characters.
    TextMeasure measure = [](std::string_view text, int, TextFont) {
        return static_cast<int>(text.size()) * 10;
    };
    TextItem base;
    base.x = 100;
    for (const auto& [room, rest] : {std::pair{200, "xd8+"}, {85, "xd8"}}) {
        std::vector<TextItem> items;
        AppendMoveText(items, base, " 12. ", "Qxd8+", room, &*set, "KQRBN", measure);
        ASSERT_EQ(items.size(), 2u);
        EXPECT_EQ(items[1].x, 150);
        EXPECT_EQ(items[1].figurine, set->Bitmap(chess::kQueen));
        EXPECT_EQ(items[1].text, rest);
    }
    // A queen wider than its size would spill over the next moves: the normal set fails to load, the
    // large one still loads; a set with a figurine missing fails.
    ASSERT_TRUE(WriteBmpFile(dir.File(FigurineFileName(chess::kQueen, false)),
                             RgbImage(kFigurineSizeNormal * 4, kFigurineSizeNormal)));
    EXPECT_FALSE(FigurineSet::Load(dir.Path().string(), false));
    EXPECT_TRUE(FigurineSet::Load(dir.Path().string(), true));
    ravelin::testing::TempDir empty;
    EXPECT_FALSE(FigurineSet::Load(empty.Path().string(), true)) << "a missing figurine fails the load";
}

}  // namespace
}  // namespace ravelin::display
