#include "gamefile/game_copy.h"

#include <fcntl.h>
#include <unistd.h>

#include <string_view>

#include "gamefile/game_file.h"
#include "gamefile/game_index.h"

#include "gamefile/tag_line.h"

namespace ravelin::gamefile {

bool CopyGameText(LineReader& reader, std::uint64_t offset, std::size_t maxBytes, std::string& text) {
    text.clear();
    if (!reader.Seek(offset)) {
        return false;
    }
    char line[kLineBufferSize];
    bool inHeader = true;
    int heldEmptyLines = 0;
    while (reader.ReadLine(line) > 0) {
        const std::string_view content(line);
        const bool isTag = !content.empty() && content[0] == '[' && IsTagLine(content);
        if (inHeader && !isTag) {
            inHeader = false;
        } else if (!inHeader && isTag) {
            break;
        }
        if (!inHeader && content.empty()) {
            ++heldEmptyLines;
            continue;
        }
        for (; heldEmptyLines > 0; --heldEmptyLines) {
            text += "\r\n";
        }
        text += content;
        text += "\r\n";
        if (text.size() > maxBytes) {
            text.clear();
            return false;
        }
    }
    return true;
}

const char* CopyGamesOfFile(const std::string& path, const std::vector<int>& games, std::size_t maxBytes,
                            std::vector<std::string>& texts) {
    const int fd = open(path.c_str(), O_RDONLY | O_CLOEXEC);
    if (fd < 0) {
        return kErrorOpeningFile;
    }
    GameIndex index;
    IndexGameFile(fd, path, false, index);
    LineReader reader;
    reader.Attach(fd);
    const char* failure = nullptr;
    for (const int game : games) {
        std::string text;
        if (game < 1 || game > index.Count()) {
            failure = kErrorFindingGame;
        } else if (!CopyGameText(reader, index.Offset(game), maxBytes, text)) {
            failure = kGameTooBig;
        }
        if (failure != nullptr) {
            break;
        }
        texts.push_back(std::move(text));
    }
    close(fd);
    return failure;
}

}  // namespace ravelin::gamefile
