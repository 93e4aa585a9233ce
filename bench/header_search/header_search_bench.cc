// Times the header search of one file: header_search_bench FILE RUNS FIELD=TEXT...
// FIELD is one of event site date round white black result eco moves welo belo move. The first
// run is reported apart (cold caches); then the best and the median of the others.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <string>
#include <string_view>
#include <vector>

#include "search/searches.h"

using ravelin::search::HeaderField;

namespace {

bool SetField(ravelin::search::SearchCriteria& criteria, std::string_view arg) {
    static constexpr std::pair<std::string_view, HeaderField> kNames[] = {
        {"event", HeaderField::kEvent},         {"site", HeaderField::kSite},
        {"date", HeaderField::kDate},           {"round", HeaderField::kRound},
        {"white", HeaderField::kWhite},         {"black", HeaderField::kBlack},
        {"result", HeaderField::kResult},       {"eco", HeaderField::kEco},
        {"moves", HeaderField::kNumberOfMoves}, {"welo", HeaderField::kWhiteElo},
        {"belo", HeaderField::kBlackElo},       {"move", HeaderField::kSpecificMove},
    };
    const std::size_t eq = arg.find('=');
    for (const auto& [name, field] : kNames) {
        if (eq != std::string_view::npos && arg.substr(0, eq) == name) {
            criteria.header[field] = std::string(arg.substr(eq + 1));
            return true;
        }
    }
    return false;
}

}  // namespace

int main(int argc, char** argv) {
    if (argc < 4) {
        std::fprintf(stderr, "usage: header_search_bench FILE RUNS FIELD=TEXT...\n");
        return 2;
    }
    ravelin::search::SearchCriteria criteria;
    for (int i = 3; i < argc; ++i) {
        if (!SetField(criteria, argv[i])) {
            std::fprintf(stderr, "unknown field: %s\n", argv[i]);
            return 2;
        }
    }
    ravelin::search::OpenedSearchFile opened(argv[1]);
    if (!opened.IsOpen()) {
        std::fprintf(stderr, "cannot open %s\n", argv[1]);
        return 1;
    }
    opened.File().messages = [](std::string_view text) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    };
    const int runs = std::max(1, std::atoi(argv[2]));
    std::vector<double> times;
    ravelin::search::SearchResult result;
    for (int run = 0; run < runs; ++run) {
        const auto start = std::chrono::steady_clock::now();
        ravelin::search::SearchHeadersAlone(opened.File(), criteria, result);
        times.push_back(
            std::chrono::duration<double, std::milli>(std::chrono::steady_clock::now() - start).count());
    }
    std::printf("games %d, matches %d, white wins %d, black wins %d, counters %d %d\n",
                opened.File().gameCount, result.Count(), result.whiteWins, result.blackWins, result.counter3,
                result.counter4);
    std::printf("first run %.2f ms", times[0]);
    if (runs > 1) {
        std::vector<double> rest(times.begin() + 1, times.end());
        std::sort(rest.begin(), rest.end());
        std::printf(", best %.2f ms, median %.2f ms of %d", rest.front(), rest[rest.size() / 2],
                    static_cast<int>(rest.size()));
    }
    std::printf("\n");
    return 0;
}
