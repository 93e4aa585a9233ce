#pragma once

// Reading the moves of any game of a file on the thread that runs a utility: its own descriptor,
// line reader and chess context.

#include <memory>
#include <string>

#include "chess/chess_context.h"
#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/game_index.h"
#include "gamefile/game_loader.h"
#include "gamefile/line_reader.h"

namespace ravelin::utilities {

class GameMoves {
  public:
    explicit GameMoves(const std::string& path);
    ~GameMoves();
    GameMoves(const GameMoves&) = delete;
    GameMoves& operator=(const GameMoves&) = delete;

    bool IsOpen() const { return fd_ >= 0; }
    // Reads the header and the movetext of the game at this offset quietly; the moves are in
    // Context().moves. False when the file cannot be read there.
    bool Read(std::uint32_t offset);
    // Plays the moves read from the game's start position.
    gamefile::ReplaySummary Replay();

    chess::ChessContext& Context() { return *context_; }
    const chess::GameRecord& Record() const { return *record_; }
    const gamefile::GameHeader& Header() const { return *header_; }

  private:
    int fd_ = -1;
    gamefile::LineReader reader_;
    std::unique_ptr<gamefile::GameHeader> header_ = std::make_unique<gamefile::GameHeader>();
    std::unique_ptr<chess::ChessContext> context_ = chess::MakeChessContext();
    std::unique_ptr<chess::GameRecord> record_ = chess::MakeGameRecord();
};

}  // namespace ravelin::utilities
