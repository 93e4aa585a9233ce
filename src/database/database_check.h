#pragma once

// "Check Database": every file of the set against the header file's game count, and every index a
// game record or the root table holds against the files it points into, so that no later reader
// meets an offset outside its file or a chain that does not end.

#include <cstdint>
#include <string>
#include <vector>

#include "database/database_format.h"

namespace ravelin::database {

inline constexpr char kDatabaseOk[] = "Database OK. Number of games";
inline constexpr char kPositionFileOutOfSync[] = "Position file is out of sync.";

// Where each game's records lie, found by walking the header and moves files.
struct RecordSpan {
    std::int64_t offset = 0;
    std::int64_t length = 0;
};

// A database read and checked whole, as "Add to Database" extends it.
struct DatabaseImage {
    int gameCount = 0;
    std::string games;
    RootTable root;
    std::int64_t headerSize = 0;
    std::int64_t movesSize = 0;
    std::int64_t positionsSize = 0;
};

struct DatabaseCheck {
    bool ok = false;
    // "Database OK. Number of games: N", or what is wrong.
    std::string message;
    int gameCount = 0;
};

// Walks the header file's records: their spans, or false when they do not fill it exactly.
bool WalkHeaderRecords(std::string_view bytes, std::vector<RecordSpan>& spans);
// Walks the moves file's records up to its 0x0000 word: their spans, and false when a record is
// longer than 400 plies, runs past the end, or the end word is not the file's last word.
bool WalkMovesRecords(std::string_view bytes, std::vector<RecordSpan>& spans);

// The checks in order; image (when given) receives the games file and root table of a sound database.
DatabaseCheck CheckDatabase(const DatabasePaths& paths, DatabaseImage* image = nullptr);

// Whether a game record's chain link for a key may be followed: 0 (the end), or a later record of
// a games file of gameCount records.
bool LinkInRange(std::int32_t link, std::int64_t recordOffset, int gameCount);

}  // namespace ravelin::database
