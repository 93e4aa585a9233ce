#include "platform/file_util.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <atomic>
#include <cerrno>
#include <climits>
#include <cstdio>
#include <vector>

namespace ravelin::platform {

namespace {

bool WriteAll(int fd, const char* data, std::size_t size) {
    while (size > 0) {
        ssize_t written = write(fd, data, size);
        if (written < 0) {
            if (errno == EINTR) {
                continue;
            }
            return false;
        }
        data += written;
        size -= static_cast<std::size_t>(written);
    }
    return true;
}

// Writes through a large buffer, so that producers may hand over lines without a system call each.
class BufferedSink : public FileSink {
  public:
    explicit BufferedSink(int fd) : fd_(fd) { buffer_.reserve(kSinkBufferSize); }
    bool Write(const void* data, std::size_t size) override {
        if (failed_) {
            return false;
        }
        const char* bytes = static_cast<const char*>(data);
        if (buffer_.size() + size > kSinkBufferSize) {
            if (!Flush()) {
                return false;
            }
            if (size >= kSinkBufferSize) {
                failed_ = !WriteAll(fd_, bytes, size);
                return !failed_;
            }
        }
        buffer_.insert(buffer_.end(), bytes, bytes + size);
        return true;
    }
    using FileSink::Write;
    // The kernel copies between the files without bringing the bytes through this process, where
    // the file systems allow it; elsewhere they are read and written.
    bool CopyFrom(int fd, std::uint64_t offset, std::uint64_t length) override {
        if (!Flush()) {
            return false;
        }
        auto from = static_cast<off_t>(offset);
        while (length > 0) {
            const ssize_t copied =
                copy_file_range(fd, &from, fd_, nullptr, static_cast<std::size_t>(length), 0);
            if (copied < 0 && errno == EINTR) {
                continue;
            }
            if (copied < 0 && (errno == EXDEV || errno == EINVAL || errno == ENOSYS || errno == EOPNOTSUPP)) {
                return FileSink::CopyFrom(fd, static_cast<std::uint64_t>(from), length);
            }
            if (copied <= 0) {
                failed_ = true;
                return false;
            }
            length -= static_cast<std::uint64_t>(copied);
        }
        return true;
    }
    bool Flush() {
        if (!failed_ && !buffer_.empty()) {
            failed_ = !WriteAll(fd_, buffer_.data(), buffer_.size());
            buffer_.clear();
        }
        return !failed_;
    }

  private:
    static constexpr std::size_t kSinkBufferSize = 1 << 20;
    int fd_;
    std::vector<char> buffer_;
    bool failed_ = false;
};

RewriteObserver rewriteObserver = nullptr;

void Report(RewriteStep step) {
    if (rewriteObserver != nullptr) {
        rewriteObserver(step);
    }
}

// The file a path finally names when it is a symbolic link (a chain of them, each relative to its
// own directory); the path itself otherwise, or when the link cannot be read.
std::string FollowLinks(const std::string& path) {
    constexpr int kMaxLinks = 40;
    std::string current = path;
    for (int i = 0; i < kMaxLinks; ++i) {
        struct stat info;
        if (lstat(current.c_str(), &info) != 0 || !S_ISLNK(info.st_mode)) {
            return current;
        }
        std::vector<char> target(static_cast<std::size_t>(PATH_MAX) + 1);
        ssize_t length = readlink(current.c_str(), target.data(), target.size() - 1);
        if (length < 0) {
            return current;
        }
        std::string next(target.data(), static_cast<std::size_t>(length));
        std::size_t slash = current.rfind('/');
        if (!next.empty() && next[0] != '/' && slash != std::string::npos) {
            next = current.substr(0, slash + 1) + next;
        }
        current = next;
    }
    return current;
}

// Creates a new file beside the target; a new file gets the permissions the user's umask allows.
int CreateTemporary(const std::string& target, std::string& name) {
    static std::atomic<unsigned> counter{0};
    constexpr int kAttempts = 100;
    for (int attempt = 0; attempt < kAttempts; ++attempt) {
        char suffix[64];
        std::snprintf(suffix, sizeof suffix, ".%ld-%u.tmp", static_cast<long>(getpid()), counter++);
        name = target + suffix;
        int fd = open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
        if (fd >= 0 || errno != EEXIST) {
            return fd;
        }
    }
    return -1;
}

}  // namespace

void SyncDirectoryOf(const std::string& path) {
    std::size_t slash = path.rfind('/');
    std::string directory = slash == std::string::npos ? "." : (slash == 0 ? "/" : path.substr(0, slash));
    int fd = open(directory.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
    if (fd >= 0) {
        fsync(fd);
        close(fd);
    }
}

bool FileSink::CopyFrom(int fd, std::uint64_t offset, std::uint64_t length) {
    constexpr std::size_t kBlock = 1 << 20;
    std::vector<char> block(kBlock);
    while (length > 0) {
        const std::size_t want = static_cast<std::size_t>(std::min<std::uint64_t>(kBlock, length));
        const ssize_t got = pread(fd, block.data(), want, static_cast<off_t>(offset));
        if (got < 0 && errno == EINTR) {
            continue;
        }
        if (got <= 0 || !Write(block.data(), static_cast<std::size_t>(got))) {
            return false;
        }
        offset += static_cast<std::uint64_t>(got);
        length -= static_cast<std::uint64_t>(got);
    }
    return true;
}

bool WriteFileReplacing(const std::string& path, const ContentWriter& writeContents, Durability durability) {
    const std::string target = FollowLinks(path);
    struct stat old;
    const bool exists = stat(target.c_str(), &old) == 0;
    if (exists && !S_ISREG(old.st_mode)) {
        return false;
    }
    std::string temporary;
    int fd = CreateTemporary(target, temporary);
    if (fd < 0) {
        return false;
    }
    Report(RewriteStep::kTemporaryCreated);
    bool ok = true;
    {
        BufferedSink sink(fd);
        ok = writeContents(sink) && sink.Flush();
    }
    if (ok) {
        Report(RewriteStep::kContentsWritten);
    }
    if (ok && exists) {
        // The owner may fail to change for an ordinary user; the permissions must not.
        (void)!fchown(fd, old.st_uid, old.st_gid);
        ok = fchmod(fd, old.st_mode & 07777) == 0;
    }
    // The new contents reach the disk before the name points at them.
    ok = ok && (durability == Durability::kCache || fsync(fd) == 0);
    ok = close(fd) == 0 && ok;
    if (ok) {
        Report(RewriteStep::kContentsSynced);
    }
    if (!ok || std::rename(temporary.c_str(), target.c_str()) != 0) {
        unlink(temporary.c_str());
        return false;
    }
    if (durability == Durability::kDurable) {
        SyncDirectoryOf(target);
    }
    Report(RewriteStep::kRenamed);
    return true;
}

bool WriteFileReplacing(const std::string& path, const void* data, std::size_t size, Durability durability) {
    return WriteFileReplacing(
        path, [&](FileSink& sink) { return sink.Write(data, size); }, durability);
}

bool AppendToFile(const std::string& path, const ContentWriter& writeContents, std::int64_t& oldSize) {
    oldSize = -1;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info;
    if (fstat(fd, &info) != 0 || !S_ISREG(info.st_mode)) {
        close(fd);
        return false;
    }
    oldSize = info.st_size;
    // Written in place, a process killed halfway would leave part of the addition behind; the old
    // bytes are copied (by the kernel where it can) into the replacement instead.
    const bool ok = WriteFileReplacing(path, [&](FileSink& sink) {
        return sink.CopyFrom(fd, 0, static_cast<std::uint64_t>(oldSize)) && writeContents(sink);
    });
    close(fd);
    return ok;
}

namespace {

std::string NewFileOf(const std::string& target) {
    return target + ".new";
}

}  // namespace

bool ReplaceFileSet(const std::string& journal, const std::vector<FileContents>& files) {
    std::string names;
    for (const FileContents& file : files) {
        if (!WriteFileReplacing(NewFileOf(file.path), file.contents.data(), file.contents.size())) {
            return false;
        }
        names += file.path + '\n';
    }
    // From here on the set is new: a crash is finished by the next reader.
    if (!WriteFileReplacing(journal, names.data(), names.size())) {
        return false;
    }
    bool renamed = true;
    for (const FileContents& file : files) {
        renamed = std::rename(NewFileOf(file.path).c_str(), file.path.c_str()) == 0 && renamed;
        Report(RewriteStep::kRenamed);
    }
    SyncDirectoryOf(files.empty() ? journal : files.back().path);
    unlink(journal.c_str());
    SyncDirectoryOf(journal);
    return renamed;
}

void FinishFileSet(const std::string& journal, const std::vector<std::string>& targets) {
    std::string names;
    if (!ReadSmallFile(journal, names, 1 << 16)) {
        for (const std::string& target : targets) {
            unlink(NewFileOf(target).c_str());
        }
        return;
    }
    for (std::size_t start = 0, end = 0; (end = names.find('\n', start)) != std::string::npos;
         start = end + 1) {
        const std::string target = names.substr(start, end - start);
        if (FileExists(NewFileOf(target))) {
            std::rename(NewFileOf(target).c_str(), target.c_str());
        }
    }
    SyncDirectoryOf(journal);
    unlink(journal.c_str());
    SyncDirectoryOf(journal);
}

void ReportRewriteStep(RewriteStep step) {
    Report(step);
}

void SetRewriteObserver(RewriteObserver observer) {
    rewriteObserver = observer;
}

bool ReadSmallFile(const std::string& path, std::string& contents, std::size_t maxSize) {
    contents.clear();
    int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    // Files of known size are read in one piece.
    struct stat info;
    if (fstat(fd, &info) == 0 && S_ISREG(info.st_mode)) {
        if (static_cast<std::size_t>(info.st_size) > maxSize) {
            close(fd);
            return false;
        }
        contents.reserve(static_cast<std::size_t>(info.st_size));
    }
    char chunk[65536];
    bool ok = true;
    for (;;) {
        ssize_t got = read(fd, chunk, sizeof chunk);
        if (got < 0) {
            if (errno == EINTR) {
                continue;
            }
            ok = false;
            break;
        }
        if (got == 0) {
            break;
        }
        if (contents.size() + static_cast<std::size_t>(got) > maxSize) {
            ok = false;
            break;
        }
        contents.append(chunk, static_cast<std::size_t>(got));
    }
    close(fd);
    return ok;
}

bool FileExists(const std::string& path) {
    struct stat info;
    return stat(path.c_str(), &info) == 0 && S_ISREG(info.st_mode);
}

int OpenMemoryFile(std::string_view contents) {
    const int fd = memfd_create("contents", MFD_CLOEXEC);
    if (fd < 0) {
        return -1;
    }
    std::size_t written = 0;
    while (written < contents.size()) {
        const ssize_t done = write(fd, contents.data() + written, contents.size() - written);
        if (done < 0 && errno == EINTR) {
            continue;
        }
        if (done <= 0) {
            close(fd);
            return -1;
        }
        written += static_cast<std::size_t>(done);
    }
    return fd;
}

}  // namespace ravelin::platform
