// libs: ravelin_reports ravelin_chess
// Arbitrary bytes as the state file of an HTML annotation page (page.htmx), cut or padded to the
// size such a file has so that its contents are explored, and as the print list. A state that is
// taken must give a move run that stays inside its move tables.
#include <algorithm>
#include <cstdint>
#include <span>
#include <string_view>
#include <vector>

#include "chess/piece_letters.h"
#include "reports/html_annotation.h"
#include "reports/print_list.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    ravelin::reports::DecodeAnnotationState(std::span(data, size));
    std::vector<std::uint8_t> sized(ravelin::reports::kStateFileSize, 0);
    std::copy_n(data, std::min(size, sized.size()), sized.begin());
    if (const auto state = ravelin::reports::DecodeAnnotationState(sized)) {
        int plies = 0;
        ravelin::reports::FormatMoveRun(state->whiteMoves, state->blackMoves, state->startPly,
                                        ravelin::chess::PieceLetters{}, plies);
    }
    ravelin::reports::DecodePrintList(std::string_view(reinterpret_cast<const char*>(data), size));
    return 0;
}
