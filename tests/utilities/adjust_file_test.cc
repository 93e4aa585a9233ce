#include "utilities/adjust_file.h"

#include <gtest/gtest.h>

#include "utilities_test_helpers.h"

namespace ravelin::utilities {
namespace {

using namespace testing;

// The moves pgn-extract reads stay the same, and comments are asked about once.
TEST(AdjustFile, KeepsTheMovesOfRealFiles) {
    if (PgnExtract().empty()) {
        GTEST_SKIP() << "pgn-extract is not installed";
    }
    const TempDir dir;
    const std::string path = CopyOf(dir, "a.pgn", {"world_matches.pgn", "annotated.pgn", "fenSetup.pgn"});
    const PgnText text = Loaded(path);
    int asked = 0;
    const AdjustResult result = AdjustFile(text, [&] { return ++asked, true; }, {});
    EXPECT_EQ(asked, 1);
    EXPECT_TRUE(result.keptAsTheyWere.empty());
    EXPECT_EQ(result.adjusted, text.Count());
    const std::string adjusted = dir.Write("adjusted.pgn", result.contents);
    EXPECT_EQ(PgnExtractMoves(adjusted), PgnExtractMoves(path));
    EXPECT_EQ(Loaded(adjusted).Count(), text.Count());
    EXPECT_TRUE(AdjustFile(text, [] { return false; }, {}).cancelled);
}

// A header that ends with a comment rather than "1." does not swallow the next game, and a game
// that does not replay is copied as it was.
TEST(AdjustFile, EndsTheHeaderAtTheFirstOtherLineAndKeepsBadGames) {
    const TempDir dir;
    const std::string path = dir.Write("g.pgn",
                                       "[Event    \"One\"]\n[Result \"1-0\"]\n{opening comment}\n"
                                       "1. e4 e5 1-0\n\n[Event \"Two\"]\n\n1. e4 e5 2. Ke3 *\n\n"
                                       "[Event \"Three\"]\n[Result \"0-1\"]\n\n1. d4 d5 0-1\n");
    const AdjustResult result = AdjustFile(Loaded(path), [] { return true; }, {});
    EXPECT_EQ(result.keptAsTheyWere, std::vector<int>{2});
    EXPECT_EQ(result.contents,
              "[Event \"One\"]\r\n[Result \"1-0\"]\r\n\r\n1.e4 e5  1-0\r\n\r\n"
              "[Event \"Two\"]\n\n1. e4 e5 2. Ke3 *\r\n\r\n"
              "[Event \"Three\"]\r\n[Result \"0-1\"]\r\n\r\n1.d4 d5  0-1\r\n");
}

}  // namespace
}  // namespace ravelin::utilities
