// The text offsets of the moves inside lines, named as the column text names them.

#include "display/line_move_offsets.h"

#include <gtest/gtest.h>

#include <string>

#include "chess/chess_test_helpers.h"

namespace ravelin::display {
namespace {

TEST(LineMoveOffsetsTest, EveryLineMoveIsFoundInTextOrderWithItsLineAndPlaceInIt) {
    const std::string text =
        "{(before)} 1. e4 (1. d4 d5 (1...Nf6\n2. c4) $1) 1... e5 {a ( in\na comment} 2. Nf3 (2. f4 *) ; "
        "(rest\n*\n";
    chess::testing::ParsedGame game(text);
    const std::vector<LineMoveOffset> moves = LineMoveOffsets(*game.record);
    struct Expected {
        int id;
        int index;
        int depth;
        const char* move;
    };
    const Expected expected[] = {
        {1, 1, 1, "d4"}, {1, 2, 1, "d5"}, {2, 1, 2, "1...Nf6"}, {2, 2, 2, "c4"}, {3, 1, 1, "f4"},
    };
    ASSERT_EQ(moves.size(), std::size(expected));
    for (std::size_t k = 0; k < moves.size(); ++k) {
        SCOPED_TRACE(k);
        EXPECT_EQ(moves[k].variationId, expected[k].id);
        EXPECT_EQ(moves[k].indexInVariation, expected[k].index);
        EXPECT_EQ(moves[k].depth, expected[k].depth);
        EXPECT_EQ(text.substr(moves[k].begin, moves[k].end - moves[k].begin), expected[k].move);
    }
    ASSERT_TRUE(FindLineMove(moves, 2, 2));
    EXPECT_EQ(FindLineMove(moves, 2, 2)->end, text.find("c4") + 2);
    EXPECT_FALSE(FindLineMove(moves, 3, 2));
}

}  // namespace
}  // namespace ravelin::display
