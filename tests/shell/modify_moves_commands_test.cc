// "Modify Moves": the main line changed on the board and written in place of the game's movetext.

#include "shell/commands/modify_moves_commands.h"

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
using Texts = std::vector<std::string>;

const std::string kFirst =
    "[Event \"One\"]\r\n[Annotator \"Me\"]\r\n[Result \"*\"]\r\n\r\n1.e4 e5 2.Nf3 *\r\n\r\n";
const std::string kSecond = "[Event \"Two\"]\r\n[Result \"*\"]\r\n\r\n1.d4 {solid} d5 *\r\n";

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

TEST(ModifyMovesCommandsTest, TheChangedMovesAndHeaderReplaceTheMovetextAndTheOtherTagsStay) {
    OwnSession session(kFirst + kSecond);
    session.Command(kCmdDisplayGame);
    session.Command(kCmdModifyMoves);
    ASSERT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kModifyMoves);
    session.window.Viewer().Character('\b');
    ClickSquare(session, "b1");
    ClickSquare(session, "c3");
    session.OnDialog<EnteredHeaderDialog>([](EnteredHeaderDialog& dialog) {
        EXPECT_EQ(dialog.values[gamefile::kTagEvent], "One");
        dialog.values[gamefile::kTagResult] = "1-0";
        return true;
    });
    session.Command(kCmdEditModifiedHeader);
    session.Command(kCmdSaveModifiedMoves);
    EXPECT_EQ(session.Messages(), Texts{});
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()),
              "[Event \"One\"]\r\n[Annotator \"Me\"]\r\n[Result \"1-0\"]\r\n\r\n1.e4 e5 2.Nc3  1-0\r\n\r\n" +
                  kSecond);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kMain);
}

TEST(ModifyMovesCommandsTest, AnAnnotatedGameIsOnlySavedAfterTheQuestionAndExitAsksFirst) {
    OwnSession session(kFirst + kSecond);
    session.window.File().currentGame = 2;
    session.Command(kCmdDisplayGame);
    session.Command(kCmdModifyMoves);
    session.platform.questionAnswers = {platform::kAnswerNo, platform::kAnswerNo, platform::kAnswerYes};
    session.Command(kCmdSaveModifiedMoves);
    session.Command(kCmdExitModifyMoves);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kModifyMoves);
    session.Command(kCmdExitModifyMoves);
    ASSERT_EQ(session.platform.messages.size(), 3u);
    EXPECT_EQ(session.platform.messages[0].text, kAnnotationsWillBeLost);
    EXPECT_EQ(session.platform.messages[1].text, kAreYouSure);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kMain);
    EXPECT_EQ(session.window.displayMode, kModeGame);
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()), kFirst + kSecond);
}

}  // namespace
}  // namespace ravelin::shell
