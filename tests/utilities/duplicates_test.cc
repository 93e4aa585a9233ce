#include "utilities/duplicates.h"

#include <gtest/gtest.h>

#include <sstream>

#include "search/fast_file_writer.h"
#include "utilities/fast_duplicates.h"
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

// The fast file's records find the same pairs and marks as the movetext, and a stale fast file is
// refused.
TEST(Duplicates, FastFileAgreesWithTheMovetext) {
    const TempDir dir;
    const std::string path = CopyOf(dir, "twice.pgn", {"lichess-benchmark.pgn", "lichess-benchmark.pgn"});
    const PgnText text = Loaded(path);
    MoveRecords records;
    EXPECT_STREQ(ReadFastMoveRecords(path, text.Count(), records),
                 "Warning: You need to run 'Make Fast File' again.");
    search::FastFileJob job;
    job.pgnPath = path;
    job.offsets = text.index.offsets;
    search::WriteFastFile(job, {});
    ASSERT_EQ(ReadFastMoveRecords(path, text.Count(), records), nullptr);
    for (int lookAhead : {100, 200}) {
        DuplicateSettings settings;
        settings.lookAhead = lookAhead;
        const DuplicateResult fast = FindDuplicateRecords(records, settings, {});
        const DuplicateResult slow = FindDuplicates(ReadGameLines(text, {}), settings, 0, {});
        ASSERT_EQ(fast.pairs.size(), slow.pairs.size()) << lookAhead;
        for (std::size_t i = 0; i < fast.pairs.size(); ++i) {
            EXPECT_EQ(std::pair(fast.pairs[i].first, fast.pairs[i].second),
                      std::pair(slow.pairs[i].first, slow.pairs[i].second));
        }
        EXPECT_EQ(fast.marked, slow.marked);
        // The second copy of each game is 101 games after the first.
        // The second copy of each game is 100 games after the first.
        EXPECT_EQ(fast.pairs.size(), lookAhead == 200 ? 100u : 0u);
    }
}

}  // namespace
}  // namespace ravelin::utilities
