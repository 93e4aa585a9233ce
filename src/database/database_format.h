#pragma once

// The files of a game database and their fixed records. A database is named by its games file
// (".dbg"); the header, moves, position, root and result files replace the last three characters.

#include <array>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin::database {

inline constexpr std::size_t kGameRecordSize = 64;
inline constexpr std::size_t kKeyNameField = 16;
inline constexpr std::size_t kMaxKeyNameLetters = 15;
// Four letters a-z: 26^4 name keys.
inline constexpr int kKeyCount = 26 * 26 * 26 * 26;
inline constexpr std::size_t kRootEntrySize = 8;
// 400 plies of moves and the result word.
inline constexpr std::size_t kMaxMovesRecordBytes = 802;
inline constexpr std::size_t kHeaderCountSize = 4;
// The moves file ends with one 0x0000 word.
inline constexpr std::size_t kMovesEndWordSize = 2;

inline constexpr char kFileOpenError[] = "File open error.";
inline constexpr char kFileReadError[] = "File read error.";
inline constexpr char kFileWriteError[] = "File write error.";
inline constexpr char kMemoryError[] = "Memory allocation error.";
inline constexpr char kRootError[] = "Root error.";
inline constexpr char kDatabaseComplete[] = "Database complete.";
inline constexpr char kNotADatabaseName[] = "A database file name must end in .dbg.";

struct DatabasePaths {
    std::string games;
    std::string header;
    std::string moves;
    std::string positions;
    std::string root;
    std::string results;
    // The database's opening tree: endings of their own, so that the trees of a PGN file x.pgn
    // and of a database x.dbg beside it never overwrite each other.
    std::string tree;
    std::string exactTree;
    std::string treeLine;  // the line last walked in either tree
    // Left only by a write that a crash interrupted: the next reader finishes or undoes it.
    std::string setJournal;   // a new or remade set replacing the old one
    std::string undoJournal;  // an add in place, with what undoes it
};

// True when the name ends in ".dbg" (any case): only such a file is ever made or emptied as a
// database, so that no PGN file or other file can be taken for one.
bool HasDatabaseExtension(std::string_view path);
DatabasePaths PathsOf(const std::string& gamesPath);

// One 64-byte game record of the games file.
struct GameRecord {
    std::int32_t whiteKey = 0;
    std::int32_t blackKey = 0;
    std::int32_t whiteLink = 0;  // next record of this White's key; 0 at the end
    std::int32_t blackLink = 0;  // next record of this Black's key
    std::int32_t headerOffset = 0;
    std::int32_t movesOffset = 0;
    std::uint16_t headerLength = 0;
    std::uint16_t movesLength = 0;  // plies * 2 + 2
    std::uint16_t year = 0;
    std::uint16_t resultEco = 0;
    std::string whiteName;  // key names, at most 15 letters
    std::string blackName;
};

void EncodeGameRecord(const GameRecord& record, std::uint8_t* out);
// False when a field cannot belong to a record of ours: a key outside the table, a key name longer
// than its field or holding other than a-z.
bool DecodeGameRecord(const std::uint8_t* in, GameRecord& record);

// The chain fields alone (keys and links), as the build patches them.
inline constexpr std::size_t kLinkFieldsSize = 16;

// Result bits of the result-and-ECO word.
inline constexpr std::uint16_t kResultShift = 12;
inline constexpr std::uint16_t kResultWhiteWins = 3;
inline constexpr std::uint16_t kResultBlackWins = 1;
inline constexpr std::uint16_t kResultDraw = 2;
std::uint16_t ResultBitsOf(std::string_view result);
// The ECO bits of a code A00-E99 (letter 1-5, tens, units); 0 for anything else.
std::uint16_t EcoBitsOf(std::string_view eco);
// The number of the first four characters of Date when all four are digits, else 0 ("19??",
// "????", an empty date).
std::uint16_t YearOf(std::string_view date);

struct RootEntry {
    std::int32_t first = -1;
    std::int32_t last = -1;
};
using RootTable = std::vector<RootEntry>;

RootTable EmptyRootTable();
std::string EncodeRootTable(const RootTable& root);
// False when the size is not the table's or an entry is not empty and not a record offset inside a
// games file of gameCount records.
bool DecodeRootTable(std::string_view bytes, int gameCount, RootTable& root);

// A header record: the ten values in the fast file's order.
enum HeaderValue { kWhite, kBlack, kResult, kDate, kEco, kWhiteElo, kBlackElo, kRound, kEvent, kSite };
inline constexpr int kHeaderValues = 10;
using HeaderValues = std::array<std::string_view, kHeaderValues>;
// Splits one record at the start of bytes; the bytes it takes, or 0 when the values run past the end.
std::size_t SplitHeaderRecord(std::string_view bytes, HeaderValues& values);

// Little-endian helpers over byte buffers.
inline std::uint16_t ReadU16(const std::uint8_t* p) {
    return static_cast<std::uint16_t>(p[0] | (p[1] << 8));
}
inline std::int32_t ReadI32(const std::uint8_t* p) {
    return static_cast<std::int32_t>(
        static_cast<std::uint32_t>(p[0]) | (static_cast<std::uint32_t>(p[1]) << 8) |
        (static_cast<std::uint32_t>(p[2]) << 16) | (static_cast<std::uint32_t>(p[3]) << 24));
}
inline void WriteU16(std::uint8_t* p, std::uint16_t v) {
    p[0] = static_cast<std::uint8_t>(v & 0xFF);
    p[1] = static_cast<std::uint8_t>(v >> 8);
}
inline void WriteI32(std::uint8_t* p, std::int32_t value) {
    const auto v = static_cast<std::uint32_t>(value);
    for (int i = 0; i < 4; ++i) {
        p[i] = static_cast<std::uint8_t>((v >> (8 * i)) & 0xFF);
    }
}

}  // namespace ravelin::database
