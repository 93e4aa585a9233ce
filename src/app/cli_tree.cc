#include "app/cli_tree.h"

#include <cstdio>
#include <string>
#include <string_view>

#include "search/search_source.h"
#include "tree/line_text.h"
#include "tree/next_moves.h"
#include "tree/tree_display.h"
#include "tree/tree_source.h"

namespace ravelin::app {

namespace {

constexpr int kExitError = 2;

std::string Row(const tree::NextMove& move, long total) {
    char buffer[160];
    const double share = total > 0 ? 100.0 * move.games / static_cast<double>(total) : 0.0;
    const double score = move.games > 0 ? 50.0 * move.score / move.games : 0.0;
    std::snprintf(buffer, sizeof buffer, "%-8s %8d games %5.1f%% score %5.1f%% first game %d\n",
                  move.text.c_str(), move.games, share, score, move.firstGame);
    return buffer;
}

}  // namespace

int RunTreeCommand(CliContext& context, int argc, char** argv) {
    std::string path;
    std::string moves;
    bool exact = false;
    for (int i = 0; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--moves" && i + 1 < argc) {
            moves = argv[++i];
        } else if (arg == "--exact") {
            exact = true;
        } else if (path.empty() && !arg.starts_with("--")) {
            path = arg;
        } else {
            context.err << "usage: ravelin-cli tree FILE [--moves \"1.e4 c5\"] [--exact]\n";
            return kExitError;
        }
    }
    if (path.empty()) {
        context.err << "usage: ravelin-cli tree FILE [--moves \"1.e4 c5\"] [--exact]\n";
        return kExitError;
    }
    search::OpenedSearchFile opened(path);
    if (!opened.IsOpen()) {
        context.err << "ravelin-cli: cannot open " << path << "\n";
        return kExitError;
    }
    search::SearchFile& file = opened.File();
    file.messages = [&context](std::string_view text) { context.err << text << "\n"; };
    auto chess = chess::MakeChessContext();
    tree::TreeLine line;
    std::string bad;
    if (!tree::ParseLineText(moves, *chess, line, bad)) {
        context.err << "ravelin-cli: the move \"" << bad << "\" does not play\n";
        return kExitError;
    }
    std::unique_ptr<tree::TreeMoveSource> source = tree::MakeCurrentFileSource(file);
    if (source->HasFenStarts()) {
        context.err << "Tree is not supported for PGN files with FEN starting positions.\n";
        return kExitError;
    }
    const tree::NextMoveScan scan = tree::ScanNextMoves(*source, line, exact, *chess);
    if (!scan.ok) {
        context.err << source->Error() << "\n";
        return kExitError;
    }
    if (const std::string warning = source->WarningAfterWalk(); !warning.empty()) {
        context.err << warning << "\n";
    }
    long total = 0;
    for (const tree::NextMove& move : scan.moves) {
        total += move.games;
    }
    const tree::TreeListing listing = tree::ListNextMoves(scan.moves, line.Plies(), {});
    for (const int i : listing.order) {
        context.out << Row(scan.moves[static_cast<std::size_t>(i)], total);
    }
    return 0;
}

}  // namespace ravelin::app
