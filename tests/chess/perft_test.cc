#include "chess/perft.h"

#include <gtest/gtest.h>

namespace ravelin::chess {
namespace {

// Published perft counts (the standard test positions), at depths that run quickly through the
// program's own legality check; deeper counts are measured in bench/chess.
struct PublishedPerft {
    const char* name;
    const char* fen;
    int depth;
    std::uint64_t nodes;
};

constexpr PublishedPerft kPublished[] = {
    {"StartPosition", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 3, 8902},
    {"Kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 3, 97862},
    {"Position3", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 3, 2812},
    {"Position4", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 3, 9467},
    {"Position4Mirrored", "r2q1rk1/pP1p2pp/Q4n2/bbp1p3/Np6/1B3NBn/pPPP1PPP/R3K2R b KQ - 0 1", 3, 9467},
    {"Position5", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 3, 62379},
    {"Position6", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 3, 89890},
    {"Position3Depth4", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 4, 43238},
};

class PublishedPerftTest : public ::testing::TestWithParam<PublishedPerft> {};

TEST_P(PublishedPerftTest, Perft_MatchesPublishedCount) {
    const PublishedPerft& expected = GetParam();
    const auto context = MakeChessContext();
    context->batch = true;
    std::string error;
    const int ply = SetUpFen(*context, expected.fen, error);
    ASSERT_NE(ply, 0) << error;
    EXPECT_EQ(Perft(*context, ply, expected.depth), expected.nodes);
}

INSTANTIATE_TEST_SUITE_P(StandardPositions, PublishedPerftTest, ::testing::ValuesIn(kPublished),
                         [](const ::testing::TestParamInfo<PublishedPerft>& param) {
                             return std::string(param.param.name);
                         });

}  // namespace
}  // namespace ravelin::chess
