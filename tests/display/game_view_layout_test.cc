// The parts of the game view the display library lays out: the move list's cells, the annotation
// list and the navigation buttons at each board size, the text mode's game summary, and the comment
// lines of the column format.

#include <gtest/gtest.h>

#include <algorithm>
#include <optional>
#include <string>
#include <tuple>
#include <vector>

#include "chess/annotations.h"
#include "display/annotation_list.h"
#include "display/board_geometry.h"
#include "display/column_format.h"
#include "display/game_buttons.h"
#include "display/game_layout.h"
#include "display/piece_set.h"
#include "display/text_view.h"

namespace ravelin::display {
namespace {

using Texts = std::vector<std::string>;
constexpr int kSquareSizes[] = {kNormalSquareSize, kMediumSquareSize, kLargeSquareSize};

int Width(std::string_view text, int fontPixels = 11) {
    return EstimatedTextWidth(text, fontPixels, TextFont::kSans);
}

// Twenty moves a column pair, two pairs a page of 23 rows whose first three are the heading.
TEST(MoveListLayout, PliesAndRowsFindTheirPageAndCell) {
    const std::pair<int, MoveListCell> cells[] = {{41, {1, 4, 4, 1, false}},
                                                  {42, {1, 4, 4, 1, true}},
                                                  {80, {1, 23, 23, 1, true}},
                                                  {81, {2, 4, 24, 0, false}},
                                                  {400, {5, 23, 103, 1, true}}};
    for (const auto& [ply, c] : cells) {
        const MoveListCell cell = CellOfPly(ply);
        EXPECT_EQ(std::tie(cell.page, cell.pageRow, cell.listRow, cell.columnPair, cell.black),
                  std::tie(c.page, c.pageRow, c.listRow, c.columnPair, c.black))
            << ply;
        EXPECT_EQ(PageOfPly(ply), c.page);
        EXPECT_EQ(PageOfListRow(c.listRow), c.page);
        EXPECT_EQ(PageRowOfListRow(c.listRow), c.pageRow);
    }
    EXPECT_EQ(PageOfPly(0), 1);
}

// At each board size the annotation list fills the whole rows below the board, under the move list
// when it runs on under the panel, else clear of the panel; its scroll bar stands at the board's right
// edge only when the lines overflow, leaving room for the widest annotation line. The navigation
// buttons stand in the bottom margin from the widest move number to the board's last square, above
// those rows, each wide enough for its label and found by a click from corner to corner.
TEST(GameViewLayout, AnnotationListAndButtonsAtEveryBoardSize) {
    for (int squareSize : kSquareSizes) {
        const GameLayout layout = GameLayoutFor(squareSize);
        const int rows = layout.BelowBoardLines();
        for (bool underPanel : {false, true}) {
            SCOPED_TRACE(std::to_string(squareSize) + (underPanel ? " under the panel" : ""));
            const AnnotationListPlace fits = PlaceAnnotationList(layout, rows, underPanel);
            const PixelRect area = fits.area;
            EXPECT_EQ(area, (PixelRect{area.x, layout.belowBoardTop, area.width, rows * layout.lineHeight}));
            EXPECT_LE(area.y + area.height, layout.clientHeight);
            EXPECT_TRUE(fits.scrollBar.Empty());
            EXPECT_EQ(AnnotationTextWidth(fits), area.width);
            if (underPanel) {
                EXPECT_EQ(area.x + area.width, layout.panelX + layout.panelWidth);
                EXPECT_LE(layout.MoveRowY(23) + layout.lineHeight, area.y);  // the move list's last row
            } else {
                EXPECT_LE(area.x + area.width, layout.panelX);
            }
            const AnnotationListPlace overflows = PlaceAnnotationList(layout, rows + 1, underPanel);
            const PixelRect bar = overflows.scrollBar;
            EXPECT_EQ(bar, (PixelRect{layout.boardImageSize - bar.width, area.y, bar.width, area.height}));
            EXPECT_GT(bar.width, 0);
            EXPECT_LE(area.x + AnnotationTextWidth(overflows), bar.x);
            const int widest =
                squareSize == kNormalSquareSize ? chess::kNormalDisplayWidth : chess::kWideDisplayWidth;
            EXPECT_LE(Width(std::string(static_cast<std::size_t>(widest), 'e'), layout.fontPixels),
                      AnnotationTextWidth(overflows));
        }
        int left = squareSize + Width("100. ... exd8=Q+", layout.fontPixels);
        for (const GameButtonPlace& place : LayOutGameButtons(layout)) {
            const PixelRect& r = place.rect;
            EXPECT_GE(r.x, left);
            EXPECT_GE(r.y, kBoardExtentSquares * squareSize);
            EXPECT_LE(r.y + r.height, std::min(layout.boardImageSize, layout.belowBoardTop));
            EXPECT_GE(r.height, layout.lineHeight);
            EXPECT_GE(
                r.width,
                Width(kGameButtonLabels[static_cast<std::size_t>(place.button)], layout.fontPixels) + 4);
            EXPECT_EQ(GameButtonAt(layout, r.x, r.y), place.button);
            EXPECT_EQ(GameButtonAt(layout, r.x + r.width - 1, r.y + r.height - 1), place.button);
            EXPECT_EQ(GameButtonAt(layout, r.x + r.width / 2, r.y - 1), std::nullopt);
            left = r.x + r.width;
        }
        EXPECT_EQ(left, kBoardExtentSquares * squareSize);
    }
}

TEST(AnnotationListWrap, LinesFitTheWidthAndTogetherGiveTheText) {
    const std::string name = "Queen's Pawn Game: Accelerated London System, Steinitz Countergambit";
    EXPECT_EQ(WrapToWidth(name, Width(name), 11, nullptr), Texts{name});
    std::string joined;
    for (const std::string& line : WrapToWidth(name, Width(name) / 2, 11, nullptr)) {
        EXPECT_LE(Width(line), Width(name) / 2) << line;
        joined += (joined.empty() ? "" : " ") + line;
    }
    EXPECT_EQ(joined, name);
    // A word wider than a line is cut inside; a width too small for any character still ends.
    EXPECT_EQ(WrapToWidth("Countergambit", Width("Counter"), 11, nullptr), (Texts{"Counter", "gambit"}));
    EXPECT_EQ(WrapToWidth("\u00e9t\u00e9", 0, 11, nullptr), (Texts{"\u00e9", "t", "\u00e9"}));
}

TEST(GameSummary, MovesInLinesOf80WithoutSplittingAPairAndPagesOf24Rows) {
    Texts plies;
    for (int k = 0; k < 400; ++k) {
        plies.push_back(k % 2 == 0 ? "Nf3" : "Nf6");
    }
    Texts rows = GameSummaryRows({}, plies, "1/2-1/2");
    ASSERT_GT(rows.size(), 25U);
    for (std::size_t k = 6; k < rows.size(); ++k) {
        EXPECT_LE(rows[k].size(), kSummaryLineWidth) << rows[k];
    }
    EXPECT_EQ(rows[6].size(), kSummaryLineWidth);  // eight ten-character pairs
    EXPECT_EQ(rows[7].rfind("9.Nf3 Nf6 ", 0), 0U) << rows[7];
    EXPECT_EQ(rows.back().substr(rows.back().size() - 7), "1/2-1/2");
    // A page holds 24 rows; the 24th gets dots while more follow.
    TextView view;
    view.SetSummary(rows, false);
    EXPECT_EQ(view.PageRows().back(), rows[23] + "...");
    ASSERT_TRUE(view.NextPage());
    EXPECT_EQ(view.PageRows(), Texts(rows.begin() + 24, rows.end()));
}

TEST(ColumnWords, CommentLinesJoinWithABlankUnlessTheNextLineContinuesACutWord) {
    const std::pair<const char*, const char*> cases[] = {
        {"first line\nsecond line", "first line second line"},
        // A single character other than A, I and a, followed by a blank, continues a cut word.
        {"White is\n+ better", "White is+ better"},
        // Two characters, a lone character at the end, or a line starting with a blank are no cut words.
        {"good\nso far", "good so far"},
        {"good\nx", "good x"},
        {"good\n x y", "good  x y"},
        {"end\r\nr x", "endr x"},
    };
    for (const auto& [lines, joined] : cases) {
        EXPECT_EQ(JoinCommentLines(lines), joined);
    }
}

}  // namespace
}  // namespace ravelin::display
