#include "search/move_pattern.h"

#include <gtest/gtest.h>

namespace ravelin::search {
namespace {

TEST(SpecificMoveTest, NumberDotsAndPattern) {
    const SpecificMove black = ParseSpecificMove("12... Nxe4");
    EXPECT_TRUE(black.given);
    EXPECT_EQ(black.moveNumber, 12);
    EXPECT_TRUE(black.black);
    EXPECT_EQ(black.pattern, "Nxe4");
    const SpecificMove white = ParseSpecificMove("7.  Bb5 ");
    EXPECT_EQ(white.moveNumber, 7);
    EXPECT_FALSE(white.black);
    EXPECT_EQ(white.pattern, "Bb5");
    EXPECT_FALSE(ParseSpecificMove("3..c5").black);
    const SpecificMove anywhere = ParseSpecificMove("O-O-O");
    EXPECT_EQ(anywhere.moveNumber, 0);
    EXPECT_EQ(anywhere.pattern, "O-O-O");
    EXPECT_FALSE(ParseSpecificMove("").given);
}

TEST(SpecificMoveTest, CastlingWithZerosIsRewrittenOnlyInsideThePattern) {
    EXPECT_EQ(ParseSpecificMove("0-0").pattern, "O-O");
    EXPECT_EQ(ParseSpecificMove("0-0-0").pattern, "O-O-O");
    EXPECT_EQ(ParseSpecificMove("10. 0-0").pattern, "O-O");
    // Too short for the third and fifth characters: nothing is written past the end.
    const SpecificMove shortText = ParseSpecificMove("0-");
    EXPECT_EQ(shortText.pattern, "O-");
    EXPECT_EQ(ParseSpecificMove("e-4").pattern, "e-4");
}

TEST(SpecificMoveTest, MoveNumberBelowOneFindsNothing) {
    chess::MoveList list;
    chess::SetSanText(list.whiteMoves[0], "e4");
    const SpecificMove zero = ParseSpecificMove("0. e4");
    EXPECT_FALSE(GameHasSpecificMove(zero, list, 1));
}

TEST(MovePatternTest, WildcardsAndPrefix) {
    EXPECT_TRUE(MatchesMovePattern("Nxe4", "Nxe4"));
    EXPECT_TRUE(MatchesMovePattern("Nxe4", "Nxe4+"));
    EXPECT_TRUE(MatchesMovePattern("N?e4", "Nxe4"));
    EXPECT_TRUE(MatchesMovePattern("N*4", "Nxe4"));
    EXPECT_TRUE(MatchesMovePattern("*e4", "e4"));
    EXPECT_TRUE(MatchesMovePattern("**x*", "Bxf7+"));
    EXPECT_FALSE(MatchesMovePattern("N?e4", "Ne4"));
    EXPECT_FALSE(MatchesMovePattern("Nxe4", "Nxe"));
    EXPECT_FALSE(MatchesMovePattern("nxe4", "Nxe4"));
    EXPECT_FALSE(MatchesMovePattern("", "e4"));
    EXPECT_FALSE(MatchesMovePattern("*", ""));
}

TEST(MovePatternTest, ShortCastlingDoesNotFindLongCastling) {
    EXPECT_TRUE(MatchesMovePattern("O-O", "O-O"));
    EXPECT_TRUE(MatchesMovePattern("O-O", "O-O+"));
    EXPECT_FALSE(MatchesMovePattern("O-O", "O-O-O"));
    EXPECT_TRUE(MatchesMovePattern("O-O-O", "O-O-O"));
    EXPECT_TRUE(MatchesMovePattern("O-O*", "O-O-O"));
}

TEST(MovePatternTest, NumberedMoveTestsOnlyThatSide) {
    chess::MoveList list;
    const char* const white[] = {"e4", "Nf3", "Bb5", "O-O"};
    const char* const black[] = {"e5", "Nc6", "Nf6", "Nxe4"};
    for (int i = 0; i < 4; ++i) {
        chess::SetSanText(list.whiteMoves[static_cast<std::size_t>(i)], white[i]);
        chess::SetSanText(list.blackMoves[static_cast<std::size_t>(i)], black[i]);
    }
    EXPECT_TRUE(GameHasSpecificMove(ParseSpecificMove("4... Nxe4"), list, 4));
    EXPECT_FALSE(GameHasSpecificMove(ParseSpecificMove("4. Nxe4"), list, 4));
    EXPECT_FALSE(GameHasSpecificMove(ParseSpecificMove("3... Nxe4"), list, 4));
    EXPECT_FALSE(GameHasSpecificMove(ParseSpecificMove("5. Nxe4"), list, 4));
    EXPECT_TRUE(GameHasSpecificMove(ParseSpecificMove("Nc6"), list, 4));
    EXPECT_TRUE(GameHasSpecificMove(ParseSpecificMove("0-0"), list, 4));
    EXPECT_FALSE(GameHasSpecificMove(ParseSpecificMove("O-O-O"), list, 4));
    // Only the game's moves count, not entries left from a longer game.
    EXPECT_FALSE(GameHasSpecificMove(ParseSpecificMove("Nxe4"), list, 3));
}

}  // namespace
}  // namespace ravelin::search
