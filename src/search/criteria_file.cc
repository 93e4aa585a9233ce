#include "search/criteria_file.h"

#include <fcntl.h>
#include <unistd.h>

#include "platform/file_util.h"
#include "search/search_result.h"

namespace ravelin::search {

namespace {

// The largest file that can be a criteria file: a header file with all its parts.
constexpr std::size_t kMaxCriteriaFileSize =
    8 + kStoredHeaderFields * kHeaderFieldSize + kVariationSectionSize + kPositionSectionSize;

void AppendMoveTable(ByteWriter& out, const std::array<chess::SanText, chess::kMaxMovesPerSide>& moves) {
    for (const chess::SanText& move : moves) {
        out.Text(chess::SanView(move), chess::kSanTextSize);
    }
}

bool ReadMoveTable(ByteReader& in, std::array<chess::SanText, chess::kMaxMovesPerSide>& moves) {
    for (chess::SanText& move : moves) {
        std::string_view text;
        if (!in.Text(chess::kSanTextSize, text)) {
            return false;
        }
        chess::SetSanText(move, text);
    }
    return true;
}

void AppendList(ByteWriter& out, const PositionList& list) {
    for (const PositionEntry& entry : list) {
        out.Text(PositionEntryText(entry), kPositionEntrySize);
    }
}

bool ReadList(ByteReader& in, PositionList& list) {
    for (PositionEntry& entry : list) {
        std::string_view text;
        if (!in.Text(kPositionEntrySize, text)) {
            return false;
        }
        SetPositionEntry(entry, text);
    }
    return true;
}

CriteriaLoadResult Failure(std::string_view message) {
    CriteriaLoadResult result;
    result.message = std::string(message);
    return result;
}

}  // namespace

void AppendVariation(ByteWriter& out, const SearchVariation& variation) {
    AppendMoveTable(out, variation.whiteMoves);
    AppendMoveTable(out, variation.blackMoves);
}

bool ReadVariation(ByteReader& in, SearchVariation& variation) {
    // Hints are not stored: the loaded moves carry their disambiguation in their text.
    variation.Clear();
    return ReadMoveTable(in, variation.whiteMoves) && ReadMoveTable(in, variation.blackMoves);
}

void AppendPositionLists(ByteWriter& out, const SearchPosition& position) {
    AppendList(out, position.white);
    AppendList(out, position.black);
}

bool ReadPositionLists(ByteReader& in, SearchPosition& position) {
    // The move-number condition is not part of the lists and stays as it is.
    return ReadList(in, position.white) && ReadList(in, position.black);
}

void AppendHeaderFields(ByteWriter& out, const HeaderCriteria& header, int count) {
    for (int i = 0; i < count; ++i) {
        out.Text(header.fields[static_cast<std::size_t>(i)], kHeaderFieldSize);
    }
}

bool ReadHeaderFields(ByteReader& in, HeaderCriteria& header, int count) {
    for (int i = 0; i < count; ++i) {
        std::string_view text;
        if (!in.Text(kHeaderFieldSize, text)) {
            return false;
        }
        header.fields[static_cast<std::size_t>(i)] = std::string(text);
    }
    return true;
}

bool CombinationHasVariation(int combination) {
    return combination == kWithVariation || combination == kWithBoth;
}

bool CombinationHasPosition(int combination) {
    // A header file combined with the variation alone carries the position lists as well.
    return combination == kWithVariation || combination == kWithPosition || combination == kWithBoth;
}

std::string EncodeCriteriaFile(int kind, int combination, const SearchCriteria& criteria) {
    ByteWriter out;
    out.Int32(kind);
    out.Int32(kind == kHeaderSearch ? combination : 0);
    switch (kind) {
        case kVariationSearch:
            AppendVariation(out, criteria.variation);
            break;
        case kPositionSearch:
            AppendPositionLists(out, criteria.position);
            break;
        case kHeaderSearch:
            AppendHeaderFields(out, criteria.header, kStoredHeaderFields);
            if (CombinationHasVariation(combination)) {
                AppendVariation(out, criteria.variation);
            }
            if (CombinationHasPosition(combination)) {
                AppendPositionLists(out, criteria.position);
            }
            break;
        default:
            break;
    }
    return out.Take();
}

CriteriaLoadResult DecodeCriteriaFile(std::string_view bytes, CriteriaLoadCommand command,
                                      SearchCriteria& criteria) {
    ByteReader in(bytes);
    CriteriaLoadResult result;
    std::int32_t kind = 0;
    std::int32_t second = 0;
    if (!in.Int32(kind) || !in.Int32(second)) {
        return Failure(kInvalidSearchFile);
    }
    result.kind = kind;
    result.combination = second;

    // A header file with all three parts serves every load command.
    const bool fullHeaderFile = kind == kHeaderSearch && second == kWithBoth;
    bool accepted = false;
    switch (command) {
        case CriteriaLoadCommand::kVariation:
            accepted = (kind == kVariationSearch && second == 0) || fullHeaderFile;
            break;
        case CriteriaLoadCommand::kPosition:
            accepted = kind == kPositionSearch || fullHeaderFile;
            break;
        case CriteriaLoadCommand::kHeader:
            accepted = kind == kHeaderSearch && second >= kAlone && second <= kWithBoth;
            break;
        case CriteriaLoadCommand::kCombination:
            accepted = (kind == kVariationSearch && second == 0) || kind == kPositionSearch ||
                       (kind == kHeaderSearch && second >= kAlone && second <= kWithBoth);
            break;
    }
    if (!accepted) {
        return Failure(kInvalidSearchFile);
    }

    SearchCriteria loaded = criteria;
    bool read = true;
    if (kind == kVariationSearch) {
        read = ReadVariation(in, loaded.variation);
        result.variationLoaded = true;
    } else if (kind == kPositionSearch) {
        read = ReadPositionLists(in, loaded.position);
        result.positionLoaded = true;
    } else {
        read = ReadHeaderFields(in, loaded.header, kStoredHeaderFields);
        result.headerLoaded = true;
        if (read && CombinationHasVariation(second)) {
            read = ReadVariation(in, loaded.variation);
            result.variationLoaded = true;
        }
        if (read && CombinationHasPosition(second)) {
            read = ReadPositionLists(in, loaded.position);
            result.positionLoaded = true;
        }
    }
    if (!read) {
        return Failure(kInvalidSearchFile);
    }
    criteria = std::move(loaded);
    result.ok = true;
    return result;
}

SearchFileRead ReadWholeSearchFile(const std::string& path, std::size_t maxSize, std::string& bytes) {
    if (platform::ReadSmallFile(path, bytes, maxSize)) {
        return SearchFileRead::kOk;
    }
    // The file opens but is larger than any file of its kind (or cannot be read to its end).
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return SearchFileRead::kCannotOpen;
    }
    ::close(fd);
    return SearchFileRead::kTooLarge;
}

CriteriaLoadResult LoadCriteriaFile(const std::string& path, CriteriaLoadCommand command,
                                    SearchCriteria& criteria) {
    std::string bytes;
    switch (ReadWholeSearchFile(path, kMaxCriteriaFileSize, bytes)) {
        case SearchFileRead::kOk:
            break;
        case SearchFileRead::kTooLarge:
            return Failure(kInvalidSearchFile);
        case SearchFileRead::kCannotOpen:
            return Failure(kErrorOpeningCriteriaFile);
    }
    return DecodeCriteriaFile(bytes, command, criteria);
}

std::string SaveCriteriaFile(const std::string& path, int kind, int combination,
                             const SearchCriteria& criteria) {
    const std::string bytes = EncodeCriteriaFile(kind, combination, criteria);
    if (!platform::WriteFileReplacing(path, bytes.data(), bytes.size())) {
        return kErrorOpeningCriteriaFile;
    }
    return {};
}

}  // namespace ravelin::search
