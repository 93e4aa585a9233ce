// position_bench FILE.pgn [REPEATS] [--pgn | --index-only]: position searches of one file whose fast
// file exists. The index is built first (timed on its own); then for each query: matches and time
// of the fast file replayed record by record, the best and the median of REPEATS searches through
// the index, and with --pgn the PGN text. Times are the thread's processor time, so other work on
// the machine counts less. The ways must agree; a difference is printed and the status is 1.

#include <time.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <cstring>
#include <string>
#include <vector>

#include "gamefile/game_index.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "search/position_index.h"
#include "search/position_lists.h"
#include "search/position_search.h"

namespace {

using namespace ravelin;
using search::FastBoard;
using search::FastMove;
using search::PositionSearchWay;
using search::SearchPosition;

// Processor time of this thread.
struct CpuClock {
    static std::chrono::nanoseconds now() {
        timespec t{};
        clock_gettime(CLOCK_THREAD_CPUTIME_ID, &t);
        return std::chrono::seconds(t.tv_sec) + std::chrono::nanoseconds(t.tv_nsec);
    }
};

double Milliseconds(std::chrono::nanoseconds d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

struct Query {
    std::string name;
    SearchPosition position;
};

FastMove Move(const char* from, const char* to) {
    return static_cast<FastMove>(search::FastSquare(to[0] - 'a' + 1, to[1] - '0') << 8 |
                                 search::FastSquare(from[0] - 'a' + 1, from[1] - '0'));
}

SearchPosition Exact(const FastBoard& board) {
    search::CriteriaBoard criteria;
    int counts[2][search::kCountKinds] = {};
    for (int square = 0; square < 64; ++square) {
        const int code = board[static_cast<std::size_t>(square)];
        criteria.squares[square / 8 + 1][square % 8 + 1] = code;
        if (code != 0 && chess::KindOf(code) != chess::kKing) {
            ++counts[chess::IsWhitePiece(code) ? 0 : 1][chess::kQueen - chess::KindOf(code)];
        }
    }
    for (int side = 0; side < 2; ++side) {
        for (int kind = 0; kind < search::kCountKinds; ++kind) {
            if (counts[side][kind] <= 9) {
                criteria.counts[side][kind] = {search::kCountEqual,
                                               static_cast<char>('0' + counts[side][kind])};
            }
        }
    }
    SearchPosition position;
    search::BuildPositionLists(criteria, position);
    return position;
}

SearchPosition Lists(std::initializer_list<const char*> white, std::initializer_list<const char*> black,
                     const char* moveNumber = nullptr) {
    SearchPosition position;
    std::size_t i = 0;
    for (const char* text : white) {
        search::SetPositionEntry(position.white[i++], text);
    }
    i = 0;
    for (const char* text : black) {
        search::SetPositionEntry(position.black[i++], text);
    }
    if (moveNumber != nullptr) {
        position.moveNumber = {true, moveNumber};
    }
    return position;
}

// The position after ply of record game (1-based) of the fast file.
FastBoard PositionOfGame(const std::string& movePath, int game, int ply, int& plyTaken) {
    search::FastMoveReader reader;
    FastBoard board = search::FastStartBoard();
    plyTaken = 0;
    if (!reader.Open(movePath)) {
        return board;
    }
    std::vector<FastMove> moves;
    FastMove result = 0;
    for (int g = 1; g <= game; ++g) {
        if (reader.Next(moves, result) != search::FastMoveReader::Step::kRecord) {
            return board;
        }
    }
    const int last =
        ply < 0 ? static_cast<int>(moves.size()) : std::min<int>(ply, static_cast<int>(moves.size()));
    for (int p = 1; p <= last; ++p) {
        search::ApplyFastMove(board, moves[static_cast<std::size_t>(p - 1)], p);
    }
    plyTaken = last;
    return board;
}

bool SameMatches(const search::SearchResult& a, const search::SearchResult& b) {
    if (a.Count() != b.Count()) {
        return false;
    }
    for (std::size_t i = 0; i < a.matches.size(); ++i) {
        if (a.matches[i].game != b.matches[i].game || a.matches[i].ply != b.matches[i].ply ||
            a.matches[i].outcome != b.matches[i].outcome) {
            return false;
        }
    }
    return true;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: position_bench FILE.pgn [REPEATS] [--pgn]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int repeats = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    const bool withPgn = argc > 3 && std::strcmp(argv[3], "--pgn") == 0;
    const bool indexOnly = argc > 3 && std::strcmp(argv[3], "--index-only") == 0;
    search::OpenedSearchFile opened(path);
    if (!opened.IsOpen()) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 2;
    }
    search::SearchFile& file = opened.File();
    file.messages = [](std::string_view text) {
        std::printf("message: %.*s\n", static_cast<int>(text.size()), text.data());
    };
    const std::string movePath = search::FastMoveFilePath(path);

    FastBoard najdorf = search::FastStartBoard();
    const FastMove najdorfMoves[] = {Move("e2", "e4"), Move("c7", "c5"), Move("g1", "f3"), Move("d7", "d6"),
                                     Move("d2", "d4"), Move("c5", "d4"), Move("f3", "d4"), Move("g8", "f6"),
                                     Move("b1", "c3"), Move("a7", "a6")};
    for (int i = 0; i < 10; ++i) {
        search::ApplyFastMove(najdorf, najdorfMoves[i], i + 1);
    }
    std::vector<Query> queries = {
        {"exact: start position", Exact(search::FastStartBoard())},
        {"exact: Najdorf after 5...a6", Exact(najdorf)},
    };
    const int count = file.gameCount;
    for (const auto& [game, ply] :
         std::vector<std::pair<int, int>>{{count / 100, 20}, {count / 2, 40}, {count - 5, -1}}) {
        int taken = 0;
        const FastBoard board = PositionOfGame(movePath, game, ply, taken);
        queries.push_back(
            {"exact: game " + std::to_string(game) + " ply " + std::to_string(taken), Exact(board)});
    }
    queries.push_back({"placements: Kg1 Rf1 / Kg8 Rf8", Lists({"Kg1", "Rf1"}, {"Kg8", "Rf8"})});
    queries.push_back({"placements: Ka8 (rare)", Lists({"Ka8"}, {})});
    queries.push_back({"placements: Bb5 / Nc6 a6, moves 4-6", Lists({"Bb5"}, {"Nc6", "a6"}, "4-6")});
    queries.push_back({"counts: Q=0 / Q=0", Lists({"Q=0"}, {"Q=0"})});
    queries.push_back({"counts: <3 pawns, R=1 / R*1", Lists({"<3", "R=1"}, {"R*1"})});
    queries.push_back({"counts: =8 / =8, move >= 30", Lists({"=8"}, {"=8"}, ">=30")});

    search::ForgetPositionIndexes();
    const auto buildStart = CpuClock::now();
    const auto index = search::PositionIndexFor(movePath, true);
    const double buildMs = Milliseconds(CpuClock::now() - buildStart);
    if (!index) {
        std::fprintf(stderr, "no fast file for %s\n", path.c_str());
        return 2;
    }
    std::printf("file %s: %d games; index built in %.1f ms, %zu bytes\n", path.c_str(), count, buildMs,
                index->MemoryBytes());
    std::printf("%-40s %8s %12s %12s %12s %12s\n", "query", "matches", "replay ms", "index best",
                "index median", withPgn ? "pgn ms" : "");
    bool agree = true;
    for (const Query& query : queries) {
        search::SearchResult plain;
        auto start = CpuClock::now();
        if (!indexOnly) {
            search::SearchPositionWith(file, query.position, PositionSearchWay::kFastFile, plain);
        }
        const double plainMs = Milliseconds(CpuClock::now() - start);
        std::vector<double> times;
        search::SearchResult indexed;
        for (int r = 0; r < repeats; ++r) {
            start = CpuClock::now();
            search::SearchPositionWith(file, query.position, PositionSearchWay::kChoose, indexed);
            times.push_back(Milliseconds(CpuClock::now() - start));
        }
        std::sort(times.begin(), times.end());
        if (indexOnly) {
            plain = indexed;
        }
        agree = agree && SameMatches(plain, indexed);
        double pgnMs = 0;
        if (withPgn) {
            search::SearchResult text;
            start = CpuClock::now();
            search::SearchPositionWith(file, query.position, PositionSearchWay::kPgnText, text);
            pgnMs = Milliseconds(CpuClock::now() - start);
            if (!SameMatches(plain, text)) {
                std::printf("  (PGN text: %d matches)\n", text.Count());
            }
        }
        std::printf("%-40s %8d %12.2f %12.3f %12.3f", query.name.c_str(), plain.Count(), plainMs,
                    times.front(), times[times.size() / 2]);
        if (withPgn) {
            std::printf(" %12.1f", pgnMs);
        }
        std::printf("%s\n", SameMatches(plain, indexed) ? "" : "  INDEX DIFFERS");
    }
    return agree ? 0 : 1;
}
