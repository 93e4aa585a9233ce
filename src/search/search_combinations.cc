#include <algorithm>

#include "search/searches.h"

namespace ravelin::search {

int SearchVariationInFile(SearchFile& file, const SearchCriteria& criteria, int combination,
                          SearchResult& result) {
    SearchVariationAlone(file, criteria, result);
    if (combination == kWithPosition && !file.Cancelled()) {
        SearchResult positions;
        SearchPositionInFile(file, criteria, positions);
        KeepMatchesAlsoIn(result, positions);
    }
    return result.Count();
}

int SearchHeadersInFile(SearchFile& file, const SearchCriteria& criteria, int combination,
                        SearchResult& result) {
    SearchHeadersAlone(file, criteria, result);
    if (combination == kAlone || file.Cancelled()) {
        return result.Count();
    }
    SearchResult moves;
    if (combination == kWithPosition) {
        SearchPositionInFile(file, criteria, moves);
    } else {
        SearchVariationInFile(file, criteria, combination == kWithBoth ? kWithPosition : kAlone, moves);
    }
    const int plies = result.pliesMatched;
    // A pairing counts its undecided games (outcome byte 0) in counter3 and has no counter4; the
    // recount by outcome bytes alone would lose them.
    const bool pairing = result.counter3 != kNotCounted && result.counter4 == kNotCounted;
    KeepMatchesAlsoIn(result, moves);
    if (pairing) {
        result.counter3 =
            static_cast<int>(std::count_if(result.matches.begin(), result.matches.end(),
                                           [](const SearchMatch& m) { return m.outcome == kOutcomeOther; }));
        result.counter4 = kNotCounted;
    }
    result.pliesMatched = combination == kWithPosition ? plies : moves.pliesMatched;
    return result.Count();
}

int RunSearch(SearchFile& file, const SearchCriteria& criteria, int kind, int combination, SearchResult& result) {
    switch (kind) {
        case kVariationSearch:
            return SearchVariationInFile(file, criteria, combination, result);
        case kPositionSearch:
            return SearchPositionInFile(file, criteria, result);
        case kHeaderSearch:
            return SearchHeadersInFile(file, criteria, combination, result);
        default:
            result.Clear();
            return 0;
    }
}

}  // namespace ravelin::search
