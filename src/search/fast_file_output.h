#pragma once

// A binary file written through a buffer, every write checked. Fast files are written under a
// temporary name and renamed into place only when everything was written.

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace ravelin::search {

class BufferedOutput {
  public:
    BufferedOutput() = default;
    ~BufferedOutput();
    BufferedOutput(const BufferedOutput&) = delete;
    BufferedOutput& operator=(const BufferedOutput&) = delete;

    // Creates (truncating) the file. False when it cannot be created.
    bool Create(const std::string& path);
    // Opens an existing file for writing at the given offset.
    bool OpenAt(const std::string& path, std::uint64_t offset);
    bool IsOpen() const { return fd_ >= 0; }

    // Queues bytes; a full buffer is written out. False once any write has failed.
    bool Append(std::string_view bytes);
    void AppendWord(std::uint16_t word);
    // Writes what is queued and closes the file; false when a write or the close failed.
    bool Finish();
    // Closes without writing what is queued (after a failure).
    void Abandon();
    bool Failed() const { return failed_; }
    std::uint64_t BytesWritten() const { return written_; }

  private:
    bool Flush();

    int fd_ = -1;
    bool failed_ = false;
    std::uint64_t written_ = 0;
    std::string buffer_;
};

// The companion names, empty when the companion would be the PGN file itself.
std::string FastMoveFilePath(std::string_view pgnPath);
std::string FastHeaderFilePath(std::string_view pgnPath);
// The position index kept beside the fast file (X.TRP); the same name from the PGN file's path or
// from X.TRF's.
std::string PositionIndexFilePath(std::string_view pgnOrMovePath);
// The places of the X.TRH records kept beside it (X.TRQ), from the PGN file's path or X.TRH's.
std::string HeaderPlacesFilePath(std::string_view pgnOrHeaderPath);
// The name a file is written under before it replaces path.
std::string TemporaryNameFor(const std::string& path);

}  // namespace ravelin::search
