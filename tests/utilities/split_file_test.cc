#include "utilities/split_file.h"

#include <gtest/gtest.h>

#include <filesystem>

#include "utilities_test_helpers.h"

namespace ravelin::utilities {
namespace {

using namespace testing;

TEST(SplitFile, PartNamesFollowTheLastCharacter) {
    struct Case {
        std::string path;
        int games;
        std::vector<std::string> names;
        std::vector<int> counts;
    };
    const Case cases[] = {
        {"d/games.pgn", 7, {"d/games1.pgn", "d/games2.pgn"}, {4, 3}},
        {"d/games2005.pgn", 7, {"d/games2005a.pgn", "d/games2005b.pgn"}, {4, 3}},
        {"d/one.pgn", 1, {"d/one1.pgn"}, {1}},  // no empty second part
        {"d/big9.pgn",
         100000,
         {"d/big9a.pgn", "d/big9b.pgn", "d/big9c.pgn", "d/big9d.pgn"},
         {25001, 25000, 25000, 24999}},
    };
    for (const Case& c : cases) {
        SCOPED_TRACE(c.path);
        std::vector<std::string> names;
        std::vector<int> counts;
        for (const SplitPart& part : PlanSplit(c.path, c.games)) {
            names.push_back(part.path);
            counts.push_back(part.games);
        }
        EXPECT_EQ(names, c.names);
        EXPECT_EQ(counts, c.counts);
    }
}

TEST(SplitFile, PartsHoldEveryGameAndAnExistingPartIsNotOverwritten) {
    if (PgnExtract().empty()) {
        GTEST_SKIP() << "pgn-extract is not installed";
    }
    const TempDir dir;
    const std::string path = CopyOf(dir, "matches.pgn", {"world_matches.pgn"});
    const PgnText text = Loaded(path);
    const std::vector<SplitPart> parts = PlanSplit(path, text.Count());
    const std::string existing = dir.Write("matches2.pgn", "keep me");
    std::vector<std::string> asked;
    EXPECT_STREQ(
        SplitFile(text, parts, [&](const std::string& part) { return asked.push_back(part), false; }, {}),
        kErrorCreatingSplitFile);
    EXPECT_EQ(asked, std::vector<std::string>{existing});
    EXPECT_EQ(ReadWholeFile(existing), "keep me");
    EXPECT_FALSE(std::filesystem::exists(dir.File("matches1.pgn")));

    EXPECT_EQ(SplitFile(text, parts, [](const std::string&) { return true; }, {}), nullptr);
    EXPECT_EQ(PgnExtractCount(dir.File("matches1.pgn")), 291);
    EXPECT_EQ(PgnExtractCount(dir.File("matches2.pgn")), 289);
    EXPECT_EQ(PgnExtractMoves(dir.File("matches1.pgn")) + PgnExtractMoves(dir.File("matches2.pgn")),
              PgnExtractMoves(path));
    EXPECT_EQ(ReadWholeFile(path), ReadWholeFile(TestDataPath("pgn/world_matches.pgn")));
}

}  // namespace
}  // namespace ravelin::utilities
