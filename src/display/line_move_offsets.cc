#include "display/line_move_offsets.h"

#include <cctype>
#include <string_view>

namespace ravelin::display {

namespace {

constexpr std::string_view kDelimiters = " \t(){}$;";

bool IsResultToken(std::string_view token) {
    return token == "*" || token == "1-0" || token == "0-1" || token == "1/2-1/2";
}

struct Level {
    int id = 0;
    int moves = 0;
};

}  // namespace

std::vector<LineMoveOffset> LineMoveOffsets(const chess::GameRecord& record) {
    std::vector<LineMoveOffset> found;
    std::vector<Level> levels;
    int ids = 0;
    bool inComment = false;
    bool mainMoveSeen = false;
    for (int lineNumber = 0; lineNumber < record.lineCount; ++lineNumber) {
        const chess::MovetextLine& line = record.movetextLines[static_cast<std::size_t>(lineNumber)];
        const std::string_view text = line.View();
        if (!inComment && text.starts_with('%')) {
            continue;
        }
        std::size_t i = 0;
        while (i < text.size()) {
            if (inComment) {
                const std::size_t close = text.find('}', i);
                inComment = close == std::string_view::npos;
                i = inComment ? text.size() : close + 1;
                continue;
            }
            const char c = text[i];
            if (c == ' ' || c == '\t') {
                ++i;
            } else if (c == '{') {
                inComment = true;
                ++i;
            } else if (c == ';') {
                i = text.size();
            } else if (c == '(') {
                // The column text passes over lines before the first move.
                levels.push_back(Level{mainMoveSeen ? ++ids : 0, 0});
                ++i;
            } else if (c == ')') {
                if (!levels.empty()) {
                    levels.pop_back();
                }
                ++i;
            } else if (c == '$') {
                ++i;
                while (i < text.size() && std::isdigit(static_cast<unsigned char>(text[i])) != 0) {
                    ++i;
                }
            } else {
                const std::size_t begin = i;
                while (i < text.size() && kDelimiters.find(text[i]) == std::string_view::npos) {
                    ++i;
                }
                std::string_view token = text.substr(begin, i - begin);
                std::size_t digits = 0;
                while (digits < token.size() &&
                       std::isdigit(static_cast<unsigned char>(token[digits])) != 0) {
                    ++digits;
                }
                std::size_t dots = digits;
                while (dots < token.size() && token[dots] == '.') {
                    ++dots;
                }
                if (digits > 0 && dots > digits) {
                    token.remove_prefix(dots);
                }
                if (token.empty() || IsResultToken(token)) {
                    continue;
                }
                if (levels.empty()) {
                    mainMoveSeen = true;
                    continue;
                }
                Level& level = levels.back();
                if (level.id == 0) {
                    continue;
                }
                found.push_back(LineMoveOffset{level.id, ++level.moves, static_cast<int>(levels.size()),
                                               line.offset + begin, line.offset + i});
            }
        }
    }
    return found;
}

std::optional<LineMoveOffset> FindLineMove(const std::vector<LineMoveOffset>& moves, int variationId,
                                           int indexInVariation) {
    for (const LineMoveOffset& move : moves) {
        if (move.variationId == variationId && move.indexInVariation == indexInVariation) {
            return move;
        }
    }
    return std::nullopt;
}

}  // namespace ravelin::display
