// The clipboard commands, given by command id as the menus give them.

#include "shell/commands/clipboard_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "chess/board.h"
#include "platform/messages.h"
#include "shell/command_ids.h"
#include "shell/commands/add_game_editor.h"
#include "shell/commands/engine_commands.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/game_writing_commands.h"
#include "shell/dialogs/paste_games_dialog.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using Texts = std::vector<std::string>;

const std::string kMate =
    "[Event \"One\"]\r\n[Result \"1-0\"]\r\n\r\n1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0\r\n";
const std::string kShort = "[Event \"Two\"]\r\n[Result \"*\"]\r\n\r\n1.d4 d5 *\r\n";

std::string KnightDance(int moves) {
    std::string text;
    for (int i = 1; i <= moves; ++i) {
        text += std::to_string(i) + (i % 2 == 1 ? ".Nf3 Nf6 " : ".Ng1 Ng8 ");
    }
    return text;
}

TEST(ClipboardCommandsTest, CopyMovesPutsTheMainLineAndResultInLinesOfAtMostEightyCharacters) {
    struct Case {
        const char* name;
        std::string pgn;
        std::string joined;  // the lines without their line ends, put together
    };
    const Case cases[] = {
        {"white mates", kMate, "1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7# 1-0"},
        {"black replies last", kShort, "1.d4 d5 *"},
        {"a long game wraps",
         "[Event \"Dance\"]\r\n[Result \"1/2-1/2\"]\r\n\r\n" + KnightDance(30) + "1/2-1/2\r\n",
         KnightDance(30) + "1/2-1/2"},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnSession session(c.pgn);
        session.Command(kCmdCopyMovesToClipboard);
        EXPECT_EQ(session.Messages(), Texts{kMovesCopied});
        const std::string& copied = session.platform.clipboardText;
        ASSERT_TRUE(copied.ends_with("\r\n")) << copied;
        std::string joined;
        std::size_t start = 0;
        int lines = 0;
        for (std::size_t end; (end = copied.find("\r\n", start)) != std::string::npos; start = end + 2) {
            EXPECT_LE(end - start, kClipboardLineWidth);
            joined += copied.substr(start, end - start);
            ++lines;
        }
        EXPECT_EQ(joined, c.joined);
        EXPECT_EQ(lines > 1, c.joined.size() > kClipboardLineWidth) << copied;
    }
}

TEST(ClipboardCommandsTest, CopyMovesOnTheAnalysisBoardStartsAfterTheGamePositionItWasEnteredFrom) {
    const struct {
        int plies;  // shown in the game when "Analyze" is chosen
        const char* copied;
    } cases[] = {
        {0, "1.e4 e5 2.Qh5 Nc6 3.Bc4 Nf6 4.Qxf7+\r\n"},
        {3, "2...Nc6 3.Bc4 Nf6 4.Qxf7+\r\n"},
        {4, "3.Bc4 Nf6 4.Qxf7+\r\n"},
    };
    for (const auto& c : cases) {
        SCOPED_TRACE(c.plies);
        OwnSession session(kMate);
        for (int ply = 0; ply < c.plies; ++ply) {
            session.window.Viewer().Key(GameKey::kNext);
        }
        session.Command(kCmdAnalyze);
        session.Command(kCmdCopyMovesToClipboard);
        EXPECT_EQ(session.Messages(), Texts{kMovesCopied});
        EXPECT_EQ(session.platform.clipboardText, c.copied);
    }
}

TEST(ClipboardCommandsTest, PastedGamesAreStoredInANewFileOrAppendedAndTheOpenFileCountsThemAtOnce) {
    struct Case {
        const char* name;
        std::string pasted;
        bool append;
        bool intoOpenFile;
        Texts messages;
        int countAfter;  // of the open file
        std::string targetAfter;
    };
    const std::string two = kShort + "\r\n" + kMate;
    const Case cases[] = {
        {"a new file", two, false, false, {kCopyGamesComplete}, 1, two},
        {"appended to the open file", two, true, true, {kCopyGamesComplete}, 3, kShort + "\r\n" + two},
        {"a new file over the open one", two, false, true, {kSameAsCurrentFile}, 1, kShort},
        {"nothing pasted", " \r\n", false, false, {kNoPastedGames}, 1, ""},
        {"appended to a missing file", two, true, false, {"Error opening file."}, 1, ""},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnSession session(kShort);
        const std::string target =
            c.intoOpenFile ? session.window.File().Path() : session.files.Path().string() + "/pasted.pgn";
        session.platform.fileChoices = {target};
        session.OnDialog<PasteGamesDialog>([&c](PasteGamesDialog& dialog) {
            dialog.text = c.pasted;
            dialog.append = c.append;
            return true;
        });
        session.Command(kCmdCopyGamesFromClipboard);
        EXPECT_EQ(session.Messages(), c.messages);
        EXPECT_EQ(session.window.File().GameCount(), c.countAfter);
        if (c.targetAfter.empty()) {
            EXPECT_FALSE(std::filesystem::exists(target));
        } else {
            EXPECT_EQ(ravelin::testing::ReadWholeFile(target), c.targetAfter);
        }
    }
}

TEST(ClipboardCommandsTest, CopyPositionPutsTheEditedPlacementAndSideOnTheClipboard) {
    struct Case {
        const char* name;
        bool blackKing;
        std::vector<int> answers;
        std::string clipboard;
        Texts messages;
    };
    const Case cases[] = {
        {"white to move",
         true,
         {platform::kAnswerYes, platform::kAnswerYes},
         "7k/P7/8/8/8/8/8/4K3+w",
         {kCopyFenQuestion, kWhiteToMoveFirst, kFenCopied}},
        {"black to move",
         true,
         {platform::kAnswerYes, platform::kAnswerNo},
         "7k/P7/8/8/8/8/8/4K3+b",
         {kCopyFenQuestion, kWhiteToMoveFirst, kFenCopied}},
        {"declined", true, {platform::kAnswerNo}, "", {kCopyFenQuestion}},
        {"a king missing",
         false,
         {platform::kAnswerYes},
         "",
         {kCopyFenQuestion, "Must place both kings on the board."}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        OwnSession session(kShort);
        session.Command(kCmdEditPosition);
        chess::Board& board = session.window.Search().criteriaBoard.squares;
        board[5][1] = chess::kKing;
        board[1][7] = chess::kPawn;
        if (c.blackKing) {
            board[8][8] = chess::kKing + chess::kBlackOffset;
        }
        session.ClearRecords();
        session.platform.questionAnswers.assign(c.answers.begin(), c.answers.end());
        session.Command(kCmdCopyPosition);
        EXPECT_EQ(session.platform.clipboardText, c.clipboard);
        Texts shown;  // questions and messages, in order
        for (const auto& message : session.platform.messages) {
            shown.push_back(message.text);
        }
        EXPECT_EQ(shown, c.messages);
    }
}

}  // namespace
}  // namespace ravelin::shell
