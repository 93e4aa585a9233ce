#pragma once

// The games of a PGN file read in order for the header search when there is no usable fast file:
// the header of each game, and its movetext only when the criteria need the moves.

#include <array>
#include <memory>

#include "chess/chess_context.h"
#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/line_reader.h"
#include "search/header_match.h"
#include "search/search_source.h"

namespace ravelin::search {

class PgnHeaderGames {
  public:
    // Reads the file through a descriptor of its own, so the window's reader is left as it was.
    PgnHeaderGames(const SearchFile& file, bool wantMoves);
    ~PgnHeaderGames();
    PgnHeaderGames(const PgnHeaderGames&) = delete;
    PgnHeaderGames& operator=(const PgnHeaderGames&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // The values of game number game + 1 (games are read in order from 0); false when the file
    // cannot be read there. The views stay valid until the next call.
    bool Read(int game, HeaderGameValues& values);

  private:
    bool Position(std::uint32_t offset);
    void SkipMovetext();
    std::string_view Value(gamefile::TagSlot slot, std::size_t index);

    const SearchFile& file_;
    bool wantMoves_;
    int fd_ = -1;
    bool reposition_ = true;
    gamefile::LineReader reader_;
    std::unique_ptr<gamefile::GameHeader> header_;
    std::unique_ptr<chess::ChessContext> context_;
    std::unique_ptr<chess::GameRecord> record_;
    std::array<std::array<char, gamefile::kTagSlotSize>, 10> values_{};
};

}  // namespace ravelin::search
