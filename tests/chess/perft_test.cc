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

// Positions of the published Chess960 perft suite: castling rooks beside the king, king and rook
// swapping squares, rights of one side only, an en passant square; rook files given as letters
// (Shredder-FEN) and, for two of them, as KQkq letters naming the outermost rooks (X-FEN).
constexpr PublishedPerft kChess960[] = {
    {"KingBetweenAdjacentRooks", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w HFhf - 2 9", 3,
     12189},
    {"SameInXFen", "bqnb1rkr/pp3ppp/3ppn2/2p5/5P2/P2P4/NPP1P1PP/BQ1BNRKR w KQkq - 2 9", 3, 12189},
    {"RooksOnBothSides", "b1q1rrkb/pppppppp/3nn3/8/P7/1PPP4/4PPPP/BQNNRKRB w GE - 1 9", 4, 273318},
    {"RooksOnBothSidesXFen", "b1q1rrkb/pppppppp/3nn3/8/P7/1PPP4/4PPPP/BQNNRKRB w KQ - 1 9", 3, 10471},
    {"ThreeRights", "qnr1bkrb/pppp2pp/3np3/5p2/8/P2P2P1/NPP1PP1P/QN1RBKRB w GDg - 3 9", 3, 26895},
    {"BlackOnly", "nnrkbbqr/1p2pppp/p2p4/2p5/8/1N2P1P1/PPPP1P1P/1NKRBBQR w hc - 0 9", 3, 18136},
    {"EnPassantToo", "bnqnrbkr/1pp2pp1/p7/3pP2p/4P1P1/8/PPPP3P/BNQNRBKR w HEhe d6 0 9", 3, 28677},
    {"KingOnItsTarget", "nbnrbk2/p1pppp1p/1p3qr1/6p1/1B1P4/1N6/PPP1PPPP/1BNR1RKQ w d - 2 9", 3, 22780},
    {"LongCastleOverTheRook", "n1rk1qbb/pppprpp1/2n4p/4p3/2PP3P/8/PP2PPP1/NNRKRQBB w ECc - 1 9", 3, 16031},
    {"MixedRights", "nnrqbkrb/pppp1pp1/7p/4p3/6P1/2N2B2/PPPPPP1P/NR1QBKR1 w Ggc - 2 9", 3, 19364},
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

std::string PerftName(const ::testing::TestParamInfo<PublishedPerft>& param) {
    return param.param.name;
}

INSTANTIATE_TEST_SUITE_P(StandardPositions, PublishedPerftTest, ::testing::ValuesIn(kPublished), PerftName);
INSTANTIATE_TEST_SUITE_P(Chess960Positions, PublishedPerftTest, ::testing::ValuesIn(kChess960), PerftName);

}  // namespace
}  // namespace ravelin::chess
