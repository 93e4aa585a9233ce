#include "search/header_move_counts.h"

#include <fcntl.h>
#include <unistd.h>

#include <new>

#include "search/fast_file_reader.h"
#include "search/fast_move.h"

namespace ravelin::search {

FastRecordLengths::~FastRecordLengths() {
    if (fd_ >= 0) {
        ::close(fd_);
    }
}

bool FastRecordLengths::Open(const std::string& path, std::size_t windowBytes) {
    if (path.empty() || windowBytes < 2) {
        return false;
    }
    fd_ = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd_ < 0) {
        return false;
    }
    // Even, so that a word never straddles two fills.
    capacity_ = windowBytes & ~static_cast<std::size_t>(1);
    window_.reset(new (std::nothrow) std::uint8_t[capacity_]);
    return window_ != nullptr;
}

bool FastRecordLengths::Refill() {
    const std::size_t done = ReadFully(fd_, window_.get(), capacity_);
    pos_ = 0;
    // A last odd byte belongs to no word: the file then has no end word there, and is stale.
    end_ = done & ~static_cast<std::size_t>(1);
    return end_ > 0;
}

FastRecordLengths::Step FastRecordLengths::Next(int& plies) {
    plies = 0;
    for (;;) {
        if (pos_ == end_ && !Refill()) {
            return Step::kStale;
        }
        const std::uint8_t* data = window_.get();
        while (pos_ < end_) {
            const auto word = static_cast<FastMove>(data[pos_] | (data[pos_ + 1] << 8));
            pos_ += 2;
            if (IsResultWord(word)) {
                return Step::kRecord;
            }
            if (word == kEndOfFileWord) {
                return plies == 0 ? Step::kEnd : Step::kStale;
            }
            if (++plies > kMaxFastRecordMoves) {
                return Step::kStale;
            }
        }
    }
}

}  // namespace ravelin::search
