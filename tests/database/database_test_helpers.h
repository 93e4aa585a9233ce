#pragma once

// Shared by the database tests: databases built from copies of real PGN files.

#include <string>
#include <vector>

#include "database/database_build.h"
#include "database/database_format.h"
#include "gamefile/game_index.h"
#include "search/fast_file_writer.h"
#include "temp_dir.h"

namespace ravelin::database::testing_support {

using ravelin::testing::ReadWholeFile;
using ravelin::testing::TempDir;
using ravelin::testing::TestDataPath;

// A copy of tests/data/pgn/<name> in dir with its fast file; the game count.
inline int CopyWithFastFile(const TempDir& dir, const std::string& name, std::string& path) {
    path = dir.Write(name, ReadWholeFile(TestDataPath("pgn/" + name)));
    gamefile::GameIndex index;
    gamefile::IndexGameFileAt(path, index);
    search::FastFileJob job;
    job.pgnPath = path;
    job.offsets = index.offsets;
    search::WriteFastFile(job, {});
    return index.Count();
}

// Builds (new) or extends (add) the database in dir from a copied test file.
inline BuildOutcome BuildFrom(const TempDir& dir, const std::string& dbName, BuildMode mode,
                              const std::string& pgn) {
    std::string path;
    const int count = CopyWithFastFile(dir, pgn, path);
    return BuildDatabase(dir.File(dbName), mode, path, count);
}

// Every file of the set, for comparing a database before and after.
inline std::vector<std::string> FilesOf(const DatabasePaths& paths) {
    return {ReadWholeFile(paths.games), ReadWholeFile(paths.header), ReadWholeFile(paths.moves),
            ReadWholeFile(paths.positions), ReadWholeFile(paths.root)};
}

}  // namespace ravelin::database::testing_support
