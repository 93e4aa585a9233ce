// tree_bench FILE.pgn [NODES] [LINES_OUT]: grows the opening tree of the file from its fast file
// (made beforehand), expanding the NODES most played unexpanded nodes one after another, and prints
// the root build time and the median, mean and worst time of one expansion. LINES_OUT receives the
// line of every expanded node (SAN moves), for the same positions in another program's tree.

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <fstream>
#include <queue>
#include <string>
#include <vector>

#include "search/search_source.h"
#include "tree/opening_tree.h"
#include "tree/tree_source.h"

namespace {

using Clock = std::chrono::steady_clock;

double Ms(Clock::duration d) {
    return std::chrono::duration<double, std::milli>(d).count();
}

}  // namespace

int main(int argc, char** argv) {
    using namespace ravelin;
    if (argc < 2) {
        std::fprintf(stderr, "usage: tree_bench FILE.pgn [NODES] [LINES_OUT]\n");
        return 2;
    }
    const std::string path = argv[1];
    const int wanted = argc > 2 ? std::atoi(argv[2]) : 200;
    search::OpenedSearchFile opened(path);
    if (!opened.IsOpen()) {
        std::fprintf(stderr, "cannot open %s\n", path.c_str());
        return 2;
    }
    search::SearchFile& file = opened.File();
    file.messages = [](std::string_view text) {
        std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
    };
    auto source = tree::MakeCurrentFileSource(file);
    const std::string treePath = source->TreeFilePath(false);
    std::remove(treePath.c_str());
    tree::OpeningTree tree(std::move(source), {10, false}, file.messages);
    const Clock::time_point start = Clock::now();
    if (!tree.Open()) {
        return 1;
    }
    const double rootMs = Ms(Clock::now() - start);

    // The most played nodes first.
    auto byGames = [&tree](int a, int b) {
        return tree.Nodes()[static_cast<std::size_t>(a)].games <
               tree.Nodes()[static_cast<std::size_t>(b)].games;
    };
    std::priority_queue<int, std::vector<int>, decltype(byGames)> queue(byGames);
    for (const int child : tree.Children()) {
        queue.push(child);
    }
    std::vector<double> times;
    std::ofstream lines(argc > 3 ? argv[3] : "/dev/null");
    while (!queue.empty() && static_cast<int>(times.size()) < wanted) {
        const int node = queue.top();
        queue.pop();
        std::vector<int> path_;
        for (int at = tree.Nodes()[static_cast<std::size_t>(node)].parent; at > 0;
             at = tree.Nodes()[static_cast<std::size_t>(at)].parent) {
            path_.insert(path_.begin(), at);
        }
        tree.StartOfTree();
        for (const int step : path_) {
            tree.Enter(step);
        }
        const Clock::time_point before = Clock::now();
        const tree::EnterResult result = tree.Enter(node);
        times.push_back(Ms(Clock::now() - before));
        const tree::TreeLine line = tree.Line();
        for (std::size_t i = 0; i < line.texts.size(); ++i) {
            lines << (i ? " " : "") << line.texts[i];
        }
        lines << "\n";
        if (result == tree::EnterResult::kShown) {
            for (const int child : tree.Children()) {
                queue.push(child);
            }
        }
    }
    std::vector<double> sorted = times;
    std::sort(sorted.begin(), sorted.end());
    double total = 0;
    for (const double t : times) {
        total += t;
    }
    std::printf("games %d root %.1f ms expansions %zu median %.2f ms mean %.2f ms worst %.2f ms nodes %zu\n",
                file.gameCount, rootMs, times.size(), sorted.empty() ? 0.0 : sorted[sorted.size() / 2],
                times.empty() ? 0.0 : total / static_cast<double>(times.size()),
                sorted.empty() ? 0.0 : sorted.back(), tree.Nodes().size());
    std::remove(treePath.c_str());
    return 0;
}
