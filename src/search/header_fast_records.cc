#include "search/header_fast_records.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <cstring>
#include <list>
#include <mutex>
#include <new>

#include "gamefile/game_index.h"
#include "search/fast_file_reader.h"
#include "search/fast_header.h"
#include "search/file_stamp.h"

namespace ravelin::search {

namespace {

// The open file's records and those of the file searched before.
constexpr std::size_t kKeptFiles = 2;

struct KeptRecords {
    std::mutex mutex;
    std::list<std::pair<FileStamp, std::shared_ptr<const FastHeaderRecords>>> entries;
};

KeptRecords& Kept() {
    static KeptRecords kept;
    return kept;
}

}  // namespace

FastHeaderRecords::LoadStatus FastHeaderRecords::Open(const std::string& path) {
    if (path.empty()) {
        return LoadStatus::kMissing;
    }
    // Mapped pages come straight from the page cache: no copy, and no fresh pages to clear, which
    // is most of the cost of reading a large file into a new buffer.
    if (mapped_.Map(path)) {
        data_ = reinterpret_cast<const char*>(mapped_.Data());
        size_ = mapped_.Size();
    } else {
        const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
        const std::int64_t size = gamefile::FileSize(fd);
        if (size < 0) {
            if (fd >= 0) {
                ::close(fd);
            }
            return LoadStatus::kMissing;
        }
        size_ = static_cast<std::size_t>(size);
        buffer_.reset(new (std::nothrow) char[std::max<std::size_t>(size_, 1)]);
        const bool read = buffer_ && ReadFully(fd, buffer_.get(), size_) == size_;
        ::close(fd);
        if (!buffer_) {
            return LoadStatus::kNoMemory;
        }
        if (!read) {
            return LoadStatus::kMissing;
        }
        data_ = buffer_.get();
    }
    if (size_ < kFastHeaderCountSize) {
        return LoadStatus::kMissing;
    }
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < kFastHeaderCountSize; ++i) {
        count |= static_cast<std::uint32_t>(static_cast<unsigned char>(data_[i])) << (8 * i);
    }
    count_ = static_cast<std::int32_t>(count);
    limit_ = static_cast<std::size_t>(std::clamp<std::int32_t>(count_, 0, gamefile::kMaxGames));
    pos_ = kFastHeaderCountSize;
    try {
        starts_.reserve(std::min(limit_, size_ / kFastHeaderStrings));
    } catch (const std::bad_alloc&) {
        return LoadStatus::kNoMemory;
    }
    try {
        dateAndEco_.reserve(starts_.capacity());
    } catch (const std::bad_alloc&) {
        // Searches then read the records themselves.
    }
    placed_ = limit_ == 0;
    return LoadStatus::kLoaded;
}

bool FastHeaderRecords::Next(HeaderGameValues& values) const {
    std::string_view* const fields[kFastHeaderStrings] = {
        &values.white,    &values.black,    &values.result, &values.date,  &values.eco,
        &values.whiteElo, &values.blackElo, &values.round,  &values.event, &values.site,
    };
    if (placed_ || starts_.size() >= limit_) {
        return false;
    }
    // Far enough from the end that no record can run past it: no test per value.
    constexpr std::size_t kLongestRecord = kFastHeaderStrings * 256;
    const auto* const bytes = reinterpret_cast<const unsigned char*>(data_);
    std::size_t pos = pos_;
    if (size_ - pos >= kLongestRecord) {
        for (std::string_view* field : fields) {
            const std::size_t length = bytes[pos];
            *field = std::string_view(data_ + pos + 1, length);
            pos += 1 + length;
        }
    } else {
        for (std::string_view* field : fields) {
            const std::size_t length = pos < size_ ? bytes[pos] : 0;
            if (pos >= size_ || length > size_ - pos - 1) {
                // Cut short: the records before it are all there are.
                placed_ = true;
                Keep();
                return false;
            }
            *field = std::string_view(data_ + pos + 1, length);
            pos += 1 + length;
        }
    }
    starts_.push_back(static_cast<std::uint32_t>(pos_));
    if (dateAndEco_.capacity() >= starts_.size()) {
        DateAndEco& copy = dateAndEco_.emplace_back();
        const auto keep = [](std::string_view value, auto& to, std::uint8_t& length, bool cut) {
            const std::size_t kept = std::min(value.size(), to.size());
            std::memcpy(to.data(), value.data(), kept);
            length = kept == value.size() || cut ? static_cast<std::uint8_t>(kept) : DateAndEco::kDoesNotFit;
        };
        keep(values.result, copy.result, copy.resultLength, true);
        keep(values.date, copy.date, copy.dateLength, false);
        keep(values.eco, copy.eco, copy.ecoLength, false);
    }
    pos_ = pos;
    if (starts_.size() == limit_) {
        placed_ = true;
        Keep();
    }
    return true;
}

std::shared_ptr<const FastHeaderRecords> FastHeaderRecords::Load(const std::string& path,
                                                                 LoadStatus& status) {
    FileStamp stamp;
    if (path.empty() || !StampOf(path, stamp)) {
        status = LoadStatus::kMissing;
        return nullptr;
    }
    KeptRecords& kept = Kept();
    {
        const std::lock_guard<std::mutex> lock(kept.mutex);
        for (auto it = kept.entries.begin(); it != kept.entries.end(); ++it) {
            if (it->first == stamp) {
                kept.entries.splice(kept.entries.begin(), kept.entries, it);
                status = LoadStatus::kLoaded;
                return it->second;
            }
        }
    }
    std::shared_ptr<FastHeaderRecords> records(new (std::nothrow) FastHeaderRecords);
    if (!records) {
        status = LoadStatus::kNoMemory;
        return nullptr;
    }
    records->stamp_ = stamp;
    status = records->Open(path);
    if (status != LoadStatus::kLoaded) {
        return nullptr;
    }
    return records;
}

void FastHeaderRecords::Keep() const {
    FileStamp now;
    // A file that changed while it was read serves this search only.
    if (!StampOf(stamp_.path, now) || !(now == stamp_)) {
        return;
    }
    // The walk of this search is over: from now on the records are only read.
    KeptRecords& kept = Kept();
    const std::lock_guard<std::mutex> lock(kept.mutex);
    kept.entries.remove_if([this](const auto& entry) { return entry.first.path == stamp_.path; });
    kept.entries.emplace_front(stamp_, shared_from_this());
    if (kept.entries.size() > kKeptFiles) {
        kept.entries.pop_back();
    }
}

void FastHeaderRecords::Read(int record, int valueCount, HeaderGameValues& values) const {
    std::string_view* const fields[kFastHeaderStrings] = {
        &values.white,    &values.black,    &values.result, &values.date,  &values.eco,
        &values.whiteElo, &values.blackElo, &values.round,  &values.event, &values.site,
    };
    const auto* const bytes = reinterpret_cast<const unsigned char*>(data_);
    // The walk that found the record checked that all ten values lie inside the data.
    std::size_t pos = starts_[static_cast<std::size_t>(record)];
    // The records are read in order: ask for one a little ahead, which the memory brings in while
    // this one is tested.
    constexpr std::size_t kAhead = 8;
    if (static_cast<std::size_t>(record) + kAhead < starts_.size()) {
        __builtin_prefetch(bytes + starts_[static_cast<std::size_t>(record) + kAhead]);
    }
    for (int value = 0; value < valueCount; ++value) {
        const std::size_t length = bytes[pos];
        *fields[value] = std::string_view(data_ + pos + 1, length);
        pos += 1 + length;
    }
}

void FastHeaderRecords::ReadDateAndEco(int record, HeaderGameValues& values) const {
    if (dateAndEco_.size() != starts_.size()) {
        Read(record, 5, values);
        return;
    }
    const DateAndEco& copy = dateAndEco_[static_cast<std::size_t>(record)];
    if (copy.dateLength == DateAndEco::kDoesNotFit || copy.ecoLength == DateAndEco::kDoesNotFit) {
        Read(record, 5, values);
        return;
    }
    values.result = std::string_view(copy.result.data(), copy.resultLength);
    values.date = std::string_view(copy.date.data(), copy.dateLength);
    values.eco = std::string_view(copy.eco.data(), copy.ecoLength);
}

void ForgetFastHeaderRecords() {
    KeptRecords& kept = Kept();
    const std::lock_guard<std::mutex> lock(kept.mutex);
    kept.entries.clear();
}

}  // namespace ravelin::search
