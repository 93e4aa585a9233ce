#include "engine/engine_output.h"

#include <cctype>

namespace ravelin::engine {

std::vector<std::string> EngineOutputLines::Take(std::string_view text) {
    std::vector<std::string> lines;
    for (char c : text) {
        if (c == '\r' || c == '\n') {
            if (!partial_.empty()) {
                lines.push_back(std::move(partial_));
                partial_.clear();
            }
        } else if (partial_.size() < kEngineOutputBufferSize) {
            partial_ += c;
        }
    }
    return lines;
}

std::optional<std::string> FindEngineMove(const std::vector<std::string>& lines) {
    for (const std::string& line : lines) {
        if (line.rfind("move", 0) != 0) {
            continue;
        }
        std::string_view rest = std::string_view(line).substr(4);
        const std::size_t start = rest.find_first_not_of(' ');
        if (start == std::string_view::npos) {
            return std::nullopt;
        }
        rest.remove_prefix(start);
        while (!rest.empty() && std::isspace(static_cast<unsigned char>(rest.back()))) {
            rest.remove_suffix(1);
        }
        if (rest.empty() || rest.size() > kMaxEngineMoveLength || rest.find(' ') != std::string_view::npos) {
            return std::nullopt;
        }
        return std::string(rest);
    }
    return std::nullopt;
}

std::string CutHelpPrompt(std::string text) {
    const std::size_t last = text.rfind('s');
    if (last != std::string::npos) {
        text.resize(last);
    }
    return text;
}

}  // namespace ravelin::engine
