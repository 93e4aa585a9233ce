#pragma once

#include <cstddef>
#include <string>

namespace ravelin::platform {

// Writes a whole file through a temporary file in the same directory that is then renamed over
// the old one, so readers see either the old or the new contents, never a half-written file.
// Returns false (and leaves the old file untouched) when any step fails. A durable write also
// waits until the contents are on the disk; caches that can be made again skip that wait.
enum class Durability { kCache, kDurable };
bool WriteFileReplacing(const std::string& path, const void* data, std::size_t size,
                        Durability durability = Durability::kDurable);

// Reads a whole small file; false when it cannot be opened or read.
bool ReadSmallFile(const std::string& path, std::string& contents, std::size_t maxSize);

bool FileExists(const std::string& path);

}  // namespace ravelin::platform
