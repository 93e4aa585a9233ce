#include "gamefile/line_reader.h"

#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <climits>
#include <cstring>

namespace ravelin::gamefile {

namespace {

constexpr char kUtf8ByteOrderMark[] = "\xEF\xBB\xBF";
constexpr std::size_t kUtf8ByteOrderMarkLength = 3;
// An over-long line is recognised when one character more than a line holds has been taken.
constexpr std::size_t kOverlongLength = kMaxLineLength + 1;

int ClampCount(std::size_t count) { return count > INT_MAX ? INT_MAX : static_cast<int>(count); }

}  // namespace

LineReader::LineReader() : buffer_(new char[kReadBufferSize]) {}

void LineReader::Attach(int fd) {
    fd_ = fd;
    Reset();
    atFileStart_ = fd >= 0 && lseek(fd, 0, SEEK_CUR) == 0;
}

void LineReader::Reset() {
    pos_ = end_ = 0;
    carryPos_ = carryLen_ = 0;
}

bool LineReader::Seek(std::uint64_t offset) {
    Reset();
    if (fd_ < 0 || lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
        return false;
    }
    atFileStart_ = offset == 0;
    return true;
}

bool LineReader::Fill() {
    pos_ = end_ = 0;
    if (fd_ < 0) {
        return false;
    }
    ssize_t got;
    do {
        got = read(fd_, buffer_.get(), kReadBufferSize);
    } while (got < 0 && errno == EINTR);
    // A read error ends the file as far as the readers are concerned.
    if (got <= 0) {
        return false;
    }
    end_ = static_cast<std::size_t>(got);
    return true;
}

std::size_t LineReader::ReadBytes(char* dest, std::size_t n) {
    std::size_t copied = 0;
    while (copied < n) {
        if (carryPos_ < carryLen_) {
            std::size_t take = std::min(n - copied, carryLen_ - carryPos_);
            std::memcpy(dest + copied, carry_ + carryPos_, take);
            carryPos_ += take;
            copied += take;
            continue;
        }
        if (pos_ == end_ && !Fill()) {
            break;
        }
        std::size_t take = std::min(n - copied, end_ - pos_);
        std::memcpy(dest + copied, buffer_.get() + pos_, take);
        pos_ += take;
        copied += take;
    }
    if (copied > 0) {
        atFileStart_ = false;
    }
    return copied;
}

int LineReader::ReadLine(char* line) {
    std::size_t len = 0;
    std::size_t skipped = 0;
    bool started = mode == LineReaderMode::kKeepLeadingBlanks;
    for (;;) {
        const char* chunk;
        std::size_t available;
        bool fromCarry = carryPos_ < carryLen_;
        if (fromCarry) {
            chunk = carry_ + carryPos_;
            available = carryLen_ - carryPos_;
        } else {
            if (pos_ == end_ && !Fill()) {
                // End of file: what was gathered is the last line, unless nothing was.
                atFileStart_ = false;
                std::size_t stored = len;
                while (len > 0 && work_[len - 1] == '\r') {
                    --len;
                }
                std::memcpy(line, work_, len);
                line[len] = '\0';
                byteCounter += stored + skipped;
                return ClampCount(stored + (mode == LineReaderMode::kIndexing ? skipped : 0));
            }
            if (atFileStart_) {
                atFileStart_ = false;
                if (end_ - pos_ >= kUtf8ByteOrderMarkLength &&
                    std::memcmp(buffer_.get() + pos_, kUtf8ByteOrderMark, kUtf8ByteOrderMarkLength) == 0) {
                    pos_ += kUtf8ByteOrderMarkLength;
                    skipped += kUtf8ByteOrderMarkLength;
                    continue;
                }
            }
            chunk = buffer_.get() + pos_;
            available = end_ - pos_;
        }

        std::size_t i = 0;
        if (!started) {
            while (i < available && chunk[i] == ' ') {
                ++i;
            }
            skipped += i;
            if (i == available) {
                (fromCarry ? carryPos_ : pos_) += i;
                continue;
            }
            started = true;
        }

        std::size_t scan = std::min(available - i, kOverlongLength - len);
        const char* lineFeed = static_cast<const char*>(std::memchr(chunk + i, '\n', scan));
        std::size_t n = lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - (chunk + i)) : scan;
        std::memcpy(work_ + len, chunk + i, n);
        len += n;
        (fromCarry ? carryPos_ : pos_) += i + n + (lineFeed != nullptr ? 1 : 0);

        if (lineFeed != nullptr) {
            std::size_t stored = len;
            while (len > 0 && work_[len - 1] == '\r') {
                --len;
            }
            std::memcpy(line, work_, len);
            line[len] = '\0';
            byteCounter += stored + 1 + skipped;
            return ClampCount(stored + 1 + (mode == LineReaderMode::kIndexing ? skipped : 0));
        }
        if (len == kOverlongLength) {
            return CutLongLine(line, skipped);
        }
    }
}

int LineReader::CutLongLine(char* line, std::size_t skipped) {
    // The over-long line is taken from the read buffer only: a carried rest is always shorter than
    // a line, so it has been used up before the line grows this long.
    std::size_t taken;
    std::size_t keep;
    std::size_t carryFrom;
    if (work_[kMaxLineLength] == '\r' && (pos_ < end_ || Fill()) && buffer_[pos_] == '\n') {
        // 255 characters and CR LF: the line fits once its line end is dropped.
        ++pos_;
        std::memcpy(line, work_, kMaxLineLength);
        line[kMaxLineLength] = '\0';
        byteCounter += kOverlongLength + 1 + skipped;
        return ClampCount(kOverlongLength + 1 + (mode == LineReaderMode::kIndexing ? skipped : 0));
    }
    const char* lastBlank = static_cast<const char*>(memrchr(work_, ' ', kOverlongLength));
    if (lastBlank != nullptr) {
        keep = static_cast<std::size_t>(lastBlank - work_);
        carryFrom = keep + 1;  // the blank ends the line
        taken = keep + 1;
    } else {
        keep = kMaxLineLength;
        carryFrom = kMaxLineLength;
        taken = kMaxLineLength;
    }
    carryLen_ = kOverlongLength - carryFrom;
    carryPos_ = 0;
    std::memcpy(carry_, work_ + carryFrom, carryLen_);
    std::memcpy(line, work_, keep);
    line[keep] = '\0';
    if (longLineFlag == LongLineFlag::kArmed) {
        longLineFlag = LongLineFlag::kCutSeen;
    }
    byteCounter += taken + skipped;
    return ClampCount(taken + (mode == LineReaderMode::kIndexing ? skipped : 0));
}

}  // namespace ravelin::gamefile
