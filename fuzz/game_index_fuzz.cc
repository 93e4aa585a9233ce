// libs: ravelin_gamefile
// Indexes arbitrary bytes as a PGN file, with an arbitrary index cache beside it. Whatever the
// cache holds, the offsets used must rise strictly and lie inside the file, and the count the cache
// gives alone must be the index's whenever the index is taken from the cache.
#include <fcntl.h>
#include <unistd.h>

#include <cstdint>
#include <cstdlib>
#include <filesystem>
#include <fstream>
#include <string>

#include "gamefile/game_index.h"

namespace {

void WriteFile(const std::string& path, const std::uint8_t* data, std::size_t size) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(reinterpret_cast<const char*>(data), static_cast<std::streamsize>(size));
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
    static const std::string directory = [] {
        std::string made =
            (std::filesystem::temp_directory_path() / ("ravelin-fuzz-" + std::to_string(getpid()))).string();
        std::filesystem::create_directories(made);
        return made;
    }();
    // The first byte says how much of the rest is the cache.
    std::size_t cacheSize = size == 0 ? 0 : (data[0] * (size - 1)) / 255;
    const std::uint8_t* cache = data + (size == 0 ? 0 : 1);
    const std::uint8_t* pgn = cache + cacheSize;
    std::size_t pgnSize = size == 0 ? 0 : size - 1 - cacheSize;
    std::string path = directory + "/games.pgn";
    WriteFile(path, pgn, pgnSize);
    WriteFile(directory + "/games.PGO", cache, cacheSize);

    int fd = open(path.c_str(), O_RDONLY);
    const int cachedCount = ravelin::gamefile::CachedGameCount(fd, path);
    if (cachedCount > ravelin::gamefile::kMaxGames) {
        std::abort();
    }
    ravelin::gamefile::GameIndex index;
    const ravelin::gamefile::IndexResult indexed = ravelin::gamefile::IndexGameFile(fd, path, false, index);
    if (indexed.fromCache && cachedCount != indexed.count) {
        std::abort();
    }
    for (std::size_t k = 0; k < index.offsets.size(); ++k) {
        if (index.offsets[k] >= pgnSize && !(k == 0 && index.offsets[k] == 0)) {
            std::abort();
        }
        if (k > 0 && index.offsets[k] <= index.offsets[k - 1]) {
            std::abort();
        }
    }
    close(fd);
    return 0;
}
