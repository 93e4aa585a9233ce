#include "app/cli_eco.h"

#include <charconv>

#include "app/cli_game.h"
#include "chess/move_list.h"
#include "eco/eco_commands.h"
#include "eco/eco_match.h"
#include "eco/eco_messages.h"
#include "eco/eco_table.h"
#include "platform/working_paths.h"

namespace ravelin::app {

bool LoadWorkingEcoTable(CliContext& context, eco::EcoTable& table) {
    // The table is used from the working directory, where the shipped one is installed when missing.
    const std::string problem = platform::EnsureDirectory(context.workingDirectory);
    const std::string installed =
        problem.empty()
            ? eco::InstallEcoTable(platform::ShippedDataDirectory() + "/eco", context.workingDirectory)
            : problem;
    if (!installed.empty()) {
        context.err << "ravelin-cli: " << installed << "\n";
    }
    if (!eco::LoadEcoTable(
            table, context.workingDirectory,
            [&context](eco::EcoMessageKind, std::string_view text) { context.err << text << "\n"; })) {
        return false;
    }
    return true;
}

int RunEcoCommand(CliContext& context, int argc, char** argv) {
    int only = 0;
    if (argc == 2) {
        const std::string_view number = argv[1];
        const auto [end, error] = std::from_chars(number.data(), number.data() + number.size(), only);
        if (error != std::errc{} || end != number.data() + number.size() || only < 1) {
            only = -1;
        }
    }
    if (argc < 1 || argc > 2 || only < 0) {
        context.err << "usage: ravelin-cli eco FILE [N]\n";
        return 2;
    }
    eco::EcoTable table;
    if (!LoadWorkingEcoTable(context, table)) {
        return 1;
    }
    return ReplayGamesOfFile(
        argv[0], only, context.err,
        [&](int game, const gamefile::GameHeader&, chess::ChessContext& chessContext,
            const chess::GameRecord&, const gamefile::ReplaySummary& summary) {
            int entry = eco::kNoEcoEntry;
            // The table's lines start from the standard position.
            if (!chessContext.fenSwitch && summary.pliesPlayed > 0) {
                // Moves after one the replay refused are not part of the game's line.
                for (int ply = summary.pliesPlayed + 1; ply <= chess::kMaxPly; ++ply) {
                    chessContext.moves.MoveOfPly(ply) = chess::SanText{};
                }
                entry = eco::ClassifyOpening(table, eco::PrepareGameMoves(chessContext.moves),
                                             eco::GamePliesForFindOpening(chessContext.moves));
            }
            context.out << game << ": ";
            if (entry == eco::kNoEcoEntry) {
                context.out << eco::kNoOpeningMatch << "\n";
            } else {
                context.out << eco::EcoCode(table, entry) << " " << eco::EcoName(table, entry) << "\n";
            }
        });
}

}  // namespace ravelin::app
