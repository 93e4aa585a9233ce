#include "display/figurines.h"

#include <gtest/gtest.h>

#include <tuple>

#include "display/bmp_writer.h"
#include "display/figurine_text.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

TEST(FigurineMoves, PieceLetterGivesItsKindPawnsAndCastlingNone) {
    // The user's own letters too (German: König, Dame, Turm, Läufer, Springer).
    const std::tuple<const char*, const char*, chess::PieceCode> cases[] = {
        {"Nf3", "KQRBN", chess::kKnight}, {"Qxd8+", "KQRBN", chess::kQueen}, {"O-O", "KQRBN", chess::kEmpty},
        {"e4", "KQRBN", chess::kEmpty},   {"", "KQRBN", chess::kEmpty},      {"Sf3", "KDTLS", chess::kKnight},
        {"Lb5", "KDTLS", chess::kBishop}, {"Nf3", "KDTLS", chess::kEmpty}};
    for (auto [move, letters, kind] : cases) {
        EXPECT_EQ(FigurineKindOfMove(move, letters), kind) << move << " " << letters;
    }
}

TEST(FigurineDrawing, AndKeepsTheBackgroundUnderWhiteAndDarkensUnderInk) {
    ravelin::testing::TempDir dir;
    for (bool large : {false, true}) {
        int size = large ? kFigurineSizeLarge : kFigurineSizeNormal;
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
    // Drawing at the image's edge is clipped.
    EXPECT_EQ(set->Draw(line, chess::kKing, 98, -5, 20), 3);

    ravelin::testing::TempDir empty;
    EXPECT_FALSE(FigurineSet::Load(empty.Path().string(), true)) << "a missing figurine fails the load";
}

TEST(FigurineText, TheFigurineTakesTheLettersPlaceAndItsWidthFromTheRoom) {
    ravelin::testing::TempDir dir;
    for (chess::PieceCode kind = chess::kKnight; kind <= chess::kKing; ++kind) {
        ASSERT_TRUE(WriteBmpFile(dir.File(FigurineFileName(kind, false)),
                                 RgbImage(kFigurineSizeNormal, kFigurineSizeNormal - 4, {0, 0, 0})));
    }
    std::optional<FigurineSet> set = FigurineSet::Load(dir.Path().string(), false);
    ASSERT_TRUE(set);
    // Ten pixels a character.
    TextMeasure measure = [](std::string_view text, int, TextFont) {
        return static_cast<int>(text.size()) * 10;
    };
    TextItem base;
    base.x = 100;
    base.y = 40;
    base.lineHeight = 20;
    std::vector<TextItem> items;
    AppendMoveText(items, base, " 12. ", "Qxd8+", 200, &*set, "KQRBN", measure);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[0].text, " 12. ");
    EXPECT_EQ(items[0].figurine, nullptr);
    EXPECT_EQ(items[1].x, 150);
    EXPECT_EQ(items[1].figurineKind, chess::kQueen);
    EXPECT_EQ(items[1].figurine, set->Bitmap(chess::kQueen));
    EXPECT_EQ(items[1].text, "xd8+");
    EXPECT_EQ(items[1].textOffset, kFigurineSizeNormal + kFigurineTextGap);
    EXPECT_EQ(FigurineTop(items[1]), 40 + 4);
    // 50 for the number and 17 for the figurine leave 33: three characters.
    items.clear();
    AppendMoveText(items, base, " 12. ", "Qxd8+", 100, &*set, "KQRBN", measure);
    ASSERT_EQ(items.size(), 2u);
    EXPECT_EQ(items[1].text, "xd8");
    // Pawn moves, castling and moves without figurines are one item of letters.
    for (std::string_view move : {"exd5", "O-O-O"}) {
        items.clear();
        AppendMoveText(items, base, "", move, 200, &*set, "KQRBN", measure);
        ASSERT_EQ(items.size(), 1u);
        EXPECT_EQ(items[0].text, move);
        EXPECT_EQ(items[0].figurine, nullptr);
    }
    items.clear();
    AppendMoveText(items, base, "  1. ", "Nf3", 200, nullptr, "KQRBN", measure);
    ASSERT_EQ(items.size(), 1u);
    EXPECT_EQ(items[0].text, "  1. Nf3");
}

}  // namespace
}  // namespace ravelin::display
