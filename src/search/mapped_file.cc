#include "search/mapped_file.h"

#include <fcntl.h>
#include <sys/mman.h>
#include <sys/stat.h>
#include <unistd.h>

namespace ravelin::search {

MappedFile::~MappedFile() {
    if (data_ != nullptr) {
        ::munmap(const_cast<std::uint8_t*>(data_), size_);
    }
}

bool MappedFile::Map(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return false;
    }
    struct stat info {};
    void* mapping = MAP_FAILED;
    if (::fstat(fd, &info) == 0 && info.st_size > 0) {
        mapping = ::mmap(nullptr, static_cast<std::size_t>(info.st_size), PROT_READ, MAP_PRIVATE, fd, 0);
    }
    ::close(fd);
    if (mapping == MAP_FAILED) {
        return false;
    }
    data_ = static_cast<const std::uint8_t*>(mapping);
    size_ = static_cast<std::size_t>(info.st_size);
    return true;
}

}  // namespace ravelin::search
