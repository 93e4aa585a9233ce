#include "chess/chess_context.h"

#include <gtest/gtest.h>

#include <sstream>
#include <string>
#include <tuple>

#include "chess/fen.h"
#include "chess/variation_stepper.h"
#include "chess_test_helpers.h"

namespace ravelin::chess {
namespace {

using testing::ParsedGame;
using testing::Position;

// A context whose move list holds the texts (white and black alternately), started from the FEN
// when one is given.
struct Replaying : Position {
    explicit Replaying(std::string_view moves, std::string_view fen = "") {
        if (!fen.empty()) {
            EXPECT_TRUE(ReadFenPlacement(*context, "[FEN \"" + std::string(fen) + "\"]"));
            context->fenSwitch = true;
        }
        context->moves.Clear();
        std::istringstream in{std::string(moves)};
        std::string move;
        for (int entry = 1; in >> move; ++entry) {
            SetSanText(context->moves.MoveOfPly(entry), move);
        }
        SetStartPosition(*context);
    }
};

struct ReplayCase {
    const char* fen;
    const char* moves;
    int count;  // moves to replay
    int plies;  // plies played
    const char* texts;
    const char* squares = "";
};

const ReplayCase kReplayCases[] = {
    // A move the board refuses is marked and ends the replay; the mark stays inside a full entry.
    {"", "e4 e5 Nc4 Nc6", 2, 2, "e4 e5 Nc4* Nc6", "g1N"},
    {"", "Qh4xe1+", 1, 0, "Qh4xe1*"},
    {"4k3/4p3/8/8/8/8/8/4K3 b - - 0 1", ".. e5 Kd2", 2, 3, ".. e5 Kd2", "e5p d2K"},
    {"", "g1f3 e7e5", 1, 2, "Ng1f3 e5", "f3N e5p"},
    // White promotes a fourth queen; its later moves are located by board scan and written afresh.
    {"8/4P3/8/2k5/8/8/8/QQ2K2Q w - - 0 1", "e8=Q Kc4 Qe2+ Kc5", 2, 4, "e8=Q Kc4 Qe2+ Kc5", "e2Q e8."},
};

TEST(Replay, PlaysMarksAndRewritesTheMoveList) {
    for (const ReplayCase& c : kReplayCases) {
        SCOPED_TRACE(c.moves);
        Replaying replay(c.moves, c.fen);
        replay->warningsOff = true;
        EXPECT_EQ(ReplayMoves(*replay, c.count), c.plies);
        EXPECT_EQ(testing::MoveTexts(*replay), c.texts);
        replay.ExpectSquares(c.squares);
    }
}

TEST(Replay, ReplayToPlyCutsMoveListUnlessKept) {
    Replaying replay("e4 e5 Nf3 Nc6");
    EXPECT_EQ(ReplayToPly(*replay, 2, true), 2);
    replay.ExpectSquares("f3. e4P e5p");
    EXPECT_EQ(testing::MoveTexts(*replay), "e4 e5 Nf3 Nc6");
    EXPECT_EQ(ReplayToPly(*replay, 2, false), 2);
    EXPECT_EQ(testing::MoveTexts(*replay), "e4 e5");
}

TEST(History, ContextsAreIndependent) {
    Position first;
    Position second;
    ASSERT_TRUE(first.Play("e4"));
    second.ExpectSquares("e2P e4.");
}

// A parsed and replayed game whose variations are stepped through from a ply of the main line.
struct Stepping {
    ParsedGame game;
    VariationStepper stepper;

    Stepping(std::string text, int fromPly) : game(std::move(text)) {
        game.Replay();
        stepper.Start();
        RestorePosition(*game.context, fromPly);
    }
    int Step(int ply) { return StepVariation(*game.context, *game.record, stepper, ply); }
    std::string Fen(int ply) const { return FenOfPly(*game.context, ply + 1); }
};

TEST(VariationStepping, PlaysTheVariationMovesAndEndsAtItsClose) {
    Stepping s("1. e4 e5 2. Nf3 Nc6 (2... d6 3. d4) 3. Bb5 *\n", 4);
    int ply = s.Step(4);
    EXPECT_EQ(ply, 4);
    EXPECT_EQ(s.game.Entries(), "e4 e5 Nf3 d6") << "the move list is cut after the analysis move";
    ply = s.Step(ply);
    EXPECT_EQ(ply, 5);
    EXPECT_EQ(s.Fen(5), "rnbqkbnr/ppp2ppp/3p4/4p3/3PP3/5N2/PPP2PPP/RNBQKB1R b KQkq d3 0 1");
    EXPECT_EQ(s.stepper.analysisMoves, 2);
    ply = s.Step(ply);
    EXPECT_EQ(s.stepper.depth, kAnalysisEnded);
    EXPECT_EQ(s.game.messages, std::vector<std::string>{"End of the analysis."});
    s.Step(ply);
    EXPECT_EQ(s.game.messages.size(), 2U) << "an ended analysis only repeats its message";
}

TEST(VariationStepping, NestedVariationReturnsToTheMoveItLeft) {
    Stepping s("1. e4 e5 (1... c5 2. Nf3 (2. c3 d5) d6) 2. Nf3 *\n", 2);
    int ply = s.Step(s.Step(2));  // 1... c5 2. Nf3
    ply = s.Step(ply);            // (2. c3
    EXPECT_EQ(s.game.Entries(), "e4 c5 c3");
    EXPECT_EQ(s.stepper.depth, 2);
    ply = s.Step(s.Step(ply));  // d5, then ) back to 2. Nf3 and d6
    EXPECT_EQ(ply, 4);
    EXPECT_EQ(s.game.Entries(), "e4 c5 Nf3 d6");
    EXPECT_EQ(s.Fen(4), "rnbqkbnr/pp2pppp/3p4/2p5/4P3/5N2/PPPP1PPP/RNBQKB1R w KQkq - 0 1");
}

TEST(VariationStepping, NoVariationOrABadMoveNumberEndsTheAnalysisWhereItIs) {
    const std::string kBadNumber = "Invalid move number after right paren.";
    const std::tuple<const char*, int, std::string> cases[] = {
        {"1. e4 e5 (5. d4 d5) 2. Nf3 *\n", 2, kBadNumber},
        {"1. e4 (0. d4) e5 *\n", 1, kBadNumber},
        {"1. e4 {just a comment} e5 *\n", 1, "End of the analysis."},
    };
    for (const auto& [text, ply, message] : cases) {
        Stepping s(text, ply);
        EXPECT_EQ(s.Step(ply), ply);
        EXPECT_EQ(s.stepper.depth, kAnalysisEnded);
        EXPECT_EQ(s.game.messages, std::vector<std::string>{message});
    }
}

TEST(VariationStepping, LongAlgebraicVariationMovesAreShortened) {
    Stepping s("1. e4 e5 (1... e7-e6 2. Ng1-f3) 2. Nf3 *\n", 2);
    s.Step(s.Step(2));
    EXPECT_EQ(s.game.Entries(), "e4 e6 Nf3");
}

TEST(VariationStepping, DeepNestingIsPassedOverWithoutOverflow) {
    std::string text = "1. e4 e5 ";
    for (int i = 0; i < 3 * kMaxVariationDepth; ++i) {
        text += "(1... c5 ";
    }
    for (int i = 0; i < 3 * kMaxVariationDepth; ++i) {
        text += ") ";
    }
    Stepping s(text + "2. Nf3 *\n", 2);
    int ply = 2;
    for (int step = 0; step < 10 * kMaxVariationDepth && s.stepper.depth >= 0; ++step) {
        ply = s.Step(ply);
        EXPECT_LE(s.stepper.depth, kMaxVariationDepth);
    }
    EXPECT_EQ(s.stepper.depth, kAnalysisEnded);
}

}  // namespace
}  // namespace ravelin::chess
