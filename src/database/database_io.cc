#include "database/database_io.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>

#include "database/database_format.h"

namespace ravelin::database {

namespace {

class Descriptor {
  public:
    explicit Descriptor(int fd) : fd_(fd) {}
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

ReadStatus ReadWholeFile(const std::string& path, std::string& bytes) {
    bytes.clear();
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        return ReadStatus::kOpenFailed;
    }
    struct stat info {};
    if (::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return ReadStatus::kOpenFailed;
    }
    try {
        bytes.resize(static_cast<std::size_t>(info.st_size));
    } catch (const std::bad_alloc&) {
        return ReadStatus::kReadFailed;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t got = ::read(fd.Get(), bytes.data() + done, bytes.size() - done);
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0) {
            return ReadStatus::kReadFailed;
        }
        done += static_cast<std::size_t>(got);
    }
    return ReadStatus::kOk;
}

std::int64_t FileSizeOf(const std::string& path) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return -1;
    }
    return static_cast<std::int64_t>(info.st_size);
}

const char* ReadFailureMessage(ReadStatus status) {
    return status == ReadStatus::kOpenFailed ? kFileOpenError : kFileReadError;
}

bool WriteAt(const std::string& path, std::int64_t offset, std::string_view bytes) {
    const Descriptor fd(::open(path.c_str(), O_WRONLY | O_CLOEXEC));
    if (fd.Get() < 0) {
        return false;
    }
    std::size_t done = 0;
    while (done < bytes.size()) {
        const ssize_t put = ::pwrite(fd.Get(), bytes.data() + done, bytes.size() - done,
                                     static_cast<off_t>(offset + static_cast<std::int64_t>(done)));
        if (put < 0 && errno == EINTR) {
            continue;
        }
        if (put <= 0) {
            return false;
        }
        done += static_cast<std::size_t>(put);
    }
    return true;
}

bool TruncateTo(const std::string& path, std::int64_t size) {
    return ::truncate(path.c_str(), static_cast<off_t>(size)) == 0;
}

bool SyncFile(const std::string& path) {
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    return fd.Get() >= 0 && ::fsync(fd.Get()) == 0;
}

bool MappedFile::Map(const std::string& path) {
    Unmap();
    const Descriptor fd(::open(path.c_str(), O_RDONLY | O_CLOEXEC));
    struct stat info {};
    if (fd.Get() < 0 || ::fstat(fd.Get(), &info) != 0 || !S_ISREG(info.st_mode)) {
        return false;
    }
    size_ = static_cast<std::int64_t>(info.st_size);
    if (size_ == 0) {
        return true;
    }
    void* address = ::mmap(nullptr, static_cast<std::size_t>(size_), PROT_READ, MAP_PRIVATE, fd.Get(), 0);
    if (address == MAP_FAILED) {
        size_ = 0;
        return false;
    }
    data_ = static_cast<const std::uint8_t*>(address);
    mapped_ = true;
    return true;
}

void MappedFile::Unmap() {
    if (mapped_) {
        ::munmap(const_cast<std::uint8_t*>(data_), static_cast<std::size_t>(size_));
    }
    data_ = nullptr;
    size_ = 0;
    mapped_ = false;
}

}  // namespace ravelin::database
