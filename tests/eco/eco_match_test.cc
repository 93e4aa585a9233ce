#include "eco/eco_match.h"
#include "eco/eco_commands.h"

#include <gtest/gtest.h>

#include <tuple>

#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

using testing::GameOf;
using testing::Messages;
using testing::PreparedGame;
using testing::TestTable;

const std::vector<testing::Line> kItalianLines = {
    {"C20", "King's Pawn Game", "1.e4 e5"},
    {"C40", "King's Knight Opening", "1.e4 e5 2.Nf3"},
    {"C50", "Italian Game", "1.e4 e5 2.Nf3 Nc6 3.Bc4"},
    {"C70", "Ruy Lopez: Morphy Defense", "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6"},
    {"D02", "Queen's Pawn Game", "1.d4 d5 2.Nf3"},
};

TEST(ClassifyOpening, NamesTheLongestCompletedLineOrTheLongerLineTheGameIsStillInside) {
    TestTable t(kItalianLines);
    const EcoGameMoves game = PreparedGame("1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.c3");
    EXPECT_EQ(ClassifyOpening(t.table, game, 5), 2);
    EXPECT_EQ(ClassifyOpening(t.table, game, 3), 1);
    EXPECT_EQ(ClassifyOpening(t.table, game, 2), 0);
    // At ply 4 the game has completed the three-ply line and is inside both longer lines; the
    // first of the longest of them is named.
    EXPECT_EQ(ClassifyOpening(t.table, PreparedGame("1.e4 e5 2.Nf3 Nc6 3.Bc4"), 4), 3);
    EXPECT_EQ(ClassifyOpening(t.table, PreparedGame("1.c4 e5"), 2), kNoEcoEntry);
    EXPECT_EQ(ClassifyOpening(t.table, PreparedGame("1.e4 e5"), 0), kNoEcoEntry);
    EXPECT_EQ(ClassifyOpening(EcoTable{}, PreparedGame("1.e4 e5"), 2), kNoEcoEntry);
    // At ply 3 of 1.d4 e6 2.c4 the black knight move comes later in the game: not yet a match.
    TestTable indian({{"A45", "Indian Defense", "1.d4 Nf6 2.c4"}});
    EXPECT_EQ(ClassifyOpening(indian.table, PreparedGame("1.d4 e6 2.c4 Nf6"), 3), kNoEcoEntry);
}

TEST(EntryMatches, EachRuleWithTranspositionsChecksRepeatsAndPlyLimits) {
    using M = MatchMode;
    const std::string kTwoKnights = "1.e4 e5 2.Nf3 Nc6 3.Bc4 Nf6 4.Ng5 d5 5.exd5 Nxd5 6.Nxf7 Kxf7 7.Qf3";
    const std::string kShuffle = "1.Nf3 Nf6 2.Ng1 Ng8 3.Nf3 Nf6 4.Ng1";
    const std::tuple<std::string, std::string, M, int, bool> cases[] = {
        // A transposition matches under both transposition rules only.
        {"1.d4 d5 2.Nf3", "1.Nf3 d5 2.d4", M::kClosestMatch, 0, true},
        {"1.d4 d5 2.Nf3", "1.Nf3 d5 2.d4", M::kExactNumberOfMoves, 0, true},
        {"1.d4 d5 2.Nf3", "1.Nf3 d5 2.d4", M::kExactVariation, 0, false},
        {"1.d4 d5 2.Nf3", "1.d4 d5 2.Nf3", M::kExactVariation, 0, true},
        // The check sign counts for the exact rule only.
        {kTwoKnights + "+", kTwoKnights, M::kExactNumberOfMoves, 0, true},
        {kTwoKnights + "+", kTwoKnights, M::kExactVariation, 0, false},
        // A repeated move needs the same repeats in the game.
        {kShuffle, kShuffle, M::kExactNumberOfMoves, 0, true},
        {kShuffle, "1.Nf3 Nf6 2.Ng1 Ng8 3.Nf3 Nf6 4.Nc3", M::kExactNumberOfMoves, 0, false},
        // A ply limit cuts the line to its first plies.
        {"1.e4 e5 2.Nf3 Nc6 3.Bc4", "1.e4 e5 2.Nf3", M::kExactNumberOfMoves, 0, false},
        {"1.e4 e5 2.Nf3 Nc6 3.Bc4", "1.e4 e5 2.Nf3", M::kExactNumberOfMoves, 3, true},
        {"1.e4 e5 2.Nf3 Nc6 3.Bc4", "1.e4 e5 2.Nf3", M::kExactNumberOfMoves, 5, false},
        // An overlong stored move never matches.
        {"1.e4 e5 2.Nf3abcdef", "1.e4 e5 2.Nf3abcd", M::kExactVariation, 0, false},
        {"1.e4 e5 2.Nf3abcdef", "1.e4 e5 2.Nf3", M::kExactVariation, 2, true},
    };
    for (const auto& [line, game, mode, limit, matches] : cases) {
        TestTable t({{"A00", "Line", line}});
        EXPECT_EQ(EntryMatches(t.table, PreparedGame(game), 0, mode, limit), matches)
            << line << " | " << game << " | " << static_cast<int>(mode) << " | " << limit;
    }
    TestTable t(kItalianLines);
    EXPECT_EQ(FindOpening(t.table, PreparedGame("1.Nf3 d5 2.d4"), 3, M::kExactNumberOfMoves), 4);
    EXPECT_EQ(FindOpening(t.table, PreparedGame("1.Nf3 d5 2.d4"), 3, M::kExactVariation), kNoEcoEntry);
}

TEST(FindOpeningCommands, NameTheGameOrOpenTheListTitledByTheRuleOrSayWhyNotWithinThirtyMoves) {
    TestTable t(kItalianLines);
    Messages messages;
    EXPECT_EQ(FindOpeningInGame(t.table, GameOf("1.e4 e5 2.Nf3"), messages.Sink()), 1);
    EXPECT_EQ(FindOpeningInGame(t.table, GameOf("1.c4"), messages.Sink()), kNoEcoEntry);
    EXPECT_EQ(messages.all,
              (decltype(messages.all){{EcoMessageKind::kInformation, "C40 King's Knight Opening"},
                                      {EcoMessageKind::kInformation, "No opening match was found."}}));
    const chess::MoveList transposed = GameOf("1.Nf3 d5 2.d4");
    EXPECT_FALSE(
        FindOpeningCommand(t.table, transposed, 3, MatchMode::kClosestMatch, false, messages.Sink()));
    EXPECT_EQ(messages.Last(), "Must be in 'Variation Edit' or 'Analyze' mode.");
    EXPECT_FALSE(FindOpeningCommand(t.table, GameOf(""), 0, MatchMode::kClosestMatch, true, messages.Sink()));
    EXPECT_EQ(messages.Last(), "There are no moves to check.");
    for (const auto& [mode, title] :
         {std::pair{MatchMode::kClosestMatch, "Find Opening - Closest Match"},
          {MatchMode::kExactNumberOfMoves, "Find Opening - Exact Number of Moves"}}) {
        const auto found = FindOpeningCommand(t.table, transposed, 3, mode, true, {});
        ASSERT_TRUE(found);
        EXPECT_EQ(found->entry, 4);
        EXPECT_EQ(found->title, title);
    }
    EXPECT_FALSE(
        FindOpeningCommand(t.table, transposed, 3, MatchMode::kExactVariation, true, messages.Sink()));
    EXPECT_EQ(messages.Last(), "No opening match was found.");
    // Only the first thirty moves are looked at.
    EXPECT_EQ(GamePliesForFindOpening(GameOf("1.e4 e5 2.Nf3")), 3);
    chess::MoveList longGame;
    for (std::size_t i = 0; i < 40; ++i) {
        chess::SetSanText(longGame.whiteMoves[i], "Nf3");
        chess::SetSanText(longGame.blackMoves[i], "Nf6");
    }
    EXPECT_EQ(GamePliesForFindOpening(longGame), 60);
}

}  // namespace
}  // namespace ravelin::eco
