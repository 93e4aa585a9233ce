// The commands on the lines of the shown game and its text: "Set New Start", "Select Line", "Show
// Line", "Prev Game Text" and "Actual List Box".

#include <gtest/gtest.h>

#include <memory>
#include <optional>
#include <string>
#include <vector>

#include "chess/board.h"
#include "display/game_display.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/dialogs/select_line_dialog.h"
#include "shell/display_mode.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using testing::TempDir;
using testing_support::Session;

// The first game has two variations after 2...Nc6, the first with a nested one; the third starts
// from a set-up position.
const std::string kGames =
    "[Event \"Lines\"]\n[Result \"*\"]\n\n"
    "1.e4 e5 2.Nf3 Nc6 (2...Nf6 3.Nxe5 (3.Nc3 Bb4) 3...d6) (2...d6 3.d4 exd4 4.Nxd4) 3.Bb5 a6 4.Ba4 *\n\n"
    "[Event \"Second\"]\n[Result \"*\"]\n\n1.d4 d5 2.c4 *\n\n"
    "[Event \"Set up\"]\n[FEN \"4k3/8/8/8/8/8/4P3/4K3 w - - 0 1\"]\n[SetUp \"1\"]\n[Result \"*\"]\n\n"
    "1.e4 (1.e3 Kd7) 1...Kd8 *\n";

chess::PieceCode At(const chess::Board& board, char file, int rank) {
    return board[file - 'a' + 1][rank];
}

class GameLinesTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session = std::make_unique<Session>(work.Path().string());
        session->Start(files.Write("lines.pgn", kGames));
        ASSERT_EQ(session->window.displayMode, kModeGame);
        session->ClearRecords();
    }
    display::GameDisplay& Display() { return session->window.Viewer().Display(); }
    void Step(GameKey key, int times = 1) {
        for (int k = 0; k < times; ++k) {
            session->window.Viewer().Key(key);
        }
    }
    void ShowGame(int game) {
        session->window.File().currentGame = game;
        session->Command(kCmdDisplayGame);
    }
    // Answers "Select Line" with the row chosen and keeps the rows it offered.
    void AnswerSelectLine(int row) {
        session->platform.dialogScript = [this, row](platform::Dialog& dialog) {
            auto* select = dynamic_cast<SelectLineDialog*>(&dialog);
            if (select == nullptr) {
                return false;
            }
            offered = select->lines;
            select->selected = row;
            return true;
        };
    }

    TempDir work;
    TempDir files;
    std::unique_ptr<Session> session;
    std::vector<std::string> offered;
};

TEST_F(GameLinesTest, NewStartIsWhereStartOfGameGoesUntilAnotherGameIsShown) {
    Step(GameKey::kNext, 5);
    session->Command(kCmdSetNewStart);
    EXPECT_EQ(session->platform.MessageTexts(),
              std::vector<std::string>{"This position will be the new start postition."});
    Step(GameKey::kEnd);
    session->Command(kCmdStartOfGame);
    EXPECT_EQ(Display().CurrentPly(), 5);
    Step(GameKey::kPrevious, 2);
    Step(GameKey::kStart);
    EXPECT_EQ(Display().CurrentPly(), 5);
    // Reading the same game again keeps it; another game forgets it.
    session->Command(kCmdDisplayGame);
    Step(GameKey::kStart);
    EXPECT_EQ(Display().CurrentPly(), 5);
    ShowGame(2);
    ShowGame(1);
    Step(GameKey::kEnd);
    Step(GameKey::kStart);
    EXPECT_EQ(Display().CurrentPly(), 0);
}

TEST_F(GameLinesTest, SelectLineShowsTheChosenVariationAtItsFirstMove) {
    Step(GameKey::kNext, 4);
    AnswerSelectLine(1);
    session->Command(kCmdSelectLine);
    EXPECT_EQ(session->platform.dialogTitles, std::vector<std::string>{"Select Line"});
    EXPECT_EQ(offered, (std::vector<std::string>{"2...Nf6 3.Nxe5 3...d6", "2...d6 3.d4 exd4 4.Nxd4"}));
    ASSERT_TRUE(Display().InVariation());
    EXPECT_EQ(Display().Variation()->CurrentMove(), "d6");
    EXPECT_EQ(At(Display().Screen().Shown(), 'd', 6), chess::MakePiece(chess::Side::kBlack, chess::kPawn));
    EXPECT_EQ(At(Display().Screen().Shown(), 'c', 6), chess::kEmpty);
    // Next steps along the line, End of Variation comes back to the game.
    Step(GameKey::kNext);
    EXPECT_EQ(At(Display().Screen().Shown(), 'd', 4), chess::MakePiece(chess::Side::kWhite, chess::kPawn));
    session->Command(kCmdEndOfVariation);
    EXPECT_FALSE(Display().InVariation());
    EXPECT_EQ(Display().CurrentPly(), 4);
}

TEST_F(GameLinesTest, ShowLinePlaysTheLineOutToItsEnd) {
    Step(GameKey::kNext, 4);
    session->Command(kCmdShowLine);
    ASSERT_TRUE(Display().InVariation());
    // The first line after 2...Nc6, without its nested 3.Nc3.
    EXPECT_EQ(Display().Variation()->CurrentMove(), "d6");
    EXPECT_EQ(At(Display().Screen().Shown(), 'e', 5), chess::MakePiece(chess::Side::kWhite, chess::kKnight));

    AnswerSelectLine(1);
    session->Command(kCmdSelectLine);
    session->Command(kCmdShowLine);
    EXPECT_EQ(Display().Variation()->CurrentMove(), "Nxd4");
}

TEST_F(GameLinesTest, LinesNeedAVariationAndAGameFromTheStartPosition) {
    Step(GameKey::kNext, 1);
    session->Command(kCmdSelectLine);
    session->Command(kCmdShowLine);
    ShowGame(3);
    Step(GameKey::kNext, 1);
    session->Command(kCmdSelectLine);
    EXPECT_EQ(session->platform.MessageTexts(),
              (std::vector<std::string>{"There is no variation after this move.",
                                        "There is no variation after this move.",
                                        "Play analysis is not supported for FEN positions."}));
    EXPECT_TRUE(session->platform.dialogTitles.empty());
    EXPECT_FALSE(Display().InVariation());
}

TEST_F(GameLinesTest, PrevGameTextAndActualListBoxFollowTheTextView) {
    session->window.Settings().SetDisplayActualText(true);
    ShowGame(3);
    session->Command(kCmdDisplayText);
    ASSERT_EQ(session->window.displayMode, kModeText);
    session->Command(kCmdActualListBox);
    ASSERT_TRUE(session->window.Viewer().ActualTextOpen());
    EXPECT_EQ(session->window.Viewer().ActualText().Rows().front(), "[Event \"Set up\"]");

    session->Command(kCmdPrevGameText);
    EXPECT_EQ(session->window.displayMode, kModeText);
    EXPECT_EQ(session->window.File().currentGame, 2);
    EXPECT_EQ(session->window.Viewer().Text().Rows().front(), "[Event \"Second\"]");
    EXPECT_EQ(session->window.Viewer().ActualText().Rows().front(), "[Event \"Second\"]");
    // The game display is a new view: the window closes.
    session->Command(kCmdDisplayGame);
    EXPECT_FALSE(session->window.Viewer().ActualTextOpen());
}

}  // namespace
}  // namespace ravelin::shell
