#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "gamefile/game_index.h"

namespace ravelin::gamefile {

inline constexpr char kErrorSavingGame[] = "Error saving game.";
inline constexpr char kErrorInsertingGame[] = "Error inserting game.";
inline constexpr char kErrorCreatingFile[] = "Error creating file.";
inline constexpr char kGameChangedOnDisk[] =
    "The game was changed in the file by another program since it was read. Game not saved.";
inline constexpr char kFileIsFull[] =
    "This file already holds 200000 games, the most a file may have. Game not saved.";

// The bytes of a game in its file: from its offset to the next game's offset (so the empty lines
// after it belong to it), or to the end of the file for the last game.
struct GameSpan {
    std::uint64_t begin = 0;
    std::uint64_t end = 0;
};
GameSpan SpanOfGame(const GameIndex& index, int game, std::uint64_t fileSize);

// Changes of a PGN file's games. Each rewrite streams the file through the safe rewrite helper,
// so a failure or a crash leaves the file as it was; every byte outside the changed game is kept.
// The index describes the file as it is on disk; game numbers are 1-based. Each returns nullptr on
// success or the message of the failure (not shown: the caller shows it). After a success the
// companion files that describe the games are gone and the caller re-indexes the file.

// Removes the game, and for the last game the empty line before it when there is one.
const char* DeleteGameFromFile(const std::string& path, const GameIndex& index, int game);

// Puts the text in place of the game. A game that is not the last is followed by an empty line.
const char* ReplaceGameInFile(const std::string& path, const GameIndex& index, int game,
                              std::string_view text);

// The game's bytes exactly as they stand in the file (see SpanOfGame). False when the file cannot
// be read or the game holds more than maxBytes: a game is read whole or not at all.
enum class GameBytesRead { kRead, kTooLong, kFailed };
GameBytesRead ReadGameBytes(const std::string& path, const GameIndex& index, int game, std::size_t maxBytes,
                            std::string& bytes);

// Puts the text in place of the game's bytes exactly as they stand (no line ends added or taken),
// but only when those bytes on disk are still `expected`: another program may have changed the
// file since the game was read, and then nothing is written and kGameChangedOnDisk is returned.
const char* ReplaceGameBytesIfUnchanged(const std::string& path, const GameIndex& index, int game,
                                        std::string_view expected, std::string_view text);

// Puts the games before the game, or appends them when the file has no games.
const char* InsertGamesIntoFile(const std::string& path, const GameIndex& index, int game,
                                const std::vector<std::string>& games);

// Adds the games at the end in place, one empty line after the last game and between them. Their
// offsets are added to the index, and the index cache is brought up to date without a scan.
const char* AppendGamesToFile(const std::string& path, GameIndex& index,
                              const std::vector<std::string>& games);

// Puts the text in place of the last game (appends when there is none).
const char* OverwriteLastGame(const std::string& path, const GameIndex& index, std::string_view text);

// Makes a new file holding only the text. An existing file is replaced (the caller has asked).
const char* WriteNewGameFile(const std::string& path, std::string_view text);

// Deletes the files beside a PGN file that describe its games and no longer fit after a change:
// the opening tree files, the game list and score caches, and the index cache.
void DeleteStaleCompanions(const std::string& path);
// Deletes the fast file pair (X.TRF, X.TRH) and the indexes kept beside it (X.TRP, X.TRQ): after a
// change that keeps the game count they would still be taken for current.
void DeleteFastFileCompanions(const std::string& path);

}  // namespace ravelin::gamefile
