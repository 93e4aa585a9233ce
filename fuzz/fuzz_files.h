// Helpers of the fuzz targets that feed bytes to readers of files: a scratch folder per process
// and one input cut into the several files a reader opens together.
#pragma once

#include <unistd.h>

#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <fstream>
#include <string>
#include <string_view>
#include <vector>

namespace ravelin::fuzz {

// Between the files of one input; fuzz/make-seeds joins real files with it.
inline constexpr std::string_view kPartSeparator = "\n@@ravelin-part@@\n";

// A folder of its own for this process, made on first use.
inline const std::string& ScratchDirectory() {
    static const std::string directory = [] {
        std::filesystem::path made =
            std::filesystem::temp_directory_path() / ("ravelin-fuzz-" + std::to_string(getpid()));
        std::filesystem::create_directories(made);
        return made.string();
    }();
    return directory;
}

inline void WriteBytes(const std::string& path, std::string_view bytes) {
    std::ofstream out(path, std::ios::binary | std::ios::trunc);
    out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
}

// The input cut at the separators into exactly count parts: missing parts are empty, and the last
// part keeps any further separators.
inline std::vector<std::string_view> SplitParts(const std::uint8_t* data, std::size_t size,
                                                std::size_t count) {
    std::string_view rest(reinterpret_cast<const char*>(data), size);
    std::vector<std::string_view> parts;
    while (parts.size() + 1 < count) {
        const std::size_t at = rest.find(kPartSeparator);
        if (at == std::string_view::npos) {
            break;
        }
        parts.push_back(rest.substr(0, at));
        rest.remove_prefix(at + kPartSeparator.size());
    }
    parts.push_back(rest);
    parts.resize(count);
    return parts;
}

}  // namespace ravelin::fuzz
