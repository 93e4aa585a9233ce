// The main openings against the shipped ECO table, and the reading of a game's first moves.

#include "statistics/main_openings.h"

#include <gtest/gtest.h>

#include "statistics/game_list_table.h"
#include "statistics_test_helpers.h"

namespace ravelin::statistics {
namespace {

using testing::ShippedTable;

TEST(MainOpeningsTest, EveryLineIsAnEntryOfTheShippedTableAndEachIsFoundForItsOwnMoves) {
    const MainOpenings openings(ShippedTable());
    ASSERT_EQ(openings.Items().size(), MainOpeningLines().size());
    for (std::size_t i = 0; i < openings.Items().size(); ++i) {
        const MainOpeningLine& line = MainOpeningLines()[i];
        const MainOpenings::Item& item = openings.Items()[i];
        EXPECT_EQ(eco::EcoCode(ShippedTable(), item.entry), line.code) << line.moves;
        EXPECT_EQ(eco::EcoMoves(ShippedTable(), item.entry), line.moves);
        EXPECT_LE(item.moves.plies, 2 * kOpeningMovesPerSide) << line.moves;
        // An earlier, shorter line that the moves contain would hide this one for good.
        EXPECT_EQ(openings.Find(item.moves), static_cast<int>(i)) << line.moves << " is hidden";
    }
}

TEST(MainOpeningsTest, MovesAreTakenInAnyOrderWithinTheLinesLength) {
    const MainOpenings openings(ShippedTable());
    struct Case {
        const char* movetext;
        const char* code;  // "" for none
    };
    const Case cases[] = {
        {"1.e4 c5 2.Nf3 d6 3.d4 cxd4 4.Nxd4 Nf6 5.Nc3 a6 1-0", "B20"},
        {"1.e4 {the best} c5 2.c3 $1 (2.Nf3 d6) d5", "B22"},
        // The Ruy Lopez by transposition: Bb5 before Nf3.
        {"1.e4 e5 2.Bb5 Nc6 3.Nf3 a6", "C70"},
        {"1.d4 Nf6 2.c4 e6 3.Nc3 Bb4+ 4.Qc2", "E20"},
        {"1.Nf3 Nf6 2.c4 e6 3.Nc3 Bb4", "A04"},
        {"1.a3 e5 2.e4", ""},
        {"1.e4 *", "B00"},
        {"", ""},
    };
    for (const Case& c : cases) {
        GameTags game;
        game.firstMoves = c.movetext;
        EXPECT_EQ(GuessEco(game, ShippedTable(), openings), c.code) << c.movetext;
    }
    GameTags setUp;
    setUp.firstMoves = "1.e4 c5";
    setUp.hasFen = true;
    EXPECT_EQ(GuessEco(setUp, ShippedTable(), openings), "");
}

TEST(MainOpeningsTest, FirstMovesSkipNumbersCommentsVariationsAndGlyphs) {
    const OpeningMoves moves = ReadOpeningMoves(
        "1. e4! {a comment with 2.d4 in it}\n; and a line comment 3.c4\nc5 2.Nf3 (2.c3 d5) 2...d6?! $2 3.d4+ "
        "cxd4 4.Nxd4");
    EXPECT_EQ(moves.plies, 6);
    EXPECT_EQ(moves.white, (std::array<std::string, 3>{"e4", "Nf3", "d4"}));
    EXPECT_EQ(moves.black, (std::array<std::string, 3>{"c5", "d6", "cxd4"}));
}

}  // namespace
}  // namespace ravelin::statistics
