#pragma once

#include <iosfwd>
#include <string>

namespace ravelin::gamefile {

// `show FILE N`: the header display lines of game N, then its moves in SAN one ply a line, each
// followed by its annotations as display lines. Returns 0, 1 when the file or game is not there.
int RunShowCommand(const std::string& path, int gameNumber, std::ostream& out, std::ostream& err);

// `fen FILE [N]`: for every game (or game N) a line "number<TAB>plies played<TAB>final FEN
// (placement, side, castling, en passant)", with a fourth field "bad <move>" when the replay stopped
// at a move it could not play. Returns 0, 1 when the file or game is not there.
int RunFenCommand(const std::string& path, int gameNumber, std::ostream& out, std::ostream& err);

}  // namespace ravelin::gamefile
