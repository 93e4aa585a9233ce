#pragma once

// An in-memory form of one fast file for repeated position searches: every record's move words,
// and per game what bounds the plies at which a position can stand there: the ply at which each
// pawn left its starting square (a pawn never comes back to it), the changes of material ply by
// ply, and the squares each kind of piece ever stood on. A search tests only the plies these leave
// open and replays the game's words up to the last of them; it finds exactly what a replay of
// every record finds.
//
// The index is kept beside the fast file (X.TRP) and mapped from there by later runs of the
// program. It refers to the move words of X.TRF by their place in that file, and is used only when
// it was made from the very X.TRF that lies there now (its size, modification time, and the bytes
// of its head and tail); any other is made again.

#include <array>
#include <cstdint>
#include <functional>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "search/fast_move.h"
#include "search/mapped_file.h"
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
    ~PositionSearchIndex();
    PositionSearchIndex(const PositionSearchIndex&) = delete;
    PositionSearchIndex& operator=(const PositionSearchIndex&) = delete;
    // Maps the index kept in indexPath and the move file it was made from. Null when there is no
    // such file, or it was not made from the move file as it stands, or it is malformed.
    static std::unique_ptr<PositionSearchIndex> Load(const std::string& movePath,
                                                     const std::string& indexPath);
    // Writes the index to indexPath through the safe rewrite; false when it could not be written.
    bool Save(const std::string& indexPath) const;

    int GameCount() const { return static_cast<int>(games_.size()); }
    std::size_t MemoryBytes() const;

    // Adds the matches among the first games records (fewer when the index has fewer) to result.
    // Polls file.Cancelled() between games.
    void Search(const PositionQuery& query, int games, const SearchFile& file, SearchResult& result) const;
    // The same for games first..last-1 (0-based) alone, so that runs of games can be searched at
    // once; false when a cancel request cut the run short.
    bool SearchRange(const PositionQuery& query, int first, int last, const std::function<bool()>& cancelled,
                     SearchResult& result) const;

    // A game's move words as X.TRF holds them (little-endian byte pairs), and the outcome its
    // result word gives.
    const std::uint8_t* RecordWords(int game, int& plies) const;
    std::uint8_t Outcome(int game) const { return games_[static_cast<std::size_t>(game)].outcome; }
    // Whether the end word follows the last record, as in a fast file a reader walks to its end.
    bool EndWordFollows() const;

  private:
    // The two starting pawns' squares of each file: index file - 1 for white, 8 + file - 1 for black.
    static constexpr int kHomeSquares = 16;
    // Piece codes 1-6 and 11-16 as 0..11.
    static constexpr int kCodeSlots = 12;

    // Stored as it stands in X.TRP: no padding, every byte written.
    struct Game {
        // The word of X.TRF at which the game's record starts.
        std::uint32_t firstMove = 0;
        std::uint32_t firstChange = 0;
        std::uint16_t plies = 0;
        std::uint16_t changeCount = 0;
        std::uint8_t outcome = kOutcomeOther;
        // A starting pawn square held its pawn again after losing it (only a malformed record can
        // do that): the leave plies say nothing about this game.
        std::uint8_t pawnReturned = 0;
        std::uint16_t unused = 0;
    };
    using LeavePlies = std::array<std::uint16_t, kHomeSquares>;
    using SquaresSeen = std::array<std::uint64_t, kCodeSlots>;
    // A change of material at a ply: bits 0-8 the ply, 9-12 the code slot, 13 set for a piece
    // more (a promotion), clear for one fewer.
    using MaterialChange = std::uint16_t;

    struct SearchPlan;
    friend struct SearchPlan;
    struct Built;
    struct FileLayout;

    bool SearchGame(const SearchPlan& plan, std::size_t game, int& hitPly) const;
    // Whether the tables describe records that lie one after the other inside the move words.
    bool WellFormed() const;

    // Views of the tables, into built vectors or into the mapped files.
    std::span<const FastMove> moves_;
    std::span<const Game> games_;
    std::span<const LeavePlies> leavePlies_;
    std::span<const SquaresSeen> squaresSeen_;
    std::span<const MaterialChange> changes_;
    // What the views point into.
    std::unique_ptr<Built> built_;
    MappedFile mappedMoves_;
    MappedFile mappedIndex_;

    // The move file the index was made from, when known (only such an index is saved).
    struct MoveFileStamp {
        std::uint64_t size = 0;
        std::int64_t seconds = 0;
        std::int64_t nanoseconds = 0;
        std::uint64_t sample = 0;
    };
    MoveFileStamp source_;
    bool sourceKnown_ = false;

    PositionSearchIndex();
};

// The index of the fast file at movePath, kept in memory while the file stays the same (its path,
// size, modification time and inode); a changed file is indexed again. Not kept yet, it is mapped
// from X.TRP when that was made from this move file, else built and X.TRP written. With
// buildWhenMissing false none is built. Shared by the threads that search.
std::shared_ptr<const PositionSearchIndex> PositionIndexFor(const std::string& movePath,
                                                            bool buildWhenMissing);

// The index kept for movePath, else the one saved in X.TRP mapped for the caller alone, without
// keeping it: a directory search passes over many files and would push out the index of the file
// the window has open. Null when neither is there; none is built.
std::shared_ptr<const PositionSearchIndex> SavedPositionIndex(const std::string& movePath);

// Builds the index of the fast file at movePath and writes X.TRP; false when it could not.
bool WritePositionIndexFile(const std::string& movePath);

// Forgets every kept index (tests; a file the program rewrote is noticed by its time stamp anyway).
void ForgetPositionIndexes();

}  // namespace ravelin::search
