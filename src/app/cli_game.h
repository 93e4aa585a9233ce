#pragma once

#include <functional>
#include <iosfwd>
#include <string>

#include "chess/chess_context.h"
#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/game_loader.h"

namespace ravelin::app {

// `show FILE N`: the header display lines of game N, then its moves in SAN one ply a line, each
// followed by its annotations as display lines. Returns 0, 1 when the file or game is not there
// (a file of movetext without tag lines is said to hold no games).
int RunShowCommand(const std::string& path, int gameNumber, std::ostream& out, std::ostream& err);

// `fen FILE [N]`: for every game (or game N) a line "number<TAB>plies played<TAB>final FEN
// (placement, side, castling, en passant)", with a fourth field "bad <move>" when the replay stopped
// at a move it could not play. Returns 0, 1 when the file or game is not there or the file has
// text but no games.
int RunFenCommand(const std::string& path, int gameNumber, std::ostream& out, std::ostream& err);

// Called for each replayed game with its number, header, the position history and move list in
// the context, the parsed record and what the replay played.
using ReplayedGameVisitor =
    std::function<void(int gameNumber, const gamefile::GameHeader& header, chess::ChessContext& context,
                       const chess::GameRecord& record, const gamefile::ReplaySummary& summary)>;

// Reads and replays every game (gameNumber 0) or game N of a PGN file in batch mode, numbering the
// games as the program's index does. Returns 0, 1 when the file or game is not there or the file
// has text but no games.
int ReplayGamesOfFile(const std::string& path, int gameNumber, std::ostream& err,
                      const ReplayedGameVisitor& visit);

}  // namespace ravelin::app
