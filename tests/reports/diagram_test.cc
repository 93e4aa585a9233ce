#include <gtest/gtest.h>

#include <cstdio>
#include <cstring>

#include <jpeglib.h>
#include <set>
#include <string>

#include "chess/board.h"
#include "reports/diagram_bitmap.h"
#include "reports/html_diagram.h"
#include "support/temp_dir.h"

namespace ravelin::reports {
namespace {

// Pieces drawn as a filled square in the middle of the cell, each in a colour of its own.
PieceCells BlockPieces() {
    PieceCells cells;
    for (int c = 0; c < 12; ++c) {
        for (int y = 0; y < kDiagramSquareSize; ++y) {
            for (int x = 0; x < kDiagramSquareSize; ++x) {
                const bool inside = x >= 10 && x < 30 && y >= 10 && y < 30;
                cells[c].pixels.push_back(Rgb{static_cast<std::uint8_t>(c * 20), 7, 9});
                cells[c].opaque.push_back(inside ? 1 : 0);
            }
        }
    }
    return cells;
}

std::uint32_t Read32(const std::vector<std::uint8_t>& bytes, std::size_t at) {
    return bytes[at] | (bytes[at + 1] << 8) | (bytes[at + 2] << 16) |
           (static_cast<std::uint32_t>(bytes[at + 3]) << 24);
}

TEST(HtmlDiagram, StartPositionRowsAndCaption) {
    const chess::Board board = chess::MakeStartBoard();
    const std::string normal = HtmlDiagramText(board, false, "");
    EXPECT_EQ(
        normal.find("<center>\r\n<TABLE BORDER=1><TR><TD>\r\n\r\n<IMG SRC=\"brw.gif\"><IMG SRC=\"bnb.gif\">"),
        0u);
    EXPECT_NE(
        normal.find(
            "<IMG SRC=\"wkb.gif\"><IMG SRC=\"wbw.gif\"><IMG SRC=\"wnb.gif\"><IMG SRC=\"wrw.gif\"><BR>\r\n"
            "\r\n</TD></TR>\r\n</TABLE>\r\n</center>\r\n"),
        std::string::npos);
    EXPECT_EQ(normal.find("CAPTION"), std::string::npos);
    const std::string flipped = HtmlDiagramText(board, true, LastMoveCaption(4, "N<f6&"));
    EXPECT_NE(flipped.find("<TD>\r\n\r\n<IMG SRC=\"wrw.gif\"><IMG SRC=\"wnb.gif\"><IMG SRC=\"wbw.gif\"><IMG "
                           "SRC=\"wkb.gif\">"),
              std::string::npos);
    EXPECT_NE(flipped.find(
                  "<CAPTION ALIGN=BOTTOM><FONT FACE=\"Arial\">\r\n<I>Position after 2... N&lt;f6&amp;</I>\r\n"
                  "</TABLE>"),
              std::string::npos);
    EXPECT_EQ(LastMoveCaption(23, "Qxe7+"), "12. Qxe7+");
}

TEST(HtmlDiagram, TwentySixDistinctImages) {
    std::set<std::string> names(DiagramImageFiles().begin(), DiagramImageFiles().end());
    EXPECT_EQ(names.size(), 26u);
    EXPECT_TRUE(names.contains("bkw.gif"));
    EXPECT_TRUE(names.contains("w.gif"));
}

TEST(DiagramBitmap, FileSizesHeadersAndPalettePerBorder) {
    const PalettedPieces pieces = MakePalettedPieces(BlockPieces());
    const std::size_t sizes[] = {103478, 105406, 106054, 108006, 108662, 110638};
    DiagramColours colours{{1, 2, 3}, {4, 5, 6}, {7, 8, 9}};
    for (int border = 0; border <= kMaxDiagramBorder; ++border) {
        SCOPED_TRACE(border);
        const std::vector<std::uint8_t> bmp =
            EncodeDiagramBmp(DrawDiagram(pieces, chess::MakeStartBoard(), false, border, colours));
        ASSERT_EQ(bmp.size(), sizes[border]);
        EXPECT_EQ(Read32(bmp, 2), sizes[border]);
        EXPECT_EQ(Read32(bmp, 10), 1078u);
        EXPECT_EQ(Read32(bmp, 18), static_cast<std::uint32_t>(320 + 2 * border));
        EXPECT_EQ(Read32(bmp, 22), static_cast<std::uint32_t>(320 + 2 * border));
        EXPECT_EQ(bmp[28], 8);
        // Palette entries are blue, green, red, zero.
        EXPECT_EQ(bmp[54 + 250 * 4 + 2], 1);
        EXPECT_EQ(bmp[54 + 251 * 4 + 1], 5);
        EXPECT_EQ(bmp[54 + 252 * 4], 9);
        // The first stored row is the bottom border, or, without one, the bottom of a1 (dark, rook).
        EXPECT_EQ(bmp[1078], border > 0 ? kBorderEntry : kDarkSquareEntry);
    }
}

TEST(DiagramBitmap, FlippedBoardHasRankEightAtTheBottomAndFileHOnTheLeft) {
    const PalettedPieces pieces = MakePalettedPieces(BlockPieces());
    chess::Board board{};
    board[8][8] = chess::MakePiece(chess::Side::kBlack, chess::kQueen);
    const DiagramRaster raster = DrawDiagram(pieces, board, true, 0, {});
    const std::uint8_t queen = pieces.cells[PieceCellIndex(board[8][8])][20 * kDiagramSquareSize + 20];
    // Bottom-left square, middle pixel: h8.
    EXPECT_EQ(raster.pixels[(320 - 20) * 320 + 20], queen);
    EXPECT_NE(queen, kDarkSquareEntry);
    // Top-left square: h1, a light square.
    EXPECT_EQ(raster.pixels[20 * 320 + 20], kLightSquareEntry);
}

TEST(DiagramJpeg, WrittenWholeAndDecodes) {
    testing::TempDir dir;
    const PalettedPieces pieces = MakePalettedPieces(BlockPieces());
    const std::vector<std::uint8_t> jpeg =
        EncodeDiagramJpeg(DrawDiagram(pieces, chess::MakeStartBoard(), false, 3, {}));
    const std::string path = dir.File("d.jpg");
    ASSERT_TRUE(WriteDiagramFile(path, jpeg));
    const std::string stored = testing::ReadWholeFile(path);
    jpeg_decompress_struct info{};
    jpeg_error_mgr error{};
    info.err = jpeg_std_error(&error);
    jpeg_create_decompress(&info);
    jpeg_mem_src(&info, reinterpret_cast<const unsigned char*>(stored.data()), stored.size());
    ASSERT_EQ(jpeg_read_header(&info, TRUE), JPEG_HEADER_OK);
    jpeg_start_decompress(&info);
    EXPECT_EQ(info.output_width, 326u);
    EXPECT_EQ(info.output_height, 326u);
    std::vector<unsigned char> row(info.output_width * info.output_components);
    int lightSquare = 0;
    int darkSquare = 0;
    while (info.output_scanline < info.output_height) {
        unsigned char* rows[] = {row.data()};
        jpeg_read_scanlines(&info, rows, 1);
        // Row 100 crosses a6 (light) and b6 (dark), away from any edge of the compression blocks.
        if (info.output_scanline == 101) {
            lightSquare = row[20 * 3];
            darkSquare = row[63 * 3];
        }
    }
    jpeg_finish_decompress(&info);
    jpeg_destroy_decompress(&info);
    EXPECT_NEAR(lightSquare, 255, 3);
    EXPECT_NEAR(darkSquare, 189, 3);
}

}  // namespace
}  // namespace ravelin::reports
