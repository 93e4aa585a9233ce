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

const std::string kTwoGames =
    "[Event \"One\"]\n[White \"Wa\"]\n[Black \"Bb\"]\n[Result \"1-0\"]\n\n1.e4 {a comment} e5 2.Nf3 1-0\n\n"
    "[Event \"Two\"]\n[Result \"*\"]\n\n1.d4 d5 *\n";

struct TextSession : OwnSession {
    explicit TextSession(const std::string& pgn = kTwoGames) : OwnSession(pgn) {}
    TextView& Text() { return window.Viewer().Text(); }
    // The title row, blue for a game with comments.
    RgbColour TitleColour() {
        GameViewState state = window.Viewer().State();
        auto title = std::find_if(state.texts.begin(), state.texts.end(),
                                  [](const TextItem& item) { return item.font == TextFont::kMono; });
        return title == state.texts.end() ? RgbColour{1, 2, 3} : title->colour;
    }
};

// Asked for from the game, the summary says the move reached; from text mode there is no counter.
TEST(DisplayText, ShowsTheSummaryOrWithActualTextTheRecordOfTheCurrentGame) {
    TextSession text;
    text.window.Settings().SetDisplayActualText(false);
    for (int k = 0; k < 3; ++k) {
        text.window.Viewer().Key(shell::GameKey::kNext);
    }
    text.Command(shell::kCmdDisplayText);
    ASSERT_TRUE(text.Text().ShowsSummary());
    Rows rows = text.Text().PageRows();
    ASSERT_EQ(rows.size(), 7U);
    EXPECT_NE(rows[0].find("One"), std::string::npos);
    EXPECT_NE(rows[2].find("Wa"), std::string::npos);
    EXPECT_EQ(rows[6], "1.e4 e5 2.Nf3 1-0");
    EXPECT_EQ(text.TitleColour(), kSummaryAnnotatedTitleColour);
    const GameViewState state = text.window.Viewer().State();
    EXPECT_TRUE(std::any_of(state.texts.begin(), state.texts.end(),
                            [](const TextItem& i) { return i.text == "Move: 2"; }));
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
    EXPECT_EQ(text.TitleColour(), (RgbColour{0, 0, 0}));
    EXPECT_EQ(text.Text().MoveCounterText(), "");
    // From the variation editor ('*' enters a move that matches any move) it counts again.
    text.Command(shell::kCmdEditVariation);
    for (int k = 0; k < 3; ++k) {
        text.window.Viewer().Character('*');
    }
    ASSERT_EQ(text.window.Searches().Variation().CurrentPly(), 3);
    text.Command(shell::kCmdDisplayText);
    EXPECT_EQ(text.Text().MoveCounterText(), "Move: 2");
}

// A line longer than 96 characters is cut at its last blank before column 95, or at 95 without one;
// a page holds 23 rows and "..." while more follow; past the record's limit the status line says so.
TEST(DisplayText, LongLinesAreCutPagesHave24RowsAndTooManyRecordsIsSaid) {
    std::string pgn = "[Event \"Long\"]\n\n{" + std::string(90, 'a') + " bbbbbbbbbb cc}\n{" +
                      std::string(94, 'x') + "}\n{" + std::string(95, 'y') + "}\n";
    for (int k = 0; k < kMaxTextLines + 5; ++k) {
        pgn += "{c" + std::to_string(k) + "}\n";
    }
    TextSession text(pgn + "1.e4 *\n");
    text.window.Settings().SetDisplayActualText(true);
    text.Command(shell::kCmdDisplayText);
    EXPECT_EQ(text.Text().StatusLine(), kTooManyRecords);
    const Rows rows = text.Text().PageRows();
    ASSERT_EQ(rows.size(), 24U);
    EXPECT_EQ(Rows(rows.begin() + 2, rows.begin() + 8),
              (Rows{"{" + std::string(90, 'a'), "bbbbbbbbbb cc}", "{" + std::string(94, 'x') + "}",
                    "{" + std::string(94, 'y'), "y}", "{c0}"}));
    EXPECT_EQ(rows.back(), kTextContinued);
    ASSERT_TRUE(text.Text().NextPage());
    EXPECT_EQ(text.Text().PageRows()[0], "{c16}");
    EXPECT_TRUE(text.Text().PreviousPage());
    EXPECT_EQ(text.Text().PageRows(), rows);
}

// The record beside the game follows the game shown until Show Normal Text or a new view closes it;
// asked for in the text view, the game is shown first.
TEST(ShowActualText, OpensTheRecordBesideTheGameUntilShowNormalTextOrANewView) {
    TextSession text;
    shell::GameViewer& viewer = text.window.Viewer();
    text.Command(shell::kCmdShowActualText);
    ASSERT_TRUE(viewer.ActualTextOpen());
    text.Command(shell::kCmdNextGame);
    EXPECT_EQ(viewer.ActualText().PageRows()[0], "[Event \"Two\"]");
    text.Command(shell::kCmdShowNormalText);
    EXPECT_FALSE(viewer.ActualTextOpen());
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
