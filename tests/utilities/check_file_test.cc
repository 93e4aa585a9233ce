#include "utilities/check_file.h"

#include <gtest/gtest.h>

#include "utilities_test_helpers.h"

namespace ravelin::utilities {
namespace {

using namespace testing;

constexpr char kHeader[] = "[Event \"E\"]\n[Result \"1-0\"]\n\n";

TEST(CheckGame, FindsTheFaultOfEachGame) {
    struct Case {
        std::string game;
        GameFault fault;
    };
    const Case cases[] = {
        {std::string(kHeader) + "1. e4 e5 2. Qh5 Nc6  1-0\n", GameFault::kNone},
        {std::string(kHeader) + "1. e4 e5 {a  comment\n over  lines} 2. Qh5 ; two  blanks\n1-0\n",
         GameFault::kNone},
        {std::string(kHeader) + "1. e4 e5  \n\n", GameFault::kNone},
        {std::string(kHeader) + "1. e4  e5 1-0\n", GameFault::kSpaces},
        {std::string(kHeader) + "1. e4 (1. d4 e5 1-0\n", GameFault::kParens},
        {std::string(kHeader) + "1. e4 {open e5 1-0\n", GameFault::kBraces},
        {std::string(kHeader) + "1. e4 e5 " + std::string(260, 'x') + "\n", GameFault::kLongLine},
        {"[Event \"E]\n[Result \"1-0\"]\n\n1. e4 1-0\n", GameFault::kCorruptHeader},
        {"[Event \"E\"]\n{a comment first}\n1. e4 1-0\n", GameFault::kNoBlankLine},
        {"[Event \"E\"]\n1. e4 1-0\n", GameFault::kNone},
    };
    for (const Case& c : cases) {
        EXPECT_EQ(CheckGameText(c.game), c.fault) << c.game;
    }
}

// Faults only the replay finds, each in a file of one small game.
TEST(CheckFile, ReportsWhatTheReplayMeets) {
    const auto fromFen = [](const char* fen, const char* moves) {
        return std::string("[Event \"E\"]\n[FEN \"") + fen + "\"]\n\n" + moves + " *\n\n";
    };
    struct Case {
        std::string game;
        std::string message;  // empty: no error
    };
    const Case cases[] = {
        {std::string(kHeader) + "1. e4 e5 2. Qh5 Nc6 3. Bc4 Nf6 4. Qxf7# 1-0\n\n", ""},
        {std::string(kHeader) + "1. d4 e5 2. dxe5 Bb4+ 3. Nf3 Nc6 1-0\n\n", "Game 1, move 3 is illegal."},
        {std::string(kHeader) + "1. e4 e5 2. Ke2 Qh4 3. Kf3 Qf4+ 4. Kg3 1-0\n\n",
         "Game 1, move 4 is illegal."},
        {std::string(kHeader) + "1. e4 e5 2. Ke3 1-0\n\n", "Game 1 may be corrupt."},
        {fromFen("4k3/1P6/8/8/8/8/8/2B1K3 w - - 0 1", "1. b8=B Kd7"),
         "Game 1 has 2 bishops on same diagonal."},
        {fromFen("4k3/P7/8/8/8/8/8/2B1K3 w - - 0 1", "1. a8=B Kd7"), ""},
        {fromFen("4k3/P7/8/8/8/8/8/NNN1K3 w - - 0 1", "1. a8=N Kd7"), "Game 1 has 4 knights."},
        {fromFen("4k3/P7/8/8/8/8/8/BBB1K3 w - - 0 1", "1. a8=B Kd7"), "Game 1 has 4 bishops."},
        {fromFen("4k3/P7/8/8/8/8/8/RRR1K3 w - - 0 1", "1. a8=R Kd7"), "Game 1 has 4 rooks."},
        {fromFen("4k3/P7/8/8/8/8/8/QQQ1K3 w - - 0 1", "1. a8=Q+ Kd7"), "Game 1 has 4 queens."},
        {fromFen("4k3/8/8/8/8/8/8/QQQ1K3 b - - 0 1", "1. .. Kd7 2. Qd3+ Ke7"), ""},
    };
    const TempDir dir;
    for (const Case& c : cases) {
        const CheckResult result = CheckFile(Loaded(dir.Write("one.pgn", c.game)), CheckMode::kCheckOnly, {});
        EXPECT_LE(result.errors.size(), 1u) << c.game;
        EXPECT_EQ(result.errors.empty() ? "" : result.errors[0].message, c.message) << c.game;
    }
}

// 25 bad games among good ones: 10 are listed, and the check stops at the 11th.
TEST(CheckFile, ListsTheFirstTenAndStopsAfterTheEleventh) {
    const TempDir dir;
    std::string bytes;
    for (int i = 0; i < 50; ++i) {
        bytes += std::string(kHeader) + (i % 2 == 1 ? "1. e4 e5 2. Ke3 1-0\n\n" : "1. e4 e5 2. Ke2 1-0\n\n");
    }
    const std::string path = dir.Write("bad.pgn", bytes);
    int last = 0;
    const CheckResult result = CheckFile(Loaded(path), CheckMode::kCheckOnly, [&](int current, int) {
        last = current;
        return true;
    });
    ASSERT_EQ(result.errors.size(), 10u);
    EXPECT_EQ(result.errors[0].game, 2);
    EXPECT_EQ(result.errors[0].message, "Game 2 may be corrupt.");
    EXPECT_EQ(result.errors[9].game, 20);
    EXPECT_EQ(result.found, 11);
    EXPECT_EQ(last, 22);

    const CheckResult deleting = CheckFile(Loaded(path), CheckMode::kDeleteBadGames, {});
    EXPECT_EQ(deleting.found, 25);
    EXPECT_EQ(Loaded(dir.Write("good.pgn", deleting.contents)).Count(), 25);
}

// The games of real files replay as pgn-extract reads them; a bad game put between them is the one
// reported, and deleting it gives back the real files byte for byte.
TEST(CheckFile, RealFilesPassAndDeletingLeavesThemExact) {
    const TempDir dir;
    const std::string bad = std::string(kHeader) + "1. e4 e5 2. Nf6 1-0\n\n";
    const std::string good = ReadWholeFile(TestDataPath("pgn/world_matches.pgn")) +
                             ReadWholeFile(TestDataPath("pgn/lichess-benchmark.pgn"));
    const std::string path = dir.Write("mixed.pgn", good + bad);
    const CheckResult result = CheckFile(Loaded(path), CheckMode::kDeleteBadGames, {});
    ASSERT_EQ(result.errors.size(), 1u);
    EXPECT_EQ(result.errors[0].game, 681);
    EXPECT_EQ(result.contents, good);
}

}  // namespace
}  // namespace ravelin::utilities
