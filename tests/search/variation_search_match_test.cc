#include <gtest/gtest.h>

#include "search/search_result.h"
#include "search/variation_force_match.h"
#include "search/variation_match.h"
#include "variation_search_test_helpers.h"

namespace ravelin::search {
namespace {

using testing_support::GameWordsOf;
using testing_support::VariationOf;

// Whether the game (its plies) matches the whole variation.
bool GameMatches(std::initializer_list<std::string_view> variation,
                 std::initializer_list<std::string_view> game, bool exact) {
    VariationWords words;
    const auto context = chess::MakeChessContext();
    DeriveVariationWords(VariationOf(variation), *context, words);
    const VariationMatcher matcher(words, words.whiteCount, words.blackCount, exact);
    const std::vector<std::uint8_t> plies = GameWordsOf(game);
    return matcher.Matches(plies.data(), static_cast<int>(plies.size() / 2));
}

// --- the variation's words ---

TEST(VariationWordsTest, MovesAreDerivedLikeTheFastFileWords) {
    VariationWords words;
    const auto context = chess::MakeChessContext();
    DeriveVariationWords(VariationOf({"e4", "e5", "Nf3", "Nc6", "Bc4", "Nf6", "O-O"}), *context, words);
    ASSERT_EQ(words.whiteCount, 4);
    ASSERT_EQ(words.blackCount, 3);
    EXPECT_EQ(words.white[0], FastSquare(5, 4) << 8 | FastSquare(5, 2));
    EXPECT_EQ(words.black[0], FastSquare(5, 5) << 8 | FastSquare(5, 7));
    EXPECT_EQ(words.white[1], FastSquare(6, 3) << 8 | FastSquare(7, 1));
    EXPECT_EQ(words.white[3], kWhiteShortCastle);
}

TEST(VariationWordsTest, AnyMoveIsSkippedOnTheBoardAndLaterMovesStillDerive) {
    VariationWords words;
    const auto context = chess::MakeChessContext();
    DeriveVariationWords(VariationOf({"e4", "*", "Nf3", "Nc6"}), *context, words);
    EXPECT_EQ(words.black[0], kAnyMoveWord);
    EXPECT_EQ(words.white[1], FastSquare(6, 3) << 8 | FastSquare(7, 1));
    EXPECT_EQ(words.black[1], FastSquare(3, 6) << 8 | FastSquare(2, 8));
}

TEST(VariationWordsTest, UnplayableMoveAndEverythingAfterItMatchNothing) {
    VariationWords words;
    const auto context = chess::MakeChessContext();
    DeriveVariationWords(VariationOf({"e4", "Ke6", "Nf3", "Nc6"}), *context, words);
    EXPECT_EQ(words.black[0], kUnplayableWord);
    EXPECT_EQ(words.white[1], kUnplayableWord);
    EXPECT_EQ(words.black[1], kUnplayableWord);
    EXPECT_FALSE(GameMatches({"e4", "Ke6", "Nf3"}, {"e4", "e5", "Nf3", "Nc6"}, false));
}

TEST(VariationWordsTest, PromotionPieceIsPartOfTheWord) {
    const std::initializer_list<std::string_view> game = {"e4",   "d5",  "exd5", "c6",
                                                          "dxc6", "Nf6", "cxb7", "Nbd7"};
    EXPECT_TRUE(GameMatches({"e4", "d5", "exd5", "c6", "dxc6", "Nf6", "cxb7", "Nbd7", "bxa8=Q"},
                            {"e4", "d5", "exd5", "c6", "dxc6", "Nf6", "cxb7", "Nbd7", "bxa8=Q"}, true));
    EXPECT_FALSE(GameMatches({"e4", "d5", "exd5", "c6", "dxc6", "Nf6", "cxb7", "Nbd7", "bxa8=N"},
                             {"e4", "d5", "exd5", "c6", "dxc6", "Nf6", "cxb7", "Nbd7", "bxa8=Q"}, true));
    EXPECT_TRUE(GameMatches(game, game, true));
}

// --- transposition order and exact order ---

TEST(VariationMatchTest, TranspositionMatchesTheSameMovesInAnotherOrder) {
    EXPECT_TRUE(GameMatches({"e4", "e5", "Nf3", "Nc6"}, {"Nf3", "Nc6", "e4", "e5"}, false));
    EXPECT_FALSE(GameMatches({"e4", "e5", "Nf3", "Nc6"}, {"Nf3", "Nc6", "e4", "e5"}, true));
    EXPECT_TRUE(GameMatches({"e4", "e5", "Nf3", "Nc6"}, {"e4", "e5", "Nf3", "Nc6", "Bb5"}, true));
}

TEST(VariationMatchTest, TranspositionNeedsTheMovesWithinTheSameNumberOfMoves) {
    EXPECT_FALSE(GameMatches({"e4", "e5", "Nf3", "Nc6"}, {"d4", "d5", "Nf3", "Nc6", "e4", "e5"}, false));
    EXPECT_FALSE(GameMatches({"e4", "e5", "Nf3", "Nc6"}, {"e4", "e5", "Bc4", "Nc6", "Nf3"}, false));
}

TEST(VariationMatchTest, RepeatedWhiteMoveMustBeRepeatedAsOften) {
    const std::initializer_list<std::string_view> variation = {"Nf3", "Nf6", "Ng1", "Ng8", "Nf3"};
    EXPECT_TRUE(GameMatches(variation, {"Nf3", "Nf6", "Ng1", "Ng8", "Nf3", "e5"}, false));
    EXPECT_FALSE(GameMatches(variation, {"Nf3", "Nf6", "Ng1", "Ng8", "e4", "e5"}, false));
}

TEST(VariationMatchTest, RepeatedBlackMoveMustBeRepeatedAsOften) {
    const std::initializer_list<std::string_view> variation = {"Nf3", "Nf6", "Ng1", "Ng8", "Nf3", "Nf6"};
    EXPECT_TRUE(GameMatches(variation, {"Nf3", "Nf6", "Ng1", "Ng8", "Nf3", "Nf6"}, false));
    EXPECT_FALSE(GameMatches(variation, {"Nf3", "Nf6", "Ng1", "Ng8", "Nf3", "e5"}, false));
}

TEST(VariationMatchTest, AnyMoveMatchesEveryMoveInBothModes) {
    for (const bool exact : {false, true}) {
        EXPECT_TRUE(GameMatches({"e4", "*", "Nf3"}, {"e4", "c5", "Nf3", "d6"}, exact));
        EXPECT_TRUE(GameMatches({"*", "e5"}, {"d4", "e5"}, exact));
    }
}

TEST(VariationMatchTest, MissingBlackReplyMatchesOnlyAnyMove) {
    // The game ends with white's second move: there is no black move 2 to read.
    for (const bool exact : {false, true}) {
        EXPECT_TRUE(GameMatches({"e4", "e5", "Nf3", "*"}, {"e4", "e5", "Nf3"}, exact));
        EXPECT_FALSE(GameMatches({"e4", "e5", "Nf3", "Nc6"}, {"e4", "e5", "Nf3"}, exact));
    }
}

TEST(VariationMatchTest, GameShorterThanTheVariationIsNotConsidered) {
    EXPECT_FALSE(GameMatches({"e4", "e5", "Nf3"}, {"e4", "e5"}, false));
    EXPECT_FALSE(GameMatches({"e4", "*", "*"}, {"e4", "e5"}, false));
}

TEST(VariationMatchTest, UntestedBlackMovesOfAShortenedVariationCountAsMatched) {
    VariationWords words;
    const auto context = chess::MakeChessContext();
    DeriveVariationWords(VariationOf({"e4", "e5", "Nf3", "Nc6"}), *context, words);
    const VariationMatcher matcher(words, 2, 1, true);
    const std::vector<std::uint8_t> game = GameWordsOf({"e4", "e5", "Nf3", "d6"});
    EXPECT_TRUE(matcher.Matches(game.data(), 4));
    const VariationMatcher whole(words, 2, 2, true);
    EXPECT_FALSE(whole.Matches(game.data(), 4));
}

TEST(VariationMatchTest, RepeatCountsFollowTheTestedLength) {
    // Shortened to Nf3 Ng1 (white), the move Nf3 occurs once: a game playing it once matches.
    VariationWords words;
    const auto context = chess::MakeChessContext();
    DeriveVariationWords(VariationOf({"Nf3", "Nf6", "Ng1", "Ng8", "Nf3"}), *context, words);
    const VariationMatcher matcher(words, 2, 2, false);
    const std::vector<std::uint8_t> game = GameWordsOf({"Nf3", "Nf6", "Ng1", "Ng8", "e4"});
    EXPECT_TRUE(matcher.Matches(game.data(), 5));
}

TEST(VariationMatchTest, ResultWordsGiveTheOutcomeBytes) {
    EXPECT_EQ(OutcomeOfResultWord(0x8002), kOutcomeWhiteWon);
    EXPECT_EQ(OutcomeOfResultWord(0x8000), kOutcomeBlackWon);
    EXPECT_EQ(OutcomeOfResultWord(0x8001), kOutcomeOther);
    EXPECT_EQ(OutcomeOfResultWord(0x8003), kOutcomeOther);
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
        EXPECT_GE(lengths.WhiteMoves(), lengths.BlackMoves());
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

TEST(ForceMatchTest, WholeVariationMatchingTakesOnePass) {
    const ForceMatchRun run = RunForceMatch(10, 10, 20);
    EXPECT_EQ(run.passes, 1);
    EXPECT_EQ(run.plies, 20);
}

TEST(ForceMatchTest, EndsOnTheLongestMatchingLengthAndReportsIt) {
    for (const int black : {10, 9}) {
        for (int longest = 1; longest < 10 + black; ++longest) {
            const ForceMatchRun run = RunForceMatch(10, black, longest);
            EXPECT_TRUE(run.lastPassMatched) << "black " << black << " longest " << longest;
            EXPECT_EQ(run.plies, longest) << "black " << black << " longest " << longest;
        }
    }
}

TEST(ForceMatchTest, NothingMatchingEndsWithoutAMatch) {
    const ForceMatchRun run = RunForceMatch(10, 10, 0);
    EXPECT_FALSE(run.lastPassMatched);
}

TEST(ForceMatchTest, VariationOfOneWhiteMoveIsNotShortened) {
    const ForceMatchRun run = RunForceMatch(1, 0, 0);
    EXPECT_EQ(run.passes, 1);
}

}  // namespace
}  // namespace ravelin::search
