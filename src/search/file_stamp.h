#pragma once

// What tells a file from the same file changed: its path, size, modification time and inode.

#include <cstdint>
#include <string>

namespace ravelin::search {

struct FileStamp {
    std::string path;
    std::uint64_t size = 0;
    std::int64_t modifiedSeconds = 0;
    std::int64_t modifiedNanoseconds = 0;
    std::uint64_t inode = 0;
    std::uint64_t device = 0;
    bool operator==(const FileStamp&) const = default;
};

// False when the file does not exist.
bool StampOf(const std::string& path, FileStamp& stamp);

}  // namespace ravelin::search
