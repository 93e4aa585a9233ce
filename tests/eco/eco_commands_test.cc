#include "eco/eco_commands.h"

#include <gtest/gtest.h>

#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

using testing::GameOf;
using testing::Messages;
using testing::TestTable;

const std::vector<testing::Line> kLines = {
    {"C20", "King's Pawn Game", "1.e4 e5"},
    {"D02", "Queen's Pawn Game", "1.d4 d5 2.Nf3"},
};

TEST(GamePliesForFindOpening, CountsPliesWithinThirtyMoves) {
    EXPECT_EQ(GamePliesForFindOpening(GameOf("")), 0);
    EXPECT_EQ(GamePliesForFindOpening(GameOf("1.e4 e5 2.Nf3")), 3);
    EXPECT_EQ(GamePliesForFindOpening(GameOf("1.e4 e5 2.Nf3 Nc6")), 4);
    chess::MoveList longGame;
    for (int i = 0; i < 40; ++i) {
        chess::SetSanText(longGame.whiteMoves[static_cast<std::size_t>(i)], "Nf3");
        chess::SetSanText(longGame.blackMoves[static_cast<std::size_t>(i)], "Nf6");
    }
    EXPECT_EQ(GamePliesForFindOpening(longGame), 60);
}

TEST(FindOpeningInGame, ShowsCodeAndNameOrNoMatchOrNoMoves) {
    TestTable t(kLines);
    Messages messages;
    EXPECT_EQ(FindOpeningInGame(t.table, GameOf("1.e4 e5 2.Nf3"), messages.Sink()), 0);
    EXPECT_EQ(messages.Last(), "C20 King's Pawn Game");
    EXPECT_EQ(messages.all.back().first, EcoMessageKind::kInformation);
    EXPECT_EQ(FindOpeningInGame(t.table, GameOf("1.c4"), messages.Sink()), kNoEcoEntry);
    EXPECT_EQ(messages.Last(), "No opening match was found.");
    EXPECT_EQ(messages.all.back().first, EcoMessageKind::kInformation);
    EXPECT_EQ(FindOpeningInGame(t.table, GameOf(""), messages.Sink()), kNoEcoEntry);
    EXPECT_EQ(messages.Last(), "There are no moves to check.");
    EXPECT_EQ(messages.all.back().first, EcoMessageKind::kError);
}

TEST(FindOpeningCommand, RefusedOutsideVariationEditAndWithoutMoves) {
    TestTable t(kLines);
    Messages messages;
    EXPECT_FALSE(
        FindOpeningCommand(t.table, GameOf("1.e4 e5"), 2, MatchMode::kClosestMatch, false, messages.Sink()));
    EXPECT_EQ(messages.Last(), "Must be in 'Variation Edit' or 'Analyze' mode.");
    EXPECT_FALSE(FindOpeningCommand(t.table, GameOf(""), 0, MatchMode::kClosestMatch, true, messages.Sink()));
    EXPECT_EQ(messages.Last(), "There are no moves to check.");
}

TEST(FindOpeningCommand, OpensDialogOnTheFoundEntryWithTheRulesTitle) {
    TestTable t(kLines);
    Messages messages;
    const chess::MoveList transposed = GameOf("1.Nf3 d5 2.d4");
    const auto closest =
        FindOpeningCommand(t.table, transposed, 3, MatchMode::kClosestMatch, true, messages.Sink());
    ASSERT_TRUE(closest);
    EXPECT_EQ(closest->entry, 1);
    EXPECT_EQ(closest->title, "Find Opening - Closest Match");
    const auto number =
        FindOpeningCommand(t.table, transposed, 3, MatchMode::kExactNumberOfMoves, true, messages.Sink());
    ASSERT_TRUE(number);
    EXPECT_EQ(number->title, "Find Opening - Exact Number of Moves");
    EXPECT_FALSE(
        FindOpeningCommand(t.table, transposed, 3, MatchMode::kExactVariation, true, messages.Sink()));
    EXPECT_EQ(messages.Last(), "No opening match was found.");
    EXPECT_EQ(FindOpeningTitle(MatchMode::kExactVariation), "Find Opening - Exact Variation");
    EXPECT_TRUE(messages.all.size() == 1u);
}

}  // namespace
}  // namespace ravelin::eco
