#include "gamefile/game_copy.h"

#include <string_view>

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

}  // namespace ravelin::gamefile
