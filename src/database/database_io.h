#pragma once

// Whole-file reads and in-place writes of the database files.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ravelin::database {

enum class ReadStatus { kOk, kOpenFailed, kReadFailed };

// The whole file into bytes.
ReadStatus ReadWholeFile(const std::string& path, std::string& bytes);
// The size of a file; -1 when it does not exist.
std::int64_t FileSizeOf(const std::string& path);
// The message of a failed read: "File open error." or "File read error.".
const char* ReadFailureMessage(ReadStatus status);

// Writes bytes at an offset of an existing file (growing it when they reach past its end).
bool WriteAt(const std::string& path, std::int64_t offset, std::string_view bytes);
// Cuts a file back to a size.
bool TruncateTo(const std::string& path, std::int64_t size);
// Waits until the file's contents are on the disk.
bool SyncFile(const std::string& path);

// A file mapped read-only into memory; every access is checked against its size by the caller.
class MappedFile {
  public:
    MappedFile() = default;
    ~MappedFile() { Unmap(); }
    MappedFile(const MappedFile&) = delete;
    MappedFile& operator=(const MappedFile&) = delete;

    bool Map(const std::string& path);
    void Unmap();
    const std::uint8_t* Data() const { return data_; }
    std::int64_t Size() const { return size_; }
    // The bytes [offset, offset + length), or nullptr when they do not lie inside the file.
    const std::uint8_t* At(std::int64_t offset, std::size_t length) const {
        return offset >= 0 && offset + static_cast<std::int64_t>(length) <= size_ ? data_ + offset : nullptr;
    }

  private:
    const std::uint8_t* data_ = nullptr;
    std::int64_t size_ = 0;
    bool mapped_ = false;
};

}  // namespace ravelin::database
