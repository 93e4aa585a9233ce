#pragma once

// Where each ply of the main line stands in the move list: a grid of 20 rows per page under three
// heading rows, two column pairs (white and black moves) per row, 80 plies per page and 5 pages.
// Rows are counted over all pages as the list records them: page 1 holds rows 1-23 (its heading
// included), each later page the next 20.

namespace ravelin::display {

inline constexpr int kMoveListHeadingRows = 3;
inline constexpr int kMoveListGridRows = 20;
inline constexpr int kMoveListPages = 5;
inline constexpr int kMovesPerColumnPair = kMoveListGridRows;
inline constexpr int kPliesPerColumnPair = 2 * kMovesPerColumnPair;
inline constexpr int kPliesPerMoveListPage = 2 * kPliesPerColumnPair;
inline constexpr int kMoveListPlies = kMoveListPages * kPliesPerMoveListPage;
// Rows of a page: the heading and the grid.
inline constexpr int kMoveListPageRows = kMoveListHeadingRows + kMoveListGridRows;

struct MoveListCell {
    int page = 1;        // 1-5
    int pageRow = 4;     // row within the page, 4-23 (1-3 are the heading)
    int listRow = 4;     // row counted over all pages
    int columnPair = 0;  // 0 left, 1 right
    bool black = false;  // the black column of the pair
};

// The cell of ply 1..kMoveListPlies.
MoveListCell CellOfPly(int ply);
// The page that shows a ply; ply 0 (the start position) is on page 1.
int PageOfPly(int ply);
// The page of a list row, and the row within it.
int PageOfListRow(int listRow);
int PageRowOfListRow(int listRow);

// What a click in the move list found.
enum class MoveListHitKind { kAbove, kMove, kBelow };
struct MoveListHit {
    MoveListHitKind kind = MoveListHitKind::kAbove;
    int ply = 0;  // for kMove
};

// The grid geometry the click is measured against, in the list's pixels.
struct MoveListGeometry {
    int top = 0;  // of row 1
    int lineHeight = 16;
    int blackColumnOffset = 0;  // x of the black column from its pair's start
    int pairLeft[2] = {0, 0};   // x of each column pair
};

// The ply under (x, y) on page page of a game of totalPlies: rows 1-3 are the heading (above), a
// cell past the last move or below the grid answers below.
MoveListHit MoveListHitTest(const MoveListGeometry& geometry, int page, int totalPlies, int x, int y);

}  // namespace ravelin::display
