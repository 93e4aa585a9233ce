#pragma once

// A file's search cut into runs of games that several threads search at once. It is made only
// where the fast file's kept tables reach every game on its own (the position index X.TRP over
// X.TRF, the placed X.TRH records) and the whole search would have nothing to warn about; joined in
// game order, the runs give exactly what RunSearch gives for the whole file. Everything else is
// searched whole: the PGN text (a stale or missing fast file), "Force Match" (each pass depends on
// the whole file's matches), and the combinations (a cancel during their first search keeps its
// matches unfiltered, which runs could not reproduce).

#include <cstdint>
#include <functional>
#include <memory>
#include <string>

#include "search/search_criteria.h"
#include "search/search_result.h"
#include "search/search_source.h"

namespace ravelin::search {

class SplitSearch {
  public:
    virtual ~SplitSearch() = default;

    // Null when the file is to be searched whole.
    static std::unique_ptr<const SplitSearch> Make(const SearchFile& file, const SearchCriteria& criteria,
                                                   int kind, int combination);

    int GameCount() const { return games_; }
    // The empty result the runs are joined into, with the counters and plies RunSearch leaves.
    virtual void Start(SearchResult& result) const = 0;
    // Adds the matches among games first..last-1 (0-based) to run, which Start began; polls
    // cancelled between games and returns false when it cut the run short.
    virtual bool Search(int first, int last, const std::function<bool()>& cancelled,
                        SearchResult& run) const = 0;

  protected:
    explicit SplitSearch(int games) : games_(games) {}

  private:
    int games_;
};

// Appends a run's matches to whole and adds its counters.
void JoinRun(SearchResult& whole, const SearchResult& run);

// How a directory search cuts its files into runs: a file with an X.TRF of n bytes into
// 1 + n / runBytes runs, or one per core where that is more and the runs stay long enough (at most
// 64), searched in them where make (SplitSearch::Make) splits its search; none without make.
struct SearchSplitter {
    std::function<std::unique_ptr<const SplitSearch>(const SearchFile& file, const SearchCriteria& criteria,
                                                     int kind, int combination)>
        make;
    // A few milliseconds of a variation search a run: shorter runs balance the cores no better on
    // the corpus of a few large files, and each run costs its own handing out and joining.
    std::uint64_t runBytes = std::uint64_t{4} << 20;
    // A file of at least n x smallestRunBytes is cut into n runs at least: n is fewestRuns, or
    // when that is 0 the cores the process may use.
    std::uint64_t smallestRunBytes = std::uint64_t{256} << 10;
    std::uint64_t fewestRuns = 0;

    explicit operator bool() const { return static_cast<bool>(make); }
    // How many runs the file at pgnPath is cut into; 1 without an X.TRF.
    int RunsOfFile(const std::string& pgnPath) const;
    // How a file of that many runs is opened: its games only counted while it may yet be cut.
    OpenedSearchFile::Indexing IndexingFor(int runs) const;
    // The search of a file opened as IndexingFor(runs) says, cut where make can; where it cannot
    // (null), the file is indexed in full for a search of the whole file.
    std::unique_ptr<const SplitSearch> Cut(OpenedSearchFile& opened, int runs, const SearchCriteria& criteria,
                                           int kind, int combination) const;
};

// Run k of runs over games: its first game and the one after its last (0-based).
int RunStart(int games, int runs, int k);

}  // namespace ravelin::search
