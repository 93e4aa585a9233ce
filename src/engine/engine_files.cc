#include "engine/engine_files.h"

#include <cctype>

#include "chess/fen.h"

namespace ravelin::engine {

namespace {

constexpr char kLineEnd[] = "\r\n";

std::string_view MoveOf(const chess::MoveList& moves, int ply) {
    return chess::SanView(ply % 2 == 1 ? moves.whiteMoves[static_cast<std::size_t>((ply - 1) / 2)]
                                       : moves.blackMoves[static_cast<std::size_t>(ply / 2 - 1)]);
}

// The next word of a line: runs of spaces separate words.
std::string_view NextWord(std::string_view& rest) {
    const std::size_t start = rest.find_first_not_of(' ');
    if (start == std::string_view::npos) {
        rest = {};
        return {};
    }
    rest.remove_prefix(start);
    const std::size_t end = std::min(rest.find(' '), rest.size());
    const std::string_view word = rest.substr(0, end);
    rest.remove_prefix(end);
    return word;
}

}  // namespace

std::string SetboardCommand(const chess::Board& board, const PositionInfo& info) {
    std::string text = "setboard " + chess::FenPlacementText(board);
    text += info.blackToMove ? " b" : " w";
    std::string castling;
    if (info.whiteKingSide) {
        castling += 'K';
    }
    if (info.whiteQueenSide) {
        castling += 'Q';
    }
    if (info.blackKingSide) {
        castling += 'k';
    }
    if (info.blackQueenSide) {
        castling += 'q';
    }
    if (!castling.empty()) {
        text += " " + castling;
    }
    if (!info.enPassant.empty()) {
        text += " " + info.enPassant;
    }
    return text;
}

std::string PositionFileText(const chess::Board& board, const PositionInfo& info) {
    return SetboardCommand(board, info) + "\r\nexit\r\n";
}

std::string MoveFileText(const chess::MoveList& moves, int plies) {
    std::string text;
    for (int number = 1; 2 * number - 1 <= plies; ++number) {
        text += std::to_string(number) + ". " + std::string(MoveOf(moves, 2 * number - 1));
        if (2 * number < plies + 1) {
            text += " " + std::string(MoveOf(moves, 2 * number));
        }
        text += kLineEnd;
    }
    return text;
}

std::string GameFileText(const std::vector<std::string>& headerLines, const chess::MoveList& moves,
                         int firstPly, int lastPly, int firstMoveNumber) {
    std::string text;
    for (const std::string& line : headerLines) {
        text += line + kLineEnd;
    }
    text += kLineEnd;
    std::string items;
    int number = firstMoveNumber;
    for (int ply = firstPly; ply <= lastPly; ++ply) {
        const std::string move(MoveOf(moves, ply));
        if (move.empty() || move == "..") {
            continue;
        }
        if (!items.empty()) {
            items += ' ';
        }
        if (ply % 2 == 1) {
            items += std::to_string(number) + "." + move;
        } else {
            if (ply == firstPly) {
                items += std::to_string(number) + "...";
            }
            items += move;
            ++number;
        }
    }
    if (!items.empty()) {
        text += items + " ";
    }
    text += "*";
    text += kLineEnd;
    return text;
}

std::string ConvertAnnotationText(std::string_view can) {
    std::string out;
    bool headerEnded = false;
    while (!can.empty()) {
        const std::size_t end = std::min(can.find('\n'), can.size());
        std::string_view line = can.substr(0, end);
        can.remove_prefix(std::min(end + 1, can.size()));
        if (!line.empty() && line.back() == '\r') {
            line.remove_suffix(1);
        }
        if (line.size() <= 2) {
            continue;
        }
        if (line[0] == '[' || line[0] == '{') {
            if (line[0] == '{' && !headerEnded) {
                out += kLineEnd;
                headerEnded = true;
            }
            out += std::string(line) + kLineEnd;
            continue;
        }
        if (line.size() > 3 && line[3] == '.') {
            std::string_view rest = line;
            const std::string_view number = NextWord(rest);
            const std::string_view white = NextWord(rest);
            const std::string_view black = NextWord(rest);
            out += std::string(number) + std::string(white);
            if (!black.empty()) {
                out += " " + std::string(black);
            }
            out += kLineEnd;
            continue;
        }
        const std::size_t start = line.find_first_not_of(' ');
        std::string_view rest = start == std::string_view::npos ? std::string_view() : line.substr(start);
        std::size_t length = 0;
        while (length < rest.size() && !std::iscntrl(static_cast<unsigned char>(rest[length]))) {
            ++length;
        }
        out += std::string(rest.substr(0, length)) + kLineEnd;
    }
    return out;
}

std::string ConvertedAnnotationPath(const std::string& canPath) {
    if (canPath.size() < 3) {
        return canPath + "pgn";
    }
    return canPath.substr(0, canPath.size() - 3) + "pgn";
}

}  // namespace ravelin::engine
