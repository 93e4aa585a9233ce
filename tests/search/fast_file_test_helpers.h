#pragma once

#include <fcntl.h>
#include <unistd.h>

#include <string>

#include "gamefile/game_index.h"
#include "search/fast_file_writer.h"
#include "temp_dir.h"

namespace ravelin::search::testing_support {

// The game index of a file, as the open file would have it.
inline std::vector<std::uint32_t> IndexOf(const std::string& path) {
    const int fd = ::open(path.c_str(), O_RDONLY);
    gamefile::GameIndex index;
    if (fd >= 0) {
        gamefile::IndexGameFile(fd, path, true, index);
        ::close(fd);
    }
    return index.offsets;
}

inline FastFileOutcome MakeFastFile(const std::string& pgnPath) {
    FastFileJob job;
    job.pgnPath = pgnPath;
    job.offsets = IndexOf(pgnPath);
    return WriteFastFile(job, {});
}

inline std::string Words(std::initializer_list<std::uint16_t> words) {
    std::string bytes;
    for (const std::uint16_t word : words) {
        bytes.push_back(static_cast<char>(word & 0xff));
        bytes.push_back(static_cast<char>(word >> 8));
    }
    return bytes;
}

}  // namespace ravelin::search::testing_support
