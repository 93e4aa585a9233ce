// "Convert Yahoo Games" from a file and from pasted text, by command id as the menu gives them.

#include "shell/commands/yahoo_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "shell/dialogs/add_game_dialogs.h"
#include "shell/dialogs/yahoo_dialog.h"
#include "shell_session.h"
#include "yahoo/yahoo_convert.h"

namespace ravelin::shell {
namespace {

using testing_support::OwnSession;
using Texts = std::vector<std::string>;

const std::string kRecord =
    ";White: Ann\r\n;Black: Bob\r\n;Date: Sun Mar 5 20:15:23 GMT 2006\r\n\r\n1. e2-e4 e7-e5\r\n";
const std::string kOpen = "[Event \"Open\"]\r\n[Result \"*\"]\r\n\r\n1. d4 *\r\n";

TEST(YahooCommandsTest, AFileIsConvertedWithItsResultAskedAndPastedTextNeverIntoTheOpenFile) {
    OwnSession session(kOpen);
    const std::string yahoo = session.files.Write("game.txt", kRecord);
    session.platform.fileChoices = {yahoo, session.files.File("converted")};
    session.OnDialog<EnteredHeaderDialog>([](EnteredHeaderDialog& dialog) {
        EXPECT_EQ(dialog.values[gamefile::kTagWhite], "Ann");
        dialog.values[gamefile::kTagResult] = "0-1";
        return true;
    });
    session.Command(kCmdYahooFromFile);
    EXPECT_EQ(session.Messages(), Texts{"Yahoo game converted to file converted.pgn."});
    const std::string converted = ravelin::testing::ReadWholeFile(session.files.File("converted.pgn"));
    EXPECT_NE(converted.find("[Result \"0-1\"]"), std::string::npos) << converted;
    EXPECT_NE(converted.find("1.e4 e5  0-1"), std::string::npos) << converted;

    session.ClearRecords();
    session.platform.fileChoices = {session.window.File().Path()};
    session.OnDialog<YahooDialog>([](YahooDialog& dialog) {
        dialog.text = kRecord;
        return true;
    });
    session.Command(kCmdYahooFromClipboard);
    EXPECT_EQ(session.Messages(), Texts{yahoo::kSameAsCurrentPgnFile});
    EXPECT_EQ(ravelin::testing::ReadWholeFile(session.window.File().Path()), kOpen);
}

}  // namespace
}  // namespace ravelin::shell
