#pragma once

// An open database: its games file and root table in memory, its header, moves and position files
// read record by record, every offset checked against the file it points into before it is used.

#include <cstdint>
#include <memory>
#include <string>
#include <vector>

#include "database/database_format.h"
#include "database/database_io.h"
#include "search/fast_move.h"

namespace ravelin::database {

class Database {
  public:
    Database() = default;
    ~Database();
    Database(const Database&) = delete;
    Database& operator=(const Database&) = delete;

    // nullptr when the database opened; else the message ("File open error.", "Root error." ...).
    const char* Open(const std::string& gamesPath);
    void Close();
    bool IsOpen() const { return open_; }

    const DatabasePaths& Paths() const { return paths_; }
    int GameCount() const { return count_; }
    const RootTable& Root() const { return root_; }
    // The record of game index (0-based); false for a record that cannot be ours.
    bool Record(int index, GameRecord& record) const;
    const std::uint8_t* RecordBytes(int index) const {
        return reinterpret_cast<const std::uint8_t*>(games_.data()) +
               static_cast<std::size_t>(index) * kGameRecordSize;
    }
    // The game's header record, split into values that point into bytes.
    bool Header(const GameRecord& record, std::string& bytes, HeaderValues& values) const;
    // The game's moves record (move words and the result word); false when its offset or length
    // does not lie inside the moves file or it is no record.
    bool Moves(const GameRecord& record, std::string& bytes) const;
    // The game's position record, at the same place in the position file.
    bool Positions(const GameRecord& record, std::string& bytes) const;
    // The moves or position record of a game in place: nullptr when offset and length do not
    // describe a record inside the file.
    const std::uint8_t* MovesAt(std::int64_t offset, std::size_t length) const;
    const std::uint8_t* PositionsAt(std::int64_t offset, std::size_t length) const;

  private:
    bool ReadSpan(int fd, std::int64_t fileSize, std::int64_t offset, std::size_t length,
                  std::string& bytes) const;

    bool open_ = false;
    DatabasePaths paths_;
    int count_ = 0;
    std::string games_;
    RootTable root_;
    int headerFd_ = -1;
    MappedFile moves_;
    MappedFile positions_;
    std::int64_t headerSize_ = 0;
};

// The moves of a game as SAN texts, replayed from the start position; a word that is no legal
// move ends the list.
std::vector<std::string> SanMovesOf(const std::string& movesRecord);

// The game as PGN text with CR LF line ends: the nine tag lines, ECO when there is one, an empty
// line, the moves in lines of about 72 characters and the result.
std::string GamePgnText(const HeaderValues& values, const std::vector<std::string>& sanMoves);

// Game index (0-based) as PGN text; false when its records cannot be read.
bool ReadGameText(const Database& database, int index, std::string& text);

}  // namespace ravelin::database
