#include "search/directory_search_file.h"

#include <cstdio>

#include "search/criteria_file.h"
#include "search/record_bytes.h"

namespace ravelin::search {

namespace {

// A result file is read whole; no directory's results come near this.
constexpr std::size_t kMaxResultFileSize = std::size_t{1} << 30;
constexpr std::size_t kCopyBlockSize = 256;

void AppendCriteria(ByteWriter& out, const ResultFileHeader& header) {
    const SearchCriteria& criteria = header.criteria;
    switch (header.kind) {
        case kVariationSearch:
            AppendVariation(out, criteria.variation);
            if (header.combination != kAlone) {
                AppendPositionLists(out, criteria.position);
            }
            break;
        case kPositionSearch:
            AppendPositionLists(out, criteria.position);
            break;
        case kHeaderSearch:
            AppendHeaderFields(out, criteria.header, HeaderFieldCount(header.flags));
            if (CombinationHasVariation(header.combination)) {
                AppendVariation(out, criteria.variation);
            }
            if (header.combination != kAlone) {
                AppendPositionLists(out, criteria.position);
            }
            break;
        default:
            break;
    }
}

bool ReadCriteria(ByteReader& in, ResultFileHeader& header) {
    SearchCriteria& criteria = header.criteria;
    switch (header.kind) {
        case kVariationSearch:
            return ReadVariation(in, criteria.variation) &&
                   (header.combination == kAlone || ReadPositionLists(in, criteria.position));
        case kPositionSearch:
            return ReadPositionLists(in, criteria.position);
        case kHeaderSearch:
            return ReadHeaderFields(in, criteria.header, HeaderFieldCount(header.flags)) &&
                   (!CombinationHasVariation(header.combination) || ReadVariation(in, criteria.variation)) &&
                   (header.combination == kAlone || ReadPositionLists(in, criteria.position));
        default:
            return false;
    }
}

bool ReadCount(ByteReader& in, int& value) {
    std::int32_t read = 0;
    if (!in.Int32(read)) {
        return false;
    }
    value = read;
    return true;
}

bool ReadRecord(ByteReader& in, const ResultFileHeader& header, ResultFileRecord& record) {
    std::string_view name;
    int count = 0;
    if (!in.Text(kRecordNameSize, name) || !ReadCount(in, count) || count < 0) {
        return false;
    }
    // A name is a file of the searched directory, never a path.
    if (name.find('/') != std::string_view::npos) {
        return false;
    }
    record.name = std::string(name);
    if ((header.flags & kFlagWinCounts) != 0) {
        record.hasWinCounts = true;
        if (!ReadCount(in, record.whiteWins) || !ReadCount(in, record.blackWins)) {
            return false;
        }
    }
    if ((header.flags & kFlagPliesMatched) != 0 && !ReadCount(in, record.pliesMatched)) {
        return false;
    }
    if ((header.flags & kFlagExtraCounters) != 0 &&
        (!ReadCount(in, record.counter3) || !ReadCount(in, record.counter4))) {
        return false;
    }
    const bool plies = ResultHasPlies(header.kind, header.combination);
    const std::size_t perGame = plies ? 8 : 4;
    // The count is checked against the bytes left before anything is allocated for it.
    if (static_cast<std::size_t>(count) > in.Remaining() / perGame) {
        return false;
    }
    record.games.resize(static_cast<std::size_t>(count));
    for (int& game : record.games) {
        if (!ReadCount(in, game) || game < 1) {
            return false;
        }
    }
    if (plies) {
        record.plies.resize(static_cast<std::size_t>(count));
        for (int& ply : record.plies) {
            if (!ReadCount(in, ply) || ply < 0) {
                return false;
            }
        }
    }
    return true;
}

}  // namespace

int HeaderFieldCount(std::uint32_t flags) {
    return (flags & kFlagEloFields) != 0 ? kStoredHeaderFields : kHeaderFieldsBeforeElo;
}

bool ResultHasPlies(int kind, int combination) {
    return kind == kPositionSearch || combination == kWithPosition || combination == kWithBoth;
}

bool DirectoryFitsResultFile(std::string_view directory) {
    return directory.size() < kDirectoryFieldSize;
}

std::string EncodeResultHeader(const ResultFileHeader& header) {
    ByteWriter out;
    out.Text(header.directory, kDirectoryFieldSize);
    out.Int32(header.kind);
    out.Int32(header.combination);
    out.Int32(static_cast<std::int32_t>(header.flags |
                                        (static_cast<std::uint32_t>(header.pliesMatched) & kPliesMask)));
    AppendCriteria(out, header);
    return out.Take();
}

ResultFileRecord RecordOfResult(std::string_view name, const SearchResult& result,
                                const ResultFileHeader& header) {
    ResultFileRecord record;
    record.name = std::string(name);
    record.hasWinCounts = true;
    record.whiteWins = result.whiteWins;
    record.blackWins = result.blackWins;
    record.pliesMatched = result.pliesMatched;
    record.counter3 = result.counter3;
    record.counter4 = result.counter4;
    const bool plies = ResultHasPlies(header.kind, header.combination);
    for (const SearchMatch& match : result.matches) {
        record.games.push_back(match.game);
        if (plies) {
            record.plies.push_back(match.ply);
        }
    }
    return record;
}

std::string EncodeResultRecord(const ResultFileHeader& header, const ResultFileRecord& record) {
    ByteWriter out;
    out.Text(record.name, kRecordNameSize);
    out.Int32(record.Count());
    if ((header.flags & kFlagWinCounts) != 0) {
        out.Int32(record.whiteWins);
        out.Int32(record.blackWins);
    }
    if ((header.flags & kFlagPliesMatched) != 0) {
        out.Int32(record.pliesMatched);
    }
    if ((header.flags & kFlagExtraCounters) != 0) {
        out.Int32(record.counter3);
        out.Int32(record.counter4);
    }
    for (const int game : record.games) {
        out.Int32(game);
    }
    if (ResultHasPlies(header.kind, header.combination)) {
        for (std::size_t i = 0; i < record.games.size(); ++i) {
            out.Int32(i < record.plies.size() ? record.plies[i] : 0);
        }
    }
    return out.Take();
}

std::string EncodeResultEnd() {
    return std::string(kEndMarkerSize, '\0');
}

bool DecodeResultFile(std::string_view bytes, ResultFile& file) {
    ByteReader in(bytes);
    ResultFile read;
    ResultFileHeader& header = read.header;
    std::string_view directory;
    std::int32_t flags = 0;
    if (!in.Text(kDirectoryFieldSize, directory) || !ReadCount(in, header.kind) ||
        !ReadCount(in, header.combination) || !in.Int32(flags)) {
        return false;
    }
    if (header.kind < kVariationSearch || header.kind > kHeaderSearch || header.combination < kAlone ||
        header.combination > kWithBoth) {
        return false;
    }
    header.directory = std::string(directory);
    header.flags = static_cast<std::uint32_t>(flags) & kAllResultFlags;
    header.pliesMatched = static_cast<int>(static_cast<std::uint32_t>(flags) & kPliesMask);
    if (!ReadCriteria(in, header)) {
        return false;
    }
    for (;;) {
        char first = 0;
        // A file without its end marker was cut off.
        if (!in.PeekByte(first)) {
            return false;
        }
        if (first == '\0') {
            break;
        }
        ResultFileRecord record;
        if (!ReadRecord(in, header, record)) {
            return false;
        }
        read.records.push_back(std::move(record));
    }
    file = std::move(read);
    return true;
}

ResultFileLoad LoadResultFile(const std::string& path, ResultFile& file) {
    std::string bytes;
    switch (ReadWholeSearchFile(path, kMaxResultFileSize, bytes)) {
        case SearchFileRead::kOk:
            break;
        case SearchFileRead::kCannotOpen:
            return ResultFileLoad::kMissing;
        case SearchFileRead::kTooLarge:
            return ResultFileLoad::kInvalid;
    }
    return DecodeResultFile(bytes, file) ? ResultFileLoad::kOk : ResultFileLoad::kInvalid;
}

ResultFileWriter::~ResultFileWriter() {
    Abandon();
}

bool ResultFileWriter::Create(const std::string& path, const ResultFileHeader& header) {
    Abandon();
    if (!DirectoryFitsResultFile(header.directory)) {
        return false;
    }
    file_ = std::fopen(path.c_str(), "wb");
    if (file_ == nullptr) {
        return false;
    }
    path_ = path;
    header_ = header;
    header_.flags = kAllResultFlags;
    return Write(EncodeResultHeader(header_));
}

bool ResultFileWriter::Append(const ResultFileRecord& record) {
    return file_ != nullptr && Write(EncodeResultRecord(header_, record));
}

bool ResultFileWriter::Finish() {
    if (file_ == nullptr || !Write(EncodeResultEnd())) {
        return false;
    }
    const bool closed = std::fclose(file_) == 0;
    file_ = nullptr;
    if (!closed) {
        std::remove(path_.c_str());
    }
    return closed;
}

bool ResultFileWriter::Write(const std::string& bytes) {
    if (std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
        Abandon();
        std::remove(path_.c_str());
        return false;
    }
    return true;
}

void ResultFileWriter::Abandon() {
    if (file_ != nullptr) {
        std::fclose(file_);
        file_ = nullptr;
    }
}

std::string CopyResultFile(const std::string& source, const std::string& target,
                           std::string_view cannotOpenSource, std::string_view cannotCreateTarget) {
    std::FILE* in = std::fopen(source.c_str(), "rb");
    if (in == nullptr) {
        return std::string(cannotOpenSource);
    }
    // Copied beside the target and renamed over it, so a failed copy leaves the old file.
    const std::string temporary = target + ".tmp~";
    std::FILE* out = std::fopen(temporary.c_str(), "wb");
    if (out == nullptr) {
        std::fclose(in);
        return std::string(cannotCreateTarget);
    }
    char block[kCopyBlockSize];
    bool ok = true;
    for (;;) {
        const std::size_t got = std::fread(block, 1, sizeof block, in);
        if (got > 0 && std::fwrite(block, 1, got, out) != got) {
            ok = false;
            break;
        }
        if (got < sizeof block) {
            ok = std::ferror(in) == 0;
            break;
        }
    }
    std::fclose(in);
    ok = std::fclose(out) == 0 && ok;
    if (!ok || std::rename(temporary.c_str(), target.c_str()) != 0) {
        std::remove(temporary.c_str());
        return std::string(cannotCreateTarget);
    }
    return {};
}

}  // namespace ravelin::search
