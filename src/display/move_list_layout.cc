#include "display/move_list_layout.h"

#include <algorithm>

namespace ravelin::display {

MoveListCell CellOfPly(int ply) {
    const int index = std::clamp(ply, 1, kMoveListPlies) - 1;
    MoveListCell cell;
    cell.page = index / kPliesPerMoveListPage + 1;
    const int onPage = index % kPliesPerMoveListPage;
    cell.columnPair = onPage / kPliesPerColumnPair;
    const int inPair = onPage % kPliesPerColumnPair;
    cell.black = inPair % 2 == 1;
    cell.pageRow = kMoveListHeadingRows + 1 + inPair / 2;
    cell.listRow = cell.pageRow + (cell.page - 1) * kMoveListGridRows;
    return cell;
}

int PageOfPly(int ply) {
    return ply < 1 ? 1 : CellOfPly(ply).page;
}

int PageOfListRow(int listRow) {
    if (listRow <= kMoveListPageRows) {
        return 1;
    }
    return std::min(kMoveListPages, (listRow - kMoveListHeadingRows - 1) / kMoveListGridRows + 1);
}

int PageRowOfListRow(int listRow) {
    return listRow - (PageOfListRow(listRow) - 1) * kMoveListGridRows;
}

MoveListHit MoveListHitTest(const MoveListGeometry& geometry, int page, int totalPlies, int x, int y) {
    if (y < geometry.top || geometry.lineHeight <= 0) {
        return {MoveListHitKind::kAbove, 0};
    }
    const int row = (y - geometry.top) / geometry.lineHeight + 1;
    if (row <= kMoveListHeadingRows) {
        return {MoveListHitKind::kAbove, 0};
    }
    if (row > kMoveListPageRows) {
        return {MoveListHitKind::kBelow, 0};
    }
    const bool right = x >= geometry.pairLeft[1];
    const int pairLeft = right ? geometry.pairLeft[1] : geometry.pairLeft[0];
    int ply = (page - 1) * kPliesPerMoveListPage + 1 + 2 * (row - kMoveListHeadingRows - 1);
    if (x >= pairLeft + geometry.blackColumnOffset) {
        ply += 1;
    }
    if (right) {
        ply += kPliesPerColumnPair;
    }
    if (ply > totalPlies) {
        return {MoveListHitKind::kBelow, 0};
    }
    return {MoveListHitKind::kMove, ply};
}

}  // namespace ravelin::display
