#include "search/variation_sources.h"

#include <algorithm>

#include "chess/position_history.h"
#include "gamefile/game_index.h"
#include "search/fast_file_output.h"
#include "search/fast_header.h"

namespace ravelin::search {

namespace {

void AppendWord(std::vector<std::uint8_t>& bytes, FastMove word) {
    bytes.push_back(static_cast<std::uint8_t>(word & 0xff));
    bytes.push_back(static_cast<std::uint8_t>(word >> 8));
}

FastMove WordAt(const std::uint8_t* bytes) {
    return static_cast<FastMove>(bytes[0] | (bytes[1] << 8));
}

}  // namespace

bool FastFileGames::Open(const std::string& pgnPath, int gameCount) {
    gameCount_ = std::clamp(gameCount, 0, gamefile::kMaxGames);
    stale_ = false;
    const bool opened = reader_.Open(FastMoveFilePath(pgnPath));
    noMemory = reader_.noMemory;
    // A record beyond the file's last game names no game: the walk stops there as stale.
    reader_.gameLimit = gameCount_;
    return opened;
}

bool FastFileGames::Next(GameMoves& game) {
    if (reader_.RecordsRead() >= gamefile::kMaxGames) {
        return false;
    }
    const FastMoveReader::Step step = reader_.NextInPlace(game.plyWords, game.plies, game.resultWord);
    if (step != FastMoveReader::Step::kRecord) {
        stale_ = stale_ || step == FastMoveReader::Step::kStale;
        return false;
    }
    game.game = reader_.RecordsRead();
    return true;
}

PgnGames::PgnGames(SearchFile& file, bool keepImage)
    : file_(file),
      keepImage_(keepImage),
      context_(chess::MakeChessContext()),
      record_(chess::MakeGameRecord()),
      header_(std::make_unique<gamefile::GameHeader>()),
      display_(std::make_unique<gamefile::HeaderDisplay>()) {
    context_->batch = true;
    words_.reserve(2 * (chess::kMaxPly + 1));
}

void PgnGames::Rewind() {
    nextGame_ = 1;
    imagePos_ = 0;
    fromImage_ = imageComplete_;
    if (!fromImage_) {
        image_.clear();
    }
}

bool PgnGames::Next(GameMoves& game) {
    return fromImage_ ? ImageNext(game) : ParseNext(game);
}

bool PgnGames::ImageNext(GameMoves& game) {
    if (imagePos_ + 2 > image_.size()) {
        return false;
    }
    const std::uint8_t* start = image_.data() + imagePos_;
    int plies = 0;
    while (!IsResultWord(WordAt(start + 2 * plies))) {
        ++plies;
    }
    game.game = nextGame_++;
    game.plyWords = start;
    game.plies = plies;
    game.resultWord = WordAt(start + 2 * plies);
    imagePos_ += 2 * (static_cast<std::size_t>(plies) + 1);
    return true;
}

bool PgnGames::ParseNext(GameMoves& game) {
    const int games = std::min(file_.gameCount, gamefile::kMaxGames);
    if (file_.reader == nullptr || file_.index == nullptr) {
        return false;
    }
    if (nextGame_ > games) {
        return false;
    }
    const int number = nextGame_++;
    words_.clear();
    int resultCode = kFastOtherResult;
    // A game the index does not lead to stays in the walk without moves, so that the numbers of
    // the games after it stay right.
    if (gamefile::LoadGameHeader(file_.fileName, *file_.reader, *file_.index, number, *header_, *display_,
                                 {})) {
        resultCode = FastResultCodeOf(TagValueOf(header_->Slot(gamefile::TagSlot::kResult)));
        AppendReplayedWords();
    }
    game.game = number;
    game.plyWords = words_.data();
    game.plies = static_cast<int>(words_.size() / 2);
    game.resultWord = ResultWord(resultCode);
    if (keepImage_) {
        image_.insert(image_.end(), words_.begin(), words_.end());
        AppendWord(image_, game.resultWord);
        imageComplete_ = nextGame_ > games;
    }
    return true;
}

void PgnGames::AppendReplayedWords() {
    // The same replay as the fast file writer's: from the standard position (FEN games too),
    // and a game without moves stands as 1. d4.
    chess::ChessContext& context = *context_;
    context.fenSwitch = false;
    context.setupSwitch = false;
    gamefile::ParseGameQuietly(*file_.reader, *header_, context, *record_);
    int plies = 0;
    if (record_->moveCount > 0) {
        chess::SetStartPosition(context);
        plies = chess::ReplayMoves(context, record_->moveCount);
    }
    if (plies == 0) {
        AppendWord(words_, kEmptyGameMove);
    }
    for (int ply = 1; ply <= plies; ++ply) {
        AppendWord(words_, DeriveFastMove(context.history, ply));
    }
}

}  // namespace ravelin::search
