#include "search/fast_file_reader.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <new>

#include "gamefile/game_index.h"
#include "search/fast_file_output.h"
#include "search/fast_header.h"

namespace ravelin::search {

namespace {

// Move files up to this size are read whole; larger ones through the first window size that can
// be had (8 MB only for files above this size).
constexpr std::uint64_t kWholeFileLimit = 16252928;
constexpr std::size_t kMegabyte = 1 << 20;
constexpr std::array<std::size_t, 5> kWindowSizes = {8 * kMegabyte, 4 * kMegabyte, 3 * kMegabyte,
                                                     2 * kMegabyte, kMegabyte};
constexpr std::size_t kLargestWindow = 8 * kMegabyte;

std::int32_t LittleEndianCount(const std::uint8_t* bytes) {
    const std::uint32_t value =
        static_cast<std::uint32_t>(bytes[0]) | (static_cast<std::uint32_t>(bytes[1]) << 8) |
        (static_cast<std::uint32_t>(bytes[2]) << 16) | (static_cast<std::uint32_t>(bytes[3]) << 24);
    return static_cast<std::int32_t>(value);
}

// 0 when count records of ten strings fill the bytes after the count exactly.
int WalkHeaderRecords(const std::uint8_t* data, std::uint64_t size, std::int32_t count) {
    std::uint64_t pos = kFastHeaderCountSize;
    for (std::int32_t game = 0; game < count; ++game) {
        for (int value = 0; value < kFastHeaderStrings; ++value) {
            if (pos >= size) {
                return 1;
            }
            pos += 1 + static_cast<std::uint64_t>(data[pos]);
        }
    }
    return pos == size ? 0 : 1;
}

}  // namespace

std::size_t ReadFully(int fd, void* data, std::size_t size) {
    auto* const bytes = static_cast<std::uint8_t*>(data);
    std::size_t done = 0;
    while (done < size) {
        const ssize_t got = ::read(fd, bytes + done, size - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            break;
        }
        done += static_cast<std::size_t>(got);
    }
    return done;
}

int FastHeaderIsCurrent(int fd, int gameCount, const chess::MessageSink& messages) {
    const std::int64_t size = gamefile::FileSize(fd);
    if (size < static_cast<std::int64_t>(kFastHeaderCountSize)) {
        if (fd >= 0) {
            ::close(fd);
        }
        return 1;
    }
    const auto bytes = static_cast<std::uint64_t>(size);
    std::unique_ptr<std::uint8_t[]> data(new (std::nothrow) std::uint8_t[bytes]());
    if (!data) {
        std::uint8_t count[kFastHeaderCountSize] = {};
        const bool read = ReadFully(fd, count, sizeof count) == sizeof count;
        ::close(fd);
        if (read && LittleEndianCount(count) == gameCount) {
            if (messages) {
                messages(kFastHeaderNoMemory);
            }
            return 0;
        }
        return 1;
    }
    const std::size_t read = ReadFully(fd, data.get(), bytes);
    ::close(fd);
    if (read < bytes) {
        return 1;
    }
    const std::int32_t count = LittleEndianCount(data.get());
    if (count != gameCount) {
        return 1;
    }
    return WalkHeaderRecords(data.get(), bytes, count);
}

void FastMoveReader::FileCloser::operator()(int* fd) const {
    if (*fd >= 0) {
        ::close(*fd);
    }
    delete fd;
}

bool FastMoveReader::Allocate(std::size_t bytes) {
    buffer_.reset(new (std::nothrow) std::uint8_t[bytes]());
    capacity_ = buffer_ ? bytes : 0;
    return buffer_ != nullptr;
}

bool FastMoveReader::Open(const std::string& path) {
    if (!OpenWithWindow(path, 0)) {
        return false;
    }
    if (fileSize_ <= kWholeFileLimit && Allocate(static_cast<std::size_t>(fileSize_) + 4)) {
        return true;
    }
    for (const std::size_t size : kWindowSizes) {
        if (size == kLargestWindow && fileSize_ <= kWholeFileLimit) {
            continue;
        }
        if (Allocate(size)) {
            return true;
        }
    }
    noMemory = true;
    fd_.reset();
    return false;
}

bool FastMoveReader::OpenWithWindow(const std::string& path, std::size_t windowBytes) {
    fd_.reset();
    noMemory = false;
    records_ = 0;
    pos_ = end_ = 0;
    if (path.empty()) {
        return false;
    }
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    fd_.reset(new int(fd));
    const std::int64_t size = gamefile::FileSize(fd);
    fileSize_ = size > 0 ? static_cast<std::uint64_t>(size) : 0;
    oddSize_ = fileSize_ % 2 != 0;
    if (windowBytes > 0 && !Allocate(windowBytes)) {
        noMemory = true;
        fd_.reset();
        return false;
    }
    return true;
}

bool FastMoveReader::Refill() {
    if (!fd_ || !buffer_) {
        return false;
    }
    // Even sizes only, so a word never straddles two fills.
    end_ = ReadFully(*fd_, buffer_.get(), capacity_ & ~static_cast<std::size_t>(1));
    pos_ = 0;
    return end_ >= 2;
}

bool FastMoveReader::ReadWord(FastMove& word) {
    if (pos_ + 2 > end_ && !Refill()) {
        return false;
    }
    word = static_cast<FastMove>(buffer_[pos_] | (buffer_[pos_ + 1] << 8));
    pos_ += 2;
    return true;
}

FastMoveReader::Step FastMoveReader::Next(std::vector<FastMove>& moves, FastMove& resultWord) {
    moves.clear();
    if (oddSize_) {
        return Step::kStale;
    }
    FastMove word = 0;
    if (!ReadWord(word)) {
        return Step::kStale;
    }
    if (word == kEndOfFileWord) {
        return Step::kEnd;
    }
    if (records_ >= gameLimit) {
        return Step::kStale;
    }
    while (!IsResultWord(word)) {
        if (word == kEndOfFileWord || static_cast<int>(moves.size()) >= kMaxFastRecordMoves) {
            return Step::kStale;
        }
        moves.push_back(word);
        if (!ReadWord(word)) {
            return Step::kStale;
        }
    }
    resultWord = word;
    ++records_;
    return Step::kRecord;
}

FastMoveReader::Step FastMoveReader::NextInPlace(const std::uint8_t*& words, int& count,
                                                 FastMove& resultWord) {
    words = spill_.data();
    count = 0;
    if (oddSize_ || (pos_ + 2 > end_ && !Refill())) {
        return Step::kStale;
    }
    const std::uint8_t* start = buffer_.get() + pos_;
    const auto wordAt = [start](std::size_t at) {
        return static_cast<FastMove>(start[at] | (start[at + 1] << 8));
    };
    if (wordAt(0) == kEndOfFileWord) {
        pos_ += 2;
        return Step::kEnd;
    }
    if (records_ >= gameLimit) {
        return Step::kStale;
    }
    // Usually the whole record, result word included, is already in the buffer.
    constexpr std::size_t kLongestRecordBytes = 2 * (kMaxFastRecordMoves + 1);
    const std::size_t available = std::min(end_ - pos_, kLongestRecordBytes) & ~static_cast<std::size_t>(1);
    std::size_t at = 0;
    // Four words at a time while none of them is a result word or the zero word.
    constexpr std::uint64_t kHighBits = 0x8000800080008000ULL;
    constexpr std::uint64_t kLowBits = 0x0001000100010001ULL;
    for (; at + 8 <= available; at += 8) {
        std::uint64_t four = 0;
        for (int byte = 7; byte >= 0; --byte) {
            four = four << 8 | start[at + static_cast<std::size_t>(byte)];
        }
        if (((four & kHighBits) | ((four - kLowBits) & ~four & kHighBits)) != 0) {
            break;
        }
    }
    for (; at < available; at += 2) {
        const FastMove word = wordAt(at);
        if (IsResultWord(word)) {
            words = start;
            count = static_cast<int>(at / 2);
            resultWord = word;
            pos_ += at + 2;
            ++records_;
            return Step::kRecord;
        }
        if (word == kEndOfFileWord) {
            return Step::kStale;
        }
    }
    if (available == kLongestRecordBytes) {
        return Step::kStale;
    }
    // A refill splits the record: gather it word by word.
    FastMove word = 0;
    while (ReadWord(word) && !IsResultWord(word)) {
        if (word == kEndOfFileWord || count >= kMaxFastRecordMoves) {
            return Step::kStale;
        }
        spill_[2 * static_cast<std::size_t>(count)] = static_cast<std::uint8_t>(word & 0xff);
        spill_[2 * static_cast<std::size_t>(count) + 1] = static_cast<std::uint8_t>(word >> 8);
        ++count;
    }
    if (!IsResultWord(word)) {
        return Step::kStale;
    }
    resultWord = word;
    ++records_;
    return Step::kRecord;
}

FastFileCheck CheckFastFile(const std::string& pgnPath, int gameCount, const chess::MessageSink& messages) {
    const std::string headerPath = FastHeaderFilePath(pgnPath);
    if (!headerPath.empty()) {
        const int fd = ::open(headerPath.c_str(), O_RDONLY | O_CLOEXEC);
        if (fd >= 0 && FastHeaderIsCurrent(fd, gameCount, messages) != 0) {
            return FastFileCheck::kStale;
        }
    }
    FastMoveReader reader;
    if (!reader.Open(FastMoveFilePath(pgnPath))) {
        return reader.noMemory ? FastFileCheck::kNoMemory : FastFileCheck::kMissing;
    }
    reader.gameLimit = gameCount;
    std::vector<FastMove> moves;
    moves.reserve(kMaxFastRecordMoves);
    FastMove result = 0;
    while (reader.RecordsRead() < gamefile::kMaxGames) {
        const FastMoveReader::Step step = reader.Next(moves, result);
        if (step == FastMoveReader::Step::kEnd) {
            break;
        }
        if (step == FastMoveReader::Step::kStale) {
            return FastFileCheck::kStale;
        }
    }
    return reader.RecordsRead() == gameCount ? FastFileCheck::kOk : FastFileCheck::kStale;
}

bool FastFileIsCurrent(const std::string& pgnPath, int gameCount) {
    const std::string headerPath = FastHeaderFilePath(pgnPath);
    if (headerPath.empty() || ::access(headerPath.c_str(), F_OK) != 0) {
        return false;
    }
    return CheckFastFile(pgnPath, gameCount) == FastFileCheck::kOk;
}

bool UseFastFileOrWarn(const std::string& pgnPath, int gameCount, const chess::MessageSink& messages) {
    if (FastFileIsCurrent(pgnPath, gameCount)) {
        return true;
    }
    const std::string movePath = FastMoveFilePath(pgnPath);
    const std::string headerPath = FastHeaderFilePath(pgnPath);
    const bool exists = (!movePath.empty() && ::access(movePath.c_str(), F_OK) == 0) ||
                        (!headerPath.empty() && ::access(headerPath.c_str(), F_OK) == 0);
    if (exists && messages) {
        messages(kRunMakeFastFileAgain);
    }
    return false;
}

}  // namespace ravelin::search
