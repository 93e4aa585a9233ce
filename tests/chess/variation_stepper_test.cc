#include "chess/variation_stepper.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

#include "chess/fen.h"
#include "movetext_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::ParsedGame;

struct Stepping {
    ParsedGame game;
    VariationStepper stepper;
    std::vector<int> shown;

    explicit Stepping(std::string text) : game(std::move(text)) {
        game.Replay();
        stepper.showPosition = [this](int ply) { shown.push_back(ply); };
        stepper.Start();
    }
    std::string Fen(int ply) const { return FenOfPly(*game.context, ply + 1); }
};

TEST(VariationStepping, PlaysTheVariationMovesAndEndsAtItsClose) {
    Stepping s("1. e4 e5 2. Nf3 Nc6 (2... d6 3. d4) 3. Bb5 *\n");
    RestorePosition(*s.game.context, 4);
    int ply = StepVariation(*s.game.context, *s.game.record, s.stepper, 4);
    EXPECT_EQ(ply, 4);
    EXPECT_EQ(s.game.Black(2), "d6");
    EXPECT_EQ(s.game.White(3), "") << "the move list is cut after the analysis move";
    ply = StepVariation(*s.game.context, *s.game.record, s.stepper, ply);
    EXPECT_EQ(ply, 5);
    EXPECT_EQ(s.Fen(5), "rnbqkbnr/ppp2ppp/3p4/4p3/3PP3/5N2/PPP2PPP/RNBQKB1R b KQkq d3 0 1");
    EXPECT_EQ(s.stepper.analysisMoves, 2);
    ply = StepVariation(*s.game.context, *s.game.record, s.stepper, ply);
    EXPECT_EQ(s.stepper.depth, kAnalysisEnded);
    ASSERT_EQ(s.game.messages.size(), 1U);
    EXPECT_EQ(s.game.messages[0], "End of the analysis.");
    StepVariation(*s.game.context, *s.game.record, s.stepper, ply);
    EXPECT_EQ(s.game.messages.size(), 2U) << "an ended analysis only repeats its message";
}

TEST(VariationStepping, NestedVariationReturnsToTheMoveItLeft) {
    Stepping s("1. e4 e5 (1... c5 2. Nf3 (2. c3 d5) d6) 2. Nf3 *\n");
    RestorePosition(*s.game.context, 2);
    int ply = StepVariation(*s.game.context, *s.game.record, s.stepper, 2);  // 1... c5
    EXPECT_EQ(s.game.Black(1), "c5");
    ply = StepVariation(*s.game.context, *s.game.record, s.stepper, ply);  // 2. Nf3
    ply = StepVariation(*s.game.context, *s.game.record, s.stepper, ply);  // (2. c3
    EXPECT_EQ(s.game.White(2), "c3");
    EXPECT_EQ(s.stepper.depth, 2);
    ply = StepVariation(*s.game.context, *s.game.record, s.stepper, ply);  // d5
    ply = StepVariation(*s.game.context, *s.game.record, s.stepper, ply);  // ) back to 2. Nf3, then d6
    EXPECT_EQ(ply, 4);
    EXPECT_EQ(s.game.White(2), "Nf3");
    EXPECT_EQ(s.game.Black(2), "d6");
    EXPECT_EQ(s.Fen(4), "rnbqkbnr/pp2pppp/3p4/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 1");
}

TEST(VariationStepping, MoveNumberBeyondTheNextPlyIsRefused) {
    Stepping s("1. e4 e5 (5. d4 d5) 2. Nf3 *\n");
    RestorePosition(*s.game.context, 2);
    EXPECT_EQ(StepVariation(*s.game.context, *s.game.record, s.stepper, 2), 2);
    EXPECT_EQ(s.stepper.depth, kAnalysisEnded);
    ASSERT_EQ(s.game.messages.size(), 1U);
    EXPECT_EQ(s.game.messages[0], "Invalid move number after right paren.");
}

TEST(VariationStepping, MoveNumberZeroIsRefused) {
    Stepping s("1. e4 (0. d4) e5 *\n");
    RestorePosition(*s.game.context, 1);
    EXPECT_EQ(StepVariation(*s.game.context, *s.game.record, s.stepper, 1), 1);
    ASSERT_EQ(s.game.messages.size(), 1U);
    EXPECT_EQ(s.game.messages[0], "Invalid move number after right paren.");
}

TEST(VariationStepping, LongAlgebraicVariationMovesAreShortened) {
    Stepping s("1. e4 e5 (1... e7-e6 2. Ng1-f3) 2. Nf3 *\n");
    RestorePosition(*s.game.context, 2);
    int ply = StepVariation(*s.game.context, *s.game.record, s.stepper, 2);
    EXPECT_EQ(s.game.Black(1), "e6");
    ply = StepVariation(*s.game.context, *s.game.record, s.stepper, ply);
    EXPECT_EQ(s.game.White(2), "Nf3");
}

TEST(VariationStepping, NoVariationAfterThePlyEndsTheAnalysis) {
    Stepping s("1. e4 {just a comment} e5 *\n");
    RestorePosition(*s.game.context, 1);
    EXPECT_EQ(StepVariation(*s.game.context, *s.game.record, s.stepper, 1), 1);
    EXPECT_EQ(s.stepper.depth, kAnalysisEnded);
}

TEST(VariationStepping, DeepNestingIsPassedOverWithoutOverflow) {
    std::string text = "1. e4 e5 ";
    for (int i = 0; i < 3 * kMaxVariationDepth; ++i) {
        text += "(1... c5 ";
    }
    for (int i = 0; i < 3 * kMaxVariationDepth; ++i) {
        text += ") ";
    }
    text += "2. Nf3 *\n";
    Stepping s(text);
    RestorePosition(*s.game.context, 2);
    int ply = 2;
    for (int step = 0; step < 10 * kMaxVariationDepth && s.stepper.depth >= 0; ++step) {
        ply = StepVariation(*s.game.context, *s.game.record, s.stepper, ply);
        EXPECT_LE(s.stepper.depth, kMaxVariationDepth);
    }
    EXPECT_EQ(s.stepper.depth, kAnalysisEnded);
}

}  // namespace
}  // namespace ravelin::chess
