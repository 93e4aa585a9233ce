// Perft of the standard test positions through MakeCoordinateMove and SAN commits, with the
// published counts beside the measured ones. Usage: chess_perft_bench [quick]
#include <chrono>
#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>

#include "chess/perft.h"

namespace {

struct Case {
    const char* name;
    const char* fen;
    int depth;
    std::uint64_t published;
};

constexpr Case kCases[] = {
    {"start", "rnbqkbnr/pppppppp/8/8/8/8/PPPPPPPP/RNBQKBNR w KQkq - 0 1", 5, 4865609},
    {"kiwipete", "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1", 4, 4085603},
    {"position3", "8/2p5/3p4/KP5r/1R3p1k/8/4P1P1/8 w - - 0 1", 4, 43238},
    {"position4", "r3k2r/Pppp1ppp/1b3nbN/nP6/BBP1P3/q4N2/Pp1P2PP/R2Q1RK1 w kq - 0 1", 4, 422333},
    {"position5", "rnbq1k1r/pp1Pbppp/2p5/8/2B5/8/PPP1NnPP/RNBQK2R w KQ - 1 8", 4, 2103487},
    {"position6", "r4rk1/1pp1qppp/p1np1n2/2b1p1B1/2B1P1b1/P1NP1N2/1PP1QPPP/R4RK1 w - - 0 10", 4, 3894594},
};

constexpr int kQuickDepthReduction = 1;

}  // namespace

int main(int argc, char** argv) {
    using ravelin::chess::MakeChessContext;
    const bool quick = argc > 1 && std::string_view(argv[1]) == "quick";
    std::uint64_t totalNodes = 0;
    double totalSeconds = 0;
    bool allMatch = true;
    std::printf("%-10s %5s %12s %12s %8s %12s\n", "position", "depth", "nodes", "published", "seconds",
                "nodes/s");
    for (const Case& c : kCases) {
        const int depth = quick ? c.depth - kQuickDepthReduction : c.depth;
        const auto context = MakeChessContext();
        context->batch = true;
        std::string error;
        const int ply = ravelin::chess::SetUpFen(*context, c.fen, error);
        const auto start = std::chrono::steady_clock::now();
        const std::uint64_t nodes = ravelin::chess::Perft(*context, ply, depth);
        const double seconds =
            std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
        totalNodes += nodes;
        totalSeconds += seconds;
        const bool match = quick || nodes == c.published;
        allMatch = allMatch && match;
        std::printf("%-10s %5d %12llu %12llu %8.2f %12.0f %s\n", c.name, depth,
                    static_cast<unsigned long long>(nodes), static_cast<unsigned long long>(c.published),
                    seconds, nodes / seconds, match ? "" : "MISMATCH");
    }
    std::printf("total: %llu nodes in %.2f s, %.0f nodes/s\n", static_cast<unsigned long long>(totalNodes),
                totalSeconds, totalNodes / totalSeconds);
    return allMatch ? 0 : 1;
}
