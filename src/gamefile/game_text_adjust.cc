#include "gamefile/game_text_adjust.h"

#include "gamefile/line_reader.h"
#include "gamefile/tag_line.h"

namespace ravelin::gamefile {

namespace {

std::vector<std::string> SplitLines(std::string_view text) {
    std::vector<std::string> lines;
    std::string line;
    for (std::size_t i = 0; i < text.size(); ++i) {
        const char c = text[i];
        if (c == '\r' || c == '\n') {
            lines.push_back(line);
            line.clear();
            if (c == '\r' && i + 1 < text.size() && text[i + 1] == '\n') {
                ++i;
            }
        } else {
            line += c;
        }
    }
    if (!line.empty()) {
        lines.push_back(line);
    }
    return lines;
}

// Lines whose meaning depends on their being whole lines of their own.
bool IsFixedLine(const std::string& line) {
    // A ";" comment runs to the end of its line wherever it starts.
    return (!line.empty() && line[0] == '%') || line.find(';') != std::string::npos ||
           (!line.empty() && line[0] == '[' && IsTagLine(line));
}

bool MayJoinNext(const std::string& next) {
    return !next.empty() && !IsFixedLine(next);
}

}  // namespace

std::string AdjustGameText(std::string_view text, bool join) {
    const std::vector<std::string> lines = SplitLines(text);
    std::string out;
    for (std::size_t i = 0; i < lines.size(); ++i) {
        std::string current = lines[i];
        bool isPiece = false;
        if (!IsFixedLine(current)) {
            for (;;) {
                if (current.size() > kAdjustLongLine) {
                    std::size_t cut = current.rfind(' ', kAdjustCutColumn - 1);
                    const bool atBlank = cut != std::string::npos && cut > 0;
                    if (!atBlank) {
                        cut = kAdjustCutColumn;
                    }
                    out += current.substr(0, cut) + "\r\n";
                    current.erase(0, atBlank ? cut + 1 : cut);
                    isPiece = true;
                    continue;
                }
                const std::size_t joinBelow = isPiece ? kAdjustJoinPieceBelow : kAdjustJoinBelow;
                if (join && !current.empty() && current.size() < joinBelow && i + 1 < lines.size() &&
                    MayJoinNext(lines[i + 1])) {
                    current += ' ' + lines[++i];
                    isPiece = false;
                    continue;
                }
                break;
            }
        }
        out += current + "\r\n";
    }
    return out;
}

bool RecordLengthsFit(std::string& text) {
    if (!text.empty() && text.back() != '\r' && text.back() != '\n') {
        text += "\r\n";
    }
    std::size_t start = 0;
    while (start < text.size()) {
        std::size_t end = text.find_first_of("\r\n", start);
        if (end == std::string::npos) {
            end = text.size();
        }
        if (end - start > kMaxLineLength) {
            return false;
        }
        start = end + 1;
    }
    return true;
}

namespace {

std::size_t MovetextStart(std::string_view text) {
    return text.substr(0, 2) == "1." ? 0 : text.find("\n1.");
}

}  // namespace

std::string ReduceDoubleBlanks(std::string_view text) {
    const std::size_t start = MovetextStart(text);
    if (start == std::string_view::npos) {
        return std::string(text);
    }
    std::string out(text.substr(0, start));
    bool inBraces = false;
    bool toLineEnd = false;  // a ";" comment or a "%" line
    for (std::size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        const bool lineStart = i == 0 || text[i - 1] == '\n' || text[i - 1] == '\r';
        if (c == '\r' || c == '\n') {
            toLineEnd = false;
        } else if (!inBraces && !toLineEnd) {
            if (c == ';' || (c == '%' && lineStart)) {
                toLineEnd = true;
            } else if (c == '{') {
                inBraces = true;
            } else if (c == ' ' && !out.empty() && out.back() == ' ') {
                continue;
            }
        } else if (inBraces && c == '}') {
            inBraces = false;
        }
        out += c;
    }
    return out;
}

std::vector<std::string> BraceAndParenWarnings(std::string_view text) {
    const std::size_t start = MovetextStart(text);
    std::vector<std::string> warnings;
    if (start == std::string_view::npos) {
        return warnings;
    }
    bool inComment = false;
    int depth = 0;
    for (std::size_t i = start; i < text.size(); ++i) {
        const char c = text[i];
        if (inComment) {
            inComment = c != '}';
        } else if (c == '{') {
            inComment = true;
        } else if (c == '(') {
            ++depth;
        } else if (c == ')') {
            --depth;
        }
    }
    if (inComment) {
        warnings.emplace_back(kCommentBracesOutOfSync);
    }
    if (depth != 0) {
        warnings.emplace_back(kLineParensOutOfSync);
    }
    return warnings;
}

}  // namespace ravelin::gamefile
