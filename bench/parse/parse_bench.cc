// parse_bench FILE.pgn...: for each file, games per second for
//   headers: seek to every game of the index and ParseGameHeader
//   full:    seek, ParseGameHeader, ParseGameQuietly and the replay of the main line
// best of three rounds each, after one index scan (timed separately). Also prints how many games
// replayed to their last move.

#include <fcntl.h>
#include <sys/resource.h>
#include <unistd.h>

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <memory>
#include <string>

#include "chess/chess_context.h"
#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/game_index.h"
#include "gamefile/game_loader.h"

namespace {

using ravelin::gamefile::GameHeader;
using ravelin::gamefile::GameIndex;
using ravelin::gamefile::LineReader;

constexpr int kRounds = 3;

double Seconds(std::chrono::steady_clock::time_point since) {
    return std::chrono::duration<double>(std::chrono::steady_clock::now() - since).count();
}

// Processor time (user + system) of this process: on a shared machine the wall clock also counts
// the time other builds held the processors.
double CpuSeconds() {
    rusage usage{};
    getrusage(RUSAGE_SELF, &usage);
    const auto seconds = [](const timeval& t) { return static_cast<double>(t.tv_sec) + t.tv_usec / 1e6; };
    return seconds(usage.ru_utime) + seconds(usage.ru_stime);
}

void StartGame(LineReader& reader, GameHeader& header, const GameIndex& index, int game) {
    const std::uint64_t offset = index.Offset(game);
    reader.Seek(offset);
    reader.byteCounter = 0;
    header.gameOffset = offset;
}

struct FullRound {
    double seconds = 0;
    double cpuSeconds = 0;
    long long plies = 0;
    int toTheEnd = 0;
    int stopped = 0;
    int withoutMoves = 0;
};

}  // namespace

int main(int argc, char** argv) {
    if (argc < 2) {
        std::fprintf(stderr, "usage: parse_bench FILE.pgn...\n");
        return 2;
    }
    auto header = std::make_unique<GameHeader>();
    auto context = ravelin::chess::MakeChessContext();
    auto record = ravelin::chess::MakeGameRecord();
    context->batch = true;
    // Games per second by processor time, the wall-clock figure in brackets.
    std::printf("%-28s %8s %8s %22s %22s %10s %8s %8s\n", "file", "games", "index s", "headers/s (wall)",
                "full/s (wall)", "plies", "to end", "stopped");
    for (int arg = 1; arg < argc; ++arg) {
        const int fd = open(argv[arg], O_RDONLY | O_CLOEXEC);
        if (fd < 0) {
            std::fprintf(stderr, "cannot open %s\n", argv[arg]);
            return 1;
        }
        GameIndex index;
        auto started = std::chrono::steady_clock::now();
        {
            LineReader scanner(ravelin::gamefile::kScanBufferSize);
            scanner.Attach(fd);
            ravelin::gamefile::ScanGameOffsets(scanner, index);
        }
        const double indexSeconds = Seconds(started);
        LineReader reader;
        reader.Attach(fd);
        const int games = index.Count();

        double headerBest = 1e30;
        double headerCpuBest = 1e30;
        for (int round = 0; round < kRounds; ++round) {
            started = std::chrono::steady_clock::now();
            const double cpuStarted = CpuSeconds();
            for (int game = 1; game <= games; ++game) {
                StartGame(reader, *header, index, game);
                ravelin::gamefile::ParseGameHeader(reader, *header, false);
            }
            headerBest = std::min(headerBest, Seconds(started));
            headerCpuBest = std::min(headerCpuBest, CpuSeconds() - cpuStarted);
        }

        FullRound best;
        best.seconds = 1e30;
        for (int round = 0; round < kRounds; ++round) {
            FullRound current;
            started = std::chrono::steady_clock::now();
            const double cpuStarted = CpuSeconds();
            for (int game = 1; game <= games; ++game) {
                StartGame(reader, *header, index, game);
                ravelin::gamefile::ParseGameHeader(reader, *header, false);
                ravelin::gamefile::ParseGameQuietly(reader, *header, *context, *record);
                const auto summary = ravelin::gamefile::ReplayParsedGame(*context, *record, *header);
                current.plies += summary.pliesPlayed;
                if (summary.stoppedAtBadMove) {
                    ++current.stopped;
                } else if (summary.pliesParsed == 0) {
                    ++current.withoutMoves;
                } else {
                    ++current.toTheEnd;
                }
            }
            current.seconds = Seconds(started);
            current.cpuSeconds = CpuSeconds() - cpuStarted;
            if (current.cpuSeconds < best.cpuSeconds || round == 0) {
                best = current;
            }
        }
        close(fd);
        std::string name = argv[arg];
        name = name.substr(name.find_last_of('/') + 1);
        std::printf("%-28s %8d %8.2f %11.0f (%8.0f) %11.0f (%8.0f) %10lld %8d %8d   (%d without moves)\n",
                    name.c_str(), games, indexSeconds, games / headerCpuBest, games / headerBest,
                    games / best.cpuSeconds, games / best.seconds, best.plies, best.toTheEnd, best.stopped,
                    best.withoutMoves);
    }
    return 0;
}
