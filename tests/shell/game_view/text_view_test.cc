#include "display/text_view.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
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
    session.window.Settings().SetDisplayActualText(true);
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
    session.window.Settings().SetDisplayActualText(true);
    session.Command(shell::kCmdDisplayText);
    EXPECT_EQ(session.window.Viewer().Text().StatusLine(), kTooManyRecords);
}

// --- The game summary ---

std::vector<std::string> Plies(int count) {
    static const char* const kCycle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    std::vector<std::string> plies;
    for (int k = 0; k < count; ++k) {
        plies.emplace_back(kCycle[k % 4]);
    }
    return plies;
}

TEST(GameSummary, FiveHeaderRowsThenMovesFromRowSeven) {
    std::vector<std::string> rows = GameSummaryRows({"h1", "h2", "h3", "h4", "h5"}, Plies(3), "1-0");
    ASSERT_EQ(rows.size(), 7U);
    EXPECT_EQ(rows[0], "h1");
    EXPECT_EQ(rows[4], "h5");
    EXPECT_EQ(rows[5], "");
    // A last white move stands alone: "%d.%s ".
    EXPECT_EQ(rows[6], "1.Nf3 Nf6 2.Ng1 1-0");
}

TEST(GameSummary, MissingHeaderRowsStayBlankSoMovesStillStartOnRowSeven) {
    std::vector<std::string> rows = GameSummaryRows({"only"}, Plies(2), "*");
    ASSERT_EQ(rows.size(), 7U);
    EXPECT_EQ(rows[6], "1.Nf3 Nf6 *");
}

TEST(GameSummary, MoveLinesNeverPass80Characters) {
    std::vector<std::string> rows = GameSummaryRows({}, Plies(120), "1/2-1/2");
    ASSERT_GT(rows.size(), 8U);
    for (std::size_t k = 6; k < rows.size(); ++k) {
        EXPECT_LE(rows[k].size(), kSummaryLineWidth) << rows[k];
    }
    // Eight ten-character pairs fill a line exactly; pairs are not split across lines.
    EXPECT_EQ(rows[6].size(), kSummaryLineWidth);
    EXPECT_EQ(rows[7].rfind("9.Nf3 Nf6 ", 0), 0U) << rows[7];
    EXPECT_EQ(rows.back().substr(rows.back().size() - 7), "1/2-1/2");
}

TEST(GameSummary, The24thRowGetsDotsAndTheRestGoesToTheNextPage) {
    TextView view;
    std::vector<std::string> rows;
    for (int k = 1; k <= 30; ++k) {
        rows.push_back("row " + std::to_string(k));
    }
    view.SetSummary(rows, false);
    EXPECT_EQ(view.PageCount(), 2);
    std::vector<std::string> page = view.PageRows();
    ASSERT_EQ(page.size(), static_cast<std::size_t>(kTextRowsPerPage));
    EXPECT_EQ(page.back(), "row 24...");
    ASSERT_TRUE(view.NextPage());
    EXPECT_EQ(view.PageRows().front(), "row 25");
    EXPECT_EQ(view.PageRows().back(), "row 30");
}

TEST(GameSummary, MoveCounterStandsAtTheRightOfTheFirstRowOnly) {
    TextView view;
    view.SetSummary({"title", "", "", "", "", "", "1.e4 e5 *"}, false, 12);
    EXPECT_EQ(view.MoveCounterText(), "Move: 12");
    GameLayout layout = GameLayoutFor(kNormalSquareSize);
    GameViewState state = view.State(layout, "file", "game", RgbColour{}, {});
    const TextItem* title = nullptr;
    const TextItem* counter = nullptr;
    for (const TextItem& item : state.texts) {
        if (item.text == "title") {
            title = &item;
        } else if (item.text == "Move: 12") {
            counter = &item;
        }
    }
    ASSERT_NE(title, nullptr);
    ASSERT_NE(counter, nullptr);
    EXPECT_EQ(counter->y, title->y);
    // Clear of the longest summary line.
    const int longest =
        EstimatedTextWidth(std::string(kSummaryLineWidth, 'x'), title->fontPixels, title->font);
    EXPECT_GE(counter->x, title->x + longest);

    // Without a counter, and after the record replaces the summary, nothing is added.
    view.SetSummary({"title"}, false);
    EXPECT_EQ(view.MoveCounterText(), "");
    view.SetSummary({"title"}, false, 3);
    view.SetLines({"[Event \"x\"]"}, false);
    EXPECT_EQ(view.MoveCounterText(), "");
}

struct TextSession {
    explicit TextSession(const std::string& pgn) : session(work.Path().string()) {
        path = files.Write("games.pgn", pgn);
        session.Start(path);
    }
    TextView& Text() { return session.window.Viewer().Text(); }
    TempDir work;
    TempDir files;
    std::string path;
    Session session;
};

const std::string kTwoGames =
    "[Event \"One\"]\n[White \"Wa\"]\n[Black \"Bb\"]\n[Result \"1-0\"]\n\n1.e4 {a comment} e5 2.Nf3 1-0\n\n"
    "[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 d5 *\n";

TEST(DisplayTextNormal, ShowsTheSummaryNotTheRecordWhenActualTextIsOff) {
    TextSession text(kTwoGames);
    text.session.window.Settings().SetDisplayActualText(false);
    text.session.Command(shell::kCmdDisplayText);
    EXPECT_EQ(text.session.window.displayMode, shell::kModeText);
    ASSERT_TRUE(text.Text().ShowsSummary());
    std::vector<std::string> rows = text.Text().PageRows();
    ASSERT_EQ(rows.size(), 7U);
    EXPECT_NE(rows[0].find("One"), std::string::npos);
    EXPECT_NE(rows[2].find("Wa"), std::string::npos);
    EXPECT_EQ(rows[6], "1.e4 e5 2.Nf3 1-0");
}

TEST(DisplayTextNormal, TitleRowIsBlueOnlyForAGameWithComments) {
    TextSession text(kTwoGames);
    text.session.Command(shell::kCmdDisplayText);
    auto titleColour = [&text] {
        GameViewState state = text.session.window.Viewer().State();
        for (const TextItem& item : state.texts) {
            if (item.font == TextFont::kMono) {
                return item.colour;
            }
        }
        return RgbColour{1, 2, 3};
    };
    EXPECT_EQ(titleColour(), kSummaryAnnotatedTitleColour);
    text.session.Command(shell::kCmdNextGame);
    EXPECT_EQ(text.Text().PageRows()[6], "1.d4 d5 *");
    EXPECT_EQ(titleColour(), (RgbColour{0, 0, 0}));
}

TEST(DisplayTextNormal, NormalAndActualTextCommandsSwitchTheView) {
    TextSession text(kTwoGames);
    text.session.Command(shell::kCmdDisplayText);
    text.session.Command(257);
    EXPECT_TRUE(text.session.window.Settings().DisplayActualText());
    EXPECT_FALSE(text.Text().ShowsSummary());
    EXPECT_EQ(text.Text().PageRows()[0], "[Event \"One\"]");
    text.session.Command(249);
    EXPECT_FALSE(text.session.window.Settings().DisplayActualText());
    EXPECT_TRUE(text.Text().ShowsSummary());
    EXPECT_EQ(text.Text().PageRows()[6], "1.e4 e5 2.Nf3 1-0");
}

TEST(DisplayTextNormal, FromTheGameTheSummarySaysTheMoveReached) {
    TextSession text(kTwoGames);
    text.session.window.Settings().SetDisplayActualText(false);
    text.session.Command(shell::kCmdDisplayGame);
    ASSERT_EQ(text.session.window.displayMode, shell::kModeGame);
    for (int k = 0; k < 3; ++k) {
        text.session.window.Viewer().Key(shell::GameKey::kNext);
    }
    text.session.Command(shell::kCmdDisplayText);
    ASSERT_TRUE(text.Text().ShowsSummary());
    EXPECT_EQ(text.Text().MoveCounterText(), "Move: 2");
    bool drawn = false;
    for (const TextItem& item : text.session.window.Viewer().State().texts) {
        drawn = drawn || item.text == "Move: 2";
    }
    EXPECT_TRUE(drawn);
    // Text mode does not count moves: the next game's summary has no counter.
    text.session.Command(shell::kCmdNextGame);
    EXPECT_EQ(text.Text().PageRows()[6], "1.d4 d5 *");
    EXPECT_EQ(text.Text().MoveCounterText(), "");
}

TEST(DisplayTextNormal, FromTheVariationEditorTheSummarySaysTheMovesEntered) {
    TextSession text(kTwoGames);
    text.session.window.Settings().SetDisplayActualText(false);
    text.session.Command(shell::kCmdEditVariation);
    ASSERT_EQ(text.session.window.displayMode, shell::kModeVariationEdit);
    // '*' enters a move that matches any move.
    for (int k = 0; k < 3; ++k) {
        text.session.window.Viewer().Character('*');
    }
    ASSERT_EQ(text.session.window.Searches().Variation().CurrentPly(), 3);
    text.session.Command(shell::kCmdDisplayText);
    EXPECT_EQ(text.session.window.displayMode, shell::kModeText);
    EXPECT_EQ(text.Text().MoveCounterText(), "Move: 2");
}

TEST(ShowActualText, OpensTheRecordBesideTheGameUntilShowNormalText) {
    TextSession text(kTwoGames);
    shell::GameViewer& viewer = text.session.window.Viewer();
    // Asked for in the text view, the game is shown first.
    text.session.Command(shell::kCmdDisplayText);
    EXPECT_FALSE(viewer.ActualTextOpen());
    text.session.Command(shell::kCmdShowActualText);
    ASSERT_TRUE(viewer.ActualTextOpen());
    EXPECT_EQ(text.session.window.displayMode, shell::kModeGame);
    EXPECT_EQ(viewer.ActualText().PageRows()[0], "[Event \"One\"]");
    EXPECT_EQ(viewer.ActualText().PageRows().back(), "1.e4 {a comment} e5 2.Nf3 1-0");
    EXPECT_EQ(text.session.window.ContextMenu(false), "GameaMenu");
    // The window follows the game shown.
    text.session.Command(shell::kCmdNextGame);
    ASSERT_TRUE(viewer.ActualTextOpen());
    EXPECT_EQ(viewer.ActualText().PageRows()[0], "[Event \"Two\"]");
    text.session.Command(shell::kCmdShowNormalText);
    EXPECT_FALSE(viewer.ActualTextOpen());
    EXPECT_EQ(text.session.window.ContextMenu(false), "GameMenu");
}

TEST(ShowActualText, ANewViewClosesTheWindow) {
    TextSession text(kTwoGames);
    shell::GameViewer& viewer = text.session.window.Viewer();
    text.session.Command(shell::kCmdDisplayGame);
    text.session.Command(shell::kCmdShowActualText);
    ASSERT_TRUE(viewer.ActualTextOpen());
    text.session.Command(shell::kCmdDisplayText);
    EXPECT_FALSE(viewer.ActualTextOpen());
    EXPECT_EQ(text.session.window.displayMode, shell::kModeText);
}

}  // namespace
}  // namespace ravelin::display
