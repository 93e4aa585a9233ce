#include "display/text_view.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
#include <vector>

#include "game_view_session.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"

namespace ravelin::display {
namespace {

using shell::testing_support::OwnSession;
using Rows = std::vector<std::string>;

Rows Numbered(const std::string& prefix, int count) {
    Rows rows;
    for (int k = 1; k <= count; ++k) {
        rows.push_back(prefix + std::to_string(k));
    }
    return rows;
}

TEST(TextPages, LongLinesAreCutAtTheLastBlankBefore95AndPagesHave24Rows) {
    EXPECT_EQ(WrapRecordLine(std::string(90, 'a') + " bbbbbbbbbb cc"),
              (Rows{std::string(90, 'a'), "bbbbbbbbbb cc"}));
    EXPECT_EQ(WrapRecordLine(std::string(96, 'x')).size(), 1U);
    EXPECT_EQ(WrapRecordLine(std::string(97, 'x'))[0].size(), kTextCutColumn);
    TextView view;
    view.SetLines(Numbered("line ", 50), false);
    Rows rows = view.PageRows();
    ASSERT_EQ(rows.size(), static_cast<std::size_t>(kTextRowsPerPage));
    EXPECT_EQ(rows.front(), "line 1");
    EXPECT_EQ(rows.back(), kTextContinued);
    ASSERT_TRUE(view.NextPage());
    EXPECT_EQ(view.PageRows()[0], "line 24");
    ASSERT_TRUE(view.NextPage());
    EXPECT_EQ(view.PageRows().back(), "line 50");
    EXPECT_FALSE(view.NextPage());
    EXPECT_TRUE(view.PreviousPage());
    EXPECT_EQ(view.PageRows()[0], "line 24");
    // 24 rows fit one page without the continuation.
    view.SetLines(Numbered("x", 24), false);
    EXPECT_EQ(view.PageCount(), 1);
    EXPECT_EQ(view.PageRows().back(), "x24");
}

Rows Plies(int count) {
    static const char* const kCycle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    Rows plies;
    for (int k = 0; k < count; ++k) {
        plies.emplace_back(kCycle[k % 4]);
    }
    return plies;
}

TEST(GameSummary, FiveHeaderRowsThenMovesFromRowSevenNeverPast80Characters) {
    // Missing header rows stay blank; a last white move stands alone ("%d.%s ").
    EXPECT_EQ(GameSummaryRows({"h1", "h2", "h3", "h4", "h5"}, Plies(3), "1-0"),
              (Rows{"h1", "h2", "h3", "h4", "h5", "", "1.Nf3 Nf6 2.Ng1 1-0"}));
    EXPECT_EQ(GameSummaryRows({"only"}, Plies(2), "*"), (Rows{"only", "", "", "", "", "", "1.Nf3 Nf6 *"}));
    Rows rows = GameSummaryRows({}, Plies(120), "1/2-1/2");
    ASSERT_GT(rows.size(), 8U);
    for (std::size_t k = 6; k < rows.size(); ++k) {
        EXPECT_LE(rows[k].size(), kSummaryLineWidth) << rows[k];
    }
    // Eight ten-character pairs fill a line exactly; pairs are not split across lines.
    EXPECT_EQ(rows[6].size(), kSummaryLineWidth);
    EXPECT_EQ(rows[7].rfind("9.Nf3 Nf6 ", 0), 0U) << rows[7];
    EXPECT_EQ(rows.back().substr(rows.back().size() - 7), "1/2-1/2");
}

TEST(GameSummary, The24thRowGetsDotsAndTheMoveCounterStandsRightOfTheFirstRow) {
    TextView view;
    view.SetSummary(Numbered("row ", 30), false);
    EXPECT_EQ(view.PageCount(), 2);
    EXPECT_EQ(view.PageRows().back(), "row 24...");
    ASSERT_TRUE(view.NextPage());
    EXPECT_EQ(view.PageRows().front(), "row 25");
    EXPECT_EQ(view.PageRows().back(), "row 30");

    view.SetSummary({"title", "", "", "", "", "", "1.e4 e5 *"}, false, 12);
    EXPECT_EQ(view.MoveCounterText(), "Move: 12");
    GameViewState state = view.State(GameLayoutFor(kNormalSquareSize), "file", "game", RgbColour{}, {});
    auto find = [&](const std::string& text) {
        auto it = std::find_if(state.texts.begin(), state.texts.end(),
                               [&](const TextItem& i) { return i.text == text; });
        EXPECT_NE(it, state.texts.end()) << text;
        return it == state.texts.end() ? TextItem{} : *it;
    };
    const TextItem title = find("title");
    const TextItem counter = find("Move: 12");
    EXPECT_EQ(counter.y, title.y);
    // Clear of the longest summary line.
    EXPECT_GE(counter.x, title.x + EstimatedTextWidth(std::string(kSummaryLineWidth, 'x'), title.fontPixels,
                                                      title.font));
    // The record replacing the summary has no counter.
    view.SetLines({"[Event \"x\"]"}, false);
    EXPECT_EQ(view.MoveCounterText(), "");
}

const std::string kTwoGames =
    "[Event \"One\"]\n[White \"Wa\"]\n[Black \"Bb\"]\n[Result \"1-0\"]\n\n1.e4 {a comment} e5 2.Nf3 1-0\n\n"
    "[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 d5 *\n";

struct TextSession : OwnSession {
    explicit TextSession(const std::string& pgn = kTwoGames) : OwnSession(pgn) {}
    TextView& Text() { return window.Viewer().Text(); }
};

TEST(DisplayText, ShowsTheSummaryOrWithActualTextTheRecordOfTheCurrentGame) {
    TextSession text;
    text.window.Settings().SetDisplayActualText(false);
    text.Command(shell::kCmdDisplayText);
    EXPECT_EQ(text.window.displayMode, shell::kModeText);
    EXPECT_EQ(text.window.Viewer().State().kind, GameViewKind::kText);
    ASSERT_TRUE(text.Text().ShowsSummary());
    Rows rows = text.Text().PageRows();
    ASSERT_EQ(rows.size(), 7U);
    EXPECT_NE(rows[0].find("One"), std::string::npos);
    EXPECT_NE(rows[2].find("Wa"), std::string::npos);
    EXPECT_EQ(rows[6], "1.e4 e5 2.Nf3 1-0");
    // "Actual Text" and "Normal Text" switch the view and the setting.
    text.Command(shell::kCmdActualText);
    EXPECT_TRUE(text.window.Settings().DisplayActualText());
    EXPECT_FALSE(text.Text().ShowsSummary());
    EXPECT_EQ(text.Text().PageRows(), (Rows{"[Event \"One\"]", "[White \"Wa\"]", "[Black \"Bb\"]",
                                            "[Result \"1-0\"]", "", "1.e4 {a comment} e5 2.Nf3 1-0"}));
    text.Command(shell::kCmdNextGame);
    EXPECT_EQ(text.Text().PageRows()[0], "[Event \"Two\"]");
    text.Command(shell::kCmdNormalText);
    EXPECT_FALSE(text.window.Settings().DisplayActualText());
    EXPECT_EQ(text.Text().PageRows()[6], "1.d4 d5 *");
}

TEST(DisplayText, TooManyRecordsIsSaidInTheStatusLine) {
    std::string pgn = "[Event \"Long\"]\n\n";
    for (int k = 0; k < kMaxTextLines + 5; ++k) {
        pgn += "{c}\n";
    }
    TextSession text(pgn + "1.e4 *\n");
    text.window.Settings().SetDisplayActualText(true);
    text.Command(shell::kCmdDisplayText);
    EXPECT_EQ(text.Text().StatusLine(), kTooManyRecords);
}

TEST(DisplayText, TitleRowIsBlueOnlyForAGameWithComments) {
    TextSession text;
    text.Command(shell::kCmdDisplayText);
    auto titleColour = [&text] {
        GameViewState state = text.window.Viewer().State();
        auto title = std::find_if(state.texts.begin(), state.texts.end(),
                                  [](const TextItem& item) { return item.font == TextFont::kMono; });
        return title == state.texts.end() ? RgbColour{1, 2, 3} : title->colour;
    };
    EXPECT_EQ(titleColour(), kSummaryAnnotatedTitleColour);
    text.Command(shell::kCmdNextGame);
    EXPECT_EQ(titleColour(), (RgbColour{0, 0, 0}));
}

TEST(DisplayText, FromTheGameOrTheVariationEditorTheSummarySaysTheMoveReached) {
    TextSession text;
    text.window.Settings().SetDisplayActualText(false);
    for (int k = 0; k < 3; ++k) {
        text.window.Viewer().Key(shell::GameKey::kNext);
    }
    text.Command(shell::kCmdDisplayText);
    ASSERT_TRUE(text.Text().ShowsSummary());
    EXPECT_EQ(text.Text().MoveCounterText(), "Move: 2");
    const GameViewState state = text.window.Viewer().State();
    EXPECT_TRUE(std::any_of(state.texts.begin(), state.texts.end(),
                            [](const TextItem& item) { return item.text == "Move: 2"; }));
    // Text mode does not count moves: the next game's summary has no counter.
    text.Command(shell::kCmdNextGame);
    EXPECT_EQ(text.Text().MoveCounterText(), "");
    // '*' enters a move that matches any move.
    text.Command(shell::kCmdEditVariation);
    for (int k = 0; k < 3; ++k) {
        text.window.Viewer().Character('*');
    }
    ASSERT_EQ(text.window.Searches().Variation().CurrentPly(), 3);
    text.Command(shell::kCmdDisplayText);
    EXPECT_EQ(text.Text().MoveCounterText(), "Move: 2");
}

TEST(ShowActualText, OpensTheRecordBesideTheGameUntilShowNormalTextOrANewView) {
    TextSession text;
    shell::GameViewer& viewer = text.window.Viewer();
    text.Command(shell::kCmdShowActualText);
    ASSERT_TRUE(viewer.ActualTextOpen());
    EXPECT_EQ(viewer.ActualText().PageRows().back(), "1.e4 {a comment} e5 2.Nf3 1-0");
    EXPECT_EQ(text.window.ContextMenu(false), "GameaMenu");
    // The window follows the game shown.
    text.Command(shell::kCmdNextGame);
    EXPECT_EQ(viewer.ActualText().PageRows()[0], "[Event \"Two\"]");
    text.Command(shell::kCmdShowNormalText);
    EXPECT_FALSE(viewer.ActualTextOpen());
    EXPECT_EQ(text.window.ContextMenu(false), "GameMenu");
    // Asked for in the text view, the game is shown first; a new view closes it.
    text.Command(shell::kCmdDisplayText);
    text.Command(shell::kCmdShowActualText);
    EXPECT_TRUE(viewer.ActualTextOpen());
    EXPECT_EQ(text.window.displayMode, shell::kModeGame);
    text.Command(shell::kCmdDisplayText);
    EXPECT_FALSE(viewer.ActualTextOpen());
    EXPECT_EQ(text.window.displayMode, shell::kModeText);
}

}  // namespace
}  // namespace ravelin::display
