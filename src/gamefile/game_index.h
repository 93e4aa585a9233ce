#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gamefile/line_reader.h"

namespace ravelin::gamefile {

// The program handles at most this many games of one file; the rest of a bigger file is not reachable.
inline constexpr int kMaxGames = 200000;

inline constexpr char kMaxGamesWarning[] = "Warning: Maximum number %d games exceeded.";
inline constexpr char kErrorFindingGame[] = "Error finding game.";
// A file with text in it but no game: movetext without tag lines is not read as a game.
inline constexpr char kNoGamesFound[] =
    "No games found: every game must begin with tag lines such as [Event \"...\"].";

// The byte offset at which each game of the open file begins (game 1 first).
struct GameIndex {
    GameIndex() { offsets.reserve(kMaxGames); }
    std::vector<std::uint32_t> offsets;
    int Count() const { return static_cast<int>(offsets.size()); }
    // Offset of a 1-based game number; the caller checks the range.
    std::uint32_t Offset(int game) const { return offsets[static_cast<std::size_t>(game - 1)]; }
};

// A file beside the PGN file: the path with its last three characters replaced by the suffix
// ("PGO", "TRF", "TRE"...). Empty when the path is too short or the companion would be the PGN
// file itself (a PGN file named "games.PGO"), so that no caller ever overwrites or deletes it.
std::string CompanionPath(std::string_view pgnPath, std::string_view suffix);

// Scans a file from its start for the offsets at which games begin. The reader must be attached
// and positioned at offset 0; it is left in normal mode. Returns whether the file held any text
// besides blank and "%" lines, which tells a file of movetext without tag lines from an empty one.
bool ScanGameOffsets(LineReader& reader, GameIndex& index);

struct IndexResult {
    int count = 0;
    bool fromCache = false;
    bool countChanged = false;      // differs from the count the cache held before
    bool limitReached = false;      // exactly kMaxGames games: the rest of the file may be cut off
    bool textWithoutGames = false;  // no game, but more than blank lines: say kNoGamesFound
};

// Fills the index for the open file, from the index cache file beside it when that is current,
// well formed, holds games and its offsets still lead to tag lines (a few are looked at), and
// forceRescan is false; else by scanning, and a scan is written to the cache.
// When the count changed, the opening tree files of the same name no longer fit and are deleted.
// The scan moves the descriptor's position: readers of the file seek before they read.
IndexResult IndexGameFile(int fd, const std::string& pgnPath, bool forceRescan, GameIndex& index);

// IndexGameFile on the file at the path, opened read-only for the purpose; an empty index when it
// does not open.
void IndexGameFileAt(const std::string& pgnPath, GameIndex& index);

// Writes the index cache file for a PGN file of this size (after an append, without a scan).
void WriteIndexCache(const std::string& pgnPath, std::int64_t pgnSize, const GameIndex& index);

// Reads of the whole-file scan; large reads keep the number of system calls low.
inline constexpr std::size_t kScanBufferSize = 1 << 20;

// Whether the index cache file exists, is well formed and would be used for the file as it is.
bool IndexIsCurrent(int fd, const std::string& pgnPath);

// The number of games the index cache holds, when IndexGameFile would take the cache as it is
// (without forceRescan); -1 when it would scan. Only the cache's header and the sampled offsets are
// read, so a cache damaged between its samples is not noticed here: for readers that need the
// count alone and read the games from elsewhere (the fast files, which carry their own checks).
int CachedGameCount(int fd, const std::string& pgnPath);

// Counts games from the start of the file with the rules of the scan and returns the offset of
// game n, or -1 when the file ends first or a header is malformed. Used for a game number beyond
// the indexed count.
std::int64_t FindGameByScanning(LineReader& reader, int n);

// Size of an open file, or -1.
std::int64_t FileSize(int fd);

}  // namespace ravelin::gamefile
