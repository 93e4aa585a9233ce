#pragma once

// What every search fills: the matching games of one file in file order, with their outcomes,
// the plies of position matches and the win counters.

#include <cstdint>
#include <vector>

namespace ravelin::search {

// Outcome bytes. A one-player search ("*" in Black) also uses the two undecided-by-colour values.
inline constexpr std::uint8_t kOutcomeOther = 0;
inline constexpr std::uint8_t kOutcomeWhiteWon = 1;
inline constexpr std::uint8_t kOutcomeBlackWon = 2;
inline constexpr std::uint8_t kOutcomeUndecidedAsWhite = 3;
inline constexpr std::uint8_t kOutcomeUndecidedAsBlack = 4;

// A counter that the search did not count.
inline constexpr int kNotCounted = -1;

// The kinds of search, as the result and criteria files number them.
enum SearchKind : int { kVariationSearch = 1, kPositionSearch = 2, kHeaderSearch = 3 };

// Combination values. A variation search combines only with a position search (2); a header
// search with the variation (1), the position (2) or both (3).
inline constexpr int kAlone = 0;
inline constexpr int kWithVariation = 1;
inline constexpr int kWithPosition = 2;
inline constexpr int kWithBoth = 3;

struct SearchMatch {
    int game = 0;  // 1-based
    std::uint8_t outcome = kOutcomeOther;
    int ply = 0;  // the first matching position of a position search, else 0
};

struct SearchResult {
    std::vector<SearchMatch> matches;
    int whiteWins = 0;
    int blackWins = 0;
    // The header search's extra counters (the player's undecided games by colour, or the pairing's
    // undecided games in counter3); kNotCounted after a move search.
    int counter3 = kNotCounted;
    int counter4 = kNotCounted;
    // Plies of the variation that matched (the whole variation, or the shortened one).
    int pliesMatched = 0;

    int Count() const { return static_cast<int>(matches.size()); }
    // Empty result, zero win counters, extra counters as given.
    void Clear(int extraCounters = kNotCounted);
    // Appends a match and counts a White or Black win by its outcome byte.
    void Add(int game, std::uint8_t outcome, int ply = 0);
    // Counters recounted from the outcome bytes: 1 and 2 to the wins, 3 and 4 to the extra
    // counters when they are counted; a pairing (counter3 counted, counter4 not) counts its
    // undecided games, outcome 0, in counter3.
    void Recount();
};

// Combination: keeps the matches of result whose game is also in other, in result's order, each
// taking other's ply; the counters are recounted. Both lists are in ascending game order.
void KeepMatchesAlsoIn(SearchResult& result, const SearchResult& other);

}  // namespace ravelin::search
