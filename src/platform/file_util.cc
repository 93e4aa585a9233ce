#include "platform/file_util.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
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

}  // namespace

bool WriteFileReplacing(const std::string& path, const void* data, std::size_t size, Durability durability) {
    std::string pattern = path + ".XXXXXX";
    std::vector<char> name(pattern.begin(), pattern.end());
    name.push_back('\0');
    int fd = mkstemp(name.data());
    if (fd < 0) {
        return false;
    }
    bool ok = WriteAll(fd, static_cast<const char*>(data), size);
    // mkstemp makes the file private; working files are ordinary user files.
    ok = ok && fchmod(fd, 0644) == 0;
    // The new contents reach the disk before the name points at them.
    ok = ok && (durability == Durability::kCache || fsync(fd) == 0);
    ok = close(fd) == 0 && ok;
    if (ok && std::rename(name.data(), path.c_str()) == 0) {
        return true;
    }
    unlink(name.data());
    return false;
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

}  // namespace ravelin::platform
