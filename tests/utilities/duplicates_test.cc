#include "utilities/duplicates.h"

#include <gtest/gtest.h>

#include <sstream>

#include "utilities_test_helpers.h"

namespace ravelin::utilities {
namespace {

using namespace testing;

GameLine LineOf(const std::string& moves) {
    GameLine line;
    std::istringstream in(moves);
    std::string san;
    while (in >> san) {
        line.whiteMoves += line.PlyCount() % 2 == 0;
        san.resize(8, '\0');
        line.plies += san;
    }
    return line;
}

TEST(Duplicates, GamesAgreeOnTheirCommonMoves) {
    struct Case {
        const char* a;
        const char* b;
        int maxDifference;
        bool duplicates;
    };
    const Case cases[] = {
        {"e4 e5 Nf3 Nc6", "e4 e5 Nf3 Nc6", 2, true},
        {"e4 e5 Nf3 Nc6", "e4 e5 Nf3 Nc6 Bb5 a6", 2, true},
        {"e4 e5 Nf3", "e4 e5 Nf3 Nc6", 2, true},  // the missing last black move agrees
        {"e4 e5 Nf3 Nc6", "e4 e5 Nf3 Nf6", 2, false},
        {"e4 e5 Nf3 Nc6", "e4 e5 Nf3 Nc6 Bb5 a6 O-O Nf6", 1, false},
        {"", "e4", 2, false},  // 0 moves still compares one
        {"", "", 2, true},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(AreDuplicates(LineOf(c.a), LineOf(c.b), c.maxDifference), c.duplicates)
            << c.a << " / " << c.b;
        EXPECT_EQ(AreDuplicates(LineOf(c.b), LineOf(c.a), c.maxDifference), c.duplicates)
            << c.b << " / " << c.a;
    }
}

TEST(Duplicates, LongerGameIsKeptAndLookAheadLimitsTheSearch) {
    const std::vector<GameLine> games = {LineOf("e4 e5 Nf3 Nc6 Bb5"), LineOf("d4"),
                                         LineOf("e4 e5 Nf3 Nc6 Bb5 a6"), LineOf("e4 e5 Nf3 Nc6 Bb5")};
    DuplicateSettings settings;
    const DuplicateResult all = FindDuplicates(games, settings, 0, {});
    ASSERT_EQ(all.pairs.size(), 3u);
    EXPECT_EQ(all.marked, (std::vector<int>{1, 4}));
    settings.lookAhead = 2;
    const DuplicateResult near = FindDuplicates(games, settings, 0, {});
    ASSERT_EQ(near.pairs.size(), 1u);
    EXPECT_EQ(std::pair(near.pairs[0].first, near.pairs[0].second), std::pair(3, 4));
    const DuplicateResult current = FindDuplicates(games, settings, 4, {});
    EXPECT_EQ(current.pairs.size(), 2u);
}

// A file holding every game twice loses exactly the games pgn-extract's duplicate detection drops.
TEST(Duplicates, DeletingAgreesWithPgnExtract) {
    if (PgnExtract().empty()) {
        GTEST_SKIP() << "pgn-extract is not installed";
    }
    const TempDir dir;
    const std::string path =
        CopyOf(dir, "twice.pgn", {"world_matches.pgn", "lichess-benchmark.pgn", "world_matches.pgn"});
    const PgnText text = Loaded(path);
    DuplicateSettings settings;
    settings.entireFile = true;
    const DuplicateResult result = FindDuplicates(ReadGameLines(text, {}), settings, 0, {});
    EXPECT_EQ(result.pairs.size(), 580u);
    ASSERT_EQ(ReplacePgnFile(path, DeleteDuplicates(text, result.marked)), nullptr);
    EXPECT_EQ(PgnExtractCount(path),
              PgnExtractCount(CopyOf(dir, "again.pgn",
                                     {"world_matches.pgn", "lichess-benchmark.pgn", "world_matches.pgn"}),
                              "-D"));
    EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(TestDataPath("pgn/world_matches.pgn")) +
                                       ReadWholeFile(TestDataPath("pgn/lichess-benchmark.pgn")));
}

}  // namespace
}  // namespace ravelin::utilities
