#include "search/position_pgn_scan.h"

#include <algorithm>
#include <memory>

#include "chess/chess_context.h"
#include "chess/movetext.h"
#include "gamefile/game_header.h"
#include "gamefile/game_index.h"
#include "gamefile/game_loader.h"
#include "gamefile/game_walk.h"
#include "gamefile/line_reader.h"
#include "gamefile/tag_line.h"
#include "search/fast_move.h"
#include "search/position_search.h"

namespace ravelin::search {
namespace {

// Reads the games one after the other, going back to the index only where reading on could lose
// the count: after a game cut at a limit, or when the line that ended a game is not where the index
// says the next one begins.
class PgnGameWalk {
  public:
    PgnGameWalk(const SearchFile& file)
        : offsets_(file.index->offsets),
          reader_(gamefile::kScanBufferSize),
          header_(std::make_unique<gamefile::GameHeader>()),
          context_(chess::MakeChessContext()),
          record_(chess::MakeGameRecord()) {
        reader_.Attach(file.reader->Descriptor());
        context_->batch = true;
        context_->searchReplay = true;
    }

    // Reads game i (0-based) and replays it; the number of plies played, -1 when the file ends.
    int Replay(std::size_t i) {
        if (reposition_ && !Position(offsets_[i])) {
            return -1;
        }
        gamefile::ParseGameHeader(reader_, *header_, true);
        gamefile::ParseGameQuietly(reader_, *header_, *context_, *record_);
        const gamefile::ReplaySummary summary = gamefile::ReplayParsedGame(*context_, *record_, *header_);
        reposition_ = MustReposition(i + 1);
        return summary.pliesPlayed;
    }

    const chess::CompactBoard& Board(int ply) const {
        return context_->history.boards[static_cast<std::size_t>(ply)];
    }
    std::string_view ResultLine() const { return header_->Slot(gamefile::TagSlot::kResult); }

  private:
    bool Position(std::uint32_t offset) { return gamefile::PositionAtGameStart(reader_, *header_, offset); }

    bool MustReposition(std::size_t next) const {
        return gamefile::MustRepositionForNextGame(gamefile::ParseStoppedAtLimit(*record_), *header_,
                                                   offsets_, next);
    }

    const std::vector<std::uint32_t>& offsets_;
    gamefile::LineReader reader_;
    std::unique_ptr<gamefile::GameHeader> header_;
    std::unique_ptr<chess::ChessContext> context_;
    std::unique_ptr<chess::GameRecord> record_;
    bool reposition_ = true;
};

}  // namespace

bool ScanPgnForPosition(const SearchFile& file, const PositionQuery& query, SearchResult& result) {
    if (file.reader == nullptr || file.index == nullptr || file.reader->Descriptor() < 0) {
        return false;
    }
    const int games = std::min(file.index->Count(), gamefile::kMaxGames);
    PgnGameWalk walk(file);
    FastBoard bytes{};
    for (int i = 0; i < games; ++i) {
        if (file.Cancelled()) {
            break;
        }
        const int plies = walk.Replay(static_cast<std::size_t>(i));
        if (plies < 0) {
            break;
        }
        for (int ply = 0; ply <= plies; ++ply) {
            const chess::CompactBoard& board = walk.Board(ply);
            std::copy(board.begin(), board.end(), bytes.begin());
            if (query.Passes(bytes.data(), ply)) {
                result.Add(i + 1, OutcomeOfResultLine(walk.ResultLine()), ply);
                break;
            }
        }
    }
    return true;
}

}  // namespace ravelin::search
