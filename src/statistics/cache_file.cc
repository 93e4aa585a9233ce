#include "statistics/cache_file.h"

#include <sys/stat.h>

#include "platform/file_util.h"

namespace ravelin::statistics {

namespace {

// A cache is at most the size of the largest game list: 200,000 rows of 100 bytes, with room.
constexpr std::size_t kMaxCacheSize = 64u << 20;

bool ModificationTime(const std::string& path, struct timespec& time) {
    struct stat info;
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    time = info.st_mtim;
    return true;
}

bool Newer(const struct timespec& a, const struct timespec& b) {
    return a.tv_sec > b.tv_sec || (a.tv_sec == b.tv_sec && a.tv_nsec > b.tv_nsec);
}

}  // namespace

std::string CachePathOf(std::string_view pgnPath, char last) {
    if (pgnPath.empty() || pgnPath.back() == last) {
        return {};
    }
    std::string path(pgnPath);
    path.back() = last;
    return path;
}

std::optional<std::string> ReadTrustedCache(const std::string& cachePath, const std::string& pgnPath,
                                            const std::function<bool(const std::string&)>& sizeFits) {
    struct timespec cacheTime {};
    struct timespec pgnTime {};
    if (cachePath.empty() || !ModificationTime(cachePath, cacheTime) || !ModificationTime(pgnPath, pgnTime) ||
        !Newer(cacheTime, pgnTime)) {
        return std::nullopt;
    }
    std::string contents;
    if (!platform::ReadSmallFile(cachePath, contents, kMaxCacheSize) || !sizeFits(contents)) {
        return std::nullopt;
    }
    return contents;
}

bool WriteCache(const std::string& cachePath, const std::string& contents) {
    return !cachePath.empty() && platform::WriteFileReplacing(cachePath, contents.data(), contents.size(),
                                                              platform::Durability::kCache);
}

}  // namespace ravelin::statistics
