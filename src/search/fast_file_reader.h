#pragma once

// Reading the fast file: the freshness test of X.TRH, the record walk over X.TRF, and the check of
// "Check Fast File". Every reader treats a file it cannot walk to its end word as stale.

#include <array>
#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "chess/chess_messages.h"
#include "gamefile/game_index.h"
#include "search/fast_move.h"

namespace ravelin::search {

inline constexpr char kRunMakeFastFileAgain[] = "Warning: You need to run 'Make Fast File' again.";
inline constexpr char kFastFileOk[] = "Fast file OK";
inline constexpr char kFastFileMissing[] = "Fast file does not exist.";
inline constexpr char kFastFileNotEnoughMemory[] = "Not enough memory.";
inline constexpr char kFastHeaderNoMemory[] = "Error getting memory.";

// A record holds at most 200 moves a side; a longer one means the file is not a fast file of ours.
inline constexpr int kMaxFastRecordMoves = 400;

// Reads up to size bytes from the descriptor's position, going on after interrupted reads; the
// count read (short only at the end of the file or on an error).
std::size_t ReadFully(int fd, void* data, std::size_t size);

// 0 when the open X.TRH (fd, closed here) was made for a file of gameCount games and its records
// fill it exactly; 1 when it is stale or malformed.
int FastHeaderIsCurrent(int fd, int gameCount, const chess::MessageSink& messages = {});

// Walks X.TRF record by record through the buffering the readers share: the whole file when it is
// small enough, else a refilled window of the largest size that can be had.
class FastMoveReader {
  public:
    enum class Step {
        kRecord,  // moves and resultWord hold the next game's record
        kEnd,     // the 0x0000 end word
        kStale,   // the file does not hold well-formed records up to its end word
    };

    // Opens the file; false when it does not exist. noMemory tells a failed buffer allocation.
    bool Open(const std::string& path);
    // The fixed window of the position search (300,000 bytes), instead of the whole-file buffer.
    bool OpenWithWindow(const std::string& path, std::size_t windowBytes);
    bool noMemory = false;
    // Records beyond this many belong to no game of the open file: one more makes the walk stale,
    // so no reader ever takes a record for a game that does not exist.
    int gameLimit = gamefile::kMaxGames;

    Step Next(std::vector<FastMove>& moves, FastMove& resultWord);
    // The same walk without copying: words points at the record's move words (little-endian byte
    // pairs) in the reader's buffer, or in a scratch copy for a record that a refill splits; it
    // stays valid until the next call. The searches that scan every record use it.
    Step NextInPlace(const std::uint8_t*& words, int& count, FastMove& resultWord);
    // Records read so far.
    int RecordsRead() const { return records_; }

  private:
    bool Allocate(std::size_t bytes);
    bool ReadWord(FastMove& word);
    bool Refill();

    struct FileCloser {
        void operator()(int* fd) const;
    };
    std::unique_ptr<int, FileCloser> fd_;
    std::uint64_t fileSize_ = 0;
    std::unique_ptr<std::uint8_t[]> buffer_;
    std::size_t capacity_ = 0;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
    int records_ = 0;
    bool oddSize_ = false;
    std::array<std::uint8_t, 2 * kMaxFastRecordMoves> spill_{};
};

enum class FastFileCheck {
    kOk,
    kStale,
    kMissing,
    kNoMemory,
};

// "Check Fast File" without its messages: the header test when X.TRH exists, then the record
// count of X.TRF against the game count.
FastFileCheck CheckFastFile(const std::string& pgnPath, int gameCount,
                            const chess::MessageSink& messages = {});

// Whether a reader may use the fast file of this PGN file: both files present and current.
bool FastFileIsCurrent(const std::string& pgnPath, int gameCount);

// The test every reader of the fast file runs first: true when it is current; when a fast file
// exists but is stale, "Warning: You need to run 'Make Fast File' again." is sent to messages and
// the reader falls back to the PGN file. A missing fast file is no warning.
bool UseFastFileOrWarn(const std::string& pgnPath, int gameCount, const chess::MessageSink& messages);

}  // namespace ravelin::search
