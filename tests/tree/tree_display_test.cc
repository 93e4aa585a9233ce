#include "tree/tree_display.h"

#include <gtest/gtest.h>

namespace ravelin::tree {
namespace {

using Lines = std::vector<std::string>;

std::vector<NextMove> Moves() {
    // Found in this order: text, word, score, games, first game.
    return {{"Nf3", 0, 2, 2, 1},
            {"e4", 0, 6, 4, 2},
            {"d4", 0, 1, 2, 3},
            {"O-O", 0, 0, 1, 4},
            {"exd5", 0, 2, 1, 5}};
}

struct ListingCase {
    const char* name;
    TreeDisplayOptions options;
    int plies;
    Lines expected;
};

// Each order and line form; ties of the frequency sort keep the order the moves were found in.
TEST(TreeDisplay, OrdersAndLineForms) {
    const std::vector<ListingCase> cases = {
        {"frequency with percentage",
         {TreeSort::kFrequency, true, false, false},
         0,
         {"1. e4      40.0%       4", "1. Nf3     20.0%       2", "1. d4      20.0%       2",
          "1. O-O     10.0%       1", "1. exd5    10.0%       1"}},
        {"frequency with White's score, black to move",
         {TreeSort::kFrequency, false, true, false},
         3,
         {"2...e4     75.0%       4", "2...Nf3    50.0%       2", "2...d4     25.0%       2",
          "2...O-O     0.0%       1", "2...exd5   100.0%      1"}},
        {"no sorting",
         {TreeSort::kNone, true, false, false},
         2,
         {"2. Nf3", "2. e4", "2. d4", "2. O-O", "2. exd5"}},
        {"move type",
         {TreeSort::kMoveType, true, false, false},
         1,
         {"1...d4", "1...e4", "1...exd5", "1...Nf3", "1...O-O"}},
    };
    for (const ListingCase& c : cases) {
        const TreeListing listing = ListNextMoves(Moves(), c.plies, c.options);
        EXPECT_EQ(listing.lines, c.expected) << c.name;
        EXPECT_FALSE(listing.sortError) << c.name;
    }
}

// Every line keeps its width when one move has all the games.
TEST(TreeDisplay, AHundredPercentNarrowsTheCount) {
    const TreeListing listing = ListNextMoves({{"e4", 0, 2, 12, 1}}, 0, {});
    EXPECT_EQ(listing.lines, Lines{"1. e4      100.0%     12"});
    EXPECT_EQ(listing.lines[0].size(),
              ListNextMoves({{"e4", 0, 2, 12, 1}, {"d4", 0, 2, 12, 1}}, 0, {}).lines[0].size());
    EXPECT_EQ(ListManeuvers({{"Nf3", 0, 2, 3, 1}, {"Nd2", 0, 0, 1, 2}}),
              (Lines{"   Nf3     75.0%       3", "   Nd2     25.0%       1"}));
}

TEST(TreeDisplay, AMoveOfNoKnownTypeIsASortError) {
    EXPECT_TRUE(ListNextMoves({{"e4", 0, 0, 1, 1}, {"?x", 0, 0, 1, 2}}, 0, {TreeSort::kMoveType}).sortError);
}

}  // namespace
}  // namespace ravelin::tree
