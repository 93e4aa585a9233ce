#include "search/navigation_list.h"

#include <algorithm>
#include <utility>

namespace ravelin::search {

MatchListKind MatchListKindOf(int searchKind) {
    switch (searchKind) {
        case kPositionSearch:
            return MatchListKind::kPosition;
        case kHeaderSearch:
            return MatchListKind::kHeader;
        default:
            return MatchListKind::kVariation;
    }
}

void NavigationList::Set(MatchListKind kind, const SearchResult& result) {
    std::vector<int> games;
    std::vector<int> plies;
    games.reserve(result.matches.size());
    plies.reserve(result.matches.size());
    for (const SearchMatch& match : result.matches) {
        games.push_back(match.game);
        plies.push_back(match.ply);
    }
    Set(kind, std::move(games), std::move(plies));
}

void NavigationList::Set(MatchListKind kind, std::vector<int> games, std::vector<int> plies) {
    Reset();
    MatchList& list = lists_[static_cast<std::size_t>(kind)];
    plies.resize(games.size(), 0);
    list.games = std::move(games);
    list.plies = std::move(plies);
    list.position = list.games.empty() ? 0 : 1;
}

void NavigationList::Reset() {
    for (MatchList& list : lists_) {
        list = MatchList{};
    }
}

const MatchList* NavigationList::Current() const {
    for (const MatchList& list : lists_) {
        if (!list.games.empty()) {
            return &list;
        }
    }
    return nullptr;
}

MatchList* NavigationList::CurrentMutable() {
    return const_cast<MatchList*>(std::as_const(*this).Current());
}

void NavigationList::MoveTo(int position) {
    if (MatchList* list = CurrentMutable()) {
        list->position = std::clamp(position, 1, list->Count());
    }
}

int NavigationList::Step(int direction, int currentGame, int gameCount) {
    if (MatchList* list = CurrentMutable()) {
        list->position = std::clamp(list->position + direction, 1, list->Count());
        return list->games[static_cast<std::size_t>(list->position - 1)];
    }
    if (gameCount < 1) {
        return currentGame;
    }
    return std::clamp(currentGame + direction, 1, gameCount);
}

int NavigationList::CurrentGame() const {
    const MatchList* list = Current();
    return list == nullptr ? 0 : list->games[static_cast<std::size_t>(list->position - 1)];
}

int NavigationList::CurrentPly() const {
    const MatchList* list = Current();
    return list == nullptr ? 0 : list->plies[static_cast<std::size_t>(list->position - 1)];
}

}  // namespace ravelin::search
