#include "shell/commands/opening_commands.h"

#include <gtest/gtest.h>

#include <string>

#include "eco/eco_table.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/select_opening_dialog.h"
#include "shell/display_mode.h"
#include "shell_session.h"
#include "temp_dir.h"

namespace ravelin::shell {
namespace {

using testing::TempDir;
using testing_support::Session;

const std::string kRuyLopez =
    "[Event \"Ruy\"]\n[Result \"1-0\"]\n\n1.e4 e5 2.Nf3 Nc6 3.Bb5 a6 4.Ba4 Nf6 1-0\n\n"
    "[Event \"Empty\"]\n[Result \"*\"]\n\n*\n";

class OpeningCommandsTest : public ::testing::Test {
  protected:
    void SetUp() override {
        session = std::make_unique<Session>(work.Path().string());
        session->Start(files.Write("ruy.pgn", kRuyLopez));
        session->Command(101);
        session->ClearRecords();
        ASSERT_GT(session->window.Viewer().EcoTable().count, 0);
    }
    std::string LastMessage() const {
        return session->platform.messages.empty() ? "" : session->platform.messages.back().text;
    }

    TempDir work;
    TempDir files;
    std::unique_ptr<Session> session;
};

TEST_F(OpeningCommandsTest, FindOpeningNamesTheShownGameOrSaysThereAreNoMoves) {
    session->Command(kCmdFindOpeningInGame);
    // "%s %s": the code, then the name of a Ruy Lopez line (the table has no line ending at 4...Nf6,
    // so the game is named after the longest line it is still inside).
    EXPECT_EQ(LastMessage().substr(0, 1), "C") << LastMessage();
    EXPECT_NE(LastMessage().find(" Ruy Lopez"), std::string::npos) << LastMessage();
    session->Command(104);  // the game without moves
    session->Command(kCmdFindOpeningInGame);
    EXPECT_EQ(LastMessage(), "There are no moves to check.");
}

TEST_F(OpeningCommandsTest, PopupFindersAreRefusedOutsideVariationEdit) {
    session->Command(kCmdFindClosestMatch);
    EXPECT_EQ(LastMessage(), "Must be in 'Variation Edit' or 'Analyze' mode.");
    EXPECT_TRUE(session->platform.dialogTitles.empty());
}

TEST_F(OpeningCommandsTest, PopupFinderOpensTheListOnTheFoundEntryAndLoadsTheChosenLine) {
    search::SearchVariation& variation = session->window.Search().criteria.variation;
    const char* moves[] = {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"};
    for (int ply = 1; ply <= 6; ++ply) {
        chess::SetSanText(variation.MoveOfPly(ply), moves[ply - 1]);
    }
    session->window.displayMode = kModeVariationEdit;
    std::string foundRow;
    int foundEntry = eco::kNoEcoEntry;
    session->platform.dialogScript = [&](platform::Dialog& dialog) {
        auto& select = dynamic_cast<SelectOpeningDialog&>(dialog);
        foundEntry = select.ChosenEntry();
        foundRow = select.List().rows.at(static_cast<std::size_t>(select.selectedRow));
        // Another order keeps the selection on the same entry.
        select.SetOrder(eco::EcoSortOrder::kByName);
        EXPECT_EQ(select.ChosenEntry(), foundEntry);
        select.SetWrapped(true);
        EXPECT_EQ(select.ChosenEntry(), foundEntry);
        return true;
    };
    session->Command(kCmdFindExactVariation);
    ASSERT_EQ(session->platform.dialogTitles.size(), 1u);
    EXPECT_EQ(session->platform.dialogTitles[0], "Find Opening - Exact Variation");
    ASSERT_NE(foundEntry, eco::kNoEcoEntry);
    EXPECT_EQ(foundRow.substr(0, 3), "C70") << foundRow;
    // The chosen line replaced the variation: the same six plies, nothing after them.
    EXPECT_EQ(variation.Plies(), 6);
    EXPECT_EQ(chess::SanView(variation.whiteMoves[2]), "Bb5");
    // "Edit Variation" followed: the board shows the line in Variation Edit.
    EXPECT_EQ(session->window.displayMode, kModeVariationEdit);
    EXPECT_EQ(session->window.Searches().Variation().Plies(), 6);
}

TEST_F(OpeningCommandsTest, SelectOpeningCancelledChangesNothingAndOkNeedsARow) {
    session->platform.dialogScript = [](platform::Dialog& dialog) {
        auto& select = dynamic_cast<SelectOpeningDialog&>(dialog);
        EXPECT_EQ(select.List().order, eco::EcoSortOrder::kByMoves);
        EXPECT_EQ(select.selectedRow, -1);
        EXPECT_EQ(select.Validate(), kNoOpeningSelected);
        select.selectedRow = 0;
        EXPECT_EQ(select.Validate(), "");
        return false;
    };
    session->Command(kCmdSelectOpeningByMoves);
    EXPECT_EQ(session->platform.dialogTitles.size(), 1u);
    EXPECT_TRUE(session->window.Search().criteria.variation.Empty());
}

}  // namespace
}  // namespace ravelin::shell
