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
    KeepMatchesAlsoIn(result, moves);
    result.pliesMatched = combination == kWithPosition ? plies : moves.pliesMatched;
    return result.Count();
}

int RunSearch(SearchFile& file, const SearchCriteria& criteria, int kind, int combination,
              SearchResult& result) {
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
