#include "engine/line_assembler.h"

#include <utility>

namespace ravelin::engine {

std::vector<std::string> LineAssembler::Feed(std::string_view piece) {
    std::vector<std::string> lines;
    for (char c : piece) {
        if (c == '\n' || c == '\r') {
            if (!partial_.empty()) {
                lines.push_back(std::move(partial_));
                partial_.clear();
            }
            continue;
        }
        partial_ += c;
        if (partial_.size() >= maxLine_) {
            lines.push_back(std::move(partial_));
            partial_.clear();
        }
    }
    return lines;
}

std::string LineAssembler::TakeRest() {
    return std::exchange(partial_, std::string());
}

}  // namespace ravelin::engine
