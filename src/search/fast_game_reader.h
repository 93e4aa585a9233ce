#pragma once

// Reads one game's movetext for the fast file writer and turns its main line into FastMove words.
//
// The lean way scans the movetext lines as they are read and plays each move on one board as soon
// as it is read, taking the word from the move's own squares. The full way is the movetext parser
// and the replay into the position history that the game display uses, with DeriveFastMove
// comparing the saved positions. Both give the same words; the lean way hands a game over to the
// full way whenever it meets something it does not handle itself (a FEN game, long algebraic
// notation, a NUL byte, the 200-move or 3000-line limit), passing on the lines it has read.

#include <array>
#include <cstdint>
#include <memory>
#include <vector>

#include "chess/chess_context.h"
#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/line_reader.h"
#include "search/fast_move.h"

namespace ravelin::search {

enum class FastGamePath {
    kLeanFirst,  // the lean way, the full way for what it hands over
    kFullOnly,   // always the full way
};

struct FastGameMoves {
    // Words of the plies played: entries 0..plies-1.
    std::array<FastMove, chess::kMaxPly> words{};
    int plies = 0;
    // The parse stopped inside the game, at the move or line limit.
    bool cutOff = false;
    // The game went the full way.
    bool fullWay = false;
};

class FastGameReader {
  public:
    FastGameReader();
    FastGameReader(const FastGameReader&) = delete;
    FastGameReader& operator=(const FastGameReader&) = delete;

    // Reads the movetext that follows the header just read (its first movetext line included),
    // replays the main line from the standard position (FEN games too: they are only warned
    // about) and leaves the tag line that ended the game as the header's pending line, as the
    // movetext parser does.
    void ReadMoves(gamefile::LineReader& reader, gamefile::GameHeader& header, FastGamePath path,
                   FastGameMoves& out);

  private:
    bool ReadLean(gamefile::LineReader& reader, gamefile::GameHeader& header, FastGameMoves& out);
    void ReadFull(gamefile::LineReader& reader, gamefile::GameHeader& header, bool firstLineTaken,
                  FastGameMoves& out);

    std::unique_ptr<chess::ChessContext> context_;
    std::unique_ptr<chess::GameRecord> record_;
    // The lines the lean way has read of the current game, handed on when it gives up.
    std::vector<chess::MovetextLine> lines_;
    int lineCount_ = 0;
    // The standard start position with its slots, set up once.
    chess::Board startBoard_{};
    chess::PieceTable startPieces_{};
    std::uint8_t startRights_ = 0;
};

}  // namespace ravelin::search
