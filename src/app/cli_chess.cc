#include "app/cli_chess.h"

#include <cstdint>
#include <ostream>
#include <string>
#include <vector>

#include "chess/perft.h"

namespace ravelin::app {

namespace {

constexpr int kCommandError = 2;

}  // namespace

int RunPerftCommand(std::string_view fen, int depth, std::ostream& out) {
    if (depth < 1 || depth > chess::kMaxPerftDepth) {
        out << "chess::Perft depth must be 1 to " << chess::kMaxPerftDepth << ".\n";
        return kCommandError;
    }
    const auto context = chess::MakeChessContext();
    context->batch = true;
    std::string error;
    const int ply = chess::SetUpFen(*context, fen, error);
    if (ply == 0) {
        out << error << '\n';
        return kCommandError;
    }
    std::vector<chess::PerftSplit> split;
    const std::uint64_t nodes = chess::Perft(*context, ply, depth, &split);
    for (const chess::PerftSplit& move : split) {
        out << move.san << ": " << move.nodes << '\n';
    }
    out << "Nodes: " << nodes << '\n';
    return 0;
}

int RunMovesCommand(std::string_view fen, std::ostream& out) {
    const auto context = chess::MakeChessContext();
    context->batch = true;
    std::string error;
    const int ply = chess::SetUpFen(*context, fen, error);
    if (ply == 0) {
        out << error << '\n';
        return kCommandError;
    }
    const std::vector<std::string> moves = chess::LegalMoveTexts(*context, ply);
    for (std::size_t i = 0; i < moves.size(); ++i) {
        out << (i == 0 ? "" : " ") << moves[i];
    }
    out << '\n';
    return 0;
}

}  // namespace ravelin::app
