#include "search/header_fast_records.h"

#include <fcntl.h>
#include <unistd.h>

#include <algorithm>
#include <bit>
#include <cstddef>
#include <cstring>
#include <list>
#include <mutex>
#include <new>

#include "gamefile/game_index.h"
#include "platform/file_util.h"
#include "search/fast_file_output.h"
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
    placed_ = limit_ == 0;
    if (MapPlaces(HeaderPlacesFilePath(path))) {
        placed_ = true;
        return LoadStatus::kLoaded;
    }
    try {
        walkedStarts_.reserve(std::min(limit_, size_ / kFastHeaderStrings));
    } catch (const std::bad_alloc&) {
        return LoadStatus::kNoMemory;
    }
    try {
        walkedDateAndEco_.reserve(walkedStarts_.capacity());
    } catch (const std::bad_alloc&) {
        // Searches then read the records themselves.
    }
    return LoadStatus::kLoaded;
}

bool FastHeaderRecords::Next(HeaderGameValues& values) const {
    std::string_view* const fields[kFastHeaderStrings] = {
        &values.white,    &values.black,    &values.result, &values.date,  &values.eco,
        &values.whiteElo, &values.blackElo, &values.round,  &values.event, &values.site,
    };
    if (placed_ || walkedStarts_.size() >= limit_) {
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
                Keep();
                return false;
            }
            *field = std::string_view(data_ + pos + 1, length);
            pos += 1 + length;
        }
    }
    walkedStarts_.push_back(static_cast<std::uint32_t>(pos_));
    if (walkedDateAndEco_.capacity() >= walkedStarts_.size()) {
        DateAndEco& copy = walkedDateAndEco_.emplace_back();
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
    if (walkedStarts_.size() == limit_) {
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
    if (records->Placed()) {
        records->Keep();
    }
    return records;
}

void FastHeaderRecords::Keep() const {
    if (!placed_) {
        placed_ = true;
        starts_ = walkedStarts_;
        dateAndEco_ = walkedDateAndEco_;
        // Later runs of the program take the places from the file instead of walking.
        SavePlaces(HeaderPlacesFilePath(stamp_.path));
    }
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
    constexpr std::size_t kLongestRecord = kFastHeaderStrings * 256;
    if (size_ - pos < kLongestRecord) {
        // Near the end of the data every value is checked.
        for (int value = 0; value < valueCount; ++value) {
            const std::size_t length = pos < size_ ? bytes[pos] : 0;
            const std::size_t fits = pos < size_ ? std::min(length, size_ - pos - 1) : 0;
            *fields[value] = pos < size_ ? std::string_view(data_ + pos + 1, fits) : std::string_view();
            pos += 1 + length;
        }
        return;
    }
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
    if (copy.resultLength > copy.result.size() || copy.dateLength > copy.date.size() ||
        copy.ecoLength > copy.eco.size()) {
        Read(record, 5, values);
        return;
    }
    values.result = std::string_view(copy.result.data(), copy.resultLength);
    values.date = std::string_view(copy.date.data(), copy.dateLength);
    values.eco = std::string_view(copy.eco.data(), copy.ecoLength);
}

// X.TRQ: this header, the place of every record (32 bits each), then the compact copies.
struct FastHeaderRecords::PlacesLayout {
    char magic[8];
    std::uint64_t headerFileSize;
    std::int64_t headerFileSeconds;
    std::int64_t headerFileNanoseconds;
    std::uint64_t headerFileSample;
    std::uint32_t records;
    std::int32_t storedCount;
    std::uint64_t unused;
    // A hash of the bytes above.
    std::uint64_t check;
};

namespace {

constexpr char kPlacesMagic[8] = {'R', 'v', 'H', 'd', 'r', 'P', 'l', '1'};

std::uint64_t Fnv(const std::uint8_t* bytes, std::size_t size, std::uint64_t hash = 0xcbf29ce484222325u) {
    for (std::size_t i = 0; i < size; ++i) {
        hash = (hash ^ bytes[i]) * 0x100000001b3u;
    }
    return hash;
}

// A hash of the first and last 4 KiB of X.TRH: with its size and time it tells the file.
std::uint64_t SampleOf(const char* data, std::size_t size) {
    constexpr std::size_t kSampleBytes = 4096;
    const auto* bytes = reinterpret_cast<const std::uint8_t*>(data);
    const std::size_t head = std::min(size, kSampleBytes);
    const std::size_t tail = std::min(size - head, kSampleBytes);
    return Fnv(bytes + size - tail, tail, Fnv(bytes, head)) ^ size;
}

}  // namespace

bool FastHeaderRecords::MapPlaces(const std::string& placesPath) {
    static_assert(sizeof(PlacesLayout) == 64 && sizeof(DateAndEco) == 20);
    if constexpr (std::endian::native != std::endian::little) {
        return false;
    }
    if (placesPath.empty() || !mappedPlaces_.Map(placesPath)) {
        return false;
    }
    PlacesLayout layout;
    if (mappedPlaces_.Size() < sizeof layout) {
        return false;
    }
    std::memcpy(&layout, mappedPlaces_.Data(), sizeof layout);
    const std::uint64_t records = layout.records;
    if (std::memcmp(layout.magic, kPlacesMagic, sizeof kPlacesMagic) != 0 ||
        layout.check != Fnv(mappedPlaces_.Data(), offsetof(PlacesLayout, check)) ||
        mappedPlaces_.Size() != sizeof layout + records * (sizeof(std::uint32_t) + sizeof(DateAndEco)) ||
        records > limit_ || layout.storedCount != count_ || layout.headerFileSize != stamp_.size ||
        layout.headerFileSeconds != stamp_.modifiedSeconds ||
        layout.headerFileNanoseconds != stamp_.modifiedNanoseconds || size_ != stamp_.size ||
        layout.headerFileSample != SampleOf(data_, size_)) {
        return false;
    }
    const std::uint8_t* at = mappedPlaces_.Data() + sizeof layout;
    const std::span<const std::uint32_t> starts(reinterpret_cast<const std::uint32_t*>(at), records);
    // Records one after the other from the first after the count, each between its ten length
    // bytes and ten longest values long, the last inside the file.
    constexpr std::uint64_t kLongestRecord = kFastHeaderStrings * 256;
    std::uint64_t previous = 0;
    for (std::size_t i = 0; i < starts.size(); ++i) {
        const std::uint64_t start = starts[i];
        if (i == 0 ? start != kFastHeaderCountSize
                   : start < previous + kFastHeaderStrings || start > previous + kLongestRecord) {
            return false;
        }
        previous = start;
    }
    if (!starts.empty()) {
        std::uint64_t end = previous;
        int value = 0;
        for (; value < kFastHeaderStrings && end < size_; ++value) {
            end += 1 + static_cast<unsigned char>(data_[end]);
        }
        if (value < kFastHeaderStrings || end > size_) {
            return false;
        }
    }
    starts_ = starts;
    dateAndEco_ = std::span<const DateAndEco>(
        reinterpret_cast<const DateAndEco*>(at + records * sizeof(std::uint32_t)), records);
    placesMapped_ = true;
    return true;
}

bool FastHeaderRecords::SavePlaces(const std::string& placesPath) const {
    if (std::endian::native != std::endian::little || placesPath.empty() || placesMapped_ ||
        dateAndEco_.size() != starts_.size() || size_ != stamp_.size) {
        return false;
    }
    PlacesLayout layout{};
    std::memcpy(layout.magic, kPlacesMagic, sizeof kPlacesMagic);
    layout.headerFileSize = stamp_.size;
    layout.headerFileSeconds = stamp_.modifiedSeconds;
    layout.headerFileNanoseconds = stamp_.modifiedNanoseconds;
    layout.headerFileSample = SampleOf(data_, size_);
    layout.records = static_cast<std::uint32_t>(starts_.size());
    layout.storedCount = count_;
    layout.check = Fnv(reinterpret_cast<const std::uint8_t*>(&layout), offsetof(PlacesLayout, check));
    return platform::WriteFileReplacing(
        placesPath,
        [&](platform::FileSink& sink) {
            return sink.Write(&layout, sizeof layout) && sink.Write(starts_.data(), starts_.size_bytes()) &&
                   sink.Write(dateAndEco_.data(), dateAndEco_.size_bytes());
        },
        platform::Durability::kCache);
}

bool FastHeaderRecords::WritePlacesFile(const std::string& headerPath) {
    LoadStatus status = LoadStatus::kMissing;
    const std::shared_ptr<const FastHeaderRecords> records = Load(headerPath, status);
    if (!records) {
        return false;
    }
    HeaderGameValues values;
    while (records->Next(values)) {
    }
    return records->Placed();
}

void ForgetFastHeaderRecords() {
    KeptRecords& kept = Kept();
    const std::lock_guard<std::mutex> lock(kept.mutex);
    kept.entries.clear();
}

}  // namespace ravelin::search
