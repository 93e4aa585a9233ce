#pragma once

// X.TRH held whole in memory and walked record by record, its values handed out as views into
// the buffer, so that the walk allocates nothing per game.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

#include "search/header_match.h"

namespace ravelin::search {

class FastHeaderRecords {
  public:
    FastHeaderRecords() = default;
    ~FastHeaderRecords();
    FastHeaderRecords(const FastHeaderRecords&) = delete;
    FastHeaderRecords& operator=(const FastHeaderRecords&) = delete;

    enum class LoadStatus { kLoaded, kMissing, kNoMemory };

    // Maps the file whole (reads it into memory where it cannot be mapped). kMissing also for a
    // file too short for its count or not read whole.
    LoadStatus Load(const std::string& path);
    std::int32_t StoredCount() const { return count_; }
    // The next record's ten values; false when the data ends or the record is cut short.
    bool Next(HeaderGameValues& values);

  private:
    void Release();

    // The mapping, or the buffer the file was read into.
    const char* data_ = nullptr;
    void* mapping_ = nullptr;
    std::unique_ptr<char[]> buffer_;
    std::size_t size_ = 0;
    std::size_t pos_ = 0;
    std::int32_t count_ = 0;
};

}  // namespace ravelin::search
