#include "search/header_search.h"

#include <algorithm>

#include "gamefile/game_file.h"
#include "gamefile/game_index.h"
#include "gamefile/game_loader.h"
#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "search/header_fast_records.h"
#include "search/header_match.h"
#include "search/header_move_counts.h"
#include "search/header_pgn_games.h"
#include "search/searches.h"

namespace ravelin::search {

namespace {

enum class FastOutcome { kSearched, kUsePgn };

void WarnStale(const SearchFile& file) {
    if (!file.backgroundRunning) {
        file.Message(kRunMakeFastFileAgain);
    }
}

FastOutcome SearchFastHeaders(SearchFile& file, const HeaderMatcher& matcher, SearchResult& result) {
    FastHeaderRecords::LoadStatus status = FastHeaderRecords::LoadStatus::kMissing;
    const std::shared_ptr<const FastHeaderRecords> records =
        FastHeaderRecords::Load(FastHeaderFilePath(file.path), status);
    switch (status) {
        case FastHeaderRecords::LoadStatus::kLoaded:
            break;
        case FastHeaderRecords::LoadStatus::kNoMemory:
            file.Message(kFastFileNotEnoughMemory);
            return FastOutcome::kUsePgn;
        case FastHeaderRecords::LoadStatus::kMissing:
            return FastOutcome::kUsePgn;
    }
    const bool current = records->StoredCount() == file.gameCount;
    if (!current) {
        WarnStale(file);
        if (matcher.HasNumberOfMoves()) {
            return FastOutcome::kUsePgn;
        }
    }
    // A stale file is searched with its own count.
    const int games = std::clamp<std::int32_t>(records->StoredCount(), 0, gamefile::kMaxGames);
    FastRecordLengths moveRecords;
    if (matcher.HasNumberOfMoves() &&
        !moveRecords.Open(FastMoveFilePath(file.path), kHeaderSearchMoveWindow)) {
        return FastOutcome::kUsePgn;
    }
    const int valueCount = matcher.RecordValuesLookedAt();
    // Each record fills the same leading values; the others stay empty. The first search of a file
    // walks the records whole and places them for the searches after it.
    HeaderGameValues values;
    const bool placed = records->Placed();
    const bool dateAndEco = matcher.LooksOnlyAtDateAndEco();
    for (int game = 0; game < games && !file.Cancelled(); ++game) {
        if (placed ? game >= records->RecordCount() : !records->Next(values)) {
            // Records cut short: the file is not what its count says.
            if (current) {
                WarnStale(file);
            }
            break;
        }
        if (placed && dateAndEco) {
            records->ReadDateAndEco(game, values);
        } else if (placed) {
            records->Read(game, valueCount, values);
        }
        if (matcher.HasNumberOfMoves()) {
            int plies = 0;
            if (moveRecords.Next(plies) != FastRecordLengths::Step::kRecord) {
                // X.TRF does not fit X.TRH: the counts come from the PGN text instead.
                WarnStale(file);
                matcher.StartResult(result);
                return FastOutcome::kUsePgn;
            }
            values.moves = (plies + 1) / 2;
        }
        std::uint8_t outcome = kOutcomeOther;
        if (matcher.Matches(values, outcome)) {
            matcher.AddMatch(result, game + 1, outcome);
        }
    }
    return FastOutcome::kSearched;
}

void SearchPgnHeaders(SearchFile& file, const HeaderMatcher& matcher, SearchResult& result) {
    if (file.index == nullptr) {
        return;
    }
    PgnHeaderGames games(file, matcher.NeedsMoves());
    const int count = std::min({file.gameCount, file.index->Count(), gamefile::kMaxGames});
    HeaderGameValues values;
    for (int game = 0; game < count && !file.Cancelled(); ++game) {
        if (!games.Read(game, values)) {
            break;
        }
        std::uint8_t outcome = kOutcomeOther;
        if (matcher.Matches(values, outcome)) {
            matcher.AddMatch(result, game + 1, outcome);
        }
    }
}

bool IsEcoTableFile(const SearchFile& file) {
    return gamefile::IsEcoSourceFile(gamefile::MakeDisplayFileName(file.fileName));
}

}  // namespace

int SearchHeadersAlone(SearchFile& file, const SearchCriteria& criteria, SearchResult& result) {
    const HeaderMatcher matcher(criteria.header);
    matcher.StartResult(result);
    if (!matcher.HasSpecificMove() && !IsEcoTableFile(file) &&
        SearchFastHeaders(file, matcher, result) == FastOutcome::kSearched) {
        return result.Count();
    }
    SearchPgnHeaders(file, matcher, result);
    return result.Count();
}

}  // namespace ravelin::search
