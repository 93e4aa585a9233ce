#include "statistics/opening_moves.h"

namespace ravelin::statistics {

namespace {

bool IsResult(std::string_view word) {
    return word == "1-0" || word == "0-1" || word == "1/2-1/2" || word == "*";
}

// A move word without its number ("12.Nf3", "12...Nf3") and without check marks and glyphs.
std::string_view BareMove(std::string_view word) {
    while (!word.empty() && ((word[0] >= '0' && word[0] <= '9') || word[0] == '.')) {
        word.remove_prefix(1);
    }
    while (!word.empty() &&
           (word.back() == '+' || word.back() == '#' || word.back() == '!' || word.back() == '?')) {
        word.remove_suffix(1);
    }
    return word;
}

}  // namespace

OpeningMoves ReadOpeningMoves(std::string_view movetext) {
    OpeningMoves moves;
    int depth = 0;  // variations
    std::size_t i = 0;
    while (i < movetext.size() && moves.plies < 2 * kOpeningMovesPerSide) {
        const char c = movetext[i];
        if (c == '{') {
            const std::size_t close = movetext.find('}', i);
            i = close == std::string_view::npos ? movetext.size() : close + 1;
            continue;
        }
        if (c == ';') {
            const std::size_t lineEnd = movetext.find('\n', i);
            i = lineEnd == std::string_view::npos ? movetext.size() : lineEnd + 1;
            continue;
        }
        if (c == '(' || c == ')') {
            depth += c == '(' ? 1 : (depth > 0 ? -1 : 0);
            ++i;
            continue;
        }
        if (c == ' ' || c == '\t' || c == '\r' || c == '\n') {
            ++i;
            continue;
        }
        std::size_t end = i;
        while (end < movetext.size() && movetext[end] != ' ' && movetext[end] != '{' &&
               movetext[end] != '(' && movetext[end] != ')' && movetext[end] != '\t') {
            ++end;
        }
        const std::string_view word = movetext.substr(i, end - i);
        i = end;
        if (depth > 0 || word[0] == '$') {
            continue;
        }
        if (IsResult(word)) {
            break;
        }
        const std::string_view move = BareMove(word);
        if (move.empty()) {
            continue;
        }
        auto& side = moves.plies % 2 == 0 ? moves.white : moves.black;
        side[static_cast<std::size_t>(moves.plies / 2)] = std::string(move);
        ++moves.plies;
    }
    return moves;
}

}  // namespace ravelin::statistics
