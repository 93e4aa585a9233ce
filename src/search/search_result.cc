#include "search/search_result.h"

#include <cstddef>

namespace ravelin::search {

void SearchResult::Clear(int extraCounters) {
    matches.clear();
    whiteWins = 0;
    blackWins = 0;
    counter3 = extraCounters;
    counter4 = extraCounters;
}

void SearchResult::Add(int game, std::uint8_t outcome, int ply) {
    matches.push_back({game, outcome, ply});
    if (outcome == kOutcomeWhiteWon) {
        ++whiteWins;
    } else if (outcome == kOutcomeBlackWon) {
        ++blackWins;
    }
}

void SearchResult::Recount() {
    whiteWins = 0;
    blackWins = 0;
    const bool extra = counter3 != kNotCounted;
    const bool pairing = extra && counter4 == kNotCounted;
    if (extra) {
        counter3 = 0;
        counter4 = pairing ? kNotCounted : 0;
    }
    for (const SearchMatch& match : matches) {
        switch (match.outcome) {
            case kOutcomeWhiteWon:
                ++whiteWins;
                break;
            case kOutcomeBlackWon:
                ++blackWins;
                break;
            case kOutcomeUndecidedAsWhite:
                counter3 += extra && !pairing ? 1 : 0;
                break;
            case kOutcomeUndecidedAsBlack:
                counter4 += extra && !pairing ? 1 : 0;
                break;
            default:
                counter3 += pairing ? 1 : 0;
                break;
        }
    }
}

void KeepMatchesAlsoIn(SearchResult& result, const SearchResult& other) {
    std::size_t kept = 0;
    std::size_t j = 0;
    for (const SearchMatch& match : result.matches) {
        while (j < other.matches.size() && other.matches[j].game < match.game) {
            ++j;
        }
        if (j < other.matches.size() && other.matches[j].game == match.game) {
            SearchMatch keptMatch = match;
            keptMatch.ply = other.matches[j].ply;
            result.matches[kept++] = keptMatch;
        }
    }
    result.matches.resize(kept);
    result.Recount();
}

}  // namespace ravelin::search
