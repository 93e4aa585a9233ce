#pragma once

// What "Next Game" and "Prev Game" step through: the matches of the last search, or all games.

#include <array>
#include <vector>

#include "search/search_result.h"

namespace ravelin::search {

// The three match lists; a search fills the list of its kind and empties the other two.
enum class MatchListKind : int { kVariation = 0, kPosition = 1, kHeader = 2 };

// The list a search of a kind (kVariationSearch, kPositionSearch, kHeaderSearch) fills.
MatchListKind MatchListKindOf(int searchKind);

struct MatchList {
    std::vector<int> games;  // 1-based game numbers in file order
    std::vector<int> plies;  // the searched position's ply of each game (0 when none)
    int position = 0;        // 1-based current entry; 0 when the list is empty
    int Count() const { return static_cast<int>(games.size()); }
};

class NavigationList {
  public:
    // The matches of a search become the list of its kind, positioned on its first game.
    void Set(MatchListKind kind, const SearchResult& result);
    // Game numbers (and plies, which may be empty) loaded from a directory search's result file.
    void Set(MatchListKind kind, std::vector<int> games, std::vector<int> plies);
    // "Reset Navigation": all lists emptied, navigation walks every game.
    void Reset();
    bool Active() const { return Current() != nullptr; }
    // The list in use, or null when navigation walks all games.
    const MatchList* Current() const;

    // One step (+1 next, -1 previous): with a list, its position moves within 1..count and its
    // game is answered; without one, currentGame moves within 1..gameCount.
    int Step(int direction, int currentGame, int gameCount);
    // Moves the list in use to a 1-based position (kept within the list); nothing without a list.
    void MoveTo(int position);
    // The game at the list's position, 0 without a list.
    int CurrentGame() const;
    // The searched position's ply of the current entry, 0 without one.
    int CurrentPly() const;

  private:
    MatchList* CurrentMutable();
    std::array<MatchList, 3> lists_;
};

}  // namespace ravelin::search
