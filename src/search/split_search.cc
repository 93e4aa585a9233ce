#include "search/split_search.h"

#include <algorithm>
#include <bit>
#include <cstdint>
#include <utility>

#include "chess/chess_context.h"
#include "gamefile/game_file.h"
#include "gamefile/game_index.h"
#include "gamefile/game_loader.h"
#include "search/fast_file_output.h"
#include "search/file_stamp.h"
#include "search/header_fast_records.h"
#include "search/header_match.h"
#include "search/ordered_work.h"
#include "search/position_index.h"
#include "search/position_search.h"
#include "search/variation_force_match.h"
#include "search/variation_match.h"

namespace ravelin::search {

namespace {

bool Stop(const std::function<bool()>& cancelled) {
    return cancelled && cancelled();
}

// The variation alone, without "Force Match", over the records of X.TRF that the position index
// places: the words the whole search reads walking X.TRF, and the outcome of each record's result
// word, which the index keeps (the end of a record is then never read).
class SplitVariation final : public SplitSearch {
  public:
    SplitVariation(std::shared_ptr<const PositionSearchIndex> index, const VariationWords& words, bool exact)
        : SplitSearch(index->GameCount()),
          index_(std::move(index)),
          lengths_(words.whiteCount, words.blackCount),
          matcher_(words, lengths_.WhiteMoves(), lengths_.BlackMoves(), exact) {}

    void Start(SearchResult& result) const override {
        result.Clear();
        result.pliesMatched = lengths_.PliesMatched();
    }
    bool Search(int first, int last, const std::function<bool()>& cancelled,
                SearchResult& run) const override {
        for (int game = first; game < last; ++game) {
            if (Stop(cancelled)) {
                return false;
            }
            int plies = 0;
            const std::uint8_t* words = index_->RecordWords(game, plies);
            if (matcher_.Matches(words, plies)) {
                run.Add(game + 1, index_->Outcome(game));
            }
        }
        return true;
    }

  private:
    std::shared_ptr<const PositionSearchIndex> index_;
    ForceMatchSearch lengths_;
    VariationMatcher matcher_;
};

class SplitPosition final : public SplitSearch {
  public:
    SplitPosition(std::shared_ptr<const PositionSearchIndex> index, int games, const PositionQuery& query)
        : SplitSearch(games), index_(std::move(index)), query_(query) {}

    void Start(SearchResult& result) const override {
        result.Clear();
        result.pliesMatched = 0;
    }
    bool Search(int first, int last, const std::function<bool()>& cancelled,
                SearchResult& run) const override {
        return index_->SearchRange(query_, first, last, cancelled, run);
    }

  private:
    std::shared_ptr<const PositionSearchIndex> index_;
    PositionQuery query_;
};

// The header criteria alone over X.TRH records whose places are known.
class SplitHeaders final : public SplitSearch {
  public:
    SplitHeaders(std::shared_ptr<const FastHeaderRecords> records, int games, const HeaderCriteria& criteria)
        : SplitSearch(games), records_(std::move(records)), matcher_(criteria) {}

    void Start(SearchResult& result) const override { matcher_.StartResult(result); }
    bool Search(int first, int last, const std::function<bool()>& cancelled,
                SearchResult& run) const override {
        const int valueCount = matcher_.RecordValuesLookedAt();
        const bool dateAndEco = matcher_.LooksOnlyAtDateAndEco();
        HeaderGameValues values;
        for (int game = first; game < last; ++game) {
            if (Stop(cancelled)) {
                return false;
            }
            if (dateAndEco) {
                records_->ReadDateAndEco(game, values);
            } else {
                records_->Read(game, valueCount, values);
            }
            std::uint8_t outcome = kOutcomeOther;
            if (matcher_.Matches(values, outcome)) {
                matcher_.AddMatch(run, game + 1, outcome);
            }
        }
        return true;
    }

  private:
    std::shared_ptr<const FastHeaderRecords> records_;
    HeaderMatcher matcher_;
};

// The index of X.TRF when it is kept or saved beside it; none is built here.
std::shared_ptr<const PositionSearchIndex> KeptIndex(const SearchFile& file) {
    return SavedPositionIndex(FastMoveFilePath(file.path));
}

std::unique_ptr<const SplitSearch> MakeVariation(const SearchFile& file, const SearchCriteria& criteria) {
    // The record words are read as they lie in memory; the whole search meets no stale file.
    FileStamp stamp;
    if (std::endian::native != std::endian::little || criteria.options.forceMatch ||
        !StampOf(FastMoveFilePath(file.path), stamp) || stamp.size % 2 != 0) {
        return nullptr;
    }
    auto index = KeptIndex(file);
    if (!index || index->GameCount() != file.gameCount || !index->EndWordFollows()) {
        return nullptr;
    }
    VariationWords words;
    {
        const std::unique_ptr<chess::ChessContext> context = chess::MakeChessContext();
        DeriveVariationWords(criteria.variation, *context, words);
    }
    return std::make_unique<SplitVariation>(std::move(index), words, criteria.options.exactVariation);
}

std::unique_ptr<const SplitSearch> MakePosition(const SearchFile& file, const SearchCriteria& criteria) {
    if (HeaderGameCount(FastHeaderFilePath(file.path)) != file.gameCount) {
        return nullptr;
    }
    auto index = KeptIndex(file);
    if (!index || index->GameCount() < file.gameCount) {
        return nullptr;
    }
    return std::make_unique<SplitPosition>(std::move(index), file.gameCount,
                                           DecodePositionQuery(criteria.position));
}

std::unique_ptr<const SplitSearch> MakeHeaders(const SearchFile& file, const SearchCriteria& criteria) {
    const HeaderMatcher matcher(criteria.header);
    if (matcher.NeedsMoves() || gamefile::IsEcoSourceFile(gamefile::MakeDisplayFileName(file.fileName))) {
        return nullptr;
    }
    FastHeaderRecords::LoadStatus status = FastHeaderRecords::LoadStatus::kMissing;
    auto records = FastHeaderRecords::Load(FastHeaderFilePath(file.path), status);
    if (status != FastHeaderRecords::LoadStatus::kLoaded || !records->Placed() ||
        records->StoredCount() != file.gameCount || records->RecordCount() < file.gameCount) {
        return nullptr;
    }
    return std::make_unique<SplitHeaders>(std::move(records), file.gameCount, criteria.header);
}

}  // namespace

std::unique_ptr<const SplitSearch> SplitSearch::Make(const SearchFile& file, const SearchCriteria& criteria,
                                                     int kind, int combination) {
    if (file.gameCount <= 0 || file.gameCount >= gamefile::kMaxGames) {
        return nullptr;
    }
    switch (kind) {
        case kVariationSearch:
            return combination == kAlone ? MakeVariation(file, criteria) : nullptr;
        case kPositionSearch:
            return MakePosition(file, criteria);
        case kHeaderSearch:
            return combination == kAlone ? MakeHeaders(file, criteria) : nullptr;
        default:
            return nullptr;
    }
}

void JoinRun(SearchResult& whole, const SearchResult& run) {
    whole.matches.insert(whole.matches.end(), run.matches.begin(), run.matches.end());
    whole.whiteWins += run.whiteWins;
    whole.blackWins += run.blackWins;
    if (whole.counter3 != kNotCounted && run.counter3 != kNotCounted) {
        whole.counter3 += run.counter3;
    }
    if (whole.counter4 != kNotCounted && run.counter4 != kNotCounted) {
        whole.counter4 += run.counter4;
    }
}

int SearchSplitter::RunsOfFile(const std::string& pgnPath) const {
    constexpr std::uint64_t kMostRuns = 64;
    FileStamp stamp;
    if (!make || !StampOf(FastMoveFilePath(pgnPath), stamp)) {
        return 1;
    }
    std::uint64_t runs = 1 + stamp.size / std::max<std::uint64_t>(runBytes, 1);
    // A file too small for a run per core is still cut into one, where the runs stay long enough to
    // be worth their handing out: a file searched whole at the end of the search would keep one
    // core busy while the others wait.
    const std::uint64_t fewest = fewestRuns != 0 ? fewestRuns : CoreCount();
    if (runs < fewest && stamp.size >= fewest * smallestRunBytes) {
        runs = fewest;
    }
    return static_cast<int>(std::min(kMostRuns, runs));
}

OpenedSearchFile::Indexing SearchSplitter::IndexingFor(int runs) const {
    return make && runs > 1 ? OpenedSearchFile::Indexing::kCountFirst : OpenedSearchFile::Indexing::kWhole;
}

std::unique_ptr<const SplitSearch> SearchSplitter::Cut(OpenedSearchFile& opened, int runs,
                                                       const SearchCriteria& criteria, int kind,
                                                       int combination) const {
    std::unique_ptr<const SplitSearch> split;
    if (make && runs > 1 && opened.IsOpen()) {
        split = make(opened.File(), criteria, kind, combination);
    }
    if (!split) {
        opened.Index();
    }
    return split;
}

int RunStart(int games, int runs, int k) {
    return static_cast<int>(std::int64_t{games} * k / std::max(runs, 1));
}

}  // namespace ravelin::search
