// The print list through the window: games put on it by command id, printed in one job, offered
// for printing on leaving.

#include "shell/commands/print_commands.h"

#include <gtest/gtest.h>

#include <filesystem>
#include <string>
#include <vector>

#include "platform/messages.h"
#include "reports/print_layout.h"
#include "reports/print_list.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using Texts = std::vector<std::string>;

const std::string kGames =
    "[Event \"One\"]\r\n[White \"A\"]\r\n[Black \"B\"]\r\n[Result \"1-0\"]\r\n\r\n1.e4 1-0\r\n\r\n"
    "[Event \"Two\"]\r\n[Result \"*\"]\r\n\r\n{Opening} 1.d4 d5\r\n\r\n2.c4 *\r\n\r\n\r\n";

std::vector<std::string> PageTexts(const platform::PrintedDocument& document) {
    std::vector<std::string> texts;
    for (const auto& page : document.pages) {
        for (const platform::PrintedLine& line : page) {
            texts.push_back(line.text);
        }
    }
    return texts;
}

TEST(PrintCommands, NormalAndActualTextArePrintedInOneJobAndTheListEmptied) {
    OwnSession session(kGames);
    session.Command(kCmdFlushPrintList);
    EXPECT_EQ(session.Messages(), Texts{reports::kNoGamesForPrinting});
    session.ClearRecords();
    session.Command(kCmdPrintNormalText);
    session.Command(kCmdNextGame);
    session.Command(kCmdPrintActualText);
    EXPECT_EQ(session.Messages(), (Texts{reports::kGameAddedToPrintList, reports::kGameAddedToPrintList}));
    const std::string list = session.work.File(reports::kPrintListFileName);
    ASSERT_TRUE(std::filesystem::exists(list));
    session.ClearRecords();
    session.platform.printer.cancel = true;
    session.Command(kCmdFlushPrintList);
    EXPECT_TRUE(session.platform.printer.documents.empty());
    EXPECT_TRUE(std::filesystem::exists(list)) << "a cancelled print keeps the list";
    session.platform.printer.cancel = false;
    session.Command(kCmdFlushPrintList);
    ASSERT_EQ(session.platform.printer.documents.size(), 1u);
    EXPECT_TRUE(session.Messages().empty());
    EXPECT_EQ(
        PageTexts(session.platform.printer.documents[0]),
        (Texts{reports::kGameSeparator, "File: games.pgn   Game: 1   Event: One   Site:    Date:    Round: ",
               "White: A   Black: B   Result: 1-0   ECO: ", "", "1.e4 1-0", reports::kGameSeparator,
               "[Event \"Two\"]", "[Result \"*\"]", "", "{Opening} 1.d4 d5", "", "2.c4 *"}));
    EXPECT_FALSE(std::filesystem::exists(list));
    session.Command(kCmdFlushPrintList);
    EXPECT_EQ(session.Messages(), Texts{reports::kNoGamesForPrinting});
}

TEST(PrintCommands, LeavingOffersToPrintTheList) {
    for (const int answer : {platform::kAnswerYes, platform::kAnswerNo}) {
        SCOPED_TRACE(answer);
        OwnSession session(kGames);
        session.Command(kCmdPrintNormalText);
        session.ClearRecords();
        session.platform.questionAnswers = {answer};
        session.Command(kCmdExit);
        EXPECT_EQ(session.platform.messages.size(), 1u);
        EXPECT_EQ(session.platform.messages[0].text, reports::kFlushPrintList);
        EXPECT_EQ(session.platform.printer.documents.size(), answer == platform::kAnswerYes ? 1u : 0u);
        EXPECT_FALSE(std::filesystem::exists(session.work.File(reports::kPrintListFileName)));
    }
    OwnSession empty(kGames);
    empty.Command(kCmdExit);
    EXPECT_TRUE(empty.platform.messages.empty()) << "nothing is asked with an empty list";
}

}  // namespace
}  // namespace ravelin::shell
