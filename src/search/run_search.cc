#include "search/searches.h"

namespace ravelin::search {

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
