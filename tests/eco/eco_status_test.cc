#include "eco/eco_status.h"

#include <gtest/gtest.h>

#include "eco_test_helpers.h"

namespace ravelin::eco {
namespace {

using testing::PreparedGame;
using testing::TestTable;

const std::vector<testing::Line> kLines = {
    {"C20", "King's Pawn Game", "1.e4 e5"},
    {"C50", "Italian Game", "1.e4 e5 2.Nf3 Nc6 3.Bc4"},
    {"C60", "Ruy Lopez", "1.e4 e5 2.Nf3 Nc6 3.Bb5"},
};

OpeningStatusRequest AtPly(int ply) {
    OpeningStatusRequest request;
    request.ply = ply;
    return request;
}

TEST(ShowOpeningStatus, InsideALineShowsCodeAndNameWithoutStar) {
    TestTable t(kLines);
    EcoStatusState state;
    const OpeningStatusLine line =
        ShowOpeningStatus(t.table, PreparedGame("1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5"), AtPly(3), state);
    EXPECT_TRUE(line.draw);
    EXPECT_EQ(line.text, "C50 Italian Game");
    EXPECT_EQ(state.currentEntry, 1);
    EXPECT_FALSE(state.outOfBook);
}

TEST(ShowOpeningStatus, PastTheEndOfEveryMatchingLineAppendsStar) {
    TestTable t(kLines);
    EcoStatusState state;
    const OpeningStatusLine line =
        ShowOpeningStatus(t.table, PreparedGame("1.e4 e5 2.Nf3 Nc6 3.Bc4 Bc5"), AtPly(6), state);
    EXPECT_EQ(line.text, "C50 Italian Game *");
    EXPECT_TRUE(state.outOfBook);
}

TEST(ShowOpeningStatus, NoMatchClearsTextAndCurrentEntry) {
    TestTable t(kLines);
    EcoStatusState state{1, true};
    const OpeningStatusLine line = ShowOpeningStatus(t.table, PreparedGame("1.d4 d5"), AtPly(2), state);
    EXPECT_TRUE(line.draw);
    EXPECT_EQ(line.text, "");
    EXPECT_EQ(state.currentEntry, kNoEcoEntry);
    EXPECT_FALSE(state.outOfBook);
    ShowOpeningStatus(t.table, PreparedGame("1.e4 e5"), AtPly(0), state);
    EXPECT_EQ(state.currentEntry, kNoEcoEntry);
}

TEST(ShowOpeningStatus, GameDisplayDrawsOnlyWithOptionAndNotFromFen) {
    TestTable t(kLines);
    const EcoGameMoves game = PreparedGame("1.e4 e5");
    EcoStatusState state{2, false};
    OpeningStatusRequest request;
    request.gameCurrentPly = 2;
    EXPECT_FALSE(ShowOpeningStatus(t.table, game, request, state).draw);
    EXPECT_EQ(state.currentEntry, 2);
    request.showOpeningOption = true;
    request.gameStartsFromFen = true;
    EXPECT_FALSE(ShowOpeningStatus(t.table, game, request, state).draw);
    request.gameStartsFromFen = false;
    EXPECT_EQ(ShowOpeningStatus(t.table, game, request, state).text, "C20 King's Pawn Game");
}

TEST(ShowOpeningStatus, TreeDrawsForOptionsOrOpeningsFileAndPreviousTakesOnePlyLess) {
    TestTable t(kLines);
    const EcoGameMoves game = PreparedGame("1.e4 e5 2.Nf3 Nc6 3.Bc4");
    EcoStatusState state;
    OpeningStatusRequest request;
    request.source = OpeningStatusSource::kTree;
    request.treeCurrentPly = 5;
    EXPECT_FALSE(ShowOpeningStatus(t.table, game, request, state).draw);
    request.openFilePath = "/home/u/ravelin/openings/EcoMoves.PGN";
    EXPECT_EQ(ShowOpeningStatus(t.table, game, request, state).text, "C50 Italian Game");
    request.openFilePath = "";
    request.secondDisplayOption = true;
    request.source = OpeningStatusSource::kTreePrevious;
    request.treeCurrentPly = 3;
    EXPECT_EQ(ShowOpeningStatus(t.table, game, request, state).text, "C20 King's Pawn Game");
}

TEST(ShowOpeningStatus, NameKeepsItsCapitalsWithCustomPieceLetters) {
    TestTable t({{"D06", "Queen's Gambit", "1.d4 d5 2.c4"}});
    EcoStatusState state;
    EXPECT_EQ(ShowOpeningStatus(t.table, PreparedGame("1.d4 d5 2.c4"), AtPly(3), state).text,
              "D06 Queen's Gambit");
}

TEST(FitStatusText, DropsWholeCharactersFromTheEndUntilItFits) {
    const auto bytes = [](std::string_view text) { return static_cast<int>(text.size()); };
    EXPECT_EQ(FitStatusText("A00 K\xC3\xA1"
                            "das Opening",
                            6, bytes),
              "A00 K");
    EXPECT_EQ(FitStatusText("A00 Amar", 20, bytes), "A00 Amar");
    EXPECT_EQ(FitStatusText("A00", 0, bytes), "");
}

TEST(IsOpeningsFile, MatchesTheThreeExportedNamesInAnyCase) {
    EXPECT_TRUE(IsOpeningsFile("ecocodes.pgn"));
    EXPECT_TRUE(IsOpeningsFile("/x/ECONAMES.pgn"));
    EXPECT_FALSE(IsOpeningsFile("/x/econames2.pgn"));
}

}  // namespace
}  // namespace ravelin::eco
