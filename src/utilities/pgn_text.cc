#include "utilities/pgn_text.h"

#include <fcntl.h>
#include <unistd.h>

#include <cstdio>

#include "gamefile/game_edit.h"
#include "gamefile/game_file.h"
#include "platform/file_util.h"

namespace ravelin::utilities {

std::string_view PgnText::Game(int i) const {
    const auto index0 = static_cast<std::size_t>(i);
    const std::size_t begin = index.offsets[index0];
    const std::size_t end = index0 + 1 < index.offsets.size() ? index.offsets[index0 + 1] : bytes.size();
    return std::string_view(bytes).substr(begin, end - begin);
}

std::string_view PgnText::Preamble() const {
    return std::string_view(bytes).substr(0, index.offsets.empty() ? bytes.size() : index.offsets[0]);
}

const char* LoadPgnText(const std::string& path, PgnText& text) {
    text.path = path;
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return gamefile::kErrorOpeningFile;
    }
    const std::int64_t size = gamefile::FileSize(fd);
    bool ok = size >= 0;
    if (ok) {
        text.bytes.resize(static_cast<std::size_t>(size));
        std::size_t done = 0;
        while (ok && done < text.bytes.size()) {
            const ssize_t got =
                pread(fd, text.bytes.data() + done, text.bytes.size() - done, static_cast<off_t>(done));
            ok = got > 0;
            done += ok ? static_cast<std::size_t>(got) : 0;
        }
    }
    if (ok) {
        gamefile::IndexGameFile(fd, path, false, text.index);
    }
    close(fd);
    return ok ? nullptr : gamefile::kErrorOpeningFile;
}

void ForEachLine(std::string_view text, const std::function<void(std::string_view)>& line) {
    while (!text.empty()) {
        const std::size_t end = text.find('\n');
        std::string_view current = text.substr(0, end);
        text.remove_prefix(end == std::string_view::npos ? text.size() : end + 1);
        if (!current.empty() && current.back() == '\r') {
            current.remove_suffix(1);
        }
        line(current);
    }
}

bool IsTagLine(std::string_view line) {
    const std::size_t first = line.find_first_not_of(" \t");
    return first != std::string_view::npos && line[first] == '[';
}

void ForEachTagLine(std::string_view game, const std::function<void(std::string_view)>& line) {
    bool inHeader = true;
    ForEachLine(game, [&](std::string_view text) {
        inHeader = inHeader && IsTagLine(text);
        if (inHeader) {
            line(text);
        }
    });
}

const char* ReplacePgnFile(const std::string& path, std::string_view contents) {
    if (!platform::WriteFileReplacing(path, contents.data(), contents.size())) {
        return kErrorCreatingTempFile;
    }
    gamefile::DeleteStaleCompanions(path);
    gamefile::DeleteFastFileCompanions(path);
    return nullptr;
}

bool ProgressDue(int current, int total) {
    const int every = total < 100 ? 1 : total < 1000 ? 10 : 100;
    return current % every == 0 || current == total;
}

}  // namespace ravelin::utilities
