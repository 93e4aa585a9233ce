#include "reports/html_annotation.h"

#include <gtest/gtest.h>

#include <string>

namespace ravelin::reports {
namespace {

using Moves = std::array<chess::SanText, chess::kMaxMovesPerSide>;

void Fill(Moves& white, Moves& black, int plies) {
    for (int ply = 1; ply <= plies; ++ply) {
        chess::SetSanText(ply % 2 == 1 ? white[(ply - 1) / 2] : black[ply / 2 - 1],
                          ply % 2 == 1 ? "Nf3" : "Nf6");
    }
}

TEST(MoveRun, StartsWithBlacksMoveAfterAnOddPlyAndBreaksBetweenItemsAtEightyCharacters) {
    struct Case {
        int plies;
        int start;
        std::string run;
        int written;
    };
    const Case cases[] = {
        {3, 0, "1.Nf3 Nf6 2.Nf3", 3},
        {4, 3, "2...Nf6 ", 1},
        {5, 1, "1...Nf6 2.Nf3 Nf6 3.Nf3", 4},
        {2, 2, "", 0},
        {18, 0,
         "1.Nf3 Nf6 2.Nf3 Nf6 3.Nf3 Nf6 4.Nf3 Nf6 5.Nf3 Nf6 6.Nf3 Nf6 7.Nf3 Nf6 8.Nf3 Nf6 \r\n9.Nf3 Nf6 ",
         18},
    };
    chess::PieceLetters letters{};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.plies * 100 + c.start);
        Moves white{};
        Moves black{};
        Fill(white, black, c.plies);
        int written = -1;
        EXPECT_EQ(FormatMoveRun(white, black, c.start, letters, written), c.run);
        EXPECT_EQ(written, c.written);
    }
}

TEST(AnnotationPage, OpenedTextLosesItsClosingTagsOnlyWhenItHasThem) {
    AnnotationPage page;
    page.TakeOpenedText("<html>\r\n<p>x</p>\r\n</body>\r\n</html>\r\n");
    EXPECT_EQ(page.page, "<html>\r\n<p>x</p>\r\n");
    EXPECT_FALSE(page.ChangedSinceSave());
    page.TakeOpenedText("<p>a page of its own, which ends in a word of 18 letters</p>");
    EXPECT_EQ(page.page, "<p>a page of its own, which ends in a word of 18 letters</p>");
    page.TakeOpenedText("<p>y</p>\n</BODY>\n</HTML>");
    EXPECT_EQ(page.page, "<p>y</p>\n");
}

TEST(AnnotationState, RoundTripsAndRefusesAWrongSizeOrAStartBeyondItsMoves) {
    AnnotationState state;
    Fill(state.whiteMoves, state.blackMoves, 5);
    state.startPly = 5;
    state.boards[3][10] = chess::kQueen + chess::kBlackOffset;
    std::vector<std::uint8_t> bytes = EncodeAnnotationState(state);
    ASSERT_EQ(bytes.size(), kStateFileSize);
    const auto back = DecodeAnnotationState(bytes);
    ASSERT_TRUE(back.has_value());
    EXPECT_EQ(back->startPly, 5);
    EXPECT_EQ(back->boards[3][10], chess::kQueen + chess::kBlackOffset);
    EXPECT_EQ(chess::SanView(back->blackMoves[1]), "Nf6");
    bytes[0] = 6;
    EXPECT_FALSE(DecodeAnnotationState(bytes).has_value());
    bytes[0] = 5;
    bytes.pop_back();
    EXPECT_FALSE(DecodeAnnotationState(bytes).has_value());
    EXPECT_EQ(StateFilePath("/a/page.html"), "/a/page.htmx");
}

}  // namespace
}  // namespace ravelin::reports
