#pragma once

// The criteria files (.ser): a variation, a position or the header criteria (with the variation
// and the position it was combined with) saved whole and loaded back. The same sections make up
// the criteria part of the directory search's result file.

#include <string>
#include <string_view>

#include "search/record_bytes.h"
#include "search/search_criteria.h"

namespace ravelin::search {

inline constexpr char kErrorOpeningCriteriaFile[] = "Error opening file.";

// The sizes of the sections.
inline constexpr std::size_t kVariationSectionSize =
    2 * static_cast<std::size_t>(chess::kMaxMovesPerSide) * chess::kSanTextSize;                    // 3,200
inline constexpr std::size_t kPositionSectionSize = 2 * kPositionListEntries * kPositionEntrySize;  // 640

// The sections, as the criteria file and the result file store them. The readers fail on a
// section cut short or an entry without its NUL and leave the target partly filled: callers read
// into a copy.
void AppendVariation(ByteWriter& out, const SearchVariation& variation);
bool ReadVariation(ByteReader& in, SearchVariation& variation);
void AppendPositionLists(ByteWriter& out, const SearchPosition& position);
bool ReadPositionLists(ByteReader& in, SearchPosition& position);
// The first count header fields (Event, Site, ...), 80 bytes each.
void AppendHeaderFields(ByteWriter& out, const HeaderCriteria& header, int count);
bool ReadHeaderFields(ByteReader& in, HeaderCriteria& header, int count);

// What a header criteria file holds besides the header fields, by its second word.
bool CombinationHasVariation(int combination);
bool CombinationHasPosition(int combination);

// The whole file of a kind (kVariationSearch, kPositionSearch, kHeaderSearch); combination is the
// header file's second word and ignored for the other kinds.
std::string EncodeCriteriaFile(int kind, int combination, const SearchCriteria& criteria);

// The command that loads: Load Variation, Load Position, Load Header, and Load Combination, which
// takes every part of any criteria file.
enum class CriteriaLoadCommand { kVariation, kPosition, kHeader, kCombination };

struct CriteriaLoadResult {
    bool ok = false;
    std::string message;  // the failure's message
    int kind = 0;
    int combination = 0;  // the second word
    bool variationLoaded = false;
    bool positionLoaded = false;
    bool headerLoaded = false;
};

// Decodes a file as the command accepts it, replacing the parts it holds in criteria. On failure
// criteria stays as it was.
CriteriaLoadResult DecodeCriteriaFile(std::string_view bytes, CriteriaLoadCommand command,
                                      SearchCriteria& criteria);

// Reads a whole search file of at most maxSize bytes.
enum class SearchFileRead { kOk, kCannotOpen, kTooLarge };
SearchFileRead ReadWholeSearchFile(const std::string& path, std::size_t maxSize, std::string& bytes);

CriteriaLoadResult LoadCriteriaFile(const std::string& path, CriteriaLoadCommand command,
                                    SearchCriteria& criteria);
// Empty when written, otherwise the message to show.
std::string SaveCriteriaFile(const std::string& path, int kind, int combination,
                             const SearchCriteria& criteria);

}  // namespace ravelin::search
