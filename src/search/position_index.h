#pragma once

// An in-memory form of one fast file for repeated position searches: every record's move words,
// and per game what bounds the plies at which a position can stand there: the ply at which each
// pawn left its starting square (a pawn never comes back to it), the changes of material ply by
// ply, and the squares each kind of piece ever stood on. A search tests only the plies these leave
// open and replays the game's words up to the last of them; it finds exactly what a replay of
// every record finds.

#include <array>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "search/fast_move.h"
#include "search/position_criteria.h"
#include "search/search_result.h"
#include "search/search_source.h"

namespace ravelin::search {

class PositionSearchIndex {
  public:
    // Reads X.TRF and replays every record once. Null when the file cannot be read or there is
    // no memory for the index. The records are those a reader walks up to the end word (or up to
    // the first malformed record).
    static std::unique_ptr<PositionSearchIndex> Build(const std::string& movePath);

    int GameCount() const { return static_cast<int>(games_.size()); }
    std::size_t MemoryBytes() const;

    // Adds the matches among the first games records (fewer when the index has fewer) to result.
    // Polls file.Cancelled() between games.
    void Search(const PositionQuery& query, int games, const SearchFile& file, SearchResult& result) const;

  private:
    // The two starting pawns' squares of each file: index file - 1 for white, 8 + file - 1 for black.
    static constexpr int kHomeSquares = 16;
    // Piece codes 1-6 and 11-16 as 0..11.
    static constexpr int kCodeSlots = 12;

    struct Game {
        std::uint32_t firstMove = 0;
        std::uint32_t firstChange = 0;
        std::uint16_t plies = 0;
        std::uint16_t changeCount = 0;
        std::uint8_t outcome = kOutcomeOther;
        // A starting pawn square held its pawn again after losing it (only a malformed record can
        // do that): the leave plies say nothing about this game.
        bool pawnReturned = false;
    };
    // A change of material at a ply: bits 0-8 the ply, 9-12 the code slot, 13 set for a piece
    // more (a promotion), clear for one fewer.
    using MaterialChange = std::uint16_t;

    struct SearchPlan;
    friend struct SearchPlan;

    // Fills the leave plies, material changes and squares seen of a game whose moves are read.
    void Describe(std::size_t game);
    bool SearchGame(const SearchPlan& plan, std::size_t game, int& hitPly) const;

    std::vector<FastMove> moves_;
    std::vector<Game> games_;
    std::vector<std::array<std::uint16_t, kHomeSquares>> leavePlies_;
    std::vector<std::array<std::uint64_t, kCodeSlots>> squaresSeen_;
    std::vector<MaterialChange> changes_;
};

// The index of the fast file at movePath, built on first use and kept while the file stays the same
// (its path, size, modification time and inode); a changed file is indexed again. With
// buildWhenMissing false only an index already kept is returned. Shared by the threads that search.
std::shared_ptr<const PositionSearchIndex> PositionIndexFor(const std::string& movePath,
                                                            bool buildWhenMissing);

// Forgets every kept index (tests; a file the program rewrote is noticed by its time stamp anyway).
void ForgetPositionIndexes();

}  // namespace ravelin::search
