#pragma once

// Whole-file reads and in-place writes of the database files.

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

}  // namespace ravelin::database
