// "Copy All Games To..." from a file search and from a directory search, by command id.

#include "shell/commands/copy_list_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "platform/file_util.h"
#include "platform/messages.h"
#include "search/directory_search_file.h"
#include "shell/commands/game_writing_commands.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using Texts = std::vector<std::string>;

const std::string kFirst = "[Event \"One\"]\r\n[Result \"1-0\"]\r\n\r\n1.e4 e5 1-0\r\n";
const std::string kSecond = "[Event \"Two\"]\r\n[Result \"*\"]\r\n\r\n1.d4 d5 *\r\n";
const std::string kThird = "[Event \"Three\"]\r\n[Result \"0-1\"]\r\n\r\n1.f3 e5 2.g4 Qh4# 0-1\r\n";

// The directory search's result file naming games of files in the directory, as a search leaves it.
void WriteDirectoryResult(OwnSession& session,
                          const std::vector<std::pair<std::string, std::vector<int>>>& files) {
    search::ResultFileHeader header;
    header.directory = session.files.Path().string();
    std::string bytes = search::EncodeResultHeader(header);
    for (const auto& [name, games] : files) {
        search::ResultFileRecord record;
        record.name = name;
        record.games = games;
        record.plies.assign(games.size(), 0);
        bytes += search::EncodeResultRecord(header, record);
    }
    bytes += search::EncodeResultEnd();
    ASSERT_TRUE(platform::WriteFileReplacing(session.window.Paths().File(search::kResultFileName),
                                             bytes.data(), bytes.size()));
}

TEST(CopyListCommandsTest, TheFileSearchsGamesGoIntoANewFileInListOrder) {
    OwnSession session(kFirst + "\r\n" + kSecond + "\r\n" + kThird);
    session.Command(kCmdCopyFileSearchToNewFile);
    EXPECT_EQ(session.Messages(), Texts{kNoGamesToCopy});
    session.ClearRecords();
    session.window.Search().lastResult.Add(3, 0);
    session.window.Search().lastResult.Add(1, 0);
    const std::string target = session.files.Path().string() + "/found.pgn";
    session.platform.fileChoices = {target};
    session.platform.questionAnswers = {platform::kAnswerYes};

    session.Command(kCmdCopyFileSearchToNewFile);

    EXPECT_EQ(session.platform.messages.front().text, kDoYouWantToContinue);
    EXPECT_EQ(session.Messages(), Texts{kCopyGamesComplete});
    EXPECT_EQ(ravelin::testing::ReadWholeFile(target), kThird + "\r\n" + kFirst);
}

TEST(CopyListCommandsTest, TheDirectorySearchsGamesAreReadFromEachFileAndAddedToAnExistingOne) {
    OwnSession session(kFirst);
    session.files.Write("a.pgn", kFirst + "\r\n" + kSecond);
    session.files.Write("b.pgn", kThird);
    const std::string target = session.files.Write("target.pgn", kFirst);
    WriteDirectoryResult(session, {{"a", {2}}, {"b", {1}}});

    struct Case {
        const char* name;
        std::string chosen;
        std::vector<int> answers;
        Texts messages;
        std::string after;
    };
    const Case cases[] = {
        {"No to the question", target, {platform::kAnswerNo}, {}, kFirst},
        {"a searched file as the target",
         session.files.Path().string() + "/b.pgn",
         {},
         {kTargetIsSearchedFile},
         kFirst},
        {"a missing target", session.files.Path().string() + "/none.pgn", {}, {kFileDoesNotExist}, kFirst},
        {"the target",
         target,
         {platform::kAnswerYes},
         {kCopyGamesComplete},
         kFirst + "\r\n" + kSecond + "\r\n" + kThird},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        session.ClearRecords();
        session.platform.fileChoices = {c.chosen};
        session.platform.questionAnswers.assign(c.answers.begin(), c.answers.end());
        session.Command(kCmdCopyDirSearchToExistingFile);
        EXPECT_EQ(session.Messages(), c.messages);
        EXPECT_EQ(ravelin::testing::ReadWholeFile(target), c.after);
    }
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.files.Path().string() + "/b.pgn"), kThird);
}

}  // namespace
}  // namespace ravelin::shell
