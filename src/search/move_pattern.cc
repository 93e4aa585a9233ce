#include "search/move_pattern.h"

#include "search/relation_criterion.h"

namespace ravelin::search {

namespace {

// The dots that mark Black's move after the move number.
constexpr int kBlackMoveDots = 3;

// Recursive on '*' only; patterns are at most 79 characters and moves 7.
bool MatchFrom(std::string_view pattern, std::string_view text) {
    for (std::size_t p = 0; p < pattern.size(); ++p) {
        if (pattern[p] == '*') {
            // A run of stars is one star; without this a long run would try every split.
            std::size_t next = p + 1;
            while (next < pattern.size() && pattern[next] == '*') {
                ++next;
            }
            const std::string_view rest = pattern.substr(next);
            for (std::size_t skip = 0; skip <= text.size(); ++skip) {
                if (MatchFrom(rest, text.substr(skip))) {
                    return true;
                }
            }
            return false;
        }
        if (text.empty() || (pattern[p] != '?' && pattern[p] != text[0])) {
            return false;
        }
        text.remove_prefix(1);
    }
    // Pattern used up. A '-' next in the text would make short castling find long castling.
    return text.empty() || text[0] != '-';
}

}  // namespace

SpecificMove ParseSpecificMove(std::string_view text) {
    SpecificMove move;
    if (text.empty()) {
        return move;
    }
    move.given = true;
    const std::size_t dot = text.find('.');
    std::size_t start = 0;
    if (dot != std::string_view::npos) {
        const long number = DecimalValue(text.substr(0, dot));
        // A move number no game has (0 or below) finds nothing rather than reading before move 1.
        move.moveNumber = number < 1 ? -1 : static_cast<int>(number > 1000 ? 1000 : number);
        std::size_t dots = 0;
        while (dot + dots < text.size() && text[dot + dots] == '.') {
            ++dots;
        }
        move.black = dots >= kBlackMoveDots;
        start = dot + dots;
    }
    while (start < text.size() && text[start] == ' ') {
        ++start;
    }
    std::size_t end = text.size();
    while (end > start && text[end - 1] == ' ') {
        --end;
    }
    move.pattern = std::string(text.substr(start, end - start));
    // 0-0 and 0-0-0 are searched as O-O and O-O-O. Only zeros inside the pattern are rewritten.
    std::string& p = move.pattern;
    if (p.size() >= 2 && p[1] == '-') {
        for (const std::size_t i : {std::size_t{0}, std::size_t{2}, std::size_t{4}}) {
            if (i < p.size() && p[i] == '0') {
                p[i] = 'O';
            }
        }
    }
    return move;
}

bool MatchesMovePattern(std::string_view pattern, std::string_view moveText) {
    if (pattern.empty() || moveText.empty()) {
        return false;
    }
    return MatchFrom(pattern, moveText);
}

bool GameHasSpecificMove(const SpecificMove& move, const chess::MoveList& list, int moves) {
    if (moves > chess::kMaxMovesPerSide) {
        moves = chess::kMaxMovesPerSide;
    }
    if (move.moveNumber != 0) {
        if (move.moveNumber < 1 || move.moveNumber > moves) {
            return false;
        }
        const auto index = static_cast<std::size_t>(move.moveNumber - 1);
        return MatchesMovePattern(
            move.pattern, chess::SanView(move.black ? list.blackMoves[index] : list.whiteMoves[index]));
    }
    for (int i = 0; i < moves; ++i) {
        const auto index = static_cast<std::size_t>(i);
        if (MatchesMovePattern(move.pattern, chess::SanView(list.whiteMoves[index])) ||
            MatchesMovePattern(move.pattern, chess::SanView(list.blackMoves[index]))) {
            return true;
        }
    }
    return false;
}

}  // namespace ravelin::search
