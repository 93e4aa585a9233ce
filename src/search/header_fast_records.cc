#include "search/header_fast_records.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <unistd.h>

#include <new>

#include "gamefile/game_index.h"
#include "search/fast_file_reader.h"
#include "search/fast_header.h"

namespace ravelin::search {

namespace {

class Descriptor {
  public:
    explicit Descriptor(const std::string& path) : fd_(::open(path.c_str(), O_RDONLY | O_CLOEXEC)) {}
    ~Descriptor() {
        if (fd_ >= 0) {
            ::close(fd_);
        }
    }
    Descriptor(const Descriptor&) = delete;
    Descriptor& operator=(const Descriptor&) = delete;
    int Get() const { return fd_; }

  private:
    int fd_;
};

}  // namespace

FastHeaderRecords::~FastHeaderRecords() {
    Release();
}

void FastHeaderRecords::Release() {
    if (mapping_ != nullptr) {
        ::munmap(mapping_, size_);
        mapping_ = nullptr;
    }
    buffer_.reset();
    data_ = nullptr;
    size_ = pos_ = 0;
    count_ = 0;
}

FastHeaderRecords::LoadStatus FastHeaderRecords::Load(const std::string& path) {
    Release();
    if (path.empty()) {
        return LoadStatus::kMissing;
    }
    const Descriptor file(path);
    const std::int64_t size = gamefile::FileSize(file.Get());
    if (size < static_cast<std::int64_t>(kFastHeaderCountSize)) {
        return LoadStatus::kMissing;
    }
    const auto bytes = static_cast<std::size_t>(size);
    // Mapped pages come straight from the page cache: no copy, and no fresh pages to clear, which
    // is most of the cost of reading a large file into a new buffer.
    void* mapping = ::mmap(nullptr, bytes, PROT_READ, MAP_PRIVATE, file.Get(), 0);
    if (mapping != MAP_FAILED) {
        mapping_ = mapping;
        data_ = static_cast<const char*>(mapping);
    } else {
        buffer_.reset(new (std::nothrow) char[bytes]);
        if (!buffer_) {
            return LoadStatus::kNoMemory;
        }
        if (ReadFully(file.Get(), buffer_.get(), bytes) != bytes) {
            buffer_.reset();
            return LoadStatus::kMissing;
        }
        data_ = buffer_.get();
    }
    size_ = bytes;
    std::uint32_t count = 0;
    for (std::size_t i = 0; i < kFastHeaderCountSize; ++i) {
        count |= static_cast<std::uint32_t>(static_cast<unsigned char>(data_[i])) << (8 * i);
    }
    count_ = static_cast<std::int32_t>(count);
    pos_ = kFastHeaderCountSize;
    return LoadStatus::kLoaded;
}

bool FastHeaderRecords::Next(HeaderGameValues& values) {
    std::string_view* const fields[kFastHeaderStrings] = {
        &values.white,    &values.black,    &values.result, &values.date,  &values.eco,
        &values.whiteElo, &values.blackElo, &values.round,  &values.event, &values.site,
    };
    std::size_t pos = pos_;
    for (std::string_view* field : fields) {
        if (pos >= size_) {
            return false;
        }
        const std::size_t length = static_cast<unsigned char>(data_[pos]);
        if (length > size_ - pos - 1) {
            return false;
        }
        *field = std::string_view(data_ + pos + 1, length);
        pos += 1 + length;
    }
    pos_ = pos;
    return true;
}

}  // namespace ravelin::search
