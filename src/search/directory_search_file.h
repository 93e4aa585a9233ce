#pragma once

// The directory search's result file (searchqq.xyz in the working directory, and the .dir copies
// the user saves): the searched directory, the kind and combination of the search, its criteria,
// then one record per file with matches, and an empty name at the end.

#include <cstdint>
#include <cstdio>
#include <string>
#include <string_view>
#include <vector>

#include "search/search_criteria.h"
#include "search/search_result.h"

namespace ravelin::search {

inline constexpr char kResultFileName[] = "searchqq.xyz";
inline constexpr char kErrorCreatingSearchFile[] = "Error creating search file.";

// The directory is stored NUL-terminated in 200 bytes, a file's name in 56.
inline constexpr std::size_t kDirectoryFieldSize = 200;
inline constexpr std::size_t kRecordNameSize = 56;
inline constexpr std::size_t kEndMarkerSize = 8;

// The flags word: what each record holds, and the plies of the variation that matched.
inline constexpr std::uint32_t kFlagWinCounts = 1u << 31;
inline constexpr std::uint32_t kFlagPliesMatched = 1u << 30;
inline constexpr std::uint32_t kFlagExtraCounters = 1u << 29;
inline constexpr std::uint32_t kFlagEloFields = 1u << 28;
inline constexpr std::uint32_t kAllResultFlags = 0xF0000000u;
inline constexpr std::uint32_t kPliesMask = 0x0FFFFFFFu;
// Header fields before the two Elo fields.
inline constexpr int kHeaderFieldsBeforeElo = 9;

struct ResultFileHeader {
    std::string directory;
    int kind = kVariationSearch;
    int combination = kAlone;
    std::uint32_t flags = kAllResultFlags;
    int pliesMatched = 0;
    SearchCriteria criteria;
};

struct ResultFileRecord {
    std::string name;  // the file's name without ".pgn"
    // Counters; kNotCounted when the file's flags say the record does not hold them.
    int whiteWins = kNotCounted;
    int blackWins = kNotCounted;
    int pliesMatched = kNotCounted;
    int counter3 = kNotCounted;
    int counter4 = kNotCounted;
    bool hasWinCounts = false;
    std::vector<int> games;  // 1-based
    std::vector<int> plies;  // empty when the search has no plies
    int Count() const { return static_cast<int>(games.size()); }
};

struct ResultFile {
    ResultFileHeader header;
    std::vector<ResultFileRecord> records;
};

// Whether the records of a search carry the ply of each game.
bool ResultHasPlies(int kind, int combination);
// The header fields a result file stores: nine, or eleven with kFlagEloFields.
int HeaderFieldCount(std::uint32_t flags);
// Whether the directory fits its field.
bool DirectoryFitsResultFile(std::string_view directory);

// The file's parts. The header is written with every flag set.
std::string EncodeResultHeader(const ResultFileHeader& header);
// A file's record, from its search result.
ResultFileRecord RecordOfResult(std::string_view name, const SearchResult& result,
                                const ResultFileHeader& header);
std::string EncodeResultRecord(const ResultFileHeader& header, const ResultFileRecord& record);
std::string EncodeResultEnd();

// Reads a whole result file, checking every field against its width and the bytes left. False
// for a corrupt or cut-off file.
bool DecodeResultFile(std::string_view bytes, ResultFile& file);

enum class ResultFileLoad { kOk, kMissing, kInvalid };
ResultFileLoad LoadResultFile(const std::string& path, ResultFile& file);

// Writes the result file while the search goes on: the header when the first file matched, a
// record per file, the end marker at the end. A file that fails a write is removed.
class ResultFileWriter {
  public:
    ResultFileWriter() = default;
    ~ResultFileWriter();
    ResultFileWriter(const ResultFileWriter&) = delete;
    ResultFileWriter& operator=(const ResultFileWriter&) = delete;

    bool Create(const std::string& path, const ResultFileHeader& header);
    bool IsCreated() const { return file_ != nullptr; }
    bool Append(const ResultFileRecord& record);
    // Writes the end marker and closes the file.
    bool Finish();

  private:
    bool Write(const std::string& bytes);
    void Abandon();

    std::FILE* file_ = nullptr;
    std::string path_;
    ResultFileHeader header_;
};

// Copies a file in blocks of 256 bytes (Save and Load Dir Search). Empty when copied, otherwise
// the message: cannotOpenSource when the source does not open, cannotCreateTarget when the
// target cannot be made or written.
std::string CopyResultFile(const std::string& source, const std::string& target,
                           std::string_view cannotOpenSource, std::string_view cannotCreateTarget);

}  // namespace ravelin::search
