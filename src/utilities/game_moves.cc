#include "utilities/game_moves.h"

#include <fcntl.h>
#include <unistd.h>

#include "gamefile/game_walk.h"

namespace ravelin::utilities {

GameMoves::GameMoves(const std::string& path) : fd_(open(path.c_str(), O_RDONLY | O_CLOEXEC)) {
    reader_.Attach(fd_);
    context_->batch = true;
}

GameMoves::~GameMoves() {
    if (fd_ >= 0) {
        close(fd_);
    }
}

bool GameMoves::Read(std::uint32_t offset) {
    if (fd_ < 0 || !gamefile::PositionAtGameStart(reader_, *header_, offset)) {
        return false;
    }
    gamefile::ParseGameHeader(reader_, *header_, true);
    context_->moves.Clear();
    gamefile::ParseGameQuietly(reader_, *header_, *context_, *record_);
    return true;
}

gamefile::ReplaySummary GameMoves::Replay() {
    return gamefile::ReplayParsedGame(*context_, *record_, *header_);
}

}  // namespace ravelin::utilities
