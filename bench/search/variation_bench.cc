// Times the variation search of one PGN file: variation_bench FILE [RUNS]. The file's fast file
// is used when it exists (make it with `ravelin-cli fastfile FILE`), else the PGN text is parsed.
// Prints the path taken, the matches and the fastest and median time of each variation.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <ctime>
#include <string>
#include <vector>

#include "chess/move_list.h"
#include "search/search_source.h"
#include "search/variation_search.h"

namespace {

using ravelin::search::SearchCriteria;
using ravelin::search::SearchResult;
using ravelin::search::VariationPath;

struct Case {
    const char* name;
    std::vector<const char*> plies;
    bool exact;
    bool forceMatch;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: variation_bench FILE [RUNS]\n");
        return 2;
    }
    const int runs = argc > 2 ? std::max(1, std::atoi(argv[2])) : 20;
    ravelin::search::OpenedSearchFile opened(argv[1]);
    if (!opened.IsOpen()) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    ravelin::search::SearchFile& file = opened.File();
    file.messages = [](std::string_view text) {
        std::fprintf(stderr, "message: %.*s\n", static_cast<int>(text.size()), text.data());
    };
    std::printf("%s: %d games\n", argv[1], file.gameCount);
    const std::vector<Case> cases = {
        {"Ruy Lopez 6 plies, transposed", {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"}, false, false},
        {"Ruy Lopez 6 plies, exact", {"e4", "e5", "Nf3", "Nc6", "Bb5", "a6"}, true, false},
        {"Queen's Gambit 12 plies, transposed",
         {"d4", "d5", "c4", "e6", "Nc3", "Nf6", "Bg5", "Be7", "e3", "O-O", "Nf3", "Nbd7"},
         false,
         false},
        {"1. Nf3 *, transposed", {"Nf3", "*"}, false, false},
        {"Sicilian 20 plies, Force Match",
         {"e4",  "c5", "Nf3", "d6",  "d4",  "cxd4", "Nxd4", "Nf6", "Nc3", "a6",
          "Be2", "e5", "Nb3", "Be7", "O-O", "O-O",  "Kh1",  "Qc7", "a4",  "b6"},
         true,
         true},
    };
    for (const Case& c : cases) {
        SearchCriteria criteria;
        int ply = 1;
        for (const char* text : c.plies) {
            ravelin::chess::SetSanText(criteria.variation.MoveOfPly(ply++), text);
        }
        criteria.options.exactVariation = c.exact;
        criteria.options.forceMatch = c.forceMatch;
        std::vector<double> times;
        std::vector<double> cpu;
        SearchResult result;
        VariationPath path = VariationPath::kPgnText;
        for (int run = 0; run < runs; ++run) {
            const std::clock_t cpuStart = std::clock();
            const auto start = std::chrono::steady_clock::now();
            ravelin::search::SearchVariationReporting(file, criteria, result, path);
            const auto end = std::chrono::steady_clock::now();
            times.push_back(std::chrono::duration<double, std::milli>(end - start).count());
            cpu.push_back(1000.0 * static_cast<double>(std::clock() - cpuStart) / CLOCKS_PER_SEC);
        }
        std::sort(times.begin(), times.end());
        std::sort(cpu.begin(), cpu.end());
        std::printf("%-38s %-4s matches %6d plies %2d  wall min %7.2f median %7.2f ms  cpu median %7.2f ms\n",
                    c.name, path == VariationPath::kFastFile ? "fast" : "pgn", result.Count(),
                    result.pliesMatched, times.front(), times[times.size() / 2], cpu[cpu.size() / 2]);
    }
    return 0;
}
