// The piece sets (their cells, loading, caching and install) and the board drawn with them.

#include "display/board_painter.h"

#include <gtest/gtest.h>

#include "display/bmp_reader.h"
#include "display/bmp_writer.h"
#include "display/slide_animation.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

using settings::BoardSizeOption;

// A synthetic piece set: each piece a solid block of its own colour on the key colour.
constexpr RgbColour kTestKey{0, 255, 0};

// The colour the synthetic set paints a piece in: unique per piece code.
RgbColour PieceColour(chess::PieceCode code) {
    return {static_cast<std::uint8_t>(10 * code), static_cast<std::uint8_t>(200 - 5 * code),
            static_cast<std::uint8_t>(3 * code)};
}

// A set bitmap whose cells hold a solid block of the piece's colour inside a key-coloured rim of
// rim pixels.
RgbImage SyntheticSheet(int squareSize, int rim = 2) {
    RgbImage sheet(kPieceSetColumns * squareSize, kPieceSetRows * squareSize, kTestKey);
    for (int colour = 0; colour < 2; ++colour) {
        for (chess::PieceCode kind = chess::kPawn; kind <= chess::kKing; ++kind) {
            chess::PieceCode code = kind + colour * chess::kBlackOffset;
            CellOrigin origin = PieceCellOrigin(code, squareSize);
            sheet.FillRect({origin.x + rim, origin.y + rim, squareSize - 2 * rim, squareSize - 2 * rim},
                           PieceColour(code));
        }
    }
    return sheet;
}

constexpr BoardColours kColours{
    {240, 240, 200}, {100, 140, 90}, {192, 192, 192}, {255, 255, 221}, {255, 0, 0}};

RgbColour Centre(const RgbImage& image, const BoardView& view, int file, int rank) {
    PixelRect r = SquareRect(view, file, rank);
    return image.Pixel(r.x + r.width / 2, r.y + r.height / 2);
}

// The cells of a set bitmap: the six white pieces from the pawn on, each followed by its black one,
// in two rows of six.
TEST(PieceSetCells, BlackPiecesSitRightOfWhiteAndRookStartsSecondRow) {
    EXPECT_EQ(PieceCellOrigin(chess::kBishop + chess::kBlackOffset, 40), (CellOrigin{200, 0}));
    EXPECT_EQ(PieceCellOrigin(chess::kRook, 80), (CellOrigin{0, 80}));
    EXPECT_EQ(PieceCellOrigin(chess::kKing + chess::kBlackOffset, 60), (CellOrigin{300, 60}));
    PieceSet set(SyntheticSheet(40), 40);
    EXPECT_TRUE(set.Opaque(chess::kKing, 20, 20));
    for (auto [code, x] :
         {std::pair{chess::kKing, 0}, {chess::kEmpty, 20}, {7, 20}, {chess::kKing, 40}, {chess::kKing, -1}}) {
        EXPECT_FALSE(set.Opaque(code, x, 20)) << code << " at " << x;
    }
}

// The file of the style and board size is loaded, a style out of range falls back to "Classic", and
// a failed load is reported once and not tried again at each paint until the settings change.
TEST(PieceSetCache, LoadsTheFileOfStyleAndSizeAndReportsAFailureOnce) {
    ravelin::testing::TempDir dir;
    const std::string folder = dir.Path().string();
    ASSERT_TRUE(WriteBmpFile(dir.File("stbig2.bmp"), SyntheticSheet(60)));
    ASSERT_EQ(LoadPieceSet(folder, 3, BoardSizeOption::kMedium).set->SquareSize(), 60);
    ASSERT_TRUE(WriteBmpFile(dir.File(PieceSetFileName(4, BoardSizeOption::kSmall)), SyntheticSheet(40)));
    EXPECT_TRUE(LoadPieceSet(folder, 99, BoardSizeOption::kSmall).set);

    PieceSetCache cache;
    EXPECT_EQ(cache.Get(folder, 0, BoardSizeOption::kSmall), nullptr);
    ASSERT_TRUE(WriteBmpFile(dir.File("modern1.bmp"), SyntheticSheet(40)));
    EXPECT_EQ(cache.Get(folder, 0, BoardSizeOption::kSmall), nullptr);
    EXPECT_EQ(cache.TakeFailureMessage(), kBmpOpenError);
    EXPECT_EQ(cache.TakeFailureMessage(), "");
    cache.Release();
    ASSERT_NE(cache.Get(folder, 0, BoardSizeOption::kSmall), nullptr);
    ASSERT_TRUE(WriteBmpFile(dir.File("modhuge1.bmp"), SyntheticSheet(80)));
    EXPECT_EQ(cache.Get(folder, 0, BoardSizeOption::kLarge)->SquareSize(), 80);
}

TEST(BoardPainting, SquaresTakeTheirColoursAndLeaveBorderLines) {
    RgbImage image = RenderBoardImage(chess::Board{}, {40, false, 0, 0}, kColours, nullptr);
    EXPECT_EQ(image.width, 400);
    BoardView view{40, false, 0, 0};
    EXPECT_EQ(Centre(image, view, 1, 1), kColours.dark);   // a1 is dark
    EXPECT_EQ(Centre(image, view, 8, 1), kColours.light);  // h1 is light
    // One-pixel lines between squares and around the board in the border colour.
    EXPECT_EQ(image.Pixel(80, 100), kColours.border);
    EXPECT_EQ(image.Pixel(81, 100), kColours.light);
    EXPECT_EQ(image.Pixel(360, 100), kColours.border);
    EXPECT_EQ(image.Pixel(100, 360), kColours.border);
    // The window background outside the frame.
    EXPECT_EQ(image.Pixel(5, 5), kColours.background);
    EXPECT_EQ(image.Pixel(395, 395), kColours.background);
}

TEST(PiecePainting, EveryPieceComesFromItsOwnCellAtEverySizeAndSide) {
    chess::Board board = chess::MakeStartBoard();
    for (int size : {40, 60, 80}) {
        PieceSet set(SyntheticSheet(size), size);
        for (bool flipped : {false, true}) {
            BoardView view{size, flipped, 0, 0};
            RgbImage image = RenderBoardImage(board, view, kColours, &set);
            for (int file = 1; file <= 8; ++file) {
                for (int rank : {1, 2, 7, 8}) {
                    EXPECT_EQ(Centre(image, view, file, rank), PieceColour(board[file][rank]))
                        << size << (flipped ? " flipped " : " ") << file << rank;
                }
            }
        }
    }
    // The top right of the flipped board is a1, its bottom left h8.
    PieceSet set(SyntheticSheet(40), 40);
    RgbImage flipped = RenderBoardImage(board, {40, true, 0, 0}, kColours, &set);
    EXPECT_EQ(flipped.Pixel(340, 60), PieceColour(chess::kRook));
    EXPECT_EQ(flipped.Pixel(60, 340), PieceColour(chess::kRook + chess::kBlackOffset));
}

// The cells' opaque blocks start one pixel in; that pixel still must not reach the board. A pixel of
// the corner colour inside a piece lets the square show through.
TEST(PiecePainting, OuterTwoPixelsOfACellAreNeverDrawnAndTheCornerColourIsTransparent) {
    RgbImage sheet = SyntheticSheet(40, 1);
    const CellOrigin origin = PieceCellOrigin(chess::kKing, 40);
    sheet.SetPixel(origin.x + 20, origin.y + 20, kTestKey);
    PieceSet set(sheet, 40);
    chess::Board board{};
    board[3][3] = chess::kKing;
    const BoardView view{40, false, 0, 0};
    RgbImage image = RenderBoardImage(board, view, kColours, &set);
    PixelPoint c = SquareCorner(view, 3, 3);  // dark square
    EXPECT_EQ(image.Pixel(c.x + 1, c.y + 1), kColours.dark);
    EXPECT_EQ(image.Pixel(c.x + 38, c.y + 20), kColours.dark);
    EXPECT_EQ(image.Pixel(c.x + 2, c.y + 2), PieceColour(chess::kKing));
    EXPECT_EQ(image.Pixel(c.x + 37, c.y + 37), PieceColour(chess::kKing));
    EXPECT_EQ(image.Pixel(c.x + 20, c.y + 20), kColours.dark);
    EXPECT_EQ(image.Pixel(c.x + 21, c.y + 20), PieceColour(chess::kKing));
}

TEST(PiecePainting, BitmapSmallerThanTheLayoutDrawsLessButNeverReadsOutside) {
    // Only the first row of cells, and that one cut short.
    RgbImage sheet = SyntheticSheet(40);
    RgbImage cut(150, 40);
    cut.CopyRectFrom(sheet, {0, 0, 150, 40});
    PieceSet set(cut, 40);
    BoardView view{40, false, 0, 0};
    RgbImage image = RenderBoardImage(chess::MakeStartBoard(), view, kColours, &set);
    EXPECT_EQ(Centre(image, view, 1, 2), PieceColour(chess::kPawn));
    EXPECT_EQ(Centre(image, view, 5, 1), kColours.dark);  // king's row of cells is missing
}

TEST(Slide, AnimationLeavesTheSameImageAsDrawingTheMove) {
    PieceSet set(SyntheticSheet(60), 60);
    BoardView view{60, true, 0, 0};
    chess::Board before = chess::MakeStartBoard();
    chess::Board after = before;
    after[7][1] = chess::kEmpty;
    after[6][3] = chess::kKnight;
    RgbImage screen = RenderBoardImage(before, view, kColours, &set);
    // The background is the board without the moving piece.
    chess::Board without = after;
    without[6][3] = chess::kEmpty;
    RgbImage background = RenderBoardImage(without, view, kColours, &set);
    SlideAnimation slide(background, chess::kKnight, view, {7, 1}, {6, 3});
    int steps = 0;
    while (!slide.Done()) {
        EXPECT_FALSE(slide.Step(screen, kColours, &set).Empty());
        ++steps;
    }
    EXPECT_EQ(static_cast<std::size_t>(steps), slide.StepCount());
    EXPECT_EQ(screen, RenderBoardImage(after, view, kColours, &set));
}

}  // namespace
}  // namespace ravelin::display
