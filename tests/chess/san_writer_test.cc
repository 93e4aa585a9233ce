#include "chess/san_writer.h"

#include <gtest/gtest.h>

#include "chess_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::Position;

std::string Written(Position& position, std::string_view from, std::string_view to) {
    EXPECT_EQ(position.MakeCoordinateMoveAt(from, to, false), 0) << from << to;
    return position.lastText;
}

TEST(SanWriter, KnightsOnDifferentFilesGetFileLetter) {
    Position position("4k3/8/8/8/8/8/8/1N2KN2 w - - 0 1");
    EXPECT_EQ(Written(position, "b1", "d2"), "Nbd2");
}

TEST(SanWriter, KnightsOnSameFileGetRankDigit) {
    Position position("4k3/8/8/8/8/3N4/8/3NK3 w - - 0 1");
    EXPECT_EQ(Written(position, "d1", "f2"), "N1f2");
}

TEST(SanWriter, ThreeQueensReachingTargetGetWholeSquare) {
    Position position("8/8/k7/8/7Q/8/8/KQ5Q w - - 0 1");
    EXPECT_EQ(Written(position, "h4", "e4"), "Qh4e4");
    // With the h4 queen's move written, reading it back moves the same queen.
    ASSERT_EQ(position.MakeCoordinateMoveAt("h4", "e4", true), 0);
    EXPECT_EQ(position.At("h4"), kEmpty);
    EXPECT_EQ(position.At("h1"), kQueen);
    EXPECT_EQ(position.At("b1"), kQueen);
}

TEST(SanWriter, PinnedRivalNeedsNoDisambiguation) {
    // The f3 knight is pinned against the king, so Nd2 from b1 is unambiguous.
    Position position("4k3/8/5q2/8/8/5N2/8/1N3K2 w - - 0 1");
    EXPECT_EQ(Written(position, "b1", "d2"), "Nd2");
}

TEST(SanWriter, PromotionChoiceZeroWritesQueenAndCheck) {
    Position position("4k3/P7/8/8/8/8/8/4K3 w - - 0 1");
    position->promotionChoice = 0;
    EXPECT_EQ(Written(position, "a7", "a8"), "a8=Q+");
    position->promotionChoice = kKnight;
    EXPECT_EQ(Written(position, "a7", "a8"), "a8=N");
}

TEST(SanWriter, MateIsWrittenWithPlus) {
    Position position;
    ASSERT_TRUE(position.PlayAll({"f3", "e5", "g4"}));
    EXPECT_EQ(Written(position, "d8", "h4"), "Qh4+");
}

TEST(SanWriter, CastlingBothWingsWithCheck) {
    Position position("r3k2r/8/8/8/8/8/8/R3K2R w KQkq - 0 1");
    EXPECT_EQ(Written(position, "e1", "g1"), "O-O");
    EXPECT_EQ(Written(position, "e1", "c1"), "O-O-O");
    Position checking("5k2/8/8/8/8/8/8/4K2R w K - 0 1");
    EXPECT_EQ(Written(checking, "e1", "g1"), "O-O+");
}

TEST(SanWriter, CaptureAndKingMoves) {
    Position position;
    ASSERT_TRUE(position.PlayAll({"e4", "d5"}));
    EXPECT_EQ(Written(position, "e4", "d5"), "exd5");
    EXPECT_EQ(Written(position, "e1", "e2"), "Ke2");
    EXPECT_EQ(Written(position, "f1", "b5"), "Bb5+");
}

TEST(SanWriter, WrittenTextReadsBackToSameMove) {
    // Every legal move of Kiwipete, written and then located, must give back its own squares.
    Position position("r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1");
    int checked = 0;
    for (int fromFile = 1; fromFile <= 8; ++fromFile) {
        for (int fromRank = 1; fromRank <= 8; ++fromRank) {
            for (int toFile = 1; toFile <= 8; ++toFile) {
                for (int toRank = 1; toRank <= 8; ++toRank) {
                    if (MakeCoordinateMove(*position, false, 1, fromFile, fromRank, toFile, toRank) != 0) {
                        continue;
                    }
                    ASSERT_EQ(LocateSanMove(*position, 1, position->scratchSan, FromHint{}), 0);
                    EXPECT_EQ(position->locate.fromFile, fromFile);
                    EXPECT_EQ(position->locate.fromRank, fromRank);
                    ++checked;
                }
            }
        }
    }
    EXPECT_EQ(checked, 48);
}

}  // namespace
}  // namespace ravelin::chess
