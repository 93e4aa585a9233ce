#pragma once

// Making the fast file (X.TRF and X.TRH) of a PGN file, and the tree merge files written by the
// same walk over the games.

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin::search {

inline constexpr char kFastFileComplete[] = "Fast file complete.";
inline constexpr char kMergeFileComplete[] = "Merge file complete.";
inline constexpr char kErrorCreatingFastFile[] = "Error creating fast file.";
inline constexpr char kErrorOpeningMergeFile[] = "Error opening merge file.";
inline constexpr char kErrorMakingFastFile[] = "Error making fast file. Run 'Check File' utility.";
inline constexpr char kFenPositionsWarning[] =
    "Warning: File contained some FEN positions. Fast file may not be correct.";

// What the writer makes.
enum class MergeFileMode : int {
    kFastFile = 0,
    kNewMergeFile = 1,
    kAppendMergeFile = 2,
};

enum class FastFileStatus {
    kComplete,
    kFenWarning,      // complete, but a game started from a FEN position: its moves were replayed wrongly
    kIncomplete,      // fewer records than games
    kCreateError,     // a file could not be created or written
    kMergeOpenError,  // the merge file to append to could not be opened
    kMergeComplete,
};

std::string_view FastFileStatusMessage(FastFileStatus status);

struct FastFileJob {
    std::string pgnPath;
    MergeFileMode mode = MergeFileMode::kFastFile;
    std::string mergePath;  // modes 1 and 2
    // The game index of the PGN file, copied: the writer runs on the worker thread and shares
    // nothing with the window.
    std::vector<std::uint32_t> offsets;
};

struct FastFileHooks {
    // Called at the progress rate with the 1-based game number and the game count.
    std::function<void(int current, int total)> progress;
    // Called after every game: where a cancel request is answered.
    std::function<void()> afterGame;
};

struct FastFileOutcome {
    FastFileStatus status = FastFileStatus::kComplete;
    int gamesWritten = 0;
    bool fenSeen = false;
    // Games found through the index instead of by reading on (the first game counts).
    int repositions = 0;
};

// How often progress is drawn for a file of this many games.
int FastFileProgressInterval(int gameCount);

// Reads every game of the PGN file (through its own descriptor, reader and chess context) and
// writes the records. Mode 0 first deletes X.TRE, X.TRX, X.TRH and X.TRF, then writes the new pair
// under temporary names and renames them into place only when every write succeeded.
FastFileOutcome WriteFastFile(const FastFileJob& job, const FastFileHooks& hooks);

}  // namespace ravelin::search
