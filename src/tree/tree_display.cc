#include "tree/tree_display.h"

#include <algorithm>
#include <cstdio>
#include <numeric>
#include <string_view>

namespace ravelin::tree {

namespace {

constexpr std::string_view kMoveTypeOrder = "abcdefghNBRQKO";
constexpr int kCountWidth = 8;

std::vector<int> SortedOrder(const std::vector<NextMove>& moves, TreeSort sort, bool& sortError) {
    std::vector<int> order(moves.size());
    std::iota(order.begin(), order.end(), 0);
    if (sort == TreeSort::kFrequency) {
        std::stable_sort(order.begin(), order.end(), [&](int a, int b) {
            return moves[static_cast<std::size_t>(a)].games > moves[static_cast<std::size_t>(b)].games;
        });
    } else if (sort == TreeSort::kMoveType) {
        std::vector<int> typed;
        for (const char first : kMoveTypeOrder) {
            std::vector<int> group;
            for (const int i : order) {
                const std::string& text = moves[static_cast<std::size_t>(i)].text;
                if (!text.empty() && text.front() == first) {
                    group.push_back(i);
                }
            }
            std::stable_sort(group.begin(), group.end(), [&](int a, int b) {
                return moves[static_cast<std::size_t>(a)].text < moves[static_cast<std::size_t>(b)].text;
            });
            typed.insert(typed.end(), group.begin(), group.end());
        }
        sortError = typed.size() != order.size();
        order = std::move(typed);
    }
    return order;
}

std::string Format(const char* format, auto... values) {
    char buffer[128];
    std::snprintf(buffer, sizeof buffer, format, values...);
    return buffer;
}

// The count field narrows by one where the percentage takes a fifth character.
int CountWidth(double percent) {
    return Format("%4.1f", percent) == "100.0" ? kCountWidth - 1 : kCountWidth;
}

}  // namespace

TreeListing ListNextMoves(const std::vector<NextMove>& moves, int plies, const TreeDisplayOptions& options) {
    TreeListing listing;
    listing.order = SortedOrder(moves, options.sort, listing.sortError);
    const bool statistics =
        options.sort == TreeSort::kFrequency && (options.showPercentage || options.showScore);
    const bool share = options.showPercentage || options.ecoTree;
    long total = 0;
    for (const int i : listing.order) {
        total += moves[static_cast<std::size_t>(i)].games;
    }
    const int number = plies / 2 + 1;
    const bool white = plies % 2 == 0;
    for (const int i : listing.order) {
        const NextMove& move = moves[static_cast<std::size_t>(i)];
        const char* text = move.text.c_str();
        if (!statistics) {
            listing.lines.push_back(white ? Format("%d. %s", number, text) : Format("%d...%s", number, text));
            continue;
        }
        double percent = 0;
        if (share) {
            percent = total > 0 ? static_cast<double>(move.games) / static_cast<double>(total) * 100.0 : 0.0;
        } else {
            percent = move.games > 0 ? move.score * 0.5 / move.games * 100.0 : 0.0;
        }
        const int width = CountWidth(percent);
        listing.lines.push_back(
            white ? Format("%d. %-8s%4.1f%%%*d", number, text, percent, width, move.games)
                  : Format("%d...%-7s%4.1f%%%*d", number, text, percent, width, move.games));
    }
    return listing;
}

std::vector<std::string> ListManeuvers(const std::vector<NextMove>& moves) {
    long total = 0;
    for (const NextMove& move : moves) {
        total += move.games;
    }
    std::vector<std::string> lines;
    for (const NextMove& move : moves) {
        const double percent =
            total > 0 ? static_cast<double>(move.games) / static_cast<double>(total) * 100.0 : 0.0;
        lines.push_back(
            Format("   %-8s%4.1f%%%*d", move.text.c_str(), percent, CountWidth(percent), move.games));
    }
    return lines;
}

}  // namespace ravelin::tree
