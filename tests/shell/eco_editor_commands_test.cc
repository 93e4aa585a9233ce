#include "shell/commands/eco_editor_commands.h"

#include <gtest/gtest.h>

#include "eco/eco_table.h"
#include "platform/messages.h"
#include "settings/settings_record.h"
#include "shell/command_ids.h"
#include "shell/commands/game_viewer.h"
#include "shell/commands/search_commands.h"
#include "shell/commands/variation_editor.h"
#include "shell/dialogs/eco_name_dialog.h"
#include "shell/display_mode.h"
#include "shell_session.h"

namespace ravelin::shell {
namespace {

using ravelin::testing::ReadWholeFile;
using testing_support::DataText;
using testing_support::OwnSession;
using Texts = std::vector<std::string>;

std::string TableFiles(const OwnSession& session) {
    std::string all;
    for (const char* name : {eco::kEcoCodesFile, eco::kEcoNamesFile, eco::kEcoMovesFile, eco::kEcoSortFile}) {
        all += ReadWholeFile(session.work.File(name));
    }
    return all;
}

// Through the menus: the editor's bar, a line added past a shipped line, the shipped lines kept from
// change, and Exit putting the table back as it was on entry.
TEST(EcoEditorCommands, AddALineThenExitWithoutSaving) {
    OwnSession session(DataText("pgn/dortmund.pgn"), "d.pgn");
    const std::string entered = TableFiles(session);
    session.window.Settings().SetInt(settings::kOffsetDisplayOpening, 0);
    session.Command(kCmdAddToEcoTable);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kEcoEditing);
    const bool statusLine = session.window.Settings().DisplayOpening();
    EXPECT_EQ(session.window.displayMode, kModeVariationEdit);

    search::SearchVariation& variation = session.window.Search().criteria.variation;
    const Texts moves = {"e4",  "e5", "Nf3", "Nc6", "Bb5", "a6",  "Ba4", "Nf6", "O-O", "Be7",
                         "Re1", "b5", "Bb3", "d6",  "c3",  "O-O", "h3",  "h6",  "a4"};
    for (std::size_t i = 0; i < moves.size(); ++i) {
        chess::SetSanText(variation.MoveOfPly(static_cast<int>(i) + 1), moves[i]);
    }
    session.OnDialog<Addeconamebox>([](Addeconamebox& dialog) {
        dialog.name = "Ruy Lopez, my own line  ";
        return true;
    });
    session.Command(kCmdEcoAddLine);
    EXPECT_EQ(session.Messages(), Texts{tree::kLineAdded});
    const eco::EcoTable& table = session.window.Viewer().EcoTable();
    ASSERT_EQ(table.count, eco::kShippedEcoEntries + 1);
    EXPECT_EQ(eco::EcoName(table, eco::kShippedEcoEntries), "Ruy Lopez, my own line");
    EXPECT_EQ(eco::EcoCode(table, eco::kShippedEcoEntries).substr(0, 1), "C");

    session.ClearRecords();
    session.window.Search().chosenEcoEntry = eco::kShippedEcoEntries - 1;
    session.Command(kCmdEcoDeleteLine);
    EXPECT_EQ(session.Messages(), Texts{tree::kCannotDeleteBase});

    session.platform.questionAnswers.push_back(platform::kAnswerYes);
    session.Command(kCmdEcoExit);
    EXPECT_EQ(TableFiles(session), entered);
    EXPECT_EQ(session.window.Viewer().EcoTable().count, eco::kShippedEcoEntries);
    EXPECT_EQ(session.window.MenuBar().Kind(), MenuBarKind::kMain);
    EXPECT_TRUE(statusLine);
    EXPECT_FALSE(session.window.Settings().DisplayOpening());
}

// In the editor a line holds at most 60 plies: the board refuses a further move.
TEST(EcoEditorCommands, ALineHoldsThirtyMoves) {
    OwnSession session(DataText("pgn/dortmund.pgn"), "d.pgn");
    search::SearchVariation& variation = session.window.Search().criteria.variation;
    const char* shuffle[] = {"Nf3", "Nf6", "Ng1", "Ng8"};
    for (int ply = 1; ply <= tree::kMaxEcoLinePlies; ++ply) {
        chess::SetSanText(variation.MoveOfPly(ply), shuffle[(ply - 1) % 4]);
    }
    session.Command(kCmdAddToEcoTable);
    session.window.Searches().Variation().Key(VariationKey::kAnyMove);
    EXPECT_EQ(session.Messages(), Texts{tree::kTooManyEcoMoves});
    EXPECT_EQ(variation.Plies(), tree::kMaxEcoLinePlies);
    session.platform.questionAnswers.push_back(platform::kAnswerYes);
    session.Command(kCmdEcoExit);
    session.window.Searches().Variation().Key(VariationKey::kAnyMove);
    EXPECT_EQ(variation.Plies(), tree::kMaxEcoLinePlies + 1);
}

}  // namespace
}  // namespace ravelin::shell
