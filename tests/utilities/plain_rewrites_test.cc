#include "utilities/plain_rewrites.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>

#include "utilities_test_helpers.h"

namespace ravelin::utilities {
namespace {

using namespace testing;

class PlainRewrites : public ::testing::Test {
  protected:
    void SetUp() override {
        if (PgnExtract().empty()) {
            GTEST_SKIP() << "pgn-extract is not installed";
        }
    }
    TempDir dir;
};

// Every rewrite keeps the games and their moves as pgn-extract reads them, and the files that
// describe the old games are gone.
TEST_F(PlainRewrites, KeepEveryGameAndItsMoves) {
    struct Case {
        const char* name;
        RewriteResult (*rewrite)(const PgnText&);
        bool sameOrder;
    };
    const Case cases[] = {{"strip", StripHeader, true}, {"trim", TrimFile, true}, {"sort", SortFile, false}};
    for (const Case& c : cases) {
        SCOPED_TRACE(c.name);
        const std::string path =
            CopyOf(dir, std::string(c.name) + ".pgn", {"world_matches.pgn", "annotated.pgn"});
        const std::string before = PgnExtractMoves(path);
        const int count = PgnExtractCount(path);
        const std::string fastFile = dir.Write(std::string(c.name) + ".TRF", "x");
        const std::string positionIndex = dir.Write(std::string(c.name) + ".TRP", "x");
        const std::string headerPlaces = dir.Write(std::string(c.name) + ".TRQ", "x");
        const RewriteResult result = c.rewrite(Loaded(path));
        EXPECT_GT(result.changed, 0);
        ASSERT_EQ(ReplacePgnFile(path, result.contents), nullptr);
        EXPECT_FALSE(std::filesystem::exists(fastFile));
        EXPECT_FALSE(std::filesystem::exists(positionIndex));
        EXPECT_FALSE(std::filesystem::exists(headerPlaces));
        EXPECT_EQ(PgnExtractCount(path), count);
        EXPECT_EQ(Loaded(path).Count(), count);
        std::string after = PgnExtractMoves(path);
        if (c.sameOrder) {
            EXPECT_EQ(after, before);
        } else {
            EXPECT_EQ(after.size(), before.size());
        }
    }
}

TEST_F(PlainRewrites, StripKeepsFenAndEcoAndDropsTheOthers) {
    const std::string path = dir.Write("g.pgn",
                                       "[Event \"E\"]\n[Annotator \"A\"]\n[ECO \"B01\"]\n[PlyCount \"2\"]\n"
                                       "[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\n[SetUp \"1\"]\n\n1. Kb1 *\n");
    EXPECT_EQ(StripHeader(Loaded(path)).contents,
              "[Event \"E\"]\r\n[ECO \"B01\"]\r\n[FEN \"8/8/8/8/8/8/8/K1k5 w - - 0 1\"]\r\n\r\n1. Kb1 *\r\n");
}

TEST_F(PlainRewrites, TrimBreaksLongLinesButNeverTagOrCommentLines) {
    std::string moves;
    for (int move = 1; move <= 60; ++move) {
        moves += std::to_string(move) + ".  Nf3  Nf6 {c}Ng1 ";
    }
    const std::string longTag = "[Event \"" + std::string(300, 'x') + "  y\"]";
    const std::string longRemark = "; " + std::string(300, 'z') + "  w";
    const std::string path = dir.Write("t.pgn", longTag + "\n\n  " + moves + "\n" + longRemark + "\n*\n");
    const std::string out = TrimFile(Loaded(path)).contents;
    EXPECT_NE(out.find(longTag + "\n"), std::string::npos);
    EXPECT_NE(out.find(longRemark + "\n"), std::string::npos);
    EXPECT_NE(out.find("{c} Ng1"), std::string::npos);
    for (std::size_t start = 0, end = 0; (end = out.find('\n', start)) != std::string::npos;
         start = end + 1) {
        const std::string_view line(out.data() + start, end - start);
        if (line[0] != '[' && line[0] != ';') {
            EXPECT_LE(line.size(), 242u) << line;
            EXPECT_NE(line[0], ' ');
            EXPECT_EQ(line.find("  "), std::string_view::npos) << line;
        }
    }
}

TEST_F(PlainRewrites, SortPutsAFullDateBeforeAPartialOneAndEndsEveryGame) {
    const std::string path = dir.Write("s.pgn",
                                       "[Site \"Here\"]\n[Date \"1999\"]\n\n1. e4 *\n"
                                       "[Site \"?\"]\n[Event \"Alpha\"]\n[Date \"2001.01.01\"]\n\n1. d4 *\n"
                                       "[Site \"here\"]\n[Date \"1999.05.01\"]\n[Round \"3\"]\n\n1. c4 *");
    EXPECT_EQ(SortKey(Loaded(path).Game(0)), "1999.??.??Here00");
    EXPECT_EQ(SortFile(Loaded(path)).contents,
              "[Site \"here\"]\n[Date \"1999.05.01\"]\n[Round \"3\"]\n\n1. c4 *\n\n"
              "[Site \"Here\"]\n[Date \"1999\"]\n\n1. e4 *\n\n"
              "[Site \"?\"]\n[Event \"Alpha\"]\n[Date \"2001.01.01\"]\n\n1. d4 *\n\n");
}

// Only the games with a FEN tag go; the others stay byte for byte.
TEST_F(PlainRewrites, DeleteFenGamesKeepsEveryOtherByte) {
    const std::string path =
        CopyOf(dir, "f.pgn", {"world_matches.pgn", "fenSetup.pgn", "lichess-benchmark.pgn"});
    const std::string before = ReadWholeFile(path);
    int fenTags = 0;
    for (std::size_t at = 0; (at = before.find("\n[FEN ", at)) != std::string::npos; ++at) {
        ++fenTags;
    }
    const RewriteResult result = DeleteFenGames(Loaded(path), {});
    EXPECT_EQ(result.changed, fenTags);
    EXPECT_EQ(result.contents.find("[FEN "), std::string::npos);
    const std::string lichess = ReadWholeFile(TestDataPath("pgn/lichess-benchmark.pgn"));
    EXPECT_EQ(result.contents.substr(result.contents.size() - lichess.size()), lichess);
    ASSERT_EQ(ReplacePgnFile(path, result.contents), nullptr);
    EXPECT_EQ(PgnExtractCount(path), 580 + 1 + 100 - fenTags);
    int seen = 0;
    const RewriteResult cancelled = DeleteFenGames(Loaded(path), [&](int, int) { return ++seen < 3; });
    EXPECT_TRUE(cancelled.cancelled);
}

}  // namespace
}  // namespace ravelin::utilities
