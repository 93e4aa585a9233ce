#pragma once

// The caches beside a PGN file that end in a character of their own (games.pgs, games.pgq,
// games.pgx): read only when they are newer than the PGN file and of exactly the size their
// contents call for, so a cache left from another version of the file is never taken.

#include <functional>
#include <optional>
#include <string>
#include <string_view>

namespace ravelin::statistics {

// The PGN path with its last character replaced (games.pgn and 's' give games.pgs). Empty when
// the result would be the PGN file itself.
std::string CachePathOf(std::string_view pgnPath, char last);

// The cache's contents when it is newer than the PGN file and sizeFits says its size is right.
std::optional<std::string> ReadTrustedCache(const std::string& cachePath, const std::string& pgnPath,
                                            const std::function<bool(const std::string&)>& sizeFits);

// Writes a cache through the safe rewrite; false when it could not be written (the data is then
// still used, only not kept).
bool WriteCache(const std::string& cachePath, const std::string& contents);

}  // namespace ravelin::statistics
