// Commands that change the open file, given by command id as the menus give them.

#include "shell/commands/game_writing_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>

#include "gamefile/game_text_adjust.h"
#include "platform/messages.h"
#include "shell/command_ids.h"
#include "shell/commands/modify_text_commands.h"
#include "shell/dialogs/modify_text_dialog.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using Texts = std::vector<std::string>;

const std::string kFirst =
    "[Event \"One\"]\r\n[Result \"1-0\"]\r\n\r\n1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0\r\n";
const std::string kSecond = "[Event \"Two\"]\r\n[Result \"*\"]\r\n\r\n1.d4 d5 *\r\n";
const std::string kThird = "[Event \"Three\"]\r\n[Result \"0-1\"]\r\n\r\n1.f3 e5 2.g4 Qh4# 0-1\r\n";

TEST(GameWritingCommandsTest, DeleteGameAsksTwiceRemovesTheShownGameAndShowsTheNextOne) {
    struct Case {
        const char* name;
        int game;
        std::vector<int> answers;
        std::string after;
        int gameAfter;
        int countAfter;
    };
    const Case cases[] = {
        {"the middle game", 2, {platform::kAnswerYes, platform::kAnswerYes}, kFirst + "\r\n" + kThird, 2, 2},
        {"the last game with its empty line",
         3,
         {platform::kAnswerYes, platform::kAnswerYes},
         kFirst + "\r\n" + kSecond,
         2,
         2},
        {"No at the second question",
         2,
         {platform::kAnswerYes, platform::kAnswerNo},
         kFirst + "\r\n" + kSecond + "\r\n" + kThird,
         2,
         3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnSession session(kFirst + "\r\n" + kSecond + "\r\n" + kThird);
        session.window.File().currentGame = c.game;
        session.platform.questionAnswers.assign(c.answers.begin(), c.answers.end());

        session.Command(kCmdDeleteGame);

        EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()), c.after);
        EXPECT_EQ(session.window.File().currentGame, c.gameAfter);
        EXPECT_EQ(session.window.File().GameCount(), c.countAfter);
        ASSERT_EQ(session.platform.messages.size(), 2u);
        EXPECT_EQ(session.platform.messages[0].text, kDeleteThisGame);
        EXPECT_EQ(session.platform.messages[1].text, kAreYouSure);
    }
}

TEST(GameWritingCommandsTest, DeletingTheOnlyGameLeavesAnEmptyFileAndThenSaysSo) {
    OwnSession session(kFirst);
    session.platform.questionAnswers = {platform::kAnswerYes, platform::kAnswerYes};
    session.Command(kCmdDeleteGame);
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()), "");
    EXPECT_EQ(session.window.File().GameCount(), 0);
    session.ClearRecords();
    session.Command(kCmdDeleteGame);
    EXPECT_EQ(session.Messages(), Texts{kNoGamesInFile});
}

TEST(GameWritingCommandsTest, TheGameBufferTakesTheShownGameAndSavesItWhereAsked) {
    struct Case {
        int command;
        std::string after;  // of the file "First, Second, Third" with game 2 in the buffer
        int gameAfter;
    };
    const std::string two = kSecond + "\r\n";
    const Case cases[] = {
        {kCmdAppendGameBuffer, kFirst + "\r\n" + kSecond + "\r\n" + kThird + "\r\n" + kSecond, 4},
        {kCmdInsertGameBuffer, kFirst + "\r\n" + two + kSecond + "\r\n" + kThird, 1},
        {kCmdOverwriteLastWithGameBuffer, kFirst + "\r\n" + kSecond + "\r\n" + kSecond, 3},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.command);
        // The file's games end with an empty line here, as files written by other programs often do.
        OwnSession session(kFirst + "\r\n" + kSecond + "\r\n" + kThird);
        session.Command(c.command);
        EXPECT_EQ(session.Messages(), Texts{kGameBufferEmpty});
        session.ClearRecords();
        session.window.File().currentGame = 2;

        session.Command(kCmdMoveGameToBuffer);
        session.Command(c.command);

        EXPECT_EQ(session.Messages(), Texts{kGameMovedToBuffer});
        EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()), c.after);
        EXPECT_EQ(session.window.File().currentGame, c.gameAfter);
    }
}

TEST(GameWritingCommandsTest, TheGameBufferIsShownToReadAndSavedAsANewFile) {
    OwnSession session(kFirst + "\r\n" + kSecond);
    session.window.File().currentGame = 2;
    session.Command(kCmdMoveGameToBuffer);
    std::string shown;
    session.OnDialog<ModifyTextDialog>([&shown](ModifyTextDialog& dialog) {
        EXPECT_TRUE(dialog.viewOnly);
        shown = dialog.text;
        return false;
    });
    session.Command(kCmdShowGameBuffer);
    EXPECT_EQ(shown, kSecond);

    const std::string target = session.files.Path().string() + "/buffer.pgn";
    session.platform.fileChoices = {target};
    session.Command(kCmdNewFileFromGameBuffer);
    EXPECT_EQ(ravelin::testing::ReadWholeFile(target), kSecond);
    EXPECT_EQ(session.window.File().Path(), target);
    EXPECT_EQ(session.window.File().GameCount(), 1);
}

TEST(GameWritingCommandsTest, CopyGameToTakesTheShownGameIntoAnotherFile) {
    struct Case {
        const char* name;
        int command;
        std::string existing;  // the target's contents before, "-" when there is none
        std::vector<int> answers;
        std::string after;  // "-" when the target must not exist
        Texts messages;
    };
    const Case cases[] = {
        {"to the end of an existing file",
         kCmdCopyGameToExistingFile,
         kFirst,
         {},
         kFirst + "\r\n" + kSecond,
         {}},
        {"to an existing file that is not there",
         kCmdCopyGameToExistingFile,
         "-",
         {},
         "-",
         {kFileDoesNotExist}},
        {"to a new file", kCmdCopyGameToNewFile, "-", {}, kSecond, {}},
        {"over a file after Yes", kCmdCopyGameToNewFile, kThird, {platform::kAnswerYes}, kSecond, {}},
        {"not over a file after No", kCmdCopyGameToNewFile, kThird, {platform::kAnswerNo}, kThird, {}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnSession session(kFirst + "\r\n" + kSecond + "\r\n" + kThird);
        const std::string target = session.files.File("target.pgn");
        if (c.existing != "-") {
            session.files.Write("target.pgn", c.existing);
        }
        session.window.File().currentGame = 2;
        session.platform.questionAnswers.assign(c.answers.begin(), c.answers.end());
        session.platform.fileChoices = {session.files.File("target")};

        session.Command(c.command);

        EXPECT_EQ(session.Messages(), c.messages);
        EXPECT_EQ(std::filesystem::exists(target), c.after != "-");
        if (c.after != "-") {
            EXPECT_EQ(ravelin::testing::ReadWholeFile(target), c.after);
        }
    }
    OwnSession session(kFirst);
    session.platform.fileChoices = {session.window.File().Path()};
    session.Command(kCmdCopyGameToNewFile);
    EXPECT_EQ(session.Messages(), Texts{kSameAsCurrentFile});
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()), kFirst);
}

std::string Words(int count) {
    std::string words;
    for (int i = 0; i < count; ++i) {
        words += "word ";
    }
    return words;
}

TEST(GameWritingCommandsTest, ModifyTextWritesTheEditedGameInPlaceWithLongLinesCutAndComesBackAfterNo) {
    OwnSession session(kFirst + "\r\n" + kSecond + "\r\n" + kThird);
    session.window.File().currentGame = 2;
    const std::string edited = "[Event \"Two\"]\r\n[Result \"*\"]\r\n\r\n1.d4  d5 {" + Words(60) + "} 2.c4 *";
    int shown = 0;
    session.OnDialog<ModifyTextDialog>([&](ModifyTextDialog& dialog) {
        if (shown++ == 0) {
            EXPECT_EQ(dialog.text, kSecond);
            dialog.text = edited;
        } else {
            EXPECT_EQ(dialog.text, edited);  // the edit survives the No
        }
        return true;
    });
    session.platform.questionAnswers = {platform::kAnswerNo, platform::kAnswerYes};
    session.Command(kCmdModifyText);

    EXPECT_EQ(shown, 2);
    const std::string file = ravelin::testing::ReadWholeFile(session.window.File().Path());
    ASSERT_TRUE(file.starts_with(kFirst + "\r\n[Event \"Two\"]\r\n[Result \"*\"]\r\n\r\n1.d4 d5 {word word"));
    ASSERT_TRUE(file.ends_with("word } 2.c4 *\r\n\r\n" + kThird)) << file;
    const std::string game = file.substr(kFirst.size() + 2, file.size() - kFirst.size() - 2 - kThird.size());
    int words = 0;
    for (std::size_t at = game.find("word"); at != std::string::npos; at = game.find("word", at + 1)) {
        ++words;
    }
    EXPECT_EQ(words, 60);  // cut at blanks, nothing lost
    for (std::size_t start = 0, end; (end = game.find("\r\n", start)) != std::string::npos; start = end + 2) {
        EXPECT_LE(end - start, gamefile::kAdjustLongLine);
    }
    EXPECT_EQ(session.window.File().GameCount(), 3);
    EXPECT_EQ(session.window.File().currentGame, 2);
}

TEST(GameWritingCommandsTest, ModifyTextRefusesATagLineTooLongToWriteAndKeepsTheFile) {
    const std::string before = kFirst + "\r\n" + kSecond;
    OwnSession session(before);
    session.window.File().currentGame = 2;
    int shown = 0;
    session.OnDialog<ModifyTextDialog>([&](ModifyTextDialog& dialog) {
        dialog.text = "[Event \"" + std::string(300, 'x') + "\"]\r\n\r\n1.d4 {open *\r\n";
        return shown++ == 0;
    });
    session.platform.questionAnswers = {platform::kAnswerYes};
    session.Command(kCmdModifyText);
    EXPECT_EQ(session.Messages(), (Texts{gamefile::kCommentBracesOutOfSync, gamefile::kRecordsTooLong}));
    EXPECT_EQ(shown, 2);
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()), before);
}

}  // namespace
}  // namespace ravelin::shell
