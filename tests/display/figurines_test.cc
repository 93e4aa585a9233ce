#include "display/figurines.h"

#include <gtest/gtest.h>

#include "display/bmp_writer.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

TEST(FigurineNames, ResourceNamesPerSize) {
    EXPECT_EQ(FigurineName(chess::kKnight, false), "Snbitmap");
    EXPECT_EQ(FigurineName(chess::kKing, true), "Skxbitmap");
    EXPECT_EQ(FigurineName(chess::kPawn, false), "");
    EXPECT_EQ(FigurineFileName(chess::kQueen, true), "sqxbitmap.bmp");
    EXPECT_TRUE(UsesLargeFigurines(shell::BoardSizeOption::kLarge));
    EXPECT_FALSE(UsesLargeFigurines(shell::BoardSizeOption::kMedium));
}

TEST(FigurineMoves, PieceLetterGivesItsKindPawnsAndCastlingNone) {
    EXPECT_EQ(FigurineKindOfMove("Nf3", "KQRBN"), chess::kKnight);
    EXPECT_EQ(FigurineKindOfMove("Qxd8+", "KQRBN"), chess::kQueen);
    EXPECT_EQ(FigurineKindOfMove("O-O", "KQRBN"), chess::kEmpty);
    EXPECT_EQ(FigurineKindOfMove("e4", "KQRBN"), chess::kEmpty);
    EXPECT_EQ(FigurineKindOfMove("", "KQRBN"), chess::kEmpty);
    // The user's own letters (German: König, Dame, Turm, Läufer, Springer).
    EXPECT_EQ(FigurineKindOfMove("Sf3", "KDTLS"), chess::kKnight);
    EXPECT_EQ(FigurineKindOfMove("Lb5", "KDTLS"), chess::kBishop);
}

TEST(FigurineDrawing, AndKeepsTheBackgroundUnderWhiteAndDarkensUnderInk) {
    ravelin::testing::TempDir dir;
    for (bool large : {false, true}) {
        int size = large ? kFigurineSizeLarge : kFigurineSizeNormal;
        for (chess::PieceCode kind = chess::kKnight; kind <= chess::kKing; ++kind) {
            RgbImage figurine(size, size, {255, 255, 255});
            figurine.SetPixel(3, 4, {0, 0, 0});
            ASSERT_TRUE(WriteBmpFile(dir.File(FigurineFileName(kind, large)), figurine));
        }
    }
    std::optional<FigurineSet> set = FigurineSet::Load(dir.Path().string(), false);
    ASSERT_TRUE(set);
    RgbImage line(100, 20, {200, 150, 100});
    EXPECT_EQ(set->Draw(line, chess::kRook, 10, 0, 20), kFigurineSizeNormal);
    EXPECT_EQ(line.Pixel(13, 2 + 4), (RgbColour{0, 0, 0}));
    EXPECT_EQ(line.Pixel(14, 6), (RgbColour{200, 150, 100}));
    EXPECT_EQ(set->Draw(line, chess::kPawn, 10, 0, 20), 0);
    // Drawing at the image's edge is clipped.
    EXPECT_EQ(set->Draw(line, chess::kKing, 95, -5, 20), kFigurineSizeNormal);
}

TEST(FigurineDrawing, MissingFigurineFileFailsTheLoad) {
    ravelin::testing::TempDir dir;
    EXPECT_FALSE(FigurineSet::Load(dir.Path().string(), true));
}

}  // namespace
}  // namespace ravelin::display
