// The move list and the line below the board in figurine notation: the core hands the window the
// figurine of each piece move and the move without its letter; everything else keeps letters.

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "display/bmp_writer.h"
#include "display/figurine_text.h"
#include "display/game_display.h"
#include "display/piece_set_install.h"
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
    // The move-list items (panel, below the heading) of the current page.
    std::vector<TextItem> MoveListItems() {
        GameViewState state = Display().State("", "");
        std::vector<TextItem> items;
        const int gridTop = Display().Layout().MoveRowY(4);
        for (const TextItem& item : state.texts) {
            if (item.y >= gridTop && item.x >= Display().Layout().panelX) {
                items.push_back(item);
            }
        }
        return items;
    }
    // The item of a move list cell: the one that starts at or right of the cell's x, nearest to it.
    TextItem CellItem(int ply, bool figurineOnly) {
        const MoveListCell cell = CellOfPly(ply);
        const int x = Display().Layout().MoveColumnX(cell.columnPair, cell.black);
        const int y = Display().Layout().MoveRowY(cell.pageRow);
        TextItem best;
        best.x = -1;
        for (const TextItem& item : MoveListItems()) {
            if (item.y != y || item.x < x || (figurineOnly && item.figurine == nullptr)) {
                continue;
            }
            if (best.x < 0 || item.x < best.x) {
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
    struct Expected {
        int ply;
        chess::PieceCode kind;
        std::string text;
    };
    const Expected pieceMoves[] = {{2, chess::kKnight, "f6"},
                                   {5, chess::kKnight, "c3"},
                                   {6, chess::kBishop, "g7"},
                                   {18, chess::kQueen, "e8"},
                                   {29, chess::kRook, "e1"}};
    for (const Expected& expected : pieceMoves) {
        TextItem item = viewer.CellItem(expected.ply, true);
        ASSERT_NE(item.figurine, nullptr) << expected.ply;
        EXPECT_EQ(item.figurineKind, expected.kind) << expected.ply;
        EXPECT_EQ(item.text, expected.text) << expected.ply;
        EXPECT_LE(item.figurine->width, kFigurineSizeNormal);
        EXPECT_EQ(item.figurine->height, kFigurineSizeNormal);
        EXPECT_EQ(item.textOffset, item.figurine->width + kFigurineTextGap);
        // Number, figurine and text stay within the column.
        const MoveListCell cell = CellOfPly(expected.ply);
        const GameLayout& layout = viewer.Display().Layout();
        EXPECT_LE(item.x + item.textOffset + viewer.Display().measure(item.text, item.fontPixels, item.font),
                  layout.MoveColumnX(cell.columnPair, cell.black) + layout.moveList.blackColumnOffset);
        // Centred in its line.
        EXPECT_EQ(FigurineTop(item) - item.y, (item.lineHeight - item.figurine->height) / 2);
    }
    // A white piece move: the number stands in its own item before the figurine.
    TextItem number = viewer.CellItem(5, false);
    EXPECT_EQ(number.text, "  3. ");
    EXPECT_EQ(number.figurine, nullptr);
    EXPECT_GT(viewer.CellItem(5, true).x, number.x);
    for (int ply : {1, 4, 7, 10}) {  // d4, g6, e4, O-O
        TextItem item = viewer.CellItem(ply, false);
        EXPECT_EQ(item.figurine, nullptr) << ply;
        EXPECT_EQ(item.figurineKind, 0) << ply;
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

TEST(FigurineMoveList, TheLineBelowTheBoardShowsTheFigurineOfTheCurrentMove) {
    FigurineViewer viewer;
    GameDisplay& display = viewer.Display();
    display.GoToPly(71);  // 36.Kf1
    GameViewState state = display.State("", "");
    const int boardBottom = display.Layout().belowBoardTop - display.Layout().squareSize;
    auto king = std::find_if(state.texts.begin(), state.texts.end(), [&](const TextItem& item) {
        return item.figurine != nullptr && item.x < display.Layout().panelX && item.y > boardBottom;
    });
    ASSERT_NE(king, state.texts.end());
    EXPECT_EQ(king->figurineKind, chess::kKing);
    EXPECT_EQ(king->text, "f1");
    EXPECT_TRUE(king->bold);
    auto number = std::find_if(state.texts.begin(), state.texts.end(), [&](const TextItem& item) {
        return item.text == " 36. " && item.x < display.Layout().panelX;
    });
    ASSERT_NE(number, state.texts.end());
    EXPECT_LT(number->x, king->x);
    EXPECT_EQ(display.MoveNumberText(71), " 36. Kf1");
    // A black pawn move has no figurine.
    display.GoToPly(4);
    state = display.State("", "");
    EXPECT_TRUE(std::any_of(state.texts.begin(), state.texts.end(),
                            [](const TextItem& item) { return item.text == "  2. ... g6"; }));
}

// The large board with the user's own piece letters.
TEST(FigurineMoveList, TheLargeBoardTakesTheLargeFigurinesAndOwnLettersFindThem) {
    FigurineViewer viewer(settings::BoardSizeOption::kLarge, "KDTLS");
    ASSERT_EQ(viewer.Display().Options().squareSize, kLargeSquareSize);
    EXPECT_EQ(viewer.Display().PlainMove(2), "Sf6");
    TextItem knight = viewer.CellItem(2, true);
    ASSERT_NE(knight.figurine, nullptr);
    EXPECT_EQ(knight.figurineKind, chess::kKnight);
    EXPECT_EQ(knight.text, "f6");
    EXPECT_EQ(knight.figurine->height, kFigurineSizeLarge);
    EXPECT_LE(knight.figurine->height, knight.lineHeight);
    std::optional<FigurineSet> normal = FigurineSet::Load(viewer.work.Path().string(), false);
    ASSERT_TRUE(normal);
    EXPECT_GT(knight.figurine->width, normal->Bitmap(chess::kKnight)->width);
    EXPECT_EQ(viewer.CellItem(6, true).figurineKind, chess::kBishop);
    EXPECT_EQ(viewer.CellItem(18, true).figurineKind, chess::kQueen);
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

TEST(FigurineFailure, AFigurineLargerThanItsSizeIsRefused) {
    ravelin::testing::TempDir work;
    PieceSetInstallResult installed =
        InstallFigurines(std::string(RAVELIN_SOURCE_DIR) + "/data/pieces", work.Path().string());
    EXPECT_EQ(installed.installed.size(), AllFigurineFileNames().size());
    EXPECT_TRUE(installed.failed.empty());
    ASSERT_TRUE(FigurineSet::Load(work.Path().string(), false));
    // An oversized queen would spill over the next moves.
    RgbImage wide(kFigurineSizeNormal * 4, kFigurineSizeNormal, {0, 0, 0});
    ASSERT_TRUE(WriteBmpFile(work.File("sqbitmap.bmp"), wide));
    EXPECT_FALSE(FigurineSet::Load(work.Path().string(), false));
    EXPECT_TRUE(FigurineSet::Load(work.Path().string(), true));
    // A second install keeps the user's file.
    EXPECT_TRUE(InstallFigurines(std::string(RAVELIN_SOURCE_DIR) + "/data/pieces", work.Path().string())
                    .installed.empty());
    EXPECT_FALSE(FigurineSet::Load(work.Path().string(), false));
}

}  // namespace
}  // namespace ravelin::display
