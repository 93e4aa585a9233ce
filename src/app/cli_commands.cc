#include "app/cli_commands.h"

#include <fcntl.h>
#include <unistd.h>

#include <chrono>
#include <cstdio>
#include <cstdlib>

#include "app/cli_chess.h"
#include "app/cli_database.h"
#include "app/cli_eco.h"
#include "app/cli_fastfile.h"
#include "app/cli_game.h"
#include "app/cli_report.h"
#include "app/cli_reports.h"
#include "app/cli_search.h"
#include "app/cli_tree.h"
#include "app/cli_utilities.h"
#include "app/cli_write.h"
#include "app/cli_yahoo.h"
#include "gamefile/game_index.h"
#include "gamefile/line_reader.h"

namespace ravelin::app {

namespace {

int IndexCommand(CliContext& context, int argc, char** argv) {
    if (argc != 1) {
        context.err << "usage: ravelin-cli index FILE\n";
        return 2;
    }
    std::string path = argv[0];
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        context.err << "Error opening file.\n";
        return 1;
    }
    auto started = std::chrono::steady_clock::now();
    gamefile::GameIndex index;
    gamefile::IndexResult result = gamefile::IndexGameFile(fd, path, false, index);
    auto elapsed = std::chrono::duration<double>(std::chrono::steady_clock::now() - started).count();
    close(fd);
    context.out << "Games: " << result.count << "\n";
    char time[64];
    std::snprintf(time, sizeof time, "Time: %.3f s%s\n", elapsed, result.fromCache ? " (index cache)" : "");
    context.out << time;
    if (result.limitReached) {
        std::snprintf(time, sizeof time, gamefile::kMaxGamesWarning, gamefile::kMaxGames);
        context.err << time << "\n";
    }
    if (result.textWithoutGames) {
        context.err << gamefile::kNoGamesFound << "\n";
    }
    return 0;
}

}  // namespace

int RunCliCommand(CliContext& context, const std::string& command, int argc, char** argv) {
    if (command == "index") {
        return IndexCommand(context, argc, argv);
    }
    if (command == "fastfile") {
        if (argc != 1) {
            context.err << "usage: ravelin-cli fastfile FILE\n";
            return 2;
        }
        return RunFastFileCommand(argv[0], isatty(STDERR_FILENO) != 0, context.out, context.err);
    }
    if (command == "yahoo") {
        return RunYahooCommand(argc, argv, context.out, context.err);
    }
    if (command == "db") {
        return RunDatabaseCommand(context, argc, argv);
    }
    if (command == "search") {
        return RunSearchCommand(context, argc, argv);
    }
    if (command == "show") {
        if (argc != 2) {
            context.err << "usage: ravelin-cli show FILE N\n";
            return 2;
        }
        return RunShowCommand(argv[0], std::atoi(argv[1]), context.out, context.err);
    }
    if (command == "fen") {
        if (argc != 1 && argc != 2) {
            context.err << "usage: ravelin-cli fen FILE [N]\n";
            return 2;
        }
        const int game = argc == 2 ? std::atoi(argv[1]) : 0;
        if (argc == 2 && game < 1) {
            context.err << gamefile::kErrorFindingGame << "\n";
            return 1;
        }
        return RunFenCommand(argv[0], game, context.out, context.err);
    }
    if (command == "perft") {
        if (argc != 2) {
            context.err << "usage: ravelin-cli perft FEN DEPTH\n";
            return 2;
        }
        return RunPerftCommand(argv[0], std::atoi(argv[1]), context.out);
    }
    if (command == "moves") {
        if (argc != 1) {
            context.err << "usage: ravelin-cli moves FEN\n";
            return 2;
        }
        return RunMovesCommand(argv[0], context.out);
    }
    if (IsWriteCommand(command.c_str())) {
        return RunWriteCommand(command.c_str(), argc, argv, context.out, context.err);
    }
    if (IsUtilityCommand(command.c_str())) {
        return RunUtilityCommand(command.c_str(), argc, argv, context.out, context.err);
    }
    if (command == "tree") {
        return RunTreeCommand(context, argc, argv);
    }
    if (command == "eco") {
        return RunEcoCommand(context, argc, argv);
    }
    if (command == "report") {
        return RunReportCommand(context, argc, argv);
    }
    if (IsReportCommand(command.c_str())) {
        return RunReportCommand(command.c_str(), argc, argv, context.out, context.err);
    }
    return kUnknownCommand;
}

}  // namespace ravelin::app
