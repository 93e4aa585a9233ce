#pragma once

// The plies of each X.TRF record, in order, read through a fixed window: all the header search
// needs of the move file for its Number of Moves criterion.

#include <cstddef>
#include <cstdint>
#include <memory>
#include <string>

namespace ravelin::search {

class FastRecordLengths {
  public:
    enum class Step {
        kRecord,  // plies holds the next record's number of moves words
        kEnd,     // the 0x0000 end word
        kStale,   // no well-formed record here
    };

    FastRecordLengths() = default;
    ~FastRecordLengths();
    FastRecordLengths(const FastRecordLengths&) = delete;
    FastRecordLengths& operator=(const FastRecordLengths&) = delete;

    // False when the file does not open or the window cannot be had.
    bool Open(const std::string& path, std::size_t windowBytes);
    Step Next(int& plies);

  private:
    bool Refill();

    int fd_ = -1;
    std::unique_ptr<std::uint8_t[]> window_;
    std::size_t capacity_ = 0;
    std::size_t pos_ = 0;
    std::size_t end_ = 0;
};

}  // namespace ravelin::search
