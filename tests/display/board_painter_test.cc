#include "display/board_painter.h"

#include <gtest/gtest.h>

#include "display/board_screen.h"
#include "display/slide_animation.h"
#include "display_test_helpers.h"

namespace ravelin::display {
namespace {

using chess::kBlackOffset;
using testing::PieceColour;
using testing::SyntheticSheet;

constexpr BoardColours kColours{
    {240, 240, 200}, {100, 140, 90}, {192, 192, 192}, {255, 255, 221}, {255, 0, 0}};

chess::Board EmptyBoard() {
    return chess::Board{};
}

RgbColour Centre(const RgbImage& image, const BoardView& view, int file, int rank) {
    PixelRect r = SquareRect(view, file, rank);
    return image.Pixel(r.x + r.width / 2, r.y + r.height / 2);
}

// --- Square geometry ---

// The board sits one square in from the top left; flipped, a1 is at the top right. A click anywhere
// in a square finds it again, on both sides and at every size.
TEST(BoardGeometry, SquaresAndClicksOnBothSides) {
    EXPECT_EQ(SquareCorner({40, false, 0, 0}, 1, 8), (PixelPoint{40, 40}));
    EXPECT_EQ(SquareCorner({40, false, 0, 0}, 8, 1), (PixelPoint{320, 320}));
    EXPECT_EQ(SquareCorner({40, true, 0, 0}, 1, 1), (PixelPoint{320, 40}));
    EXPECT_EQ(SquareCorner({40, true, 0, 0}, 8, 8), (PixelPoint{40, 320}));
    for (bool flipped : {false, true}) {
        for (int size : {40, 60, 80}) {
            BoardView view{size, flipped, 7, 11};
            for (int file = 1; file <= 8; ++file) {
                for (int rank = 1; rank <= 8; ++rank) {
                    PixelRect r = SquareRect(view, file, rank);
                    EXPECT_EQ(SquareAtPixel(view, r.x + r.width - 1, r.y), (BoardSquare{file, rank}));
                }
            }
            EXPECT_FALSE(SquareAtPixel(view, 7 + size - 1, 11 + size));
            EXPECT_FALSE(SquareAtPixel(view, 7 + 9 * size, 11 + size));
        }
    }
}

// --- Squares and border lines ---

TEST(BoardPainting, SquaresTakeTheirColoursAndLeaveBorderLines) {
    RgbImage image = RenderBoardImage(EmptyBoard(), {40, false, 0, 0}, kColours, nullptr);
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

// --- Pieces come from the right cell, through the mask ---

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
    EXPECT_EQ(flipped.Pixel(60, 340), PieceColour(chess::kRook + kBlackOffset));
}

TEST(PiecePainting, OuterTwoPixelsOfACellAreNeverDrawn) {
    // The cells' opaque blocks start one pixel in; that pixel still must not reach the board.
    PieceSet set(SyntheticSheet(40, 1), 40);
    chess::Board board = EmptyBoard();
    board[3][3] = chess::kKing;
    BoardView view{40, false, 0, 0};
    RgbImage image = RenderBoardImage(board, view, kColours, &set);
    PixelPoint c = SquareCorner(view, 3, 3);  // dark square
    EXPECT_EQ(image.Pixel(c.x + 1, c.y + 1), kColours.dark);
    EXPECT_EQ(image.Pixel(c.x + 38, c.y + 20), kColours.dark);
    EXPECT_EQ(image.Pixel(c.x + 2, c.y + 2), PieceColour(chess::kKing));
    EXPECT_EQ(image.Pixel(c.x + 37, c.y + 37), PieceColour(chess::kKing));
}

TEST(PiecePainting, PixelsOfTheCornerColourInsideAPieceAreTransparent) {
    RgbImage sheet = SyntheticSheet(40);
    CellOrigin origin = PieceCellOrigin(chess::kBishop, 40);
    sheet.SetPixel(origin.x + 20, origin.y + 20, testing::kTestKey);
    PieceSet set(sheet, 40);
    chess::Board board = EmptyBoard();
    board[1][1] = chess::kBishop;
    BoardView view{40, false, 0, 0};
    RgbImage image = RenderBoardImage(board, view, kColours, &set);
    PixelPoint c = SquareCorner(view, 1, 1);
    EXPECT_EQ(image.Pixel(c.x + 20, c.y + 20), kColours.dark);
    EXPECT_EQ(image.Pixel(c.x + 21, c.y + 20), PieceColour(chess::kBishop));
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

// --- Only changed squares are redrawn ---

TEST(ChangedSquareDrawing, CastlingChangesFourSquares) {
    chess::Board before = chess::MakeStartBoard();
    before[6][1] = chess::kEmpty;
    before[7][1] = chess::kEmpty;
    chess::Board after = before;
    after[5][1] = chess::kEmpty;
    after[8][1] = chess::kEmpty;
    after[7][1] = chess::kKing;
    after[6][1] = chess::kRook;
    EXPECT_EQ(ChangedSquares(before, after).size(), 4u);
}

TEST(LastMoveHighlight, FrameInTheLastMoveColourInsideTheSquare) {
    BoardView view{40, false, 0, 0};
    RgbImage image = RenderBoardImage(EmptyBoard(), view, kColours, nullptr);
    BoardPainter painter(image, view, kColours, nullptr);
    painter.DrawHighlight(5, 4, HighlightKind::kNormal);
    PixelPoint c = SquareCorner(view, 5, 4);
    EXPECT_EQ(image.Pixel(c.x + 1, c.y + 10), kColours.lastMove);
    EXPECT_EQ(image.Pixel(c.x + 3, c.y + 10), kColours.light);
    painter.DrawHighlight(5, 4, HighlightKind::kThick);
    EXPECT_EQ(image.Pixel(c.x + 4, c.y + 10), kColours.lastMove);
    EXPECT_EQ(image.Pixel(c.x + 5, c.y + 10), kColours.light);
}

// The screen's board redraws only the squares that changed, and all of it after a flip.
TEST(BoardScreen, FirstDrawPaintsEverythingThenOnlyChanges) {
    PieceSet set(SyntheticSheet(40), 40);
    BoardScreen screen;
    screen.Configure({40, false, 0, 0}, kColours, &set);
    chess::Board start = chess::MakeStartBoard();
    BoardChanges first = screen.DrawPosition(start);
    EXPECT_EQ(first.dirty, (PixelRect{0, 0, 400, 400}));
    chess::Board next = start;
    next[7][1] = chess::kEmpty;
    next[6][3] = chess::kKnight;
    BoardChanges second = screen.DrawPosition(next);
    EXPECT_EQ(second.squares.size(), 2u);
    EXPECT_EQ(second.dirty, (PixelRect{240, 240, 80, 120})) << "g1 and f3";
    EXPECT_EQ(screen.Shown(), next);
    EXPECT_EQ(screen.Image(), RenderBoardImage(next, {40, false, 0, 0}, kColours, &set));
}

TEST(BoardScreen, FlipRedrawsWhole) {
    PieceSet set(SyntheticSheet(40), 40);
    BoardScreen screen;
    screen.Configure({40, false, 0, 0}, kColours, &set);
    chess::Board start = chess::MakeStartBoard();
    screen.DrawPosition(start);
    screen.Configure({40, true, 0, 0}, kColours, &set);
    BoardChanges flipped = screen.DrawPosition(start);
    EXPECT_EQ(flipped.dirty, (PixelRect{0, 0, 400, 400}));
    EXPECT_EQ(screen.Image(), RenderBoardImage(start, {40, true, 0, 0}, kColours, &set));
}

// --- Sliding pieces ---

TEST(Slide, PathEndsExactlyOnTheTargetSquare) {
    std::vector<PixelPoint> path = SlidePath({40, 320}, {120, 240}, 4);
    ASSERT_EQ(path.size(), 20u);
    EXPECT_EQ(path.back(), (PixelPoint{120, 240}));
    EXPECT_EQ(SlidePath({5, 5}, {5, 5}, 4).size(), 1u);
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
