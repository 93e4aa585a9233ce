#include "gamefile/game_index.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cstdio>
#include <cstring>
#include <limits>

#include "gamefile/tag_line.h"
#include "platform/file_util.h"

namespace ravelin::gamefile {

namespace {

constexpr std::size_t kCacheHeaderSize = 8;
constexpr std::size_t kCacheEntrySize = 4;
// A header holds at most this many tag lines before the scan expects its end.
constexpr int kFullHeaderTagLines = 8;
// A header line that is neither a tag nor empty is taken as the start of movetext by the game
// finder only after this many tag lines.
constexpr int kFinderHeaderTagLines = 7;

std::string_view UpToZeroByte(std::string_view text) {
    const void* zero = std::memchr(text.data(), '\0', text.size());
    return zero == nullptr
               ? text
               : text.substr(0, static_cast<std::size_t>(static_cast<const char*>(zero) - text.data()));
}

bool StartsWithMoveOne(std::string_view line) {
    return line.size() >= 2 && line[0] == '1' && line[1] == '.';
}

std::uint32_t ReadLittleEndian32(const char* p) {
    const auto* bytes = reinterpret_cast<const unsigned char*>(p);
    return static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
           (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
}

void AppendLittleEndian32(std::string& out, std::uint32_t value) {
    for (int shift = 0; shift < 32; shift += 8) {
        out.push_back(static_cast<char>((value >> shift) & 0xFF));
    }
}

// The line classes of the game boundary rules shared by the scan and the game finder.
enum class ScanState { kBeforeFirst, kHeader, kHeaderFull, kMovetext };

struct CacheContents {
    bool readable = false;    // the header could be read: its count is the old count
    bool wellFormed = false;  // length, count and offsets are consistent with the PGN file
    std::uint32_t storedSize = 0;
    std::uint32_t storedCount = 0;
    std::string bytes;
};

CacheContents ReadCache(const std::string& cachePath, std::int64_t pgnSize) {
    CacheContents cache;
    constexpr std::size_t kMaxCacheSize = kCacheHeaderSize + kCacheEntrySize * kMaxGames;
    if (cachePath.empty() || !platform::ReadSmallFile(cachePath, cache.bytes, kMaxCacheSize) ||
        cache.bytes.size() < kCacheHeaderSize) {
        return cache;
    }
    cache.readable = true;
    cache.storedSize = ReadLittleEndian32(cache.bytes.data());
    cache.storedCount = ReadLittleEndian32(cache.bytes.data() + 4);
    if (cache.storedCount > static_cast<std::uint32_t>(kMaxGames) ||
        cache.bytes.size() != kCacheHeaderSize + kCacheEntrySize * cache.storedCount) {
        return cache;
    }
    std::int64_t previous = -1;
    for (std::uint32_t i = 0; i < cache.storedCount; ++i) {
        std::int64_t offset = ReadLittleEndian32(cache.bytes.data() + kCacheHeaderSize + kCacheEntrySize * i);
        if (offset <= previous || offset >= pgnSize) {
            return cache;
        }
        previous = offset;
    }
    cache.wellFormed = true;
    return cache;
}

std::uint32_t CachedOffset(const CacheContents& cache, std::uint32_t i) {
    return ReadLittleEndian32(cache.bytes.data() + kCacheHeaderSize + kCacheEntrySize * i);
}

// Whether a game begins at the offset: a tag line stands there (for game 1 at offset 0, after any
// "%" lines, as the scan puts it there).
bool GameStartsAt(LineReader& reader, std::uint32_t offset) {
    if (!reader.Seek(offset)) {
        return false;
    }
    std::string_view text;
    while (reader.NextLine(text) != 0) {
        if (offset == 0 && !text.empty() && text[0] == '%') {
            continue;
        }
        return !text.empty() && text[0] == '[' && IsTagLine(UpToZeroByte(text));
    }
    return false;
}

// A file changed without changing its size keeps a cache whose offsets lead into the middle of
// games. Looking at the first and last offset and a few between catches that without a scan.
// offsetOf gives the cache's offset of game i (0-based), or -1 when it cannot be read.
template <typename OffsetOf>
bool SampledGamesStart(int fd, std::uint32_t count, OffsetOf offsetOf) {
    constexpr std::uint64_t kSamples = 8;
    constexpr std::size_t kSampleReadSize = 1024;
    LineReader reader(kSampleReadSize);
    reader.Attach(fd);
    const std::uint64_t last = count - 1;
    std::uint64_t looked = count;  // none yet
    for (std::uint64_t sample = 0; sample < kSamples; ++sample) {
        const std::uint64_t i = last * sample / (kSamples - 1);
        if (i == looked) {
            continue;
        }
        const std::int64_t offset = offsetOf(static_cast<std::uint32_t>(i));
        if (offset < 0 || !GameStartsAt(reader, static_cast<std::uint32_t>(offset))) {
            return false;
        }
        looked = i;
    }
    return true;
}

// A cache without games is not used: only a scan can tell an empty file from one of movetext
// without tag lines.
bool CacheFitsFile(int fd, const CacheContents& cache, std::int64_t pgnSize) {
    if (!cache.wellFormed || pgnSize < 0 || static_cast<std::int64_t>(cache.storedSize) != pgnSize ||
        cache.storedCount == 0) {
        return false;
    }
    return SampledGamesStart(fd, cache.storedCount,
                             [&cache](std::uint32_t i) { return std::int64_t{CachedOffset(cache, i)}; });
}

}  // namespace

void WriteIndexCache(const std::string& pgnPath, std::int64_t pgnSize, const GameIndex& index) {
    const std::string cachePath = CompanionPath(pgnPath, "PGO");
    if (cachePath.empty() || pgnSize < 0 || pgnSize > std::numeric_limits<std::uint32_t>::max()) {
        return;
    }
    std::string bytes;
    bytes.reserve(kCacheHeaderSize + kCacheEntrySize * index.offsets.size());
    AppendLittleEndian32(bytes, static_cast<std::uint32_t>(pgnSize));
    AppendLittleEndian32(bytes, static_cast<std::uint32_t>(index.Count()));
    for (std::uint32_t offset : index.offsets) {
        AppendLittleEndian32(bytes, offset);
    }
    // A cache that cannot be written only costs a scan next time.
    platform::WriteFileReplacing(cachePath, bytes.data(), bytes.size(), platform::Durability::kCache);
}

namespace {

void RemoveCompanion(std::string_view pgnPath, std::string_view suffix) {
    std::string path = CompanionPath(pgnPath, suffix);
    if (!path.empty()) {
        std::remove(path.c_str());
    }
}

}  // namespace

std::string CompanionPath(std::string_view pgnPath, std::string_view suffix) {
    constexpr std::size_t kReplaced = 3;
    if (pgnPath.size() <= kReplaced) {
        return {};
    }
    std::string path(pgnPath.substr(0, pgnPath.size() - kReplaced));
    path += suffix;
    if (path == pgnPath) {
        return {};
    }
    return path;
}

std::int64_t FileSize(int fd) {
    struct stat info;
    if (fd < 0 || fstat(fd, &info) != 0) {
        return -1;
    }
    return info.st_size;
}

bool ScanGameOffsets(LineReader& reader, GameIndex& index) {
    index.offsets.clear();
    bool textSeen = false;
    reader.mode = LineReaderMode::kIndexing;
    std::uint64_t position = 0;
    ScanState state = ScanState::kBeforeFirst;
    int tagLines = 0;

    // Returns false when the table is full or the offset no longer fits the index's 32 bits.
    auto startGame = [&](std::uint64_t offset) {
        if (offset > std::numeric_limits<std::uint32_t>::max()) {
            return false;
        }
        index.offsets.push_back(static_cast<std::uint32_t>(offset));
        return index.Count() < kMaxGames;
    };

    for (;;) {
        std::uint64_t lineStart = position;
        std::string_view text;
        int length = reader.NextLine(text);
        if (length == 0) {
            break;
        }
        position += static_cast<std::uint64_t>(length);
        // The line as a C string would end at a zero byte.
        char first = text.empty() ? '\0' : text[0];
        if (first == '%') {
            continue;  // PGN escape line
        }
        bool empty = first == '\0';
        textSeen = textSeen || !empty;
        bool isTag = first == '[' && IsTagLine(UpToZeroByte(text));
        if (state == ScanState::kBeforeFirst) {
            if (position > 2 && isTag) {
                // Whatever stands before the first tag line belongs to game 1.
                if (!startGame(0)) {
                    break;
                }
                state = ScanState::kHeader;
                tagLines = 1;
            } else if (empty) {
                state = ScanState::kHeader;
                tagLines = 0;
            } else {
                break;  // the file does not begin like a PGN file
            }
            continue;
        }
        if ((state == ScanState::kHeader || state == ScanState::kHeaderFull) && StartsWithMoveOne(text)) {
            empty = true;
        }
        if (state == ScanState::kHeader) {
            if (empty) {
                if (tagLines >= 1) {
                    state = ScanState::kMovetext;
                }
            } else if (isTag) {
                ++tagLines;
                if (tagLines == 1 && !startGame(lineStart)) {
                    break;
                }
                if (tagLines == kFullHeaderTagLines) {
                    state = ScanState::kHeaderFull;
                }
            }
        } else if (state == ScanState::kHeaderFull) {
            if (empty) {
                state = ScanState::kMovetext;
            } else if (!isTag) {
                break;  // a header that never ends: the rest of the file is not read
            }
        } else {  // kMovetext
            if (empty) {
                state = ScanState::kHeader;
                tagLines = 0;
            } else if (isTag) {
                state = ScanState::kHeader;
                tagLines = 1;
                if (!startGame(lineStart)) {
                    break;
                }
            }
        }
    }
    reader.mode = LineReaderMode::kNormal;
    return textSeen;
}

IndexResult IndexGameFile(int fd, const std::string& pgnPath, bool forceRescan, GameIndex& index) {
    IndexResult result;
    std::int64_t pgnSize = FileSize(fd);
    std::string cachePath = CompanionPath(pgnPath, "PGO");
    CacheContents cache = ReadCache(cachePath, pgnSize);
    int oldCount =
        cache.readable ? static_cast<int>(std::min<std::uint32_t>(cache.storedCount, kMaxGames)) : 0;

    if (!forceRescan && CacheFitsFile(fd, cache, pgnSize)) {
        index.offsets.resize(cache.storedCount);
        for (std::uint32_t i = 0; i < cache.storedCount; ++i) {
            index.offsets[i] = CachedOffset(cache, i);
        }
        result.count = index.Count();
        result.fromCache = true;
        result.limitReached = result.count == kMaxGames;
        return result;
    }

    LineReader scanner(kScanBufferSize);
    scanner.Attach(fd);
    scanner.Seek(0);
    const bool textSeen = ScanGameOffsets(scanner, index);
    result.count = index.Count();
    result.limitReached = result.count == kMaxGames;
    result.textWithoutGames = result.count == 0 && textSeen;
    WriteIndexCache(pgnPath, pgnSize, index);
    if (result.count != oldCount) {
        result.countChanged = true;
        RemoveCompanion(pgnPath, "TRE");
        RemoveCompanion(pgnPath, "TRX");
    }
    return result;
}

bool IndexIsCurrent(int fd, const std::string& pgnPath) {
    std::int64_t pgnSize = FileSize(fd);
    return CacheFitsFile(fd, ReadCache(CompanionPath(pgnPath, "PGO"), pgnSize), pgnSize);
}

int CachedGameCount(int fd, const std::string& pgnPath) {
    const std::string cachePath = CompanionPath(pgnPath, "PGO");
    const std::int64_t pgnSize = FileSize(fd);
    if (cachePath.empty() || pgnSize <= 0) {
        return -1;
    }
    const int cacheFd = open(cachePath.c_str(), O_RDONLY | O_CLOEXEC);
    if (cacheFd < 0) {
        return -1;
    }
    struct stat info {};
    char header[kCacheHeaderSize];
    bool fits = fstat(cacheFd, &info) == 0 &&
                pread(cacheFd, header, sizeof header, 0) == static_cast<ssize_t>(sizeof header);
    const std::uint32_t storedSize = fits ? ReadLittleEndian32(header) : 0;
    const std::uint32_t storedCount = fits ? ReadLittleEndian32(header + 4) : 0;
    fits = fits && static_cast<std::int64_t>(storedSize) == pgnSize && storedCount > 0 &&
           storedCount <= static_cast<std::uint32_t>(kMaxGames) &&
           static_cast<std::uint64_t>(info.st_size) == kCacheHeaderSize + kCacheEntrySize * storedCount;
    // The sampled offsets must also rise and lie inside the file, as every offset must for the
    // whole cache to be taken.
    std::int64_t previous = -1;
    fits = fits && SampledGamesStart(fd, storedCount, [&](std::uint32_t i) -> std::int64_t {
               char entry[kCacheEntrySize];
               const off_t at = static_cast<off_t>(kCacheHeaderSize + kCacheEntrySize * std::uint64_t{i});
               if (pread(cacheFd, entry, sizeof entry, at) != static_cast<ssize_t>(sizeof entry)) {
                   return -1;
               }
               const std::int64_t offset = ReadLittleEndian32(entry);
               if (offset <= previous || offset >= pgnSize) {
                   return -1;
               }
               previous = offset;
               return offset;
           });
    close(cacheFd);
    return fits ? static_cast<int>(storedCount) : -1;
}

std::int64_t FindGameByScanning(LineReader& reader, int n) {
    reader.Seek(0);
    reader.mode = LineReaderMode::kIndexing;
    char line[kLineBufferSize];
    std::uint64_t position = 0;
    ScanState state = ScanState::kBeforeFirst;
    int tagLines = 0;
    int games = 0;
    std::int64_t found = -1;

    for (;;) {
        std::uint64_t lineStart = position;
        int length = reader.ReadLine(line);
        if (length == 0) {
            break;
        }
        position += static_cast<std::uint64_t>(length);
        if (line[0] == '%') {
            continue;
        }
        std::string_view text(line);
        bool empty = text.empty();
        bool isTag = !empty && IsTagLine(text);
        std::int64_t gameStart = -1;
        if (state == ScanState::kBeforeFirst) {
            if (position > 2 && isTag) {
                gameStart = 0;
                state = ScanState::kHeader;
                tagLines = 1;
            } else if (empty) {
                state = ScanState::kHeader;
                tagLines = 0;
            } else {
                break;
            }
        } else if (state == ScanState::kHeader || state == ScanState::kHeaderFull) {
            if (StartsWithMoveOne(text)) {
                empty = true;
            }
            if (empty) {
                if (tagLines >= 1) {
                    state = ScanState::kMovetext;
                }
            } else if (isTag) {
                if (state == ScanState::kHeader) {
                    ++tagLines;
                    if (tagLines == 1) {
                        gameStart = static_cast<std::int64_t>(lineStart);
                    }
                    if (tagLines == kFullHeaderTagLines) {
                        state = ScanState::kHeaderFull;
                    }
                }
            } else if (state == ScanState::kHeaderFull || tagLines == kFinderHeaderTagLines) {
                state = ScanState::kMovetext;
            } else if (tagLines >= 1) {
                break;  // a malformed header: the games after it cannot be counted reliably
            }
        } else if (empty) {
            state = ScanState::kHeader;
            tagLines = 0;
        } else if (isTag) {
            state = ScanState::kHeader;
            tagLines = 1;
            gameStart = static_cast<std::int64_t>(lineStart);
        }
        if (gameStart >= 0 && ++games == n) {
            found = gameStart;
            break;
        }
    }
    reader.mode = LineReaderMode::kNormal;
    if (found >= 0) {
        reader.Seek(static_cast<std::uint64_t>(found));
    }
    return found;
}

void IndexGameFileAt(const std::string& pgnPath, GameIndex& index) {
    index = GameIndex{};
    const int fd = open(pgnPath.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd >= 0) {
        IndexGameFile(fd, pgnPath, false, index);
        close(fd);
    }
}

}  // namespace ravelin::gamefile
