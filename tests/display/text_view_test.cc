#include "display/text_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_ids.h"
#include "shell/game_viewer.h"
#include "shell/shell_session.h"
#include "temp_dir.h"

namespace ravelin::display {
namespace {

using shell::testing_support::Session;
using testing::TempDir;

TEST(TextLines, LongLineIsCutAtTheLastBlankBefore95) {
    std::string line(90, 'a');
    line += " bbbbbbbbbb cc";
    std::vector<std::string> rows = WrapRecordLine(line);
    ASSERT_EQ(rows.size(), 2U);
    EXPECT_EQ(rows[0], std::string(90, 'a'));
    EXPECT_EQ(rows[1], "bbbbbbbbbb cc");
    EXPECT_EQ(WrapRecordLine(std::string(96, 'x')).size(), 1U);
    EXPECT_EQ(WrapRecordLine(std::string(97, 'x'))[0].size(), kTextCutColumn);
}

TEST(TextPages, APageHas24RowsTheLastSayingMoreFollows) {
    TextView view;
    std::vector<std::string> lines;
    for (int k = 1; k <= 50; ++k) {
        lines.push_back("line " + std::to_string(k));
    }
    view.SetLines(lines, false);
    std::vector<std::string> rows = view.PageRows();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kTextRowsPerPage));
    EXPECT_EQ(rows.back(), kTextContinued);
    EXPECT_EQ(rows[0], "line 1");
    ASSERT_TRUE(view.NextPage());
    EXPECT_EQ(view.PageRows()[0], "line 24");
    ASSERT_TRUE(view.NextPage());
    EXPECT_EQ(view.PageRows().back(), "line 50");
    EXPECT_FALSE(view.NextPage());
    EXPECT_TRUE(view.PreviousPage());
    EXPECT_EQ(view.PageRows()[0], "line 24");
}

TEST(TextPages, ShortRecordHasOnePageWithoutContinuation) {
    TextView view;
    view.SetLines(std::vector<std::string>(24, "x"), false);
    EXPECT_EQ(view.PageCount(), 1);
    EXPECT_EQ(view.PageRows().back(), "x");
}

TEST(DisplayText, ShowsTheRecordOfTheCurrentGameOnly) {
    TempDir work;
    TempDir files;
    std::string path = files.Write(
        "games.pgn", "[Event \"One\"]\n[Result \"*\"]\n\n1.e4 {a comment} *\n\n[Event \"Two\"]\n\n1.d4 *\n");
    Session session(work.Path().string());
    session.Start(path);
    session.Command(shell::kCmdDisplayText);
    EXPECT_EQ(session.window.displayMode, shell::kModeText);
    std::vector<std::string> rows = session.window.Viewer().Text().PageRows();
    ASSERT_EQ(rows.size(), 4U);
    EXPECT_EQ(rows[0], "[Event \"One\"]");
    EXPECT_EQ(rows[3], "1.e4 {a comment} *");
    session.Command(shell::kCmdNextGame);
    EXPECT_EQ(session.window.Viewer().Text().PageRows()[0], "[Event \"Two\"]");
    EXPECT_EQ(session.window.Viewer().State().kind, GameViewKind::kText);
}

TEST(DisplayText, TooManyRecordsIsSaidInTheStatusLine) {
    TempDir work;
    TempDir files;
    std::string pgn = "[Event \"Long\"]\n\n";
    for (int k = 0; k < kMaxTextLines + 5; ++k) {
        pgn += "{c}\n";
    }
    std::string path = files.Write("long.pgn", pgn + "1.e4 *\n");
    Session session(work.Path().string());
    session.Start(path);
    session.Command(shell::kCmdDisplayText);
    EXPECT_EQ(session.window.Viewer().Text().StatusLine(), kTooManyRecords);
}

}  // namespace
}  // namespace ravelin::display
