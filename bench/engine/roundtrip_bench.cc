// One move through the engine adapter (the command sent to the "move" line read) at a fixed depth,
// against the same positions searched by the back end over UCI directly, in the same run.
//
//     engine_roundtrip_bench [CORPUS] [PLIES] [DEPTH]

#include <algorithm>
#include <chrono>
#include <cstdio>
#include <cstdlib>
#include <memory>
#include <string>
#include <vector>

#include "chess/fen.h"
#include "engine/adapter_loop.h"
#include "engine/adapter_position.h"
#include "platform/headless/posix_child_process.h"

namespace {

using Clock = std::chrono::steady_clock;

// Reads until a line beginning with the prefix arrives; answers that line.
std::string LineStarting(ravelin::platform::PosixChildProcess& process, std::string& pending,
                         const std::string& prefix) {
    for (;;) {
        std::size_t end;
        while ((end = pending.find('\n')) != std::string::npos) {
            std::string line = pending.substr(0, end);
            pending.erase(0, end + 1);
            if (!line.empty() && line.back() == '\r') {
                line.pop_back();
            }
            if (line.rfind(prefix, 0) == 0) {
                return line;
            }
        }
        if (!process.WaitForOutput(60000)) {
            return {};
        }
        const std::string piece = process.ReadAvailable();
        if (piece.empty()) {
            return {};
        }
        pending += piece;
    }
}

double Median(std::vector<double> values) {
    std::sort(values.begin(), values.end());
    return values.empty() ? 0 : values[values.size() / 2];
}

double Mean(const std::vector<double>& values) {
    double sum = 0;
    for (double value : values) {
        sum += value;
    }
    return values.empty() ? 0 : sum / static_cast<double>(values.size());
}

}  // namespace

int main(int argc, char** argv) {
    const int plies = argc > 2 ? std::atoi(argv[2]) : 40;
    const int depth = argc > 3 ? std::atoi(argv[3]) : 8;
    setenv("RAVELIN_ENGINE_DEPTH", std::to_string(depth).c_str(), 1);
    std::string reason;

    // Through the adapter: "go" makes it play the side to move; the time runs to its "move" line.
    auto adapter =
        ravelin::platform::PosixProcessLauncher::StartPosix(RAVELIN_ENGINE_BINARY, {"/xboard"}, "", reason);
    if (!adapter) {
        std::printf("cannot start the adapter: %s\n", reason.c_str());
        return 1;
    }
    std::string pending;
    LineStarting(*adapter, pending, "");
    adapter->Write("new\n.\n");
    std::vector<double> viaAdapter;
    std::vector<std::string> ucis;
    std::string fen(ravelin::chess::kStartFen);
    for (int ply = 0; ply < plies; ++ply) {
        const auto start = Clock::now();
        adapter->Write("go\n.\n");
        const std::string line = LineStarting(*adapter, pending, "move ");
        viaAdapter.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        ravelin::engine::PlayedMove move;
        if (line.empty() || !ravelin::engine::PlaySanMove(fen, line.substr(5), move)) {
            break;
        }
        ucis.push_back(move.uci);
        fen = move.fen;
        if (move.checkmate || move.stalemate) {
            break;
        }
    }
    adapter->Write("exit\n");
    adapter->Terminate();

    // The same positions, searched by the back end directly.
    auto backend =
        ravelin::platform::PosixProcessLauncher::StartPosix(ravelin::engine::FindBackend(), {}, "", reason);
    if (!backend) {
        std::printf("cannot start the back end: %s\n", reason.c_str());
        return 1;
    }
    pending.clear();
    backend->Write(
        "uci\nsetoption name Threads value 1\nsetoption name Hash value 16\nisready\nucinewgame\n");
    LineStarting(*backend, pending, "readyok");
    std::vector<double> direct;
    std::string moves;
    for (const std::string& uci : ucis) {
        const auto start = Clock::now();
        backend->Write("position startpos" + (moves.empty() ? std::string() : " moves" + moves) +
                       "\ngo depth " + std::to_string(depth) + "\n");
        LineStarting(*backend, pending, "bestmove");
        direct.push_back(std::chrono::duration<double, std::milli>(Clock::now() - start).count());
        moves += " " + uci;
    }
    backend->Write("quit\n");
    backend->Terminate();

    // The first move of each run pays for the back end's start (its network loads): left out.
    if (!viaAdapter.empty() && !direct.empty()) {
        viaAdapter.erase(viaAdapter.begin());
        direct.erase(direct.begin());
    }
    viaAdapter.resize(std::min(viaAdapter.size(), direct.size()));
    std::printf("depth %d, %zu plies after the first\n", depth, direct.size());
    std::printf("through the adapter: mean %.2f ms, median %.2f ms per move\n", Mean(viaAdapter),
                Median(viaAdapter));
    std::printf("UCI directly:        mean %.2f ms, median %.2f ms per move\n", Mean(direct), Median(direct));
    std::printf("adapter overhead:    mean %.2f ms, median %.2f ms per move\n",
                Mean(viaAdapter) - Mean(direct), Median(viaAdapter) - Median(direct));
    return 0;
}
