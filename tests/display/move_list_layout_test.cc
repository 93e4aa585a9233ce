#include "display/move_list_layout.h"

#include <gtest/gtest.h>

#include "display/game_layout.h"

namespace ravelin::display {
namespace {

// Twenty moves a column pair, two pairs a page; the first page's list starts with its heading rows.
TEST(MoveListPages, PliesAndListRowsFindTheirPageAndRow) {
    struct Cell {
        int ply;
        int page;
        int columnPair;
        bool black;
        int pageRow;
    };
    const Cell cells[] = {
        {41, 1, 1, false, 4}, {42, 1, 1, true, 4}, {81, 2, 0, false, 4}, {400, 5, 1, true, 23}};
    for (const Cell& c : cells) {
        MoveListCell cell = CellOfPly(c.ply);
        EXPECT_EQ(cell.page, c.page) << c.ply;
        EXPECT_EQ(cell.columnPair, c.columnPair) << c.ply;
        EXPECT_EQ(cell.black, c.black) << c.ply;
        EXPECT_EQ(cell.pageRow, c.pageRow) << c.ply;
    }
    EXPECT_EQ(CellOfPly(81).listRow, 24);
    EXPECT_EQ(PageOfPly(80), 1);
    EXPECT_EQ(PageOfPly(0), 1);
    const int rows[][3] = {{1, 1, -1}, {23, 1, -1}, {24, 2, 4}, {43, 2, -1}, {44, 3, -1}, {103, 5, 23}};
    for (const auto& [row, page, pageRow] : rows) {
        EXPECT_EQ(PageOfListRow(row), page) << row;
        if (pageRow >= 0) {
            EXPECT_EQ(PageRowOfListRow(row), pageRow) << row;
        }
    }
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
