// The move list and the line below the board in figurine notation: the core hands the window the
// figurine of each piece move and the move without its letter; everything else keeps letters.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <tuple>
#include <vector>

#include "display/figurine_text.h"
#include "display/game_display.h"
#include "game_view_session.h"

namespace ravelin::display {
namespace {

using shell::testing_support::Dirs;
using shell::testing_support::Session;

// 1.d4 Nf6 2.c4 g6 3.Nc3 Bg7 4.e4 d6 5.Nf3 O-O ... 9...Qe8 ... 15.Re1 ... 36.Kf1
const char kGame[] = "pgn/anastasian-lewis.pgn";

struct FigurineViewer : testing::GameViewSession {
    explicit FigurineViewer(settings::BoardSizeOption size = settings::BoardSizeOption::kSmall,
                            std::string_view letters = settings::kDefaultPieceLetters)
        : GameViewSession(testing::DataText(kGame), 1, [size, letters](settings::SettingsRecord& settings) {
              settings.SetNotationStyle(1);
              settings.SetBoardSize(size);
              EXPECT_TRUE(settings.SetPieceLetters(letters));
          }) {
        // Six pixels a character: about what the window's 11-pixel font takes for numbers and moves.
        Display().measure = [](std::string_view text, int, TextFont) {
            return static_cast<int>(text.size()) * 6;
        };
    }
    // The move list's item in the cell of a ply: the nearest at or right of the cell's x in its row.
    TextItem CellItem(int ply, bool figurineOnly) {
        const MoveListCell cell = CellOfPly(ply);
        const int x = Display().Layout().MoveColumnX(cell.columnPair, cell.black);
        TextItem best;
        best.x = -1;
        for (const TextItem& item : Display().State("", "").texts) {
            if (item.y == Display().Layout().MoveRowY(cell.pageRow) && item.x >= x &&
                (!figurineOnly || item.figurine != nullptr) && (best.x < 0 || item.x < best.x)) {
                best = item;
            }
        }
        return best;
    }
};

TEST(FigurineMoveList, PieceMovesCarryTheirFigurinePawnMovesAndCastlingDoNot) {
    FigurineViewer viewer;
    ASSERT_TRUE(viewer.Display().HasGame());
    EXPECT_TRUE(viewer.Messages().empty());
    const std::tuple<int, chess::PieceCode, std::string> pieceMoves[] = {{2, chess::kKnight, "f6"},
                                                                         {6, chess::kBishop, "g7"},
                                                                         {18, chess::kQueen, "e8"},
                                                                         {29, chess::kRook, "e1"}};
    for (const auto& [ply, kind, text] : pieceMoves) {
        SCOPED_TRACE(ply);
        TextItem item = viewer.CellItem(ply, true);
        ASSERT_NE(item.figurine, nullptr);
        EXPECT_EQ(item.figurineKind, kind);
        EXPECT_EQ(item.text, text);
        EXPECT_LE(item.figurine->width, kFigurineSizeNormal);
        EXPECT_EQ(item.figurine->height, kFigurineSizeNormal);
        EXPECT_EQ(item.textOffset, item.figurine->width + kFigurineTextGap);
        // Number, figurine and text stay within the column.
        const MoveListCell cell = CellOfPly(ply);
        const GameLayout& layout = viewer.Display().Layout();
        EXPECT_LE(item.x + item.textOffset + viewer.Display().measure(item.text, item.fontPixels, item.font),
                  layout.MoveColumnX(cell.columnPair, cell.black) + layout.moveList.blackColumnOffset);
        // Centred in its line.
        EXPECT_EQ(FigurineTop(item) - item.y, (item.lineHeight - item.figurine->height) / 2);
    }
    EXPECT_EQ(viewer.CellItem(5, false).text, "  3. ");  // the number of a white piece move stands alone
    for (int ply : {4, 10}) {                            // g6, O-O
        TextItem item = viewer.CellItem(ply, false);
        EXPECT_EQ(item.figurine, nullptr) << ply;
        EXPECT_EQ(item.text, viewer.Display().MoveListText(ply));
    }
    EXPECT_EQ(viewer.CellItem(10, false).text, "O-O");
    // Plain text keeps the letters.
    EXPECT_EQ(viewer.Display().PlainMove(2), "Nf6");
    EXPECT_EQ(viewer.Display().MoveListText(5), "  3. Nc3");
    // A click on a figurine, or just right of it on the square letters, picks its move.
    TextItem bishop = viewer.CellItem(6, true);
    viewer.Viewer().Click(bishop.x + bishop.figurine->width / 2, FigurineTop(bishop) + 2);
    EXPECT_EQ(viewer.Display().CurrentPly(), 6);
    viewer.Display().GoToStart();
    viewer.Viewer().Click(bishop.x + bishop.textOffset + 1, bishop.y + 2);
    EXPECT_EQ(viewer.Display().CurrentPly(), 6);
}

// On the large board with the user's own piece letters: the large figurines, found by the own letters,
// in the move list and in the line below the board, where the current move is bold after its number.
TEST(FigurineMoveList, TheLargeBoardAndOwnLettersAndTheLineBelowTheBoard) {
    FigurineViewer viewer(settings::BoardSizeOption::kLarge, "KDTLS");
    GameDisplay& display = viewer.Display();
    ASSERT_EQ(display.Options().squareSize, kLargeSquareSize);
    EXPECT_EQ(display.PlainMove(2), "Sf6");
    TextItem knight = viewer.CellItem(2, true);
    ASSERT_NE(knight.figurine, nullptr);
    EXPECT_EQ(knight.figurineKind, chess::kKnight);
    EXPECT_EQ(knight.figurine->height, kFigurineSizeLarge);
    EXPECT_LE(knight.figurine->height, knight.lineHeight);
    display.GoToPly(71);  // 36.Kf1
    GameViewState state = display.State("", "");
    auto below = [&](auto&& match) {
        return std::find_if(state.texts.begin(), state.texts.end(), [&](const TextItem& item) {
            return item.x < display.Layout().panelX &&
                   item.y > display.Layout().belowBoardTop - display.Layout().squareSize && match(item);
        });
    };
    auto king = below([](const TextItem& item) { return item.figurine != nullptr; });
    ASSERT_NE(king, state.texts.end());
    EXPECT_EQ(king->figurineKind, chess::kKing);
    EXPECT_EQ(king->text, "f1");
    EXPECT_TRUE(king->bold);
    auto number = below([](const TextItem& item) { return item.text == " 36. "; });
    ASSERT_NE(number, state.texts.end());
    EXPECT_LT(number->x, king->x);
}

TEST(FigurineFailure, AnUnreadableFigurineIsReportedOnceAndTheMovesKeepTheirLetters) {
    Dirs dirs;
    // The user's own (broken) knight stays and is not replaced by the shipped one.
    dirs.work.Write("snbitmap.bmp", "BM not really a bitmap");
    Session session(dirs.work.Path().string());
    session.Start(dirs.files.Write("game.pgn", testing::DataText(kGame)));
    session.window.Settings().SetNotationStyle(1);
    session.window.Settings().SetSlideDelay(0);
    session.Command(shell::kCmdDisplayGame);
    session.Command(shell::kCmdDisplayGame);
    session.window.Viewer().Key(shell::GameKey::kNext);
    ASSERT_TRUE(session.window.Viewer().Display().HasGame());
    GameViewState state = session.window.Viewer().State();
    session.window.Viewer().State();
    const std::vector<std::string> texts = session.Messages();
    EXPECT_EQ(std::count(texts.begin(), texts.end(), std::string(kFigurineError)), 1);
    EXPECT_TRUE(std::none_of(state.texts.begin(), state.texts.end(),
                             [](const TextItem& item) { return item.figurine != nullptr; }));
    EXPECT_TRUE(std::any_of(state.texts.begin(), state.texts.end(),
                            [](const TextItem& item) { return item.text == "Nf6"; }));
    EXPECT_EQ(ravelin::testing::ReadWholeFile(dirs.work.File("snbitmap.bmp")), "BM not really a bitmap");
}

}  // namespace
}  // namespace ravelin::display
