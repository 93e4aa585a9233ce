// Classifies the games of the benchmark corpus with the shipped ECO table.
// Usage: eco_bench [--max-games N] [--timing-games N] [file.pgn.xz ...]
//        (default: every file of the corpus, all games, 2000 timed games per file)
//
// Two figures per file:
// - status-line speed: for the first timing games, the closest match at every ply of the first 30
//   moves, as the status line does after every move (only the classifications are timed);
// - plausibility: the closest match of the game ("Find Opening") against its own ECO tag.
#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <filesystem>
#include <string>
#include <vector>

#include "chess/chess_context.h"
#include "eco/eco_commands.h"
#include "eco/eco_match.h"
#include "eco/eco_table.h"
#include "eco/pgn_main_lines.h"

namespace {

using ravelin::eco::EcoTable;

struct Totals {
    long games = 0;
    long tagged = 0;
    long matching = 0;
    long sameFamilyLetterTens = 0;
    long classifications = 0;
    double seconds = 0;
};

void Classify(const EcoTable& table, ravelin::chess::ChessContext& context, ravelin::eco::PgnMainLine& game,
              bool timed, Totals& totals) {
    ++totals.games;
    const int entry = ravelin::eco::ClassifyMainLine(table, context, game);
    if (game.ecoTag.size() == 3) {
        ++totals.tagged;
        if (entry != ravelin::eco::kNoEcoEntry) {
            const std::string_view code = ravelin::eco::EcoCode(table, entry);
            totals.matching += code == game.ecoTag ? 1 : 0;
            totals.sameFamilyLetterTens +=
                code.substr(0, 2) == std::string_view(game.ecoTag).substr(0, 2) ? 1 : 0;
        }
    }
    // ClassifyMainLine left the replayed move list in the context: time the status line over it.
    const int plies = timed && game.fen.empty() ? ravelin::eco::GamePliesForFindOpening(context.moves) : 0;
    if (plies == 0) {
        return;
    }
    const ravelin::eco::EcoGameMoves moves = ravelin::eco::PrepareGameMoves(context.moves);
    int sink = 0;
    const auto start = std::chrono::steady_clock::now();
    for (int ply = 1; ply <= plies; ++ply) {
        sink += ravelin::eco::ClassifyOpening(table, moves, ply);
    }
    totals.seconds += std::chrono::duration<double>(std::chrono::steady_clock::now() - start).count();
    totals.classifications += plies;
    if (sink == -1234567) {
        std::puts("");
    }
}

}  // namespace

int main(int argc, char** argv) {
    long maxGames = -1;
    long timingGames = 2000;
    std::vector<std::string> files;
    for (int i = 1; i < argc; ++i) {
        const std::string arg = argv[i];
        if (arg == "--max-games" && i + 1 < argc) {
            maxGames = std::atol(argv[++i]);
        } else if (arg == "--timing-games" && i + 1 < argc) {
            timingGames = std::atol(argv[++i]);
        } else {
            files.push_back(arg);
        }
    }
    if (files.empty()) {
        for (const auto& item : std::filesystem::directory_iterator(RAVELIN_BENCH_DATA)) {
            if (item.path().string().ends_with(".pgn.xz")) {
                files.push_back(item.path().string());
            }
        }
        std::sort(files.begin(), files.end());
    }
    EcoTable table;
    if (!ravelin::eco::LoadEcoTable(table, RAVELIN_SHIPPED_ECO_DIR, [](auto, std::string_view text) {
            std::fprintf(stderr, "%.*s\n", static_cast<int>(text.size()), text.data());
        })) {
        return 1;
    }
    std::printf("table: %d entries\n", table.count);
    std::printf("| file | games | tagged | code = tag | same A0-E9 group | classifications | us each |\n");
    std::printf("| --- | ---: | ---: | ---: | ---: | ---: | ---: |\n");
    auto context = ravelin::chess::MakeChessContext();
    Totals all;
    for (const std::string& file : files) {
        const std::string command = "xz -dc '" + file + "'";
        FILE* pipe = popen(command.c_str(), "r");
        if (pipe == nullptr) {
            std::fprintf(stderr, "cannot run %s\n", command.c_str());
            return 1;
        }
        Totals totals;
        ravelin::eco::PgnMainLineReader reader([&](ravelin::eco::PgnMainLine& game) {
            if (maxGames < 0 || totals.games < maxGames) {
                Classify(table, *context, game, totals.games < timingGames, totals);
            }
        });
        std::vector<char> buffer(1 << 16);
        std::string line;
        while ((maxGames < 0 || totals.games < maxGames) &&
               std::fgets(buffer.data(), static_cast<int>(buffer.size()), pipe) != nullptr) {
            line += buffer.data();
            if (!line.empty() && line.back() == '\n') {
                reader.Line(line);
                line.clear();
            }
        }
        if (!line.empty()) {
            reader.Line(line);
        }
        reader.Finish();
        pclose(pipe);
        const std::string name = std::filesystem::path(file).filename().string();
        std::printf(
            "| %s | %ld | %ld | %ld (%.1f%%) | %ld (%.1f%%) | %ld | %.1f |\n", name.c_str(), totals.games,
            totals.tagged, totals.matching, totals.tagged ? 100.0 * totals.matching / totals.tagged : 0.0,
            totals.sameFamilyLetterTens,
            totals.tagged ? 100.0 * totals.sameFamilyLetterTens / totals.tagged : 0.0, totals.classifications,
            totals.classifications ? 1e6 * totals.seconds / totals.classifications : 0.0);
        std::fflush(stdout);
        all.games += totals.games;
        all.tagged += totals.tagged;
        all.matching += totals.matching;
        all.sameFamilyLetterTens += totals.sameFamilyLetterTens;
        all.classifications += totals.classifications;
        all.seconds += totals.seconds;
    }
    std::printf("| total | %ld | %ld | %ld (%.1f%%) | %ld (%.1f%%) | %ld | %.1f |\n", all.games, all.tagged,
                all.matching, all.tagged ? 100.0 * all.matching / all.tagged : 0.0, all.sameFamilyLetterTens,
                all.tagged ? 100.0 * all.sameFamilyLetterTens / all.tagged : 0.0, all.classifications,
                all.classifications ? 1e6 * all.seconds / all.classifications : 0.0);
    std::printf("classifications per second: %.0f\n",
                all.seconds > 0 ? all.classifications / all.seconds : 0.0);
    return 0;
}
