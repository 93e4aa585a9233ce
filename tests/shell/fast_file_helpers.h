#pragma once

// Fast files made and read back by the shell's tests, beside the window's own work.

#include <string>
#include <vector>

#include <gtest/gtest.h>

#include "database/database_check.h"
#include "gamefile/game_index.h"
#include "search/fast_file_writer.h"
#include "temp_dir.h"

namespace ravelin::shell::testing_support {

// Indexes the PGN file and writes its fast file pair beside it.
inline search::FastFileOutcome MakeFastFile(const std::string& pgn) {
    gamefile::GameIndex index;
    gamefile::IndexGameFileAt(pgn, index);
    search::FastFileJob job;
    job.pgnPath = pgn;
    job.offsets = index.offsets;
    return search::WriteFastFile(job, {});
}

// The records of a fast move file or a database's moves file, one string per game.
inline std::vector<std::string> MoveRecordsOf(const std::string& path) {
    const std::string bytes = ravelin::testing::ReadWholeFile(path);
    std::vector<database::RecordSpan> spans;
    EXPECT_TRUE(database::WalkMovesRecords(bytes, spans)) << path;
    std::vector<std::string> records;
    for (const database::RecordSpan& span : spans) {
        records.push_back(
            bytes.substr(static_cast<std::size_t>(span.offset), static_cast<std::size_t>(span.length)));
    }
    return records;
}

}  // namespace ravelin::shell::testing_support
