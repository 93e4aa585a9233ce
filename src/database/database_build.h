#pragma once

// Building a database from the fast file of a PGN file: "Start New Database" makes the whole set,
// "Add to Database" appends the file's games to a database that passes the check. Everything is
// made in memory first; a new database replaces the files only when it is complete, and an add
// that fails cuts every file back to its old size and puts the old links back.

#include <functional>
#include <string>

#include "database/database_format.h"

namespace ravelin::database {

enum class BuildMode { kNew, kAdd };

enum class BuildStatus {
    kComplete,
    kNoFastFile,     // X.TRF or X.TRH is missing
    kStaleFastFile,  // its count or records do not fit the PGN file
    kFailed,         // message says why; the database is as it was (add) or not written (new)
};

struct BuildOutcome {
    BuildStatus status = BuildStatus::kFailed;
    std::string message;
    int gamesAdded = 0;
    int gameCount = 0;  // in the database afterwards
};

struct BuildHooks {
    // Every 1,000 games: games done, games of the batch.
    std::function<void(int done, int total)> progress;
};

inline constexpr char kStaleFastFileQuestion[] = "You need to make a 'fast' file again. Do it now?";
inline constexpr char kNoFastFileQuestion[] = "You must make a 'fast' file first. Do it now?";

inline constexpr char kDatabaseRemakeComplete[] = "Database remake complete.";

// Makes the games, root and position files again from the header and moves files, which must hold
// the same number of records as the header file's count (a repair after "Root error.").
BuildOutcome RemakeDatabase(const std::string& gamesPath);

// pgnPath names the PGN file whose fast file is read; gameCount is its number of games.
BuildOutcome BuildDatabase(const std::string& gamesPath, BuildMode mode, const std::string& pgnPath,
                           int gameCount, const BuildHooks& hooks = {});

}  // namespace ravelin::database
