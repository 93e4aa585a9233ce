#pragma once

// The two ways the variation search reads a file's games as FastMove words: the records of X.TRF,
// or the PGN text parsed and replayed the way the fast file writer replays it, so that both give
// the same words for the same game.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chess/chess_context.h"
#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/game_loader.h"
#include "search/fast_file_reader.h"
#include "search/fast_move.h"
#include "search/search_source.h"

namespace ravelin::search {

// One game as the matcher reads it.
struct GameMoves {
    int game = 0;  // 1-based
    // The plies as little-endian words in playing order; valid until the next Next.
    const std::uint8_t* plyWords = nullptr;
    int plies = 0;
    FastMove resultWord = ResultWord(kFastOtherResult);
};

// X.TRF walked record by record, never beyond the file's game count or 200,000 records.
class FastFileGames {
  public:
    // False when X.TRF does not exist, or when no buffer can be had (noMemory is then set).
    bool Open(const std::string& pgnPath, int gameCount);
    bool noMemory = false;

    // False at the end word, at the record limit, or where the file is malformed.
    bool Next(GameMoves& game);
    // After a walk to its end: whether the records were other than one per game of the file.
    bool Stale() const { return stale_ || reader_.RecordsRead() != gameCount_; }

  private:
    FastMoveReader reader_;
    int gameCount_ = 0;
    bool stale_ = false;
};

// The games of the PGN file, each header read through the index and its movetext parsed with
// the 200-move limit, then replayed from the standard initial position.
class PgnGames {
  public:
    // keepImage: remember every game's words, so that Rewind makes later walks read memory
    // instead of parsing again (the repeated passes of "Force Match").
    PgnGames(SearchFile& file, bool keepImage);

    // Back to game 1.
    void Rewind();
    bool Next(GameMoves& game);

  private:
    bool ParseNext(GameMoves& game);
    bool ImageNext(GameMoves& game);
    // Parses the movetext after the header just read, replays it and appends its words.
    void AppendReplayedWords();

    SearchFile& file_;
    bool keepImage_;
    std::unique_ptr<chess::ChessContext> context_;
    std::unique_ptr<chess::GameRecord> record_;
    std::unique_ptr<gamefile::GameHeader> header_;
    std::unique_ptr<gamefile::HeaderDisplay> display_;
    std::vector<std::uint8_t> words_;
    int nextGame_ = 1;
    // Every game's words and result word, as X.TRF would hold them.
    std::vector<std::uint8_t> image_;
    bool imageComplete_ = false;
    bool fromImage_ = false;
    std::size_t imagePos_ = 0;
};

}  // namespace ravelin::search
