// Add-game mode through the main window: moves played on the board, the header, the text mode and
// the four ways of saving, given by command id as the menus give them.

#include "shell/commands/add_game_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/messages.h"
#include "shell/command_ids.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/add_game_dialogs.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using testing_support::Session;

const std::string kOne = "[Event \"One\"]\r\n[Result \"*\"]\r\n\r\n1.d4 d5 *\r\n";

// Clicks the square's middle, found by asking the board which square each point is on.
void ClickSquare(Session& session, const char* square) {
    const int file = square[0] - 'a' + 1;
    const int rank = square[1] - '0';
    for (int y = 0; y < 1024; y += 3) {
        for (int x = 0; x < 1280; x += 3) {
            const auto at = session.window.AddGame().SquareAt(x, y);
            if (at && at->file == file && at->rank == rank) {
                session.window.Viewer().Click(x + 6, y + 6);
                return;
            }
        }
    }
    FAIL() << "no pixel on " << square;
}

void Play(Session& session, std::initializer_list<const char*> squares) {
    for (const char* square : squares) {
        ClickSquare(session, square);
    }
}

TEST(AddGameCommandsTest, MovesPlayedOnTheBoardAreAppendedAsTheirTextWithTheHeader) {
    OwnSession session(kOne);
    session.Command(kCmdAddGame);
    ASSERT_EQ(session.window.displayMode, kModeAddGame);
    // e2-e5 is not a move; g1-f3 after e7-e5 is; a black piece cannot move for white.
    Play(session, {"e2", "e5", "e2", "e4", "d2", "e7", "e5", "g1", "f3", "b8", "c6", "f1", "b5"});
    EXPECT_EQ(session.window.AddGame().Plies(), 5);
    session.OnDialog<EnteredHeaderDialog>([](EnteredHeaderDialog& header) {
        header.values[0] = "Club";
        header.values[4] = "Ames";
        header.values[6] = "1-0";
        return true;
    });
    session.Command(kCmdEditEnteredHeader);
    session.Command(kCmdAppendEnteredGame);

    const std::string added =
        "[Event \"Club\"]\r\n[Site \"\"]\r\n[Date \"\"]\r\n[Round \"\"]\r\n[White \"Ames\"]\r\n[Black "
        "\"\"]\r\n"
        "[Result \"1-0\"]\r\n[WhiteElo \"\"]\r\n[BlackElo \"\"]\r\n[ECO \"\"]\r\n\r\n1.e4 e5 2.Nf3 Nc6 3.Bb5 "
        " 1-0\r\n";
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()), kOne + "\r\n" + added);
    EXPECT_EQ(session.window.File().GameCount(), 2);
    EXPECT_EQ(session.window.File().currentGame, 2);
    EXPECT_EQ(session.window.displayMode, kModeGame);
}

TEST(AddGameCommandsTest, EditGameStartsFromTheEditedPositionAndAPawnPromotesToTheChosenPiece) {
    OwnSession session(kOne);
    chess::Board& board = session.window.Search().criteriaBoard.squares;
    board[5][1] = chess::kKing;
    board[1][7] = chess::kPawn;
    board[8][8] = chess::kKing + chess::kBlackOffset;
    session.platform.questionAnswers = {platform::kAnswerYes};
    session.Command(kCmdEditGameFromPosition);
    session.OnDialog<PromotionDialog>([](PromotionDialog& promotion) {
        promotion.piece = 'R';
        return true;
    });
    Play(session, {"a7", "a8"});
    const std::string target = session.files.Path().string() + "/new.pgn";
    session.platform.fileChoices = {target};
    session.Command(kCmdSaveEnteredNewFile);

    const std::string text = ravelin::testing::ReadWholeFile(target);
    EXPECT_NE(text.find("[ECO \"\"]\r\n[FEN \"7k/P7/8/8/8/8/8/4K3 w - - 0 1\"]\r\n\r\n1.a8=R+  *\r\n"),
              std::string::npos)
        << text;
    EXPECT_EQ(session.window.File().Path(), target);
    EXPECT_EQ(session.window.File().GameCount(), 1);
}

TEST(AddGameCommandsTest, SavesAreRefusedWithTheirMessageAndLeaveTheFilesAsTheyWere) {
    struct Case {
        const char* name;
        bool openFile;
        bool playMove;
        const char* result;
        int command;
        std::string message;
    };
    const Case cases[] = {
        {"no moves", true, false, "*", kCmdAppendEnteredGame, kNoMovesEntered},
        {"a result that is not PGN", true, true, "1/2", kCmdInsertEnteredGame, gamefile::kResultMustBe},
        {"append without a file", false, true, "*", kCmdAppendEnteredGame, gamefile::kMustOpenFile},
        {"overwrite without a file", false, true, "*", kCmdOverwriteLastEnteredGame, gamefile::kMustOpenFile},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnSession session(c.openFile ? kOne : "");
        session.Command(kCmdAddGame);
        if (c.playMove) {
            Play(session, {"e2", "e4"});
        }
        session.OnDialog<EnteredHeaderDialog>([&c](EnteredHeaderDialog& header) {
            header.values[6] = c.result;
            return true;
        });
        session.Command(kCmdEditEnteredHeader);
        session.ClearRecords();
        session.Command(c.command);
        EXPECT_EQ(session.Messages(), std::vector<std::string>{c.message});
        if (c.openFile) {
            EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()), kOne);
        }
    }
}

TEST(AddGameCommandsTest, TheHeaderDialogRefusesValuesThatWouldBreakTheTagLine) {
    for (const char* value : {"say \"hi\"", "two\nlines", "carriage\rreturn"}) {
        EnteredHeaderDialog dialog({});
        dialog.values[1] = value;
        EXPECT_EQ(dialog.Validate(), gamefile::kHeaderValueRefused) << value;
    }
}

TEST(AddGameCommandsTest, NewFileOverAnExistingFileAsksAndKeepsItOnNo) {
    OwnSession session(kOne);
    const std::string other = session.files.Write("other.pgn", kOne);
    session.Command(kCmdAddGame);
    Play(session, {"e2", "e4"});
    session.platform.fileChoices = {other};
    session.platform.questionAnswers = {platform::kAnswerNo};
    session.Command(kCmdSaveEnteredNewFile);
    EXPECT_EQ(ravelin::testing::ReadWholeFile(other), kOne);
    EXPECT_EQ(session.window.displayMode, kModeAddGame);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kAddGame);
    // Leaving the mode by another view takes the add-game menu bar along.
    session.Command(kCmdDisplayGame);
    EXPECT_EQ(session.window.displayMode, kModeGame);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kMain);
}

TEST(AddGameCommandsTest, CopyToAddGameTakesAGameFromItsFenPositionWithBlackFirst) {
    const std::string fenGame =
        "[Event \"Ending\"]\r\n[Result \"*\"]\r\n[FEN \"7k/8/8/8/8/8/p7/4K3 b - - 0 1\"]\r\n\r\n"
        "1... a1=Q+ 2.Kd2 Qb2+ *\r\n";
    OwnSession session(fenGame);
    session.window.HandleCommand(kCmdEndOfGame);
    session.Command(kCmdCopyToAddGame);
    ASSERT_EQ(session.window.displayMode, kModeAddGame);
    Play(session, {"d2", "d3"});
    session.Command(kCmdAppendEnteredGame);

    const std::string file = ravelin::testing::ReadWholeFile(session.window.File().Path());
    EXPECT_TRUE(
        file.ends_with("[ECO \"\"]\r\n[FEN \"7k/8/8/8/8/8/p7/4K3 b - - 0 1\"]\r\n\r\n"
                       "1... a1=Q+ 2.Kd2 Qb2+ 3.Kd3  *\r\n"))
        << file;
    EXPECT_TRUE(file.find("[Event \"Ending\"]", fenGame.size()) != std::string::npos);
}

TEST(AddGameCommandsTest, TextModeStartsFromTheTemplateAndInsertsTheTypedGame) {
    OwnSession session(kOne);
    session.Command(kCmdAddGame);
    std::string typed;
    session.OnDialog<AddGameTextDialog>([&typed](AddGameTextDialog& dialog) {
        EXPECT_TRUE(dialog.text.starts_with("[Event \"?\"]\r\n[Site \"?\"]\r\n[Date \"????.??.??\"]"));
        dialog.Act(AddTextAction::kClearMoves);
        EXPECT_TRUE(dialog.text.ends_with("[ECO \"?\"]\r\n\r\n1.")) << dialog.text;
        dialog.Act(AddTextAction::kCopyMoves);  // the shown game's moves after the template
        typed = dialog.text;
        return dialog.Act(AddTextAction::kInsert);
    });
    session.Command(kCmdAddGameTextMode);
    EXPECT_TRUE(typed.ends_with("\r\n\r\n1.d4 d5  *\r\n")) << typed;
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()), typed + "\r\n" + kOne);
    EXPECT_EQ(session.window.File().currentGame, 1);
}

}  // namespace
}  // namespace ravelin::shell
