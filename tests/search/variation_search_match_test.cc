#include <gtest/gtest.h>

#include "search/header_match.h"
#include "search/variation_force_match.h"
#include "search_test_helpers.h"

namespace ravelin::search {
namespace {

using testing_support::GameWordsOf;
using testing_support::VariationOf;

// The plies of a text: "e4 e5 Nf3".
std::vector<std::string_view> Plies(std::string_view text) {
    std::vector<std::string_view> plies;
    while (!text.empty()) {
        const std::size_t end = std::min(text.find(' '), text.size());
        plies.push_back(text.substr(0, end));
        text.remove_prefix(std::min(end + 1, text.size()));
    }
    return plies;
}

// Transposition finds the same moves in another order within as many moves, and a repeated move
// must be repeated as often; any move matches every move, also one the game lacks, and the moves
// after it still derive; a game shorter than the variation is not considered; an unplayable move
// and everything after it match nothing; the promotion piece is part of the word. Of a shortened
// variation only the moves tested count, and the black moves not tested count as matched.
TEST(VariationMatchTest, GamesAgainstVariations) {
    enum Modes { kTransposed = 1, kExact = 2, kBoth = 3 };
    struct Case {
        const char* variation;
        int modes;
        std::vector<const char*> matching, other;
        int white = -1, black = -1;  // the moves of a shortened variation tested, else all
    };
    const char* toA8 = "e4 d5 exd5 c6 dxc6 Nf6 cxb7 Nbd7 bxa8=";
    const std::string toQueen = std::string(toA8) + "Q", toKnight = std::string(toA8) + "N";
    const Case cases[] = {
        {"e4 e5 Nf3 Nc6", kTransposed, {"Nf3 Nc6 e4 e5"}, {"d4 d5 Nf3 Nc6 e4 e5", "e4 e5 Bc4 Nc6 Nf3"}},
        {"e4 e5 Nf3 Nc6", kExact, {"e4 e5 Nf3 Nc6 Bb5"}, {"Nf3 Nc6 e4 e5", "e4 e5 Nf3 d6"}},
        {"e4 e5 Nf3 Nc6", kExact, {"e4 e5 Nf3 d6"}, {}, 2, 1},
        {"Nf3 Nf6 Ng1 Ng8 Nf3", kTransposed, {"Nf3 Nf6 Ng1 Ng8 Nf3 e5"}, {"Nf3 Nf6 Ng1 Ng8 e4 e5"}},
        {"Nf3 Nf6 Ng1 Ng8 Nf3", kTransposed, {"Nf3 Nf6 Ng1 Ng8 e4"}, {}, 2, 2},
        {"Nf3 Nf6 Ng1 Ng8 Nf3 Nf6", kTransposed, {"Nf3 Nf6 Ng1 Ng8 Nf3 Nf6"}, {"Nf3 Nf6 Ng1 Ng8 Nf3 e5"}},
        {"e4 * Nf3 Nc6", kBoth, {"e4 c5 Nf3 Nc6"}, {}},
        {"* e5", kBoth, {"d4 e5"}, {}},
        {"e4 e5 Nf3 *", kBoth, {"e4 e5 Nf3"}, {}},
        {"e4 e5 Nf3 Nc6", kBoth, {}, {"e4 e5 Nf3"}},
        {"e4 e5 Nf3", kTransposed, {}, {"e4 e5"}},
        {"e4 * *", kTransposed, {}, {"e4 e5"}},
        {"e4 Ke6 Nf3", kTransposed, {}, {"e4 e5 Nf3 Nc6"}},
        {toQueen.c_str(), kExact, {toQueen.c_str()}, {toKnight.c_str()}},
        {toKnight.c_str(), kExact, {toKnight.c_str()}, {toQueen.c_str()}},
    };
    const auto context = chess::MakeChessContext();
    for (const Case& c : cases) {
        VariationWords words;
        DeriveVariationWords(VariationOf(Plies(c.variation)), *context, words);
        for (const bool exact : {false, true}) {
            if ((c.modes & (exact ? kExact : kTransposed)) == 0) {
                continue;
            }
            const VariationMatcher matcher(words, c.white < 0 ? words.whiteCount : c.white,
                                           c.black < 0 ? words.blackCount : c.black, exact);
            for (const bool matches : {true, false}) {
                for (const char* game : matches ? c.matching : c.other) {
                    const std::vector<std::uint8_t> plies = GameWordsOf(Plies(game));
                    EXPECT_EQ(matcher.Matches(plies.data(), static_cast<int>(plies.size() / 2)), matches)
                        << c.variation << (exact ? " exact" : " transposed") << " / " << game;
                }
            }
        }
    }
}

TEST(OutcomeTest, OfTheResultValueTagLineAndWord) {
    struct Case {
        const char* value;
        std::uint8_t outcome;
    };
    for (const Case& c :
         {Case{"1-0", kOutcomeWhiteWon}, Case{"0-1", kOutcomeBlackWon}, Case{"1/2-1/2", kOutcomeOther},
          Case{"*", kOutcomeOther}, Case{"", kOutcomeOther}}) {
        EXPECT_EQ(OutcomeOfResult(c.value), c.outcome) << c.value;
        EXPECT_EQ(OutcomeOfResultLine("[Result \"" + std::string(c.value) + "\"]"), c.outcome) << c.value;
        EXPECT_EQ(OutcomeOfResultWord(ResultWord(FastResultCodeOf(c.value))), c.outcome) << c.value;
    }
    EXPECT_EQ(OutcomeOfResultLine("[Result \"1"), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResultLine(""), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResultWord(0x8003), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResultWord(0x8012), kOutcomeOther);
}

// --- the lengths of Force Match ---

// Runs the passes against a variation of which exactly the first `longest` plies match some game.
struct ForceMatchRun {
    int plies = 0;
    int passes = 0;
    bool lastPassMatched = false;
};

ForceMatchRun RunForceMatch(int white, int black, int longest) {
    ForceMatchSearch lengths(white, black);
    ForceMatchRun run;
    for (;;) {
        ++run.passes;
        EXPECT_LE(lengths.BlackMoves(), lengths.WhiteMoves());
        const bool matched = lengths.WhiteMoves() + lengths.BlackMoves() <= longest;
        run.lastPassMatched = matched;
        if (!lengths.Next(matched)) {
            break;
        }
        if (run.passes > 2 * (white + black)) {
            ADD_FAILURE() << "no end";
            break;
        }
    }
    run.plies = lengths.PliesMatched();
    return run;
}

TEST(ForceMatchTest, EndsOnTheLongestMatchingLengthAndReportsIt) {
    for (const int black : {10, 9}) {
        for (int longest = 1; longest <= 10 + black; ++longest) {
            const ForceMatchRun run = RunForceMatch(10, black, longest);
            EXPECT_TRUE(run.lastPassMatched) << "black " << black << " longest " << longest;
            EXPECT_EQ(run.plies, longest) << "black " << black << " longest " << longest;
        }
        // The whole variation matching takes one pass; nothing matching ends without a match.
        EXPECT_EQ(RunForceMatch(10, black, 10 + black).passes, 1);
        EXPECT_FALSE(RunForceMatch(10, black, 0).lastPassMatched);
    }
    // A variation of one white move is not shortened.
    EXPECT_EQ(RunForceMatch(1, 0, 0).passes, 1);
}

}  // namespace
}  // namespace ravelin::search
