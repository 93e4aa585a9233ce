#include "search/fast_file_output.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "gamefile/game_index.h"

namespace ravelin::search {

namespace {

// Records are small; a large buffer keeps the number of system calls of a big file low.
constexpr std::size_t kOutputBufferSize = 1 << 20;
constexpr mode_t kNewFileMode = 0644;
constexpr char kTemporarySuffix[] = ".tmp~";

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        const ssize_t done = ::write(fd, data, size);
        if (done < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        if (done == 0) {
            return false;
        }
        data += done;
        size -= static_cast<std::size_t>(done);
    }
    return true;
}

}  // namespace

BufferedOutput::~BufferedOutput() {
    Abandon();
}

bool BufferedOutput::Create(const std::string& path) {
    Abandon();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, kNewFileMode);
    failed_ = fd_ < 0;
    written_ = 0;
    buffer_.clear();
    buffer_.reserve(kOutputBufferSize);
    return fd_ >= 0;
}

bool BufferedOutput::OpenAt(const std::string& path, std::uint64_t offset) {
    Abandon();
    fd_ = ::open(path.c_str(), O_WRONLY | O_CLOEXEC);
    if (fd_ >= 0 && ::lseek(fd_, static_cast<off_t>(offset), SEEK_SET) < 0) {
        ::close(fd_);
        fd_ = -1;
    }
    failed_ = fd_ < 0;
    written_ = 0;
    buffer_.clear();
    buffer_.reserve(kOutputBufferSize);
    return fd_ >= 0;
}

bool BufferedOutput::Append(std::string_view bytes) {
    if (failed_) {
        return false;
    }
    buffer_.append(bytes);
    if (buffer_.size() >= kOutputBufferSize) {
        return Flush();
    }
    return true;
}

void BufferedOutput::AppendWord(std::uint16_t word) {
    const char bytes[2] = {static_cast<char>(word & 0xff), static_cast<char>(word >> 8)};
    Append(std::string_view(bytes, sizeof bytes));
}

bool BufferedOutput::Flush() {
    if (failed_ || fd_ < 0) {
        failed_ = true;
        return false;
    }
    if (!WriteAll(fd_, buffer_.data(), buffer_.size())) {
        failed_ = true;
        return false;
    }
    written_ += buffer_.size();
    buffer_.clear();
    return true;
}

bool BufferedOutput::Finish() {
    const bool flushed = Flush();
    bool closed = true;
    if (fd_ >= 0) {
        closed = ::close(fd_) == 0;
        fd_ = -1;
    }
    failed_ = failed_ || !flushed || !closed;
    return !failed_;
}

void BufferedOutput::Abandon() {
    if (fd_ >= 0) {
        ::close(fd_);
        fd_ = -1;
    }
    buffer_.clear();
}

std::string FastMoveFilePath(std::string_view pgnPath) {
    return gamefile::CompanionPath(pgnPath, "TRF");
}

std::string FastHeaderFilePath(std::string_view pgnPath) {
    return gamefile::CompanionPath(pgnPath, "TRH");
}

std::string PositionIndexFilePath(std::string_view pgnOrMovePath) {
    return gamefile::CompanionPath(pgnOrMovePath, "TRP");
}

std::string HeaderPlacesFilePath(std::string_view pgnOrHeaderPath) {
    return gamefile::CompanionPath(pgnOrHeaderPath, "TRQ");
}

std::string TemporaryNameFor(const std::string& path) {
    // One character longer than the companion name, so it can never be the PGN file either.
    return path + kTemporarySuffix;
}

}  // namespace ravelin::search
