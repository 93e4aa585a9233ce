#include "search/position_search.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <vector>

#include "gamefile/game_index.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "search/fast_header.h"
#include "search/position_index.h"
#include "search/position_pgn_scan.h"
#include "search/searches.h"
#include "search/variation_match.h"

namespace ravelin::search {

int HeaderGameCount(const std::string& headerPath) {
    const int fd = headerPath.empty() ? -1 : ::open(headerPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    std::uint8_t bytes[4] = {};
    const std::size_t got = ReadFully(fd, bytes, sizeof bytes);
    ::close(fd);
    if (got < sizeof bytes) {
        return -2;
    }
    const std::uint32_t value =
        static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
        (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

namespace {

// The stale warning, once per search and never while a background operation runs.
class StaleWarning {
  public:
    explicit StaleWarning(const SearchFile& file) : file_(file) {}
    void Show() {
        if (!shown_ && !file_.backgroundRunning) {
            file_.Message(kRunMakeFastFileAgain);
        }
        shown_ = true;
    }

  private:
    const SearchFile& file_;
    bool shown_ = false;
};

// Each record replayed from the standard start, every position tested.
bool ReplayFastFile(const SearchFile& file, const std::string& movePath, int games,
                    const PositionQuery& query, StaleWarning& stale, SearchResult& result) {
    FastMoveReader reader;
    if (!reader.OpenWithWindow(movePath, kPositionSearchWindow)) {
        if (reader.noMemory) {
            file.Message(kFastFileNotEnoughMemory);
        }
        return false;
    }
    reader.gameLimit = games;
    std::vector<FastMove> moves;
    moves.reserve(kMaxFastRecordMoves);
    FastMove resultWord = 0;
    for (int game = 1; game <= games; ++game) {
        if (file.Cancelled()) {
            break;
        }
        if (reader.Next(moves, resultWord) != FastMoveReader::Step::kRecord) {
            stale.Show();
            break;
        }
        FastBoard board = FastStartBoard();
        const int plies = static_cast<int>(moves.size());
        for (int ply = 0; ply <= plies; ++ply) {
            if (ply > 0) {
                ApplyFastMove(board, moves[static_cast<std::size_t>(ply - 1)], ply);
            }
            if (query.Passes(board.data(), ply)) {
                result.Add(game, OutcomeOfResultWord(resultWord), ply);
                break;
            }
        }
    }
    return true;
}

// The fast file ways; false when the PGN text has to be read instead.
bool SearchFastFile(const SearchFile& file, const PositionQuery& query, PositionSearchWay way,
                    SearchResult& result) {
    const int stored = HeaderGameCount(FastHeaderFilePath(file.path));
    if (stored == -1) {
        return false;
    }
    StaleWarning stale(file);
    if (stored != file.gameCount) {
        stale.Show();
    }
    if (stored < 0) {
        return false;
    }
    // Records beyond the open file's games name no game of it.
    const int games = std::min({stored, file.gameCount, gamefile::kMaxGames});
    const std::string movePath = FastMoveFilePath(file.path);
    if (way != PositionSearchWay::kFastFile) {
        const bool build = way == PositionSearchWay::kFastFileIndex || !file.backgroundRunning;
        if (const auto index = PositionIndexFor(movePath, build)) {
            if (index->GameCount() < games) {
                stale.Show();
            }
            index->Search(query, games, file, result);
            return true;
        }
    }
    return ReplayFastFile(file, movePath, games, query, stale, result);
}

}  // namespace

std::uint8_t OutcomeOfResultLine(std::string_view resultLine) {
    switch (FastResultCodeOf(TagValueOf(resultLine))) {
        case kFastWhiteWins:
            return kOutcomeWhiteWon;
        case kFastBlackWins:
            return kOutcomeBlackWon;
        default:
            return kOutcomeOther;
    }
}

int SearchPositionWith(SearchFile& file, const SearchPosition& position, PositionSearchWay way,
                       SearchResult& result) {
    result.Clear();
    result.pliesMatched = 0;
    const PositionQuery query = DecodePositionQuery(position);
    if (way == PositionSearchWay::kPgnText || !SearchFastFile(file, query, way, result)) {
        ScanPgnForPosition(file, query, result);
    }
    return result.Count();
}

int SearchPositionInFile(SearchFile& file, const SearchCriteria& criteria, SearchResult& result) {
    return SearchPositionWith(file, criteria.position, PositionSearchWay::kChoose, result);
}

}  // namespace ravelin::search
