#pragma once

// The header values of the reports and the game list read straight from the PGN text, game by
// game along the game index, with the first movetext lines when the opening is wanted.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "gamefile/game_index.h"
#include "gamefile/line_reader.h"

namespace ravelin::statistics {

// The tags the list and the reports read; an absent tag is "".
struct GameTags {
    std::string white, black, result, date, eco, whiteElo, blackElo, round, event, site;
    // Read for the ECO source files' list.
    std::string opening, variation;
    bool hasFen = false;
    // The movetext lines up to the one that completes the moves the openings look at (empty when
    // the moves were not asked for).
    std::string firstMoves;

    void Clear();
};

// Reads games of a file along its index through a descriptor of its own. Games asked for in
// increasing order run through the file in one sequential pass; any other order seeks.
class PgnGameTagReader {
  public:
    PgnGameTagReader(const std::string& path, const gamefile::GameIndex& index);
    ~PgnGameTagReader();
    PgnGameTagReader(const PgnGameTagReader&) = delete;
    PgnGameTagReader& operator=(const PgnGameTagReader&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // Game number game (1-based); false when it is outside the index or cannot be read.
    bool Read(int game, bool wantMoves, GameTags& tags);

  private:
    const gamefile::GameIndex& index_;
    int fd_ = -1;
    gamefile::LineReader reader_;
    // The file offset the reader stands at; max when unknown.
    std::uint64_t position_ = UINT64_MAX;
};

// The game's first moves as the openings read them: at most this many per side.
inline constexpr int kOpeningMovesPerSide = 3;

}  // namespace ravelin::statistics
