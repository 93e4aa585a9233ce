#include "eco/eco_match.h"

#include <gtest/gtest.h>

#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

using testing::PreparedGame;
using testing::TestTable;

const std::vector<testing::Line> kItalianLines = {
    {"C20", "King's Pawn Game", "1.e4 e5"},
    {"C40", "King's Knight Opening", "1.e4 e5 2.Nf3"},
    {"C50", "Italian Game", "1.e4 e5 2.Nf3 Nc6 3.Bc4"},
    {"C70", "Ruy Lopez: Morphy Defense", "1.e4 e5 2.Nf3 Nc6 3.Bb5 a6"},
};

TEST(ClassifyOpening, NamesLongestCompletedLineAtItsEnd) {
    TestTable t(kItalianLines);
    const EcoGameMoves game = PreparedGame("1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5 4.c3");
    EXPECT_EQ(ClassifyOpening(t.table, game, 5), 2);
    EXPECT_EQ(ClassifyOpening(t.table, game, 3), 1);
    EXPECT_EQ(ClassifyOpening(t.table, game, 2), 0);
}

TEST(ClassifyOpening, NamesLongerLineOnceGamePassedEndOfCompletedOne) {
    TestTable t(kItalianLines);
    // At ply 4 the game has completed the three-ply line and is inside both longer lines; the
    // first of the longest of them is named.
    const OpeningMatch match = ClosestMatch(t.table, PreparedGame("1.e4 e5 2.Nf3 Nc6 3.Bc4"), 4);
    EXPECT_EQ(match.best1, 1);
    EXPECT_EQ(match.best2, 3);
    EXPECT_EQ(match.best2Plies, 6);
    EXPECT_EQ(match.entry, 3);
}

TEST(ClassifyOpening, NothingMatchingIsNoEntryNotEntryZero) {
    TestTable t(kItalianLines);
    EXPECT_EQ(ClassifyOpening(t.table, PreparedGame("1.d4 d5"), 2), kNoEcoEntry);
    EXPECT_EQ(ClassifyOpening(t.table, PreparedGame("1.e4 e5"), 0), kNoEcoEntry);
    EXPECT_EQ(ClassifyOpening(EcoTable{}, PreparedGame("1.e4 e5"), 2), kNoEcoEntry);
}

TEST(EntryMatches, TranspositionMatchesUnderBothTranspositionModesOnly) {
    TestTable t({{"D02", "Queen's Pawn Game", "1.d4 d5 2.Nf3"}});
    const EcoGameMoves game = PreparedGame("1.Nf3 d5 2.d4");
    EXPECT_TRUE(EntryMatches(t.table, game, 0, MatchMode::kClosestMatch, 0));
    EXPECT_TRUE(EntryMatches(t.table, game, 0, MatchMode::kExactNumberOfMoves, 0));
    EXPECT_FALSE(EntryMatches(t.table, game, 0, MatchMode::kExactVariation, 0));
    EXPECT_EQ(FindOpening(t.table, game, 3, MatchMode::kClosestMatch), 0);
    EXPECT_EQ(FindOpening(t.table, game, 3, MatchMode::kExactNumberOfMoves), 0);
    EXPECT_EQ(FindOpening(t.table, game, 3, MatchMode::kExactVariation), kNoEcoEntry);
    EXPECT_EQ(FindOpening(t.table, PreparedGame("1.d4 d5 2.Nf3"), 3, MatchMode::kExactVariation), 0);
}

TEST(EntryMatches, CheckSignIgnoredByTranspositionButNotByExactRule) {
    TestTable t(
        {{"C57", "Two Knights", "1.e4 e5 2.Nf3 Nc6 3.Bc4 Nf6 4.Ng5 d5 5.exd5 Nxd5 6.Nxf7 Kxf7 7.Qf3+"}});
    const EcoGameMoves withoutCheck =
        PreparedGame("1.e4 e5 2.Nf3 Nc6 3.Bc4 Nf6 4.Ng5 d5 5.exd5 Nxd5 6.Nxf7 Kxf7 7.Qf3");
    EXPECT_TRUE(EntryMatches(t.table, withoutCheck, 0, MatchMode::kExactNumberOfMoves, 0));
    EXPECT_FALSE(EntryMatches(t.table, withoutCheck, 0, MatchMode::kExactVariation, 0));
}

TEST(EntryMatches, RepeatedMoveNeedsTheSameRepeatsInTheGame) {
    TestTable t({{"A04", "Knight Shuffle", "1.Nf3 Nf6 2.Ng1 Ng8 3.Nf3 Nf6 4.Ng1"}});
    EXPECT_TRUE(EntryMatches(t.table, PreparedGame("1.Nf3 Nf6 2.Ng1 Ng8 3.Nf3 Nf6 4.Ng1"), 0,
                             MatchMode::kExactNumberOfMoves, 0));
    // Every white move of the line occurs in the game, but Ng1 is not played again after move 3.
    EXPECT_FALSE(EntryMatches(t.table, PreparedGame("1.Nf3 Nf6 2.Ng1 Ng8 3.Nf3 Nf6 4.Nc3"), 0,
                              MatchMode::kExactNumberOfMoves, 0));
}

TEST(EntryMatches, PlyLimitCutsEntryToItsFirstPlies) {
    TestTable t(kItalianLines);
    const EcoGameMoves game = PreparedGame("1.e4 e5 2.Nf3");
    EXPECT_FALSE(EntryMatches(t.table, game, 3, MatchMode::kExactNumberOfMoves, 0));
    EXPECT_TRUE(EntryMatches(t.table, game, 3, MatchMode::kExactNumberOfMoves, 3));
    EXPECT_FALSE(EntryMatches(t.table, game, 3, MatchMode::kExactNumberOfMoves, 5));
}

TEST(EntryMatches, BlackMovesAreLookedForOnlyWithinTheLinesBlackMoves) {
    // At ply 3 of 1.d4 e6 2.c4 the black knight move comes later in the game: not yet a match.
    TestTable t({{"A45", "Indian Defense", "1.d4 Nf6 2.c4"}});
    EXPECT_EQ(ClassifyOpening(t.table, PreparedGame("1.d4 e6 2.c4 Nf6"), 3), kNoEcoEntry);
}

TEST(PrepareGameMoves, CopyStopsAtFirstEmptyMoveAndDropsCheckSign) {
    chess::MoveList moves = testing::GameOf("1.e4 e5 2.Bc4 Nc6 3.Qh5 Nf6 4.Qxf7+");
    chess::SetSanText(moves.whiteMoves[5], "a3");  // beyond the gap after move 4
    const EcoGameMoves game = PrepareGameMoves(moves);
    EXPECT_EQ(game.white[3], PackMove("Qxf7"));
    EXPECT_EQ(game.exactWhite[3], PackMove("Qxf7+"));
    EXPECT_EQ(game.black[3], 0u);
    EXPECT_EQ(game.white[5], 0u);
}

TEST(EntryMatches, OverlongStoredMoveNeverMatches) {
    TestTable t({{"A00", "Bad", "1.e4 e5 2.Nf3abcdef"}});
    EXPECT_FALSE(EntryMatches(t.table, PreparedGame("1.e4 e5 2.Nf3abcd"), 0, MatchMode::kExactVariation, 0));
    EXPECT_TRUE(EntryMatches(t.table, PreparedGame("1.e4 e5 2.Nf3"), 0, MatchMode::kExactVariation, 2));
}

}  // namespace
}  // namespace ravelin::eco
