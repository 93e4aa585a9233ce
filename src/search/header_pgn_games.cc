#include "search/header_pgn_games.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstring>

#include "gamefile/game_index.h"
#include "gamefile/game_loader.h"
#include "gamefile/game_walk.h"
#include "gamefile/tag_line.h"
#include "search/fast_header.h"

namespace ravelin::search {

using gamefile::TagSlot;

PgnHeaderGames::PgnHeaderGames(const SearchFile& file, bool wantMoves)
    : file_(file),
      wantMoves_(wantMoves),
      fd_(::open(file.path.c_str(), O_RDONLY | O_CLOEXEC)),
      reader_(gamefile::kScanBufferSize),
      header_(std::make_unique<gamefile::GameHeader>()) {
    reader_.Attach(fd_);
    if (wantMoves_) {
        context_ = chess::MakeChessContext();
        context_->batch = true;
        record_ = chess::MakeGameRecord();
    }
}

PgnHeaderGames::~PgnHeaderGames() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool PgnHeaderGames::Position(std::uint32_t offset) {
    return gamefile::PositionAtGameStart(reader_, *header_, offset);
}

// Reads on to the next game's first tag line without parsing the moves.
void PgnHeaderGames::SkipMovetext() {
    header_->firstMovetextLine.present = false;
    header_->pendingLine.present = false;
    for (;;) {
        std::string_view line;
        const int count = reader_.NextLine(line);
        if (count == 0) {
            return;
        }
        if (gamefile::IsTagLine(line)) {
            header_->pendingLine.Set(
                line, static_cast<std::uint32_t>(count),
                header_->gameOffset + reader_.byteCounter - static_cast<std::uint64_t>(count));
            return;
        }
    }
}

std::string_view PgnHeaderGames::Value(TagSlot slot, std::size_t index) {
    char* text = values_[index].data();
    const std::string_view line = header_->Slot(slot);
    const std::size_t length =
        line.size() < gamefile::kTagSlotSize - 1 ? line.size() : gamefile::kTagSlotSize - 1;
    std::memcpy(text, line.data(), length);
    text[length] = '\0';
    return std::string_view(text, gamefile::ExtractTagValue(text));
}

bool PgnHeaderGames::Read(int game, HeaderGameValues& values) {
    const gamefile::GameIndex& index = *file_.index;
    if (fd_ < 0 || game < 0 || game >= index.Count()) {
        return false;
    }
    if (reposition_ && !Position(index.offsets[static_cast<std::size_t>(game)])) {
        return false;
    }
    gamefile::ParseGameHeader(reader_, *header_, true);
    values.white = Value(TagSlot::kWhite, 0);
    values.black = Value(TagSlot::kBlack, 1);
    values.result = Value(TagSlot::kResult, 2);
    values.date = Value(TagSlot::kDate, 3);
    values.eco = Value(TagSlot::kEco, 4);
    values.whiteElo = Value(TagSlot::kWhiteElo, 5);
    values.blackElo = Value(TagSlot::kBlackElo, 6);
    values.round = ReduceRoundValue(Value(TagSlot::kRound, 7));
    values.event = Value(TagSlot::kEvent, 8);
    values.site = Value(TagSlot::kSite, 9);
    values.moves = 0;
    values.moveList = nullptr;
    bool limitHit = false;
    if (wantMoves_) {
        context_->fenSwitch = false;
        context_->setupSwitch = false;
        values.moves = gamefile::ParseGameQuietly(reader_, *header_, *context_, *record_);
        values.moveList = &context_->moves;
        limitHit = gamefile::ParseStoppedAtLimit(*record_);
    } else {
        SkipMovetext();
    }
    // The next game is found through the index when this one was cut off, or when the line that
    // ended it is not where the index says the next game begins: numbers never drift.
    reposition_ = gamefile::MustRepositionForNextGame(limitHit, *header_, index.offsets,
                                                      static_cast<std::size_t>(game) + 1);
    return true;
}

}  // namespace ravelin::search
