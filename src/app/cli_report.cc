#include "app/cli_report.h"

#include <string>
#include <string_view>

#include "app/cli_eco.h"
#include "gamefile/game_index.h"
#include "statistics/cross_table.h"
#include "statistics/opening_stats.h"
#include "statistics/player_scores.h"

namespace ravelin::app {

namespace {

constexpr char kUsage[] =
    "usage: ravelin-cli report scores|crosstable|openings [--exact] [--knockout] "
    "[--sort score|rating|name] [--by-name] FILE\n";

struct ReportOptions {
    std::string kind;
    std::string file;
    statistics::ScoreOptions scores;
    bool knockout = false;
    statistics::OpeningSort openingSort = statistics::OpeningSort::kByCount;
};

bool ParseOptions(int argc, char** argv, ReportOptions& options) {
    if (argc < 2) {
        return false;
    }
    options.kind = argv[0];
    for (int i = 1; i < argc; ++i) {
        const std::string_view arg = argv[i];
        if (arg == "--exact") {
            options.scores.exact = true;
        } else if (arg == "--knockout") {
            options.knockout = true;
        } else if (arg == "--by-name") {
            options.openingSort = statistics::OpeningSort::kByName;
        } else if (arg == "--sort" && i + 1 < argc) {
            const std::string_view mode = argv[++i];
            if (mode == "score") {
                options.scores.sort = statistics::ScoreSortMode::kScore;
            } else if (mode == "rating") {
                options.scores.sort = statistics::ScoreSortMode::kRating;
            } else if (mode == "name") {
                options.scores.sort = statistics::ScoreSortMode::kName;
            } else {
                return false;
            }
        } else if (!arg.starts_with("--") && options.file.empty()) {
            options.file = arg;
        } else {
            return false;
        }
    }
    return !options.file.empty() &&
           (options.kind == "scores" || options.kind == "crosstable" || options.kind == "openings");
}

}  // namespace

int RunReportCommand(CliContext& context, int argc, char** argv) {
    ReportOptions options;
    if (!ParseOptions(argc, argv, options)) {
        context.err << kUsage;
        return 2;
    }
    gamefile::GameIndex index;
    gamefile::IndexGameFileAt(options.file, index);
    if (index.Count() == 0) {
        context.err << "ravelin-cli report: no games in " << options.file << "\n";
        return 1;
    }
    statistics::ReportSource source;
    source.path = options.file;
    source.index = &index;
    source.gameCount = index.Count();
    source.warn = [&context](std::string_view text) { context.err << text << "\n"; };

    if (options.kind == "openings") {
        eco::EcoTable table;
        if (!LoadWorkingEcoTable(context, table)) {
            return 1;
        }
        const statistics::MainOpenings openings(table);
        for (const statistics::OpeningTally& tally :
             statistics::ComputeOpeningStats(source, table, openings, options.openingSort)) {
            context.out << statistics::OpeningRow(tally, table) << "\n";
        }
        return 0;
    }
    options.scores.crossTable = options.kind == "crosstable";
    const bool knockout = options.knockout;
    options.scores.askKnockout = [knockout] { return knockout; };
    options.scores.message = [&context](std::string_view text) { context.err << text << "\n"; };
    const statistics::PlayerTable table = statistics::ComputePlayerScores(source, options.scores);
    if (options.scores.crossTable) {
        const statistics::CrossTableText cross = statistics::MakeCrossTable(table);
        if (!cross.error.empty()) {
            context.err << cross.error << "\n";
            return 1;
        }
        context.out << cross.text;
        return 0;
    }
    for (const int player : table.order) {
        context.out << statistics::PlayerScoreRow(table.players[static_cast<std::size_t>(player)]) << "\n";
    }
    return 0;
}

}  // namespace ravelin::app
