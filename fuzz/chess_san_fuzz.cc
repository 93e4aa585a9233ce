// libs: ravelin_chess
// Move texts from outside (PGN movetext): the first bytes pick a position, the rest are cut into
// 8-byte SAN entries and replayed. Replay must stop at what it cannot play, never corrupt the board.
#include <cstddef>
#include <cstdint>
#include <iterator>
#include <string>
#include <string_view>

#include "chess/chess_context.h"
#include "chess/perft.h"

namespace {

constexpr std::string_view kPositions[] = {
    "startpos",
    "r3k2r/p1ppqpb1/bn2pnp1/3PN3/1p2P3/2N2Q1p/PPPBBPPP/R3K2R w KQkq - 0 1",
    "k7/PPPP4/8/8/8/8/8/QQQNNNK1 w - - 0 1",
    "4k3/3p4/8/4P3/8/8/8/4K3 b - - 0 1",
};

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    using ravelin::chess::kMaxMovesPerSide;
    using ravelin::chess::kMaxPly;
    using ravelin::chess::kMaxSanLength;
    using ravelin::chess::MakeChessContext;
    using ravelin::chess::SetSanText;
    using ravelin::chess::SetUpFen;
    if (size == 0) {
        return 0;
    }
    const auto context = MakeChessContext();
    context->batch = true;
    std::string error;
    const int firstPly = SetUpFen(*context, kPositions[data[0] % std::size(kPositions)], error);
    const char* text = reinterpret_cast<const char*>(data + 1);
    std::size_t left = size - 1;
    int ply = firstPly;
    for (; left > 0 && ply <= kMaxPly; ++ply) {
        const std::size_t take = left < kMaxSanLength ? left : kMaxSanLength;
        SetSanText(context->moves.MoveOfPly(ply), std::string_view(text, take));
        text += take;
        left -= take;
    }
    if (firstPly == 2) {
        SetSanText(context->moves.whiteMoves[0], "..");
    }
    ravelin::chess::ReplayMoves(*context, kMaxMovesPerSide);
    return 0;
}
