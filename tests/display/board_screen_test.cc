#include "display/board_screen.h"

#include <gtest/gtest.h>

#include "display_test_helpers.h"

namespace ravelin::display {
namespace {

constexpr BoardColours kColours{
    {240, 240, 200}, {100, 140, 90}, {192, 192, 192}, {255, 255, 221}, {255, 0, 0}};

TEST(BoardScreen, FirstDrawPaintsEverythingThenOnlyChanges) {
    PieceSet set(testing::SyntheticSheet(40), 40);
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
    EXPECT_EQ(screen.Shown(), next);
    EXPECT_EQ(screen.Image(), RenderBoardImage(next, {40, false, 0, 0}, kColours, &set));
}

TEST(BoardScreen, FlipRedrawsWhole) {
    PieceSet set(testing::SyntheticSheet(40), 40);
    BoardScreen screen;
    screen.Configure({40, false, 0, 0}, kColours, &set);
    chess::Board start = chess::MakeStartBoard();
    screen.DrawPosition(start);
    screen.Configure({40, true, 0, 0}, kColours, &set);
    BoardChanges flipped = screen.DrawPosition(start);
    EXPECT_EQ(flipped.dirty, (PixelRect{0, 0, 400, 400}));
    EXPECT_EQ(screen.Image(), RenderBoardImage(start, {40, true, 0, 0}, kColours, &set));
}

}  // namespace
}  // namespace ravelin::display
