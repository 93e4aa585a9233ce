#include "search/file_stamp.h"

#include <sys/stat.h>

namespace ravelin::search {

bool StampOf(const std::string& path, FileStamp& stamp) {
    struct stat info {};
    if (::stat(path.c_str(), &info) != 0) {
        return false;
    }
    stamp.path = path;
    stamp.size = static_cast<std::uint64_t>(info.st_size);
    stamp.modifiedSeconds = info.st_mtim.tv_sec;
    stamp.modifiedNanoseconds = info.st_mtim.tv_nsec;
    stamp.inode = info.st_ino;
    stamp.device = info.st_dev;
    return true;
}

}  // namespace ravelin::search
