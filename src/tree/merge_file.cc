#include "tree/merge_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <cstdlib>
#include <memory>

#include "gamefile/game_index.h"
#include "platform/file_util.h"
#include "tree/tree_file.h"
#include "tree/tree_source.h"

namespace ravelin::tree {

namespace {

constexpr std::size_t kMaxCopyBytes = std::size_t{1} << 31;
constexpr const char* kOwnSuffixes[] = {"TRF", "TRH", "TRP", "TRQ", "TRE", "TRX", "TRT", "PGO"};
// The game list and score caches replace only the last character of the name.
constexpr char kOwnLastCharacters[] = {'s', 'q', 'x'};

std::string Resolved(const std::string& path) {
    std::unique_ptr<char, decltype(&std::free)> real(::realpath(path.c_str(), nullptr), &std::free);
    return real ? std::string(real.get()) : path;
}

// The bytes of a fast move file when they are records ended by the end word.
bool ReadRecords(const std::string& path, std::string& bytes) {
    if (!platform::ReadSmallFile(path, bytes, kMaxCopyBytes) || bytes.size() < 2 || bytes.size() % 2 != 0) {
        return false;
    }
    return bytes[bytes.size() - 1] == 0 && bytes[bytes.size() - 2] == 0;
}

}  // namespace

std::vector<std::string> ProtectedFilesOf(const std::string& pgnPath,
                                          const std::vector<std::string>& databaseFiles) {
    std::vector<std::string> files = databaseFiles;
    if (!pgnPath.empty()) {
        files.push_back(pgnPath);
        for (const char* suffix : kOwnSuffixes) {
            if (std::string companion = gamefile::CompanionPath(pgnPath, suffix); !companion.empty()) {
                files.push_back(std::move(companion));
            }
        }
        for (const char last : kOwnLastCharacters) {
            std::string cache = pgnPath;
            cache.back() = last;
            if (cache != pgnPath) {
                files.push_back(std::move(cache));
            }
        }
    }
    return files;
}

bool SameFile(const std::string& a, const std::string& b) {
    struct stat first {};
    struct stat second {};
    if (::stat(a.c_str(), &first) == 0 && ::stat(b.c_str(), &second) == 0) {
        return first.st_dev == second.st_dev && first.st_ino == second.st_ino;
    }
    return Resolved(a) == Resolved(b);
}

bool IsProtected(const std::string& mergePath, const std::vector<std::string>& protectedFiles) {
    for (const std::string& file : protectedFiles) {
        if (SameFile(mergePath, file)) {
            return true;
        }
    }
    return false;
}

bool MergeFileIsTerminated(const std::string& mergePath) {
    FILE* file = std::fopen(mergePath.c_str(), "rb");
    if (file == nullptr) {
        return false;
    }
    unsigned char last[2] = {1, 1};
    bool ok = std::fseek(file, 0, SEEK_END) == 0;
    const long size = ok ? std::ftell(file) : -1;
    ok = ok && size >= 2 && size % 2 == 0 && std::fseek(file, size - 2, SEEK_SET) == 0 &&
         std::fread(last, 1, 2, file) == 2;
    std::fclose(file);
    return ok && last[0] == 0 && last[1] == 0;
}

void RemoveTreeFiles(TreeSourceKind kind, const std::string& base) {
    for (const bool exact : {false, true}) {
        if (const std::string path = TreeFilePathOf(kind, base, exact); !path.empty()) {
            std::remove(path.c_str());
            std::remove(PathFileOf(path).c_str());
        }
    }
}

void RemoveMergeTreeFiles(const std::string& mergePath) {
    RemoveTreeFiles(TreeSourceKind::kMergeFile, mergePath);
}

MergeCopy CopyFastFileIntoMerge(const std::string& fastMovePath, const std::string& mergePath, bool append) {
    std::string records;
    if (!ReadRecords(fastMovePath, records)) {
        return MergeCopy::kReadError;
    }
    return WriteRecordsIntoMerge(records, mergePath, append);
}

MergeCopy WriteRecordsIntoMerge(const std::string& records, const std::string& mergePath, bool append) {
    if (!append) {
        RemoveMergeTreeFiles(mergePath);
        return platform::WriteFileReplacing(mergePath, records.data(), records.size())
                   ? MergeCopy::kComplete
                   : MergeCopy::kWriteError;
    }
    if (!MergeFileIsTerminated(mergePath)) {
        return MergeCopy::kNotTerminated;
    }
    const int fd = ::open(mergePath.c_str(), O_RDONLY | O_CLOEXEC);
    struct stat info {};
    if (fd < 0 || ::fstat(fd, &info) != 0) {
        if (fd >= 0) {
            ::close(fd);
        }
        return MergeCopy::kWriteError;
    }
    RemoveMergeTreeFiles(mergePath);
    // The new records take the place of the old end word and bring their own. The old records are
    // copied into a replacement, so a failure or a crash halfway leaves the old file whole.
    const auto kept = static_cast<std::uint64_t>(info.st_size - 2);
    const bool written = platform::WriteFileReplacing(mergePath, [&](platform::FileSink& sink) {
        return sink.CopyFrom(fd, 0, kept) && sink.Write(records);
    });
    ::close(fd);
    return written ? MergeCopy::kComplete : MergeCopy::kWriteError;
}

}  // namespace ravelin::tree
