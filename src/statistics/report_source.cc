#include "statistics/report_source.h"

#include <algorithm>

#include "search/fast_file_output.h"
#include "search/fast_file_reader.h"
#include "search/header_fast_records.h"

namespace ravelin::statistics {

namespace {

enum class FastWalk { kDone, kUsePgn };

void Assign(const search::HeaderGameValues& values, GameTags& tags) {
    tags.white.assign(values.white);
    tags.black.assign(values.black);
    tags.result.assign(values.result);
    tags.date.assign(values.date);
    tags.eco.assign(values.eco);
    tags.whiteElo.assign(values.whiteElo);
    tags.blackElo.assign(values.blackElo);
    tags.round.assign(values.round);
    tags.event.assign(values.event);
    tags.site.assign(values.site);
}

FastWalk WalkFastHeaders(const ReportSource& source,
                         const std::function<void(int game, const GameTags& tags)>& visit) {
    search::FastHeaderRecords::LoadStatus status = search::FastHeaderRecords::LoadStatus::kMissing;
    const std::shared_ptr<const search::FastHeaderRecords> records =
        search::FastHeaderRecords::Load(search::FastHeaderFilePath(source.path), status);
    if (status != search::FastHeaderRecords::LoadStatus::kLoaded || records == nullptr) {
        return FastWalk::kUsePgn;
    }
    if (records->StoredCount() != source.gameCount) {
        source.Warn(search::kRunMakeFastFileAgain);
        return FastWalk::kUsePgn;
    }
    GameTags tags;
    search::HeaderGameValues values;
    const int count = source.Count();
    for (int i = 0; i < count; ++i) {
        if (!records->Next(values)) {
            // Records cut short: the file is not what its count says; the games read so far stand.
            source.Warn(search::kRunMakeFastFileAgain);
            break;
        }
        Assign(values, tags);
        visit(i + 1, tags);
    }
    return FastWalk::kDone;
}

}  // namespace

int ReportSource::Count() const {
    if (!games.empty()) {
        return static_cast<int>(games.size());
    }
    const int indexed = index == nullptr ? 0 : index->Count();
    return std::min({gameCount, indexed, gamefile::kMaxGames});
}

int ReportSource::GameAt(int i) const {
    return games.empty() ? i + 1 : games[static_cast<std::size_t>(i)];
}

bool ForEachGame(const ReportSource& source, bool wantMoves,
                 const std::function<void(int game, const GameTags& tags)>& visit) {
    if (source.index == nullptr) {
        return false;
    }
    if (source.WholeFile() && !wantMoves && WalkFastHeaders(source, visit) == FastWalk::kDone) {
        return true;
    }
    PgnGameTagReader reader(source.path, *source.index);
    if (!reader.IsOpen()) {
        return false;
    }
    GameTags tags;
    const int count = source.Count();
    for (int i = 0; i < count; ++i) {
        const int game = source.GameAt(i);
        if (!reader.Read(game, wantMoves, tags)) {
            continue;  // a game of the list beyond the file's index
        }
        visit(game, tags);
    }
    return true;
}

}  // namespace ravelin::statistics
