#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "eco/eco_messages.h"

namespace ravelin::eco {

// The number of entries of the table as shipped. The sort file is rebuilt only for a table of
// exactly this size, and the entries below it are the base table the editor may not change.
// tools/ecogen refuses to write a table of another size, and a test keeps it equal to the shipped
// files, so the three cannot drift apart.
inline constexpr int kShippedEcoEntries = 3807;

// An entry holds at most this many moves per side; the game's working lists have as many slots.
inline constexpr int kMaxEcoMovesPerSide = 30;
inline constexpr int kMaxEcoPlies = 2 * kMaxEcoMovesPerSide;

// "No entry". Entry 0 is a real line.
inline constexpr int kNoEcoEntry = -1;

// Fixed names of the table files in the working directory.
inline constexpr char kEcoCodesFile[] = "ravelin.eco";
inline constexpr char kEcoNamesFile[] = "ravelin.ecn";
inline constexpr char kEcoMovesFile[] = "ravelin.ecm";
inline constexpr char kEcoSortFile[] = "ravelin.ecs";
// Names the files of a table write under way, so that a crash halfway is finished by the next reader.
inline constexpr char kEcoJournalFile[] = "ravelin.ecj";

// The four table files of a directory, the codes file last.
std::vector<std::string> EcoTablePaths(const std::string& directory);
// Finishes (or drops) a table write that a crash cut short; readers call it first.
void FinishEcoTableWrite(const std::string& directory);

// One record of the codes file: three characters and CR LF.
inline constexpr int kEcoCodeRecordSize = 5;
inline constexpr int kEcoCodeLength = 3;
// One number of the sort file: 32-bit little-endian.
inline constexpr int kEcoSortRecordSize = 4;

// A SAN move packed into eight bytes (at most seven characters, the rest zero) so that a
// comparison is one integer compare. An empty move packs to 0.
using PackedMove = std::uint64_t;
// A stored move longer than seven characters can never equal a move of a game.
inline constexpr PackedMove kUnmatchableMove = ~PackedMove{0};

PackedMove PackMove(std::string_view san);

// An entry's moves split once at load time, as the entry test splits them: where its white and
// black moves start in the slot arrays and how many the line holds per side (the counts may exceed
// kMaxEcoMovesPerSide; only that many slots are kept).
struct EcoEntryMoves {
    std::uint32_t first = 0;
    int whiteCount = 0;
    int blackCount = 0;
};

// The loaded ECO table. Line i of the names and moves files and record i of the codes file make
// entry i. The text buffers hold the files as read with each line's CR replaced by NUL, so every
// line is a NUL-terminated string inside the buffer.
struct EcoTable {
    bool loaded = false;
    int count = 0;
    std::vector<char> codes;
    std::vector<char> names;
    std::vector<char> moves;
    std::vector<std::uint32_t> nameOffsets;
    std::vector<std::uint32_t> movesOffsets;
    std::vector<int> plies;
    std::vector<int> byName;
    std::vector<int> byMoves;
    std::vector<int> ecoOrder;  // the "Sort by ECO" order of the sort file
    // Rows the wrapped Select Opening list needs beyond one per entry.
    int extraRows = 0;

    // Split moves: per entry, kMaxEcoMovesPerSide white slots then as many black slots, as stored
    // (exact rule) and with a trailing "+" removed (transposition rule).
    std::vector<EcoEntryMoves> split;
    std::vector<PackedMove> exactSlots;
    std::vector<PackedMove> bareSlots;
};

// Entry i's code (three characters), name and moves line. The entry must exist.
std::string_view EcoCode(const EcoTable& table, int entry);
std::string_view EcoName(const EcoTable& table, int entry);
std::string_view EcoMoves(const EcoTable& table, int entry);

// Reads the four table files of the directory. On success the table is replaced; on any failure
// "ECO table corruption." goes to the sink and the table stays as it was. A missing sort file is
// rebuilt (identity order, written to disk) only when the table has kShippedEcoEntries entries.
// A file that does not hold N complete CR LF lines, or a sort file that is short or not a
// permutation of 0..N-1, is corruption too.
bool LoadEcoTable(EcoTable& table, const std::string& directory, const EcoMessageSink& messages);

// Releases every buffer; the next load starts afresh.
void FreeEcoTable(EcoTable& table);

// Compares the table files on disk with the loaded table and reports the first inconsistency as
// an error, or "The ECO table is OK and has N entries." as information. True when it is OK.
bool CheckEcoTable(const EcoTable& table, const std::string& directory, const EcoMessageSink& messages);

// Copies the four shipped table files into the working directory when it has no codes file (the
// table is then unusable anyway; a table with its codes file is the user's and is left alone).
// Returns "" on success or when there was nothing to do, else the reason.
std::string InstallEcoTable(const std::string& shippedDirectory, const std::string& workingDirectory);

}  // namespace ravelin::eco
