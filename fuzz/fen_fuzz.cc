// libs: ravelin_chess
// FEN text from outside (PGN tags, the command line, the clipboard): reading must refuse what it
// cannot place and never touch a square outside the board; an accepted position must survive
// move listing.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "chess/fen.h"
#include "chess/perft.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    const std::string_view text(reinterpret_cast<const char*>(data), size);
    const auto context = ravelin::chess::MakeChessContext();
    context->batch = true;
    ravelin::chess::ReadFenPlacement(*context, "[FEN \"" + std::string(text) + "\"]");
    std::string error;
    const int ply = ravelin::chess::SetUpFen(*context, text, error);
    if (ply != 0) {
        ravelin::chess::LegalMoveTexts(*context, ply);
    }
    return 0;
}
