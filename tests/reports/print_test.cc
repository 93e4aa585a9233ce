#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "platform/headless/headless_printer.h"
#include "reports/print_layout.h"
#include "reports/print_list.h"

namespace ravelin::reports {
namespace {

using platform::HeadlessPrinter;

// The page text as printed, one entry per page.
std::vector<std::vector<std::string>> PrintedPages(const std::vector<PrintedGame>& games,
                                                   HeadlessPrinter& printer, int maxLines = 0) {
    auto surface = printer.ChoosePrinter();
    EXPECT_EQ(PrintGames(games, *surface, maxLines, chess::PieceLetters{}), "");
    std::vector<std::vector<std::string>> pages;
    for (const auto& page : printer.documents.back().pages) {
        pages.emplace_back();
        for (const platform::PrintedLine& line : page) {
            pages.back().push_back(line.text);
        }
    }
    return pages;
}

PrintedGame Normal(int moves, bool lastBlack) {
    PrintedGame game;
    game.headerLine1 = HeaderLine1("games.pgn", "7", std::string(300, 'E'), "Site", "2001.01.01", "1");
    game.headerLine2 = HeaderLine2("White", "Black", "1-0", "C20");
    for (int i = 0; i < moves; ++i) {
        game.whiteMoves.push_back("Nf3");
        game.blackMoves.push_back(i + 1 < moves || lastBlack ? "Nf6" : "");
    }
    game.result = "1-0";
    return game;
}

TEST(PrintList, RecordsKeepTheirLayoutAndReadBack) {
    PrintedGame actual;
    actual.kind = PrintedGame::Kind::kActual;
    actual.lines = {"[Event \"x\"]", "", "1.e4 *", "", ""};
    const std::vector<std::uint8_t> normal = EncodePrintedGame(Normal(1, false));
    ASSERT_EQ(normal.size(), kNormalRecordSize);
    EXPECT_EQ(normal[4 + 199], 0) << "header line 1 is cut to its field";
    const std::vector<std::uint8_t> text = EncodePrintedGame(actual);
    std::string bytes(normal.begin(), normal.end());
    bytes.append(text.begin(), text.end());
    const auto games = DecodePrintList(bytes);
    ASSERT_TRUE(games.has_value());
    ASSERT_EQ(games->size(), 2u);
    EXPECT_EQ((*games)[0].headerLine1.size(), 199u);
    EXPECT_EQ((*games)[0].whiteMoves, std::vector<std::string>{"Nf3"});
    EXPECT_EQ((*games)[0].blackMoves, std::vector<std::string>{""});
    EXPECT_EQ((*games)[1].lines, (std::vector<std::string>{"[Event \"x\"]", "", "1.e4 *"}))
        << "an empty line is kept as a blank record, the empty lines at the end are dropped";
    EXPECT_FALSE(DecodePrintList(bytes.substr(0, bytes.size() - 1)).has_value());
    EXPECT_EQ(GameTextLines("[A \"1\"]\r\n\r\n1.e4 *\r\n\r\n[B \"2\"]\r\n"),
              (std::vector<std::string>{"[A \"1\"]", "", "1.e4 *", ""}));
}

TEST(PrintLayout, LinesFitThePageAndBlocksKeepTogetherOrSplitWhenTooTall) {
    HeadlessPrinter printer;
    // Page 1020 x 1500: margin 30, text 960 pixels (96 characters); font 30, lines of 32, 44 lines
    // a page (1500 - 64 usable, the first at 32).
    PrintedGame oneMove = Normal(1, false);
    auto pages = PrintedPages({oneMove}, printer);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0][0], kGameSeparator);
    EXPECT_EQ(pages[0][1].size(), 96u) << "a header line is cut at the page's edge";
    EXPECT_EQ(pages[0][3], "");
    EXPECT_EQ(pages[0][4], "1.Nf3 1-0");
    EXPECT_EQ(printer.documents.back().name, kPrintDocumentName);
    EXPECT_EQ(printer.documents.back().fontHeight, 30);

    // 40 moves take 5 lines, a game 9: four fill 36 of the 44 lines, and the fifth, which does not
    // fit the 8 left, starts page 2.
    pages = PrintedPages(
        {Normal(40, true), Normal(40, true), Normal(40, true), Normal(40, true), Normal(40, true)}, printer);
    ASSERT_EQ(pages.size(), 2u);
    EXPECT_EQ(pages[0].size(), 36u);
    EXPECT_EQ(pages[1].size(), 9u);
    EXPECT_EQ(pages[1][0], kGameSeparator);
    for (const auto& page : pages) {
        for (const std::string& line : page) {
            EXPECT_LE(line.size(), 96u) << line;
        }
    }

    // A game taller than a page goes on over the next: with 300 lines a page the font is 5 pixels.
    PrintedGame tall = Normal(200, true);
    printer.pageWidth = 340;  // 30 characters a line after the margins of 10
    pages = PrintedPages({tall}, printer, 300);
    ASSERT_GE(pages.size(), 1u);
    std::string all;
    for (const auto& page : pages) {
        for (const std::string& line : page) {
            all += line;
        }
    }
    EXPECT_NE(all.find("200.Nf3 Nf6 1-0"), std::string::npos);

    printer.pageHeight = 400;
    pages = PrintedPages({tall}, printer);
    EXPECT_GT(pages.size(), 1u) << "the game is split over pages";
    all.clear();
    for (const auto& page : pages) {
        EXPECT_LE(page.size(), 48u);
        for (const std::string& line : page) {
            all += line;
        }
    }
    EXPECT_NE(all.find("199.Nf3 Nf6 200.Nf3 Nf6 1-0"), std::string::npos);
}

TEST(PrintLayout, ActualTextBreaksAtBlanksAndCutsAWordLongerThanTheLine) {
    HeadlessPrinter printer;
    printer.pageWidth = 340;  // 32 characters
    PrintedGame actual;
    actual.kind = PrintedGame::Kind::kActual;
    actual.lines = {"[Event \"x\"]", "", "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 5.O-O Be7 *",
                    std::string(70, 'x')};
    const auto pages = PrintedPages({actual}, printer);
    ASSERT_EQ(pages.size(), 1u);
    EXPECT_EQ(pages[0],
              (std::vector<std::string>{kGameSeparator, "[Event \"x\"]", "",
                                        "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4", "Nf6 5.O-O Be7 *",
                                        std::string(32, 'x'), std::string(32, 'x'), std::string(6, 'x')}));
}

}  // namespace
}  // namespace ravelin::reports
