#include "display/move_list_layout.h"

#include <gtest/gtest.h>

#include "display/game_layout.h"

namespace ravelin::display {
namespace {

TEST(MoveListPages, Move21IsInTheRightHalfOfThePageOne) {
    MoveListCell white21 = CellOfPly(41);
    EXPECT_EQ(white21.page, 1);
    EXPECT_EQ(white21.columnPair, 1);
    EXPECT_FALSE(white21.black);
    EXPECT_EQ(white21.pageRow, 4);
    EXPECT_TRUE(CellOfPly(42).black);
}

TEST(MoveListPages, Move41StartsPageTwo) {
    MoveListCell white41 = CellOfPly(81);
    EXPECT_EQ(white41.page, 2);
    EXPECT_EQ(white41.columnPair, 0);
    EXPECT_EQ(white41.pageRow, 4);
    EXPECT_EQ(white41.listRow, 24);
    EXPECT_EQ(PageOfPly(80), 1);
    EXPECT_EQ(PageOfPly(0), 1);
    EXPECT_EQ(CellOfPly(400).page, 5);
}

TEST(MoveListPages, ListRowsMapToPagesAsRecorded) {
    EXPECT_EQ(PageOfListRow(1), 1);
    EXPECT_EQ(PageOfListRow(23), 1);
    EXPECT_EQ(PageOfListRow(24), 2);
    EXPECT_EQ(PageOfListRow(43), 2);
    EXPECT_EQ(PageOfListRow(44), 3);
    EXPECT_EQ(PageOfListRow(103), 5);
    EXPECT_EQ(PageRowOfListRow(24), 4);
    EXPECT_EQ(PageRowOfListRow(103), 23);
}

TEST(MoveListHitTest, HeadingRowsAnswerAbove) {
    GameLayout layout = GameLayoutFor(40);
    MoveListHit hit = MoveListHitTest(layout.moveList, 1, 80, layout.panelX + 2, layout.MoveRowY(2) + 1);
    EXPECT_EQ(hit.kind, MoveListHitKind::kAbove);
}

TEST(MoveListHitTest, ColumnsAndHalvesGiveTheirPlies) {
    GameLayout layout = GameLayoutFor(40);
    const int row5 = layout.MoveRowY(5) + 1;
    auto ply = [&](int x, int y, int page = 1) {
        return MoveListHitTest(layout.moveList, page, 200, x, y).ply;
    };
    EXPECT_EQ(ply(layout.MoveColumnX(0, false) + 1, row5), 3);
    EXPECT_EQ(ply(layout.MoveColumnX(0, true) + 1, row5), 4);
    EXPECT_EQ(ply(layout.MoveColumnX(1, false) + 1, row5), 43);
    EXPECT_EQ(ply(layout.MoveColumnX(1, true) + 1, row5), 44);
    EXPECT_EQ(ply(layout.MoveColumnX(0, false) + 1, row5, 2), 83);
}

TEST(MoveListHitTest, PastTheLastMoveAnswersBelow) {
    GameLayout layout = GameLayoutFor(60);
    MoveListHit hit =
        MoveListHitTest(layout.moveList, 1, 5, layout.MoveColumnX(0, false) + 1, layout.MoveRowY(7) + 1);
    EXPECT_EQ(hit.kind, MoveListHitKind::kBelow);
    hit = MoveListHitTest(layout.moveList, 1, 80, layout.MoveColumnX(0, false) + 1, layout.MoveRowY(24) + 1);
    EXPECT_EQ(hit.kind, MoveListHitKind::kBelow);
}

}  // namespace
}  // namespace ravelin::display
