#pragma once

// A whole file mapped read-only: its pages come straight from the page cache, with no copy and no
// fresh pages to clear, and only the pages a reader touches are ever read.

#include <cstddef>
#include <cstdint>
#include <string>

namespace ravelin::search {

class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile();
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    // False when the file does not open, is empty or cannot be mapped.
    bool Map(const std::string& path);
    const std::uint8_t* Data() const { return data_; }
    std::size_t Size() const { return size_; }

  private:
    const std::uint8_t* data_ = nullptr;
    std::size_t size_ = 0;
};

}  // namespace ravelin::search
