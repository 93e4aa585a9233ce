#include "eco/eco_line.h"

#include <algorithm>

namespace ravelin::eco {

namespace {

std::size_t RunEnd(std::string_view line, std::size_t from) {
    while (from < line.size() && static_cast<unsigned char>(line[from]) > ' ') {
        ++from;
    }
    return from;
}

}  // namespace

EcoLineMoves SplitEcoLine(std::string_view line) {
    EcoLineMoves moves;
    std::size_t i = 0;
    while (i < line.size()) {
        if (line[i] != '.') {
            ++i;
            continue;
        }
        const std::size_t whiteStart = i + 1;
        std::size_t whiteEnd = whiteStart;
        while (whiteEnd < line.size() && line[whiteEnd] != ' ') {
            ++whiteEnd;
        }
        moves.white.push_back(line.substr(whiteStart, whiteEnd - whiteStart));
        i = whiteEnd;
        if (i < line.size() && line[i] == ' ') {
            std::size_t blackStart = i + 1;
            while (blackStart < line.size() && static_cast<unsigned char>(line[blackStart]) <= ' ') {
                ++blackStart;
            }
            const std::size_t blackEnd = RunEnd(line, blackStart);
            // A run that holds a full stop is the next move number, not a black move.
            const std::string_view run = line.substr(blackStart, blackEnd - blackStart);
            if (!run.empty() && run.find('.') == std::string_view::npos) {
                moves.black.push_back(run);
                i = blackEnd;
            }
        }
    }
    return moves;
}

int EcoLinePlies(std::string_view line) {
    return static_cast<int>(std::count(line.begin(), line.end(), ' ')) + 1;
}

std::string FormatEcoLine(const std::vector<std::string>& plies) {
    std::string line;
    for (std::size_t i = 0; i < plies.size(); ++i) {
        if (i > 0) {
            line += ' ';
        }
        if (i % 2 == 0) {
            line += std::to_string(i / 2 + 1);
            line += '.';
        }
        line += plies[i];
    }
    return line;
}

std::string_view WithoutCheckSign(std::string_view san) {
    if (!san.empty() && san.back() == '+') {
        san.remove_suffix(1);
    }
    return san;
}

}  // namespace ravelin::eco
