#include "gamefile/line_reader.h"

#include <unistd.h>

#if defined(__SSE2__)
#include <emmintrin.h>
#endif

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

// The read buffer has this many readable bytes after its end, so the line-feed search may load
// whole 16-byte blocks.
constexpr std::size_t kBufferPadding = 16;

// The first line feed in [start, start + length), or null. Lines are short, so an inline search
// over 16-byte blocks beats a library call; bytes past the range are loaded but ignored.
inline const char* FindLineFeed(const char* start, std::size_t length) {
#if defined(__SSE2__)
    const __m128i lineFeeds = _mm_set1_epi8('\n');
    for (std::size_t offset = 0; offset < length; offset += 16) {
        __m128i block = _mm_loadu_si128(reinterpret_cast<const __m128i*>(start + offset));
        unsigned mask = static_cast<unsigned>(_mm_movemask_epi8(_mm_cmpeq_epi8(block, lineFeeds)));
        if (mask != 0) {
            std::size_t found = offset + static_cast<std::size_t>(__builtin_ctz(mask));
            return found < length ? start + found : nullptr;
        }
    }
    return nullptr;
#else
    return static_cast<const char*>(std::memchr(start, '\n', length));
#endif
}

}  // namespace

LineReader::LineReader(std::size_t bufferSize)
    : bufferSize_(bufferSize < kLineBufferSize ? kLineBufferSize : bufferSize),
      buffer_(new char[bufferSize_ + kBufferPadding]()) {}

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
        got = read(fd_, buffer_.get(), bufferSize_);
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
    std::string_view text;
    int count = NextLine(text);
    std::memcpy(line, text.data(), text.size());
    line[text.size()] = '\0';
    return count;
}

int LineReader::FinishLine(std::string_view& text, const char* start, std::size_t stored, std::size_t taken,
                           std::size_t skipped) {
    std::size_t length = stored;
    while (length > 0 && start[length - 1] == '\r') {
        --length;
    }
    text = std::string_view(start, length);
    byteCounter += taken + skipped;
    return ClampCount(taken + (mode == LineReaderMode::kIndexing ? skipped : 0));
}

int LineReader::NextLine(std::string_view& text) {
    // Most lines lie whole in the read buffer and begin with a character other than a blank.
    if (carryPos_ == carryLen_ && pos_ < end_ && !atFileStart_) {
        const char* start = buffer_.get() + pos_;
        if (*start != ' ' || mode == LineReaderMode::kKeepLeadingBlanks) {
            std::size_t scan = std::min(end_ - pos_, kOverlongLength);
            const char* lineFeed = FindLineFeed(start, scan);
            if (lineFeed != nullptr) {
                std::size_t stored = static_cast<std::size_t>(lineFeed - start);
                pos_ += stored + 1;
                std::size_t length = stored;
                while (length > 0 && start[length - 1] == '\r') {
                    --length;
                }
                text = std::string_view(start, length);
                byteCounter += stored + 1;
                return static_cast<int>(stored + 1);
            }
        }
    }

    std::size_t len = 0;  // characters gathered in work_ from earlier chunks
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
                return FinishLine(text, work_, len, len, skipped);
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
        std::size_t& position = fromCarry ? carryPos_ : pos_;

        std::size_t i = 0;
        if (!started) {
            while (i < available && chunk[i] == ' ') {
                ++i;
            }
            skipped += i;
            if (i == available) {
                position += i;
                continue;
            }
            started = true;
        }

        std::size_t scan = std::min(available - i, kOverlongLength - len);
        const char* lineFeed = static_cast<const char*>(std::memchr(chunk + i, '\n', scan));
        std::size_t n = lineFeed != nullptr ? static_cast<std::size_t>(lineFeed - (chunk + i)) : scan;
        if (lineFeed != nullptr && len == 0) {
            // The whole line lies in one chunk: hand it out where it is.
            position += i + n + 1;
            return FinishLine(text, chunk + i, n, n + 1, skipped);
        }
        std::memcpy(work_ + len, chunk + i, n);
        len += n;
        position += i + n + (lineFeed != nullptr ? 1 : 0);
        if (lineFeed != nullptr) {
            return FinishLine(text, work_, len, len + 1, skipped);
        }
        if (len == kOverlongLength) {
            return CutLongLine(text, skipped);
        }
    }
}

int LineReader::CutLongLine(std::string_view& text, std::size_t skipped) {
    // The over-long line is taken from the read buffer only: a carried rest is always shorter than
    // a line, so it has been used up before the line grows this long.
    if (work_[kMaxLineLength] == '\r' && (pos_ < end_ || Fill()) && buffer_[pos_] == '\n') {
        // 255 characters and CR LF: the line fits once its line end is dropped.
        ++pos_;
        text = std::string_view(work_, kMaxLineLength);
        byteCounter += kOverlongLength + 1 + skipped;
        return ClampCount(kOverlongLength + 1 + (mode == LineReaderMode::kIndexing ? skipped : 0));
    }
    std::size_t keep;
    std::size_t carryFrom;
    const char* lastBlank = static_cast<const char*>(memrchr(work_, ' ', kOverlongLength));
    if (lastBlank != nullptr) {
        keep = static_cast<std::size_t>(lastBlank - work_);
        carryFrom = keep + 1;  // the blank ends the line
    } else {
        keep = kMaxLineLength;
        carryFrom = kMaxLineLength;
    }
    carryLen_ = kOverlongLength - carryFrom;
    carryPos_ = 0;
    std::memcpy(carry_, work_ + carryFrom, carryLen_);
    if (longLineFlag == LongLineFlag::kArmed) {
        longLineFlag = LongLineFlag::kCutSeen;
    }
    text = std::string_view(work_, keep);
    byteCounter += carryFrom + skipped;
    return ClampCount(carryFrom + (mode == LineReaderMode::kIndexing ? skipped : 0));
}

}  // namespace ravelin::gamefile
